#include "support/ChildProcess.h"

#include <algorithm>
#include <cwctype>

namespace {

std::wstring Upper(std::wstring s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](wchar_t c) { return std::towupper(c); });
    return s;
}

// A sorted, double-terminated environment block: the current one with the changes applied.
std::vector<wchar_t> BuildEnvironment(const EnvironmentChanges& changes)
{
    std::map<std::wstring, std::wstring> vars;  // upper-case name -> "Name=value"
    if (wchar_t* block = GetEnvironmentStringsW()) {
        for (const wchar_t* p = block; *p; p += wcslen(p) + 1) {
            std::wstring entry(p);
            size_t eq = entry.find(L'=', 1);
            if (eq == std::wstring::npos)
                continue;
            vars[Upper(entry.substr(0, eq))] = entry;
        }
        FreeEnvironmentStringsW(block);
    }
    for (const auto& [name, value] : changes) {
        if (value.empty())
            vars.erase(Upper(name));
        else
            vars[Upper(name)] = name + L"=" + value;
    }
    std::vector<wchar_t> out;
    for (const auto& [key, entry] : vars) {
        out.insert(out.end(), entry.begin(), entry.end());
        out.push_back(L'\0');
    }
    out.push_back(L'\0');
    return out;
}

std::wstring ReadDebugString(HANDLE process, const OUTPUT_DEBUG_STRING_INFO& info)
{
    const size_t length = info.nDebugStringLength;
    if (info.fUnicode) {
        std::wstring text(length, L'\0');
        SIZE_T read = 0;
        ReadProcessMemory(process, info.lpDebugStringData, text.data(), length * sizeof(wchar_t), &read);
        text.resize(read / sizeof(wchar_t));
        return std::wstring(text.c_str());
    }
    std::string text(length, '\0');
    SIZE_T read = 0;
    ReadProcessMemory(process, info.lpDebugStringData, text.data(), length, &read);
    text.resize(read);
    text = std::string(text.c_str());
    int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), wide.data(), n);
    return wide;
}

}  // namespace

bool StartChild(const std::wstring& commandLine, const EnvironmentChanges& env, PROCESS_INFORMATION& pi)
{
    return StartChildWithFlags(commandLine, env, 0, pi);
}

bool StartChildWithFlags(const std::wstring& commandLine, const EnvironmentChanges& env, DWORD flags,
                         PROCESS_INFORMATION& pi)
{
    std::vector<wchar_t> environment = BuildEnvironment(env);
    std::wstring mutableLine = commandLine;
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    pi = {};
    return CreateProcessW(nullptr, mutableLine.data(), nullptr, nullptr, FALSE,
                          flags | CREATE_UNICODE_ENVIRONMENT, environment.data(), nullptr, &si, &pi) != FALSE;
}

ChildResult RunUnderDebugger(const std::wstring& commandLine, const EnvironmentChanges& env, DWORD timeoutMs)
{
    ChildResult result;
    PROCESS_INFORMATION pi;
    if (!StartChildWithFlags(commandLine, env, DEBUG_ONLY_THIS_PROCESS, pi))
        return result;
    result.started = true;

    // At the deadline the child is terminated; its remaining events, up to its exit, still arrive.
    ULONGLONG deadline = GetTickCount64() + timeoutMs;
    bool done = false;
    while (!done) {
        DEBUG_EVENT event = {};
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline || !WaitForDebugEvent(&event, static_cast<DWORD>(deadline - now))) {
            if (result.timedOut || GetTickCount64() < deadline)
                break;
            result.timedOut = true;
            TerminateProcess(pi.hProcess, 0xDEAD);
            deadline = GetTickCount64() + 5000;
            continue;
        }
        DWORD status = DBG_CONTINUE;
        switch (event.dwDebugEventCode) {
        case CREATE_PROCESS_DEBUG_EVENT:
            if (event.u.CreateProcessInfo.hFile)
                CloseHandle(event.u.CreateProcessInfo.hFile);
            break;
        case LOAD_DLL_DEBUG_EVENT:
            if (event.u.LoadDll.hFile)
                CloseHandle(event.u.LoadDll.hFile);
            break;
        case OUTPUT_DEBUG_STRING_EVENT:
            result.debugOutput.push_back(ReadDebugString(pi.hProcess, event.u.DebugString));
            break;
        case EXCEPTION_DEBUG_EVENT:
            if (event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT)
                status = DBG_EXCEPTION_NOT_HANDLED;
            break;
        case EXIT_PROCESS_DEBUG_EVENT:
            result.exitCode = event.u.ExitProcess.dwExitCode;
            done = true;
            break;
        default:
            break;
        }
        ContinueDebugEvent(event.dwProcessId, event.dwThreadId, status);
    }
    WaitForSingleObject(pi.hProcess, 5000);
    if (!result.timedOut)
        GetExitCodeProcess(pi.hProcess, &result.exitCode);
    FILETIME creation, exit, kernel, user;
    if (GetProcessTimes(pi.hProcess, &creation, &exit, &kernel, &user))
        result.exitTime = (static_cast<unsigned long long>(exit.dwHighDateTime) << 32) | exit.dwLowDateTime;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return result;
}

std::wstring ExecutableFolder()
{
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, n);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

std::wstring LauncherPath()
{
    return ExecutableFolder() + L"Lumbra.exe";
}

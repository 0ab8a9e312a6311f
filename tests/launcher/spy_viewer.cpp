// Stands in for the viewer in launcher tests: records what it was given and can misbehave on request.
//   LUMBRA_SPY_REPORT   file to which it appends its command line, its folder's files and its times
//   LUMBRA_SPY_SLEEP_MS how long to stay alive after it became idle
//   LUMBRA_SPY_UNTIL    stay alive until this file exists (at most two minutes)
//   LUMBRA_SPY_HOLD     name of a file in its folder that a helper process keeps open for
//                       LUMBRA_SPY_HOLD_MS after the spy itself has ended
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace {

std::wstring Env(const wchar_t* name)
{
    wchar_t buffer[1024];
    DWORD n = GetEnvironmentVariableW(name, buffer, 1024);
    return n && n < 1024 ? std::wstring(buffer, n) : std::wstring();
}

std::string Utf8(const std::wstring& text)
{
    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::wstring OwnFolder()
{
    wchar_t path[MAX_PATH];
    std::wstring self(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
    return self.substr(0, self.find_last_of(L'\\') + 1);
}

void ListFiles(const std::wstring& folder, const std::wstring& relative, std::vector<std::wstring>& out)
{
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + relative + L"*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        std::wstring name = data.cFileName;
        if (name == L"." || name == L"..")
            continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            ListFiles(folder, relative + name + L"\\", out);
        else
            out.push_back(relative + name);
    } while (FindNextFileW(find, &data));
    FindClose(find);
}

unsigned long long NowFileTime()
{
    FILETIME ft;
    GetSystemTimePreciseAsFileTime(&ft);
    return (static_cast<unsigned long long>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

void Append(const std::wstring& path, const std::string& text)
{
    // Several spies may report into one file at once: append whole lines under a named mutex.
    HANDLE mutex = CreateMutexW(nullptr, FALSE, L"LumbraSpyReport");
    WaitForSingleObject(mutex, 10000);
    HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        CloseHandle(file);
    }
    ReleaseMutex(mutex);
    CloseHandle(mutex);
}

int HoldFile(const std::wstring& path, DWORD ms)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    Sleep(ms);
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc == 4 && std::wstring(argv[1]) == L"--hold")
        return HoldFile(argv[2], static_cast<DWORD>(_wtoi(argv[3])));

    // A message queue and one pass through it: that is what "idle for input" waits for.
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
    const unsigned long long started = NowFileTime();

    const std::wstring folder = OwnFolder();
    const std::wstring hold = Env(L"LUMBRA_SPY_HOLD");
    if (!hold.empty()) {
        std::wstring line = L"\"" + folder + L"Tavisk.exe\" --hold \"" + folder + hold + L"\" " +
                            Env(L"LUMBRA_SPY_HOLD_MS");
        STARTUPINFOW si = {};
        si.cb = sizeof(si);
        PROCESS_INFORMATION pi = {};
        if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
            WaitForInputIdle(pi.hProcess, 2000);
            Sleep(300);  // let the helper open the file
            CloseHandle(pi.hThread);
            CloseHandle(pi.hProcess);
        }
    }

    // Stay as a real viewer would: waiting in its message loop, which is what "idle for input" means.
    const std::wstring sleepMs = Env(L"LUMBRA_SPY_SLEEP_MS");
    if (!sleepMs.empty()) {
        SetTimer(nullptr, 0, static_cast<UINT>(_wtoi(sleepMs.c_str())), nullptr);
        while (GetMessageW(&msg, nullptr, 0, 0) > 0 && msg.message != WM_TIMER)
            DispatchMessageW(&msg);
    }
    const std::wstring until = Env(L"LUMBRA_SPY_UNTIL");
    if (!until.empty()) {
        SetTimer(nullptr, 0, 50, nullptr);
        const ULONGLONG giveUp = GetTickCount64() + 120000;
        while (GetFileAttributesW(until.c_str()) == INVALID_FILE_ATTRIBUTES && GetTickCount64() < giveUp &&
               GetMessageW(&msg, nullptr, 0, 0) > 0)
            DispatchMessageW(&msg);
    }

    const std::wstring report = Env(L"LUMBRA_SPY_REPORT");
    if (!report.empty()) {
        std::vector<std::wstring> files;
        ListFiles(folder, L"", files);
        std::string text = "cmdline: " + Utf8(GetCommandLineW()) + "\n";
        text += "folder: " + Utf8(folder) + "\n";
        for (int i = 1; i < argc; ++i)
            text += "arg: " + Utf8(argv[i]) + "\n";
        for (const std::wstring& f : files)
            text += "file: " + Utf8(f) + "\n";
        text += "started: " + std::to_string(started) + "\n";
        text += "ended: " + std::to_string(NowFileTime()) + "\n";
        text += "end\n";
        Append(report, text);
    }
    LocalFree(argv);
    return 7;  // the launcher must not care
}

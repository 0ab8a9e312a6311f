#include "toolkit/dialogs/ModuleEnumeration.h"

#include <psapi.h>
#include <tlhelp32.h>

#include <cstdlib>
#include <cwchar>
#include <new>
#include <string>
#include <vector>

#include "platform/mfc/AfxSystemModule.h"

namespace {

// The process status library holds at most this many module handles per call; a process with more
// modules is listed with the first ones.
constexpr DWORD kMaxProcessStatusModules = 1024;
// Snapshots fail now and then with ERROR_BAD_LENGTH while the process loads or unloads a module;
// Windows asks callers to try again.
constexpr int kSnapshotAttempts = 5;

// Closes a snapshot or process handle, also when the walk ends by an exception.
class CKernelHandle {
public:
    explicit CKernelHandle(HANDLE hHandle) : m_hHandle(hHandle) {}
    ~CKernelHandle()
    {
        if (IsValid())
            ::CloseHandle(m_hHandle);
    }
    CKernelHandle(const CKernelHandle&) = delete;
    CKernelHandle& operator=(const CKernelHandle&) = delete;
    bool IsValid() const { return m_hHandle != nullptr && m_hHandle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_hHandle; }

private:
    HANDLE m_hHandle;
};

// Upper case as the user's locale has it, for the whole string.
CString ToUpperForLocale(const wchar_t* pszText)
{
    CString strText(pszText);
    const int nLength = strText.GetLength();
    if (nLength == 0)
        return strText;
    std::vector<wchar_t> upper(static_cast<size_t>(nLength));
    const int nMapped = ::LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_UPPERCASE, strText.GetString(), nLength,
                                       upper.data(), nLength);
    return nMapped == nLength ? CString(upper.data(), nLength) : strText;
}

DWORD ProcessIdOrCurrent(DWORD dwProcessId)
{
    return dwProcessId == 0 ? ::GetCurrentProcessId() : dwProcessId;
}

BOOL WalkSnapshot(DWORD dwProcessId, std::list<CString>& modules)
{
    using CreateSnapshotFn = HANDLE(WINAPI*)(DWORD, DWORD);
    using ModuleWalkFn = BOOL(WINAPI*)(HANDLE, LPMODULEENTRY32W);
    const auto pfnSnapshot = AfxSystemProc<CreateSnapshotFn>(L"kernel32.dll", "CreateToolhelp32Snapshot");
    const auto pfnFirst = AfxSystemProc<ModuleWalkFn>(L"kernel32.dll", "Module32FirstW");
    const auto pfnNext = AfxSystemProc<ModuleWalkFn>(L"kernel32.dll", "Module32NextW");
    if (!pfnSnapshot || !pfnFirst || !pfnNext)
        return FALSE;

    HANDLE hSnapshot = INVALID_HANDLE_VALUE;
    for (int i = 0; i < kSnapshotAttempts; ++i) {
        hSnapshot = pfnSnapshot(TH32CS_SNAPMODULE, dwProcessId);
        if (hSnapshot != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_BAD_LENGTH)
            break;
    }
    CKernelHandle snapshot(hSnapshot);
    if (!snapshot.IsValid())
        return FALSE;

    // The record's own size on this platform: a size from another build of the structure is refused.
    MODULEENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    BOOL bRead = FALSE;
    for (BOOL bMore = pfnFirst(snapshot.Get(), &entry); bMore; bMore = pfnNext(snapshot.Get(), &entry)) {
        entry.szExePath[MAX_PATH - 1] = L'\0';
        InsertModuleSorted(modules, ToUpperForLocale(entry.szExePath));
        bRead = TRUE;
    }
    return bRead;
}

BOOL ReadProcessModules(DWORD dwProcessId, std::list<CString>& modules)
{
    using EnumModulesFn = BOOL(WINAPI*)(HANDLE, HMODULE*, DWORD, LPDWORD);
    using ModuleFileNameFn = DWORD(WINAPI*)(HANDLE, HMODULE, LPWSTR, DWORD);
    const auto pfnEnum = AfxSystemProc<EnumModulesFn>(L"psapi.dll", "EnumProcessModules");
    const auto pfnFileName = AfxSystemProc<ModuleFileNameFn>(L"psapi.dll", "GetModuleFileNameExW");
    if (!pfnEnum || !pfnFileName)
        return FALSE;

    CKernelHandle process(::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, dwProcessId));
    if (!process.IsValid())
        return FALSE;
    std::vector<HMODULE> handles(kMaxProcessStatusModules);
    DWORD cbNeeded = 0;
    const DWORD cbArray = static_cast<DWORD>(handles.size() * sizeof(HMODULE));
    if (pfnEnum(process.Get(), handles.data(), cbArray, &cbNeeded)) {
        // The library reports what all modules would need, which may be more than the array holds.
        DWORD nCount = cbNeeded / sizeof(HMODULE);
        if (nCount > kMaxProcessStatusModules)
            nCount = kMaxProcessStatusModules;
        std::vector<wchar_t> path(32768);
        for (DWORD i = 0; i < nCount; ++i) {
            const DWORD nLength = pfnFileName(process.Get(), handles[i], path.data(), static_cast<DWORD>(path.size()));
            if (nLength > 0 && nLength < path.size())
                modules.push_back(CString(path.data(), static_cast<int>(nLength)));
        }
    }
    return TRUE;
}

// Either route into an emptied list; running out of memory on the way is a failed read.
BOOL ReadInto(BOOL (*pfnRoute)(DWORD, std::list<CString>&), DWORD dwProcessId, std::list<CString>& modules)
{
    modules.clear();
    try {
        return pfnRoute(ProcessIdOrCurrent(dwProcessId), modules);
    } catch (const std::bad_alloc&) {
        return FALSE;
    }
}

}  // namespace

BOOL UseToolHelpForModules(const OSVERSIONINFOW& version)
{
    return version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS ||
           (version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion > 4);
}

BOOL EnumerateModulesWithToolHelp(DWORD dwProcessId, std::list<CString>& modules)
{
    return ReadInto(WalkSnapshot, dwProcessId, modules);
}

BOOL EnumerateModulesWithProcessStatus(DWORD dwProcessId, std::list<CString>& modules)
{
    return ReadInto(ReadProcessModules, dwProcessId, modules);
}

void InsertModuleSorted(std::list<CString>& modules, const CString& strPath)
{
    for (auto it = modules.begin(); it != modules.end(); ++it) {
        if (wcscmp(it->GetString(), strPath.GetString()) >= 0) {
            modules.insert(it, strPath);
            return;
        }
    }
    modules.push_back(strPath);
}

ModulePathParts SplitModulePath(const CString& strPath)
{
    wchar_t szDrive[256] = {}, szFolder[256] = {}, szName[256] = {}, szExtension[256] = {};
    ModulePathParts parts;
    if (_wsplitpath_s(strPath.GetString(), szDrive, 256, szFolder, 256, szName, 256, szExtension, 256) == 0) {
        parts.strFolder.Format(L"%s%s", szDrive, szFolder);
        parts.strName.Format(L"%s%s", szName, szExtension);
        return parts;
    }
    // A part longer than the buffers: the name is what follows the last separator, the folder
    // everything before it.
    const std::wstring path(strPath.GetString());
    const size_t nSeparator = path.find_last_of(L"\\/");
    const size_t nNameStart = nSeparator == std::wstring::npos ? (path.size() > 1 && path[1] == L':' ? 2 : 0)
                                                               : nSeparator + 1;
    parts.strFolder = CString(path.substr(0, nNameStart).c_str());
    parts.strName = CString(path.substr(nNameStart).c_str());
    return parts;
}

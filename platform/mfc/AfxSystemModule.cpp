#include "platform/mfc/AfxSystemModule.h"

HMODULE AfxLoadSystemModule(const wchar_t* pszName)
{
    if (HMODULE hLoaded = GetModuleHandleW(pszName))
        return hLoaded;
    if (lstrcmpiW(pszName, L"comctl32.dll") == 0)
        return LoadLibraryW(pszName);
    HMODULE hModule = LoadLibraryExW(pszName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!hModule && GetLastError() == ERROR_INVALID_PARAMETER) {
        // A Windows 7 without the search-path update: ask for the full path in the system folder.
        wchar_t path[MAX_PATH];
        const UINT n = GetSystemDirectoryW(path, MAX_PATH);
        if (n > 0 && n + 1 + lstrlenW(pszName) < MAX_PATH) {
            lstrcatW(path, L"\\");
            lstrcatW(path, pszName);
            hModule = LoadLibraryW(path);
        }
    }
    return hModule;
}

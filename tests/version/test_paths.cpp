#include "test_paths.h"

#include <windows.h>

#include <cstdlib>
#include <vector>

std::wstring ExecutablePath()
{
    std::vector<wchar_t> buffer(32768);
    DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    return std::wstring(buffer.data(), n);
}

std::wstring ExecutableFolder()
{
    std::wstring path = ExecutablePath();
    return path.substr(0, path.find_last_of(L"\\/") + 1);
}

std::wstring TempFolder()
{
    wchar_t buffer[MAX_PATH + 1] = {};
    DWORD n = GetTempPathW(MAX_PATH + 1, buffer);
    return std::wstring(buffer, n);
}

std::wstring LumbraBinFolder()
{
    const wchar_t* bin = _wgetenv(L"LUMBRA_BIN");
    if (!bin || !*bin)
        return ExecutableFolder();
    std::wstring path(bin);
    if (path[0] == L'/')
        path = L"Z:" + path;
    for (wchar_t& ch : path) {
        if (ch == L'/')
            ch = L'\\';
    }
    if (path.back() != L'\\')
        path += L'\\';
    return path;
}

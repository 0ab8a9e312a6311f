// Stands in for a system DLL planted beside a program or in its current folder. When anything loads
// it, it leaves "<its path>-<loading program>.loaded" next to itself and refuses to load.
#include <windows.h>

#include <string>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    wchar_t self[MAX_PATH], program[MAX_PATH];
    const std::wstring dll(self, GetModuleFileNameW(instance, self, MAX_PATH));
    std::wstring exe(program, GetModuleFileNameW(nullptr, program, MAX_PATH));
    exe = exe.substr(exe.find_last_of(L"\\/") + 1);
    HANDLE marker = CreateFileW((dll + L"-" + exe + L".loaded").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (marker != INVALID_HANDLE_VALUE)
        CloseHandle(marker);
    return FALSE;
}

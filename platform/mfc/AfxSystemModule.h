#pragma once
// Functions of system DLLs that only some runs need, looked up when first called, so that loading
// those DLLs does not delay the start of every run. The DLLs stay loaded for the rest of the process.
#include <windows.h>

// The module, from the system folder only (never a same-named file next to the program); comctl32
// goes through the activation context, so the manifest's version 6 is the one loaded.
HMODULE AfxLoadSystemModule(const wchar_t* pszName);

template <typename Function>
Function AfxSystemProc(const wchar_t* pszModule, const char* pszProc)
{
    HMODULE hModule = AfxLoadSystemModule(pszModule);
    return hModule ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(hModule, pszProc))) : nullptr;
}

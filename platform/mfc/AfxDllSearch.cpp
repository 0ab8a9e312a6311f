// Restricts where the process looks for DLLs to the system folder, before anything else of the
// program runs: a program started from a Downloads folder or a stick must never load a DLL that
// happens to lie beside it, in the current folder or in a folder it unpacked. Its static imports are
// all DLLs the system always loads from its own folder; every other system DLL is loaded by name
// later, and after this only the system folder is searched for it.
#include <windows.h>

namespace {

void RestrictDllSearchToSystemFolder()
{
    // kernel32 is always loaded; the function exists on Windows 8 and later, and on Windows 7 with
    // the search-path update.
    using SetDirectoriesFn = BOOL(WINAPI*)(DWORD);
    const auto pfnSetDefault = reinterpret_cast<SetDirectoriesFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (pfnSetDefault && pfnSetDefault(LOAD_LIBRARY_SEARCH_SYSTEM32))
        return;
    // Without it, at least the current folder leaves the search.
    SetDllDirectoryW(L"");
}

// Constructed before every other static object of the program (the lowest priority GCC offers to a
// program), so before anything that might load a library.
struct DllSearchRestriction {
    DllSearchRestriction() { RestrictDllSearchToSystemFolder(); }
};
__attribute__((init_priority(101))) DllSearchRestriction g_dllSearchRestriction;

}  // namespace

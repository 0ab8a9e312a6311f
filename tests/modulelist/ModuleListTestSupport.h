#pragma once
// What the module list tests share: the test libraries beside the test program, loaded for the
// length of a test, and upper-casing as the list does it.
#include <windows.h>

#include <string>

// Loads a library while it lives; the path is the full path it was loaded from.
class LoadedModule {
public:
    explicit LoadedModule(const std::wstring& path);
    ~LoadedModule();
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;
    HMODULE handle() const { return m_hModule; }
    const std::wstring& path() const { return m_path; }

private:
    HMODULE m_hModule;
    std::wstring m_path;
};

// The folder of the test program, with a trailing backslash.
std::wstring ProgramFolder();
// The full path of a loaded module, as the system reports it.
std::wstring ModulePath(HMODULE hModule);
// Upper case in the user's locale.
std::wstring Upper(const std::wstring& text);

// The test libraries (in the program's folder).
inline const wchar_t kMakerModule[] = L"maker_test_module.dll";        // "Ferrund Systems Test Laboratory", 4.3.2.1
inline const wchar_t kLowercaseModule[] = L"lowercase_test_module.dll";  // "ferrund systems", 5.6.7.8
inline const wchar_t kPlainModule[] = L"plain_test_module.dll";          // no version information

#include "ModuleListTestSupport.h"

#include <vector>

LoadedModule::LoadedModule(const std::wstring& path) : m_hModule(::LoadLibraryW(path.c_str()))
{
    if (m_hModule)
        m_path = ModulePath(m_hModule);
}

LoadedModule::~LoadedModule()
{
    if (m_hModule)
        ::FreeLibrary(m_hModule);
}

std::wstring ProgramFolder()
{
    std::wstring path = ModulePath(nullptr);
    return path.substr(0, path.find_last_of(L'\\') + 1);
}

std::wstring ModulePath(HMODULE hModule)
{
    std::vector<wchar_t> buffer(32768);
    const DWORD nLength = ::GetModuleFileNameW(hModule, buffer.data(), static_cast<DWORD>(buffer.size()));
    return std::wstring(buffer.data(), nLength);
}

std::wstring Upper(const std::wstring& text)
{
    std::wstring upper(text.size(), L'\0');
    if (!text.empty())
        ::LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_UPPERCASE, text.c_str(), static_cast<int>(text.size()),
                       upper.data(), static_cast<int>(upper.size()));
    return upper;
}

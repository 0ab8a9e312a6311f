#include "TestSupport.h"

#include <cstdlib>
#include <stdexcept>

namespace viewer_test {

std::wstring Widen(const std::string& utf8)
{
    if (utf8.empty())
        return {};
    const int length = static_cast<int>(utf8.size());
    const int needed = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
    std::wstring result(static_cast<size_t>(needed), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, result.data(), needed);
    return result;
}

std::wstring WindowsFolder(const std::string& path)
{
    std::wstring result = Widen(path);
    for (wchar_t& ch : result)
        if (ch == L'/')
            ch = L'\\';
    if (!result.empty() && result[0] == L'\\')
        result = L"Z:" + result;  // Wine maps the Unix root to drive Z:
    if (!result.empty() && result.back() != L'\\')
        result += L'\\';
    return result;
}

std::wstring BinFolder()
{
    const char* bin = std::getenv("LUMBRA_BIN");
    if (!bin)
        throw std::runtime_error("LUMBRA_BIN is not set");
    return WindowsFolder(bin);
}

std::wstring LanguageFolder()
{
    return WindowsFolder(LUMBRA_LANG_DIR);
}

ScratchFolder::ScratchFolder(const std::wstring& name)
{
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    m_path = std::wstring(temp) + L"tavisk-test-" + std::to_wstring(::GetCurrentProcessId()) + L"-" + name + L"\\";
    DeleteTree(m_path);
    if (!::CreateDirectoryW(m_path.c_str(), nullptr))
        throw std::runtime_error("cannot create the scratch folder");
}

ScratchFolder::~ScratchFolder()
{
    DeleteTree(m_path);
}

void WriteBytes(const std::wstring& path, const std::vector<std::uint8_t>& bytes)
{
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot write a test file");
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(file);
}

std::string ReadBytes(const std::wstring& path)
{
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    std::string content;
    char buffer[4096];
    DWORD got = 0;
    while (::ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0)
        content.append(buffer, got);
    ::CloseHandle(file);
    return content;
}

std::uint64_t SizeOf(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool DeleteTree(const std::wstring& folder)
{
    std::wstring base = folder;
    if (!base.empty() && base.back() != L'\\')
        base += L'\\';
    WIN32_FIND_DATAW data;
    HANDLE search = ::FindFirstFileW((base + L"*").c_str(), &data);
    bool ok = true;
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring full = base + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                ok = DeleteTree(full) && ok;
            else
                ok = ::DeleteFileW(full.c_str()) && ok;
        } while (::FindNextFileW(search, &data));
        ::FindClose(search);
    }
    const DWORD attributes = ::GetFileAttributesW(base.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return ok;
    return ::RemoveDirectoryW(base.c_str()) && ok;
}

bool OpenedByNobody(const std::wstring& path)
{
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr, OPEN_EXISTING, 0,
                                nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    ::CloseHandle(file);
    return true;
}

}  // namespace viewer_test

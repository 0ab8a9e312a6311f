#include "ZipTestFiles.h"

#include <cstdlib>

std::wstring DataPath(const std::wstring& name)
{
    const char* data = std::getenv("ZIP_TEST_DATA");
    std::wstring path = L"Z:";
    for (const char* p = data ? data : ""; *p; ++p)
        path += *p == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(*p));
    return path + L"\\" + name;
}

std::vector<uint8_t> ReadBytes(const std::wstring& path)
{
    std::vector<uint8_t> bytes;
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    LARGE_INTEGER size{};
    GetFileSizeEx(file, &size);
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    if (!bytes.empty() && (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
                           read != bytes.size()))
        bytes.clear();
    CloseHandle(file);
    return bytes;
}

namespace {

void Walk(const std::wstring& root, const std::wstring& relative, std::map<std::wstring, DWORD>& out)
{
    WIN32_FIND_DATAW found;
    const HANDLE find = FindFirstFileW((root + relative + L"*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            out[relative + name + L"\\"] = found.dwFileAttributes;
            Walk(root, relative + name + L"\\", out);
        } else {
            out[relative + name] = found.dwFileAttributes;
        }
    } while (FindNextFileW(find, &found));
    FindClose(find);
}

}  // namespace

std::map<std::wstring, DWORD> ListTree(const std::wstring& folder)
{
    std::map<std::wstring, DWORD> out;
    std::wstring root = folder;
    if (!root.empty() && root.back() != L'\\')
        root += L'\\';
    Walk(root, L"", out);
    return out;
}

void RemoveTree(const std::wstring& folder)
{
    std::wstring root = folder;
    if (!root.empty() && root.back() != L'\\')
        root += L'\\';
    const auto tree = ListTree(root);
    for (auto it = tree.rbegin(); it != tree.rend(); ++it) {  // children sort after their folders
        const std::wstring path = root + it->first;
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (it->first.back() == L'\\')
            RemoveDirectoryW(path.c_str());
        else
            DeleteFileW(path.c_str());
    }
    RemoveDirectoryW(root.c_str());
}

ScratchFolder::ScratchFolder(const wchar_t* tag)
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    m_strPath = std::wstring(temp) + L"ziptest-" + tag + L"-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    RemoveTree(m_strPath);
    CreateDirectoryW(m_strPath.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() { RemoveTree(m_strPath); }

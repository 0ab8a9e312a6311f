#include "support/ScratchFolder.h"

#include <atomic>

namespace {
std::atomic<int> g_counter{0};
}

ScratchFolder::ScratchFolder(const std::wstring& prefix, const std::wstring& parent)
{
    std::wstring base = parent;
    if (base.empty()) {
        wchar_t temp[MAX_PATH];
        DWORD n = GetTempPathW(MAX_PATH, temp);
        base.assign(temp, n);
    }
    if (!base.empty() && base.back() != L'\\')
        base += L'\\';
    for (;;) {
        m_path = base + prefix + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++g_counter) +
                 L"\\";
        if (CreateDirectoryW(m_path.c_str(), nullptr))
            break;
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            break;
    }
}

ScratchFolder::~ScratchFolder()
{
    RemoveTreeForTest(m_path);
}

bool WriteTextFile(const std::wstring& path, const std::string& content)
{
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = WriteFile(h, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(h);
    return ok && written == content.size();
}

std::string ReadWholeFile(const std::wstring& path)
{
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return {};
    std::string content;
    char buffer[65536];
    DWORD read = 0;
    while (ReadFile(h, buffer, sizeof(buffer), &read, nullptr) && read > 0)
        content.append(buffer, read);
    CloseHandle(h);
    return content;
}

bool PathExists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void RemoveTreeForTest(const std::wstring& folder)
{
    std::wstring base = folder;
    if (!base.empty() && base.back() == L'\\')
        base.pop_back();
    // Through the long-path prefix, so that names only it can make (device names such as aux.txt,
    // paths beyond MAX_PATH) go too.
    if (base.size() > 2 && base[1] == L':' && base[2] == L'\\')
        base = L"\\\\?\\" + base;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((base + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = data.cFileName;
            if (name == L"." || name == L"..")
                continue;
            std::wstring path = base + L"\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
                if (!RemoveDirectoryW(path.c_str()))
                    DeleteFileW(path.c_str());
            } else if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTreeForTest(path);
            } else {
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(base.c_str());
}

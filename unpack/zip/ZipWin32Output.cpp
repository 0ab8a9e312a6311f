#include "unpack/zip/ZipWin32Output.h"

#include "unpack/zip/ZipPaths.h"
#include "unpack/zip/ZipReader.h"

#include <algorithm>

namespace zip {
namespace {

FILETIME ToFileTime(uint64_t value)
{
    return FILETIME{static_cast<DWORD>(value), static_cast<DWORD>(value >> 32)};
}

// Case-insensitive comparison of two paths, either separator matching the other.
bool SamePathPrefix(const std::wstring& path, const std::wstring& prefix)
{
    if (path.size() <= prefix.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        const wchar_t a = path[i], b = prefix[i];
        if (IsSeparator(a) && IsSeparator(b))
            continue;
        if (towupper(a) != towupper(b))
            return false;
    }
    return true;
}

// The read-only attribute cleared; false when the file is read-only and stays so.
bool ClearReadOnly(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_READONLY))
        return true;
    return SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY) != FALSE;
}

class Win32File final : public OutputFile {
public:
    explicit Win32File(HANDLE file) : m_hFile(file) {}
    ~Win32File() override { CloseHandle(m_hFile); }
    Win32File(const Win32File&) = delete;
    Win32File& operator=(const Win32File&) = delete;

    bool Write(std::span<const uint8_t> data) override
    {
        while (!data.empty()) {
            const DWORD chunk = static_cast<DWORD>(std::min<size_t>(data.size(), 0x40000000));
            DWORD written = 0;
            if (!WriteFile(m_hFile, data.data(), chunk, &written, nullptr) || written == 0)
                return false;
            data = data.subspan(written);
        }
        return true;
    }

    void SetTimes(const FileTimes& times) override
    {
        const FILETIME creation = ToFileTime(times.creation), access = ToFileTime(times.access),
                       write = ToFileTime(times.write);
        SetFileTime(m_hFile, &creation, &access, &write);
    }

private:
    HANDLE m_hFile;
};

}  // namespace

bool Win32Output::Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void Win32Output::CreateFolder(const std::wstring& path)
{
    CreateDirectoryW(path.c_str(), nullptr);
}

std::unique_ptr<OutputFile> Win32Output::CreateOutputFile(const std::wstring& path, uint32_t attr, bool& folderMissing)
{
    // A new file in an existing folder, the common case, costs one call. Creating files dominates the
    // time of an unzip (under Wine each call is a round trip to the server), so nothing is asked first.
    folderMissing = false;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, attr, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error == ERROR_PATH_NOT_FOUND) {
            folderMissing = true;
            return nullptr;
        }
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
            return nullptr;
        if (IsOwn(path)) {
            if (!ClearReadOnly(path))
                return nullptr;  // with the error of the attempt
        } else {
            // Windows refuses to replace a read-only file; Wine lets a root process do it. Refuse it
            // everywhere but in our own folder, with the error Windows gives.
            const DWORD existing = GetFileAttributesW(path.c_str());
            if (existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_READONLY)) {
                SetLastError(ERROR_ACCESS_DENIED);
                return nullptr;
            }
        }
        file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attr, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return nullptr;
    }
    return std::make_unique<Win32File>(file);
}

bool Win32Output::IsOwn(const std::wstring& path) const
{
    // A parent step could lead out of the folder: such a path is never ours.
    return !m_strOwnFolder.empty() && SamePathPrefix(path, m_strOwnFolder) && path.find(L"..") == std::wstring::npos;
}

void Win32Output::RemoveFile(const std::wstring& path)
{
    // The file was created read-only when its entry says so: ours to remove all the same.
    ClearReadOnly(path);
    DeleteFileW(path.c_str());
}

std::wstring Win32Output::CurrentFolder()
{
    wchar_t current[MAX_PATH];
    const DWORD length = GetCurrentDirectoryW(MAX_PATH, current);
    if (length == 0 || length >= MAX_PATH)
        return {};
    return std::wstring(current, length);
}

uint64_t Win32Output::DosTimeToFileTime(uint16_t dosDate, uint16_t dosTime)
{
    SYSTEMTIME local{};
    local.wYear = static_cast<WORD>((dosDate >> 9) + 1980);
    local.wMonth = static_cast<WORD>((dosDate >> 5) & 0x0F);
    local.wDay = static_cast<WORD>(dosDate & 0x1F);
    local.wHour = static_cast<WORD>(dosTime >> 11);
    local.wMinute = static_cast<WORD>((dosTime >> 5) & 0x3F);
    local.wSecond = static_cast<WORD>((dosTime & 0x1F) * 2);
    FILETIME localTime{}, utc{};
    if (!SystemTimeToFileTime(&local, &localTime) || !LocalFileTimeToFileTime(&localTime, &utc))
        return 0;
    return static_cast<uint64_t>(utc.dwHighDateTime) << 32 | utc.dwLowDateTime;
}

}  // namespace zip

HZIP ZipOpenMemory(const void* buffer, unsigned int size, const char* password)
{
    // Stateless: one object serves every handle and thread.
    static zip::Win32Output output;
    return ZipOpenMemoryWith(buffer, size, password, output);
}

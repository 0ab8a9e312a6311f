#include "unpack/zip/ZipWin32Output.h"

#include <algorithm>

namespace zip {
namespace {

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
        // Windows refuses to replace a read-only file; Wine lets a root process do it. Refuse it everywhere.
        const DWORD existing = GetFileAttributesW(path.c_str());
        if (existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_READONLY))
            return nullptr;
        file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attr, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return nullptr;
    }
    return std::make_unique<Win32File>(file);
}

FILETIME DosTimeToFileTime(uint16_t dosDate, uint16_t dosTime)
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
        return FILETIME{};
    return utc;
}

}  // namespace zip

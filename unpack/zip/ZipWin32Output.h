#pragma once
// The file system side of the unzip step, and the local-time conversion of DOS timestamps.
#include "unpack/zip/ZipOutput.h"

#include <windows.h>

namespace zip {

class Win32Output final : public Output {
public:
    bool Exists(const std::wstring& path) override;
    void CreateFolder(const std::wstring& path) override;
    std::unique_ptr<OutputFile> CreateOutputFile(const std::wstring& path, uint32_t attr, bool& folderMissing) override;
};

// A DOS date and time read as local time; a zero FILETIME when they name no valid moment.
FILETIME DosTimeToFileTime(uint16_t dosDate, uint16_t dosTime);

inline FILETIME ToFileTime(uint64_t value)
{
    return FILETIME{static_cast<DWORD>(value), static_cast<DWORD>(value >> 32)};
}
inline uint64_t FromFileTime(const FILETIME& ft)
{
    return static_cast<uint64_t>(ft.dwHighDateTime) << 32 | ft.dwLowDateTime;
}

}  // namespace zip

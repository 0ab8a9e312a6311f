#pragma once
// The file system side of the unzip step, and the local-time conversion of DOS timestamps.
#include "unpack/zip/ZipOutput.h"

#include <windows.h>

namespace zip {

class Win32Output final : public Output {
public:
    // Below ownFolder (a folder path ending in a separator; none when empty) a read-only file is ours to
    // replace or remove: its read-only attribute is cleared first. Elsewhere such a file is refused.
    explicit Win32Output(std::wstring ownFolder = {}) : m_strOwnFolder(std::move(ownFolder)) {}

    bool Exists(const std::wstring& path) override;
    void CreateFolder(const std::wstring& path) override;
    std::unique_ptr<OutputFile> CreateOutputFile(const std::wstring& path, uint32_t attr, bool& folderMissing) override;
    void RemoveFile(const std::wstring& path) override;
    uint32_t LastSystemError() override { return GetLastError(); }
    std::wstring CurrentFolder() override;
    // Read as local time.
    uint64_t DosTimeToFileTime(uint16_t dosDate, uint16_t dosTime) override;

private:
    bool IsOwn(const std::wstring& path) const;

    const std::wstring m_strOwnFolder;
};

}  // namespace zip

#pragma once
// What the unzip step writes through: folders and files of the real file system (ZipWin32Output.h),
// or anything else a test puts in its place.
#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace zip {

struct FileTimes {  // FILETIME values: 100 ns units since 1601, UTC
    uint64_t creation = 0, access = 0, write = 0;
};

class OutputFile {
public:
    virtual ~OutputFile() = default;  // closes the file
    virtual bool Write(std::span<const uint8_t> data) = 0;
    virtual void SetTimes(const FileTimes& times) = 0;
};

class Output {
public:
    virtual ~Output() = default;
    virtual bool Exists(const std::wstring& path) = 0;
    virtual void CreateFolder(const std::wstring& path) = 0;  // failures are not reported
    // Replaces an existing file; nullptr when the file cannot be created, with folderMissing set when
    // its folder does not exist (the unzip step then creates the folders and tries once more).
    virtual std::unique_ptr<OutputFile> CreateOutputFile(const std::wstring& path, uint32_t attr,
                                                         bool& folderMissing) = 0;
};

}  // namespace zip

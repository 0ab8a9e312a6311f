#pragma once
// What the unzip step writes through: folders and files of the real file system (ZipWin32Output.h),
// or anything else a test or a fuzzer puts in its place. Nothing here needs Windows.
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

// One output may serve several threads at once (the parallel unzip): implementations keep no state
// that a call changes.
class Output {
public:
    virtual ~Output() = default;
    virtual bool Exists(const std::wstring& path) = 0;
    virtual void CreateFolder(const std::wstring& path) = 0;  // failures are not reported
    // Replaces an existing file; nullptr when the file cannot be created, with folderMissing set when
    // its folder does not exist (the unzip step then creates the folders and tries once more).
    virtual std::unique_ptr<OutputFile> CreateOutputFile(const std::wstring& path, uint32_t attr,
                                                         bool& folderMissing) = 0;
    // Removes a file that the unzip step created and could not complete.
    virtual void RemoveFile(const std::wstring&) {}
    // The calling thread's last system error, read right after a failed create or write.
    virtual uint32_t LastSystemError() { return 0; }
    // The base folder a new reader starts with ("" for none).
    virtual std::wstring CurrentFolder() { return {}; }
    // A DOS date and time as a FILETIME value; 0 when they name no valid moment. This default reads them
    // as UTC; the file system's output reads them as local time.
    virtual uint64_t DosTimeToFileTime(uint16_t dosDate, uint16_t dosTime);
};

}  // namespace zip

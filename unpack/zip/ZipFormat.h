#pragma once
// The zip container read from a byte span: end record, central directory, local headers, and what an
// entry's records say (cleaned name, attributes, extended timestamps, where its data starts).
// Nothing here touches the operating system, so it can be fed hostile input alone.
#include "unpack/zip/ZipStatus.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace zip {

constexpr uint32_t kEndSignature = 0x06054b50;
constexpr uint32_t kCentralSignature = 0x02014b50;
constexpr uint32_t kLocalSignature = 0x04034b50;
constexpr size_t kEndRecordSize = 22;
constexpr size_t kCentralRecordSize = 46;
constexpr size_t kLocalHeaderSize = 30;
constexpr size_t kMaxNameBytes = 259;  // a name must fit a MAX_PATH buffer with its terminator

constexpr uint16_t kFlagEncrypted = 0x0001;
constexpr uint16_t kFlagDataDescriptor = 0x0008;
constexpr uint16_t kMethodStored = 0;
constexpr uint16_t kMethodDeflated = 8;

constexpr uint32_t kAttrReadOnly = 0x01, kAttrHidden = 0x02, kAttrSystem = 0x04, kAttrDirectory = 0x10,
                   kAttrArchive = 0x20;

struct CentralDirectory {
    uint32_t entryCount = 0;
    size_t firstRecord = 0;  // position of the first central record in the buffer
    size_t bytesBefore = 0;  // bytes that precede the archive in the buffer; added to every offset
    size_t size = 0;         // bytes of the central directory
};

// Finds the end record in the last 64 KB of the buffer and checks that it describes a single-disk
// central directory that lies in front of it.
std::optional<CentralDirectory> FindCentralDirectory(Bytes archive);

struct CentralRecord {
    size_t offset = 0;  // position in the buffer
    uint16_t versionMadeBy = 0, flags = 0, method = 0, dosTime = 0, dosDate = 0;
    uint32_t crc = 0, compressedSize = 0, uncompressedSize = 0, externalAttr = 0, localOffset = 0;
    uint16_t nameLength = 0, extraLength = 0, commentLength = 0;

    size_t RecordSize() const { return kCentralRecordSize + nameLength + extraLength + commentLength; }
};

// Reads the central record at offset; BadArchive unless it lies whole in the buffer with its signature.
Status ReadCentralRecord(Bytes archive, size_t offset, CentralRecord& record);

struct Entry {
    CentralRecord central;
    std::wstring name;  // converted from UTF-8 and cleaned
    uint32_t attr = 0;
    std::optional<int64_t> writeTime, accessTime, creationTime;  // Unix times from the "UT" block
    size_t dataOffset = 0;  // first byte of the entry's (possibly encrypted) data in the buffer
};

// Walks the whole central directory once: every record must lie whole inside the directory (so a count
// that does not fit its size is refused), and the entries' local headers with their data must lie side
// by side between the start of the archive and the directory, none overlapping another. Gives the
// position of each record. BadArchive otherwise.
Status ReadDirectoryLayout(Bytes archive, const CentralDirectory& directory, std::vector<size_t>& recordOffsets);

// Checks the entry's local header against its central record and gathers what get item reports.
Status ReadEntry(Bytes archive, const CentralDirectory& directory, const CentralRecord& central, Entry& entry);

// Windows attribute bits from the version-made-by field and the external attributes.
uint32_t EntryAttributes(uint16_t versionMadeBy, uint32_t externalAttr);

struct UnixTimes {
    std::optional<int64_t> write, access, creation;
};
// Reads the first "UT" (extended timestamp) block of a local extra field.
UnixTimes ReadExtendedTimestamp(Bytes extra);

// FILETIME value (100 ns units since 1601) of a Unix time.
uint64_t UnixTimeToFileTime(int64_t unixTime);

}  // namespace zip

#include "unpack/zip/ZipFormat.h"

#include "unpack/zip/ZipNames.h"
#include "unpack/zip/ZipPaths.h"

#include <algorithm>
#include <climits>

namespace zip {
namespace {

constexpr size_t kMaxCommentLength = 0xFFFF;

bool SignatureAt(Bytes archive, size_t offset, uint32_t signature)
{
    return Fits(archive, offset, 4) && Le32(archive.data() + offset) == signature;
}

std::optional<CentralDirectory> ReadEndRecord(Bytes archive, size_t position)
{
    const uint8_t* p = archive.data() + position;
    const uint16_t thisDisk = Le16(p + 4), directoryDisk = Le16(p + 6);
    const uint16_t entriesHere = Le16(p + 8), entriesTotal = Le16(p + 10);
    const uint32_t directorySize = Le32(p + 12), directoryOffset = Le32(p + 16);
    if (thisDisk != 0 || directoryDisk != 0 || entriesHere != entriesTotal)
        return std::nullopt;
    const uint64_t directoryEnd = uint64_t{directoryOffset} + directorySize;
    if (position < directoryEnd)
        return std::nullopt;
    CentralDirectory directory;
    directory.entryCount = entriesTotal;
    directory.bytesBefore = position - static_cast<size_t>(directoryEnd);
    directory.firstRecord = directory.bytesBefore + directoryOffset;
    directory.size = directorySize;
    return directory;
}

}  // namespace

std::optional<CentralDirectory> FindCentralDirectory(Bytes archive)
{
    if (archive.size() < kEndRecordSize)
        return std::nullopt;
    // Scanned from the end: the record is the last thing in the archive but for its comment. A
    // candidate whose fields make no sense (the signature inside a comment) does not end the search.
    const size_t last = archive.size() - kEndRecordSize;
    const size_t first = last > kMaxCommentLength ? last - kMaxCommentLength : 0;
    for (size_t position = last + 1; position-- > first;) {
        if (archive[position] != 0x50 || Le32(archive.data() + position) != kEndSignature)
            continue;
        if (auto directory = ReadEndRecord(archive, position))
            return directory;
    }
    return std::nullopt;
}

Status ReadCentralRecord(Bytes archive, size_t offset, CentralRecord& record)
{
    if (!Fits(archive, offset, kCentralRecordSize) || !SignatureAt(archive, offset, kCentralSignature))
        return Status::BadArchive;
    const uint8_t* p = archive.data() + offset;
    record.offset = offset;
    record.versionMadeBy = Le16(p + 4);
    record.flags = Le16(p + 8);
    record.method = Le16(p + 10);
    record.dosTime = Le16(p + 12);
    record.dosDate = Le16(p + 14);
    record.crc = Le32(p + 16);
    record.compressedSize = Le32(p + 20);
    record.uncompressedSize = Le32(p + 24);
    record.nameLength = Le16(p + 28);
    record.extraLength = Le16(p + 30);
    record.commentLength = Le16(p + 32);
    record.externalAttr = Le32(p + 38);
    record.localOffset = Le32(p + 42);
    if (!Fits(archive, offset, record.RecordSize()))
        return Status::BadArchive;
    return Status::Ok;
}

uint32_t EntryAttributes(uint16_t versionMadeBy, uint32_t externalAttr)
{
    const unsigned host = versionMadeBy >> 8;
    bool directory = (externalAttr & 0x40000000u) != 0;
    bool readOnly = (externalAttr & 0x00800000u) == 0;
    bool hidden = false, system = false, archive = true;
    if (host == 0 || host == 7 || host == 11 || host == 14) {  // MS-DOS, Macintosh, NTFS, VFAT
        readOnly = (externalAttr & 0x01) != 0;
        hidden = (externalAttr & 0x02) != 0;
        system = (externalAttr & 0x04) != 0;
        directory = (externalAttr & 0x10) != 0;
        archive = (externalAttr & 0x20) != 0;
    }
    return (directory ? kAttrDirectory : 0) | (archive ? kAttrArchive : 0) | (hidden ? kAttrHidden : 0) |
           (readOnly ? kAttrReadOnly : 0) | (system ? kAttrSystem : 0);
}

UnixTimes ReadExtendedTimestamp(Bytes extra)
{
    UnixTimes times;
    if (extra.size() <= 4)
        return times;
    for (size_t offset = 0; offset + 4 < extra.size();) {
        const uint8_t* block = extra.data() + offset;
        const size_t dataSize = Le16(block + 2);
        if (block[0] == 'U' && block[1] == 'T') {
            // Only what lies inside both the block and the field is read.
            const Bytes data = extra.subspan(offset + 4, std::min(dataSize, extra.size() - offset - 4));
            if (data.empty())
                return times;
            const uint8_t flags = data[0];
            size_t at = 1;
            auto next = [&](std::optional<int64_t>& slot) {
                if (!Fits(data, at, 4))
                    return;
                slot = static_cast<int32_t>(Le32(data.data() + at));
                at += 4;
            };
            if (flags & 1)
                next(times.write);
            if (flags & 2)
                next(times.access);
            if (flags & 4)
                next(times.creation);
            return times;
        }
        offset += 4 + dataSize;
    }
    return times;
}

uint64_t UnixTimeToFileTime(int64_t unixTime)
{
    return static_cast<uint64_t>(unixTime + 11644473600LL) * 10000000ULL;
}

Status ReadDirectoryLayout(Bytes archive, const CentralDirectory& directory, std::vector<size_t>& recordOffsets)
{
    // Every record takes 46 bytes at least: a count that cannot fit the directory is refused at once.
    if (uint64_t{directory.entryCount} * kCentralRecordSize > directory.size)
        return Status::BadArchive;
    struct Range {
        uint64_t begin, end;
    };
    std::vector<Range> ranges;
    ranges.reserve(directory.entryCount);
    recordOffsets.clear();
    recordOffsets.reserve(directory.entryCount);
    const uint64_t directoryEnd = uint64_t{directory.firstRecord} + directory.size;
    size_t offset = directory.firstRecord;
    for (uint32_t i = 0; i < directory.entryCount; ++i) {
        CentralRecord record;
        if (ReadCentralRecord(archive, offset, record) != Status::Ok || offset + record.RecordSize() > directoryEnd)
            return Status::BadArchive;
        recordOffsets.push_back(offset);
        offset += record.RecordSize();

        // The local header with its name and extra field, then the data: all before the directory.
        const uint64_t local = uint64_t{directory.bytesBefore} + record.localOffset;
        if (!Fits(archive, local, kLocalHeaderSize) || !SignatureAt(archive, local, kLocalSignature))
            return Status::BadArchive;
        const uint8_t* p = archive.data() + local;
        const uint64_t end = local + kLocalHeaderSize + Le16(p + 26) + Le16(p + 28) + record.compressedSize;
        if (end > directory.firstRecord)
            return Status::BadArchive;
        ranges.push_back({local, end});
    }
    std::sort(ranges.begin(), ranges.end(), [](const Range& a, const Range& b) { return a.begin < b.begin; });
    for (size_t i = 1; i < ranges.size(); ++i) {
        if (ranges[i].begin < ranges[i - 1].end)
            return Status::BadArchive;
    }
    return Status::Ok;
}

Status ReadEntry(Bytes archive, const CentralDirectory& directory, const CentralRecord& central, Entry& entry)
{
    const Bytes storedName = archive.subspan(central.offset + kCentralRecordSize, central.nameLength);
    // Longer names do not fit the item record; a NUL would silently cut the name short.
    if (storedName.size() > kMaxNameBytes || std::find(storedName.begin(), storedName.end(), 0) != storedName.end())
        return Status::BadArchive;
    if (central.compressedSize > INT32_MAX || central.uncompressedSize > INT32_MAX)
        return Status::BadArchive;

    const uint64_t local = uint64_t{directory.bytesBefore} + central.localOffset;
    if (!Fits(archive, local, kLocalHeaderSize) || !SignatureAt(archive, local, kLocalSignature))
        return Status::BadArchive;
    const uint8_t* p = archive.data() + local;
    const uint16_t method = Le16(p + 8);
    if (method != central.method || (method != kMethodStored && method != kMethodDeflated))
        return Status::BadArchive;
    if (!(central.flags & kFlagDataDescriptor) &&
        (Le32(p + 14) != central.crc || Le32(p + 18) != central.compressedSize ||
         Le32(p + 22) != central.uncompressedSize))
        return Status::BadArchive;
    const uint16_t localNameLength = Le16(p + 26), localExtraLength = Le16(p + 28);
    if (localNameLength != central.nameLength)
        return Status::BadArchive;
    const uint64_t extraOffset = local + kLocalHeaderSize + localNameLength;
    if (!Fits(archive, extraOffset, localExtraLength))
        return Status::ReadError;
    const Bytes extra = archive.subspan(static_cast<size_t>(extraOffset), localExtraLength);

    entry.central = central;
    entry.name = CleanEntryName(DecodeUtf8(storedName));
    entry.attr = EntryAttributes(central.versionMadeBy, central.externalAttr);
    // A name ending in a separator is a folder, whatever the attributes of the host say.
    if (!storedName.empty() && IsSeparator(static_cast<wchar_t>(storedName.back())))
        entry.attr |= kAttrDirectory;
    const UnixTimes times = ReadExtendedTimestamp(extra);
    entry.writeTime = times.write;
    entry.accessTime = times.access;
    entry.creationTime = times.creation;
    entry.dataOffset = static_cast<size_t>(extraOffset + localExtraLength);
    return Status::Ok;
}

}  // namespace zip

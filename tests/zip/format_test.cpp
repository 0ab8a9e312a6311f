// The container parsing fed with archives built byte by byte, most of them hostile.
#include "ZipBuilder.h"

#include "unpack/zip/ZipEntryReader.h"
#include "unpack/zip/ZipFormat.h"
#include "unpack/zip/ZipNames.h"

#include <gtest/gtest.h>

#include <climits>

using namespace zip;

namespace {

Bytes View(const std::vector<uint8_t>& bytes) { return Bytes(bytes.data(), bytes.size()); }

// Reads entry index of a built archive the way get item does.
Status LoadEntry(const std::vector<uint8_t>& bytes, size_t index, Entry& entry)
{
    const auto directory = FindCentralDirectory(View(bytes));
    if (!directory)
        return Status::CantOpen;
    size_t offset = directory->firstRecord;
    CentralRecord record;
    for (size_t i = 0;; ++i) {
        if (const Status s = ReadCentralRecord(View(bytes), offset, record); s != Status::Ok)
            return s;
        if (i == index)
            return ReadEntry(View(bytes), *directory, record, entry);
        offset += record.RecordSize();
    }
}

// Reads the whole entry through the reader in chunks of the given size.
Status ReadAll(const std::vector<uint8_t>& bytes, const Entry& entry, std::string& out, size_t chunk = 16384,
               std::string_view password = {})
{
    EntryReader reader;
    if (const Status s = reader.Open(View(bytes), entry, password); s != Status::Ok)
        return s;
    std::vector<uint8_t> buffer(chunk);
    for (int guard = 0; guard < 1000000; ++guard) {
        size_t produced = 0;
        bool finished = false;
        if (const Status s = reader.Read(buffer, produced, finished); s != Status::Ok)
            return s;
        out.append(buffer.begin(), buffer.begin() + static_cast<ptrdiff_t>(produced));
        if (finished)
            return Status::Ok;
        if (produced == 0)
            return Status::Inflate;
    }
    return Status::Inflate;
}

std::wstring Clean(const wchar_t* name) { return CleanEntryName(name); }

}  // namespace

TEST(ZipNamesTest, CleaningDropsDrivesLeadingSeparatorsAndParentSteps)
{
    EXPECT_EQ(L"b.txt", Clean(L"a/../b.txt"));
    EXPECT_EQ(L"dir\\f.txt", Clean(L"C:\\dir\\f.txt"));
    EXPECT_EQ(L"abs/f", Clean(L"/abs/f"));
    EXPECT_EQ(L"x", Clean(L"C:C:\\\\/x"));
    EXPECT_EQ(L"c", Clean(L"a\\..\\b/../c"));
    EXPECT_EQ(L"../x", Clean(L"../x"));            // a bare leading ".." is kept ...
    EXPECT_EQ(L"../x", Clean(L"a/../../x"));       // ... also when a step leaves one
    EXPECT_EQ(L"dir/", Clean(L"dir/"));
    EXPECT_EQ(L"", Clean(L"\\"));
}

TEST(ZipNamesTest, RelativeTargetsThatLeaveTheBaseAreRefused)
{
    for (const wchar_t* bad : {L"..", L"../x", L"..\\x", L"a/../../x", L"a/..", L"a/.../b", L"a/.. /b", L"x:y",
                               L"f.txt:stream", L"a\x01" L"b", L"tab\there", L"CON", L"con.txt", L"sub/Aux",
                               L"nul .txt", L"COM1", L"x/lpt9.log", L"COM\u00b9", L"conin$", L"/abs", L"\\abs",
                               L"C:\\abs"})
        EXPECT_FALSE(IsSafeRelativeTarget(bad)) << bad;
    for (const wchar_t* good : {L"", L"a.txt", L"./a.txt", L"a/b/c.txt", L"dir/", L"..a", L"a..", L"console.txt",
                                L"com10", L"lpt", L"COM0x", L"\u00fcn\u00efc\u00f6d\u00e9 \u20ac.txt", L"a//b"})
        EXPECT_TRUE(IsSafeRelativeTarget(good)) << good;
    EXPECT_TRUE(IsAbsoluteTarget(L"C:x"));
    EXPECT_TRUE(IsAbsoluteTarget(L"/x"));
    EXPECT_FALSE(IsAbsoluteTarget(L"x/y"));
}

TEST(ZipNamesTest, Utf8DecodingReplacesInvalidSequences)
{
    auto decode = [](std::string s) {
        return DecodeUtf8(Bytes(reinterpret_cast<const uint8_t*>(s.data()), s.size()));
    };
    EXPECT_EQ(L"\u00fc\u20ac", decode("\xc3\xbc\xe2\x82\xac"));
    EXPECT_EQ(std::wstring(L"\xd83d\xde00"), decode("\xf0\x9f\x98\x80"));    // outside the BMP: a surrogate pair
    EXPECT_EQ(L"\xfffd\xfffd/x", decode("\xc0\xae\xc0\xae/x"));              // overlong "..": not dots
    EXPECT_EQ(L"a\xfffd", decode("a\xe2\x82"));                              // cut short
    EXPECT_EQ(L"\xfffd", decode("\xed\xa0\x80"));                            // an encoded surrogate
    EXPECT_EQ(L"\xfffd\xfffd", decode("\x80\xff"));
}

TEST(ZipFormatTest, EndRecordIsFoundPastCommentsAndPrefixes)
{
    const std::vector<BuildEntry> entries{{.name = "a.txt", .data = "alpha"}};
    // A comment that ends in something looking like an end record does not hide the real one.
    std::string fake = "PK\x05\x06" + std::string(18, '\x01');
    BuiltZip zip = BuildZip(entries, "note " + fake, "junk before the archive");
    auto directory = FindCentralDirectory(View(zip.bytes));
    ASSERT_TRUE(directory);
    EXPECT_EQ(1u, directory->entryCount);
    EXPECT_EQ(23u, directory->bytesBefore);
    Entry entry;
    ASSERT_EQ(Status::Ok, LoadEntry(zip.bytes, 0, entry));
    std::string data;
    EXPECT_EQ(Status::Ok, ReadAll(zip.bytes, entry, data));
    EXPECT_EQ("alpha", data);

    EXPECT_FALSE(FindCentralDirectory(Bytes()));
    std::vector<uint8_t> tooShort(zip.bytes.end() - 21, zip.bytes.end());
    EXPECT_FALSE(FindCentralDirectory(View(tooShort)));

    BuiltZip multiDisk = BuildZip(entries);
    multiDisk.Put16(multiDisk.end + 4, 1);
    EXPECT_FALSE(FindCentralDirectory(View(multiDisk.bytes)));
    BuiltZip counts = BuildZip(entries);
    counts.Put16(counts.end + 8, 2);
    EXPECT_FALSE(FindCentralDirectory(View(counts.bytes)));
    BuiltZip pastEnd = BuildZip(entries);
    pastEnd.Put32(pastEnd.end + 16, 0xFFFFFFF0);  // directory offset + size beyond the record
    EXPECT_FALSE(FindCentralDirectory(View(pastEnd.bytes)));
}

TEST(ZipFormatTest, RecordsOutsideTheBufferFailCleanly)
{
    const std::vector<BuildEntry> entries{{.name = "a.txt", .data = "alpha"}, {.name = "b.txt", .data = "beta"}};
    Entry entry;

    BuiltZip longName = BuildZip(entries);
    longName.Put16(longName.central[1] + 28, 0xFFFF);  // the name would run past the buffer
    EXPECT_EQ(Status::BadArchive, LoadEntry(longName.bytes, 1, entry));
    EXPECT_EQ(Status::Ok, LoadEntry(longName.bytes, 0, entry));

    BuiltZip signature = BuildZip(entries);
    signature.bytes[signature.central[1]] = 'X';
    EXPECT_EQ(Status::BadArchive, LoadEntry(signature.bytes, 1, entry));

    BuiltZip localOffset = BuildZip(entries);
    localOffset.Put32(localOffset.central[0] + 42, 0xFFFFFFF0);
    EXPECT_EQ(Status::BadArchive, LoadEntry(localOffset.bytes, 0, entry));

    BuiltZip localExtra = BuildZip(entries);
    localExtra.Put16(localExtra.local[1] + 28, 0xFFFF);  // local extra field past the end
    EXPECT_EQ(Status::ReadError, LoadEntry(localExtra.bytes, 1, entry));

    BuiltZip dataPastEnd = BuildZip(entries);
    dataPastEnd.Put32(dataPastEnd.central[1] + 20, 0x7FFFFFF0);
    dataPastEnd.Put32(dataPastEnd.central[1] + 24, 0x7FFFFFF0);
    dataPastEnd.Put32(dataPastEnd.local[1] + 18, 0x7FFFFFF0);
    dataPastEnd.Put32(dataPastEnd.local[1] + 22, 0x7FFFFFF0);
    ASSERT_EQ(Status::Ok, LoadEntry(dataPastEnd.bytes, 1, entry));
    EntryReader reader;
    EXPECT_EQ(Status::Inflate, reader.Open(View(dataPastEnd.bytes), entry, {}));
}

TEST(ZipFormatTest, NamesAndSizesBeyondTheItemRecordAreRefused)
{
    Entry entry;
    BuiltZip longest = BuildZip({{.name = std::string(259, 'n'), .data = "x"}});
    ASSERT_EQ(Status::Ok, LoadEntry(longest.bytes, 0, entry));
    EXPECT_EQ(259u, entry.name.size());
    EXPECT_EQ(Status::BadArchive, LoadEntry(BuildZip({{.name = std::string(260, 'n'), .data = "x"}}).bytes, 0, entry));
    EXPECT_EQ(Status::BadArchive, LoadEntry(BuildZip({{.name = std::string("a\0b", 3), .data = "x"}}).bytes, 0, entry));

    BuiltZip huge = BuildZip({{.name = "big", .data = "x", .descriptor = true}});
    huge.Put32(huge.central[0] + 24, 0x80000000u);  // does not fit the signed size field
    EXPECT_EQ(Status::BadArchive, LoadEntry(huge.bytes, 0, entry));
    huge.Put32(huge.central[0] + 24, 1);
    huge.Put32(huge.central[0] + 20, 0xFFFFFFFFu);  // the 64-bit extension marker
    EXPECT_EQ(Status::BadArchive, LoadEntry(huge.bytes, 0, entry));
}

TEST(ZipFormatTest, LocalHeaderMustMatchTheCentralRecord)
{
    const std::vector<BuildEntry> entries{{.name = "a.txt", .data = "alpha alpha alpha", .deflate = true}};
    Entry entry;
    auto patched = [&](size_t field, uint32_t value, bool wide) {
        BuiltZip zip = BuildZip(entries);
        wide ? zip.Put32(zip.local[0] + field, value) : zip.Put16(zip.local[0] + field, static_cast<uint16_t>(value));
        return LoadEntry(zip.bytes, 0, entry);
    };
    EXPECT_EQ(Status::BadArchive, patched(0, 0x04034b51, true));  // signature
    EXPECT_EQ(Status::BadArchive, patched(8, 0, false));          // method
    EXPECT_EQ(Status::BadArchive, patched(14, 1, true));          // CRC
    EXPECT_EQ(Status::BadArchive, patched(18, 1, true));          // compressed size
    EXPECT_EQ(Status::BadArchive, patched(22, 1, true));          // size
    EXPECT_EQ(Status::BadArchive, patched(26, 4, false));         // name length

    BuiltZip bzip2 = BuildZip(entries);
    bzip2.Put16(bzip2.local[0] + 8, 12);
    bzip2.Put16(bzip2.central[0] + 10, 12);
    EXPECT_EQ(Status::BadArchive, LoadEntry(bzip2.bytes, 0, entry));

    // With a data descriptor the local sizes and CRC are zero and not compared.
    BuiltZip descriptor = BuildZip({{.name = "d.txt", .data = "delta", .deflate = true, .descriptor = true}});
    ASSERT_EQ(Status::Ok, LoadEntry(descriptor.bytes, 0, entry));
    std::string data;
    EXPECT_EQ(Status::Ok, ReadAll(descriptor.bytes, entry, data));
    EXPECT_EQ("delta", data);
}

TEST(ZipFormatTest, AttributesFollowTheHostSystem)
{
    EXPECT_EQ(0x20u, EntryAttributes(0x0014, 0x2020));               // DOS: not-content-indexed dropped
    EXPECT_EQ(0x27u, EntryAttributes(0x0B14, 0x27));                 // NTFS host
    EXPECT_EQ(0x30u, EntryAttributes(0x0E14, 0x10 | 0x20));          // VFAT folder
    EXPECT_EQ(0x00u, EntryAttributes(0x0714, 0));                    // Macintosh: DOS bits too
    EXPECT_EQ(0x20u, EntryAttributes(0x031E, 0100644u << 16));       // Unix file
    EXPECT_EQ(0x21u, EntryAttributes(0x031E, 0100444u << 16));       // Unix read-only
    EXPECT_EQ(0x30u, EntryAttributes(0x031E, (040755u << 16) | 0x10));
    EXPECT_EQ(0x21u, EntryAttributes(0x031E, 0x2F));                 // DOS bits ignored on Unix

    Entry entry;
    BuiltZip folder = BuildZip({{.name = "dir/", .externalAttr = 0}});
    ASSERT_EQ(Status::Ok, LoadEntry(folder.bytes, 0, entry));
    EXPECT_EQ(0x10u, entry.attr & 0x10u) << "a name ending in a separator is a folder";
}

TEST(ZipFormatTest, ExtendedTimestampIsReadWithinItsBlockAndField)
{
    auto bytes = [](const std::string& s) { return Bytes(reinterpret_cast<const uint8_t*>(s.data()), s.size()); };
    const std::string other = std::string("xx\x02\x00zz", 6);

    UnixTimes all = ReadExtendedTimestamp(bytes(other + ExtendedTimestamp(7, {100, 200, 300})));
    EXPECT_EQ(100, all.write.value_or(-1));
    EXPECT_EQ(200, all.access.value_or(-1));
    EXPECT_EQ(300, all.creation.value_or(-1));

    UnixTimes some = ReadExtendedTimestamp(bytes(ExtendedTimestamp(5, {-1, 7})));  // write and creation
    EXPECT_EQ(-1, some.write.value_or(0));
    EXPECT_FALSE(some.access);
    EXPECT_EQ(7, some.creation.value_or(0));

    // The central-directory form: flags say three times, the block holds one.
    std::string shortBlock = ExtendedTimestamp(7, {100});
    UnixTimes one = ReadExtendedTimestamp(bytes(shortBlock));
    EXPECT_EQ(100, one.write.value_or(0));
    EXPECT_FALSE(one.access);

    // A block that claims more than the field holds is read only as far as the field goes.
    std::string cut = ExtendedTimestamp(3, {100, 200}).substr(0, 9 + 2);
    UnixTimes partial = ReadExtendedTimestamp(bytes(cut));
    EXPECT_EQ(100, partial.write.value_or(0));
    EXPECT_FALSE(partial.access);

    EXPECT_FALSE(ReadExtendedTimestamp(bytes(std::string("UT\x05\x00", 4))).write);
    EXPECT_FALSE(ReadExtendedTimestamp(bytes(std::string("xx\xff\xffUT\x05\x00\x01\x01\x02\x03\x04", 13))).write);
    EXPECT_EQ(116444736000000000ULL, UnixTimeToFileTime(0));
}

TEST(ZipEntryReaderTest, LengthAndCrcAreChecked)
{
    const std::string text(100000, 'a');
    BuiltZip zip = BuildZip({{.name = "stored", .data = "0123456789"},
                             {.name = "deflated", .data = text, .deflate = true},
                             {.name = "empty", .data = ""}});
    Entry entry;
    std::string data;
    ASSERT_EQ(Status::Ok, LoadEntry(zip.bytes, 1, entry));
    EXPECT_EQ(Status::Ok, ReadAll(zip.bytes, entry, data, 1000));
    EXPECT_EQ(text, data);

    // A changed byte in stored data: only the CRC can tell.
    BuiltZip damaged = zip;
    damaged.bytes[damaged.local[0] + 30 + 6 + 3] ^= 1;
    ASSERT_EQ(Status::Ok, LoadEntry(damaged.bytes, 0, entry));
    data.clear();
    EXPECT_EQ(Status::BadArchive, ReadAll(damaged.bytes, entry, data));

    // The central directory promises more, or less, than the stream holds.
    for (uint32_t size : {99999u, 100001u}) {
        BuiltZip wrongSize = zip;
        wrongSize.Put32(wrongSize.central[1] + 24, size);
        wrongSize.Put32(wrongSize.local[1] + 22, size);
        ASSERT_EQ(Status::Ok, LoadEntry(wrongSize.bytes, 1, entry));
        data.clear();
        EXPECT_EQ(Status::Inflate, ReadAll(wrongSize.bytes, entry, data)) << size;
    }

    // A deflate stream cut short, and one with garbage in it.
    BuiltZip cut = zip;
    ASSERT_EQ(Status::Ok, LoadEntry(cut.bytes, 1, entry));
    entry.central.compressedSize /= 2;
    data.clear();
    EXPECT_EQ(Status::Inflate, ReadAll(cut.bytes, entry, data));
    BuiltZip garbage = zip;
    garbage.bytes[garbage.local[1] + 30 + 8] = 0xFF;  // a block type that does not exist
    ASSERT_EQ(Status::Ok, LoadEntry(garbage.bytes, 1, entry));
    data.clear();
    EXPECT_EQ(Status::Inflate, ReadAll(garbage.bytes, entry, data));

    // Encrypted entries, as this test's own writer encrypts them.
    BuiltZip encrypted = BuildZip({{.name = "s", .data = "secret stored", .password = "pw"},
                                   {.name = "d", .data = text, .deflate = true, .descriptor = true, .password = "pw"}});
    for (size_t i = 0; i < 2; ++i) {
        ASSERT_EQ(Status::Ok, LoadEntry(encrypted.bytes, i, entry));
        data.clear();
        EXPECT_EQ(Status::Ok, ReadAll(encrypted.bytes, entry, data, 16384, "pw"));
        EXPECT_EQ(i == 0 ? std::string("secret stored") : text, data);
        EntryReader wrong;
        EXPECT_EQ(Status::BadPassword, wrong.Open(View(encrypted.bytes), entry, "pW"));
    }

    // Stored entries whose two sizes disagree.
    BuiltZip sizes = zip;
    sizes.Put32(sizes.central[0] + 24, 9);
    sizes.Put32(sizes.local[0] + 22, 9);
    ASSERT_EQ(Status::Ok, LoadEntry(sizes.bytes, 0, entry));
    EntryReader reader;
    EXPECT_EQ(Status::BadArchive, reader.Open(View(sizes.bytes), entry, {}));
}

TEST(ZipFormatTest, LayoutRefusesOverlappingEntriesAndCountsThatDoNotFit)
{
    const std::vector<BuildEntry> entries{{.name = "a.txt", .data = std::string(100, 'a')},
                                          {.name = "b.txt", .data = std::string(50, 'b')},
                                          {.name = "c.txt", .data = "c", .deflate = true}};
    std::vector<size_t> offsets;
    auto layout = [&](const BuiltZip& zip) {
        const auto directory = FindCentralDirectory(View(zip.bytes));
        return directory ? ReadDirectoryLayout(View(zip.bytes), *directory, offsets) : Status::CantOpen;
    };
    const BuiltZip good = BuildZip(entries);
    ASSERT_EQ(Status::Ok, layout(good));
    EXPECT_EQ(good.central, offsets);
    EXPECT_EQ(Status::Ok, layout(BuildZip(entries, "comment", "prefix bytes")));

    // Two records pointing at the same data: a zip bomb by repetition.
    BuiltZip shared = BuildZip(entries);
    shared.Put32(shared.central[2] + 42, static_cast<uint32_t>(shared.local[0]));
    EXPECT_EQ(Status::BadArchive, layout(shared));
    // Data that runs into the next entry's header.
    BuiltZip overlap = BuildZip(entries);
    overlap.Put32(overlap.central[0] + 20, 120);
    EXPECT_EQ(Status::BadArchive, layout(overlap));
    // Data that runs into the central directory, or a header beyond it.
    BuiltZip intoDirectory = BuildZip(entries);
    intoDirectory.Put32(intoDirectory.central[2] + 20, 1000);
    EXPECT_EQ(Status::BadArchive, layout(intoDirectory));
    BuiltZip beyond = BuildZip(entries);
    beyond.Put32(beyond.central[1] + 42, static_cast<uint32_t>(beyond.central[0]));
    EXPECT_EQ(Status::BadArchive, layout(beyond));

    // More entries claimed than the directory holds: refused at once, without a walk past its end.
    BuiltZip claims = BuildZip(entries);
    claims.Put16(claims.end + 8, 0xFFFF);
    claims.Put16(claims.end + 10, 0xFFFF);
    EXPECT_EQ(Status::BadArchive, layout(claims));
    BuiltZip oneMore = BuildZip(entries);
    oneMore.Put16(oneMore.end + 8, 4);
    oneMore.Put16(oneMore.end + 10, 4);
    EXPECT_EQ(Status::BadArchive, layout(oneMore));
    // A record whose name runs past the directory's end into the end record.
    BuiltZip longName = BuildZip(entries);
    longName.Put16(longName.central[2] + 32, 10);  // a comment that is not there
    EXPECT_EQ(Status::BadArchive, layout(longName));
}

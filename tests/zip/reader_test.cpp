// The reader's five operations on archives that third-party tools wrote (see make_archives.py), and on
// hostile and damaged ones, writing through the real file system.
#include "ZipBuilder.h"
#include "ZipTestFiles.h"

#include "unpack/zip/ZipReader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <set>

namespace {

struct HandleCloser {
    void operator()(ZipHandle* hz) const { ZipClose(hz); }
};
using UniqueZip = std::unique_ptr<ZipHandle, HandleCloser>;

// An archive from the fixture, kept in memory for as long as the handle.
struct OpenArchive {
    std::vector<uint8_t> bytes;
    UniqueZip zip;
};

OpenArchive Open(const std::wstring& name, const char* password = nullptr)
{
    OpenArchive archive{ReadBytes(DataPath(name)), nullptr};
    EXPECT_FALSE(archive.bytes.empty()) << "missing fixture archive";
    archive.zip.reset(ZipOpenMemory(archive.bytes.data(), static_cast<unsigned>(archive.bytes.size()), password));
    EXPECT_NE(nullptr, archive.zip.get());
    return archive;
}

int Count(HZIP hz)
{
    ZipItem item;
    EXPECT_EQ(ZR_OK, ZipGetItem(hz, -1, &item));
    return item.index;
}

// Index of the entry whose cleaned name is name, or -1.
int Find(HZIP hz, const std::wstring& name, ZipItem* found = nullptr)
{
    ZipItem item;
    for (int i = 0, n = Count(hz); i < n; ++i) {
        if (ZipGetItem(hz, i, &item) == ZR_OK && name == item.name) {
            if (found)
                *found = item;
            return i;
        }
    }
    return -1;
}

// Unpacks every entry as the launcher does: each result must be ZR_OK, or ZR_INFLATE for an empty file.
void UnpackAll(HZIP hz, const std::wstring& folder)
{
    ASSERT_EQ(ZR_OK, ZipSetBaseFolder(hz, folder.c_str()));
    ZipItem item;
    const int n = Count(hz);
    ASSERT_GT(n, 0);
    for (int i = 0; i < n; ++i) {
        ASSERT_EQ(ZR_OK, ZipGetItem(hz, i, &item)) << i;
        const ZRESULT zr = ZipUnzipItem(hz, i, item.name);
        if (!(zr == ZR_INFLATE && item.uncompressedSize == 0)) {
            ASSERT_EQ(ZR_OK, zr) << i << " " << testing::PrintToString(std::wstring(item.name));
        }
    }
}

uint64_t UnixFileTime(int64_t t) { return static_cast<uint64_t>(t + 11644473600LL) * 10000000ULL; }
uint64_t Value(const FILETIME& ft) { return static_cast<uint64_t>(ft.dwHighDateTime) << 32 | ft.dwLowDateTime; }

constexpr int64_t kWriteTime = 1614834368, kAccessTime = 1600000000;  // as make_archives.py sets them

// Files of the fixture's source tree below prefix, as relative path -> content.
std::map<std::wstring, std::vector<uint8_t>> SourceFiles(const std::wstring& prefix)
{
    std::map<std::wstring, std::vector<uint8_t>> files;
    const std::wstring root = DataPath(L"src\\");
    for (const auto& [path, attr] : ListTree(root + prefix))
        if (!(attr & FILE_ATTRIBUTE_DIRECTORY))
            files[prefix + path] = ReadBytes(root + prefix + path);
    return files;
}

}  // namespace

TEST(ZipReaderTest, ThirdPartyArchivesUnpackToTheirSourceTree)
{
    const auto expected = SourceFiles(L"tree\\");
    ASSERT_EQ(6u, expected.size());
    for (const wchar_t* name : {L"infozip.zip", L"infozip_stream.zip", L"prefixed.zip", L"sevenzip.zip",
                                L"bsdtar.zip"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(name)));
        ScratchFolder scratch(L"tree");
        OpenArchive archive = Open(name);
        ASSERT_TRUE(archive.zip);
        UnpackAll(archive.zip.get(), scratch.Path());
        std::set<std::wstring> folders, files;
        for (const auto& [path, attr] : ListTree(scratch.Path() + L"tree"))
            (attr & FILE_ATTRIBUTE_DIRECTORY ? folders : files).insert(L"tree\\" + path);
        EXPECT_EQ((std::set<std::wstring>{L"tree\\a\\", L"tree\\a\\b\\"}), folders);
        EXPECT_EQ(expected.size(), files.size());
        for (const auto& [path, content] : expected)
            EXPECT_TRUE(content == ReadBytes(scratch.Path() + path)) << testing::PrintToString(path);
    }
}

TEST(ZipReaderTest, ItemRecordsOfInfoZip)
{
    OpenArchive archive = Open(L"infozip.zip");
    ASSERT_TRUE(archive.zip);
    HZIP hz = archive.zip.get();

    ZipItem count;
    std::memset(&count, 0xCC, sizeof(count));
    ASSERT_EQ(ZR_OK, ZipGetItem(hz, -1, &count));
    EXPECT_EQ(14, count.index);
    EXPECT_EQ(L'\0', count.name[0]);
    EXPECT_EQ(0u, count.attr);
    EXPECT_EQ(0, count.compressedSize);
    EXPECT_EQ(0u, count.writeTime.dwLowDateTime | count.writeTime.dwHighDateTime);

    ZipItem item;
    ASSERT_LE(0, Find(hz, L"tree/big.txt", &item));
    EXPECT_EQ(0x20u, item.attr);
    EXPECT_EQ(136390, item.uncompressedSize);
    EXPECT_GT(item.uncompressedSize, item.compressedSize);
    // The "UT" block of the local header carries write and access times; creation stays the DOS time.
    EXPECT_EQ(UnixFileTime(kWriteTime), Value(item.writeTime));
    EXPECT_EQ(UnixFileTime(kAccessTime), Value(item.accessTime));
    SYSTEMTIME local;
    FILETIME localTime;
    ASSERT_TRUE(FileTimeToLocalFileTime(&item.creationTime, &localTime) && FileTimeToSystemTime(&localTime, &local));
    FILETIME writeLocal;
    SYSTEMTIME expected;
    FileTimeToLocalFileTime(&item.writeTime, &writeLocal);
    FileTimeToSystemTime(&writeLocal, &expected);
    EXPECT_EQ(expected.wYear, local.wYear);
    EXPECT_EQ(expected.wHour, local.wHour);
    EXPECT_EQ(expected.wMinute, local.wMinute);

    ASSERT_LE(0, Find(hz, L"tree/readonly.txt", &item));
    EXPECT_EQ(0x21u, item.attr);
    ASSERT_LE(0, Find(hz, L"tree/a/b/", &item));
    EXPECT_EQ(0x30u, item.attr);
    EXPECT_LE(0, Find(hz, L"tree/\u00fcn\u00efc\u00f6d\u00e9 \u20ac.txt"));

    ScratchFolder scratch(L"times");
    ASSERT_EQ(ZR_OK, ZipSetBaseFolder(hz, scratch.Path().c_str()));
    const int big = Find(hz, L"tree/big.txt");
    ASSERT_EQ(ZR_OK, ZipUnzipItem(hz, big, L"big.txt"));
    const HANDLE file = CreateFileW((scratch.Path() + L"big.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    FILETIME written{};
    GetFileTime(file, nullptr, nullptr, &written);
    CloseHandle(file);
    EXPECT_EQ(UnixFileTime(kWriteTime), Value(written));
}

TEST(ZipReaderTest, PythonArchiveWithDosAttributesAndLateFolderEntries)
{
    OpenArchive archive = Open(L"python.zip");
    ASSERT_TRUE(archive.zip);
    HZIP hz = archive.zip.get();
    ScratchFolder scratch(L"python");
    UnpackAll(hz, scratch.Path());  // "dir/" and "dir/sub/" come after the files inside them

    const auto tree = ListTree(scratch.Path());
    for (const wchar_t* path : {L"dir\\", L"dir\\sub\\", L"dir\\sub\\file.txt", L"dir\\stored.txt",
                                L"dir\\\u65e5\u672c\u8a9e.txt", L"dir\\empty.txt", L"attrs\\readonly.txt"})
        EXPECT_TRUE(tree.count(path)) << testing::PrintToString(std::wstring(path));
    const auto nihongo = ReadBytes(scratch.Path() + L"dir\\\u65e5\u672c\u8a9e.txt");
    EXPECT_EQ("nihongo\n", std::string(nihongo.begin(), nihongo.end()));
    EXPECT_TRUE(tree.at(L"attrs\\readonly.txt") & FILE_ATTRIBUTE_READONLY);

    ZipItem item;
    ASSERT_LE(0, Find(hz, L"attrs/readonly.txt", &item));
    EXPECT_EQ(0x21u, item.attr);
    ASSERT_LE(0, Find(hz, L"attrs/hidden.txt", &item));
    EXPECT_EQ(0x22u, item.attr);
    ASSERT_LE(0, Find(hz, L"attrs/system.txt", &item));
    EXPECT_EQ(0x24u, item.attr);
    ASSERT_LE(0, Find(hz, L"attrs/notindexed.txt", &item));
    EXPECT_EQ(0x20u, item.attr);

    // No "UT" block: all three times are the DOS time, read as local time.
    ASSERT_LE(0, Find(hz, L"dir/stored.txt", &item));
    FILETIME local;
    SYSTEMTIME st;
    ASSERT_TRUE(FileTimeToLocalFileTime(&item.writeTime, &local) && FileTimeToSystemTime(&local, &st));
    EXPECT_EQ(2020, st.wYear);
    EXPECT_EQ(1, st.wMonth);
    EXPECT_EQ(2, st.wDay);
    EXPECT_EQ(3, st.wHour);
    EXPECT_EQ(4, st.wMinute);
    EXPECT_EQ(6, st.wSecond);
    EXPECT_EQ(Value(item.writeTime), Value(item.creationTime));
    EXPECT_EQ(Value(item.writeTime), Value(item.accessTime));

    // An empty entry leaves an empty file and reports ZR_INFLATE, as the launcher expects.
    const int empty = Find(hz, L"dir/empty.txt");
    EXPECT_EQ(ZR_INFLATE, ZipUnzipItem(hz, empty, L"again-empty.txt"));
    const auto after = ListTree(scratch.Path());
    ASSERT_TRUE(after.count(L"again-empty.txt"));
    EXPECT_TRUE(ReadBytes(scratch.Path() + L"again-empty.txt").empty());

    // A read-only file already there cannot be replaced.
    EXPECT_EQ(ZR_CANTOPEN, ZipUnzipItem(hz, Find(hz, L"attrs/readonly.txt"), L"attrs/readonly.txt"));
    // Any other file is.
    const int stored = Find(hz, L"dir/stored.txt");
    const HANDLE file = CreateFileW((scratch.Path() + L"dir\\stored.txt").c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    CloseHandle(file);
    EXPECT_EQ(ZR_OK, ZipUnzipItem(hz, stored, L"dir/stored.txt"));
    const auto content = ReadBytes(scratch.Path() + L"dir\\stored.txt");
    EXPECT_EQ("stored text\n", std::string(content.begin(), content.end()));
}

TEST(ZipReaderTest, EncryptedEntriesNeedTheirPassword)
{
    const auto expected = SourceFiles(L"tree\\");
    for (const wchar_t* name : {L"encrypted_infozip.zip", L"encrypted_7z.zip"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(name)));
        {
            ScratchFolder scratch(L"crypt");
            OpenArchive archive = Open(name, "secret");
            ASSERT_TRUE(archive.zip);
            UnpackAll(archive.zip.get(), scratch.Path());
            EXPECT_TRUE(expected.at(L"tree\\random.bin") == ReadBytes(scratch.Path() + L"tree\\random.bin"));
            EXPECT_TRUE(expected.at(L"tree\\a\\b\\deep.txt") == ReadBytes(scratch.Path() + L"tree\\a\\b\\deep.txt"));
        }
        for (const char* password : {"wrong", static_cast<const char*>(nullptr)}) {
            ScratchFolder scratch(L"crypt");
            OpenArchive archive = Open(name, password);
            ASSERT_TRUE(archive.zip);
            HZIP hz = archive.zip.get();
            ASSERT_EQ(ZR_OK, ZipSetBaseFolder(hz, scratch.Path().c_str()));
            // The tools draw the 12-byte header at random: one wrong password in 256 passes its check
            // byte, and then the garbled data fail their inflate or CRC. Either way no file stays.
            const ZRESULT zr = ZipUnzipItem(hz, Find(hz, L"tree/random.bin"), L"random.bin");
            EXPECT_TRUE(zr == ZR_BADPASSWORD || zr == ZR_INFLATE || zr == ZR_BADARCHIVE) << std::hex << zr;
            EXPECT_EQ(0u, ListTree(scratch.Path()).size()) << "no file for a wrong password";
        }
    }
}

TEST(ZipReaderTest, TargetsThatLeaveTheBaseFolderAreRefused)
{
    OpenArchive archive = Open(L"hostile.zip");
    ASSERT_TRUE(archive.zip);
    HZIP hz = archive.zip.get();
    ScratchFolder scratch(L"hostile");
    const std::wstring base = scratch.Path() + L"base\\";
    ASSERT_EQ(ZR_OK, ZipSetBaseFolder(hz, base.c_str()));

    const std::map<std::wstring, ZRESULT> expected{
        {L"good.txt", ZR_OK}, {L"../escape.txt", ZR_BADARCHIVE}, {L"../escape2.txt", ZR_BADARCHIVE},
        {L"b.txt", ZR_OK}, {L"dir\\f.txt", ZR_OK}, {L"abs/f", ZR_OK}, {L"CON", ZR_BADARCHIVE},
        {L"sub/aux.txt", ZR_BADARCHIVE}, {L"x/Com1.log", ZR_BADARCHIVE}, {L"LPT9.txt", ZR_BADARCHIVE},
        {L"nul .txt", ZR_BADARCHIVE}, {L"stream.txt:hidden", ZR_BADARCHIVE}, {L"ctl\x01name.txt", ZR_BADARCHIVE},
        {L"dots/.../f.txt", ZR_BADARCHIVE}};
    ZipItem item;
    ASSERT_EQ(static_cast<int>(expected.size()), Count(hz));
    for (int i = 0; i < Count(hz); ++i) {
        ASSERT_EQ(ZR_OK, ZipGetItem(hz, i, &item));
        const auto it = expected.find(item.name);
        ASSERT_NE(expected.end(), it) << "unexpected cleaned name " << testing::PrintToString(std::wstring(item.name));
        EXPECT_EQ(it->second, ZipUnzipItem(hz, i, item.name)) << testing::PrintToString(it->first);
    }
    std::set<std::wstring> written;
    for (const auto& [path, attr] : ListTree(scratch.Path()))
        written.insert(path);
    EXPECT_EQ((std::set<std::wstring>{L"base\\", L"base\\abs\\", L"base\\abs\\f", L"base\\b.txt", L"base\\dir\\",
                                      L"base\\dir\\f.txt", L"base\\good.txt"}),
              written);

    // A caller's absolute target is its own business.
    const std::wstring absolute = scratch.Path() + L"elsewhere\\g.txt";
    EXPECT_EQ(ZR_OK, ZipUnzipItem(hz, 0, absolute.c_str()));
    EXPECT_EQ("good.txt\n", [&] { auto b = ReadBytes(absolute); return std::string(b.begin(), b.end()); }());
}

TEST(ZipReaderTest, DamagedDataFailsItsCrc)
{
    OpenArchive archive = Open(L"damaged_crc.zip");
    ASSERT_TRUE(archive.zip);
    HZIP hz = archive.zip.get();
    ScratchFolder scratch(L"crc");
    ASSERT_EQ(ZR_OK, ZipSetBaseFolder(hz, scratch.Path().c_str()));
    EXPECT_EQ(ZR_BADARCHIVE, ZipUnzipItem(hz, 0, L"stored.txt"));
    EXPECT_EQ(ZR_BADARCHIVE, ZipUnzipItem(hz, 1, L"deflated.txt"));
    EXPECT_EQ(ZR_OK, ZipUnzipItem(hz, 2, L"intact.txt"));
    // The damage shows only once the data are written: the partial files are removed again.
    const auto tree = ListTree(scratch.Path());
    EXPECT_EQ(1u, tree.size());
    EXPECT_EQ(1u, tree.count(L"intact.txt"));
    EXPECT_EQ(100u, ReadBytes(scratch.Path() + L"intact.txt").size());
}

TEST(ZipReaderTest, RepeatedRequestsComeFromTheCache)
{
    OpenArchive archive = Open(L"infozip.zip");
    ASSERT_TRUE(archive.zip);
    HZIP hz = archive.zip.get();
    ZipItem first, again;
    ASSERT_EQ(ZR_OK, ZipGetItem(hz, 2, &first));
    // Scribble over the archive: the same index still answers from the cached record.
    std::vector<uint8_t> saved = archive.bytes;
    std::memset(archive.bytes.data(), 0, archive.bytes.size());
    ASSERT_EQ(ZR_OK, ZipGetItem(hz, 2, &again));
    EXPECT_EQ(0, std::memcmp(&first, &again, sizeof(ZipItem)));
    EXPECT_EQ(ZR_BADARCHIVE, ZipGetItem(hz, 3, &again));
    archive.bytes = saved;  // the handle borrows the buffer: put it back before close (same address)
    EXPECT_EQ(ZR_OK, ZipGetItem(hz, 3, &again));
    EXPECT_EQ(ZR_OK, ZipGetItem(hz, 1, &again));  // the cursor restarts from the first entry
    EXPECT_EQ(ZR_OK, ZipGetItem(hz, 2, &again));
    EXPECT_EQ(0, std::memcmp(&first, &again, sizeof(ZipItem)));
}

TEST(ZipReaderTest, BadCallsAreRefused)
{
    BuiltZip built = BuildZip({{.name = "a.txt", .data = "alpha"}});
    EXPECT_EQ(nullptr, ZipOpenMemory(nullptr, 10, nullptr));
    const std::string garbage(1000, 'x');
    EXPECT_EQ(nullptr, ZipOpenMemory(garbage.data(), static_cast<unsigned>(garbage.size()), nullptr));
    EXPECT_EQ(nullptr, ZipOpenMemory(built.bytes.data(), 21, nullptr));

    ZipItem item;
    std::memset(&item, 0xCC, sizeof(item));
    EXPECT_EQ(ZR_BADARGS, ZipGetItem(nullptr, 0, &item));
    EXPECT_EQ(0, item.index);  // cleared before anything else
    EXPECT_EQ(0, item.uncompressedSize);
    EXPECT_EQ(L'\0', item.name[0]);
    EXPECT_EQ(ZR_BADARGS, ZipSetBaseFolder(nullptr, L"x"));
    EXPECT_EQ(ZR_BADARGS, ZipUnzipItem(nullptr, 0, L"x"));
    EXPECT_EQ(ZR_BADARGS, ZipClose(nullptr));

    ZipHandle writer{2, nullptr};
    EXPECT_EQ(ZR_WRONGMODE, ZipGetItem(&writer, 0, &item));
    EXPECT_EQ(ZR_WRONGMODE, ZipUnzipItem(&writer, 0, L"x"));
    EXPECT_EQ(ZR_WRONGMODE, ZipSetBaseFolder(&writer, L"x"));
    EXPECT_EQ(ZR_WRONGMODE, ZipClose(&writer));

    UniqueZip zip(ZipOpenMemory(built.bytes.data(), static_cast<unsigned>(built.bytes.size()), nullptr));
    ASSERT_TRUE(zip);
    HZIP hz = zip.get();
    EXPECT_EQ(ZR_BADARGS, ZipGetItem(hz, -2, &item));
    EXPECT_EQ(ZR_BADARGS, ZipGetItem(hz, 1, &item));
    EXPECT_EQ(ZR_BADARGS, ZipGetItem(hz, 0, nullptr));
    EXPECT_EQ(ZR_BADARGS, ZipUnzipItem(hz, -1, L"x"));
    EXPECT_EQ(ZR_BADARGS, ZipUnzipItem(hz, 1, L"x"));
    EXPECT_EQ(ZR_BADARGS, ZipUnzipItem(hz, 0, nullptr));
    EXPECT_EQ(ZR_BADARGS, ZipSetBaseFolder(hz, nullptr));
    EXPECT_EQ(ZR_BADARGS, ZipSetBaseFolder(hz, L""));
    EXPECT_EQ(ZR_BADARGS, ZipSetBaseFolder(hz, std::wstring(259, L'x').c_str()));  // no room for the separator
    EXPECT_EQ(ZR_OK, ZipSetBaseFolder(hz, (std::wstring(258, L'x')).c_str()));
}

TEST(ZipReaderTest, PathsBeyondMaxPathFailCleanly)
{
    ScratchFolder scratch(L"long");
    const std::string name = "d/" + std::string(120, 'n');
    BuiltZip built = BuildZip({{.name = name, .data = "x"}, {.name = "dir/" + std::string(120, 'm') + "/"}});
    UniqueZip zip(ZipOpenMemory(built.bytes.data(), static_cast<unsigned>(built.bytes.size()), nullptr));
    ASSERT_TRUE(zip);
    HZIP hz = zip.get();
    const std::wstring base = scratch.Path() + std::wstring(250 - 122 - scratch.Path().size(), L'b');
    ASSERT_EQ(ZR_OK, ZipSetBaseFolder(hz, base.c_str()));
    ZipItem item;
    ASSERT_EQ(ZR_OK, ZipGetItem(hz, 0, &item));
    EXPECT_EQ(ZR_OK, ZipUnzipItem(hz, 0, item.name));  // 250 characters: fits
    ASSERT_EQ(ZR_OK, ZipSetBaseFolder(hz, (base + std::wstring(10, L'c')).c_str()));
    EXPECT_EQ(ZR_CANTOPEN, ZipUnzipItem(hz, 0, item.name));  // 260
    ASSERT_EQ(ZR_OK, ZipGetItem(hz, 1, &item));
    EXPECT_EQ(ZR_CANTOPEN, ZipUnzipItem(hz, 1, item.name));
    EXPECT_EQ(1u + 2u + 0u, ListTree(scratch.Path()).size());  // base\, base\d\, base\d\nnn...
}

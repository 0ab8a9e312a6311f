// The whole-archive unzip on worker threads against the entry-by-entry run: the same tree (bytes,
// attributes, times), the same refusals, the same failure named.
#include "ZipBuilder.h"
#include "ZipTestFiles.h"

#include "unpack/zip/ZipReader.h"

#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <map>

namespace {

struct Outcome {
    ZRESULT result = ZR_OK;
    int index = -1;
    bool atGetItem = false;
    bool operator==(const Outcome&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Outcome& o)
{
    return out << std::hex << o.result << std::dec << " at " << o.index << (o.atGetItem ? " (get)" : " (unzip)");
}

// What the launcher did before: get item, then unzip item, for each index, up to the first failure.
Outcome UnzipOneByOne(const std::vector<uint8_t>& bytes, const std::wstring& folder)
{
    const HZIP hz = ZipOpenMemory(bytes.data(), static_cast<unsigned>(bytes.size()), nullptr);
    if (!hz)
        return {ZR_CANTOPEN, -1, false};
    ZipSetBaseFolder(hz, folder.c_str());
    ZipItem item;
    ZipGetItem(hz, -1, &item);
    Outcome outcome;
    for (int i = 0, n = item.index; i < n && outcome.index < 0; ++i) {
        if (const ZRESULT zr = ZipGetItem(hz, i, &item); zr != ZR_OK) {
            outcome = {zr, i, true};
        } else if (const ZRESULT zr2 = ZipUnzipItem(hz, i, item.name);
                   zr2 != ZR_OK && !(zr2 == ZR_INFLATE && item.uncompressedSize == 0)) {
            outcome = {zr2, i, false};
        }
    }
    ZipClose(hz);
    return outcome;
}

Outcome UnzipInParallel(const std::vector<uint8_t>& bytes, const std::wstring& folder, unsigned workers)
{
    const HZIP hz = ZipOpenMemory(bytes.data(), static_cast<unsigned>(bytes.size()), nullptr);
    if (!hz)
        return {ZR_CANTOPEN, -1, false};
    ZipSetBaseFolder(hz, folder.c_str());
    ZipUnzipAllFailure failure;
    int waits = 0;
    const ZRESULT zr = ZipUnzipAll(hz, workers, &failure, [&] { ++waits; });
    ZipClose(hz);
    return zr == ZR_OK ? Outcome{} : Outcome{zr, failure.index, failure.atGetItem};
}

struct FileState {
    DWORD attributes = 0;
    FILETIME creation{}, access{}, write{};
    std::vector<uint8_t> bytes;
    bool operator==(const FileState& o) const
    {
        auto same = [](const FILETIME& a, const FILETIME& b) {
            return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
        };
        // An empty file gets no times: it keeps those of its creation.
        const bool timed = !bytes.empty();
        return attributes == o.attributes && bytes == o.bytes &&
               (!timed || (same(write, o.write) && same(creation, o.creation) && same(access, o.access)));
    }
};

// Everything below folder: attributes, the three times of files, their bytes.
std::map<std::wstring, FileState> Snapshot(const std::wstring& folder)
{
    std::map<std::wstring, FileState> tree;
    for (const auto& [path, attributes] : ListTree(folder)) {
        FileState state;
        state.attributes = attributes;
        if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            WIN32_FILE_ATTRIBUTE_DATA data;
            if (GetFileAttributesExW((folder + path).c_str(), GetFileExInfoStandard, &data)) {
                state.creation = data.ftCreationTime;
                state.access = data.ftLastAccessTime;
                state.write = data.ftLastWriteTime;
            }
            state.bytes = ReadBytes(folder + path);
        }
        tree[path] = std::move(state);
    }
    return tree;
}

int ThreadsOfThisProcess()
{
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    int count = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        count += entry.th32OwnerProcessID == GetCurrentProcessId();
    CloseHandle(snapshot);
    return count;
}

}  // namespace

TEST(ZipUnzipAllTest, SameTreeAndSameOutcomeAsEntryByEntry)
{
    for (const wchar_t* name : {L"infozip.zip", L"infozip_stream.zip", L"prefixed.zip", L"sevenzip.zip",
                                L"bsdtar.zip", L"python.zip", L"hostile.zip", L"damaged_crc.zip"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(name)));
        const std::vector<uint8_t> bytes = ReadBytes(DataPath(name));
        ASSERT_FALSE(bytes.empty());
        ScratchFolder one(L"one"), four(L"four"), single(L"single");
        const Outcome expected = UnzipOneByOne(bytes, one.Path());
        EXPECT_EQ(expected, UnzipInParallel(bytes, four.Path(), 4));
        EXPECT_EQ(expected, UnzipInParallel(bytes, single.Path(), 1));
        const auto tree = Snapshot(one.Path());
        if (expected.index < 0) {
            EXPECT_FALSE(tree.empty());
            for (const std::wstring& other : {four.Path(), single.Path()}) {
                const auto otherTree = Snapshot(other);
                EXPECT_EQ(tree.size(), otherTree.size());
                for (const auto& [path, state] : tree) {
                    const auto found = otherTree.find(path);
                    ASSERT_TRUE(found != otherTree.end()) << testing::PrintToString(path);
                    EXPECT_TRUE(found->second == state) << testing::PrintToString(path);
                }
            }
        }
    }
}

TEST(ZipUnzipAllTest, FailuresNameTheLowestIndexAndLeaveNoThreadBehind)
{
    // Data that does not compress: a damaged byte 20 bytes into an entry lies inside its data.
    std::vector<BuildEntry> entries;
    uint32_t random = 12345;
    for (int i = 0; i < 40; ++i) {
        std::string data(3000 + 997 * i, '\0');
        for (char& c : data)
            c = static_cast<char>((random = random * 1103515245u + 12345u) >> 24);
        entries.push_back({.name = "d/f" + std::to_string(i) + ".bin", .data = data, .deflate = i % 2 == 0});
    }
    ThreadsOfThisProcess();  // whatever the snapshot itself starts, it starts now
    const int threadsBefore = ThreadsOfThisProcess();
    ScratchFolder scratch(L"fail");
    const std::wstring base = scratch.Path() + L"base\\";

    // Damaged data in entries 7 and 31: the workers meet 31 (larger) first; 7 is named all the same.
    BuiltZip damaged = BuildZip(entries);
    for (int i : {7, 31})
        damaged.bytes[damaged.local[i] + 30 + entries[i].name.size() + 20] ^= 0x55;
    for (unsigned workers : {1u, 2u, 4u}) {
        EXPECT_EQ((Outcome{ZR_BADARCHIVE, 7, false}), UnzipOneByOne(damaged.bytes, base)) << workers;
        RemoveTree(base);
        const Outcome got = UnzipInParallel(damaged.bytes, base, workers);
        EXPECT_TRUE(got.result == ZR_BADARCHIVE || got.result == ZR_INFLATE) << got;
        EXPECT_EQ(7, got.index);
        EXPECT_FALSE(got.atGetItem);
        // Every entry in front of the failure is written whole; the failing one is not left behind.
        for (int i = 0; i < 7; ++i)
            EXPECT_EQ(entries[i].data.size(), ReadBytes(base + L"d\\f" + std::to_wstring(i) + L".bin").size()) << i;
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW((base + L"d\\f7.bin").c_str()));
        RemoveTree(base);
    }

    // A record that get item refuses (entry 20) behind a damaged entry (12): the damaged one is named.
    BuiltZip both = BuildZip(entries);
    both.bytes[both.local[12] + 30 + entries[12].name.size() + 20] ^= 0x55;
    both.Put16(both.local[20] + 8, 12);  // a compression method the central record does not name
    EXPECT_EQ((Outcome{ZR_BADARCHIVE, 12, false}), UnzipInParallel(both.bytes, base, 4));
    RemoveTree(base);
    // With only the refused record, the entries in front of it are written and get item is named.
    BuiltZip record = BuildZip(entries);
    record.Put16(record.local[20] + 8, 12);
    EXPECT_EQ((Outcome{ZR_BADARCHIVE, 20, true}), UnzipInParallel(record.bytes, base, 4));
    EXPECT_EQ(entries[19].data.size(), ReadBytes(base + L"d\\f19.bin").size());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW((base + L"d\\f21.bin").c_str()));

    // Nothing outside the base folder, and every worker has ended.
    for (const auto& [path, attributes] : ListTree(scratch.Path()))
        EXPECT_EQ(0u, path.rfind(L"base\\", 0)) << testing::PrintToString(path);
    EXPECT_EQ(threadsBefore, ThreadsOfThisProcess());
}

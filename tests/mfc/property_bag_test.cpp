// Property bags and their files: round trips, damaged images refused whole, saving that keeps the
// old file when it fails, and the property exchange on top.
#include "platform/mfc/CPropExchange.h"
#include "platform/mfc/PropertyBag.h"

#include "tests/support/LastError.h"
#include "tests/support/Wine.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

namespace {

using LoadResult = CPropertyBag::LoadResult;

CPropertyBag SampleBag()
{
    CPropertyBag bag;
    bag.SetBool(L"Enabled", FALSE);
    bag.SetBool(L"UsePalette", TRUE);
    bag.SetLong(L"BackColor", 0x00CCB1A1);
    bag.SetLong(L"Min", LONG(0x80000000));
    bag.SetString(L"Text", L"Gr\u00FC\u00DFe \u2603");
    bag.SetString(L"Empty", L"");
    bag.SetString(L"WithNul", std::wstring(L"a\0b", 3));
    return bag;
}

// A scratch file path in the temporary folder, removed with the object.
class TempPath {
public:
    explicit TempPath(const wchar_t* pszName)
    {
        wchar_t dir[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, dir);
        m_folder = std::wstring(dir) + L"lumbra-props-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                   std::to_wstring(++s_nCounter);
        CreateDirectoryW(m_folder.c_str(), nullptr);
        m_path = m_folder + L"\\" + pszName;
    }
    ~TempPath()
    {
        for (const std::wstring& name : Files()) {
            const std::wstring file = m_folder + L"\\" + name;
            SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(file.c_str());
        }
        RemoveDirectoryW(m_folder.c_str());
    }
    const wchar_t* c_str() const { return m_path.c_str(); }
    const std::wstring& Folder() const { return m_folder; }
    std::vector<std::wstring> Files() const
    {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW fd{};
        HANDLE h = FindFirstFileW((m_folder + L"\\*").c_str(), &fd);
        if (h == INVALID_HANDLE_VALUE)
            return names;
        do {
            if (wcscmp(fd.cFileName, L".") != 0 && wcscmp(fd.cFileName, L"..") != 0)
                names.push_back(fd.cFileName);
        } while (FindNextFileW(h, &fd));
        FindClose(h);
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    static inline int s_nCounter = 0;
    std::wstring m_folder;
    std::wstring m_path;
};

std::vector<BYTE> ReadFileBytes(const wchar_t* pszPath)
{
    std::vector<BYTE> bytes;
    HANDLE h = CreateFileW(pszPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return bytes;
    bytes.resize(GetFileSize(h, nullptr));
    DWORD nRead = 0;
    ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &nRead, nullptr);
    bytes.resize(nRead);
    CloseHandle(h);
    return bytes;
}

void PutU32(std::vector<BYTE>& image, size_t offset, DWORD value)
{
    for (int i = 0; i < 4; ++i)
        image[offset + static_cast<size_t>(i)] = static_cast<BYTE>(value >> (8 * i));
}

// Makes the header's sizes and checksum fit the payload again, computed here with zlib itself.
void Reseal(std::vector<BYTE>& image, DWORD nCount)
{
    PutU32(image, 8, nCount);
    PutU32(image, 12, static_cast<DWORD>(image.size() - CPropertyBag::kHeaderSize));
    uLong crc = crc32(0L, image.data(), 16);
    crc = crc32(crc, image.data() + CPropertyBag::kHeaderSize, static_cast<uInt>(image.size() - 20));
    PutU32(image, 16, static_cast<DWORD>(crc));
}

// A header followed by one raw record.
std::vector<BYTE> ImageWithRecord(const std::vector<BYTE>& record)
{
    std::vector<BYTE> image(CPropertyBag::kHeaderSize + record.size(), 0);
    const BYTE start[] = {'L', 'P', 'B', 'G', 1};
    std::copy(std::begin(start), std::end(start), image.begin());
    std::copy(record.begin(), record.end(), image.begin() + CPropertyBag::kHeaderSize);
    Reseal(image, 1);
    return image;
}

}  // namespace

TEST(PropertyBagTest, TypedValuesLookups)
{
    const CPropertyBag bag = SampleBag();
    BOOL b = 7;
    LONG n = 7;
    std::wstring s = L"x";
    EXPECT_EQ(CPropertyBag::Lookup::found, bag.GetBool(L"UsePalette", b));
    EXPECT_EQ(TRUE, b);
    EXPECT_EQ(CPropertyBag::Lookup::wrongType, bag.GetBool(L"Text", b));
    EXPECT_EQ(CPropertyBag::Lookup::missing, bag.GetLong(L"Nothing", n));
    EXPECT_EQ(7, n) << "the output is left alone";
    EXPECT_EQ(CPropertyBag::Lookup::found, bag.GetString(L"WithNul", s));
    EXPECT_EQ(3u, s.size());

    CPropertyBag names;
    EXPECT_FALSE(names.SetBool(L"", TRUE)) << "empty name";
    EXPECT_FALSE(names.SetLong(nullptr, 1));
    EXPECT_FALSE(names.SetLong(std::wstring(256, L'n').c_str(), 1)) << "name too long";
    EXPECT_TRUE(names.SetLong(std::wstring(255, L'n').c_str(), 1));
    EXPECT_FALSE(names.SetString(L"big", std::wstring(CPropertyBag::kMaxStringLength + 1, L'x')));
    EXPECT_EQ(1u, names.GetCount());
}

TEST(PropertyBagTest, ImageAndFileRoundTrip)
{
    const CPropertyBag bag = SampleBag();
    CPropertyBag copy;
    const std::vector<BYTE> image = bag.Serialize();
    ASSERT_EQ(LoadResult::ok, copy.Deserialize(image.data(), image.size()));
    EXPECT_TRUE(copy == bag);

    TempPath path(L"props.lpb");
    ASSERT_TRUE(bag.SaveToFile(path.c_str())) << GetLastError();
    EXPECT_EQ(image, ReadFileBytes(path.c_str())) << "the file is the image";
    CPropertyBag loaded;
    loaded.SetLong(L"Stale", 1);
    ASSERT_EQ(LoadResult::ok, loaded.LoadFromFile(path.c_str()));
    EXPECT_TRUE(loaded == bag) << "a loaded file replaces the whole content";

    CPropertyBag other;
    other.SetBool(L"Only", TRUE);
    ASSERT_TRUE(other.SaveToFile(path.c_str())) << "an existing file is replaced";
    ASSERT_EQ(LoadResult::ok, loaded.LoadFromFile(path.c_str()));
    EXPECT_TRUE(loaded == other);
    EXPECT_EQ(std::vector<std::wstring>{L"props.lpb"}, path.Files()) << "no temporary file stays behind";

    CPropertyBag empty;
    ASSERT_TRUE(empty.SaveToFile(path.c_str()));
    EXPECT_EQ(CPropertyBag::kHeaderSize, ReadFileBytes(path.c_str()).size());
    ASSERT_EQ(LoadResult::ok, loaded.LoadFromFile(path.c_str()));
    EXPECT_EQ(0u, loaded.GetCount());
}

TEST(PropertyBagTest, EveryTruncationAndBitFlipIsRefusedWhole)
{
    const std::vector<BYTE> image = SampleBag().Serialize();
    CPropertyBag bag;
    bag.SetString(L"Before", L"kept");
    const CPropertyBag before = bag;

    for (size_t n = 0; n < image.size(); ++n) {
        EXPECT_NE(LoadResult::ok, bag.Deserialize(image.data(), n)) << "truncated to " << n;
    }
    std::vector<BYTE> longer = image;
    longer.push_back(0);
    EXPECT_EQ(LoadResult::badSize, bag.Deserialize(longer.data(), longer.size())) << "trailing byte";

    int nRefused = 0;
    for (size_t i = 0; i < image.size(); ++i) {
        for (int bit = 0; bit < 8; ++bit) {
            std::vector<BYTE> flipped = image;
            flipped[i] ^= static_cast<BYTE>(1 << bit);
            if (bag.Deserialize(flipped.data(), flipped.size()) != LoadResult::ok)
                ++nRefused;
            else
                ADD_FAILURE() << "flip of bit " << bit << " of byte " << i << " was taken";
        }
    }
    EXPECT_EQ(static_cast<int>(image.size() * 8), nRefused);
    EXPECT_TRUE(bag == before) << "nothing of a refused image reaches the bag";
}

TEST(PropertyBagTest, LengthsAreCheckedBeforeAllocation)
{
    CPropertyBag bag;
    bag.SetLong(L"Kept", 5);
    const CPropertyBag before = bag;
    // A string that claims two billion characters, with a valid checksum: refused, nothing allocated.
    const std::vector<BYTE> hugeString =
        ImageWithRecord({3, 1, 0, 'T', 0, 0xFF, 0xFF, 0xFF, 0x7F, 'a', 0});
    EXPECT_EQ(LoadResult::badRecord, bag.Deserialize(hugeString.data(), hugeString.size()));
    const std::vector<BYTE> longString = ImageWithRecord({3, 1, 0, 'T', 0, 2, 0, 0, 0, 'a', 0});
    EXPECT_EQ(LoadResult::badRecord, bag.Deserialize(longString.data(), longString.size()))
        << "one unit more than the record holds";
    const std::vector<BYTE> hugeName = ImageWithRecord({1, 0xFF, 0xFF, 'T', 0, 1});
    EXPECT_EQ(LoadResult::badRecord, bag.Deserialize(hugeName.data(), hugeName.size()));
    const std::vector<BYTE> noName = ImageWithRecord({1, 0, 0, 1});
    EXPECT_EQ(LoadResult::badRecord, bag.Deserialize(noName.data(), noName.size()));
    const std::vector<BYTE> badBool = ImageWithRecord({1, 1, 0, 'B', 0, 2});
    EXPECT_EQ(LoadResult::badRecord, bag.Deserialize(badBool.data(), badBool.size()));
    const std::vector<BYTE> badType = ImageWithRecord({9, 1, 0, 'B', 0, 1});
    EXPECT_EQ(LoadResult::badRecord, bag.Deserialize(badType.data(), badType.size()));

    std::vector<BYTE> manyRecords = ImageWithRecord({1, 1, 0, 'B', 0, 1});
    Reseal(manyRecords, 0xFFFFFFFF);
    EXPECT_EQ(LoadResult::badRecord, bag.Deserialize(manyRecords.data(), manyRecords.size()))
        << "a count the payload cannot hold";
    std::vector<BYTE> twice = ImageWithRecord({1, 1, 0, 'B', 0, 1, 1, 1, 0, 'B', 0, 0});
    Reseal(twice, 2);
    EXPECT_EQ(LoadResult::badRecord, bag.Deserialize(twice.data(), twice.size())) << "a name twice";
    std::vector<BYTE> version = ImageWithRecord({1, 1, 0, 'B', 0, 1});
    version[4] = 2;
    Reseal(version, 1);
    EXPECT_EQ(LoadResult::badVersion, bag.Deserialize(version.data(), version.size()));
    EXPECT_TRUE(bag == before);

    const std::vector<BYTE> good = ImageWithRecord({1, 1, 0, 'B', 0, 1});
    ASSERT_EQ(LoadResult::ok, bag.Deserialize(good.data(), good.size())) << "the hand-made image is sound";
    BOOL b = FALSE;
    EXPECT_EQ(CPropertyBag::Lookup::found, bag.GetBool(L"B", b));
    EXPECT_TRUE(b);
}

TEST(PropertyBagTest, DamagedOrMissingFilesChangeNothing)
{
    TempPath path(L"props.lpb");
    CPropertyBag bag = SampleBag();
    const CPropertyBag before = bag;
    EXPECT_EQ(LoadResult::openFailed, bag.LoadFromFile(path.c_str()));

    std::vector<BYTE> image = SampleBag().Serialize();
    image[image.size() / 2] ^= 0x10;
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    DWORD nWritten = 0;
    WriteFile(h, image.data(), static_cast<DWORD>(image.size()), &nWritten, nullptr);
    CloseHandle(h);
    EXPECT_EQ(LoadResult::badChecksum, bag.LoadFromFile(path.c_str()));

    // Larger than any property file may be: refused by its size, before it is read.
    h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    LARGE_INTEGER size{};
    size.QuadPart = static_cast<LONGLONG>(CPropertyBag::kMaxFileSize) + 1;
    SetFilePointerEx(h, size, nullptr, FILE_BEGIN);
    SetEndOfFile(h);
    CloseHandle(h);
    EXPECT_EQ(LoadResult::badSize, bag.LoadFromFile(path.c_str()));
    EXPECT_TRUE(bag == before);
}

TEST(PropertyBagTest, FailedSaveKeepsTheOldFile)
{
    TempPath path(L"props.lpb");
    const CPropertyBag old = SampleBag();
    ASSERT_TRUE(old.SaveToFile(path.c_str()));
    const std::vector<BYTE> oldImage = ReadFileBytes(path.c_str());
    CPropertyBag changed;
    changed.SetBool(L"New", TRUE);

    // A folder where the file should go cannot be replaced, here or on Windows.
    const std::wstring blocked = path.Folder() + L"\\blocked.lpb";
    ASSERT_TRUE(CreateDirectoryW(blocked.c_str(), nullptr));
    ArmLastError();
    EXPECT_FALSE(changed.SaveToFile(blocked.c_str()));
    EXPECT_TRUE(LastErrorSet()) << "the failure carries the system's error";
    EXPECT_EQ(FILE_ATTRIBUTE_DIRECTORY, GetFileAttributesW(blocked.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ((std::vector<std::wstring>{L"blocked.lpb", L"props.lpb"}), path.Files())
        << "the temporary file is removed";
    RemoveDirectoryW(blocked.c_str());

    // Windows refuses to replace a read-only file and one that another program holds open without
    // sharing deletion; Wine 8 replaces both.
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    const BOOL bReadOnlySaved = changed.SaveToFile(path.c_str());
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (bReadOnlySaved && RunningOnWine()) {
        WINE_KNOWN_DIFFERENCE("a read-only file is replaced by a rename; Windows refuses (access denied)");
        ASSERT_TRUE(old.SaveToFile(path.c_str()));
    } else {
        EXPECT_FALSE(bReadOnlySaved);
        EXPECT_EQ(oldImage, ReadFileBytes(path.c_str()));
    }
    HANDLE hHeld = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hHeld);
    const BOOL bHeldSaved = changed.SaveToFile(path.c_str());
    CloseHandle(hHeld);
    if (bHeldSaved && RunningOnWine()) {
        WINE_KNOWN_DIFFERENCE("a file held open without delete sharing is replaced; Windows refuses (access denied)");
        ASSERT_TRUE(old.SaveToFile(path.c_str()));
    } else {
        EXPECT_FALSE(bHeldSaved);
        EXPECT_EQ(oldImage, ReadFileBytes(path.c_str()));
    }
    EXPECT_EQ(std::vector<std::wstring>{L"props.lpb"}, path.Files());

    // A bag whose file would be larger than any file a load accepts is not saved: a file that could
    // never be read back is a failure, not a success.
    CPropertyBag huge;
    for (int i = 0; i < 9; ++i)
        ASSERT_TRUE(huge.SetString((L"S" + std::to_wstring(i)).c_str(),
                                   std::wstring(CPropertyBag::kMaxStringLength, L'x')));
    ASSERT_GT(huge.Serialize().size(), CPropertyBag::kMaxFileSize);
    SetLastError(0xdeadbeef);
    EXPECT_FALSE(huge.SaveToFile(path.c_str()));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_TOO_LARGE), GetLastError());
    EXPECT_EQ(oldImage, ReadFileBytes(path.c_str()));
    EXPECT_EQ(std::vector<std::wstring>{L"props.lpb"}, path.Files());

    EXPECT_FALSE(changed.SaveToFile((path.Folder() + L"\\missing\\props.lpb").c_str())) << "no such folder";
    EXPECT_FALSE(changed.SaveToFile(L""));
    CPropertyBag loaded;
    ASSERT_EQ(LoadResult::ok, loaded.LoadFromFile(path.c_str()));
    EXPECT_TRUE(loaded == old);
}

TEST(PropExchangeTest, SavesAndLoadsByNameAndType)
{
    CPropertyBag bag;
    {
        CPropExchange px(bag, FALSE);
        BOOL b = TRUE;
        LONG n = -42;
        CString s(L"tip \u00E9", 5);
        EXPECT_TRUE(PX_Bool(&px, L"B", b, FALSE));
        EXPECT_TRUE(PX_Long(&px, L"N", n, 0));
        EXPECT_TRUE(PX_String(&px, L"S", s, CString()));
        EXPECT_FALSE(PX_Long(&px, L"", n, 0)) << "a name the bag cannot hold";
    }
    EXPECT_EQ(3u, bag.GetCount());

    CPropExchange px(bag, TRUE);
    EXPECT_TRUE(px.IsLoading());
    BOOL b = FALSE;
    LONG n = 0;
    CString s;
    EXPECT_TRUE(PX_Bool(&px, L"B", b, FALSE));
    EXPECT_TRUE(PX_Long(&px, L"N", n, 0));
    EXPECT_TRUE(PX_String(&px, L"S", s, CString()));
    EXPECT_TRUE(b);
    EXPECT_EQ(-42, n);
    EXPECT_EQ(CString(L"tip \u00E9"), s);

    LONG nMissing = 3;
    EXPECT_FALSE(PX_Long(&px, L"Missing", nMissing, nMissing));
    EXPECT_EQ(3, nMissing) << "a missing name gives the default, here the current value";
    LONG nWrongType = 3;
    EXPECT_FALSE(PX_Long(&px, L"S", nWrongType, 9));
    EXPECT_EQ(9, nWrongType) << "a value of another type gives the default";
    CString strWrongType(L"old");
    EXPECT_FALSE(PX_String(&px, L"B", strWrongType, CString(L"default")));
    EXPECT_EQ(CString(L"default"), strWrongType);
    EXPECT_FALSE(PX_Bool(nullptr, L"B", b, FALSE));
}

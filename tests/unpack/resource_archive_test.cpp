// Unpacking archive resources: this program embeds test archives and, started with
// "--unpack NAME FOLDER", unpacks one of them as the launcher does.
#include "support/ChildProcess.h"
#include "support/ScratchFolder.h"
#include "unpack/ReportAssertion.h"
#include "unpack/ResourceArchive.h"
#include "unpack/UnpackProgress.h"

#include <gtest/gtest.h>
#include <shellapi.h>

#include <string>

namespace {

std::wstring SelfPath()
{
    wchar_t path[MAX_PATH];
    return std::wstring(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
}

ChildResult Unpack(const std::wstring& name, const std::wstring& folder)
{
    // A backslash before the closing quote would escape it: double the folder's trailing one.
    std::wstring quoted = L"\"" + folder + (folder.back() == L'\\' ? L"\\\"" : L"\"");
    return RunUnderDebugger(L"\"" + SelfPath() + L"\" --unpack " + name + L" " + quoted);
}

std::wstring ReportLine(int line, const wchar_t* expression, DWORD error)
{
    wchar_t buffer[256];
    FormatAssertionLine(buffer, L"Assertion", L".\\Lumbra", line, expression, error);
    return buffer;
}

bool StartsWith(const std::wstring& text, const std::wstring& prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

TEST(ReportLine, Format)
{
    EXPECT_EQ(L"Assertion: .\\Lumbra/239: NULL != hrsrc (e:00000716)\r\n",
              ReportLine(239, L"NULL != hrsrc", 0x716));
    EXPECT_EQ(L"Assertion: .\\Lumbra/266: ZR_OK == zr (e:deadbeef)\r\n", ReportLine(266, L"ZR_OK == zr", 0xDEADBEEF));
    // An overlong expression is cut, never written past the buffer.
    const std::wstring longText(400, L'x');
    wchar_t buffer[256];
    FormatAssertionLine(buffer, L"Assertion", L".\\Lumbra", 1, longText.c_str(), 0);
    EXPECT_EQ(255u, wcslen(buffer));
}

TEST(ResourceArchive, UnpacksEveryEntryIncludingEmptyFilesAndLateFolderEntries)
{
    ScratchFolder folder;
    const ChildResult run = Unpack(L"GOOD", folder.path());
    EXPECT_EQ(0u, run.exitCode);
    EXPECT_TRUE(run.debugOutput.empty());
    EXPECT_EQ(std::string(960, '\0').size(), ReadWholeFile(folder / L"Pack\\readme.txt").size());
    EXPECT_TRUE(PathExists(folder / L"Pack\\empty.txt"));
    EXPECT_TRUE(ReadWholeFile(folder / L"Pack\\empty.txt").empty());
    EXPECT_EQ(2048u, ReadWholeFile(folder / L"Pack\\inner\\deep.bin").size());
}

TEST(ResourceArchive, SecondUnpackReplacesEarlierCopies)
{
    ScratchFolder folder;
    ASSERT_EQ(0u, Unpack(L"GOOD", folder.path()).exitCode);
    ASSERT_TRUE(WriteTextFile(folder / L"Pack\\readme.txt", "edited"));
    ASSERT_EQ(0u, Unpack(L"GOOD", folder.path()).exitCode);
    EXPECT_EQ(960u, ReadWholeFile(folder / L"Pack\\readme.txt").size());
}

TEST(ResourceArchive, MissingResourceReportsLine239)
{
    ScratchFolder folder;
    const ChildResult run = Unpack(L"LANG_XX", folder.path());
    EXPECT_EQ(1u, run.exitCode);
    ASSERT_EQ(1u, run.debugOutput.size());
    EXPECT_EQ(ReportLine(239, L"NULL != hrsrc", ERROR_RESOURCE_NAME_NOT_FOUND), run.debugOutput[0]);
}

TEST(ResourceArchive, DataThatIsNoArchiveReportsLine249)
{
    ScratchFolder folder;
    const ChildResult run = Unpack(L"NOTZIP", folder.path());
    EXPECT_EQ(1u, run.exitCode);
    ASSERT_EQ(1u, run.debugOutput.size());
    // The last error says what is wrong, not what an earlier call happened to leave.
    EXPECT_EQ(ReportLine(249, L"NULL != hz", ERROR_FILE_CORRUPT), run.debugOutput[0]);
}

TEST(ResourceArchive, EntriesSharingTheirDataAreRefusedBeforeAnythingIsWritten)
{
    ScratchFolder folder;
    const ChildResult run = Unpack(L"OVERLAP", folder.path());
    EXPECT_EQ(1u, run.exitCode);
    ASSERT_EQ(1u, run.debugOutput.size());
    EXPECT_EQ(ReportLine(249, L"NULL != hz", ERROR_FILE_CORRUPT), run.debugOutput[0]);
    EXPECT_FALSE(PathExists(folder / L"first.txt"));
    EXPECT_FALSE(PathExists(folder / L"second.txt"));
}

TEST(ResourceArchive, DamagedStoredEntryFailsOnItsCrc)
{
    ScratchFolder folder;
    const ChildResult run = Unpack(L"DAMAGED", folder.path());
    EXPECT_EQ(1u, run.exitCode);
    ASSERT_EQ(1u, run.debugOutput.size());
    EXPECT_EQ(ReportLine(266, L"ZR_OK == zr", ERROR_FILE_CORRUPT), run.debugOutput[0]);
    EXPECT_EQ("fine", ReadWholeFile(folder / L"ok.txt"));
    EXPECT_FALSE(PathExists(folder / L"damaged.bin"));  // found damaged once written: removed again
}

TEST(ResourceArchive, EntryLeavingTheFolderIsRefused)
{
    ScratchFolder outer;
    const std::wstring inner = outer / L"work\\";
    CreateDirectoryW(inner.c_str(), nullptr);
    const ChildResult run = Unpack(L"ESCAPE", inner);
    EXPECT_EQ(1u, run.exitCode);
    ASSERT_EQ(1u, run.debugOutput.size());
    EXPECT_TRUE(StartsWith(run.debugOutput[0], L"Assertion: .\\Lumbra/266: ZR_OK == zr (e:"));
    EXPECT_FALSE(PathExists(outer / L"escaped.txt"));
}

namespace {

struct CountingProgress final : UnpackProgress {
    std::vector<std::wstring> archives;
    uint64_t bytes = 0;
    int calls = 0;
    void OnArchiveStarted(const wchar_t* pszName) override { archives.push_back(pszName); }
    void OnBytesWritten(uint64_t nBytes) override
    {
        bytes += nBytes;
        ++calls;
    }
};

}  // namespace

TEST(ResourceArchive, ProgressHearsOfEveryByteWritten)
{
    ScratchFolder folder;
    CountingProgress progress;
    UnpackResourceArchive(GetModuleHandleW(nullptr), L"GOOD", folder.path().c_str(), &progress);
    UnpackResourceArchive(GetModuleHandleW(nullptr), L"GOOD", folder.path().c_str(), &progress);
    EXPECT_EQ((std::vector<std::wstring>{L"GOOD", L"GOOD"}), progress.archives);
    uint64_t size = 0;
    for (const wchar_t* name : {L"GOOD", L"MISSING", L"NOTZIP"})
        size += UnpackedSizeOfArchive(GetModuleHandleW(nullptr), name);
    EXPECT_EQ(960u + 2048u, size);
    EXPECT_EQ(2 * size, progress.bytes);
    EXPECT_GE(progress.calls, 2);  // passed on by the calling thread while the workers write, and at the end
    EXPECT_EQ(960u, ReadWholeFile(folder / L"Pack\\readme.txt").size());
}

int main(int argc, char** argv)
{
    int wargc = 0;
    wchar_t** wargv = CommandLineToArgvW(GetCommandLineW(), &wargc);
    if (wargc == 4 && std::wstring(wargv[1]) == L"--unpack") {
        UnpackResourceArchive(GetModuleHandleW(nullptr), wargv[2], wargv[3]);
        return 0;
    }
    LocalFree(wargv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// A second "/e" run over what the first one left: read-only files are replaced, a file that another
// program holds open ends the run with the system's own error, and nothing outside the folder changes.
// The expected files come from the payload folder the launcher was packed from, not from our reader.
#include "support/ChildProcess.h"
#include "support/LauncherArchives.h"
#include "support/PrivateTemp.h"
#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>

// Scratch folders, and so the launchers' %TEMP%, live in a %TEMP% of this program's own.
static testing::Environment* const kPrivateTemp = testing::AddGlobalTestEnvironment(new PrivateTempEnvironment);

namespace {

const wchar_t* const kArchives[] = {L"ZOLT", L"VC", L"RUNTIME", L"LANG_EN", L"HELP_EN"};

std::wstring Launcher() { return L"\"" + ExecutableFolder() + L"LumbraNoViewer.exe\" /e"; }

// The packed payload as Windows sees it (a Linux path through drive Z:).
std::wstring PayloadFolder()
{
    const char* source = std::getenv("LUMBRA_SOURCE");
    std::wstring path = L"Z:";
    for (const char* p = source ? source : ""; *p; ++p)
        path += *p == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(*p));
    return path + L"\\tests\\data\\payload\\";
}

// Relative path -> content of every file the five archives of a default run hold.
std::map<std::wstring, std::string> ExpectedFiles()
{
    std::map<std::wstring, std::string> files;
    for (const wchar_t* archive : kArchives) {
        const std::wstring root = PayloadFolder() + archive + L"\\";
        for (const std::wstring& name : FilesBelow(root))
            files[name] = ReadWholeFile(root + name);
    }
    return files;
}

void ExpectUnpacked(const std::wstring& lm, const std::map<std::wstring, std::string>& expected)
{
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(expected.size(), FilesBelow(lm).size());
    for (const auto& [name, content] : expected)
        EXPECT_EQ(content, ReadWholeFile(lm + name)) << testing::PrintToString(name);
}

EnvironmentChanges TempIn(const ScratchFolder& temp) { return {{L"TEMP", temp.path()}, {L"TMP", temp.path()}}; }

}  // namespace

TEST(ExtractAgain, ReplacesReadOnlyFilesAndTouchesNothingOutsideTheFolder)
{
    ScratchFolder temp;
    const auto expected = ExpectedFiles();
    // A read-only file beside the folder, named like one inside it: never ours to change.
    const std::wstring outside = temp / L"reader.dll";
    ASSERT_TRUE(WriteTextFile(outside, "not the launcher's"));
    ASSERT_TRUE(SetFileAttributesW(outside.c_str(), FILE_ATTRIBUTE_READONLY));

    ASSERT_EQ(0u, RunUnderDebugger(Launcher(), TempIn(temp)).exitCode);
    const std::wstring lm = temp / L"LM\\";
    for (const auto& [name, content] : expected) {
        ASSERT_TRUE(WriteTextFile(lm + name, "changed, and made read-only"));
        ASSERT_TRUE(SetFileAttributesW((lm + name).c_str(), FILE_ATTRIBUTE_READONLY));
    }

    const ChildResult again = RunUnderDebugger(Launcher(), TempIn(temp));
    EXPECT_EQ(0u, again.exitCode);
    EXPECT_TRUE(again.debugOutput.empty()) << testing::PrintToString(again.debugOutput);
    ExpectUnpacked(lm, expected);
    for (const auto& [name, content] : expected)
        EXPECT_FALSE(GetFileAttributesW((lm + name).c_str()) & FILE_ATTRIBUTE_READONLY) << testing::PrintToString(name);

    EXPECT_EQ("not the launcher's", ReadWholeFile(outside));
    EXPECT_TRUE(GetFileAttributesW(outside.c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ((std::vector<std::wstring>{L"LM", L"reader.dll"}), FolderNames(temp.path()));
    SetFileAttributesW(outside.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(ExtractAgain, FileHeldOpenByAnotherProgramIsReportedWithTheSharingViolation)
{
    ScratchFolder temp;
    ASSERT_EQ(0u, RunUnderDebugger(Launcher(), TempIn(temp)).exitCode);
    const std::wstring held = temp / L"LM\\reader.dll";
    const HANDLE file = CreateFileW(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    const std::string before = [&] {
        std::string bytes(4096, '\0');
        DWORD read = 0;
        ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
        bytes.resize(read);
        return bytes;
    }();

    const ChildResult again = RunUnderDebugger(Launcher(), TempIn(temp));
    CloseHandle(file);
    EXPECT_EQ(1u, again.exitCode);
    ASSERT_EQ(1u, again.debugOutput.size());
    EXPECT_EQ(L"Assertion: .\\Lumbra/266: ZR_OK == zr (e:00000020)\r\n", again.debugOutput[0]);
    EXPECT_EQ(before, ReadWholeFile(held));  // the file in use is left as it was
}

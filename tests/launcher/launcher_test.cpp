// The launcher as users run it: a separate process with its own %TEMP%.
#include "support/ChildProcess.h"
#include "support/ScratchFolder.h"
#include "support/LauncherArchives.h"
#include "support/PrivateTemp.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Every launcher this program starts inherits a %TEMP% of the test program's own.
static testing::Environment* const kPrivateTemp = testing::AddGlobalTestEnvironment(new PrivateTempEnvironment);

namespace {

LONGLONG FileSize(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<LONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// The write time a DOS date and time (local time) stand for.
FILETIME DosToFileTime(WORD date, WORD time)
{
    FILETIME local = {}, utc = {};
    DosDateTimeToFileTime(date, time, &local);
    LocalFileTimeToFileTime(&local, &utc);
    return utc;
}

// Every entry of the archive is in folder as the packer listed it: files with their size, content
// (CRC-32), write time and attributes, folders as folders.
void ExpectArchiveUnpacked(const wchar_t* resourceName, const std::wstring& folder,
                           const std::wstring& launcher = LauncherPath())
{
    const auto entries = ListArchiveResource(launcher, resourceName);
    ASSERT_FALSE(entries.empty()) << "no archive " << testing::PrintToString(std::wstring(resourceName));
    for (const ArchiveEntry& e : entries) {
        const std::wstring path = folder + e.name;
        WIN32_FILE_ATTRIBUTE_DATA data = {};
        ASSERT_TRUE(GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) << testing::PrintToString(path);
        if (e.folder) {
            EXPECT_TRUE(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) << testing::PrintToString(path);
            continue;
        }
        EXPECT_EQ(e.size, FileSize(path)) << testing::PrintToString(path);
        EXPECT_EQ(e.crc, FileCrc32(path)) << testing::PrintToString(path);
        EXPECT_EQ(e.attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM),
                  data.dwFileAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))
            << testing::PrintToString(path);
        if (e.size == 0)
            continue;  // the reader creates an empty entry's file and leaves its times as they are
        const FILETIME expected = DosToFileTime(e.dosDate, e.dosTime);
        EXPECT_EQ(expected.dwLowDateTime, data.ftLastWriteTime.dwLowDateTime) << testing::PrintToString(path);
        EXPECT_EQ(expected.dwHighDateTime, data.ftLastWriteTime.dwHighDateTime) << testing::PrintToString(path);
    }
}

void ExpectArchiveAbsent(const wchar_t* resourceName, const std::wstring& folder)
{
    for (const ArchiveEntry& e : ListArchiveResource(LauncherPath(), resourceName))
        EXPECT_FALSE(PathExists(folder + e.name)) << testing::PrintToString(e.name);
}

EnvironmentChanges TempIn(const ScratchFolder& temp)
{
    return {{L"TEMP", temp.path()}, {L"TMP", temp.path()}};
}

std::wstring Quoted(const std::wstring& s)
{
    return L"\"" + s + L"\"";
}

}  // namespace

TEST(Launcher, ExtractOnlyUnpacksAllFiveArchivesIntoLM)
{
    ScratchFolder temp;
    const ChildResult run = RunUnderDebugger(Quoted(LauncherPath()) + L" /e /lDE", TempIn(temp));
    ASSERT_TRUE(run.started);
    EXPECT_EQ(0u, run.exitCode);
    EXPECT_TRUE(run.debugOutput.empty());
    const std::wstring lm = temp / L"LM\\";
    for (const wchar_t* name : {L"ZOLT", L"VC", L"RUNTIME", L"LANG_DE", L"HELP_DE"})
        ExpectArchiveUnpacked(name, lm);
    ExpectArchiveAbsent(L"LANG_EN", lm);
    EXPECT_EQ(std::vector<std::wstring>{L"LM"}, FolderNames(temp.path()));
}

TEST(Launcher, SecondExtractReplacesTheFirstOnesFiles)
{
    ScratchFolder temp;
    const std::wstring launcher = Quoted(LauncherPath());
    ASSERT_EQ(0u, RunUnderDebugger(launcher + L" /e", TempIn(temp)).exitCode);
    const auto entries = ListArchiveResource(LauncherPath(), L"RUNTIME");
    ASSERT_FALSE(entries.empty());
    const ArchiveEntry* file = nullptr;
    for (const ArchiveEntry& e : entries)
        if (!e.folder && e.size > 0)
            file = &e;
    ASSERT_NE(nullptr, file);
    const std::wstring path = temp / (L"LM\\" + file->name);
    ASSERT_TRUE(WriteTextFile(path, "changed by the user, longer than it was before ....................."));
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_ARCHIVE);

    ASSERT_EQ(0u, RunUnderDebugger(launcher + L" /e", TempIn(temp)).exitCode);
    EXPECT_EQ(file->size, FileSize(path));
    ExpectArchiveUnpacked(L"HELP_EN", temp / L"LM\\");
}

TEST(Launcher, ExtractOnlyUsesTheInheritedTempFolder)
{
    // This program's own %TEMP% (never the user's): the launcher inherits it.
    wchar_t buffer[MAX_PATH];
    const std::wstring inherited(buffer, GetTempPathW(MAX_PATH, buffer));
    ASSERT_NE(PrivateTempEnvironment::RealTemp(), inherited);
    const bool realLmExisted = PathExists(PrivateTempEnvironment::RealTemp() + L"LM");
    const std::wstring lm = inherited + L"LM\\";
    RemoveTreeForTest(lm);
    const ChildResult run = RunUnderDebugger(Quoted(LauncherPath()) + L" /e");
    EXPECT_EQ(0u, run.exitCode);
    for (const wchar_t* name : {L"ZOLT", L"VC", L"RUNTIME", L"LANG_EN", L"HELP_EN"})
        ExpectArchiveUnpacked(name, lm);
    EXPECT_EQ(realLmExisted, PathExists(PrivateTempEnvironment::RealTemp() + L"LM"));
    RemoveTreeForTest(lm);
}

TEST(Launcher, MissingLanguageEndsWithTheReportAfterThreeArchives)
{
    ScratchFolder temp;
    const ChildResult run = RunUnderDebugger(Quoted(LauncherPath()) + L" /e /lXX", TempIn(temp));
    EXPECT_EQ(1u, run.exitCode);
    ASSERT_EQ(1u, run.debugOutput.size());
    EXPECT_EQ(L"Assertion: .\\Lumbra/239: NULL != hrsrc (e:00000716)\r\n", run.debugOutput[0]);
    const std::wstring lm = temp / L"LM\\";
    for (const wchar_t* name : {L"ZOLT", L"VC", L"RUNTIME"})
        ExpectArchiveUnpacked(name, lm);
}

TEST(Launcher, NormalRunUnpacksIntoAFreshFolderAndRemovesIt)
{
    ScratchFolder temp;
    EnvironmentChanges env = TempIn(temp);
    env[L"TAVISK_AUTOCLOSE_MS"] = L"300";  // the demo viewer closes itself
    const ChildResult run = RunUnderDebugger(Quoted(LauncherPath()) + L" /lEN", env);
    EXPECT_EQ(0u, run.exitCode);
    EXPECT_TRUE(run.debugOutput.empty());
    EXPECT_TRUE(FolderNames(temp.path()).empty());
}

TEST(Launcher, NormalRunLeavesItsFolderBehindWhenUnpackingFails)
{
    ScratchFolder temp;
    const ChildResult run = RunUnderDebugger(Quoted(LauncherPath()) + L" /lXX", TempIn(temp));
    EXPECT_EQ(1u, run.exitCode);
    const auto names = FolderNames(temp.path());
    ASSERT_EQ(1u, names.size());
    EXPECT_EQ(0u, names[0].rfind(L"LM", 0));
    EXPECT_EQ(14u, names[0].size());  // LM + 10 time digits + milliseconds + counter
    ExpectArchiveUnpacked(L"ZOLT", temp / (names[0] + L"\\"));
}

TEST(Launcher, UnwritableTempFolderIsReportedNotRetriedForever)
{
    ScratchFolder temp;
    // TEMP names a file: no folder can be made below it.
    const std::wstring file = temp / L"not-a-folder";
    ASSERT_TRUE(WriteTextFile(file, "x"));
    const ChildResult run = RunUnderDebugger(Quoted(LauncherPath()), {{L"TEMP", file}, {L"TMP", file}}, 120000);
    EXPECT_FALSE(run.timedOut);
    EXPECT_EQ(1u, run.exitCode);
    ASSERT_EQ(1u, run.debugOutput.size());
    EXPECT_EQ(0u, run.debugOutput[0].rfind(L"Assertion: .\\Lumbra/218: CreateDirectory(szWorkDir, NULL) (e:", 0))
        << testing::PrintToString(run.debugOutput[0]);
}

// The menu hook is a static object that nothing names: it must still be linked in and installed
// before the application's initialisation runs.
TEST(Launcher, MenuHookIsInstalledBeforeInitInstance)
{
    ScratchFolder temp;
    EnvironmentChanges env = TempIn(temp);
    env[L"LUMBRA_TIMING"] = L"1";
    const ChildResult run = RunUnderDebugger(Quoted(LauncherPath()) + L" /e /lDE", env);
    ASSERT_TRUE(run.started);
    EXPECT_EQ(0u, run.exitCode);
    ASSERT_EQ(1u, run.debugOutput.size());
    EXPECT_NE(std::wstring::npos, run.debugOutput[0].find(L"Timing: menu hook ready "))
        << testing::PrintToString(run.debugOutput[0]);
    EXPECT_EQ(std::wstring::npos, run.debugOutput[0].find(L"no menu hook"));
}

TEST(Launcher, ExtractOnlyNeedsNoViewerInThePayload)
{
    ScratchFolder temp;
    const std::wstring launcher = ExecutableFolder() + L"LumbraNoViewer.exe";
    const ChildResult run = RunUnderDebugger(Quoted(launcher) + L" /e /lFR", TempIn(temp));
    EXPECT_EQ(0u, run.exitCode);
    EXPECT_TRUE(run.debugOutput.empty());
    const std::wstring lm = temp / L"LM\\";
    for (const wchar_t* name : {L"ZOLT", L"VC", L"RUNTIME", L"LANG_FR", L"HELP_FR"})
        ExpectArchiveUnpacked(name, lm, launcher);
    EXPECT_FALSE(PathExists(lm + L"Tavisk.exe"));
}

TEST(Launcher, AFileInUseDeepInTheFolderStaysAndEverythingElseGoes)
{
    ScratchFolder temp;
    EnvironmentChanges env = TempIn(temp);
    env[L"LUMBRA_SPY_SLEEP_MS"] = L"1500";
    PROCESS_INFORMATION pi;
    ASSERT_TRUE(StartChild(Quoted(ExecutableFolder() + L"LumbraSpy.exe"), env, pi));

    // Take the file as soon as the launcher has written it, without sharing, until the run is over.
    HANDLE held = INVALID_HANDLE_VALUE;
    std::wstring folder;
    for (int i = 0; i < 3000 && held == INVALID_HANDLE_VALUE && WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT;
         ++i) {
        const auto names = FolderNames(temp.path());
        if (names.size() == 1) {
            folder = temp / (names[0] + L"\\");
            held = CreateFileW((folder + L"ZoltSDK\\sub\\nested.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                               0, nullptr);
        }
        if (held == INVALID_HANDLE_VALUE)
            Sleep(5);
    }
    ASSERT_NE(INVALID_HANDLE_VALUE, held) << "the file was never there to hold";
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(pi.hProcess, 60000));
    DWORD exitCode = 0xFFFF;
    GetExitCodeProcess(pi.hProcess, &exitCode);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);

    EXPECT_EQ(0u, exitCode) << "a file left behind is no failure of the run";
    // The marker stays with what is left, so a later run knows the folder as stale.
    EXPECT_EQ((std::vector<std::wstring>{L"Lumbra.run", L"ZoltSDK\\sub\\nested.txt"}), FilesBelow(folder));
    CloseHandle(held);

    env[L"LUMBRA_SPY_SLEEP_MS"] = L"100";
    const ChildResult next = RunUnderDebugger(Quoted(ExecutableFolder() + L"LumbraSpy.exe"), env);
    EXPECT_EQ(0u, next.exitCode);
    EXPECT_TRUE(FolderNames(temp.path()).empty()) << testing::PrintToString(FolderNames(temp.path()));
}

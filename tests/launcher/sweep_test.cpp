// Working folders that earlier runs left behind, seen from outside: a killed run's folder goes with
// the next run (or with a later one, where a file of it is still in use); a live run's folder, a
// folder of another name and what a link points to stay.
#include "support/ChildProcess.h"
#include "support/LauncherArchives.h"
#include "support/ScratchFolder.h"
#include "support/Wine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::wstring Quoted(const std::wstring& s)
{
    return L"\"" + s + L"\"";
}

DWORD RunToEnd(const std::wstring& launcher, const std::wstring& arguments, const EnvironmentChanges& env)
{
    PROCESS_INFORMATION pi;
    if (!StartChild(Quoted(ExecutableFolder() + launcher) + L" " + arguments, env, pi))
        return 0xFFFFFFFF;
    WaitForSingleObject(pi.hProcess, 120000);
    DWORD exitCode = 0xFFFFFFFF;
    GetExitCodeProcess(pi.hProcess, &exitCode);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return exitCode;
}

// Waits until a working folder with its marker shows up under temp; returns its name.
std::wstring WaitForMarkedFolder(const std::wstring& temp, HANDLE process, const std::vector<std::wstring>& known)
{
    for (int i = 0; i < 6000 && WaitForSingleObject(process, 0) == WAIT_TIMEOUT; ++i) {
        for (const std::wstring& name : FolderNames(temp)) {
            if (std::find(known.begin(), known.end(), name) == known.end() && PathExists(temp + name + L"\\Lumbra.run"))
                return name;
        }
        Sleep(5);
    }
    return {};
}

}  // namespace

TEST(StaleFolders, AKilledRunsFolderIsSweptAndNothingElse)
{
    ScratchFolder scratch;
    const std::wstring temp = scratch / L"temp\\";
    CreateDirectoryW(temp.c_str(), nullptr);
    const EnvironmentChanges env = {{L"TEMP", temp}, {L"TMP", temp}, {L"LUMBRA_SPY_SLEEP_MS", L"100"}};

    // Look-alikes that are no working folders of ours, and the fixed extract folder.
    const std::vector<std::wstring> others = {L"LM", L"LMnotes", L"LM1208", L"LM120813250700x", L"XLM120813250700"};
    for (const std::wstring& name : others) {
        CreateDirectoryW((temp + name).c_str(), nullptr);
        ASSERT_TRUE(WriteTextFile(temp + name + L"\\Lumbra.run", ""));
        ASSERT_TRUE(WriteTextFile(temp + name + L"\\data.txt", "not ours"));
    }
    // An old working folder without a marker: whose it is cannot be told, so it stays.
    CreateDirectoryW((temp + L"LM010100000000").c_str(), nullptr);
    ASSERT_TRUE(WriteTextFile(temp + L"LM010100000000\\Tavisk.exe", "x"));

    // A run killed while it unpacks thousands of files.
    PROCESS_INFORMATION pi;
    ASSERT_TRUE(StartChild(Quoted(ExecutableFolder() + L"LumbraLarge.exe"), env, pi));
    const std::wstring killed = WaitForMarkedFolder(temp, pi.hProcess, others);
    ASSERT_FALSE(killed.empty()) << "the run never marked its folder";
    Sleep(300);
    TerminateProcess(pi.hProcess, 9);
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    ASSERT_TRUE(PathExists(temp + killed + L"\\Lumbra.run"));

    EXPECT_EQ(0u, RunToEnd(L"LumbraSpy.exe", L"", env));

    EXPECT_FALSE(PathExists(temp + killed)) << "the killed run's folder is still there";
    for (const std::wstring& name : others)
        EXPECT_TRUE(PathExists(temp + name + L"\\data.txt")) << testing::PrintToString(name);
    EXPECT_TRUE(PathExists(temp + L"LM010100000000\\Tavisk.exe"));
}

// The links come from the Linux side (tests/launcher/sweep_links_fixture.sh): Wine makes none itself.
TEST(StaleFolders, LinksAreNeverFollowed)
{
    wchar_t buffer[MAX_PATH] = {};
    GetEnvironmentVariableW(L"LUMBRA_SWEEP_FIXTURE", buffer, MAX_PATH);
    ASSERT_NE(L'\0', buffer[0]) << "run through CTest: the links are made by its fixture";
    const std::wstring fixture = std::wstring(buffer) + L"\\";
    const std::wstring temp = fixture + L"temp\\";
    const std::wstring stale = temp + L"LM1209101112000\\";
    const std::wstring lookAlike = temp + L"LM1209101113000";
    ASSERT_TRUE(GetFileAttributesW((stale + L"link").c_str()) & FILE_ATTRIBUTE_REPARSE_POINT);
    ASSERT_TRUE(GetFileAttributesW(lookAlike.c_str()) & FILE_ATTRIBUTE_REPARSE_POINT);

    EXPECT_EQ(0u, RunToEnd(L"LumbraSpy.exe", L"", {{L"TEMP", temp}, {L"TMP", temp}, {L"LUMBRA_SPY_SLEEP_MS", L"100"}}));

    // What the links point to is untouched, the marker behind the look-alike included.
    EXPECT_EQ("precious\n", ReadWholeFile(fixture + L"outside\\precious.txt"));
    EXPECT_EQ("also\n", ReadWholeFile(fixture + L"outside\\deeper\\also.txt"));
    EXPECT_EQ("not ours\n", ReadWholeFile(fixture + L"marked\\data.txt"));
    EXPECT_TRUE(PathExists(fixture + L"marked\\Lumbra.run"));
    EXPECT_TRUE(GetFileAttributesW(lookAlike.c_str()) & FILE_ATTRIBUTE_REPARSE_POINT);

    // The stale folder's own files go.
    EXPECT_FALSE(PathExists(stale + L"Tavisk.exe"));
    EXPECT_FALSE(PathExists(stale + L"sub"));
    if (PathExists(stale + L"link")) {
        // Wine cannot remove a folder link (RemoveDirectoryW follows it and fails): the folder keeps
        // the link and its marker, and stays for a later run.
        WINE_KNOWN_DIFFERENCE("the folder link is removed as a link, and the stale folder with it");
        EXPECT_TRUE(RunningOnWine());
        EXPECT_TRUE(PathExists(stale + L"Lumbra.run"));
    } else {
        EXPECT_FALSE(PathExists(stale));
    }
}

// A stale folder with a file that another program still holds: the rest goes, the folder keeps its
// marker, and the next run after the file is let go removes it.
TEST(StaleFolders, AFolderThatCannotGoWholeIsSweptAgainLater)
{
    ScratchFolder scratch;
    const std::wstring temp = scratch / L"temp\\";
    CreateDirectoryW(temp.c_str(), nullptr);
    const std::wstring stale = temp + L"LM1209101112000\\";
    CreateDirectoryW(stale.c_str(), nullptr);
    CreateDirectoryW((stale + L"help").c_str(), nullptr);
    ASSERT_TRUE(WriteTextFile(stale + L"Lumbra.run", ""));
    ASSERT_TRUE(WriteTextFile(stale + L"Tavisk.exe", "x"));
    ASSERT_TRUE(WriteTextFile(stale + L"help\\Lumbra_EN.chm", "held"));
    ASSERT_TRUE(WriteTextFile(stale + L"zz.dll", "x"));
    const EnvironmentChanges env = {{L"TEMP", temp}, {L"TMP", temp}, {L"LUMBRA_SPY_SLEEP_MS", L"100"}};

    HANDLE held = CreateFileW((stale + L"help\\Lumbra_EN.chm").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    EXPECT_EQ(0u, RunToEnd(L"LumbraSpy.exe", L"", env));
    EXPECT_EQ((std::vector<std::wstring>{L"Lumbra.run", L"help\\Lumbra_EN.chm"}), FilesBelow(stale));
    CloseHandle(held);

    EXPECT_EQ(0u, RunToEnd(L"LumbraSpy.exe", L"", env));
    EXPECT_FALSE(PathExists(stale));
    EXPECT_TRUE(FolderNames(temp).empty()) << testing::PrintToString(FolderNames(temp));
}

TEST(StaleFolders, ALiveRunsFolderIsLeftAlone)
{
    ScratchFolder scratch;
    const std::wstring temp = scratch / L"temp\\";
    CreateDirectoryW(temp.c_str(), nullptr);
    const std::wstring release = scratch / L"release";
    const EnvironmentChanges slow = {{L"TEMP", temp}, {L"TMP", temp}, {L"LUMBRA_SPY_UNTIL", release}};
    const EnvironmentChanges quick = {{L"TEMP", temp}, {L"TMP", temp}, {L"LUMBRA_SPY_SLEEP_MS", L"100"}};

    // The first launcher waits for its viewer while a second one runs from start to end.
    PROCESS_INFORMATION pi;
    ASSERT_TRUE(StartChild(Quoted(ExecutableFolder() + L"LumbraSpy.exe"), slow, pi));
    const std::wstring live = WaitForMarkedFolder(temp, pi.hProcess, {});
    ASSERT_FALSE(live.empty());
    for (int i = 0; i < 2000 && !PathExists(temp + live + L"\\Lumbra_EN.htm"); ++i)
        Sleep(5);
    const std::vector<std::wstring> before = FilesBelow(temp + live + L"\\");

    EXPECT_EQ(0u, RunToEnd(L"LumbraSpy.exe", L"", quick));
    EXPECT_EQ(0u, RunToEnd(L"LumbraSpy.exe", L"/e", quick));

    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(pi.hProcess, 0)) << "the first run ended too early for the test";
    EXPECT_EQ(before, FilesBelow(temp + live + L"\\"));
    ASSERT_TRUE(WriteTextFile(release, ""));
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(pi.hProcess, 60000));
    DWORD exitCode = 0xFFFF;
    GetExitCodeProcess(pi.hProcess, &exitCode);
    EXPECT_EQ(0u, exitCode);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    EXPECT_EQ(std::vector<std::wstring>{L"LM"}, FolderNames(temp));
}

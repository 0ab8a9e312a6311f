// Working folders that earlier runs left behind, seen from outside: a killed run's folder goes with
// the next run; a live run's folder, a folder of another name and what a link points to stay.
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
    const std::wstring outside = scratch / L"outside\\";
    CreateDirectoryW(temp.c_str(), nullptr);
    CreateDirectoryW(outside.c_str(), nullptr);
    ASSERT_TRUE(WriteTextFile(outside + L"precious.txt", "keep me"));
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

    // A stale folder with a link inside that points outside it.
    const std::wstring stale = temp + L"LM1209101112000\\";
    CreateDirectoryW(stale.c_str(), nullptr);
    ASSERT_TRUE(WriteTextFile(stale + L"Lumbra.run", ""));
    ASSERT_TRUE(WriteTextFile(stale + L"Tavisk.exe", "x"));
    const bool linked = CreateSymbolicLinkW((stale + L"link").c_str(), outside.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY);

    EXPECT_EQ(0u, RunToEnd(L"LumbraSpy.exe", L"", env));

    EXPECT_FALSE(PathExists(temp + killed)) << "the killed run's folder is still there";
    for (const std::wstring& name : others)
        EXPECT_TRUE(PathExists(temp + name + L"\\data.txt")) << testing::PrintToString(name);
    EXPECT_TRUE(PathExists(temp + L"LM010100000000\\Tavisk.exe"));
    EXPECT_EQ("keep me", ReadWholeFile(outside + L"precious.txt"));
    EXPECT_FALSE(PathExists(stale + L"Tavisk.exe"));
    if (!linked) {
        WINE_KNOWN_DIFFERENCE("CreateSymbolicLinkW makes the link (with the right to make links)");
        EXPECT_FALSE(PathExists(stale));
    } else if (PathExists(stale + L"link")) {
        // Wine removes no link it did not make through its own junction calls; the stale folder keeps
        // the link and stays for a later run.
        WINE_KNOWN_DIFFERENCE("the link is removed as a link, and the stale folder with it");
    } else {
        EXPECT_FALSE(PathExists(stale));
    }
}

TEST(StaleFolders, ALiveRunsFolderIsLeftAlone)
{
    ScratchFolder scratch;
    const std::wstring temp = scratch / L"temp\\";
    CreateDirectoryW(temp.c_str(), nullptr);
    const EnvironmentChanges slow = {{L"TEMP", temp}, {L"TMP", temp}, {L"LUMBRA_SPY_SLEEP_MS", L"4000"}};
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
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(pi.hProcess, 60000));
    DWORD exitCode = 0xFFFF;
    GetExitCodeProcess(pi.hProcess, &exitCode);
    EXPECT_EQ(0u, exitCode);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    EXPECT_EQ(std::vector<std::wstring>{L"LM"}, FolderNames(temp));
}

#include "app/StaleFolders.h"
#include "app/WorkingFolder.h"

#include "support/ChildProcess.h"
#include "support/LauncherArchives.h"
#include "support/PrivateTemp.h"
#include "support/ScratchFolder.h"
#include "support/WineDifference.h"

#include <gtest/gtest.h>

namespace {

FolderTimeStamp December8At132507()
{
    FolderTimeStamp stamp;
    stamp.month = 12;
    stamp.day = 8;
    stamp.hour = 13;
    stamp.minute = 25;
    stamp.second = 7;
    return stamp;
}

}  // namespace

// Scratch folders of this program live in a %TEMP% of its own.
static testing::Environment* const kPrivateTemp = testing::AddGlobalTestEnvironment(new PrivateTempEnvironment);

TEST(WorkingFolder, NameFormat)
{
    const FolderTimeStamp stamp = December8At132507();
    EXPECT_STREQ(L"LM120813250700", FormatWorkingFolderName(stamp, 0));
    EXPECT_STREQ(L"LM120813250701", FormatWorkingFolderName(stamp, 1));
    EXPECT_STREQ(L"LM1208132507010", FormatWorkingFolderName(stamp, 10));
    FolderTimeStamp early;
    early.month = 1;
    early.day = 2;
    EXPECT_STREQ(L"LM010200000000", FormatWorkingFolderName(early, 0));
}

TEST(WorkingFolder, TimeStampIsLocalTimeAtWholeSeconds)
{
    const __time64_t now = _time64(nullptr);
    struct tm local = {};
    ASSERT_EQ(0, _localtime64_s(&local, &now));
    const FolderTimeStamp stamp = TakeFolderTimeStamp(now);
    EXPECT_EQ(local.tm_mon + 1, stamp.month);
    EXPECT_EQ(local.tm_mday, stamp.day);
    EXPECT_EQ(local.tm_hour, stamp.hour);
    EXPECT_EQ(local.tm_min, stamp.minute);
    EXPECT_EQ(local.tm_sec, stamp.second);
    EXPECT_EQ(0, stamp.milliseconds);
}

TEST(WorkingFolder, CollisionTakesTheNextCounter)
{
    ScratchFolder temp;
    const FolderTimeStamp stamp = December8At132507();
    WorkingFolder first, second;
    ASSERT_TRUE(CreateFreshWorkingFolder(temp.path().c_str(), stamp, first, nullptr));
    ASSERT_TRUE(CreateFreshWorkingFolder(temp.path().c_str(), stamp, second, nullptr));
    EXPECT_EQ(CString(temp.path().c_str()) + L"LM120813250700\\", first.path);
    EXPECT_EQ(CString(temp.path().c_str()) + L"LM120813250701\\", second.path);
    EXPECT_TRUE(first.created);
    EXPECT_TRUE(second.created);
    EXPECT_TRUE(PathExists(second.path.GetString()));
}

TEST(WorkingFolder, CreationGivesUpAfterTheBoundWithTheLastError)
{
    ScratchFolder temp;
    // A file where the temp folder should be: every creation fails with "path not found".
    const std::wstring notAFolder = temp / L"file";
    ASSERT_TRUE(WriteTextFile(notAFolder, "x"));
    WorkingFolder folder;
    DWORD lastError = 0;
    EXPECT_FALSE(CreateFreshWorkingFolder((notAFolder + L"\\").c_str(), December8At132507(), folder, &lastError, 50));
    EXPECT_NE(0u, lastError);
    EXPECT_TRUE(folder.path.IsEmpty());
    EXPECT_FALSE(folder.created);
}

TEST(WorkingFolder, ExtractFolderIsCreatedOnceThenReused)
{
    ScratchFolder temp;
    WorkingFolder first = PrepareExtractFolder(temp.path().c_str());
    EXPECT_EQ(CString(temp.path().c_str()) + L"LM\\", first.path);
    EXPECT_TRUE(first.created);
    WorkingFolder again = PrepareExtractFolder(temp.path().c_str());
    EXPECT_EQ(first.path, again.path);
    EXPECT_FALSE(again.created);
}

TEST(DeleteFolderTree, RemovesReadOnlyFilesAndNestedFolders)
{
    ScratchFolder temp;
    const std::wstring root = temp / L"tree";
    CreateDirectoryW(root.c_str(), nullptr);
    CreateDirectoryW((root + L"\\a").c_str(), nullptr);
    CreateDirectoryW((root + L"\\a\\b").c_str(), nullptr);
    ASSERT_TRUE(WriteTextFile(root + L"\\a\\b\\ro.txt", "read-only"));
    ASSERT_TRUE(WriteTextFile(root + L"\\top.txt", "x"));
    SetFileAttributesW((root + L"\\a\\b\\ro.txt").c_str(), FILE_ATTRIBUTE_READONLY);

    EXPECT_TRUE(DeleteFolderTree((root + L"\\").c_str(), TRUE));
    EXPECT_FALSE(PathExists(root));
}

TEST(DeleteFolderTree, KeepsTheFolderItselfWhenAsked)
{
    ScratchFolder temp;
    const std::wstring root = temp / L"keep";
    CreateDirectoryW(root.c_str(), nullptr);
    ASSERT_TRUE(WriteTextFile(root + L"\\f.txt", "x"));
    EXPECT_TRUE(DeleteFolderTree(root.c_str(), FALSE));
    EXPECT_TRUE(PathExists(root));
    EXPECT_FALSE(PathExists(root + L"\\f.txt"));
    EXPECT_TRUE(DeleteFolderTree(root.c_str(), FALSE));  // an empty folder is fine too
}

TEST(DeleteFolderTree, KeepsAFileHeldOpenAndRemovesEverythingElse)
{
    ScratchFolder temp;
    const std::wstring root = temp / L"busy";
    CreateDirectoryW(root.c_str(), nullptr);
    CreateDirectoryW((root + L"\\a").c_str(), nullptr);
    CreateDirectoryW((root + L"\\a\\deep").c_str(), nullptr);
    CreateDirectoryW((root + L"\\z").c_str(), nullptr);
    for (const wchar_t* name : {L"\\f0.txt", L"\\a\\f1.txt", L"\\a\\deep\\held.txt", L"\\a\\deep\\f2.txt",
                                L"\\z\\f3.txt", L"\\zz.txt"})
        ASSERT_TRUE(WriteTextFile(root + name, "x"));
    HANDLE held = CreateFileW((root + L"\\a\\deep\\held.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);

    EXPECT_FALSE(DeleteFolderTree(root.c_str(), TRUE));
    EXPECT_EQ(std::vector<std::wstring>{L"a\\deep\\held.txt"}, FilesBelow(root + L"\\"));
    EXPECT_EQ(std::vector<std::wstring>{L"a"}, FolderNames(root + L"\\"));
    CloseHandle(held);
    EXPECT_TRUE(DeleteFolderTree(root.c_str(), TRUE));
    EXPECT_FALSE(PathExists(root));
}

TEST(DeleteFolderTree, TheLastFileGoesOnlyWhenEverythingElseHasGone)
{
    ScratchFolder temp;
    const std::wstring root = temp / L"marked\\";
    CreateDirectoryW(root.c_str(), nullptr);
    CreateDirectoryW((root + L"a").c_str(), nullptr);
    for (const wchar_t* name : {L"last.run", L"f.txt", L"a\\held.txt", L"z.txt"})
        ASSERT_TRUE(WriteTextFile(root + name, "x"));
    HANDLE held = CreateFileW((root + L"a\\held.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);

    EXPECT_FALSE(DeleteFolderTreeLast(root.c_str(), L"last.run"));
    EXPECT_EQ((std::vector<std::wstring>{L"a\\held.txt", L"last.run"}), FilesBelow(root));
    CloseHandle(held);
    EXPECT_TRUE(DeleteFolderTreeLast(root.c_str(), L"last.run"));
    EXPECT_FALSE(PathExists(root));

    // Without the last file the rest goes all the same.
    CreateDirectoryW(root.c_str(), nullptr);
    ASSERT_TRUE(WriteTextFile(root + L"f.txt", "x"));
    EXPECT_TRUE(DeleteFolderTreeLast(root.c_str(), L"last.run"));
    EXPECT_FALSE(PathExists(root));
}

// Two runs may remove one folder at once: a run emptying its own folder and another run's sweep, or
// two sweeps of one stale folder. What the other already removed counts as removed, so both report
// success and nothing is left.
TEST(DeleteFolderTree, TwoRemovalsOfOneTreeAtOnceBothSucceed)
{
    ScratchFolder temp;
    const std::wstring root = temp / L"shared\\";
    for (int round = 0; round < 5; ++round) {
        CreateDirectoryW(root.c_str(), nullptr);
        for (int d = 0; d < 8; ++d) {
            const std::wstring sub = root + L"d" + std::to_wstring(d) + L"\\";
            CreateDirectoryW(sub.c_str(), nullptr);
            for (int f = 0; f < 40; ++f)
                ASSERT_TRUE(WriteTextFile(sub + L"f" + std::to_wstring(f) + L".txt", "x"));
        }
        ASSERT_TRUE(WriteTextFile(root + L"last.run", "x"));

        struct Removal {
            const std::wstring* pRoot;
            HANDLE hGo;
            BOOL bResult;
        };
        HANDLE hGo = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        Removal removals[2] = {{&root, hGo, FALSE}, {&root, hGo, FALSE}};
        HANDLE threads[2];
        for (int i = 0; i < 2; ++i) {
            threads[i] = CreateThread(
                nullptr, 0,
                [](void* p) -> DWORD {
                    auto* pRemoval = static_cast<Removal*>(p);
                    WaitForSingleObject(pRemoval->hGo, INFINITE);
                    pRemoval->bResult = DeleteFolderTreeLast(pRemoval->pRoot->c_str(), L"last.run");
                    return 0;
                },
                &removals[i], 0, nullptr);
            ASSERT_NE(nullptr, threads[i]);
        }
        SetEvent(hGo);
        EXPECT_EQ(WAIT_OBJECT_0, WaitForMultipleObjects(2, threads, TRUE, 60000));
        for (HANDLE h : threads)
            CloseHandle(h);
        CloseHandle(hGo);
        EXPECT_TRUE(removals[0].bResult) << "round " << round;
        EXPECT_TRUE(removals[1].bResult) << "round " << round;
        ASSERT_FALSE(PathExists(root)) << "round " << round << ": " << testing::PrintToString(FilesBelow(root));
    }
}

// The test script links <links>\tree\link to <links>\outside from the Linux side before this runs:
// under Wine that is what a junction looks like (a folder with FILE_ATTRIBUTE_REPARSE_POINT).
TEST(DeleteFolderTree, NeverFollowsALinkOutOfTheTree)
{
    wchar_t buffer[MAX_PATH] = {};
    if (!GetEnvironmentVariableW(L"LUMBRA_LINK_FIXTURE", buffer, MAX_PATH))
        GTEST_SKIP() << "no link fixture";
    const std::wstring fixture = buffer;
    const std::wstring tree = fixture + L"\\tree";
    const std::wstring outside = fixture + L"\\outside";
    const DWORD linkAttributes = GetFileAttributesW((tree + L"\\link").c_str());
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, linkAttributes);
    ASSERT_TRUE(linkAttributes & FILE_ATTRIBUTE_REPARSE_POINT) << std::hex << linkAttributes;
    ASSERT_TRUE(PathExists(outside + L"\\precious.txt"));
    const DWORD readOnly = GetFileAttributesW((outside + L"\\ro.txt").c_str());
    ASSERT_TRUE(readOnly & FILE_ATTRIBUTE_READONLY) << std::hex << readOnly;
    WIN32_FIND_DATAW fileLink = {};
    FindClose(FindFirstFileW((tree + L"\\sub\\ro-link").c_str(), &fileLink));
    const bool fileLinkShown = (fileLink.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;

    const BOOL removed = DeleteFolderTree(tree.c_str(), TRUE);

    EXPECT_TRUE(PathExists(outside + L"\\precious.txt"));
    EXPECT_TRUE(PathExists(outside + L"\\deeper\\also.txt"));
    EXPECT_FALSE(PathExists(tree + L"\\sub\\ro-link"));
    if (fileLinkShown) {
        // The file link goes as a link; the file it points to keeps its content and read-only bit.
        EXPECT_EQ("read only\n", ReadWholeFile(outside + L"\\ro.txt"));
        EXPECT_EQ(readOnly, GetFileAttributesW((outside + L"\\ro.txt").c_str()));
    } else {
        // Wine 8 shows a file link from the Linux side as the file itself (same attributes, same file
        // index, no reparse tag): no program can tell, and deleting it deletes the file it points to.
        WINE_KNOWN_DIFFERENCE("a file symbolic link is a reparse point, removed as a link; its target stays as it is");
        EXPECT_TRUE(RunningOnWine());
    }
    if (RunningOnWine()) {
        // Wine cannot remove a link it did not make: RemoveDirectoryW follows it and fails.
        WINE_KNOWN_DIFFERENCE("the folder link is removed as a link, and the tree with it");
        EXPECT_FALSE(removed);
    } else {
        EXPECT_TRUE(removed);
        EXPECT_FALSE(PathExists(tree));
    }
}

TEST(StaleFolders, OnlyTimeStampedWorkingFolderNamesQualify)
{
    for (const wchar_t* name : {L"LM120813250700", L"LM1208132507010", L"LM12081325070123456789"})
        EXPECT_TRUE(IsWorkingFolderName(name)) << testing::PrintToString(std::wstring(name));
    for (const wchar_t* name : {L"LM", L"LM12081325070", L"LM120813250700123456789", L"LM12081325070a", L"lm120813250700",
                                L"XLM120813250700", L"LM 120813250700"})
        EXPECT_FALSE(IsWorkingFolderName(name)) << testing::PrintToString(std::wstring(name));
}

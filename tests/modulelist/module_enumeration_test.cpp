// Reading the process's modules through both system interfaces, the order the list keeps, and how a
// module path becomes the name and folder columns.
#include "toolkit/dialogs/ModuleEnumeration.h"

#include "ModuleListTestSupport.h"
#include "tests/support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <set>
#include <string>

namespace {

std::set<std::wstring> UpperSet(const std::list<CString>& modules)
{
    std::set<std::wstring> paths;
    for (const CString& str : modules)
        paths.insert(Upper(str.GetString()));
    return paths;
}

bool Contains(const std::list<CString>& modules, const std::wstring& path)
{
    return std::any_of(modules.begin(), modules.end(), [&](const CString& s) { return path == s.GetString(); });
}

}  // namespace

TEST(ModuleEnumerationTest, ToolHelpOnWindows95AndNt5OnwardsProcessStatusOnNt4)
{
    struct Case {
        DWORD dwPlatform, dwMajor;
        BOOL bToolHelp;
    };
    for (const Case c : {Case{VER_PLATFORM_WIN32_WINDOWS, 4, TRUE}, Case{VER_PLATFORM_WIN32_NT, 3, FALSE},
                         Case{VER_PLATFORM_WIN32_NT, 4, FALSE}, Case{VER_PLATFORM_WIN32_NT, 5, TRUE},
                         Case{VER_PLATFORM_WIN32_NT, 10, TRUE}}) {
        OSVERSIONINFOW version{};
        version.dwPlatformId = c.dwPlatform;
        version.dwMajorVersion = c.dwMajor;
        EXPECT_EQ(c.bToolHelp, UseToolHelpForModules(version)) << c.dwPlatform << " " << c.dwMajor;
    }
}

TEST(ModuleEnumerationTest, ToolHelpListsEveryModuleUpperCasedInCharacterOrder)
{
    LoadedModule maker(ProgramFolder() + kMakerModule);
    ASSERT_NE(nullptr, maker.handle());
    std::list<CString> modules{CString(L"left over from an earlier call")};
    ASSERT_TRUE(EnumerateModulesWithToolHelp(0, modules)) << "error " << GetLastError();

    EXPECT_FALSE(Contains(modules, L"left over from an earlier call"));
    EXPECT_TRUE(Contains(modules, Upper(ModulePath(nullptr)))) << "the program itself";
    EXPECT_TRUE(Contains(modules, Upper(ModulePath(GetModuleHandleW(L"kernel32.dll")))));
    EXPECT_TRUE(Contains(modules, Upper(maker.path())));
    for (const CString& str : modules)
        EXPECT_EQ(Upper(str.GetString()), str.GetString());
    EXPECT_TRUE(std::is_sorted(modules.begin(), modules.end(), [](const CString& a, const CString& b) {
        return std::wcscmp(a.GetString(), b.GetString()) < 0;
    }));
    // Another process by its id: this one's.
    std::list<CString> byId;
    ASSERT_TRUE(EnumerateModulesWithToolHelp(GetCurrentProcessId(), byId));
    EXPECT_EQ(modules, byId);
}

TEST(ModuleEnumerationTest, ProcessStatusListsTheSameModulesAsTheSystemNamesThem)
{
    LoadedModule maker(ProgramFolder() + kMakerModule);
    ASSERT_NE(nullptr, maker.handle());
    std::list<CString> withStatus{CString(L"stale")}, withToolHelp;
    ASSERT_TRUE(EnumerateModulesWithProcessStatus(0, withStatus));
    ASSERT_TRUE(EnumerateModulesWithToolHelp(0, withToolHelp));
    EXPECT_EQ(UpperSet(withToolHelp), UpperSet(withStatus));
    // Unchanged: the case the system gives, the program first as the loader lists it.
    EXPECT_TRUE(Contains(withStatus, maker.path()));
    ASSERT_FALSE(withStatus.empty());
    EXPECT_EQ(ModulePath(nullptr), withStatus.front().GetString());
}

TEST(ModuleEnumerationTest, PathsOutsideTheAnsiCodePageSurviveBothRoutes)
{
    // Greek and Cyrillic letters exist in no single ANSI code page together with "ü".
    ScratchFolder scratch;
    const std::wstring folder = scratch / L"Mödüle \u03A9\u0416 folder\\";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    const std::wstring copy = folder + kPlainModule;
    ASSERT_TRUE(CopyFileW((ProgramFolder() + kPlainModule).c_str(), copy.c_str(), FALSE));
    {
        LoadedModule plain(copy);
        ASSERT_NE(nullptr, plain.handle()) << "error " << GetLastError();
        std::list<CString> modules;
        ASSERT_TRUE(EnumerateModulesWithProcessStatus(0, modules));
        EXPECT_TRUE(Contains(modules, plain.path()));
        ASSERT_TRUE(EnumerateModulesWithToolHelp(0, modules));
        EXPECT_TRUE(Contains(modules, Upper(plain.path())));
    }
}

TEST(ModuleEnumerationTest, UnknownProcessGivesFalseAndAnEmptyList)
{
    // Process ids are multiples of four: this one is never in use.
    std::list<CString> modules{CString(L"stale")};
    EXPECT_FALSE(EnumerateModulesWithToolHelp(3, modules));
    EXPECT_TRUE(modules.empty());
    modules.push_back(CString(L"stale"));
    EXPECT_FALSE(EnumerateModulesWithProcessStatus(3, modules));
    EXPECT_TRUE(modules.empty());
}

TEST(ModuleEnumerationTest, InsertKeepsPlainCharacterOrderAndPutsEqualPathsFirst)
{
    std::list<CString> modules;
    for (const wchar_t* psz : {L"C:\\B.DLL", L"C:\\A.DLL", L"C:\\_X.DLL", L"C:\\a.dll", L"C:\\C.DLL", L"C:\\A.DLL"})
        InsertModuleSorted(modules, CString(psz));
    // Character codes, not the locale: "_" (0x5F) after the capitals, lower case after both.
    const std::list<CString> expected{CString(L"C:\\A.DLL"), CString(L"C:\\A.DLL"), CString(L"C:\\B.DLL"),
                                      CString(L"C:\\C.DLL"), CString(L"C:\\_X.DLL"), CString(L"C:\\a.dll")};
    EXPECT_EQ(expected, modules);
}

TEST(ModuleEnumerationTest, PathSplitsIntoNameAndFolderWhateverItsLength)
{
    ModulePathParts parts = SplitModulePath(CString(L"C:\\WINDOWS\\SYSTEM32\\KERNEL32.DLL"));
    EXPECT_STREQ(L"KERNEL32.DLL", parts.strName.GetString());
    EXPECT_STREQ(L"C:\\WINDOWS\\SYSTEM32\\", parts.strFolder.GetString());

    parts = SplitModulePath(CString(L"\\\\SERVER\\SHARE\\TOOLS\\X.DLL"));
    EXPECT_STREQ(L"X.DLL", parts.strName.GetString());
    EXPECT_STREQ(L"\\\\SERVER\\SHARE\\TOOLS\\", parts.strFolder.GetString());

    // Parts longer than 255 characters (long-path folders and names) are kept whole.
    const std::wstring longFolder = L"C:\\" + std::wstring(300, L'F') + L"\\" + std::wstring(280, L'G') + L"\\";
    const std::wstring longName = std::wstring(270, L'N') + L".DLL";
    parts = SplitModulePath(CString((longFolder + longName).c_str()));
    EXPECT_EQ(longName, parts.strName.GetString());
    EXPECT_EQ(longFolder, parts.strFolder.GetString());
}

// The module list dialog: its texts, columns and rows, the check box that rebuilds the list from a
// fresh enumeration, the second enumeration route, and the about form that opens it on Ctrl+M.
#include "toolkit/dialogs/ModuleListDlg.h"

#include "platform/mfc/OleAutomation.h"
#include "platform/qt/QApplication.h"
#include "platform/qt/QHeader.h"
#include "resources/ResourceIds.h"
#include "toolkit/dialogs/VellAboutDlg.h"
#include "toolkit/qtcontrols/QtConversions.h"
#include "toolkit/version/ZebFileVersion.h"

#include "ModuleListTestSupport.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

// A module list that counts its enumerations and can pretend to run on another platform.
class CTestModuleListDlg : public CModuleListDlg {
public:
    using CModuleListDlg::CModuleListDlg;
    BOOL EnumerateModules(DWORD dwProcessId, std::list<CString>& modules) override
    {
        ++m_nEnumerations;
        return CModuleListDlg::EnumerateModules(dwProcessId, modules);
    }
    BOOL GetPlatformVersion(OSVERSIONINFOW& version) override
    {
        if (m_platform == Platform::Own)
            return CModuleListDlg::GetPlatformVersion(version);
        version = OSVERSIONINFOW{};
        version.dwOSVersionInfoSize = sizeof(version);
        version.dwPlatformId = VER_PLATFORM_WIN32_NT;
        version.dwMajorVersion = 4;
        return m_platform == Platform::Nt4;
    }
    enum class Platform { Own, Nt4, Unreadable };
    Platform m_platform = Platform::Own;
    int m_nEnumerations = 0;
};

struct Row {
    std::wstring strName, strFolder, strVersion;
};

// The rows in the list's order, by name.
std::vector<Row> Rows(CModuleListDlg& dlg)
{
    QListView& list = dlg.m_list;
    list.updateNow();
    std::vector<Row> rows;
    for (QListViewItem* pItem = list.firstChild(); pItem; pItem = pItem->nextSibling())
        rows.push_back({QStringToCString(pItem->text(0)).GetString(), QStringToCString(pItem->text(1)).GetString(),
                        QStringToCString(pItem->text(2)).GetString()});
    return rows;
}

const Row* FindRow(const std::vector<Row>& rows, const std::wstring& name)
{
    for (const Row& row : rows)
        if (row.strName == name)
            return &row;
    return nullptr;
}

// The caption a toolkit button shows (its window text stays what the template had).
std::wstring Caption(CVellButton& button)
{
    BSTR bstr = button.GetText();
    std::wstring text = bstr ? std::wstring(bstr, AfxSysStringLen(bstr)) : std::wstring();
    AfxSysFreeString(bstr);
    return text;
}

std::wstring WindowText(HWND hWnd)
{
    wchar_t sz[256] = {};
    ::GetWindowTextW(hWnd, sz, 256);
    return sz;
}

// Runs the dialog modally; once it is up, check(dialog) runs from a timer and the dialog ends.
// A dialog that does not come up in time ends the loop with -2.
INT_PTR RunWhileOpen(CModuleListDlg& dlg, std::function<void(CModuleListDlg&)> check)
{
    static CModuleListDlg* s_pDialog;
    static std::function<void(CModuleListDlg&)> s_check;
    s_pDialog = &dlg;
    s_check = std::move(check);
    const UINT_PTR act = SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        s_check(*s_pDialog);
        s_pDialog->EndDialog(IDOK);
    });
    const UINT_PTR safety = SetTimer(nullptr, 0, 20000, [](HWND, UINT, UINT_PTR, DWORD) { s_pDialog->EndDialog(-2); });
    const INT_PTR nResult = dlg.DoModal();
    KillTimer(nullptr, act);
    KillTimer(nullptr, safety);
    return nResult;
}

void PressSpace(CWnd& button)
{
    button.SendMessage(WM_KEYDOWN, VK_SPACE, 0x00390001);
    button.SendMessage(WM_KEYUP, VK_SPACE, 0xC0390001);
}

std::wstring FileName(const std::wstring& path)
{
    return path.substr(path.find_last_of(L'\\') + 1);
}
std::wstring FolderOf(const std::wstring& path)
{
    return path.substr(0, path.find_last_of(L'\\') + 1);
}

// The three test libraries, loaded for one test.
struct TestModules {
    LoadedModule maker{ProgramFolder() + kMakerModule};
    LoadedModule lowercase{ProgramFolder() + kLowercaseModule};
    LoadedModule plain{ProgramFolder() + kPlainModule};
    bool Loaded() const { return maker.handle() && lowercase.handle() && plain.handle(); }
};

}  // namespace

TEST(ModuleListDialogTest, OpensWithTheMakersModulesUnderItsTextsAndColumns)
{
    TestModules modules;
    ASSERT_TRUE(modules.Loaded());
    CTestModuleListDlg dlg;
    ASSERT_NE(nullptr, qApp) << "the Qt application is made before the list view is built";
    QApplication* pFirstApplication = qApp;
    EXPECT_EQ(IDOK, RunWhileOpen(dlg, [&](CModuleListDlg& d) {
        EXPECT_NE(std::wstring::npos, WindowText(d.m_hWnd).find(L"Loaded modules"));
        EXPECT_EQ(L"Close", Caption(d.m_btnOK));
        EXPECT_EQ(L"All modules", Caption(d.m_chkAll));
        EXPECT_EQ(CVellBitmapButton::StyleCheckBox, d.m_chkAll.GetButtonStyle());
        EXPECT_EQ(0, d.m_chkAll.GetCheck());
        EXPECT_EQ(d.m_list.CWnd::m_hWnd, ::GetDlgItem(d.m_hWnd, IDC_MODULE_LIST)) << "the list took the placeholder's place";

        // Columns and their widths.
        QListView& list = d.m_list;
        ASSERT_EQ(3, list.columns());
        const wchar_t* labels[] = {L"Name", L"Folder", L"File version"};
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(labels[i], std::wstring(QStringToCString(list.columnText(i)).GetString()));
            EXPECT_EQ(CModuleListDlg::kColumnWidths[i], list.columnWidth(i));
        }
        EXPECT_TRUE(list.header()->isVisible());
        EXPECT_EQ(CModuleListDlg::kHeaderButtonColor, d.m_list.GetHeaderButtonColor());
        EXPECT_EQ((std::vector<int>{0, 1, 2}), d.m_list.GetSortableColumns());
        EXPECT_EQ(0, list.sortColumn());

        // The maker's modules only: the program (the launcher's version information) and the
        // library whose company name holds the maker's name among other words.
        const std::vector<Row> rows = Rows(d);
        const Row* pMaker = FindRow(rows, Upper(kMakerModule));
        ASSERT_NE(nullptr, pMaker);
        EXPECT_EQ(Upper(ProgramFolder()), pMaker->strFolder);
        EXPECT_EQ(L"4.3.2.1", pMaker->strVersion);
        EXPECT_NE(nullptr, FindRow(rows, Upper(FileName(ModulePath(nullptr)))));
        EXPECT_EQ(nullptr, FindRow(rows, Upper(kLowercaseModule))) << "the maker's name in lower case";
        EXPECT_EQ(nullptr, FindRow(rows, Upper(kPlainModule))) << "no version information";
        EXPECT_EQ(nullptr, FindRow(rows, L"KERNEL32.DLL"));
        for (size_t i = 1; i < rows.size(); ++i)
            EXPECT_LT(rows[i - 1].strName, rows[i].strName) << "sorted by name";
    }));
    EXPECT_EQ(1, dlg.m_nEnumerations);

    CTestModuleListDlg second;
    EXPECT_EQ(pFirstApplication, qApp) << "one Qt application for the process";
}

TEST(ModuleListDialogTest, TheBoxSwitchesBetweenEveryModuleAndTheMakersFromAFreshEnumeration)
{
    TestModules modules;
    ASSERT_TRUE(modules.Loaded());
    CTestModuleListDlg dlg;
    size_t nMakerRows = 0;
    EXPECT_EQ(IDOK, RunWhileOpen(dlg, [&](CModuleListDlg& d) {
        nMakerRows = Rows(d).size();
        PressSpace(d.m_chkAll);
        ASSERT_EQ(1, d.m_chkAll.GetCheck());
        const std::vector<Row> all = Rows(d);
        EXPECT_GT(all.size(), nMakerRows + 3);
        const Row* pLower = FindRow(all, Upper(kLowercaseModule));
        ASSERT_NE(nullptr, pLower);
        EXPECT_EQ(L"5.6.7.8", pLower->strVersion);
        const Row* pPlain = FindRow(all, Upper(kPlainModule));
        ASSERT_NE(nullptr, pPlain);
        EXPECT_EQ(L"0.0.0.0", pPlain->strVersion);
        // A system library: its name, its folder ending in the separator, its file version.
        const std::wstring kernel = ModulePath(GetModuleHandleW(L"kernel32.dll"));
        const Row* pKernel = FindRow(all, L"KERNEL32.DLL");
        ASSERT_NE(nullptr, pKernel);
        EXPECT_EQ(Upper(FolderOf(kernel)), pKernel->strFolder);
        EXPECT_EQ(std::wstring(CZeb_FileVersion(kernel.c_str()).GetFileVersionText().GetString()), pKernel->strVersion);

        PressSpace(d.m_chkAll);
        EXPECT_EQ(0, d.m_chkAll.GetCheck());
        EXPECT_EQ(nMakerRows, Rows(d).size());
    }));
    EXPECT_EQ(3, dlg.m_nEnumerations) << "opening, ticking and clearing each read the modules again";
    EXPECT_GE(nMakerRows, 2u);
}

TEST(ModuleListDialogTest, OnNt4TheProcessStatusLibraryListsThePathsAsTheSystemNamesThem)
{
    TestModules modules;
    ASSERT_TRUE(modules.Loaded());
    CTestModuleListDlg dlg;
    dlg.m_platform = CTestModuleListDlg::Platform::Nt4;
    EXPECT_EQ(IDOK, RunWhileOpen(dlg, [&](CModuleListDlg& d) {
        const std::vector<Row> rows = Rows(d);
        const Row* pMaker = FindRow(rows, kMakerModule);
        ASSERT_NE(nullptr, pMaker) << "not upper-cased on this route";
        EXPECT_EQ(FolderOf(modules.maker.path()), pMaker->strFolder);
        EXPECT_EQ(nullptr, FindRow(rows, kLowercaseModule));
        PressSpace(d.m_chkAll);
        EXPECT_NE(nullptr, FindRow(Rows(d), kLowercaseModule));
    }));
}

TEST(ModuleListDialogTest, AnUnreadablePlatformLeavesTheListEmptyWithoutAMessage)
{
    CTestModuleListDlg dlg;
    dlg.m_platform = CTestModuleListDlg::Platform::Unreadable;
    EXPECT_EQ(IDOK, RunWhileOpen(dlg, [&](CModuleListDlg& d) {
        EXPECT_TRUE(Rows(d).empty());
        EXPECT_EQ(d.m_hWnd, GetActiveWindow()) << "no message box over the list";
    }));
}

namespace {

std::vector<HWND> ModuleListWindows()
{
    std::vector<HWND> found;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            if (GetDlgItem(hWnd, IDC_MODULE_SHOW_ALL))
                reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

}  // namespace

TEST(ModuleListDialogTest, CtrlMOnTheAboutFormOpensOneListThatTheFormOwns)
{
    CVellAboutDlg about(nullptr, L"Orvane Lumbra");
    ASSERT_TRUE(about.Create(IDD_ABOUT_SPLASH));
    about.ShowWindow(SW_SHOW);
    static HWND s_hAbout, s_hPicture;
    static std::vector<HWND> s_lists;
    static BOOL s_bAboutEnabled;
    static HWND s_hOwner;
    static int s_nCloses;
    s_hAbout = about.m_hWnd;
    s_hPicture = about.m_bitmap.m_hWnd;
    s_lists.clear();
    s_nCloses = 0;
    // Inside the list's modal loop: Ctrl+M again, Ctrl+minus, a plain key and a click on the form.
    const UINT_PTR act = SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        s_bAboutEnabled = IsWindowEnabled(s_hAbout);
        PostMessageW(s_hPicture, WM_KEYDOWN, 'M', 1);
        PostMessageW(s_hPicture, WM_KEYDOWN, VK_SUBTRACT, 1);
        PostMessageW(s_hPicture, WM_KEYDOWN, 'A', 1);
        PostMessageW(s_hPicture, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
        SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR id2, DWORD) {
            KillTimer(nullptr, id2);
            s_lists = ModuleListWindows();
            s_hOwner = s_lists.empty() ? nullptr : GetWindow(s_lists[0], GW_OWNER);
            for (HWND hList : s_lists)
                PostMessageW(hList, WM_COMMAND, IDOK, 0);
        });
    });
    {
        testwin::KeysHeld ctrl{VK_CONTROL, VK_LCONTROL};
        about.m_bitmap.SendMessage(WM_KEYDOWN, 'M', 1);  // returns when the list has ended
    }
    KillTimer(nullptr, act);
    ASSERT_EQ(1u, s_lists.size()) << "one list, however often Ctrl+M comes while it runs";
    EXPECT_EQ(s_hAbout, s_hOwner);
    EXPECT_FALSE(s_bAboutEnabled) << "the form is disabled under its modal list";
    EXPECT_FALSE(IsWindow(s_lists[0]));
    // Keys and clicks that reached the form while the list ran did not close it.
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.hwnd == s_hAbout && msg.message == WM_CLOSE)
            ++s_nCloses;
        DispatchMessageW(&msg);
    }
    EXPECT_EQ(0, s_nCloses);
    EXPECT_TRUE(IsWindow(s_hAbout));
    EXPECT_TRUE(about.IsWindowVisible());
    EXPECT_TRUE(IsWindowEnabled(s_hAbout));
}

TEST(ModuleListDialogTest, TheLauncherCarriesTheListsTemplateAndPicturesButNoTexts)
{
    const std::wstring launcher = ProgramFolder() + L"Lumbra.exe";
    HMODULE hLauncher = LoadLibraryExW(launcher.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(nullptr, hLauncher) << "error " << GetLastError();
    EXPECT_NE(nullptr, FindResourceW(hLauncher, MAKEINTRESOURCEW(IDD_MODULE_LIST), MAKEINTRESOURCEW(5)));
    for (const UINT nPicture : {IDB_CHECK_CHECKED, IDB_CHECK_DISABLED_CHECKED, IDB_CHECK_CLEARED, IDB_CHECK_DISABLED})
        EXPECT_NE(nullptr, FindResourceW(hLauncher, MAKEINTRESOURCEW(nPicture), MAKEINTRESOURCEW(2))) << nPicture;
    for (const UINT nText : {IDS_MODULE_COLUMN_NAME, IDS_MODULE_COLUMN_FOLDER, IDS_MODULE_COLUMN_VERSION,
                             IDS_MODULE_LIST_CAPTION, IDS_MODULE_SHOW_ALL, IDS_MODULE_OK}) {
        wchar_t sz[64] = {};
        EXPECT_EQ(0, LoadStringW(hLauncher, nText, sz, 64)) << nText;
    }
    FreeLibrary(hLauncher);
}

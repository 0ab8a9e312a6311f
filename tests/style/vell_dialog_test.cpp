// The styled dialog base: placement, announcements, caption with the application's title, ending
// from outside, full-screen maximising, control colours, and the process-wide helpers.
#include "toolkit/draw/StyleGlobals.h"
#include "toolkit/style/VellDialog.h"

#include "platform/mfc/CWinApp.h"

#include "tests/support/TestSupport.h"
#include "tests/support/RectPrinting.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr UINT IDD_STYLED = 200;
constexpr UINT IDD_RESIZABLE = 201;

// A styled dialog that takes a given window size before the base places it.
class SizedDialog : public CVellDialog {
public:
    explicit SizedDialog(CWnd* pParent = nullptr, UINT nID = IDD_STYLED, CSize size = CSize(400, 300))
        : CVellDialog(nID, pParent), m_size(size)
    {
    }
    CSize m_size;
    UINT m_nPostAtInit = 0;

    BOOL OnInitDialog() override
    {
        SetWindowPos(nullptr, 0, 0, m_size.cx, m_size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        const BOOL bResult = CVellDialog::OnInitDialog();
        if (m_nPostAtInit)
            PostMessage(m_nPostAtInit);
        return bResult;
    }
};

CRect WindowRectOf(const CWnd& wnd)
{
    CRect rc;
    wnd.GetWindowRect(&rc);
    return rc;
}

// A plain popup as parent or main window.
class PlainWnd : public CWnd {
public:
    bool Create(const RECT& rc)
    {
        return CreateEx(0, nullptr, L"parent", WS_POPUP, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                        nullptr, nullptr) != FALSE;
    }
};

}  // namespace

TEST(VellDialogTest, WindowIsStyledFromCreation)
{
    SizedDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_STYLED));
    EXPECT_EQ(DWORD(WS_CAPTION), dlg.m_styleHook.m_dwSavedCaption);
    EXPECT_EQ(0u, dlg.GetStyle() & WS_CAPTION);
    EXPECT_STREQ(L"Styled dialog", dlg.m_styleHook.GetCaption()) << "the template's caption";
    EXPECT_EQ(::GetSystemMenu(dlg.m_hWnd, FALSE), dlg.m_sysMenu.m_hMenu);
    EXPECT_FALSE(dlg.IsWindowVisible()) << "placed hidden; the caller shows it";
    EXPECT_STREQ(L"BETA", dlg.GetSecondaryCaption()) << "this test program's file version ends in 3";
    EXPECT_STREQ(L"BETA", CVellDialog::GetBuildMarker());
}

TEST(VellDialogTest, PlacementOnParentAndMonitor)
{
    PlainWnd parent;
    ASSERT_TRUE(parent.Create(CRect(100, 100, 500, 400)));
    SizedDialog centred(&parent);
    ASSERT_TRUE(centred.Create(IDD_STYLED, &parent));
    EXPECT_EQ(CRect(100, 100, 500, 400), WindowRectOf(centred));

    SizedDialog cascaded(&centred);
    ASSERT_TRUE(cascaded.Create(IDD_STYLED, &centred));
    EXPECT_EQ(CRect(130, 130, 530, 430), WindowRectOf(cascaded)) << "a toolkit dialog as parent: 30 further";

    // Near the right edge of the primary monitor: moved left, and up to its top.
    MONITORINFO mi{};
    mi.cbSize = sizeof(mi);
    GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &mi);
    const CRect rcMonitor = mi.rcMonitor;
    PlainWnd nearEdge;
    ASSERT_TRUE(nearEdge.Create(CRect(rcMonitor.right - 124, 100, rcMonitor.right - 24, 200)));
    SizedDialog clamped(&nearEdge);
    ASSERT_TRUE(clamped.Create(IDD_STYLED, &nearEdge));
    EXPECT_EQ(CRect(rcMonitor.right - 400, 0, rcMonitor.right, 300), WindowRectOf(clamped));

    SizedDialog huge(&parent, IDD_STYLED, CSize(rcMonitor.Width() + 100, rcMonitor.Height() + 100));
    ASSERT_TRUE(huge.Create(IDD_STYLED, &parent));
    EXPECT_EQ(rcMonitor.TopLeft(), WindowRectOf(huge).TopLeft()) << "the top-left corner wins";

    CRect rcDesktop;
    GetWindowRect(GetDesktopWindow(), &rcDesktop);
    SizedDialog orphan;
    ASSERT_TRUE(orphan.Create(IDD_STYLED));
    EXPECT_EQ(CPoint(rcDesktop.left + (rcDesktop.Width() - 400) / 2, rcDesktop.top + (rcDesktop.Height() - 300) / 2),
              WindowRectOf(orphan).TopLeft())
        << "centred on the desktop";
}

TEST(VellDialogTest, MinimisedParentIsRestoredFirst)
{
    PlainWnd parent;
    ASSERT_TRUE(parent.Create(CRect(100, 100, 500, 400)));
    parent.ShowWindow(SW_SHOWMINNOACTIVE);
    ASSERT_TRUE(parent.IsIconic());
    SizedDialog dlg(&parent);
    ASSERT_TRUE(dlg.Create(IDD_STYLED, &parent));
    EXPECT_FALSE(parent.IsIconic());
    EXPECT_EQ(CRect(100, 100, 500, 400), WindowRectOf(dlg));
}

TEST(VellDialogTest, MessageFromOutsideEndsTheDialog)
{
    SizedDialog dlg;
    dlg.m_nPostAtInit = 0x4A0;
    EXPECT_EQ(0x4A1, dlg.DoModal());
}

namespace {

// A main window that records WM_DIALOGSTACK and answers the title requests.
class MainWnd : public PlainWnd {
public:
    std::vector<std::pair<WPARAM, LPARAM>> m_stack;
    LRESULT m_nTitleLength = 6;
    std::wstring m_strTitle = L"Lumbra";

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_DIALOGSTACK) {
            m_stack.emplace_back(wParam, lParam);
            return 0;
        }
        if (message == CVellDialog::kAppTitleLength)
            return m_nTitleLength;
        if (message == CVellDialog::kAppTitle) {
            lstrcpynW(reinterpret_cast<wchar_t*>(lParam), m_strTitle.c_str(), static_cast<int>(wParam));
            return static_cast<LRESULT>(m_strTitle.size());
        }
        return PlainWnd::WindowProc(message, wParam, lParam);
    }
};

}  // namespace

TEST(VellDialogTest, DialogStackIsAnnouncedWithoutAWindow)
{
    CWinApp app;
    MainWnd main;
    ASSERT_TRUE(main.Create(CRect(0, 0, 50, 50)));
    app.m_pMainWnd = &main;
    WPARAM nDialog = 0;
    {
        CVellDialog dlg(IDD_STYLED);
        nDialog = reinterpret_cast<WPARAM>(&dlg);
    }
    ASSERT_EQ(2u, main.m_stack.size());
    EXPECT_EQ(nDialog, main.m_stack[0].first);
    EXPECT_EQ(1, main.m_stack[0].second);
    EXPECT_EQ(nDialog, main.m_stack[1].first);
    EXPECT_EQ(0, main.m_stack[1].second);
    app.m_pMainWnd = nullptr;
}

TEST(VellDialogTest, CaptionWithTheApplicationTitle)
{
    SizedDialog alone;
    ASSERT_TRUE(alone.Create(IDD_STYLED));
    alone.SetCaptionWithAppTitle(L"Modules");
    EXPECT_STREQ(L"Modules", alone.m_styleHook.GetCaption()) << "no main window: the text alone";

    CWinApp app;
    MainWnd main;
    ASSERT_TRUE(main.Create(CRect(0, 0, 50, 50)));
    app.m_pMainWnd = &main;
    SizedDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_STYLED));
    dlg.SetCaptionWithAppTitle(L"Modules");
    CString strText;
    dlg.GetWindowText(strText);
    EXPECT_STREQ(L"Lumbra - Modules", strText);
    EXPECT_STREQ(L"Lumbra - Modules", dlg.m_styleHook.GetCaption());

    main.m_nTitleLength = 0;
    dlg.SetCaptionWithAppTitle(L"Modules");
    dlg.GetWindowText(strText);
    EXPECT_STREQ(L"Modules", strText) << "a main window without a title";
    app.m_pMainWnd = nullptr;
}

TEST(VellDialogTest, FullScreenMaximiseCoversTheScreenWithTheClientArea)
{
    SizedDialog dlg(nullptr, IDD_RESIZABLE);
    dlg.m_fullScreenMaximize = TRUE;
    ASSERT_TRUE(dlg.Create(IDD_RESIZABLE));
    dlg.ShowWindow(SW_SHOWNA);
    dlg.SendMessage(WM_SYSCOMMAND, SC_MAXIMIZE);
    ASSERT_TRUE(dlg.IsZoomed());
    CRect rcClient;
    dlg.GetClientRect(&rcClient);
    dlg.ClientToScreen(&rcClient);
    EXPECT_EQ(CRect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)), rcClient);
    EXPECT_EQ(0u, dlg.GetStyle() & WS_CAPTION);

    MINMAXINFO mmi{};
    dlg.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    EXPECT_EQ(CPoint(-4, -23), CPoint(mmi.ptMaxPosition));
}

TEST(VellDialogTest, ControlsArePaintedOnTheToolkitColours)
{
    SizedDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_STYLED));
    HWND hLabel = ::GetDlgItem(dlg.m_hWnd, 2001);
    HDC hDC = GetDC(hLabel);
    SetBkMode(hDC, OPAQUE);
    SetTextColor(hDC, RGB(1, 2, 3));
    const HBRUSH hBrush = reinterpret_cast<HBRUSH>(
        dlg.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hDC), reinterpret_cast<LPARAM>(hLabel)));
    EXPECT_EQ(TRANSPARENT, GetBkMode(hDC));
    EXPECT_EQ(RGB(0, 0, 0), GetTextColor(hDC));
    ReleaseDC(hLabel, hDC);
    LOGBRUSH lb{};
    ASSERT_EQ(static_cast<int>(sizeof(lb)), GetObjectW(hBrush, sizeof(lb), &lb));
    EXPECT_EQ(RGB(161, 177, 204), lb.lbColor);
    EXPECT_EQ(hBrush, ControlBackBrush()) << "one brush for the process";
}

TEST(StyleGlobalsTest, OsClassCodes)
{
    auto classify = [](bool bNT, DWORD major, DWORD minor) {
        OSVERSIONINFOW info{};
        info.dwMajorVersion = major;
        info.dwMinorVersion = minor;
        const DWORD dwVersion = (bNT ? 0u : 0x80000000u) | (minor << 8) | major;
        return ClassifyOs(dwVersion, info);
    };
    EXPECT_EQ(0, classify(false, 3, 10));
    EXPECT_EQ(2, classify(false, 4, 0));
    EXPECT_EQ(3, classify(false, 4, 10));
    EXPECT_EQ(4, classify(false, 4, 90));
    EXPECT_EQ(1, classify(true, 3, 51));
    EXPECT_EQ(5, classify(true, 4, 0));
    EXPECT_EQ(6, classify(true, 5, 0));
    EXPECT_EQ(7, classify(true, 5, 1));
    EXPECT_EQ(1, classify(true, 5, 2));
    EXPECT_EQ(1, classify(true, 6, 1));
    EXPECT_EQ(1, classify(true, 10, 0));
    EXPECT_EQ(1, OsClassCode()) << "Wine reports a recent NT";
    EXPECT_NE(0u, WM_DIALOGSTACK);
    EXPECT_EQ(RegisterWindowMessageW(L"WM_DIALOGSTACK"), WM_DIALOGSTACK);
}

TEST(StyleGlobalsTest, FreeTimer)
{
    EXPECT_EQ(0u, StartFreeTimer(nullptr, 100));
    testwin::RawWindow wnd;
    const UINT_PTR nId = StartFreeTimer(wnd, 100);
    EXPECT_EQ(31u, nId);
    KillTimer(wnd, nId);
}

namespace {

// Catches message boxes: records caption and texts, then closes them.
HHOOK g_hBoxHook = nullptr;
std::wstring g_boxCaption;
std::wstring g_boxTexts;
int g_nBoxes = 0;

BOOL CALLBACK CollectText(HWND hWnd, LPARAM)
{
    wchar_t szText[512] = {};
    GetWindowTextW(hWnd, szText, 512);
    g_boxTexts += szText;
    g_boxTexts += L"|";
    return TRUE;
}

LRESULT CALLBACK BoxHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    wchar_t szClass[16] = {};
    if (nCode == HCBT_ACTIVATE)
        GetClassNameW(reinterpret_cast<HWND>(wParam), szClass, 16);
    if (nCode == HCBT_ACTIVATE && lstrcmpW(szClass, L"#32770") == 0) {
        HWND hBox = reinterpret_cast<HWND>(wParam);
        wchar_t szCaption[64] = {};
        GetWindowTextW(hBox, szCaption, 64);
        g_boxCaption = szCaption;
        EnumChildWindows(hBox, CollectText, 0);
        ++g_nBoxes;
        PostMessageW(hBox, WM_COMMAND, IDOK, 0);
    }
    return CallNextHookEx(g_hBoxHook, nCode, wParam, lParam);
}

void ReportAndCatch(DWORD dwError)
{
    g_boxCaption.clear();
    g_boxTexts.clear();
    g_nBoxes = 0;
    g_hBoxHook = SetWindowsHookExW(WH_CBT, BoxHook, nullptr, GetCurrentThreadId());
    SetLastError(dwError);
    ReportLastError();
    UnhookWindowsHookEx(g_hBoxHook);
}

}  // namespace

TEST(StyleGlobalsTest, ReportLastErrorShowsTheSystemText)
{
    ReportAndCatch(0);
    EXPECT_EQ(0, g_nBoxes) << "nothing to report";

    ReportAndCatch(ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(1, g_nBoxes);
    EXPECT_EQ(L"Error", g_boxCaption);
    std::wstring lower = g_boxTexts;
    CharLowerW(lower.data());
    EXPECT_NE(std::wstring::npos, lower.find(L"file")) << "the system's text for the code";

    ReportAndCatch(0x2000ABCD);
    EXPECT_EQ(1, g_nBoxes);
    EXPECT_NE(std::wstring::npos, g_boxTexts.find(L"Error message 0x2000abcd not found"));
}

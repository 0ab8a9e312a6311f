// The control property interface on real windows: colours and palettes, redraw invalidation, the
// focus cue with real focus, the tool tip and its relay, dialog items and tab order, the default
// font's life.
#include "TestControl.h"

#include "platform/mfc/OleAutomation.h"
#include "toolkit/controls/Ambient.h"
#include "toolkit/controls/FontAllocator.h"
#include "toolkit/dialogs/VellStaticBitmap.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

// A visible top-level window to hold the controls.
class CHostWindow : public CWnd {
public:
    CHostWindow()
    {
        CreateEx(0, nullptr, L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 40, 40, 320, 200, nullptr,
                 nullptr);
        SetForegroundWindow(m_hWnd);
        msgseq::PumpMessages();
    }
};

// The update region of a window as a rectangle.
struct UpdateState {
    CRect rect;
    bool bPending = false;
};

UpdateState PendingUpdate(HWND hWnd)
{
    UpdateState state;
    state.bPending = GetUpdateRect(hWnd, &state.rect, FALSE) != FALSE;
    return state;
}

// Records TTM_RELAYEVENT at the tool tip window, below comctl32's own procedure.
struct RelayLog {
    static inline std::vector<MSG> s_relayed;
    static inline WNDPROC s_pfnOld = nullptr;
    static LRESULT CALLBACK Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == TTM_RELAYEVENT && lParam)
            s_relayed.push_back(*reinterpret_cast<const MSG*>(lParam));
        return CallWindowProcW(s_pfnOld, hWnd, message, wParam, lParam);
    }
};

}  // namespace

TEST(VellControlTest, ColoursFollowTheAmbientSwitches)
{
    CTestControl control;
    EXPECT_EQ(RgbText(RGB(120, 139, 169)), RgbText(control.GetColor(CVellControl::kEffectiveBack)));
    EXPECT_EQ(RgbText(RGB(235, 238, 243)), RgbText(control.GetColor(CVellControl::kEffectiveFore)));
    control.SetUseAmbientBackColor(FALSE);
    control.SetUseAmbientForeColor(FALSE);
    EXPECT_EQ(RgbText(RGB(161, 177, 204)), RgbText(control.GetColor(CVellControl::kEffectiveBack)));
    EXPECT_EQ(RgbText(RGB(0, 0, 0)), RgbText(control.GetColor(CVellControl::kEffectiveFore)));
    control.SetBackColor(RGB(1, 2, 3));
    EXPECT_EQ(RgbText(RGB(1, 2, 3)), RgbText(control.GetColor(CVellControl::kEffectiveBack)));

    control.SetColorTable({RGB(10, 10, 10), RGB(20, 20, 20)});
    EXPECT_EQ(RgbText(RGB(20, 20, 20)), RgbText(control.GetColor(1)));
    EXPECT_EQ(RgbText(RGB(0, 0, 0)), RgbText(control.GetColor(5))) << "outside the table: the effective fore colour";

    control.SetFontSize(-20, 700);
    control.SetUseAmbientFont(FALSE);
    LOGFONTW lf{};
    EXPECT_EQ(&lf, control.GetFont(&lf));
    EXPECT_EQ(-8, lf.lfHeight);
    EXPECT_EQ(700, lf.lfWeight);
    control.SetFontSize(16, 700);
    EXPECT_EQ(16, control.GetFont(&lf)->lfHeight);
    control.SetUseAmbientFont(TRUE);
    EXPECT_EQ(-12, control.GetFont(&lf)->lfHeight) << "the ambient font";
}

TEST(VellControlTest, PalettesOfEachState)
{
    CTestControl control;
    control.SetUsePalette(TRUE);
    control.SetPalette(CVellControl::kActivePalette, {RGB(200, 100, 51)});
    EXPECT_EQ(RgbText(RGB(200, 100, 51)), RgbText(control.GetColor(0)));
    control.SetEnabled(FALSE);
    EXPECT_EQ(RgbText(RGB(50, 25, 12)), RgbText(control.GetColor(0))) << "derived: a quarter of each channel";
    control.SetPalette(CVellControl::kDisabledPalette, {RGB(10, 20, 30)});
    EXPECT_EQ(RgbText(RGB(50, 25, 12)), RgbText(control.GetColor(0))) << "still built from the active palette";
    control.SetBuildDisabledFromActivePalette(FALSE);
    EXPECT_EQ(RgbText(RGB(10, 20, 30)), RgbText(control.GetColor(0)));
    control.SetBuildDisabledFromActivePalette(TRUE);
    EXPECT_EQ(RgbText(RGB(50, 25, 12)), RgbText(control.GetColor(0)));

    control.SetBuildDisabledFromActivePalette(FALSE);
    control.SetPalette(CVellControl::kInactivePalette, {RGB(7, 7, 7)});
    control.SetBuildInactiveFromActivePalette(FALSE);
    control.SetInactive(TRUE);
    EXPECT_EQ(RgbText(RGB(10, 20, 30)), RgbText(control.GetColor(0))) << "disabled wins over inactive";
    control.SetEnabled(TRUE);
    EXPECT_EQ(RgbText(RGB(7, 7, 7)), RgbText(control.GetColor(0)));
    control.SetBuildInactiveFromActivePalette(TRUE);
    EXPECT_EQ(RgbText(RGB(50, 25, 12)), RgbText(control.GetColor(0)));

    control.SetPalette(7, {RGB(1, 1, 1)});
    EXPECT_EQ(RgbText(RGB(50, 25, 12)), RgbText(control.GetColor(0))) << "an unknown palette number changes nothing";
}

TEST(VellControlTest, UsePaletteWithoutAPaletteFallsBackToTheColourTable)
{
    // "UsePalette" is persisted, the palettes are not: a control that loads it on has none.
    CTestControl control;
    control.SetColorTable({RGB(21, 59, 99), RGB(146, 160, 185)});
    control.SetUsePalette(TRUE);
    EXPECT_EQ(RgbText(RGB(146, 160, 185)), RgbText(control.GetColor(1)));
    control.SetEnabled(FALSE);
    EXPECT_EQ(RgbText(RGB(21, 59, 99)), RgbText(control.GetColor(0)));
    control.SetPalette(CVellControl::kActivePalette, {RGB(200, 100, 51)});
    EXPECT_EQ(RgbText(RGB(146, 160, 185)), RgbText(control.GetColor(1))) << "an entry the palette lacks";
}

TEST(VellControlTest, RedrawInvalidatesTheWholeClientOnce)
{
    CHostWindow host;
    CTestControl control;
    ASSERT_TRUE(control.Create(1, CRect(10, 10, 110, 40), &host));
    msgseq::PumpMessages();
    ASSERT_FALSE(PendingUpdate(control.m_hWnd).bPending);

    control.SetBackColor(control.GetBackColor());
    UpdateState state = PendingUpdate(control.m_hWnd);
    EXPECT_TRUE(state.bPending) << "a setter redraws even with an unchanged value";
    EXPECT_EQ(CRect(0, 0, 100, 30), state.rect);
    const int nErases = control.m_nErases;
    msgseq::PumpMessages();
    EXPECT_EQ(nErases + 1, control.m_nErases) << "the background is erased";

    control.SetUseAmbientFont(TRUE);
    EXPECT_FALSE(PendingUpdate(control.m_hWnd).bPending) << "the same value: no redraw";
    control.SetContainerValidate(TRUE);
    EXPECT_FALSE(PendingUpdate(control.m_hWnd).bPending) << "stored only";

    control.WhileRedrawing([&] { control.SetForeColor(RGB(1, 2, 3)); });
    EXPECT_FALSE(PendingUpdate(control.m_hWnd).bPending) << "a redraw inside a redraw does not invalidate";
    EXPECT_EQ(RGB(1, 2, 3), control.GetForeColor());

    control.SetRedrawControl(FALSE);
    msgseq::PumpMessages();
    control.SetText(L"no redraw");
    EXPECT_FALSE(PendingUpdate(control.m_hWnd).bPending) << "\"RedrawControl\" off";
    control.SetRedrawControl(TRUE);
    EXPECT_TRUE(PendingUpdate(control.m_hWnd).bPending);
}

TEST(VellControlTest, FocusCueTableWithRealFocus)
{
    CHostWindow host;
    CTestControl control;
    CTestControl other;
    ASSERT_TRUE(control.Create(1, CRect(10, 10, 110, 40), &host));
    ASSERT_TRUE(other.Create(2, CRect(10, 50, 110, 80), &host));
    SetForegroundWindow(host.m_hWnd);
    other.SetFocus();
    ASSERT_EQ(other.m_hWnd, GetFocus());

    struct Row {
        int nUseFocus;
        int nAction;
        BOOL bMouseDown;
        BOOL bShown;
    };
    const Row rows[] = {
        {0, ODA_FOCUS, FALSE, FALSE}, {0, ODA_SELECT, FALSE, FALSE}, {1, ODA_FOCUS, FALSE, TRUE},
        {1, ODA_FOCUS, TRUE, FALSE},  {1, ODA_SELECT, FALSE, FALSE}, {2, ODA_FOCUS, TRUE, TRUE},
        {2, ODA_SELECT, FALSE, TRUE},
    };
    for (const Row& row : rows) {
        control.SetUseFocus(row.nUseFocus);
        control.SetFocus();
        EXPECT_EQ(row.bShown, control.UpdateFocusCue(row.nAction, row.bMouseDown))
            << "UseFocus " << row.nUseFocus << ", action " << row.nAction << ", mouse " << row.bMouseDown;
        other.SetFocus();
        EXPECT_FALSE(control.UpdateFocusCue(ODA_DRAWENTIRE, FALSE)) << "no cue without the focus";
    }

    control.SetUseFocus(1);
    control.SetFocus();
    ASSERT_TRUE(control.UpdateFocusCue(ODA_FOCUS, FALSE));
    control.SetUseFocus(7);
    EXPECT_TRUE(control.UpdateFocusCue(ODA_FOCUS, TRUE)) << "an unknown value keeps the last decision";
    EXPECT_TRUE(control.UpdateFocusCue(ODA_DRAWENTIRE, TRUE)) << "other actions keep it too";

    control.SetUseFocus(0);
    other.SetFocus();
    control.SetFocusCue(TRUE);
    EXPECT_EQ(control.m_hWnd, GetFocus()) << "forcing the cue gives the focus";
    EXPECT_TRUE(control.UpdateFocusCue(ODA_SELECT, TRUE)) << "forced";
    EXPECT_TRUE(control.UpdateFocusCue(ODA_FOCUS, TRUE)) << "forced until a focus change is handled";
    EXPECT_FALSE(control.UpdateFocusCue(ODA_FOCUS, FALSE));

    // Before its window exists a control leaves the thread's focus alone.
    CTestControl early;
    other.SetFocus();
    early.SetFocusCue(TRUE);
    EXPECT_EQ(other.m_hWnd, GetFocus());
    EXPECT_FALSE(early.HasFocus());
}

TEST(VellControlTest, ToolTipRelayReachesTheTipOnceWithoutSubclassing)
{
    CHostWindow host;
    CTestControl control;
    ASSERT_TRUE(control.Create(1, CRect(10, 10, 110, 40), &host));
    const LONG_PTR procBefore = GetWindowLongPtrW(control.m_hWnd, GWLP_WNDPROC);
    control.SetToolTip(L"Tip");
    EXPECT_EQ(procBefore, GetWindowLongPtrW(control.m_hWnd, GWLP_WNDPROC))
        << "the tool window keeps its own procedure";
    CToolTipCtrl& tip = control.GetToolTipCtrl();
    ASSERT_NE(nullptr, tip.m_hWnd);
    EXPECT_EQ(1, tip.GetToolCount());
    EXPECT_EQ(CVellControl::kTipBackColor, static_cast<COLORREF>(tip.SendMessage(TTM_GETTIPBKCOLOR)));
    LOGFONTW tipFont{}, defaultFont{};
    GetObjectW(reinterpret_cast<HGDIOBJ>(tip.SendMessage(WM_GETFONT)), sizeof(tipFont), &tipFont);
    CVellFontAllocator::GetDefaultFontObject()->GetLogFont(&defaultFont);
    EXPECT_EQ(-11, defaultFont.lfHeight);
    EXPECT_EQ(defaultFont.lfHeight, tipFont.lfHeight) << "the tip shows the default font";
    EXPECT_STREQ(defaultFont.lfFaceName, tipFont.lfFaceName);

    RelayLog::s_relayed.clear();
    RelayLog::s_pfnOld = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(tip.m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RelayLog::Proc)));
    const UINT sent[] = {WM_MOUSEMOVE,   WM_LBUTTONDOWN, WM_LBUTTONUP,     WM_LBUTTONDBLCLK,
                         WM_RBUTTONDOWN, WM_RBUTTONUP,   WM_RBUTTONDBLCLK, WM_MBUTTONDOWN,
                         WM_MBUTTONUP,   WM_MBUTTONDBLCLK, WM_KEYDOWN};
    for (UINT message : sent)
        control.SendMessage(message, 0, MAKELPARAM(5, 6));
    SetWindowLongPtrW(tip.m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RelayLog::s_pfnOld));

    const std::vector<UINT> expected = {WM_MOUSEMOVE,   WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN,
                                        WM_RBUTTONUP,   WM_MBUTTONDOWN, WM_MBUTTONUP};
    std::vector<UINT> relayed;
    for (const MSG& msg : RelayLog::s_relayed) {
        relayed.push_back(msg.message);
        EXPECT_EQ(control.m_hWnd, msg.hwnd);
        EXPECT_EQ(MAKELPARAM(5, 6), msg.lParam);
    }
    EXPECT_EQ(expected, relayed) << "each mouse message once; no double clicks, no keys";
}

TEST(VellControlTest, ToolTipSetBeforeTheWindowIsRegisteredOnce)
{
    CHostWindow host;
    CTestControl control;
    control.SetToolTip(L"early");
    EXPECT_EQ(0, control.GetToolTipCtrl().GetToolCount()) << "no window, no tool yet";
    ASSERT_TRUE(control.Create(1, CRect(10, 10, 110, 40), &host));
    CToolTipCtrl& tip = control.GetToolTipCtrl();
    EXPECT_EQ(1, tip.GetToolCount());
    EXPECT_TRUE(tip.HasTool(&control, 0));
    control.SetToolTip(L"later");
    EXPECT_EQ(1, tip.GetToolCount()) << "still one tool";

    wchar_t text[32] = {};
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof(ti);
    ti.hwnd = control.m_hWnd;
    ti.uFlags = TTF_IDISHWND;
    ti.uId = reinterpret_cast<UINT_PTR>(control.m_hWnd);
    ti.lpszText = text;
    tip.SendMessage(TTM_GETTEXTW, 32, reinterpret_cast<LPARAM>(&ti));
    EXPECT_STREQ(L"later", text);
    CBstr stored(control.GetToolTip());
    EXPECT_STREQ(L"later", stored.c_str());

    control.SetToolTip(L"");
    EXPECT_EQ(0, tip.GetToolCount()) << "an empty text removes the tool";
    control.SetToolTip(L"again");
    EXPECT_EQ(1, tip.GetToolCount());
    control.DestroyWindow();
    EXPECT_EQ(0, tip.GetToolCount()) << "the tool goes with its window";
}

// The relay end to end: the mouse resting on the control brings the tip up next to it, in the
// toolkit's tip colours and with the stored text; a click on the control takes it down again.
TEST(VellControlTest, RelayedMouseBringsTheTipUpAndAClickTakesItDown)
{
    CHostWindow host;
    CTestControl control;
    ASSERT_TRUE(control.Create(1, CRect(10, 10, 110, 40), &host));
    control.SetToolTip(L"Tip text");
    CToolTipCtrl& tip = control.GetToolTipCtrl();
    ASSERT_NE(nullptr, tip.m_hWnd);
    tip.SendMessage(TTM_SETDELAYTIME, TTDT_INITIAL, 10);
    tip.SendMessage(TTM_SETDELAYTIME, TTDT_AUTOPOP, 30000);
    ASSERT_FALSE(tip.IsWindowVisible());

    // The tip checks where the mouse really is, so the cursor goes onto the control first.
    CRect rcControl;
    control.GetWindowRect(&rcControl);
    const CPoint ptScreen((rcControl.left + rcControl.right) / 2, (rcControl.top + rcControl.bottom) / 2);
    ASSERT_TRUE(SetCursorPos(ptScreen.x, ptScreen.y));
    CPoint ptClient = ptScreen;
    control.ScreenToClient(&ptClient);
    const LPARAM lPoint = MAKELPARAM(ptClient.x, ptClient.y);
    control.SendMessage(WM_MOUSEMOVE, 0, lPoint);
    ASSERT_TRUE(msgseq::PollFor([&] { return tip.IsWindowVisible() != FALSE; }, 3000)) << "the tip comes up";

    wchar_t text[32] = {};
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof(ti);
    ti.hwnd = control.m_hWnd;
    ti.uFlags = TTF_IDISHWND;
    ti.uId = reinterpret_cast<UINT_PTR>(control.m_hWnd);
    ti.lpszText = text;
    tip.SendMessage(TTM_GETTEXTW, 32, reinterpret_cast<LPARAM>(&ti));
    EXPECT_STREQ(L"Tip text", text);

    msgseq::PumpMessages();
    const auto shown = CopyOfWindow(tip.m_hWnd);
    ASSERT_NE(nullptr, shown);
    CRect rcTip;
    tip.GetClientRect(&rcTip);
    tip.ClientToScreen(&rcTip);
    CRect rcTipWindow;
    tip.GetWindowRect(&rcTipWindow);
    rcTip.OffsetRect(-rcTipWindow.left, -rcTipWindow.top);
    EXPECT_EQ(RgbText(CVellControl::kTipBackColor), RgbText(shown->At(rcTip.left + 1, rcTip.top + 1)))
        << "the tip's background";
    const int nBack = shown->Count(rcTip, CVellControl::kTipBackColor);
    EXPECT_GT(nBack, rcTip.Width() * rcTip.Height() / 2) << "mostly background";
    EXPECT_LT(nBack, rcTip.Width() * rcTip.Height()) << "with text on it";
    EXPECT_FALSE(CRect(shown->Bounds(rcTip, CVellControl::kTipTextColor)).IsRectEmpty()) << "text in the tip colour";

    control.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, lPoint);
    control.SendMessage(WM_LBUTTONUP, 0, lPoint);
    EXPECT_TRUE(msgseq::PollFor([&] { return !tip.IsWindowVisible(); }, 3000)) << "a click takes the tip down";
}

TEST(VellControlTest, ReplaceDlgItemTakesThePlaceholdersPlace)
{
    CHostWindow host;
    for (int nFirst = 0; nFirst < 2; ++nFirst) {
        // Placeholder 2 between buttons 1 and 3, or first of all.
        std::vector<HWND> children;
        auto make = [&](const wchar_t* pszClass, int nId, int y) {
            children.push_back(CreateWindowExW(0, pszClass, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, y, 80, 20,
                                               host.m_hWnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(nId)),
                                               nullptr, nullptr));
        };
        if (nFirst)
            make(L"Static", 2, 40);
        make(L"Button", 1, 10);
        if (!nFirst)
            make(L"Static", 2, 40);
        make(L"Button", 3, 70);
        HWND hPlaceholder = GetDlgItem(host.m_hWnd, 2);
        EnableWindow(hPlaceholder, FALSE);

        CTestControl control;
        ASSERT_TRUE(control.ReplaceDlgItem(2, &host, L"Static"));
        EXPECT_FALSE(IsWindow(hPlaceholder));
        EXPECT_EQ(control.m_hWnd, GetDlgItem(host.m_hWnd, 2));
        CRect rc;
        ::GetWindowRect(control.m_hWnd, &rc);
        host.ScreenToClient(&rc);
        EXPECT_EQ(CRect(10, 40, 90, 60), rc);
        EXPECT_FALSE(control.GetEnabled()) << "the placeholder was disabled";
        EXPECT_FALSE(control.IsWindowEnabled());

        std::vector<int> order;
        for (HWND h = GetWindow(host.m_hWnd, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
            order.push_back(GetDlgCtrlID(h));
        EXPECT_EQ(nFirst ? std::vector<int>({2, 1, 3}) : std::vector<int>({1, 2, 3}), order)
            << (nFirst ? "placeholder first" : "placeholder in the middle");
        control.DestroyWindow();
        for (HWND h : children)
            if (IsWindow(h))
                DestroyWindow(h);
    }
}

TEST(VellControlTest, ReplaceDlgItemKeepsThePlaceholderWhenItCannot)
{
    CHostWindow host;
    HWND hPlaceholder = CreateWindowExW(0, L"Static", L"", WS_CHILD | WS_VISIBLE, 10, 40, 80, 20, host.m_hWnd,
                                        reinterpret_cast<HMENU>(2), nullptr, nullptr);
    CTestControl failing;
    failing.m_bFailCreate = TRUE;
    EXPECT_FALSE(failing.ReplaceDlgItem(2, &host, L"Static"));
    EXPECT_TRUE(IsWindow(hPlaceholder)) << "a failed creation keeps the placeholder";
    CTestControl control;
    EXPECT_FALSE(control.ReplaceDlgItem(2, &host, L"ListBox")) << "another class";
    EXPECT_FALSE(control.ReplaceDlgItem(9, &host, L"Static")) << "no such item";
    EXPECT_FALSE(control.ReplaceDlgItem(2, nullptr, L"Static"));
    EXPECT_TRUE(IsWindow(hPlaceholder));
    EXPECT_EQ(nullptr, control.m_hWnd);
    EXPECT_TRUE(control.AttachDlgItem(2, &host)) << "the family's own way in";
    EXPECT_EQ(control.m_hWnd, GetDlgItem(host.m_hWnd, 2));
}

TEST(VellControlTest, AttachDlgItemOfClassOnlyWhenItAttaches)
{
    CHostWindow host;
    HWND hButton = CreateWindowExW(0, L"Button", L"b", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 80, 20,
                                   host.m_hWnd, reinterpret_cast<HMENU>(5), nullptr, nullptr);
    const LONG_PTR styleBefore = GetWindowLongPtrW(hButton, GWL_STYLE);
    CTestControl control;
    EXPECT_TRUE(control.CheckDlgItemClass(5, &host, L"Button"));
    EXPECT_FALSE(control.CheckDlgItemClass(5, &host, L"button")) << "case-sensitive";
    EXPECT_FALSE(control.AttachDlgItemOfClass(5, &host, L"Static"));
    EXPECT_FALSE(control.AttachDlgItemOfClass(6, &host, L"Button"));
    EXPECT_EQ(0, control.m_nBound);
    EXPECT_EQ(styleBefore, GetWindowLongPtrW(hButton, GWL_STYLE)) << "styles only when attached";

    EXPECT_TRUE(control.AttachDlgItemOfClass(5, &host, L"Button"));
    EXPECT_EQ(hButton, control.m_hWnd);
    EXPECT_EQ(1, control.m_nBound);
    EXPECT_EQ(CTestControl::kTakeOverStyle, static_cast<DWORD>(GetWindowLongPtrW(hButton, GWL_STYLE)) & 0x0F);

    DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_BORDER, dwExStyle = WS_EX_CLIENTEDGE;
    EXPECT_TRUE(control.SetStyles(&dwStyle, &dwExStyle));
    EXPECT_EQ(dwStyle, static_cast<DWORD>(GetWindowLongPtrW(hButton, GWL_STYLE)));
    EXPECT_EQ(dwExStyle, static_cast<DWORD>(GetWindowLongPtrW(hButton, GWL_EXSTYLE)) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(5, GetDlgCtrlID(hButton)) << "the id is kept";
    CTestControl windowless;
    EXPECT_FALSE(windowless.SetStyles(&dwStyle, &dwExStyle));
}

TEST(VellControlTest, SetZOrderAndWindowOperations)
{
    CHostWindow host;
    CTestControl a, b, c;
    ASSERT_TRUE(a.Create(1, CRect(0, 0, 10, 10), &host));
    ASSERT_TRUE(b.Create(2, CRect(0, 20, 10, 30), &host));
    ASSERT_TRUE(c.Create(3, CRect(0, 40, 10, 50), &host));
    EXPECT_TRUE(c.SetZOrder(&a, &b));
    std::vector<int> order;
    for (HWND h = GetWindow(host.m_hWnd, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
        order.push_back(GetDlgCtrlID(h));
    EXPECT_EQ(std::vector<int>({1, 3, 2}), order);

    c.MoveTo(CRect(5, 6, 55, 26));
    CRect rc;
    c.GetClientRect(&rc);
    EXPECT_EQ(CRect(0, 0, 50, 20), rc);
    c.Show(SW_HIDE);
    EXPECT_FALSE(c.IsWindowVisible());
    EXPECT_EQ(3, c.SetDlgCtrlID(7));
    EXPECT_EQ(7, c.GetDlgCtrlID());
    EXPECT_EQ(&c, a.GetWindow(GW_HWNDNEXT));

    CTestControl none;
    none.GetClientRect(&rc);
    EXPECT_EQ(CRect(), rc) << "no window: an empty rectangle";
    EXPECT_FALSE(none.WindowExists());
    none.SetEnabled(FALSE);
    EXPECT_FALSE(none.GetEnabled());
}

TEST(VellControlTest, SplitTextToFit)
{
    CHostWindow host;
    CTestControl control;
    ASSERT_TRUE(control.Create(4, CRect(10, 10, 110, 40), &host));
    CString full = L"x", fitted = L"y";
    control.SetText(L"Fits");
    EXPECT_EQ(-1, control.SplitTextToFit(full, fitted, 2));
    EXPECT_TRUE(full.IsEmpty());
    EXPECT_TRUE(fitted.IsEmpty());

    const CString text = L"A caption much wider than one hundred pixels";
    control.SetText(text);
    EXPECT_EQ(4, control.SplitTextToFit(full, fitted, 2));
    EXPECT_EQ(text, full);
    ASSERT_FALSE(fitted.IsEmpty());
    EXPECT_EQ(text.Left(fitted.GetLength()), fitted);

    // Measured here with the control's own font: the fitted start is the longest narrower than 96.
    LOGFONTW lf{};
    control.GetFont(&lf);
    HFONT hFont = CreateFontIndirectW(&lf);
    HDC hdc = GetDC(control.m_hWnd);
    HGDIOBJ hOld = SelectObject(hdc, hFont);
    SIZE fit{}, next{};
    GetTextExtentPoint32W(hdc, fitted, fitted.GetLength(), &fit);
    GetTextExtentPoint32W(hdc, text, fitted.GetLength() + 1, &next);
    SelectObject(hdc, hOld);
    ReleaseDC(control.m_hWnd, hdc);
    DeleteObject(hFont);
    EXPECT_LT(fit.cx, 96);
    EXPECT_GE(next.cx, 96);
}

TEST(VellControlTest, DefaultFontLivesWhileAnyUserDoes)
{
    ASSERT_EQ(0, CVellAmbient::GetLiveCount()) << "this test needs no other control alive";
    auto first = std::make_unique<CTestControl>();
    const HGDIOBJ hFont = first->GetDefaultFont()->GetSafeHandle();
    ASSERT_EQ(static_cast<DWORD>(OBJ_FONT), GetObjectType(hFont));
    first.reset();
    EXPECT_FALSE(CVellFontAllocator::HasDefaultFont()) << "the last ambient object ends the default font";

    // The about form's picture control shows a tip in the default font: it keeps the font alive.
    CHostWindow host;
    auto picture = std::make_unique<CVellStaticBitmap>();
    ASSERT_TRUE(picture->Create(L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 20, 20), &host, 9));
    auto control = std::make_unique<CTestControl>();
    ASSERT_TRUE(control->Create(1, CRect(30, 0, 60, 20), &host));
    ASSERT_NE(nullptr, picture->m_toolTip.m_hWnd);
    const HGDIOBJ hDefault = CVellFontAllocator::GetDefaultFontObject()->GetSafeHandle();
    control.reset();
    EXPECT_TRUE(CVellFontAllocator::HasDefaultFont());
    EXPECT_EQ(static_cast<DWORD>(OBJ_FONT), GetObjectType(hDefault)) << "the picture's tip still has its font";
    picture.reset();
    EXPECT_FALSE(CVellFontAllocator::HasDefaultFont());

    auto again = std::make_unique<CTestControl>();
    EXPECT_TRUE(CVellFontAllocator::HasDefaultFont()) << "made anew on the next request";
}

TEST(VellControlTest, GdiObjectsStayFlatOverAThousandRedraws)
{
    CHostWindow host;
    CTestControl control;
    ASSERT_TRUE(control.Create(1, CRect(10, 10, 110, 40), &host));
    control.SetText(L"Redraw");
    CString full, fitted;
    msgseq::PumpMessages();
    const DWORD nBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    for (int i = 0; i < 1000; ++i) {
        control.SetBackColor(RGB(i % 256, 0, 0));
        control.SetToolTip(i % 2 ? L"tip" : L"");
        control.SplitTextToFit(full, fitted, 1);
        control.UpdateWindow();
    }
    msgseq::PumpMessages();
    const DWORD nAfter = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    EXPECT_EQ(nBefore, nAfter);
    if (nBefore == 0 && RunningOnWine())
        WINE_KNOWN_DIFFERENCE("GetGuiResources counts no GDI objects (Windows does); the handle table's limit checks below");

    // A leak of one object per call would use up the process's GDI handles (10,000 on Windows,
    // 65,536 under Wine) long before the end: objects can still be made afterwards.
    for (int i = 0; i < 70000; ++i)
        control.SplitTextToFit(full, fitted, 1);
    HBRUSH hBrush = CreateSolidBrush(RGB(1, 2, 3));
    HDC hDC = CreateCompatibleDC(nullptr);
    EXPECT_NE(nullptr, hBrush);
    EXPECT_NE(nullptr, hDC);
    DeleteObject(hBrush);
    DeleteDC(hDC);
}

// The Qt control host over a plain QFrame: the window it takes over, its place in a real dialog
// (rectangle, id, tab position, enabled state, styles), colours on palette roles, the redraw guard,
// fonts, moving, focus, activation and paint handling, focus modes, frame shadow and names.
#include "toolkit/qtcontrols/QtConversions.h"
#include "toolkit/qtcontrols/VellQTControl.h"

#include "platform/qt/QApplication.h"
#include "platform/qt/QFrame.h"
#include "toolkit/controls/ColorAdjust.h"

#include "HostTestSupport.h"
#include "support/MessageSequence.h"
#include "QtControlsTestIds.h"
#include "support/WineDifference.h"
#include "tests/qt/QtTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The smallest concrete control: the host and a frame in one object. Its styles are applied as
// given (the host alone filters none). It records what reaches the Qt side.
class CFrameHost : public CVellQTControl, public QFrame {
public:
    CFrameHost() : CVellQTControl(), QFrame(nullptr) { AttachWidget(); }
    ~CFrameHost() override
    {
        DestroyHostWindow();
    }

    QWidget* GetWidget() override { return this; }
    QFrame* GetFrame() override { return this; }
    BOOL AttachDlgItem(UINT nID, CWnd* pParent) override { return ReplaceDlgItem(nID, pParent, L"ListBox"); }
    BOOL AdjustHostStyles(DWORD* pStyle, DWORD* pExStyle) override { return SetStyles(pStyle, pExStyle); }
    void ApplyFont() override
    {
        ++m_nFontApplied;
        CVellQTControl::ApplyFont();
    }
    void RepaintWidget(UINT message) override
    {
        ++m_nRepaints;
        CVellQTControl::RepaintWidget(message);
    }
    HWND hwnd() const { return CWnd::m_hWnd; }

    std::vector<std::pair<UINT, WPARAM>> m_qtMessages;  // what Qt's window procedure saw
    std::vector<QResizeEvent> m_resizes;
    std::vector<QMoveEvent> m_moves;
    int m_nFocusIn = 0;
    int m_nPaints = 0;
    int m_nFontApplied = 0;
    int m_nRepaints = 0;
    bool m_bRedrawInPaletteChange = false;
    bool m_bOwnFontAtDestroy = true;

protected:
    bool winEvent(MSG* msg, LRESULT* result) override
    {
        if (msg->message == WM_SETFOCUS || msg->message == WM_KILLFOCUS || msg->message == WM_PAINT ||
            msg->message == WM_MOUSEACTIVATE)
            m_qtMessages.emplace_back(msg->message, msg->wParam);
        if (msg->message == WM_DESTROY)
            m_bOwnFontAtDestroy = ownFont();
        return QFrame::winEvent(msg, result);
    }
    void resizeEvent(QResizeEvent* e) override
    {
        m_resizes.push_back(*e);
        QFrame::resizeEvent(e);
    }
    void moveEvent(QMoveEvent* e) override { m_moves.push_back(*e); }
    void focusInEvent(QFocusEvent*) override { ++m_nFocusIn; }
    void paintEvent(QPaintEvent* e) override
    {
        ++m_nPaints;
        QFrame::paintEvent(e);
    }
    void paletteChange(const QPalette& old) override
    {
        if (m_bRedrawInPaletteChange)
            Redraw();  // a painter that sets a property while the palette is applied
        QFrame::paletteChange(old);
    }
};

// Under Wine a window switched from top-level to child reads WS_CLIPSIBLINGS as well.
void ExpectStyle(DWORD dwExpected, HWND hWnd)
{
    const DWORD dwStyle = static_cast<DWORD>(GetWindowLongW(hWnd, GWL_STYLE));
    if (dwStyle == (dwExpected | WS_CLIPSIBLINGS) && !(dwExpected & WS_CLIPSIBLINGS) && hosttest::RunningOnWine()) {
        WINE_KNOWN_DIFFERENCE("the style is exactly the one set; Wine adds WS_CLIPSIBLINGS to a child window");
        return;
    }
    EXPECT_EQ(dwExpected, dwStyle);
}

CRect ItemRect(HWND hDlg, int nID)
{
    CRect rc;
    ::GetWindowRect(::GetDlgItem(hDlg, nID), &rc);
    ::MapWindowPoints(nullptr, hDlg, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

// A window without a parent window: Windows reports the desktop as the parent of a child window
// that has none.
bool Unparented(HWND hWnd)
{
    HWND hParent = GetParent(hWnd);
    return !hParent || hParent == GetDesktopWindow();
}

// The client size a window has with its edges but without any native scroll bar.
SIZE ClientWithoutBars(HWND hWnd, const CRect& rcWindow)
{
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(hWnd, GWL_STYLE)) & ~(WS_VSCROLL | WS_HSCROLL), FALSE,
                       static_cast<DWORD>(GetWindowLongW(hWnd, GWL_EXSTYLE)));
    return SIZE{rcWindow.Width() - (frame.right - frame.left), rcWindow.Height() - (frame.bottom - frame.top)};
}

std::vector<int> TabOrder(HWND hDlg)
{
    std::vector<int> ids;
    for (HWND h = ::GetWindow(hDlg, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT))
        ids.push_back(::GetDlgCtrlID(h));
    return ids;
}

}  // namespace

TEST(QtHostAttach, TheWidgetsWindowBecomesABoundChildWithTheDefaultColours)
{
    CFrameHost host;
    ASSERT_NE(nullptr, host.hwnd());
    EXPECT_EQ(host.winId(), host.hwnd()) << "one window for both sides";
    EXPECT_EQ(&host, CWnd::FromHandlePermanent(host.hwnd())) << "subclassed by the MFC object";
    ExpectStyle(WS_CHILD, host.hwnd());
    EXPECT_TRUE(Unparented(host.hwnd()));
    EXPECT_EQ(nullptr, host.GetNotifyWindow()) << "no parent and no owner: nobody to notify";
    EXPECT_EQ(QRect(10, 10, 100, 100), host.geometry());
    EXPECT_EQ(QWidget::StrongFocus, host.focusPolicy());
    EXPECT_EQ(2, host.GetUseFocus());
    EXPECT_TRUE(host.isEnabled());
    EXPECT_TRUE(host.isUpdatesEnabled());
    EXPECT_TRUE(host.GetColorsReady());

    // The ambient colours the host sets, and the 17-entry table made from them.
    const COLORREF clrBack = RGB(213, 219, 229);
    const COLORREF clrFore = RGB(21, 59, 99);
    EXPECT_EQ(clrBack, host.GetColor(-1));
    EXPECT_EQ(clrFore, host.GetColor(-2));
    const COLORREF expected[] = {
        RGB(161, 177, 204), clrFore, clrBack, RGB(0, 0, 0), RGB(161, 177, 204), RGB(0, 0, 0), RGB(199, 207, 220),
        RGB(196, 199, 183), RGB(106, 109, 114), clrFore, RGB(21, 59, 99), RGB(235, 238, 243), RGB(0, 0, 0),
        clrFore, RGB(120, 139, 169), RGB(21, 59, 99), RGB(155, 158, 165)};
    for (int i = 0; i < 17; ++i)
        EXPECT_EQ(expected[i], host.GetColor(i)) << "entry " << i;
    EXPECT_EQ(AdjustColor(kAdjustDarken, clrBack), host.GetColor(8));
}

TEST(QtHostAttach, ColourTableEntriesLandOnTheirPaletteRoles)
{
    CFrameHost host;
    const QColorGroup& active = host.palette().active();
    EXPECT_EQ(ColorRefToQColor(RGB(213, 219, 229)), active.base());
    EXPECT_EQ(ColorRefToQColor(RGB(21, 59, 99)), active.foreground());
    EXPECT_EQ(ColorRefToQColor(RGB(0, 0, 0)), active.text());
    EXPECT_EQ(ColorRefToQColor(RGB(161, 177, 204)), active.button());
    EXPECT_EQ(ColorRefToQColor(RGB(199, 207, 220)), active.light());
    EXPECT_EQ(ColorRefToQColor(RGB(196, 199, 183)), active.midlight());
    EXPECT_EQ(ColorRefToQColor(RGB(106, 109, 114)), active.dark());
    EXPECT_EQ(ColorRefToQColor(RGB(21, 59, 99)), active.mid());
    EXPECT_EQ(ColorRefToQColor(RGB(21, 59, 99)), active.shadow());
    EXPECT_EQ(ColorRefToQColor(RGB(235, 238, 243)), active.highlight());
    EXPECT_EQ(ColorRefToQColor(RGB(0, 0, 0)), active.highlightedText());
    EXPECT_EQ(ColorRefToQColor(RGB(21, 59, 99)), active.brightText());
    EXPECT_EQ(QColorGroup().background(), active.background()) << "the host leaves Background alone";
    EXPECT_EQ(active, host.palette().inactive());

    // Disabled: entries 14 to 16 and the text colour on the disabled roles; the active group stays.
    host.SetDisabledBackColor(RGB(90, 91, 92));
    host.SetDisabledForeColor(RGB(10, 11, 12));
    host.SetEnabled(FALSE);
    const QColorGroup& disabled = host.palette().disabled();
    EXPECT_EQ(ColorRefToQColor(RGB(90, 91, 92)), disabled.base());
    EXPECT_EQ(ColorRefToQColor(RGB(90, 91, 92)), disabled.background());
    EXPECT_EQ(ColorRefToQColor(RGB(90, 91, 92)), disabled.button());
    EXPECT_EQ(ColorRefToQColor(RGB(90, 91, 92)), disabled.shadow());
    EXPECT_EQ(ColorRefToQColor(RGB(10, 11, 12)), disabled.foreground());
    EXPECT_EQ(ColorRefToQColor(RGB(10, 11, 12)), disabled.text());
    EXPECT_EQ(ColorRefToQColor(RGB(155, 158, 165)), disabled.buttonText());
    EXPECT_EQ(ColorRefToQColor(RGB(21, 59, 99)), disabled.light()) << "entry 3 of a disabled control is navy";
    EXPECT_EQ(ColorRefToQColor(RGB(21, 59, 99)), disabled.dark());
    EXPECT_EQ(ColorRefToQColor(RGB(235, 238, 243)), disabled.highlight());
    EXPECT_EQ(QColorGroup().brightText(), disabled.brightText());
    EXPECT_EQ(active, host.palette().active());
    EXPECT_FALSE(host.isEnabled());
    EXPECT_FALSE(IsWindowEnabled(host.hwnd()));
}

TEST(QtHostColours, SettingAPlainColourReplacesACustomTable)
{
    CFrameHost host;
    host.SetColorTable(CVellColorList(17, RGB(1, 2, 3)));
    EXPECT_EQ(RGB(1, 2, 3), host.GetColor(0));
    host.SetUseAmbientBackColor(FALSE);
    host.SetBackColor(RGB(200, 100, 50));
    EXPECT_EQ(RGB(161, 177, 204), host.GetColor(0)) << "the default table again";
    EXPECT_EQ(RGB(200, 100, 50), host.GetColor(2));
    EXPECT_EQ(RGB(100, 50, 25), host.GetColor(8));
    EXPECT_EQ(ColorRefToQColor(RGB(200, 100, 50)), host.palette().active().base());

    // A table replaced by a short one grows for the disabled colours instead of being written past.
    host.SetColorTable(CVellColorList(3, RGB(4, 5, 6)));
    host.SetDisabledForeColor(RGB(7, 8, 9));
    EXPECT_EQ(RGB(7, 8, 9), host.GetColor(15));
    EXPECT_EQ(RGB(4, 5, 6), host.GetColor(2));
}

TEST(QtHostColours, ARedrawDuringThePaletteChangeReturnsAtOnce)
{
    CFrameHost host;
    host.m_bRedrawInPaletteChange = true;
    host.m_nFontApplied = 0;
    host.SetBackColor(RGB(10, 20, 30));  // setter redraws; the palette change redraws inside
    EXPECT_EQ(2, host.m_nFontApplied) << "once per outer Redraw (the setter and its rebuild), never from inside";
    host.m_nFontApplied = 0;
    host.Redraw();
    EXPECT_EQ(1, host.m_nFontApplied);
}

TEST(QtHostFonts, LogFontsBecomeQtFontsByTheToolkitsRules)
{
    LOGFONTW lf{};
    wcscpy_s(lf.lfFaceName, L"Arial");
    lf.lfHeight = -11;
    lf.lfWeight = FW_NORMAL;
    lf.lfItalic = TRUE;
    lf.lfUnderline = TRUE;
    QFont f = LogFontToQFont(lf);
    EXPECT_EQ(QString(L"Arial"), f.family());
    EXPECT_EQ(12, f.pointSize()) << "a negative height is 12 points";
    EXPECT_EQ(QFont::Normal, f.weight());
    EXPECT_FALSE(f.italic());
    EXPECT_FALSE(f.underline());

    lf.lfHeight = 9;
    const struct {
        LONG weight;
        int expected;
    } weights[] = {{300, QFont::Light}, {600, QFont::DemiBold}, {700, QFont::Bold}, {900, QFont::Black},
                   {400, QFont::Normal}, {500, QFont::Normal}, {800, QFont::Normal}, {0, QFont::Normal}};
    for (const auto& w : weights) {
        lf.lfWeight = w.weight;
        f = LogFontToQFont(lf);
        EXPECT_EQ(9, f.pointSize());
        EXPECT_EQ(w.expected, f.weight()) << "weight " << w.weight;
    }

    // A face name that fills the whole array (no terminator) is read within it.
    for (wchar_t& c : lf.lfFaceName)
        c = L'x';
    EXPECT_EQ(static_cast<uint>(LF_FACESIZE), LogFontToQFont(lf).family().length());
}

TEST(QtHostFonts, TheControlFontIsTheWidgetsFont)
{
    CFrameHost host;
    EXPECT_TRUE(host.ownFont());
    EXPECT_EQ(QString(L"Arial"), host.font().family());
    EXPECT_EQ(12, host.font().pointSize()) << "the ambient font's cell height -12";
    host.SetUseAmbientFont(FALSE);
    host.SetFontSize(16, 700);
    EXPECT_EQ(16, host.font().pointSize());
    EXPECT_EQ(QFont::Bold, host.font().weight());
}

TEST(QtHostPlacement, ReplaceDlgItemTakesThePlaceholdersPlace)
{
    hosttest::TestDialog dlg(IDD_HOST_FORM);
    ASSERT_NE(nullptr, dlg.hwnd());
    HWND hItem = dlg.Item(IDC_FORM_LIST);
    ASSERT_NE(nullptr, hItem);
    // The placeholder's style as the dialog made it (Wine drops WS_VSCROLL from an empty list box).
    const DWORD dwItemStyle = static_cast<DWORD>(GetWindowLongW(hItem, GWL_STYLE));
    const CRect rcItem = ItemRect(dlg.hwnd(), IDC_FORM_LIST);
    const std::vector<int> before = TabOrder(dlg.hwnd());

    CFrameHost host;
    ASSERT_TRUE(host.AttachDlgItem(IDC_FORM_LIST, dlg.wnd()));
    EXPECT_FALSE(IsWindow(hItem)) << "the placeholder is destroyed";
    EXPECT_EQ(dlg.hwnd(), GetParent(host.hwnd()));
    EXPECT_EQ(host.hwnd(), dlg.Item(IDC_FORM_LIST));
    EXPECT_EQ(rcItem, ItemRect(dlg.hwnd(), IDC_FORM_LIST));
    EXPECT_EQ(before, TabOrder(dlg.hwnd())) << "same place in the tab order";
    ExpectStyle((dwItemStyle & ~WS_BORDER) | WS_CHILD, host.hwnd());
    EXPECT_TRUE(host.isVisible());
    EXPECT_TRUE(host.isEnabled());
    EXPECT_EQ(QRect(rcItem.left, rcItem.top, rcItem.Width(), rcItem.Height()), host.geometry());

    // The client area is the window within its edges: no room is kept for a native scroll bar.
    CRect rcClient;
    ::GetClientRect(host.hwnd(), &rcClient);
    EXPECT_EQ(ClientWithoutBars(host.hwnd(), rcItem).cx, rcClient.Width());
    EXPECT_EQ(ClientWithoutBars(host.hwnd(), rcItem).cy, rcClient.Height());

    // The disabled placeholder gives a disabled control, on both sides.
    CFrameHost second;
    ASSERT_TRUE(second.AttachDlgItem(IDC_FORM_DISABLED, dlg.wnd()));
    EXPECT_FALSE(IsWindowEnabled(second.hwnd()));
    EXPECT_FALSE(second.isEnabled());
    EXPECT_FALSE(second.GetEnabled());
}

TEST(QtHostPlacement, AFirstPlaceholderLeavesTheControlFirst)
{
    hosttest::TestDialog dlg(IDD_HOST_FIRST);
    const std::vector<int> before = TabOrder(dlg.hwnd());
    ASSERT_EQ(IDC_FORM_LIST, before.front());
    CFrameHost host;
    ASSERT_TRUE(host.AttachDlgItem(IDC_FORM_LIST, dlg.wnd()));
    EXPECT_EQ(before, TabOrder(dlg.hwnd()));
}

TEST(QtHostPlacement, AScrollBarStyleOfThePlaceholderStaysWithoutANativeBar)
{
    hosttest::TestDialog dlg(IDD_HOST_FORM);
    HWND hItem = dlg.Item(IDC_FORM_LIST);
    if (!(GetWindowLongW(hItem, GWL_STYLE) & WS_VSCROLL) && hosttest::RunningOnWine())
        WINE_KNOWN_DIFFERENCE("a list box made with WS_VSCROLL keeps the bit; Wine drops it while the list is empty");
    SetWindowLongW(hItem, GWL_STYLE, GetWindowLongW(hItem, GWL_STYLE) | WS_VSCROLL);
    const CRect rcItem = ItemRect(dlg.hwnd(), IDC_FORM_LIST);
    CFrameHost host;
    ASSERT_TRUE(host.AttachDlgItem(IDC_FORM_LIST, dlg.wnd()));
    EXPECT_TRUE(GetWindowLongW(host.hwnd(), GWL_STYLE) & WS_VSCROLL);
    CRect rcClient;
    ::GetClientRect(host.hwnd(), &rcClient);
    EXPECT_EQ(ClientWithoutBars(host.hwnd(), rcItem).cx, rcClient.Width()) << "the widget draws its own bars";
    EXPECT_EQ(ClientWithoutBars(host.hwnd(), rcItem).cy, rcClient.Height());
}

TEST(QtHostPlacement, WithoutAPlaceholderNothingChanges)
{
    hosttest::TestDialog dlg(IDD_HOST_FORM);
    CFrameHost host;
    const std::vector<int> before = TabOrder(dlg.hwnd());
    EXPECT_FALSE(host.ReplaceDlgItem(999, dlg.wnd(), L"ListBox"));
    EXPECT_FALSE(host.ReplaceDlgItem(IDC_FORM_LIST, nullptr, L"ListBox"));
    EXPECT_TRUE(Unparented(host.hwnd()));
    ExpectStyle(WS_CHILD, host.hwnd());
    EXPECT_EQ(before, TabOrder(dlg.hwnd()));
    EXPECT_EQ(QRect(10, 10, 100, 100), host.geometry());
}

TEST(QtHostPlacement, CreateMakesAVisibleTabStopChild)
{
    hosttest::TestDialog dlg(IDD_HOST_FORM);
    CFrameHost host;
    const CRect rc(200, 5, 300, 65);
    ASSERT_TRUE(host.Create(77, &rc, dlg.wnd()));
    EXPECT_EQ(dlg.hwnd(), GetParent(host.hwnd()));
    EXPECT_EQ(77, GetDlgCtrlID(host.hwnd()));
    ExpectStyle(WS_CHILD | WS_VISIBLE | WS_TABSTOP, host.hwnd());
    EXPECT_EQ(rc, ItemRect(dlg.hwnd(), 77));
    EXPECT_TRUE(host.isVisible());
    EXPECT_EQ(dlg.wnd(), host.GetNotifyWindow());
}

TEST(QtHostPlacement, CreatePopupMakesAnOwnedToolWindow)
{
    hosttest::TestDialog dlg(IDD_HOST_FORM);
    CFrameHost host;
    const CRect rc(100, 100, 220, 180);
    host.CreatePopup(&rc, dlg.wnd());
    const DWORD dwStyle = static_cast<DWORD>(GetWindowLongW(host.hwnd(), GWL_STYLE));
    EXPECT_TRUE(dwStyle & WS_POPUP);
    EXPECT_FALSE(dwStyle & WS_CHILD);
    EXPECT_TRUE(GetWindowLongW(host.hwnd(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_EQ(dlg.wnd(), host.GetNotifyWindow());
    EXPECT_EQ(dlg.hwnd(), GetWindow(host.hwnd(), GW_OWNER));
    CRect rcWindow;
    GetWindowRect(host.hwnd(), &rcWindow);
    EXPECT_EQ(rc, rcWindow);
}

TEST(QtHostMove, TheWindowMovesAtOnceAndQtHearsOfItFromPostedEvents)
{
    hosttest::TestDialog dlg(IDD_HOST_FORM);
    CFrameHost host;
    const CRect rc(20, 30, 140, 90);
    ASSERT_TRUE(host.Create(77, &rc, dlg.wnd()));
    msgseq::PumpMessages();
    host.m_resizes.clear();
    host.m_moves.clear();

    const CRect moved(40, 50, 200, 150);
    host.MoveTo(&moved);
    EXPECT_EQ(moved, ItemRect(dlg.hwnd(), 77));
    EXPECT_EQ(QRect(40, 50, 160, 100), host.geometry());
    EXPECT_TRUE(host.m_resizes.empty()) << "nothing from the window's own move and size messages";
    EXPECT_FALSE(host.testWState(Qt::WState_ConfigPending));
    msgseq::PumpMessages();
    ASSERT_EQ(1u, host.m_moves.size());
    EXPECT_EQ(QPoint(40, 50), host.m_moves[0].pos());
    EXPECT_EQ(QPoint(20, 30), host.m_moves[0].oldPos());
    ASSERT_EQ(1u, host.m_resizes.size());
    EXPECT_EQ(QSize(160, 100), host.m_resizes[0].size());
    EXPECT_EQ(QSize(120, 60), host.m_resizes[0].oldSize());
}

TEST(QtHostMessages, FocusAndActivationRecordTheWidgetAsActive)
{
    hosttest::TestDialog dlg(IDD_HOST_FORM);
    CFrameHost host;
    ASSERT_TRUE(host.AttachDlgItem(IDC_FORM_LIST, dlg.wnd()));
    QApplication::setActiveWindowRecord(nullptr);
    host.m_qtMessages.clear();

    SetFocus(dlg.Item(IDC_FORM_EDIT));
    SetFocus(host.hwnd());
    EXPECT_EQ(static_cast<QWidget*>(&host), QApplication::activeWindow());
    EXPECT_EQ(1, host.m_nFocusIn);
    // Qt's window procedure sees the focus message once, re-sent without the old window.
    ASSERT_EQ(1u, host.m_qtMessages.size());
    EXPECT_EQ(static_cast<UINT>(WM_SETFOCUS), host.m_qtMessages[0].first);
    EXPECT_EQ(0u, host.m_qtMessages[0].second);

    QApplication::setActiveWindowRecord(nullptr);
    host.m_qtMessages.clear();
    SendMessageW(host.hwnd(), WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(dlg.hwnd()), MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    EXPECT_EQ(static_cast<QWidget*>(&host), QApplication::activeWindow());
    ASSERT_EQ(1u, host.m_qtMessages.size());
    EXPECT_EQ(0u, host.m_qtMessages[0].second);

    // Losing the focus to another control: re-sent without the new window.
    host.m_qtMessages.clear();
    SetFocus(dlg.Item(IDC_FORM_EDIT));
    ASSERT_EQ(1u, host.m_qtMessages.size());
    EXPECT_EQ(static_cast<UINT>(WM_KILLFOCUS), host.m_qtMessages[0].first);
    EXPECT_EQ(0u, host.m_qtMessages[0].second);

    // To its own child window (an editor in the control): default handling, the message as it came.
    HWND hChild = CreateWindowExW(0, L"Edit", L"", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, host.hwnd(), nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, hChild);
    SetFocus(host.hwnd());
    host.m_qtMessages.clear();
    SetFocus(hChild);
    ASSERT_EQ(1u, host.m_qtMessages.size());
    EXPECT_EQ(static_cast<UINT>(WM_KILLFOCUS), host.m_qtMessages[0].first);
    EXPECT_EQ(reinterpret_cast<WPARAM>(hChild), host.m_qtMessages[0].second);
    DestroyWindow(hChild);
}

TEST(QtHostMessages, APaintRequestRepaintsTheWidgetAndValidates)
{
    hosttest::TestDialog dlg(IDD_HOST_FORM);
    CFrameHost host;
    ASSERT_TRUE(host.AttachDlgItem(IDC_FORM_LIST, dlg.wnd()));
    msgseq::PumpMessages();
    host.m_qtMessages.clear();
    host.m_nRepaints = 0;
    host.m_nPaints = 0;

    InvalidateRect(host.hwnd(), nullptr, TRUE);
    UpdateWindow(host.hwnd());
    EXPECT_EQ(1, host.m_nRepaints);
    EXPECT_EQ(1, host.m_nPaints);
    EXPECT_FALSE(GetUpdateRect(host.hwnd(), nullptr, FALSE)) << "validated";
    EXPECT_TRUE(host.m_qtMessages.empty()) << "handled before Qt's window procedure";

    // A paint message with a non-zero wParam goes on to Qt's window procedure.
    SendMessageW(host.hwnd(), WM_PAINT, 1, 0);
    ASSERT_EQ(1u, host.m_qtMessages.size());
    EXPECT_EQ(static_cast<UINT>(WM_PAINT), host.m_qtMessages[0].first);

    // With updates blocked Qt paints nothing; the window is still validated (no endless WM_PAINT).
    host.setUpdatesEnabled(false);
    InvalidateRect(host.hwnd(), nullptr, TRUE);
    UpdateWindow(host.hwnd());
    EXPECT_FALSE(GetUpdateRect(host.hwnd(), nullptr, FALSE));
    host.setUpdatesEnabled(true);
}

TEST(QtHostMessages, TheDialogPassesArrowsAndCharactersButKeepsTab)
{
    hosttest::TestDialog dlg(IDD_HOST_FORM);
    CFrameHost host;
    ASSERT_TRUE(host.AttachDlgItem(IDC_FORM_LIST, dlg.wnd()));
    EXPECT_EQ(static_cast<LRESULT>(DLGC_WANTARROWS | DLGC_WANTCHARS), SendMessageW(host.hwnd(), WM_GETDLGCODE, 0, 0));

    SetFocus(dlg.Item(IDC_FORM_EDIT));
    hosttest::PressKey(dlg.hwnd(), VK_TAB);
    EXPECT_EQ(IDC_FORM_LIST, hosttest::FocusId(dlg.hwnd()));
    EXPECT_TRUE(host.hasFocus());
    hosttest::PressKey(dlg.hwnd(), VK_TAB);
    EXPECT_NE(IDC_FORM_LIST, hosttest::FocusId(dlg.hwnd())) << "Tab leaves the control";
}

TEST(QtHostFocus, FocusModesSetPolicyAndCue)
{
    CFrameHost host;
    const struct {
        int mode;
        QWidget::FocusPolicy policy;
        int useFocus;
    } rows[] = {{0, QWidget::TabFocus, 1}, {1, QWidget::ClickFocus, 2}, {2, QWidget::StrongFocus, 2},
                {3, QWidget::WheelFocus, 2}, {4, QWidget::NoFocus, 0}, {9, QWidget::StrongFocus, 2},
                {-1, QWidget::StrongFocus, 2}};
    for (const auto& row : rows) {
        host.SetFocusMode(row.mode);
        EXPECT_EQ(row.policy, host.focusPolicy()) << "mode " << row.mode;
        EXPECT_EQ(row.useFocus, host.GetUseFocus()) << "mode " << row.mode;
        EXPECT_EQ((row.policy & QWidget::TabFocus) != 0, (GetWindowLongW(host.hwnd(), GWL_STYLE) & WS_TABSTOP) != 0)
            << "mode " << row.mode;
    }
    host.SetUseFocus(1);
    EXPECT_EQ(QWidget::TabFocus, host.focusPolicy());
    host.SetUseFocus(0);
    EXPECT_EQ(QWidget::NoFocus, host.focusPolicy());
    host.SetUseFocus(7);
    EXPECT_EQ(QWidget::StrongFocus, host.focusPolicy());
    EXPECT_EQ(7, host.GetUseFocus());
}

TEST(QtHostLook, FrameShadowNamesShowAndTracking)
{
    CFrameHost host;
    host.setFrameStyle(QFrame::Panel | QFrame::Plain);
    host.SetFrameShadow(1);
    EXPECT_EQ(QFrame::Panel | QFrame::Raised, host.frameStyle());
    host.SetFrameShadow(2);
    EXPECT_EQ(QFrame::Panel | QFrame::Sunken, host.frameStyle());
    host.SetFrameShadow(5);
    EXPECT_EQ(QFrame::Panel | QFrame::Plain, host.frameStyle());

    host.SetName(L"a.b.c");
    EXPECT_STREQ("a_b_c", host.name());
    wchar_t szText[100] = {};
    GetWindowTextW(host.hwnd(), szText, 100);
    EXPECT_STREQ(L"a_b_c", szText);
    host.SetName(std::wstring(120, L'n').c_str());
    EXPECT_EQ(std::string(79, 'n'), host.name()) << "cut to the buffer";
    host.SetName(L"K\u00f6ln");
    EXPECT_STREQ("K\xc3\xb6ln", host.name());

    host.SetMouseTracking(TRUE);
    EXPECT_TRUE(host.HasMouseTracking());
    EXPECT_TRUE(host.hasMouseTracking());
    host.SetMouseTracking(FALSE);
    EXPECT_FALSE(host.HasMouseTracking());

    hosttest::TestDialog dlg(IDD_HOST_FORM);
    const CRect rc(200, 5, 300, 65);
    ASSERT_TRUE(host.Create(77, &rc, dlg.wnd()));
    host.Show(SW_HIDE);
    EXPECT_FALSE(host.IsWidgetVisible());
    EXPECT_FALSE(IsWindowVisible(host.hwnd()));
    host.Show(SW_SHOWNORMAL);
    EXPECT_FALSE(host.IsWidgetVisible()) << "only SW_SHOW and SW_HIDE count";
    host.Show(SW_SHOW);
    EXPECT_TRUE(host.IsWidgetVisible());
    EXPECT_TRUE(IsWindowVisible(host.hwnd()));
}

TEST(QtHostLifetime, TheWindowGoesFirstAndTheWidgetDropsItsFont)
{
    hosttest::TestDialog dlg(IDD_HOST_FORM);
    auto host = std::make_unique<CFrameHost>();
    ASSERT_TRUE(host->AttachDlgItem(IDC_FORM_LIST, dlg.wnd()));
    HWND hWnd = host->hwnd();
    host->DestroyWindow();
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_FALSE(host->m_bOwnFontAtDestroy) << "WM_DESTROY made the widget drop its font";
    EXPECT_FALSE(host->ownFont());
    EXPECT_EQ(nullptr, host->winId());
    host.reset();  // with no window left, nothing more happens
    msgseq::PumpMessages();

    // Destroyed with its window in place, inside the dialog.
    host = std::make_unique<CFrameHost>();
    ASSERT_TRUE(host->AttachDlgItem(IDC_FORM_DISABLED, dlg.wnd()));
    hWnd = host->hwnd();
    host.reset();
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_EQ(nullptr, dlg.Item(IDC_FORM_DISABLED));
    msgseq::PumpMessages();
}

TEST(QtHostResources, GdiCountStaysFlatOverAThousandRedraws)
{
    hosttest::TestDialog dlg(IDD_HOST_FORM);
    CFrameHost host;
    ASSERT_TRUE(host.AttachDlgItem(IDC_FORM_LIST, dlg.wnd()));
    msgseq::PumpMessages();
    const DWORD nBefore = qttest::GdiObjects();
    for (int i = 0; i < 1000; ++i) {
        host.SetBackColor(RGB(i % 256, 40, 80));
        host.SetEnabled(i % 2);
        InvalidateRect(host.hwnd(), nullptr, TRUE);
        UpdateWindow(host.hwnd());
    }
    msgseq::PumpMessages();
    // No growth; an object cached before the loop may be released by it.
    EXPECT_LE(qttest::GdiObjects(), nBefore);
}

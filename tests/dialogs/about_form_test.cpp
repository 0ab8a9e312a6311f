// The about form: closed by any key but Ctrl alone (Ctrl+M opens the module list, tested with the
// list), and by any mouse button. Its status line is what the launcher reports progress in.
#include "toolkit/dialogs/VellAboutDlg.h"

#include "resources/ResourceIds.h"

#include "AboutTestSupport.h"
#include "tests/support/TestSupport.h"
#include "tests/support/RectPrinting.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

// An about form made modeless, shown, with its WM_CLOSE messages counted.
struct OpenAboutForm {
    CVellAboutDlg dlg{nullptr, L"Orvane Lumbra"};
    std::unique_ptr<MessageCounter> closes;
    OpenAboutForm()
    {
        if (dlg.Create(IDD_ABOUT_SPLASH)) {
            dlg.ShowWindow(SW_SHOW);
            closes = std::make_unique<MessageCounter>(dlg, WM_CLOSE);
        }
    }
};

}  // namespace

TEST(AboutFormTest, ClosesOnAnyKeyOrMouseButton)
{
    const std::vector<std::pair<UINT, WPARAM>> inputs = {
        {WM_KEYDOWN, 'A'},           {WM_KEYDOWN, VK_SHIFT},      {WM_LBUTTONDOWN, MK_LBUTTON},
        {WM_RBUTTONDOWN, MK_RBUTTON}, {WM_MBUTTONDOWN, MK_MBUTTON}};
    for (const auto& [message, wParam] : inputs) {
        OpenAboutForm form;
        ASSERT_NE(nullptr, form.dlg.m_hWnd);
        EXPECT_TRUE(form.dlg.m_bitmap.m_bAbout);
        form.dlg.m_bitmap.PostMessage(message, wParam, message == WM_KEYDOWN ? 1 : MAKELPARAM(50, 50));
        msgseq::PumpMessages();
        EXPECT_EQ(1, form.closes->m_count) << msgseq::MessageName(message) << " " << wParam;
        EXPECT_FALSE(form.dlg.IsWindowVisible()) << "a modeless dialog is hidden when it ends";
    }
}

TEST(AboutFormTest, CtrlAloneLeavesItOpen)
{
    OpenAboutForm form;
    ASSERT_NE(nullptr, form.dlg.m_hWnd);
    {
        testwin::KeysHeld ctrl{VK_CONTROL, VK_LCONTROL};
        form.dlg.m_bitmap.PostMessage(WM_KEYDOWN, VK_CONTROL, 1);
        msgseq::PumpMessages();
        EXPECT_EQ(0, form.closes->m_count);
        // Ctrl with any key but M and minus (which open the module list) closes.
        form.dlg.m_bitmap.PostMessage(WM_KEYDOWN, 'C', 1);
        msgseq::PumpMessages();
        EXPECT_EQ(1, form.closes->m_count);
    }
    // Without Ctrl, M is a key like any other.
    OpenAboutForm other;
    other.dlg.m_bitmap.PostMessage(WM_KEYDOWN, 'M', 1);
    msgseq::PumpMessages();
    EXPECT_EQ(1, other.closes->m_count);
}

// Runs an about form modally; once it is up, action(dialog) runs from a timer. A form that ignores
// what the action does is ended after a few seconds with -2.
INT_PTR RunModally(void (*action)(CVellAboutDlg&))
{
    static CVellAboutDlg* s_pDialog;
    static void (*s_action)(CVellAboutDlg&);
    CVellAboutDlg about(nullptr, L"Orvane Lumbra");
    s_pDialog = &about;
    s_action = action;
    const UINT_PTR act = SetTimer(nullptr, 0, 200, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        s_action(*s_pDialog);
    });
    const UINT_PTR safety = SetTimer(nullptr, 0, 5000, [](HWND, UINT, UINT_PTR, DWORD) { s_pDialog->EndDialog(-2); });
    const INT_PTR nResult = about.DoModal();
    KillTimer(nullptr, act);
    KillTimer(nullptr, safety);
    return nResult;
}

TEST(AboutFormTest, RunModallyItEndsOnAKeyOrAClick)
{
    // A key goes to the focus, which the dialog gives to the picture, through the modal loop's
    // dialog message handling.
    static bool s_bPictureHadFocus;
    EXPECT_EQ(IDCANCEL, RunModally([](CVellAboutDlg& dlg) {
        SetForegroundWindow(dlg.m_hWnd);  // back from any window of a test running alongside
        s_bPictureHadFocus = GetFocus() == dlg.m_bitmap.m_hWnd;
        PostMessageW(GetFocus(), WM_KEYDOWN, 'A', 1);
    }));
    EXPECT_TRUE(s_bPictureHadFocus);
    EXPECT_EQ(IDCANCEL, RunModally([](CVellAboutDlg& dlg) {
        dlg.m_bitmap.PostMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, 20));
    }));
}

TEST(AboutFormTest, StatusLineStoredInvalidatedAndDrawn)
{
    OpenAboutForm form;
    ASSERT_NE(nullptr, form.dlg.m_hWnd);
    CVellAboutDlg::CAboutBitmap& picture = form.dlg.m_bitmap;
    form.dlg.UpdateWindow();
    RECT rcUpdate{};
    ASSERT_FALSE(GetUpdateRect(picture.m_hWnd, &rcUpdate, FALSE));
    const auto before = RenderWhole(picture);

    MessageCounter erases(picture, WM_ERASEBKGND);
    const CString status(L"Preparing \u2026 3 of 5 (42 %)");
    form.dlg.SetStatus(status);
    EXPECT_STREQ(status.GetString(), picture.m_strStatus.GetString());
    CRect rcClient;
    picture.GetClientRect(&rcClient);
    ASSERT_TRUE(GetUpdateRect(picture.m_hWnd, &rcUpdate, FALSE));
    EXPECT_EQ(rcClient, CRect(rcUpdate)) << "the whole picture";
    form.dlg.UpdateWindow();  // as the launcher does after each status
    EXPECT_FALSE(GetUpdateRect(picture.m_hWnd, &rcUpdate, FALSE));
    EXPECT_EQ(1, erases.m_count) << "invalidated with erasing";

    // Black text in the status band and nowhere else.
    const auto after = RenderWhole(picture);
    const CRect rcStatus = CVellAboutDlg::CAboutBitmap::StatusRect(rcClient);
    const InkBox ink = Difference(*before, *after, rcClient);
    ASSERT_FALSE(ink.Empty());
    EXPECT_EQ(ink.nCount, Difference(*before, *after, rcStatus).nCount) << "outside " << ::testing::PrintToString(rcStatus);
    const auto columns = InkColumns(status, CVellAboutDlg::CAboutBitmap::kSmallFontHeight);
    EXPECT_EQ(18 + columns.first, ink.box.left);
    EXPECT_EQ(18 + columns.second, ink.box.right);
    EXPECT_TRUE(HasColor(*after, rcStatus, RGB(0, 0, 0)));

    // An about dialog without a window keeps the text and touches no window.
    CVellAboutDlg unopened(nullptr, L"Orvane Lumbra");
    unopened.SetStatus(status);
    EXPECT_STREQ(status.GetString(), unopened.m_bitmap.m_strStatus.GetString());
}

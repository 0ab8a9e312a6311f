// A styled dialog as it appears on the screen: captured from the screen into a bitmap file next to
// the test programs (<build>/screenshots/test-styled-dialog.png) so it can be looked at, and
// checked at a few pixels.
#include "toolkit/style/VellDialog.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

constexpr UINT IDD_PICTURE = 202;

}  // namespace

TEST(StyledPictureTest, StyledDialogOnTheScreen)
{
    CVellDialog dlg(IDD_PICTURE);
    ASSERT_TRUE(dlg.Create(IDD_PICTURE));
    dlg.SetIcon(LoadIconW(nullptr, IDI_APPLICATION), FALSE);
    dlg.ShowWindow(SW_SHOW);
    // Above the windows of tests that may run at the same time on the same display.
    SetWindowPos(dlg.m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    dlg.UpdateWindow();
    dlg.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    msgseq::PollFor([] { return false; }, 500);  // let the window settle on the X server

    CRect rc;
    dlg.GetWindowRect(&rc);
    DibSurface picture(rc.Width(), rc.Height());
    HDC hScreen = GetDC(nullptr);
    BitBlt(picture.dc(), 0, 0, rc.Width(), rc.Height(), hScreen, rc.left, rc.top, SRCCOPY);
    ReleaseDC(nullptr, hScreen);
    EXPECT_TRUE(picture.SavePng(ScreenshotPath(L"test-styled-dialog.png")));

    // What the screen shows is what the hook painted.
    EXPECT_EQ(RGB(199, 207, 220), picture.At(0, rc.Height() / 2)) << "border, light side";
    EXPECT_EQ(RGB(20, 25, 35), picture.At(rc.Width() - 1, rc.Height() / 2)) << "border, dark side";
    EXPECT_EQ(RGB(80, 101, 138), picture.At(rc.Width() / 3, 21)) << "frame below the caption band";
    const CRect& rcClose = dlg.m_styleHook.m_rcClose;
    EXPECT_EQ(RGB(120, 139, 169), picture.At(rcClose.left + 3, 8)) << "close button face";
}

// The splash: on the screen and painted when its constructor returns, centred by its client area on
// the full-screen area, deaf to keys and clicks, and gone again the way the launcher ends it.
#include "toolkit/dialogs/VellSplashDlg.h"

#include "resources/ResourceIds.h"

#include "AboutTestSupport.h"
#include "tests/support/TestSupport.h"
#include "tests/support/RectPrinting.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

CRect WindowRectOf(HWND hWnd)
{
    CRect rc;
    GetWindowRect(hWnd, &rc);
    return rc;
}

bool HasUpdateRegion(HWND hWnd)
{
    RECT rc{};
    return GetUpdateRect(hWnd, &rc, FALSE) != FALSE;
}

}  // namespace

TEST(SplashPlacementTest, ClientAreaCentredOnTheFullScreenArea)
{
    // 1024 × 738 full-screen area, less one each way.
    EXPECT_EQ(CPoint(271, 208), CVellSplashDlg::CenteredPosition(1023, 737, CSize(480, 320)));
    // Halves truncate towards zero, also when the splash is larger than the area.
    EXPECT_EQ(CPoint(-50, -50), CVellSplashDlg::CenteredPosition(99, 99, CSize(200, 200)));
}

TEST(SplashDialogTest, ShownPaintedAndPlacedWhenConstructed)
{
    auto* pSplash = new CVellSplashDlg(L"Orvane Lumbra");
    HWND hSplash = pSplash->GetSafeHwnd();
    ASSERT_NE(nullptr, hSplash);
    HWND hPicture = pSplash->m_bitmap.m_hWnd;
    ASSERT_EQ(GetDlgItem(hSplash, IDC_ABOUT_PICTURE), hPicture);

    // Painted before the constructor returned: nothing waits for a WM_PAINT.
    EXPECT_TRUE(IsWindowVisible(hSplash));
    EXPECT_FALSE(HasUpdateRegion(hSplash));
    EXPECT_FALSE(HasUpdateRegion(hPicture));

    // The picture fills the client area, which is centred on the full-screen area.
    CRect rcClient;
    GetClientRect(hSplash, &rcClient);
    EXPECT_EQ(CRect(0, 0, 480, 320), rcClient);
    CRect rcPicture = WindowRectOf(hPicture);
    MapWindowPoints(nullptr, hSplash, reinterpret_cast<POINT*>(&rcPicture), 2);
    EXPECT_EQ(rcClient, rcPicture);
    const CPoint expected = CVellSplashDlg::CenteredPosition(GetSystemMetrics(SM_CXFULLSCREEN) - 1,
                                                             GetSystemMetrics(SM_CYFULLSCREEN) - 1, rcClient.Size());
    EXPECT_EQ(expected, WindowRectOf(hSplash).TopLeft());

    // The texts come from the test program's version resource, which is the launcher's.
    EXPECT_STREQ(L"Orvane Lumbra 3.30", pSplash->m_bitmap.m_strTitle.GetString());
    EXPECT_STREQ(L"\u00A9 2026 Ferrund Systems", pSplash->m_bitmap.m_strLegal.GetString());
    EXPECT_STREQ(L"(18.10.115.0)", pSplash->m_bitmap.m_strVersion.GetString());
    EXPECT_TRUE(pSplash->m_bitmap.m_strStatus.IsEmpty());
    EXPECT_FALSE(pSplash->m_bitmap.m_bAbout);

    // The launcher hides it, destroys its window and then deletes it.
    pSplash->ShowWindow(SW_HIDE);
    EXPECT_FALSE(IsWindowVisible(hSplash));
    EXPECT_TRUE(pSplash->DestroyWindow());
    EXPECT_FALSE(IsWindow(hSplash));
    EXPECT_FALSE(IsWindow(hPicture));
    EXPECT_EQ(nullptr, pSplash->GetSafeHwnd());
    delete pSplash;

    // Deleting alone takes the window along.
    auto* pOther = new CVellSplashDlg(L"Orvane Lumbra");
    HWND hOther = pOther->GetSafeHwnd();
    ASSERT_TRUE(IsWindow(hOther));
    delete pOther;
    EXPECT_FALSE(IsWindow(hOther));
}

TEST(SplashDialogTest, KeysAndClicksDoNothing)
{
    CVellSplashDlg splash(L"Orvane Lumbra");
    ASSERT_NE(nullptr, splash.m_hWnd);
    MessageCounter closes(splash, WM_CLOSE);
    CWnd& picture = splash.m_bitmap;

    // A click on the picture reaches the picture (it asks for clicks: a plain static would let
    // them through to the dialog below it).
    const CRect rc = WindowRectOf(splash.m_hWnd);
    const CPoint ptMiddle((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    EXPECT_EQ(HTCLIENT, picture.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptMiddle.x, ptMiddle.y)));
    // The border drags the dialog like a caption.
    EXPECT_EQ(HTCAPTION, splash.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(rc.left + 1, ptMiddle.y)));

    const LPARAM lPoint = MAKELPARAM(100, 100);
    for (const UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_MBUTTONDOWN, WM_LBUTTONDBLCLK})
        picture.PostMessage(message, 0, lPoint);
    for (const WPARAM key : {WPARAM('A'), WPARAM(VK_ESCAPE), WPARAM(VK_RETURN), WPARAM(VK_SPACE), WPARAM('M')})
        picture.PostMessage(WM_KEYDOWN, key, 1);
    msgseq::PumpMessages();

    EXPECT_EQ(0, closes.m_count);
    EXPECT_TRUE(splash.IsWindowVisible());
    EXPECT_EQ(nullptr, GetCapture());
}

TEST(SplashDialogTest, BorderAndPictureAsPaintedByTheConstructor)
{
    CVellSplashDlg splash(L"Orvane Lumbra");
    ASSERT_NE(nullptr, splash.m_hWnd);
    // Nothing is pumped: what the window holds is what the constructor painted.
    const auto window = ReadWindow(splash.m_hWnd);

    // The window border over the frame: light on top and left, dark on bottom and right.
    auto expectBorder = [](const DibSurface& s, const char* when) {
        const int w = s.Width(), h = s.Height();
        EXPECT_EQ(RGB(199, 207, 220), s.At(0, h / 2)) << when;
        EXPECT_EQ(RGB(199, 207, 220), s.At(w / 2, 0)) << when;
        EXPECT_EQ(RGB(146, 160, 185), s.At(2, h / 2)) << when;
        EXPECT_EQ(RGB(80, 101, 138), s.At(3, h / 2)) << when;
        EXPECT_EQ(RGB(20, 25, 35), s.At(w - 1, h / 2)) << when;
        EXPECT_EQ(RGB(20, 25, 35), s.At(w / 2, h - 1)) << when;
        EXPECT_EQ(RGB(21, 59, 99), s.At(w - 3, h / 2)) << when;
        EXPECT_EQ(RGB(80, 101, 138), s.At(w - 4, h / 2)) << when;
    };
    expectBorder(*window, "shown");
    // Inside the border, the picture with its texts.
    const auto picture = RenderWhole(splash.m_bitmap);
    for (const CPoint pt : {CPoint(10, 10), CPoint(100, 70), CPoint(240, 160), CPoint(470, 310)})
        EXPECT_EQ(picture->At(pt.x, pt.y), window->At(pt.x + 4, pt.y + 4)) << pt.x << "," << pt.y;

    // Another window taking the activation leaves the border as it was (the system's default
    // handling would draw its own frame over it).
    {
        testwin::RawWindow other(WS_POPUP | WS_VISIBLE);
        SetActiveWindow(other);
        msgseq::PumpMessages();
        ASSERT_NE(splash.m_hWnd, GetActiveWindow());
        expectBorder(*ReadWindow(splash.m_hWnd), "inactive");
    }

    // A picture of the screen to look at, <build>/screenshots/test-splash-dialog.png. Above the
    // windows of tests that run at the same time on the same display, which may still cover it.
    SetWindowPos(splash.m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    Sleep(300);  // for the X server
    const CRect rc = WindowRectOf(splash.m_hWnd);
    DibSurface screen(rc.Width(), rc.Height());
    HDC hScreen = GetDC(nullptr);
    BitBlt(screen.dc(), 0, 0, rc.Width(), rc.Height(), hScreen, rc.left, rc.top, SRCCOPY);
    ReleaseDC(nullptr, hScreen);
    EXPECT_TRUE(screen.SavePng(ScreenshotPath(L"test-splash-dialog.png")));
}

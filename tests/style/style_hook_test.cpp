// The styled window hook: margins, layout at exact coordinates, hit testing, the caption button
// state machine, maximising, texts and the painted frame.
#include "toolkit/style/StyleWindowHook.h"

#include "tests/support/TestSupport.h"
#include "tests/support/RectPrinting.h"
#include "StyledTestWindow.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

using msgseq::kOptional;
using msgseq::kWParam;

namespace {

constexpr DWORD kCaptioned = WS_POPUP | WS_CAPTION | WS_SYSMENU;

#define EXPECT_PIXEL(surface, x, y, expected) \
    EXPECT_EQ(RgbText(expected), RgbText((surface).At((x), (y)))) << "at (" << (x) << ", " << (y) << ")"

LPARAM ScreenPoint(int x, int y)
{
    return MAKELPARAM(x, y);
}

// A point of the window in client coordinates, packed for a mouse message.
LPARAM ClientPoint(HWND hWnd, int xScreen, int yScreen)
{
    POINT pt{xScreen, yScreen};
    ScreenToClient(hWnd, &pt);
    return MAKELPARAM(pt.x, pt.y);
}

void PrintFrame(CWnd& wnd, DibSurface& surface)
{
    wnd.SendMessage(WM_PRINT, reinterpret_cast<WPARAM>(surface.dc()), PRF_NONCLIENT);
}

}  // namespace

TEST(StyleHookTest, InstallMovesTheCaptionIntoTheHook)
{
    StyledTestWnd wnd;
    ASSERT_TRUE(wnd.Create(kCaptioned));
    EXPECT_EQ(DWORD(WS_CAPTION), wnd.m_hook.m_dwSavedCaption);
    EXPECT_EQ(0u, wnd.GetStyle() & WS_CAPTION);
    EXPECT_EQ(&wnd.m_hook, CSubclassWndMap::Instance().FindHook(wnd.m_hWnd));
    EXPECT_STREQ(L"Styled", wnd.m_hook.GetCaption());

    CRect rcClient;
    wnd.GetClientRect(&rcClient);
    EXPECT_EQ(CSize(300 - 8, 200 - 27), rcClient.Size()) << "4-pixel sides and bottom, 23 on top";
    POINT origin{0, 0};
    wnd.ClientToScreen(&origin);
    EXPECT_EQ(CPoint(104, 123), CPoint(origin));

    StyledTestWnd plain;
    ASSERT_TRUE(plain.Create(WS_POPUP));
    plain.GetClientRect(&rcClient);
    EXPECT_EQ(CSize(292, 192), rcClient.Size()) << "4 on every side without caption bits";
}

TEST(StyleHookTest, CaptionLayoutOfA300PixelWindow)
{
    StyledTestWnd wnd;
    ASSERT_TRUE(wnd.Create(kCaptioned));
    EXPECT_EQ(CRect(4, 4, 296, 19), wnd.m_hook.CaptionRect());
    const CRect rcText = wnd.m_hook.CaptionTextRect();
    EXPECT_EQ(CRect(243, 0, 285, 16), wnd.m_hook.m_rcClose);
    EXPECT_EQ(CRect(-1, -1, -1, -1), wnd.m_hook.m_rcMaximize);
    EXPECT_EQ(CRect(6, 4, 237, 20), rcText) << "no icon yet";

    wnd.SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(LoadIconW(nullptr, IDI_APPLICATION)));
    EXPECT_EQ(CRect(28, 4, 237, 20), wnd.m_hook.CaptionTextRect()) << "after the 16-pixel icon";

    StyledTestWnd boxes;
    ASSERT_TRUE(boxes.Create(kCaptioned | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, WS_EX_CONTEXTHELP));
    boxes.m_hook.CaptionTextRect();
    EXPECT_EQ(CRect(243, 0, 285, 16), boxes.m_hook.m_rcClose);
    EXPECT_EQ(CRect(218, 0, 243, 16), boxes.m_hook.m_rcMaximize);
    EXPECT_EQ(CRect(193, 0, 218, 16), boxes.m_hook.m_rcMinimize);
    EXPECT_EQ(CRect(168, 0, 193, 16), boxes.m_hook.m_rcHelp);
    EXPECT_EQ(162, boxes.m_hook.CaptionTextRect().right) << "ends 6 pixels before the leftmost button";

    StyledTestWnd noCaption;
    ASSERT_TRUE(noCaption.Create(WS_POPUP | WS_SYSMENU));
    EXPECT_EQ(CRect(4, 4, 296, 19), noCaption.m_hook.CaptionRect()) << "a system menu alone keeps the band";
    noCaption.m_hook.CaptionTextRect();
    EXPECT_EQ(CRect(-1, -1, -1, -1), noCaption.m_hook.m_rcClose) << "buttons need the whole caption";
}

TEST(StyleHookTest, HitTestZones)
{
    StyledTestWnd wnd;
    ASSERT_TRUE(wnd.Create(kCaptioned | WS_THICKFRAME | WS_MAXIMIZEBOX));
    CVellStyleWindowHook& hook = wnd.m_hook;
    // Window at (100, 100) - (400, 300).
    EXPECT_EQ(UINT(HTCLOSE), hook.HitTestParts(POINT{100 + 243, 100}));
    EXPECT_EQ(UINT(HTCLOSE), hook.HitTestParts(POINT{100 + 284, 115}));
    EXPECT_EQ(UINT(HTMAXBUTTON), hook.HitTestParts(POINT{100 + 230, 105}));
    EXPECT_EQ(UINT(HTSYSMENU), hook.HitTestParts(POINT{110, 110})) << "not a dialog: the icon area counts";
    EXPECT_EQ(UINT(HTCAPTION), hook.HitTestParts(POINT{250, 110}));
    EXPECT_EQ(UINT(HTCAPTION), hook.HitTestParts(POINT{100 + 290, 118}));
    EXPECT_EQ(UINT(HTTOPLEFT), hook.HitTestParts(POINT{101, 120}));
    EXPECT_EQ(UINT(HTTOPLEFT), hook.HitTestParts(POINT{120, 101}));
    EXPECT_EQ(UINT(HTTOP), hook.HitTestParts(POINT{200, 101}));
    EXPECT_EQ(UINT(HTTOPRIGHT), hook.HitTestParts(POINT{390, 101})) << "right of the close button";
    EXPECT_EQ(UINT(HTTOPRIGHT), hook.HitTestParts(POINT{398, 120}));
    EXPECT_EQ(UINT(HTRIGHT), hook.HitTestParts(POINT{398, 200}));
    EXPECT_EQ(UINT(HTLEFT), hook.HitTestParts(POINT{101, 200}));
    EXPECT_EQ(UINT(HTBOTTOMLEFT), hook.HitTestParts(POINT{114, 285})) << "15 pixels wide above the bottom edge";
    EXPECT_EQ(0u, hook.HitTestParts(POINT{116, 285}));
    EXPECT_EQ(UINT(HTBOTTOMLEFT), hook.HitTestParts(POINT{120, 298}));
    EXPECT_EQ(UINT(HTBOTTOM), hook.HitTestParts(POINT{200, 298}));
    EXPECT_EQ(UINT(HTBOTTOMRIGHT), hook.HitTestParts(POINT{398, 280}));
    EXPECT_EQ(UINT(HTBOTTOMRIGHT), hook.HitTestParts(POINT{380, 298}));
    EXPECT_EQ(0u, hook.HitTestParts(POINT{250, 200})) << "client area";
    EXPECT_EQ(LRESULT(HTCLIENT), wnd.SendMessage(WM_NCHITTEST, 0, ScreenPoint(250, 200))) << "handed on";

    StyledTestWnd fixed;
    ASSERT_TRUE(fixed.Create(kCaptioned));
    EXPECT_EQ(0u, fixed.m_hook.HitTestParts(POINT{101, 200})) << "no resizing without a thick frame";
}

TEST(StyleHookTest, PressOnCloseAndReleaseElsewhereSendsNothing)
{
    msgseq::Log log;
    StyledTestWnd wnd(&log);
    ASSERT_TRUE(wnd.Create(kCaptioned));
    HWND hWnd = wnd.m_hWnd;
    const int xClose = 100 + 260, yClose = 105;

    EXPECT_EQ(LRESULT(HTCLOSE), wnd.SendMessage(WM_NCHITTEST, 0, ScreenPoint(xClose, yClose)));
    EXPECT_EQ(UINT(HTCLOSE), wnd.m_hook.m_nHotPart);
    log.Clear();
    EXPECT_EQ(0, wnd.SendMessage(WM_NCLBUTTONDOWN, HTCLOSE, ScreenPoint(xClose, yClose)));
    EXPECT_EQ(UINT(HTCLOSE), wnd.m_hook.m_nPressedPart);
    EXPECT_EQ(hWnd, GetCapture());
    EXPECT_TRUE(log.Matches({})) << "the press is the hook's alone";

    // Moving away while pressed changes nothing; releasing over the caption runs no command.
    EXPECT_EQ(0, wnd.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, ClientPoint(hWnd, 200, 110)));
    EXPECT_EQ(UINT(HTCLOSE), wnd.m_hook.m_nHotPart);
    EXPECT_EQ(0, wnd.SendMessage(WM_LBUTTONUP, 0, ClientPoint(hWnd, 200, 110)));
    EXPECT_EQ(nullptr, GetCapture());
    EXPECT_EQ(0u, wnd.m_hook.m_nPressedPart);
    EXPECT_EQ(UINT(HTCLOSE), wnd.m_hook.m_nHotPart) << "still the part of the last hit test";
    EXPECT_TRUE(log.Matches({{"wnd", WM_CAPTURECHANGED, kOptional}}));

    wnd.SendMessage(WM_NCHITTEST, 0, ScreenPoint(200, 110));
    EXPECT_EQ(UINT(HTCAPTION), wnd.m_hook.m_nHotPart);
}

TEST(StyleHookTest, ClickOnCloseSendsTheCloseCommand)
{
    msgseq::Log log;
    StyledTestWnd wnd(&log);
    ASSERT_TRUE(wnd.Create(kCaptioned));
    const LPARAM ptClose = ScreenPoint(100 + 260, 105);
    wnd.SendMessage(WM_NCHITTEST, 0, ptClose);
    wnd.SendMessage(WM_NCLBUTTONDOWN, HTCLOSE, ptClose);
    log.Clear();
    wnd.SendMessage(WM_NCLBUTTONUP, HTCLOSE, ptClose);
    EXPECT_TRUE(log.Matches({{"wnd", WM_CAPTURECHANGED, kOptional},
                             {"wnd", WM_SYSCOMMAND, kWParam, SC_CLOSE},
                             {"wnd", WM_CLOSE}}));
    EXPECT_EQ(0u, wnd.m_hook.m_nPressedPart);
}

TEST(StyleHookTest, MaximiseButtonAndDoubleClickKeepTheCaptionDuringDefaultHandling)
{
    msgseq::Log log;
    StyledTestWnd wnd(&log);
    ASSERT_TRUE(wnd.Create(kCaptioned | WS_MAXIMIZEBOX | WS_MINIMIZEBOX | WS_VISIBLE));

    const LPARAM ptMax = ScreenPoint(100 + 230, 105);
    wnd.SendMessage(WM_NCHITTEST, 0, ptMax);
    wnd.SendMessage(WM_NCLBUTTONDOWN, HTMAXBUTTON, ptMax);
    log.Clear();
    wnd.SendMessage(WM_LBUTTONUP, 0, ClientPoint(wnd.m_hWnd, 100 + 230, 105));
    EXPECT_TRUE(log.StartsWith({{"wnd", WM_CAPTURECHANGED, kOptional},
                                {"wnd", WM_STYLECHANGING},
                                {"wnd", WM_STYLECHANGED},
                                {"wnd", WM_SYSCOMMAND, kWParam, SC_MAXIMIZE}}));
    EXPECT_TRUE(log.EndsWith({{"wnd", WM_STYLECHANGING}, {"wnd", WM_STYLECHANGED}}));
    EXPECT_TRUE(wnd.IsZoomed());
    EXPECT_EQ(DWORD(WS_CAPTION), wnd.m_dwCaptionAtSysCommand) << "caption bits back for the default handling";
    EXPECT_EQ(0u, wnd.GetStyle() & WS_CAPTION) << "and gone again afterwards";
    EXPECT_EQ(0u, wnd.m_hook.m_nHotPart);

    // Double-clicking the caption restores the window the same way.
    wnd.m_dwCaptionAtSysCommand = 0;
    CRect rc;
    wnd.GetWindowRect(&rc);
    log.Clear();
    wnd.SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, ScreenPoint(rc.left + 100, rc.top + 10));
    EXPECT_TRUE(log.StartsWith({{"wnd", WM_STYLECHANGING},
                                {"wnd", WM_STYLECHANGED},
                                {"wnd", WM_NCLBUTTONDBLCLK},
                                {"wnd", WM_SYSCOMMAND, kWParam, SC_RESTORE}}));
    EXPECT_TRUE(log.EndsWith({{"wnd", WM_STYLECHANGING}, {"wnd", WM_STYLECHANGED}}));
    EXPECT_FALSE(wnd.IsZoomed());
    EXPECT_EQ(DWORD(WS_CAPTION), wnd.m_dwCaptionAtSysCommand);
    EXPECT_EQ(0u, wnd.GetStyle() & WS_CAPTION);

    log.Clear();
    wnd.SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, ScreenPoint(200, 110));
    EXPECT_TRUE(wnd.IsZoomed());
    EXPECT_EQ(0u, wnd.GetStyle() & WS_CAPTION);
}

TEST(StyleHookTest, LeavingTheFrameClearsTheHotButton)
{
    StyledTestWnd wnd;
    ASSERT_TRUE(wnd.Create(kCaptioned));
    wnd.SendMessage(WM_NCHITTEST, 0, ScreenPoint(100 + 260, 105));
    EXPECT_EQ(UINT(HTCLOSE), wnd.m_hook.m_nHotPart);
    wnd.SendMessage(WM_NCMOUSELEAVE);
    EXPECT_EQ(0u, wnd.m_hook.m_nHotPart);
}

TEST(StyleHookTest, TextsAndShortBuffers)
{
    StyledTestWnd wnd;
    ASSERT_TRUE(wnd.Create(kCaptioned, 0, L"Title"));
    EXPECT_TRUE(SetWindowTextW(wnd.m_hWnd, L"Hello World"));
    EXPECT_STREQ(L"Hello World", wnd.m_hook.GetCaption());
    EXPECT_EQ(11, GetWindowTextLengthW(wnd.m_hWnd)) << "the window kept its own copy";

    wchar_t buf[16];
    std::fill(std::begin(buf), std::end(buf), wchar_t(0xcccc));
    EXPECT_EQ(4, wnd.SendMessage(WM_GETTEXT, 5, reinterpret_cast<LPARAM>(buf)));
    EXPECT_STREQ(L"Hell", buf) << "terminated within the buffer";
    EXPECT_EQ(wchar_t(0xcccc), buf[5]) << "nothing written beyond it";
    EXPECT_EQ(0, wnd.SendMessage(WM_GETTEXT, 0, reinterpret_cast<LPARAM>(buf)));
    EXPECT_EQ(11, GetWindowTextW(wnd.m_hWnd, buf, 16));
    EXPECT_STREQ(L"Hello World", buf);

    wnd.m_hook.SetSecondaryCaption(L"BETA");
    EXPECT_STREQ(L"BETA", wnd.m_hook.GetSecondaryCaption());
    EXPECT_EQ(2, wnd.m_hook.CopySecondaryCaption(buf, 3));
    EXPECT_STREQ(L"BE", buf);
}

TEST(StyleHookTest, PaintedFrameOfA300PixelWindow)
{
    StyledTestWnd wnd;
    ASSERT_TRUE(wnd.Create(kCaptioned, 0, L""));
    DibSurface s(300, 200, RGB(255, 0, 255));
    PrintFrame(wnd, s);

    const COLORREF frame = RGB(80, 101, 138);
    EXPECT_PIXEL(s, 0, 100, RGB(199, 207, 220)) << "window border";
    EXPECT_PIXEL(s, 3, 100, frame);
    EXPECT_PIXEL(s, 150, 21, frame) << "frame fill below the caption band";
    EXPECT_PIXEL(s, 150, 10, frame) << "caption band";
    EXPECT_PIXEL(s, 150, 100, RGB(255, 0, 255)) << "the client area is not touched";
    EXPECT_EQ(CRect(6, 4, 22, 20), wnd.m_hook.m_rcIcon) << "a window that is not a dialog gets the system icon";

    // Close button (243, 0, 285, 16) in its normal look, and the group outline around it.
    EXPECT_PIXEL(s, 260, 0, RGB(199, 207, 220));
    EXPECT_PIXEL(s, 260, 1, RGB(199, 207, 220));
    EXPECT_PIXEL(s, 243, 5, RGB(199, 207, 220));
    EXPECT_PIXEL(s, 246, 8, RGB(120, 139, 169));
    EXPECT_PIXEL(s, 284, 5, RGB(21, 59, 99));
    EXPECT_PIXEL(s, 260, 16, RGB(21, 59, 99));
    EXPECT_PIXEL(s, 242, 5, RGB(21, 59, 99)) << "outline, left";
    EXPECT_PIXEL(s, 285, 5, RGB(161, 177, 204)) << "outline, right";
    EXPECT_PIXEL(s, 260, 17, RGB(161, 177, 204)) << "outline, bottom";

    // Hot and pushed looks.
    wnd.SendMessage(WM_NCHITTEST, 0, ScreenPoint(100 + 260, 105));
    PrintFrame(wnd, s);
    EXPECT_PIXEL(s, 246, 8, RGB(217, 76, 74));
    EXPECT_PIXEL(s, 260, 0, RGB(242, 147, 146));
    wnd.SendMessage(WM_NCLBUTTONDOWN, HTCLOSE, ScreenPoint(100 + 260, 105));
    PrintFrame(wnd, s);
    EXPECT_PIXEL(s, 246, 8, RGB(211, 56, 61));
    wnd.SendMessage(WM_NCLBUTTONUP, HTCAPTION, ScreenPoint(200, 110));
}

TEST(StyleHookTest, MinimiseAndMaximiseButtonsShareTheGroup)
{
    StyledTestWnd wnd;
    ASSERT_TRUE(wnd.Create(kCaptioned | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 0, L""));
    DibSurface s(300, 200, RGB(255, 0, 255));
    PrintFrame(wnd, s);
    EXPECT_PIXEL(s, 200, 8, RGB(120, 139, 169)) << "minimise face";
    EXPECT_PIXEL(s, 221, 8, RGB(120, 139, 169)) << "maximise face";
    EXPECT_PIXEL(s, 192, 5, RGB(21, 59, 99)) << "the outline starts left of the minimise button";
    // The close button's bottom-left corner is square now (its bottom line reaches x = 242)...
    EXPECT_PIXEL(s, 243, 16, RGB(21, 59, 99));
    // ...and the minimise button's is chamfered: the light line turns right above the bottom.
    EXPECT_PIXEL(s, 193, 14, RGB(199, 207, 220));
    EXPECT_PIXEL(s, 194, 15, RGB(199, 207, 220));
}

TEST(StyleHookTest, BorderWithoutDialogFrameGetsTheTopMarginButNoCaption)
{
    StyledTestWnd wnd;
    ASSERT_TRUE(wnd.Create(WS_POPUP | WS_BORDER | WS_SYSMENU));
    EXPECT_EQ(DWORD(WS_BORDER), wnd.m_hook.m_dwSavedCaption);
    CRect rcClient;
    wnd.GetClientRect(&rcClient);
    EXPECT_EQ(200 - 27, rcClient.Height()) << "23 pixels on top";
    DibSurface s(300, 200, RGB(255, 0, 255));
    PrintFrame(wnd, s);
    EXPECT_PIXEL(s, 0, 0, RGB(199, 207, 220));
    EXPECT_PIXEL(s, 260, 8, RGB(80, 101, 138)) << "no close button";
    EXPECT_PIXEL(s, 10, 10, RGB(80, 101, 138)) << "no icon";
    EXPECT_PIXEL(s, 150, 22, RGB(80, 101, 138));
}

TEST(StyleHookTest, LosingTheCaptureLetsGoOfThePressedButton)
{
    msgseq::Log log;
    StyledTestWnd wnd(&log);
    ASSERT_TRUE(wnd.Create(kCaptioned));
    const LPARAM ptClose = ScreenPoint(100 + 260, 105);
    wnd.SendMessage(WM_NCHITTEST, 0, ptClose);
    wnd.SendMessage(WM_NCLBUTTONDOWN, HTCLOSE, ptClose);
    ASSERT_EQ(wnd.m_hWnd, GetCapture());

    // Another window takes the mouse (as a message box or a task switch would).
    testwin::RawWindow other(WS_POPUP);
    log.Clear();
    SetCapture(other);
    EXPECT_TRUE(log.Matches({{"wnd", WM_CAPTURECHANGED, msgseq::kLParam, 0, reinterpret_cast<LPARAM>(other.get())}}));
    EXPECT_EQ(0u, wnd.m_hook.m_nPressedPart);
    EXPECT_EQ(0u, wnd.m_hook.m_nHotPart);

    // Moves and releases over the frame are the window's again, and no command is sent.
    log.Clear();
    wnd.SendMessage(WM_NCMOUSEMOVE, HTCAPTION, ScreenPoint(200, 110));
    wnd.SendMessage(WM_NCMOUSEMOVE, HTCLOSE, ptClose);
    wnd.SendMessage(WM_NCLBUTTONUP, HTCLOSE, ptClose);
    EXPECT_TRUE(log.Matches({{"wnd", WM_NCMOUSEMOVE, kWParam, HTCAPTION},
                             {"wnd", WM_NCMOUSEMOVE, kWParam, HTCLOSE},
                             {"wnd", WM_NCLBUTTONUP, kWParam, HTCLOSE}}));
    EXPECT_EQ(other.get(), GetCapture()) << "the other window's capture is not the hook's to release";
    ReleaseCapture();
}

TEST(StyleHookTest, AClientAreaDragKeepsItsOwnCapture)
{
    msgseq::Log log;
    StyledTestWnd wnd(&log);
    ASSERT_TRUE(wnd.Create(kCaptioned));
    wnd.SetCapture();
    log.Clear();
    wnd.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(50, 50));
    wnd.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(60, 50));
    EXPECT_TRUE(log.Matches({{"wnd", WM_MOUSEMOVE}, {"wnd", WM_LBUTTONUP}}));
    EXPECT_EQ(wnd.m_hWnd, GetCapture()) << "the window releases its capture itself";
    ReleaseCapture();
}

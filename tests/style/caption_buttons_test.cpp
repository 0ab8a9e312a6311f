// The help and minimise caption buttons of the styled window hook: their faces in every state,
// the glyph that moves when pushed, and what a click sends to the window.
#include "toolkit/style/StyleWindowHook.h"

#include "tests/support/TestSupport.h"
#include "tests/support/RectPrinting.h"
#include "StyledTestWindow.h"

#include <gtest/gtest.h>

using msgseq::kLParam;
using msgseq::kOptional;
using msgseq::kWParam;

namespace {

// 300 wide at (100, 100): close (243, 0, 285, 16), minimise (218, 0, 243, 16), help (193, 0, 218, 16).
constexpr DWORD kWithMinimise = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
const CRect kMinimise(218, 0, 243, 16);
const CRect kHelp(193, 0, 218, 16);

#define EXPECT_PIXEL(surface, x, y, expected) \
    EXPECT_EQ(RgbText(expected), RgbText((surface).At((x), (y)))) << "at (" << (x) << ", " << (y) << ")"

void PrintFrame(CWnd& wnd, DibSurface& surface)
{
    surface.Fill(RGB(255, 0, 255));
    wnd.SendMessage(WM_PRINT, reinterpret_cast<WPARAM>(surface.dc()), PRF_NONCLIENT);
}

LPARAM ScreenPointIn(const CRect& rcButton)
{
    return MAKELPARAM(100 + (rcButton.left + rcButton.right) / 2, 100 + (rcButton.top + rcButton.bottom) / 2);
}

struct FaceColours {
    COLORREF topLeft, fill, bottomRight;
};

// The face of a 25-pixel button: top line, fill (left of the glyph), right line.
void ExpectFace(const DibSurface& s, const CRect& b, const FaceColours& c)
{
    EXPECT_PIXEL(s, b.left + 10, 0, c.topLeft) << "top line";
    EXPECT_PIXEL(s, b.left + 10, 1, c.topLeft) << "second top line";
    EXPECT_PIXEL(s, b.left + 3, 8, c.fill) << "fill";
    EXPECT_PIXEL(s, b.right - 1, 5, c.bottomRight) << "right line";
}

// Inside the face's lines and clear of a chamfered corner: where only the fill and the glyph are.
CRect GlyphArea(const CRect& b)
{
    return CRect(b.left + 3, b.top + 2, b.right - 1, b.bottom);
}

const FaceColours kNormal{RGB(199, 207, 220), RGB(120, 139, 169), RGB(21, 59, 99)};
const FaceColours kHot{RGB(235, 238, 243), RGB(161, 177, 204), RGB(21, 59, 99)};
const FaceColours kPushed{RGB(21, 59, 99), RGB(146, 160, 185), RGB(146, 160, 185)};

}  // namespace

TEST(CaptionButtonsTest, HelpAndMinimiseFacesInEveryState)
{
    StyledTestWnd wnd;
    ASSERT_TRUE(wnd.Create(kWithMinimise, WS_EX_CONTEXTHELP, L""));
    DibSurface s(300, 200);
    PrintFrame(wnd, s);
    EXPECT_EQ(kMinimise, wnd.m_hook.m_rcMinimize);
    EXPECT_EQ(kHelp, wnd.m_hook.m_rcHelp);
    ExpectFace(s, kMinimise, kNormal);
    ExpectFace(s, kHelp, kNormal);
    EXPECT_PIXEL(s, 192, 5, RGB(21, 59, 99)) << "the group outline starts left of the help button";
    // The help button, leftmost, chamfers its bottom-left corner; the minimise button beside it
    // does not (its bottom line runs on to the help button's right line).
    EXPECT_PIXEL(s, 193, 14, RGB(199, 207, 220));
    EXPECT_PIXEL(s, 194, 15, RGB(199, 207, 220));
    EXPECT_PIXEL(s, 218, 16, RGB(21, 59, 99));

    for (const CRect* pButton : {&kMinimise, &kHelp}) {
        const UINT nPart = pButton == &kMinimise ? HTMINBUTTON : HTHELP;
        SCOPED_TRACE(nPart == HTMINBUTTON ? "minimise" : "help");
        ASSERT_EQ(LRESULT(nPart), wnd.SendMessage(WM_NCHITTEST, 0, ScreenPointIn(*pButton)));
        PrintFrame(wnd, s);
        ExpectFace(s, *pButton, kHot);
        {
            SCOPED_TRACE("the other button stays normal");
            ExpectFace(s, pButton == &kMinimise ? kHelp : kMinimise, kNormal);
        }
        const CRect glyphHot = s.InkBounds(GlyphArea(*pButton), kHot.fill);
        ASSERT_FALSE(glyphHot.IsRectEmpty()) << "a glyph";

        wnd.SendMessage(WM_NCLBUTTONDOWN, nPart, ScreenPointIn(*pButton));
        PrintFrame(wnd, s);
        ExpectFace(s, *pButton, kPushed);
        CRect glyphPushed = s.InkBounds(GlyphArea(*pButton), kPushed.fill);
        glyphPushed.OffsetRect(-1, -1);
        EXPECT_EQ(glyphHot, glyphPushed) << "the pushed glyph is one pixel lower and further right";

        // Released elsewhere: no command, and the button is drawn for the part last hit-tested.
        wnd.SendMessage(WM_NCLBUTTONUP, HTCAPTION, MAKELPARAM(200, 110));
        PrintFrame(wnd, s);
        ExpectFace(s, *pButton, kHot);
        wnd.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(200, 110));
        PrintFrame(wnd, s);
        ExpectFace(s, *pButton, kNormal);
    }
}

TEST(CaptionButtonsTest, HelpClickSendsHelpForTheWindow)
{
    msgseq::Log log;
    StyledTestWnd wnd(&log);
    ASSERT_TRUE(wnd.Create(kWithMinimise, WS_EX_CONTEXTHELP));
    const LPARAM pt = ScreenPointIn(kHelp);
    ASSERT_EQ(LRESULT(HTHELP), wnd.SendMessage(WM_NCHITTEST, 0, pt));
    log.Clear();
    EXPECT_EQ(0, wnd.SendMessage(WM_NCLBUTTONDOWN, HTHELP, pt));
    EXPECT_EQ(wnd.m_hWnd, GetCapture());
    EXPECT_EQ(0, wnd.SendMessage(WM_NCLBUTTONUP, HTHELP, pt));
    EXPECT_TRUE(log.Matches({{"wnd", WM_CAPTURECHANGED, kOptional}, {"wnd", WM_HELP}}))
        << "the press and the release are the hook's; only the help request reaches the window";
    EXPECT_EQ(nullptr, GetCapture());
    EXPECT_EQ(0u, wnd.m_hook.m_nPressedPart);
    EXPECT_EQ(UINT(HTHELP), wnd.m_hook.m_nHotPart) << "help leaves the button hot under the mouse";

    // A receiver reads the request's HELPINFO: it names the window.
    EXPECT_EQ(sizeof(HELPINFO), wnd.m_lastHelp.cbSize);
    EXPECT_EQ(HELPINFO_WINDOW, wnd.m_lastHelp.iContextType);
    EXPECT_EQ(wnd.m_hWnd, wnd.m_lastHelp.hItemHandle);

    // Released over another button: nothing is sent.
    wnd.SendMessage(WM_NCLBUTTONDOWN, HTHELP, pt);
    log.Clear();
    wnd.SendMessage(WM_NCLBUTTONUP, HTCLOSE, MAKELPARAM(100 + 260, 105));
    EXPECT_TRUE(log.Matches({{"wnd", WM_CAPTURECHANGED, kOptional}}));
}

TEST(CaptionButtonsTest, MinimiseClickMinimisesAndASecondOneRestores)
{
    msgseq::Log log;
    StyledTestWnd wnd(&log);
    ASSERT_TRUE(wnd.Create(kWithMinimise | WS_VISIBLE));
    msgseq::PumpMessages();
    CRect rcClientBefore;
    wnd.GetClientRect(&rcClientBefore);
    const LPARAM pt = ScreenPointIn(kMinimise);
    ASSERT_EQ(LRESULT(HTMINBUTTON), wnd.SendMessage(WM_NCHITTEST, 0, pt));

    log.Clear();
    wnd.SendMessage(WM_NCLBUTTONDOWN, HTMINBUTTON, pt);
    EXPECT_TRUE(log.Matches({})) << "the press is the hook's alone";
    wnd.SendMessage(WM_NCLBUTTONUP, HTMINBUTTON, pt);
    EXPECT_TRUE(log.StartsWith({{"wnd", WM_CAPTURECHANGED, kOptional | kLParam, 0, 0},
                                {"wnd", WM_SYSCOMMAND, kWParam, SC_MINIMIZE, 0, 0xFFF0}}));
    EXPECT_TRUE(wnd.IsIconic());
    EXPECT_EQ(0u, wnd.m_hook.m_nHotPart) << "the button under the mouse has gone with the frame";
    EXPECT_EQ(0u, wnd.m_dwCaptionAtSysCommand) << "minimising runs without the caption bits";

    // The same button of the minimised window restores it, with the caption bits back only while
    // the default handling runs.
    log.Clear();
    wnd.SendMessage(WM_NCLBUTTONDOWN, HTMINBUTTON, pt);
    wnd.SendMessage(WM_NCLBUTTONUP, HTMINBUTTON, pt);
    const WPARAM wStyle = static_cast<WPARAM>(GWL_STYLE);
    EXPECT_TRUE(log.StartsWith({{"wnd", WM_CAPTURECHANGED, kOptional},
                                {"wnd", WM_STYLECHANGING, kWParam, wStyle, 0, 0xFFFFFFFF},
                                {"wnd", WM_STYLECHANGED, kWParam, wStyle, 0, 0xFFFFFFFF},
                                {"wnd", WM_SYSCOMMAND, kWParam, SC_RESTORE, 0, 0xFFF0}}));
    EXPECT_TRUE(log.EndsWith({{"wnd", WM_STYLECHANGING, kWParam, wStyle, 0, 0xFFFFFFFF},
                              {"wnd", WM_STYLECHANGED, kWParam, wStyle, 0, 0xFFFFFFFF}}))
        << "the caption bits go again once the window is restored";
    EXPECT_FALSE(wnd.IsIconic());
    EXPECT_EQ(DWORD(WS_CAPTION), wnd.m_dwCaptionAtSysCommand);
    EXPECT_EQ(0u, wnd.GetStyle() & WS_CAPTION);
    CRect rcWindow, rcClient;
    wnd.GetWindowRect(&rcWindow);
    wnd.GetClientRect(&rcClient);
    EXPECT_EQ(CRect(100, 100, 400, 300), rcWindow) << "back where it was";
    EXPECT_EQ(rcClientBefore, rcClient) << "with the toolkit's margins";
}

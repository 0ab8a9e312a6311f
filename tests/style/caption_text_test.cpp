// The caption texts of the styled window hook: where the title and the secondary text are drawn,
// how a long title is cut, and that a text changed while the window is on screen looks exactly as
// after a full repaint of the frame. Text is checked by position and extent only (font engines
// differ); everything else pixel by pixel.
#include "toolkit/style/StyleWindowHook.h"

#include "tests/support/TestSupport.h"
#include "tests/support/RectPrinting.h"
#include "StyledTestWindow.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

namespace {

constexpr DWORD kCaptioned = WS_POPUP | WS_CAPTION | WS_SYSMENU;
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kFrame = RGB(80, 101, 138);
const wchar_t kLongTitle[] = L"A title far too long for the caption band of a window only three hundred pixels wide";

void PrintFrame(CWnd& wnd, DibSurface& surface)
{
    wnd.SendMessage(WM_PRINT, reinterpret_cast<WPARAM>(surface.dc()), PRF_NONCLIENT);
}

// The width of a text in the caption font (Arial bold, cell height 15).
int CaptionExtent(const wchar_t* pszText)
{
    DibSurface s(1, 1);
    HFONT hFont = CreateFontW(15, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, FF_SWISS, L"Arial");
    HGDIOBJ hOld = SelectObject(s.dc(), hFont);
    SIZE size{};
    GetTextExtentPoint32W(s.dc(), pszText, lstrlenW(pszText), &size);
    SelectObject(s.dc(), hOld);
    DeleteObject(hFont);
    return size.cx;
}

// Pixels of rc that differ between a and b: none, or the first one and the count.
::testing::AssertionResult SameIn(const DibSurface& a, const DibSurface& b, const RECT& rc)
{
    int nDiffer = 0;
    std::ostringstream first;
    for (int y = rc.top; y < rc.bottom; ++y) {
        for (int x = rc.left; x < rc.right; ++x) {
            if (a.At(x, y) == b.At(x, y))
                continue;
            if (nDiffer++ == 0)
                first << "first at (" << x << ", " << y << "): " << RgbText(a.At(x, y)) << " where a full repaint has "
                      << RgbText(b.At(x, y));
        }
    }
    if (nDiffer == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << nDiffer << " pixels differ, " << first.str();
}

// What the window shows now, and what it shows after its whole frame has been painted again.
struct ShownAndRepainted {
    std::unique_ptr<DibSurface> shown;
    std::unique_ptr<DibSurface> repainted;
};

ShownAndRepainted ReadShownThenRepaint(CWnd& wnd)
{
    msgseq::PumpMessages();
    ShownAndRepainted r;
    r.shown = CopyOfWindow(wnd.m_hWnd);
    wnd.RedrawWindow(nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    msgseq::PumpMessages();
    r.repainted = CopyOfWindow(wnd.m_hWnd);
    return r;
}

}  // namespace

TEST(CaptionTextTest, TitleStartsAtTheTextAreaAndKeepsItsExtent)
{
    StyledTestWnd wnd;
    ASSERT_TRUE(wnd.Create(kCaptioned, 0, L"Hello"));
    DibSurface s(300, 200, RGB(255, 0, 255));
    PrintFrame(wnd, s);
    const CRect rcText = wnd.m_hook.CaptionTextRect();
    ASSERT_EQ(CRect(28, 4, 237, 20), rcText) << "after the icon, 6 pixels before the close button";

    // White ink only inside the text area (the icon and the close glyph lie outside the band
    // examined here).
    const CRect rcBand(rcText.left, 0, 242, 23);
    const CRect ink = s.Bounds(rcBand, kWhite);
    ASSERT_FALSE(ink.IsRectEmpty()) << "the title is drawn";
    EXPECT_LE(rcText.left, ink.left);
    EXPECT_LE(ink.left, rcText.left + 2) << "left-aligned";
    EXPECT_LE(rcText.top, ink.top);
    EXPECT_LE(ink.bottom, rcText.bottom);
    const int nExtent = CaptionExtent(L"Hello");
    EXPECT_LE(ink.right, rcText.left + nExtent) << "in the bold caption font";
    EXPECT_GE(ink.right, rcText.left + nExtent * 3 / 4) << "in the bold caption font, not a smaller one";
    EXPECT_EQ(kFrame, s.At(ink.right + 3, 10)) << "the band behind and after the text";
}

TEST(CaptionTextTest, LongTitleIsCutBeforeTheButtons)
{
    StyledTestWnd wnd;
    ASSERT_TRUE(wnd.Create(kCaptioned, 0, kLongTitle));
    DibSurface s(300, 200, RGB(255, 0, 255));
    PrintFrame(wnd, s);
    const CRect rcText = wnd.m_hook.CaptionTextRect();
    const CRect ink = s.Bounds(CRect(rcText.left, 0, 242, 23), kWhite);
    ASSERT_FALSE(ink.IsRectEmpty());
    EXPECT_LE(ink.right, rcText.right) << "nothing runs into the gap before the close button";
    EXPECT_GE(ink.right, rcText.right - 16) << "the text (and its ellipsis) fills the area";
    EXPECT_EQ(0, s.Count(CRect(rcText.right, 4, 242, 20), kWhite));
}

TEST(CaptionTextTest, SecondaryTextIsRightAlignedAndTheTitleStopsBeforeIt)
{
    StyledTestWnd wnd;
    ASSERT_TRUE(wnd.Create(kCaptioned, 0, kLongTitle));
    wnd.m_hook.SetSecondaryCaption(L"BETA");
    DibSurface s(300, 200, RGB(255, 0, 255));
    PrintFrame(wnd, s);
    const CRect rcText = wnd.m_hook.CaptionTextRect();
    const int nSecondary = CaptionExtent(L"BETA");

    // The secondary text: its own extent at the right end of the text area.
    const CRect rcSecondary(rcText.right - nSecondary, rcText.top, rcText.right, rcText.bottom);
    const CRect inkSecondary = s.Bounds(rcSecondary, kWhite);
    ASSERT_FALSE(inkSecondary.IsRectEmpty());
    EXPECT_LE(inkSecondary.left, rcSecondary.left + 3);
    EXPECT_GE(inkSecondary.right, rcSecondary.right - 3);

    // The title, cut with its ellipsis 2 pixels before where the secondary text starts.
    const CRect inkTitle = s.Bounds(CRect(rcText.left, rcText.top, rcSecondary.left - 2, rcText.bottom), kWhite);
    ASSERT_FALSE(inkTitle.IsRectEmpty());
    EXPECT_GE(inkTitle.right, rcSecondary.left - 2 - 16);
    EXPECT_EQ(0, s.Count(CRect(rcSecondary.left - 2, rcText.top, rcSecondary.left, rcText.bottom), kWhite))
        << "a gap between the two texts";
}

// Texts changed on a window on the screen are drawn at once, exactly as the next full repaint of
// the frame draws them: nothing of the old text stays, and the two texts never overlap.
TEST(CaptionTextTest, ChangedTextsLookAsAfterAFullRepaint)
{
    StyledTestWnd wnd;
    ASSERT_TRUE(wnd.Create(kCaptioned | WS_VISIBLE, 0, L"Hello"));
    msgseq::PumpMessages();
    const CRect rcCaption = wnd.m_hook.CaptionRect();

    struct Step {
        const char* what;
        const wchar_t* title;      // null: unchanged
        const wchar_t* secondary;  // null: unchanged
    };
    const Step steps[] = {
        {"a longer title", L"A somewhat longer title", nullptr},
        {"a shorter title", L"Hi", nullptr},
        {"a secondary text beside a short title", nullptr, L"BETA"},
        {"a long title beside the secondary text", kLongTitle, nullptr},
        {"the secondary text removed beside a long title", nullptr, L""},
        {"a secondary text added beside a long title", nullptr, L"RC 2"},
        {"a short title beside the secondary text", L"Hi", nullptr},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        if (step.title)
            wnd.SetWindowText(step.title);
        if (step.secondary)
            wnd.m_hook.SetSecondaryCaption(step.secondary);
        const ShownAndRepainted r = ReadShownThenRepaint(wnd);
        ASSERT_TRUE(r.shown && r.repainted);
        EXPECT_TRUE(SameIn(*r.shown, *r.repainted, rcCaption));
    }
}

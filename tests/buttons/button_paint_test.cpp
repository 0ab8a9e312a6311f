// Bitmap buttons drawn into 32-bit DIB sections: frames per state, pictures per state, the focus
// cue, the caption's place and colours. Frames and pictures are compared exactly, captions only by
// position and colour (font engines differ).
#include "ButtonTestSupport.h"

#include "resources/ButtonSampleIds.h"
#include "resources/ResourceIds.h"
#include "toolkit/buttons/VellButton.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

using namespace buttontest;

namespace {

constexpr COLORREF kAmbientBack = RGB(120, 139, 169);
constexpr COLORREF kNavy = RGB(21, 59, 99);
constexpr COLORREF kCheckedFace = RGB(146, 160, 185);
constexpr COLORREF kMagenta = RGB(255, 0, 255);

int CountColor(const DibSurface& s, COLORREF clr)
{
    int n = 0;
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x)
            n += s.At(x, y) == clr;
    return n;
}

// The box around the pixels where two pictures differ; empty when they are the same.
CRect DifferenceBox(const DibSurface& a, const DibSurface& b)
{
    CRect box(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.At(x, y) != b.At(x, y)) {
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1);
                box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
    return box.left == INT_MAX ? CRect() : box;
}

class ButtonPaintTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(parent.m_hWnd); }

    // A frame-mode push button of 60 x 24.
    void MakeFrameButton(CVellBitmapButton& button)
    {
        const RECT rc{10, 10, 70, 34};
        ASSERT_TRUE(button.Create(kButtonId, &rc, &parent));
    }

    // The module list's check box: style 3, pictures 709 to 712, a caption.
    void MakeCheckBox(CVellBitmapButton& button)
    {
        button.SetButtonStyle(CVellBitmapButton::StyleCheckBox);
        button.SetUseDrawFrame(FALSE);
        button.SetPictureUp(IDB_CHECK_CLEARED);
        button.SetPictureDown(IDB_CHECK_CHECKED);
        button.SetPictureSelected(IDB_CHECK_CHECKED);
        button.SetPictureDisabled(IDB_CHECK_DISABLED);
        button.SetPictureDisabledAndSelected(IDB_CHECK_DISABLED_CHECKED);
        const RECT rc{10, 10, 160, 30};
        ASSERT_TRUE(button.Create(kButtonId, &rc, &parent));
        button.SetText(L"All modules");
    }

    CRecordingParent parent;
};

TEST_F(ButtonPaintTest, FrameModeDrawsOneFramePerState)
{
    CVellBitmapButton button;
    MakeFrameButton(button);
    CRect rc;
    ::GetClientRect(button.m_hWnd, &rc);
    ASSERT_EQ(CRect(0, 0, 60, 24), rc) << "a created button keeps the size it was given";

    DibSurface normal(60, 24);
    PaintInto(button, normal);
    EXPECT_EQ(kNavy, normal.At(30, 0)) << "outline: colour table entry 0";
    EXPECT_EQ(RGB(196, 199, 183), normal.At(30, 1)) << "raised: top lighter than the ambient background";
    EXPECT_EQ(RGB(50, 59, 84), normal.At(30, 22)) << "raised: bottom darker";
    EXPECT_EQ(kAmbientBack, normal.At(30, 12));

    SpaceDown(button.m_hWnd);
    ASSERT_TRUE(button.IsPressed());
    DibSurface pressed(60, 24);
    PaintInto(button, pressed);
    EXPECT_EQ(RGB(0, 0, 0), pressed.At(30, 0)) << "pressed: black outline";
    EXPECT_EQ(RGB(90, 94, 109), pressed.At(30, 1)) << "pressed: one dark line inside";
    EXPECT_EQ(kAmbientBack, pressed.At(30, 2));
    SpaceUp(button.m_hWnd);

    button.SetEnabled(FALSE);
    DibSurface disabled(60, 24);
    PaintInto(button, disabled);
    EXPECT_EQ(kNavy, disabled.At(30, 0));
    for (int y : {1, 2, 12, 21, 22})
        EXPECT_EQ(kAmbientBack, disabled.At(30, y)) << "a disabled frame is flat, y " << y;
    EXPECT_EQ(kAmbientBack, disabled.At(1, 12));
}

TEST_F(ButtonPaintTest, CheckButtonFrameSinksWhenCheckedAndFlattensWhenDisabled)
{
    CVellBitmapButton button;
    MakeFrameButton(button);
    button.SetButtonStyle(CVellBitmapButton::StyleCheck);
    button.SetCheck(1);
    DibSurface checked(60, 24);
    PaintInto(button, checked);
    EXPECT_EQ(kNavy, checked.At(30, 0));
    EXPECT_EQ(RGB(25, 67, 160), checked.At(30, 1)) << "sunken top on the checked face";

    button.SetEnabled(FALSE);
    DibSurface disabledChecked(60, 24);
    PaintInto(button, disabledChecked);
    for (int y : {1, 12, 22})
        EXPECT_EQ(kCheckedFace, disabledChecked.At(30, y)) << "flat checked face, y " << y;
}

TEST_F(ButtonPaintTest, FocusCueInsetFollowsTheSmallerSide)
{
    struct Case {
        int cx, cy, inset;
    };
    for (const Case& c : {Case{40, 15, 3}, Case{40, 20, 4}, Case{60, 40, 4}}) {
        CVellBitmapButton button;
        const RECT rc{10, 10, 10 + c.cx, 10 + c.cy};
        ASSERT_TRUE(button.Create(kButtonId, &rc, &parent));
        button.SetUseFocus(2);
        ::SetFocus(button.m_hWnd);
        ASSERT_EQ(button.m_hWnd, ::GetFocus());
        DibSurface s(c.cx, c.cy);
        PaintInto(button, s, ODA_FOCUS);
        const COLORREF clrCue = button.GetColor(-2);
        // The dotted top edge starts one pixel in from the inset corner.
        EXPECT_EQ(clrCue, s.At(c.inset + 1, c.inset)) << c.cx << " x " << c.cy;
        EXPECT_NE(clrCue, s.At(c.inset, c.inset)) << c.cx << " x " << c.cy;
        EXPECT_NE(clrCue, s.At(c.inset + 1, c.inset - 1)) << c.cx << " x " << c.cy;

        button.SetUseFocus(0);
        DibSurface none(c.cx, c.cy);
        PaintInto(button, none, ODA_FOCUS);
        EXPECT_NE(clrCue, none.At(c.inset + 1, c.inset)) << "UseFocus 0 draws no cue";
    }
}

TEST_F(ButtonPaintTest, PressedCaptionMovesOnePixelDownAndRight)
{
    CVellBitmapButton button;
    MakeFrameButton(button);
    button.SetUseAmbientForeColor(FALSE);
    button.SetForeColor(RGB(255, 255, 0));

    auto captionBox = [&](bool bPressed) {
        if (bPressed)
            SpaceDown(button.m_hWnd);
        button.SetText(L"");
        DibSurface bare(60, 24);
        PaintInto(button, bare);
        button.SetText(L"Hi");
        DibSurface text(60, 24);
        PaintInto(button, text);
        if (bPressed)
            SpaceUp(button.m_hWnd);
        return DifferenceBox(bare, text);
    };
    const CRect normal = captionBox(false);
    const CRect pressed = captionBox(true);
    ASSERT_FALSE(normal.IsRectEmpty());
    CRect expected = normal;
    expected.OffsetRect(1, 1);
    EXPECT_EQ(expected, pressed);
}

TEST_F(ButtonPaintTest, ShapedPictureShowsItsStatesAndTheBackgroundThroughTransparentPixels)
{
    CVellBitmapButton button;
    button.SetUseDrawFrame(FALSE);
    button.SetPictureUp(IDB_SAMPLE_ROUND_UP);
    button.SetPictureDown(IDB_SAMPLE_ROUND_DOWN);
    button.SetPictureDisabled(IDB_SAMPLE_ROUND_DISABLED);
    const RECT rc{10, 10, 110, 60};
    ASSERT_TRUE(button.Create(kButtonId, &rc, &parent));
    CRect client;
    ::GetClientRect(button.m_hWnd, &client);
    ASSERT_EQ(CRect(0, 0, 40, 40), client) << "style 0 in picture mode takes the picture's size";

    DibSurface up(40, 40), down(40, 40), disabled(40, 40);
    PaintInto(button, up);
    SpaceDown(button.m_hWnd);
    PaintInto(button, down);
    SpaceUp(button.m_hWnd);
    button.SetEnabled(FALSE);
    PaintInto(button, disabled);

    for (const DibSurface* s : {&up, &down, &disabled}) {
        EXPECT_EQ(kAmbientBack, s->At(0, 0)) << "keyed corner shows the effective background";
        EXPECT_EQ(kAmbientBack, s->At(39, 39));
        EXPECT_EQ(0, CountColor(*s, kMagenta));
    }
    EXPECT_NE(up.At(20, 6), down.At(20, 6)) << "the down picture while pressed";
    EXPECT_NE(up.At(20, 6), disabled.At(20, 6)) << "the disabled picture while disabled";
}

TEST_F(ButtonPaintTest, CheckBoxPicturePerStateWithTheCaptionAtItsRight)
{
    CVellBitmapButton button;
    MakeCheckBox(button);
    DibSurface cleared(150, 20);
    PaintInto(button, cleared);
    EXPECT_EQ(kAmbientBack, cleared.At(0, 2)) << "picture two pixels down, its keyed corner";
    EXPECT_EQ(kAmbientBack, cleared.At(7, 1)) << "above the picture: the background";
    EXPECT_EQ(RGB(80, 101, 138), cleared.At(7, 2)) << "711: frame blue border";
    EXPECT_EQ(20, button.GetTextRect().left) << "caption after the 15-pixel picture and the 5-pixel gap";
    EXPECT_EQ(0, CountColor(cleared, kMagenta));

    button.SetCheck(1);
    DibSurface checked(150, 20);
    PaintInto(button, checked);
    EXPECT_EQ(kNavy, checked.At(7, 2)) << "709: navy border";
    EXPECT_EQ(kNavy, checked.At(6, 12)) << "709: the check mark";

    button.SetEnabled(FALSE);
    DibSurface disabledChecked(150, 20);
    PaintInto(button, disabledChecked);
    EXPECT_EQ(RGB(138, 146, 160), disabledChecked.At(7, 2)) << "710: grey border";
    EXPECT_EQ(RGB(124, 131, 144), disabledChecked.At(6, 12)) << "710: grey check mark";

    button.SetCheck(0);
    DibSurface disabled(150, 20);
    PaintInto(button, disabled);
    EXPECT_EQ(RGB(206, 210, 217), disabled.At(6, 12)) << "712: no check mark";
    for (const DibSurface* s : {&checked, &disabledChecked, &disabled})
        EXPECT_EQ(0, CountColor(*s, kMagenta));
}

TEST_F(ButtonPaintTest, TextButtonCaptionIsAmbientBlackUntilTheAmbientColourIsSwitchedOff)
{
    CVellButton button;
    const RECT rc{10, 10, 90, 34};
    ASSERT_TRUE(button.Create(kButtonId, &rc, &parent));
    EXPECT_EQ(CString(L"VellBitmapButton"), button.GetTextRef()) << "the caption follows the window text";
    ::SetWindowTextW(button.m_hWnd, L"OK");
    EXPECT_EQ(CString(L"OK"), button.GetTextRef());
    wchar_t szWindow[64] = {};
    ::GetWindowTextW(button.m_hWnd, szWindow, 64);
    EXPECT_STREQ(L"VellBitmapButton", szWindow) << "the window's own text stays";

    DibSurface black(80, 24);
    PaintInto(button, black);
    EXPECT_GT(CountColor(black, RGB(0, 0, 0)), 5);
    EXPECT_EQ(0, CountColor(black, RGB(255, 255, 255)));

    button.SetUseAmbientForeColor(FALSE);
    DibSurface white(80, 24);
    PaintInto(button, white);
    EXPECT_GT(CountColor(white, RGB(255, 255, 255)), 5);
    EXPECT_EQ(0, CountColor(white, RGB(0, 0, 0)));
}

TEST_F(ButtonPaintTest, DisabledCaptionIsEmbossedInShadesOfTheBackground)
{
    CVellBitmapButton button;
    MakeFrameButton(button);
    button.SetText(L"OK");
    button.SetEnabled(FALSE);
    DibSurface s(60, 24);
    PaintInto(button, s);
    EXPECT_GT(CountColor(s, RGB(187, 197, 212)), 3) << "lighter shade of RGB(120, 139, 169)";
    EXPECT_GT(CountColor(s, RGB(60, 69, 84)), 3) << "darker shade";
}

}  // namespace

// Bevelled frames and the window border, read back from 32-bit DIB sections.
#include "toolkit/draw/DrawFrame.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);

#define EXPECT_PIXEL(surface, x, y, expected) \
    EXPECT_EQ(RgbText(expected), RgbText((surface).At((x), (y)))) << "at (" << (x) << ", " << (y) << ")"

}  // namespace

TEST(ColorShadingTest, ShadeAndBlend)
{
    const COLORREF base = RGB(213, 219, 229);
    EXPECT_EQ(RgbText(RGB(255, 255, 243)), RgbText(CVellDrawFrame::ShadeColor(0, base, 1))) << "red and green clamp";
    EXPECT_EQ(RgbText(RGB(143, 139, 144)), RgbText(CVellDrawFrame::ShadeColor(0, base, 0)));
    EXPECT_EQ(RgbText(RGB(0, 0, 15)), RgbText(CVellDrawFrame::ShadeColor(0, RGB(20, 30, 40), 5))) << "clamps at 0";
    EXPECT_EQ(RgbText(base), RgbText(CVellDrawFrame::ShadeColor(3, base, 4))) << "a zero row";
    EXPECT_EQ(RgbText(base), RgbText(CVellDrawFrame::ShadeColor(0, base, 12)));
    EXPECT_EQ(RgbText(base), RgbText(CVellDrawFrame::ShadeColor(0, base, -1)));

    EXPECT_EQ(RgbText(RGB(5, 100, 255)), RgbText(CVellDrawFrame::BlendColors(RGB(0, 100, 255), 1, RGB(11, 101, 255), 1, 2)))
        << "integer division";
    EXPECT_EQ(RgbText(RGB(255, 0, 60)), RgbText(CVellDrawFrame::BlendColors(RGB(200, 0, 20), 2, RGB(100, 0, 20), 1, 1)))
        << "clamped";
}

TEST(DrawFrameTest, RaisedTwoPixelFrameLayersAndCorners)
{
    DibSurface s(10, 8, kMagenta);
    CVellDrawFrame frame(2);
    frame.Setup(RGB(213, 219, 229), RECT{0, 0, 10, 8}, RGB(0, 0, 0), FALSE, CVellDrawFrame::Raised, FALSE);
    frame.Paint(s.dc());

    EXPECT_PIXEL(s, 5, 0, RGB(255, 255, 243));  // top layer 0
    EXPECT_PIXEL(s, 5, 1, RGB(255, 255, 240));  // top layer 1
    EXPECT_PIXEL(s, 0, 4, RGB(243, 242, 234));  // left
    EXPECT_PIXEL(s, 1, 4, RGB(227, 230, 231));
    EXPECT_PIXEL(s, 5, 7, RGB(143, 139, 144));  // bottom
    EXPECT_PIXEL(s, 5, 6, RGB(176, 177, 184));
    EXPECT_PIXEL(s, 9, 4, RGB(178, 180, 187));  // right
    EXPECT_PIXEL(s, 8, 4, RGB(202, 206, 215));
    EXPECT_PIXEL(s, 4, 3, kMagenta) << "no fill";

    // Top-right corner: the diagonal averages both sides, the rest grades towards its own side.
    EXPECT_PIXEL(s, 9, 0, RGB(216, 217, 215));
    EXPECT_PIXEL(s, 9, 1, RGB(197, 198, 201));
    EXPECT_PIXEL(s, 8, 0, RGB(235, 236, 229));
    EXPECT_PIXEL(s, 8, 1, RGB(228, 230, 227));
    // Bottom-left corner.
    EXPECT_PIXEL(s, 0, 7, RGB(193, 190, 189));
    EXPECT_PIXEL(s, 0, 6, RGB(218, 216, 211));
    EXPECT_PIXEL(s, 1, 7, RGB(168, 164, 166));
    EXPECT_PIXEL(s, 1, 6, RGB(201, 203, 207));
    // Top-left corner (the closing vertex): top and left meet.
    EXPECT_PIXEL(s, 0, 0, CVellDrawFrame::BlendColors(RGB(243, 242, 234), 1, RGB(255, 255, 243), 1, 2));
}

TEST(DrawFrameTest, OutlineTakesTheOuterRingAndFillTheRest)
{
    DibSurface s(8, 6, kMagenta);
    CVellDrawFrame frame(1);
    frame.Setup(RGB(161, 177, 204), RECT{0, 0, 8, 6}, RGB(1, 2, 3), TRUE, CVellDrawFrame::Sunken, TRUE);
    frame.Paint(s.dc());
    for (POINT p : {POINT{0, 0}, POINT{3, 0}, POINT{7, 0}, POINT{0, 3}, POINT{7, 5}, POINT{3, 5}})
        EXPECT_PIXEL(s, p.x, p.y, RGB(1, 2, 3));
    EXPECT_PIXEL(s, 3, 1, RGB(40, 84, 179));    // top, darker
    EXPECT_PIXEL(s, 1, 3, RGB(84, 118, 188));   // left, darker
    EXPECT_PIXEL(s, 6, 3, RGB(161, 185, 240));  // right, lighter and bluer
    EXPECT_PIXEL(s, 3, 4, RGB(161, 214, 255));  // bottom, lighter and bluer
    EXPECT_PIXEL(s, 6, 1, RGB(100, 134, 209));  // corner: the average of top and right
    EXPECT_PIXEL(s, 3, 2, RGB(161, 177, 204));  // fill
}

TEST(DrawFrameTest, WidthZeroDrawsOnlyFillAndOutline)
{
    DibSurface s(6, 6, kMagenta);
    CVellDrawFrame frame(0);
    frame.Setup(RGB(10, 20, 30), RECT{0, 0, 6, 6}, RGB(200, 0, 0), TRUE, CVellDrawFrame::Raised, TRUE);
    frame.Paint(s.dc());
    EXPECT_PIXEL(s, 0, 0, RGB(200, 0, 0));
    EXPECT_PIXEL(s, 5, 2, RGB(200, 0, 0));
    EXPECT_PIXEL(s, 1, 1, RGB(10, 20, 30));
    EXPECT_PIXEL(s, 4, 4, RGB(10, 20, 30));
}

TEST(DrawFrameTest, UnpreparedFrameDrawsNothingAndUnknownStyleIsBlack)
{
    DibSurface s(6, 6, kMagenta);
    CVellDrawFrame frame(2);
    frame.Paint(s.dc());
    EXPECT_PIXEL(s, 0, 0, kMagenta);
    EXPECT_PIXEL(s, 3, 1, kMagenta);

    frame.Setup(RGB(100, 100, 100), RECT{0, 0, 6, 6}, 0, FALSE, 2, FALSE);
    frame.Paint(s.dc());
    EXPECT_PIXEL(s, 3, 0, RGB(0, 0, 0));
    EXPECT_PIXEL(s, 3, 1, RGB(0, 0, 0));
    EXPECT_PIXEL(s, 3, 3, kMagenta);
}

TEST(DrawFrameTest, SetupAgainReplacesTheOutline)
{
    DibSurface s(12, 12, kMagenta);
    CVellDrawFrame frame(1);
    frame.Setup(RGB(100, 100, 100), RECT{0, 0, 12, 12}, 0, FALSE, CVellDrawFrame::DarkLine, FALSE);
    frame.Setup(RGB(100, 100, 100), RECT{2, 2, 8, 8}, 0, FALSE, CVellDrawFrame::DarkLine, FALSE);
    frame.Paint(s.dc());
    EXPECT_PIXEL(s, 5, 0, kMagenta) << "the first rectangle is gone";
    EXPECT_PIXEL(s, 5, 2, RGB(70, 55, 40));  // dark line: only the outer layer, by 30, 45, 60
    EXPECT_PIXEL(s, 7, 5, RGB(70, 55, 40));
}

TEST(DrawFrameTest, PaintLeavesTheDcAsItFoundIt)
{
    DibSurface s(10, 10, kMagenta);
    HGDIOBJ hPen = GetCurrentObject(s.dc(), OBJ_PEN);
    HGDIOBJ hBrush = GetCurrentObject(s.dc(), OBJ_BRUSH);
    SetBkColor(s.dc(), RGB(1, 1, 1));
    CVellDrawFrame frame(2);
    frame.Setup(RGB(50, 60, 70), RECT{0, 0, 10, 10}, RGB(9, 9, 9), TRUE, CVellDrawFrame::Raised, TRUE);
    frame.Paint(s.dc());
    DrawWindowBorder(s.dc(), RECT{0, 0, 10, 10});
    EXPECT_EQ(hPen, GetCurrentObject(s.dc(), OBJ_PEN));
    EXPECT_EQ(hBrush, GetCurrentObject(s.dc(), OBJ_BRUSH));
    EXPECT_EQ(RGB(1, 1, 1), GetBkColor(s.dc()));
}

TEST(WindowBorderTest, FourPixelBorderOn100By50)
{
    DibSurface s(100, 50, kMagenta);
    DrawWindowBorder(s.dc(), RECT{0, 0, 100, 50});
    const COLORREF light0 = RGB(199, 207, 220), light2 = RGB(146, 160, 185), frame = RGB(80, 101, 138);
    const COLORREF dark0 = RGB(20, 25, 35), dark2 = RGB(21, 59, 99);
    EXPECT_PIXEL(s, 0, 0, light0);
    EXPECT_PIXEL(s, 99, 0, light0) << "the outer top line runs up to x = 99";
    EXPECT_PIXEL(s, 99, 1, dark0) << "the outer right line is at x = 99";
    EXPECT_PIXEL(s, 99, 49, dark0);
    EXPECT_PIXEL(s, 0, 49, dark0) << "the bottom line covers the end of the left one";
    EXPECT_PIXEL(s, 0, 48, light0);
    EXPECT_PIXEL(s, 1, 1, light0);
    EXPECT_PIXEL(s, 2, 2, light2);
    EXPECT_PIXEL(s, 50, 2, light2);
    EXPECT_PIXEL(s, 3, 3, frame);
    EXPECT_PIXEL(s, 50, 3, frame);
    EXPECT_PIXEL(s, 98, 48, dark0);
    EXPECT_PIXEL(s, 97, 47, dark2);
    EXPECT_PIXEL(s, 50, 47, dark2);
    EXPECT_PIXEL(s, 96, 25, frame);
    EXPECT_PIXEL(s, 50, 46, frame);
    EXPECT_PIXEL(s, 4, 4, kMagenta);
    EXPECT_PIXEL(s, 95, 45, kMagenta);
}

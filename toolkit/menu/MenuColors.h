#pragma once
// Colours of the themed menus and the three colour operations they are made with.
#include <windows.h>

namespace vell_menu {

// Per component MulDiv(86, a, 100) + MulDiv(14, b, 100).
COLORREF BlendMostly(COLORREF a, COLORREF b);
// Per component MulDiv(c, 255 - nAmount, 255).
COLORREF DarkenBy(int nAmount, COLORREF c);
// Red and green to 70 %, blue (plus 55) to 70 %.
COLORREF ToneDown(COLORREF c);
// Per component MulDiv(c, n, 255).
COLORREF Scale(COLORREF c, int n);

constexpr COLORREF kPale = RGB(213, 219, 229);
constexpr COLORREF kNavy = RGB(21, 59, 99);
constexpr COLORREF kLight = RGB(186, 196, 211);  // BlendMostly(pale, navy)
constexpr COLORREF kDark = RGB(48, 82, 117);     // BlendMostly(navy, pale)
constexpr COLORREF kGreyText = RGB(128, 128, 128);
constexpr COLORREF kXpFramePen = RGB(235, 238, 243);
constexpr COLORREF kOpenBarItemPen = RGB(10, 29, 49);  // DarkenBy(128, navy)
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

}  // namespace vell_menu

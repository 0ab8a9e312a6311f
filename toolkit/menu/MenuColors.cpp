#include "toolkit/menu/MenuColors.h"

namespace vell_menu {

COLORREF BlendMostly(COLORREF a, COLORREF b)
{
    auto mix = [](int ca, int cb) { return MulDiv(86, ca, 100) + MulDiv(14, cb, 100); };
    return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)), mix(GetBValue(a), GetBValue(b)));
}

COLORREF DarkenBy(int nAmount, COLORREF c)
{
    return Scale(c, 255 - nAmount);
}

COLORREF ToneDown(COLORREF c)
{
    return RGB(MulDiv(GetRValue(c), 7, 10), MulDiv(GetGValue(c), 7, 10), MulDiv(GetBValue(c) + 55, 7, 10));
}

COLORREF Scale(COLORREF c, int n)
{
    return RGB(MulDiv(GetRValue(c), n, 255), MulDiv(GetGValue(c), n, 255), MulDiv(GetBValue(c), n, 255));
}

}  // namespace vell_menu

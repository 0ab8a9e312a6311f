#include "toolkit/controls/ColorAdjust.h"

COLORREF AdjustColor(int nMode, COLORREF clr)
{
    const int red = GetRValue(clr), green = GetGValue(clr), blue = GetBValue(clr);
    switch (nMode) {
    case kAdjustLighten: return RGB((red + 255) / 2, (green + 255) / 2, (blue + 255) / 2);
    case kAdjustWhite: return RGB(255, 255, 255);
    case kAdjustNavy: return kToolkitNavy;
    case kAdjustDarken: return RGB(red / 2, green / 2, blue / 2);
    default: return clr;
    }
}

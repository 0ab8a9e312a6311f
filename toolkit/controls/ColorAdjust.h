#pragma once
// The toolkit's colour adjustments.
#include <windows.h>

enum VellColorAdjust : int {
    kAdjustLighten = 0,  // each channel halfway to 255
    kAdjustWhite = 1,    // white
    kAdjustNavy = 2,     // the toolkit's dark blue, RGB(21, 59, 99)
    kAdjustDarken = 3,   // each channel halved
};

inline constexpr COLORREF kToolkitNavy = RGB(21, 59, 99);

// The colour adjusted by mode (a VellColorAdjust); any other mode gives the colour unchanged.
COLORREF AdjustColor(int nMode, COLORREF clr);

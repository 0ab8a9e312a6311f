#pragma once
// The scan behind CVellBitmapEntry::BuildRegion.
#include "platform/mfc/CGdiObject.h"

// Adds to rgn one rectangle (x0, y, x1, y + 1) per horizontal run of pixels of the bitmap that do not
// have the keying colour; rgn gets its first handle with the first run, so it stays without one when
// every pixel has the keying colour. 16-bit (5-6-5) and 24-bit pictures are read in one go and compared
// at the picture's own precision; other layouts pixel by pixel. False when the bitmap cannot be read.
bool CollectVisibleRuns(HBITMAP hBitmap, COLORREF clrKeying, CRgn& rgn);

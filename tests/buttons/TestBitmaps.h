#pragma once
// Bitmaps of a chosen layout filled from a list of colours, and readable regions for the checks.
#include <windows.h>

#include <string>
#include <vector>

enum class BitmapLayout {
    ScreenCompatible,  // a device-dependent bitmap like the ones LoadBitmap gives
    Dib32,
    Dib24,
    Dib16_565,
    Dib16_555,
};

std::string LayoutName(BitmapLayout layout);

// A bitmap of cx × cy pixels, row by row from pixels (cx * cy colours). The caller deletes it.
HBITMAP MakeBitmap(BitmapLayout layout, int cx, int cy, const std::vector<COLORREF>& pixels);

// Overwrites the pixels of a bitmap (it must not be selected anywhere).
void PaintBitmap(HBITMAP hBitmap, int cx, int cy, const std::vector<COLORREF>& pixels);

// The rectangles of a region in its own (top-to-bottom, left-to-right) order, as "(l, t, r, b)" texts.
std::vector<std::string> RegionRects(HRGN hRgn);

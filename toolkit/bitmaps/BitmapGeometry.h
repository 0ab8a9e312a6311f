#pragma once
// Size of a bitmap and its place centred in a rectangle.
#include <windows.h>

// Width and height of the bitmap; (0, 0) when the handle is not a bitmap.
SIZE GetBitmapDimensions(HBITMAP hBitmap);

// A rectangle of the bitmap's size centred in *pRect (half sizes rounded towards zero, as the
// buttons have always placed their frame pictures). An empty rectangle when pRect is null.
RECT CenterBitmapRect(HBITMAP hBitmap, const RECT* pRect);

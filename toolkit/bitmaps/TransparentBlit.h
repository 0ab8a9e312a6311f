#pragma once
// Copying pictures with a transparent (keying) colour, and the two-colour silhouettes of the
// disabled look. Every routine leaves the DCs it is given as it found them and releases what it
// made on every path; a failed GDI call makes it return FALSE.
#include <windows.h>

// The raster operations of the silhouettes, besides the usual SRCCOPY, SRCAND and SRCPAINT.
inline constexpr DWORD kRopBrushWhereSourceWhite = 0xE20746;  // DSPDxax
inline constexpr DWORD kRopBrushWhereSourceBlack = 0xB8074A;  // PSDPxax

// Copies cx × cy pixels of hdcSrc at (xSrc, ySrc) to (x, y) of hdcDest.
//  - pKey: pixels of this colour are transparent (dest shows through, or the background).
//  - pBack: fills behind the picture; without a key only together with bEmboss.
//  - pLight and pDark (both or neither): the disabled look, the picture as a silhouette in these two
//    shades; bEmboss draws it raised (light one pixel down and right, dark over it) over what is there.
// A call that breaks these rules, or with no DC or an empty size, draws nothing and returns FALSE.
BOOL BlitTransparent(HDC hdcDest, int x, int y, int cx, int cy, HDC hdcSrc, int xSrc, int ySrc,
                     const COLORREF* pKey, const COLORREF* pBack, const COLORREF* pLight, const COLORREF* pDark,
                     BOOL bEmboss);

// BlitTransparent from a bitmap. FALSE when the bitmap is null or cannot be selected.
BOOL DrawBitmapTransparent(HDC hdcDest, int x, int y, int cx, int cy, HBITMAP hBitmap, int xSrc, int ySrc,
                           const COLORREF* pKey, const COLORREF* pBack, const COLORREF* pLight,
                           const COLORREF* pDark, BOOL bEmboss);

// The source reduced to black and white; its black pixels are the shape. Plain: the rectangle in
// clrLight with the shape in clrDark. Embossed: the shape in clrLight one pixel down and right, then
// in clrDark at its place; pixels outside the shape keep what dest had.
BOOL DrawMonochromeImage(HDC hdcDest, int x, int y, int cx, int cy, HDC hdcSrc, int xSrc, int ySrc,
                         COLORREF clrLight, COLORREF clrDark, BOOL bEmboss);

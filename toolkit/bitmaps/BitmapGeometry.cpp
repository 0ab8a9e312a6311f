#include "toolkit/bitmaps/BitmapGeometry.h"

SIZE GetBitmapDimensions(HBITMAP hBitmap)
{
    BITMAP bm{};
    if (!hBitmap || ::GetObjectW(hBitmap, sizeof(bm), &bm) != sizeof(bm))
        return SIZE{0, 0};
    return SIZE{bm.bmWidth, bm.bmHeight};
}

RECT CenterBitmapRect(HBITMAP hBitmap, const RECT* pRect)
{
    if (!pRect)
        return RECT{};
    const SIZE size = GetBitmapDimensions(hBitmap);
    RECT r;
    r.left = (pRect->left + pRect->right) / 2 - size.cx / 2;
    r.top = (pRect->top + pRect->bottom) / 2 - size.cy / 2;
    r.right = r.left + size.cx;
    r.bottom = r.top + size.cy;
    return r;
}

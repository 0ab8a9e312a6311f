#include "toolkit/buttons/TransparentBlit.h"

#include "platform/mfc/CDC.h"
#include "platform/mfc/CGdiObject.h"
#include "toolkit/buttons/DcGuards.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// A memory DC compatible with hdc; empty (GetSafeHdc null) when it cannot be made.
void MakeMemoryDC(CDC& dc, HDC hdcCompatible)
{
    dc.Attach(::CreateCompatibleDC(hdcCompatible));
}

// Fills like CDC::FillSolidRect, but puts the DC's background colour back.
BOOL FillSolid(HDC hdc, int x, int y, int cx, int cy, COLORREF clr)
{
    const RECT r{x, y, x + cx, y + cy};
    const COLORREF clrOld = ::SetBkColor(hdc, clr);
    const BOOL bOk = ::ExtTextOutW(hdc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
    ::SetBkColor(hdc, clrOld);
    return bOk;
}

// Paints the black pixels of the two-colour shape with a brush of clr at (x, y); the rest of dest stays.
BOOL PaintShape(HDC hdcDest, int x, int y, int cx, int cy, HDC hdcShape, COLORREF clr)
{
    CBrush brush(clr);
    CSelectGuard selBrush(hdcDest, brush);
    if (!selBrush.ok())
        return FALSE;
    return ::BitBlt(hdcDest, x, y, cx, cy, hdcShape, 0, 0, kRopBrushWhereSourceBlack);
}

}  // namespace

BOOL DrawMonochromeImage(HDC hdcDest, int x, int y, int cx, int cy, HDC hdcSrc, int xSrc, int ySrc,
                         COLORREF clrLight, COLORREF clrDark, BOOL bEmboss)
{
    if (!hdcDest || !hdcSrc || cx <= 0 || cy <= 0)
        return FALSE;

    CDC shapeDC;
    MakeMemoryDC(shapeDC, hdcDest);
    if (!shapeDC.GetSafeHdc())
        return FALSE;
    // A one-bit DIB with its own colour table, so copies from it do not depend on dest's text and
    // background colours: index 0 white, index 1 black.
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[2];
    } info{};
    info.header.biSize = sizeof(info.header);
    info.header.biWidth = cx;
    info.header.biHeight = cy;
    info.header.biPlanes = 1;
    info.header.biBitCount = 1;
    info.header.biCompression = BI_RGB;
    info.colors[0] = RGBQUAD{255, 255, 255, 0};
    info.colors[1] = RGBQUAD{0, 0, 0, 0};
    void* pBits = nullptr;
    CBitmap shape;
    shape.Attach(::CreateDIBSection(shapeDC, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &pBits, nullptr, 0));
    CSelectGuard selShape(shapeDC, shape);
    if (!selShape.ok())
        return FALSE;
    if (!::BitBlt(shapeDC, 0, 0, cx, cy, hdcSrc, xSrc, ySrc, WHITENESS) ||
        !::BitBlt(shapeDC, 0, 0, cx, cy, hdcSrc, xSrc, ySrc, SRCAND))
        return FALSE;

    if (bEmboss) {
        const BOOL bLight = PaintShape(hdcDest, x + 1, y + 1, cx, cy, shapeDC, clrLight);
        const BOOL bDark = PaintShape(hdcDest, x, y, cx, cy, shapeDC, clrDark);
        return bLight && bDark;
    }
    CBrush light(clrLight);
    const RECT r{x, y, x + cx, y + cy};
    if (!light.GetSafeHandle() || !::FillRect(hdcDest, &r, light))
        return FALSE;
    return PaintShape(hdcDest, x, y, cx, cy, shapeDC, clrDark);
}

BOOL BlitTransparent(HDC hdcDest, int x, int y, int cx, int cy, HDC hdcSrc, int xSrc, int ySrc,
                     const COLORREF* pKey, const COLORREF* pBack, const COLORREF* pLight, const COLORREF* pDark,
                     BOOL bEmboss)
{
    if (!hdcDest || !hdcSrc || cx <= 0 || cy <= 0)
        return FALSE;
    if (!pLight != !pDark)
        return FALSE;
    const bool bDisabledLook = pLight != nullptr;
    if (bEmboss && !bDisabledLook)
        return FALSE;
    if (!pKey && pBack && !bEmboss)
        return FALSE;

    if (!pKey) {
        if (!bDisabledLook)
            return ::BitBlt(hdcDest, x, y, cx, cy, hdcSrc, xSrc, ySrc, SRCCOPY);
        const BOOL bFilled = pBack ? FillSolid(hdcDest, x, y, cx, cy, *pBack) : TRUE;
        return DrawMonochromeImage(hdcDest, x, y, cx, cy, hdcSrc, xSrc, ySrc, *pLight, *pDark, bEmboss) && bFilled;
    }

    // Declared first, so the colours go back after everything below is released.
    CVellColorsGuard srcColors(hdcSrc);
    CVellColorsGuard destColors(hdcDest);

    // The picture, or its flat silhouette, in a bitmap like dest's.
    CDC imageDC;
    MakeMemoryDC(imageDC, hdcDest);
    if (!imageDC.GetSafeHdc())
        return FALSE;
    CBitmap image;
    image.CreateCompatibleBitmap(hdcDest, cx, cy);
    CSelectGuard selImage(imageDC, image);
    if (!selImage.ok())
        return FALSE;
    const BOOL bImage = bDisabledLook && !bEmboss
                            ? DrawMonochromeImage(imageDC, 0, 0, cx, cy, hdcSrc, xSrc, ySrc, *pLight, *pDark, FALSE)
                            : ::BitBlt(imageDC, 0, 0, cx, cy, hdcSrc, xSrc, ySrc, SRCCOPY);
    if (!bImage)
        return FALSE;

    // The mask: white (1) where the source has the key colour, black (0) elsewhere.
    CDC maskDC;
    MakeMemoryDC(maskDC, hdcDest);
    if (!maskDC.GetSafeHdc())
        return FALSE;
    CBitmap mask;
    mask.CreateBitmap(cx, cy, 1, 1, nullptr);
    CSelectGuard selMask(maskDC, mask);
    if (!selMask.ok())
        return FALSE;
    ::SetBkColor(hdcSrc, *pKey);
    if (!::BitBlt(maskDC, 0, 0, cx, cy, hdcSrc, xSrc, ySrc, SRCCOPY))
        return FALSE;

    if (pBack && !bEmboss) {
        // The background colour where the mask is white, then the whole block to dest.
        CBrush back(*pBack);
        CSelectGuard selBack(imageDC, back);
        ::SetBkColor(imageDC, kWhite);
        ::SetTextColor(imageDC, kBlack);
        const BOOL bMerged = selBack.ok() && ::BitBlt(imageDC, 0, 0, cx, cy, maskDC, 0, 0, kRopBrushWhereSourceWhite);
        const BOOL bCopied = ::BitBlt(hdcDest, x, y, cx, cy, imageDC, 0, 0, SRCCOPY);
        return bMerged && bCopied;
    }
    if (bEmboss) {
        const BOOL bFilled = pBack ? FillSolid(hdcDest, x, y, cx, cy, *pBack) : TRUE;
        // Key areas white, so they drop out of the silhouette.
        ::SetBkColor(imageDC, kWhite);
        ::SetTextColor(imageDC, kBlack);
        if (!::BitBlt(imageDC, 0, 0, cx, cy, maskDC, 0, 0, SRCPAINT))
            return FALSE;
        return DrawMonochromeImage(hdcDest, x, y, cx, cy, imageDC, 0, 0, *pLight, *pDark, TRUE) && bFilled;
    }
    // Key areas of the image black; dest black where the picture is opaque; then the two ORed.
    ::SetBkColor(imageDC, kBlack);
    ::SetTextColor(imageDC, kWhite);
    const BOOL bImageCut = ::BitBlt(imageDC, 0, 0, cx, cy, maskDC, 0, 0, SRCAND);
    ::SetBkColor(hdcDest, kWhite);
    ::SetTextColor(hdcDest, kBlack);
    const BOOL bDestCut = ::BitBlt(hdcDest, x, y, cx, cy, maskDC, 0, 0, SRCAND);
    const BOOL bPut = ::BitBlt(hdcDest, x, y, cx, cy, imageDC, 0, 0, SRCPAINT);
    return bImageCut && bDestCut && bPut;
}

BOOL DrawBitmapTransparent(HDC hdcDest, int x, int y, int cx, int cy, HBITMAP hBitmap, int xSrc, int ySrc,
                           const COLORREF* pKey, const COLORREF* pBack, const COLORREF* pLight,
                           const COLORREF* pDark, BOOL bEmboss)
{
    if (!hdcDest || !hBitmap)
        return FALSE;
    CDC srcDC;
    MakeMemoryDC(srcDC, hdcDest);
    if (!srcDC.GetSafeHdc())
        return FALSE;
    CSelectGuard selBitmap(srcDC, hBitmap);
    if (!selBitmap.ok())
        return FALSE;
    return BlitTransparent(hdcDest, x, y, cx, cy, srcDC, xSrc, ySrc, pKey, pBack, pLight, pDark, bEmboss);
}

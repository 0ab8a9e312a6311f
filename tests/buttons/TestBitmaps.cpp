#include "TestBitmaps.h"

#include <cstdio>

std::string LayoutName(BitmapLayout layout)
{
    switch (layout) {
    case BitmapLayout::ScreenCompatible: return "ScreenCompatible";
    case BitmapLayout::Dib32: return "Dib32";
    case BitmapLayout::Dib24: return "Dib24";
    case BitmapLayout::Dib16_565: return "Dib16_565";
    case BitmapLayout::Dib16_555: return "Dib16_555";
    }
    return "?";
}

HBITMAP MakeBitmap(BitmapLayout layout, int cx, int cy, const std::vector<COLORREF>& pixels)
{
    HBITMAP hBitmap = nullptr;
    if (layout == BitmapLayout::ScreenCompatible) {
        HDC hdcScreen = GetDC(nullptr);
        hBitmap = CreateCompatibleBitmap(hdcScreen, cx, cy);
        ReleaseDC(nullptr, hdcScreen);
    } else {
        struct {
            BITMAPINFOHEADER header;
            DWORD masks[3];
        } info{};
        info.header.biSize = sizeof(info.header);
        info.header.biWidth = cx;
        info.header.biHeight = cy;  // bottom-up, as most pictures are stored
        info.header.biPlanes = 1;
        info.header.biCompression = BI_RGB;
        switch (layout) {
        case BitmapLayout::Dib32: info.header.biBitCount = 32; break;
        case BitmapLayout::Dib24: info.header.biBitCount = 24; break;
        case BitmapLayout::Dib16_555: info.header.biBitCount = 16; break;
        default:
            info.header.biBitCount = 16;
            info.header.biCompression = BI_BITFIELDS;
            info.masks[0] = 0xF800;
            info.masks[1] = 0x07E0;
            info.masks[2] = 0x001F;
            break;
        }
        void* pBits = nullptr;
        hBitmap = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &pBits, nullptr, 0);
    }
    if (hBitmap)
        PaintBitmap(hBitmap, cx, cy, pixels);
    return hBitmap;
}

void PaintBitmap(HBITMAP hBitmap, int cx, int cy, const std::vector<COLORREF>& pixels)
{
    HDC hdc = CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = SelectObject(hdc, hBitmap);
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x)
            SetPixelV(hdc, x, y, pixels[static_cast<size_t>(y * cx + x)]);
    GdiFlush();
    SelectObject(hdc, hOld);
    DeleteDC(hdc);
}

std::vector<std::string> RegionRects(HRGN hRgn)
{
    std::vector<std::string> out;
    const DWORD cb = GetRegionData(hRgn, 0, nullptr);
    if (!cb)
        return out;
    std::vector<BYTE> buffer(cb);
    auto* pData = reinterpret_cast<RGNDATA*>(buffer.data());
    if (!GetRegionData(hRgn, cb, pData))
        return out;
    const auto* pRects = reinterpret_cast<const RECT*>(pData->Buffer);
    for (DWORD i = 0; i < pData->rdh.nCount; ++i) {
        char text[64];
        std::snprintf(text, sizeof(text), "(%ld, %ld, %ld, %ld)", pRects[i].left, pRects[i].top, pRects[i].right,
                      pRects[i].bottom);
        out.emplace_back(text);
    }
    return out;
}

#pragma once
// A 32-bit top-down DIB section selected into its own memory DC, for reading drawn pixels back.
#include <windows.h>

#include <memory>
#include <string>

class DibSurface {
public:
    DibSurface(int cx, int cy, COLORREF clrFill = RGB(0, 0, 0));
    ~DibSurface();
    DibSurface(const DibSurface&) = delete;
    DibSurface& operator=(const DibSurface&) = delete;

    HDC dc() const { return m_hDC; }
    int Width() const { return m_cx; }
    int Height() const { return m_cy; }
    void Fill(COLORREF clr);
    // The pixel as a COLORREF (GDI has finished drawing: GdiFlush is called first).
    COLORREF At(int x, int y) const;
    // How many pixels of rc (clipped to the surface) have the colour clr.
    int Count(const RECT& rc, COLORREF clr) const;
    // The bounding box of the pixels of rc that have the colour clr; empty when there are none.
    RECT Bounds(const RECT& rc, COLORREF clr) const;
    // The bounding box of the pixels of rc that differ from clrBackground (ink of any shade, as
    // smoothed text or glyphs leave it); empty when there are none.
    RECT InkBounds(const RECT& rc, COLORREF clrBackground) const;
    // Writes a 32-bit .bmp file.
    bool SaveBmp(const std::wstring& path) const;
    // Writes a 24-bit RGB .png file.
    bool SavePng(const std::wstring& path) const;

private:
    RECT BoundsWhere(const RECT& rc, COLORREF clr, bool bEqual) const;

    int m_cx;
    int m_cy;
    HDC m_hDC = nullptr;
    HBITMAP m_hBitmap = nullptr;
    HGDIOBJ m_hOld = nullptr;
    DWORD* m_pBits = nullptr;
};

// What the window's DC shows now, frame included (window coordinates); null without a window DC.
std::unique_ptr<DibSurface> CopyOfWindow(HWND hWnd);

// "RGB(r, g, b)", for failure messages that name colours as the code does.
std::string RgbText(COLORREF clr);

// <build>\screenshots\<name> (the folder is made when missing), where every picture of the tests goes.
std::wstring ScreenshotPath(const wchar_t* pszName);

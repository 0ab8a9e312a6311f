#include "gallery/ScreenCapture.h"

#include <algorithm>

namespace {

BOOL CALLBACK AddVisibleWindow(HWND hWnd, LPARAM lParam)
{
    RECT& rcBounds = *reinterpret_cast<RECT*>(lParam);
    RECT rc;
    if (!::IsWindowVisible(hWnd) || !::GetWindowRect(hWnd, &rc) || ::IsRectEmpty(&rc))
        return TRUE;
    if (::IsRectEmpty(&rcBounds))
        rcBounds = rc;
    else
        ::UnionRect(&rcBounds, &rcBounds, &rc);
    return TRUE;
}

// Screen DC, memory DC and DIB section, released in reverse order.
class ScreenCopy {
public:
    ScreenCopy(int cx, int cy) : m_cx(cx), m_cy(cy)
    {
        m_hScreen = ::GetDC(nullptr);
        m_hMem = ::CreateCompatibleDC(m_hScreen);
        BITMAPINFO bmi = {};
        bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
        bmi.bmiHeader.biWidth = cx;
        bmi.bmiHeader.biHeight = -cy;  // top-down
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        bmi.bmiHeader.biCompression = BI_RGB;
        void* pBits = nullptr;
        m_hDib = ::CreateDIBSection(m_hMem, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
        m_pBits = static_cast<const DWORD*>(pBits);
        if (m_hDib)
            m_hOld = ::SelectObject(m_hMem, m_hDib);
    }
    ~ScreenCopy()
    {
        if (m_hOld)
            ::SelectObject(m_hMem, m_hOld);
        if (m_hDib)
            ::DeleteObject(m_hDib);
        if (m_hMem)
            ::DeleteDC(m_hMem);
        if (m_hScreen)
            ::ReleaseDC(nullptr, m_hScreen);
    }
    ScreenCopy(const ScreenCopy&) = delete;
    ScreenCopy& operator=(const ScreenCopy&) = delete;

    bool Copy(int x, int y)
    {
        if (!m_hDib || !m_hOld)
            return false;
        ::GdiFlush();
        const BOOL bOk = ::BitBlt(m_hMem, 0, 0, m_cx, m_cy, m_hScreen, x, y, SRCCOPY);
        ::GdiFlush();
        return bOk != FALSE;
    }
    const DWORD* Pixels() const { return m_pBits; }

private:
    int m_cx, m_cy;
    HDC m_hScreen = nullptr;
    HDC m_hMem = nullptr;
    HBITMAP m_hDib = nullptr;
    HGDIOBJ m_hOld = nullptr;
    const DWORD* m_pBits = nullptr;
};

}  // namespace

RECT ThreadWindowsBounds()
{
    RECT rcBounds = {};
    ::EnumThreadWindows(::GetCurrentThreadId(), AddVisibleWindow, reinterpret_cast<LPARAM>(&rcBounds));
    return rcBounds;
}

std::vector<BYTE> EncodeBmp24(const DWORD* pPixels, int cx, int cy)
{
    const int nStride = (cx * 3 + 3) & ~3;
    const DWORD nHeaders = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    std::vector<BYTE> file(nHeaders + static_cast<size_t>(nStride) * cy);

    BITMAPFILEHEADER fh = {};
    fh.bfType = 0x4D42;  // "BM"
    fh.bfSize = static_cast<DWORD>(file.size());
    fh.bfOffBits = nHeaders;
    BITMAPINFOHEADER ih = {};
    ih.biSize = sizeof(ih);
    ih.biWidth = cx;
    ih.biHeight = cy;  // bottom-up, as every reader expects
    ih.biPlanes = 1;
    ih.biBitCount = 24;
    ih.biCompression = BI_RGB;
    ih.biSizeImage = static_cast<DWORD>(nStride) * cy;
    std::copy_n(reinterpret_cast<const BYTE*>(&fh), sizeof(fh), file.begin());
    std::copy_n(reinterpret_cast<const BYTE*>(&ih), sizeof(ih), file.begin() + sizeof(fh));

    for (int y = 0; y < cy; ++y) {
        BYTE* pRow = file.data() + nHeaders + static_cast<size_t>(cy - 1 - y) * nStride;
        const DWORD* pSource = pPixels + static_cast<size_t>(y) * cx;
        for (int x = 0; x < cx; ++x) {
            pRow[3 * x] = static_cast<BYTE>(pSource[x]);            // blue
            pRow[3 * x + 1] = static_cast<BYTE>(pSource[x] >> 8);   // green
            pRow[3 * x + 2] = static_cast<BYTE>(pSource[x] >> 16);  // red
        }
    }
    return file;
}

bool CaptureScreenToBmp(const RECT& rc, const wchar_t* pszPath)
{
    const int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
    if (cx <= 0 || cy <= 0)
        return false;
    ScreenCopy copy(cx, cy);
    if (!copy.Copy(rc.left, rc.top))
        return false;
    const std::vector<BYTE> file = EncodeBmp24(copy.Pixels(), cx, cy);

    const HANDLE hFile = ::CreateFileW(pszPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    DWORD nWritten = 0;
    const BOOL bWritten = ::WriteFile(hFile, file.data(), static_cast<DWORD>(file.size()), &nWritten, nullptr);
    const BOOL bClosed = ::CloseHandle(hFile);
    return bWritten && bClosed && nWritten == file.size();
}

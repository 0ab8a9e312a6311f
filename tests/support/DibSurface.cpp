#include "tests/support/DibSurface.h"

#include <zlib.h>

#include <cstdio>
#include <vector>

DibSurface::DibSurface(int cx, int cy, COLORREF clrFill) : m_cx(cx), m_cy(cy)
{
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* pBits = nullptr;
    m_hBitmap = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    m_pBits = static_cast<DWORD*>(pBits);
    m_hDC = CreateCompatibleDC(nullptr);
    m_hOld = SelectObject(m_hDC, m_hBitmap);
    Fill(clrFill);
}

DibSurface::~DibSurface()
{
    SelectObject(m_hDC, m_hOld);
    DeleteDC(m_hDC);
    DeleteObject(m_hBitmap);
}

void DibSurface::Fill(COLORREF clr)
{
    const DWORD pixel = (GetRValue(clr) << 16) | (GetGValue(clr) << 8) | GetBValue(clr);
    for (int i = 0; i < m_cx * m_cy; ++i)
        m_pBits[i] = pixel;
}

COLORREF DibSurface::At(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_cx || y >= m_cy)
        return CLR_INVALID;
    GdiFlush();
    const DWORD p = m_pBits[y * m_cx + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

int DibSurface::Count(const RECT& rc, COLORREF clr) const
{
    int n = 0;
    for (int y = rc.top < 0 ? 0 : rc.top; y < rc.bottom && y < m_cy; ++y) {
        for (int x = rc.left < 0 ? 0 : rc.left; x < rc.right && x < m_cx; ++x) {
            if (At(x, y) == clr)
                ++n;
        }
    }
    return n;
}

RECT DibSurface::Bounds(const RECT& rc, COLORREF clr) const
{
    return BoundsWhere(rc, clr, true);
}

RECT DibSurface::InkBounds(const RECT& rc, COLORREF clrBackground) const
{
    return BoundsWhere(rc, clrBackground, false);
}

RECT DibSurface::BoundsWhere(const RECT& rc, COLORREF clr, bool bEqual) const
{
    RECT r{};
    bool bAny = false;
    for (int y = rc.top < 0 ? 0 : rc.top; y < rc.bottom && y < m_cy; ++y) {
        for (int x = rc.left < 0 ? 0 : rc.left; x < rc.right && x < m_cx; ++x) {
            if ((At(x, y) == clr) != bEqual)
                continue;
            if (!bAny) {
                r = RECT{x, y, x + 1, y + 1};
                bAny = true;
            } else {
                r.left = x < r.left ? x : r.left;
                r.right = x + 1 > r.right ? x + 1 : r.right;
                r.bottom = y + 1;
            }
        }
    }
    return r;
}

std::unique_ptr<DibSurface> CopyOfWindow(HWND hWnd)
{
    RECT rc{};
    if (!GetWindowRect(hWnd, &rc) || rc.right <= rc.left || rc.bottom <= rc.top)
        return nullptr;
    HDC hDC = GetWindowDC(hWnd);
    if (!hDC)
        return nullptr;
    auto surface = std::make_unique<DibSurface>(rc.right - rc.left, rc.bottom - rc.top);
    BitBlt(surface->dc(), 0, 0, surface->Width(), surface->Height(), hDC, 0, 0, SRCCOPY);
    ReleaseDC(hWnd, hDC);
    return surface;
}

std::string RgbText(COLORREF clr)
{
    char buf[32];
    std::snprintf(buf, sizeof(buf), "RGB(%d, %d, %d)", GetRValue(clr), GetGValue(clr), GetBValue(clr));
    return buf;
}

bool DibSurface::SaveBmp(const std::wstring& path) const
{
    GdiFlush();
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = m_cx;
    info.biHeight = -m_cy;
    info.biPlanes = 1;
    info.biBitCount = 32;
    info.biCompression = BI_RGB;
    const DWORD cbPixels = static_cast<DWORD>(m_cx * m_cy * 4);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + cbPixels;
    // Opaque in the file: viewers read the fourth byte of a 32-bit bitmap as alpha.
    std::vector<DWORD> pixels(m_pBits, m_pBits + m_cx * m_cy);
    for (DWORD& p : pixels)
        p |= 0xFF000000u;
    FILE* f = _wfopen(path.c_str(), L"wb");
    if (!f)
        return false;
    bool ok = std::fwrite(&file, sizeof(file), 1, f) == 1 && std::fwrite(&info, sizeof(info), 1, f) == 1 &&
              std::fwrite(pixels.data(), cbPixels, 1, f) == 1;
    ok = std::fclose(f) == 0 && ok;
    return ok;
}

namespace {

void PutBigEndian(std::vector<unsigned char>& out, uLong n)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<unsigned char>((n >> shift) & 0xFF));
}

void PutChunk(std::vector<unsigned char>& out, const char* pszType, const std::vector<unsigned char>& data)
{
    PutBigEndian(out, static_cast<uLong>(data.size()));
    const size_t nStart = out.size();
    out.insert(out.end(), pszType, pszType + 4);
    out.insert(out.end(), data.begin(), data.end());
    PutBigEndian(out, crc32(0, out.data() + nStart, static_cast<uInt>(out.size() - nStart)));
}

}  // namespace

bool DibSurface::SavePng(const std::wstring& path) const
{
    GdiFlush();
    // 8-bit RGB rows, each after a filter byte of 0 (none).
    std::vector<unsigned char> raw;
    raw.reserve(static_cast<size_t>(m_cy) * (1 + 3 * static_cast<size_t>(m_cx)));
    for (int y = 0; y < m_cy; ++y) {
        raw.push_back(0);
        for (int x = 0; x < m_cx; ++x) {
            const DWORD p = m_pBits[y * m_cx + x];
            raw.push_back(static_cast<unsigned char>((p >> 16) & 0xFF));
            raw.push_back(static_cast<unsigned char>((p >> 8) & 0xFF));
            raw.push_back(static_cast<unsigned char>(p & 0xFF));
        }
    }
    uLongf cbPacked = compressBound(static_cast<uLong>(raw.size()));
    std::vector<unsigned char> packed(cbPacked);
    if (compress2(packed.data(), &cbPacked, raw.data(), static_cast<uLong>(raw.size()), 6) != Z_OK)
        return false;
    packed.resize(cbPacked);

    std::vector<unsigned char> header;
    PutBigEndian(header, static_cast<uLong>(m_cx));
    PutBigEndian(header, static_cast<uLong>(m_cy));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, no filter choice, no interlace
    std::vector<unsigned char> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    PutChunk(file, "IHDR", header);
    PutChunk(file, "IDAT", packed);
    PutChunk(file, "IEND", {});

    FILE* f = _wfopen(path.c_str(), L"wb");
    if (!f)
        return false;
    bool ok = std::fwrite(file.data(), file.size(), 1, f) == 1;
    ok = std::fclose(f) == 0 && ok;
    return ok;
}

std::wstring ScreenshotPath(const wchar_t* pszName)
{
    const wchar_t* pszBin = _wgetenv(L"LUMBRA_BIN");
    std::wstring folder = std::wstring(pszBin ? pszBin : L".") + L"\\..\\screenshots";
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder + L"\\" + pszName;
}

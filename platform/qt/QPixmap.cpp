#include "platform/qt/QPixmap.h"

#include <cstring>
#include <vector>

QPixmap::QPixmap(int w, int h, int depth)
{
    Create(w, h, depth == 1 ? 1 : 32);
}

QPixmap::QPixmap(const QPixmap& other) : QPaintDevice()
{
    *this = other;
}

QPixmap& QPixmap::operator=(const QPixmap& other)
{
    if (this == &other)
        return *this;
    Free();
    if (!other.isNull()) {
        Create(other.m_w, other.m_h, other.m_nDepth);
        if (m_pBits && other.m_pBits) {
            GdiFlush();
            const int stride = m_nDepth == 1 ? ((m_w + 31) / 32) * 4 : m_w * 4;
            std::memcpy(m_pBits, other.m_pBits, static_cast<size_t>(stride) * static_cast<size_t>(m_h));
        }
    }
    if (other.m_mask)
        m_mask = std::make_unique<QBitmap>(*other.m_mask);
    return *this;
}

QPixmap::~QPixmap()
{
    Free();
}

void QPixmap::Create(int w, int h, int depth)
{
    Free();
    if (w <= 0 || h <= 0)
        return;
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[2];
    } bmi{};
    bmi.header.biSize = sizeof(bmi.header);
    bmi.header.biWidth = w;
    bmi.header.biHeight = -h;
    bmi.header.biPlanes = 1;
    bmi.header.biBitCount = static_cast<WORD>(depth);
    bmi.header.biCompression = BI_RGB;
    bmi.colors[1] = RGBQUAD{255, 255, 255, 0};
    m_hBitmap = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&bmi), DIB_RGB_COLORS, &m_pBits, nullptr, 0);
    if (!m_hBitmap)
        return;
    m_w = w;
    m_h = h;
    m_nDepth = depth;
}

void QPixmap::Free()
{
    if (m_hdc) {
        SelectObject(m_hdc, m_hOldBitmap);
        DeleteDC(m_hdc);
        m_hdc = nullptr;
        m_nDCUsers = 0;
    }
    if (m_hBitmap)
        DeleteObject(m_hBitmap);
    m_hBitmap = nullptr;
    m_pBits = nullptr;
    m_w = m_h = 0;
    m_mask.reset();
}

HDC QPixmap::acquireDC()
{
    if (!m_hBitmap)
        return nullptr;
    if (!m_hdc) {
        m_hdc = CreateCompatibleDC(nullptr);
        if (!m_hdc)
            return nullptr;
        m_hOldBitmap = SelectObject(m_hdc, m_hBitmap);
    }
    ++m_nDCUsers;
    return m_hdc;
}

void QPixmap::releaseDC(HDC hdc)
{
    if (!hdc || hdc != m_hdc || --m_nDCUsers > 0)
        return;
    SelectObject(m_hdc, m_hOldBitmap);
    DeleteDC(m_hdc);
    m_hdc = nullptr;
}

void QPixmap::resize(int w, int h)
{
    QPixmap old(*this);
    Create(w, h, m_nDepth);
    if (isNull())
        return;
    fill(m_nDepth == 1 ? Qt::color0 : Qt::white);
    if (!old.isNull()) {
        HDC dst = acquireDC();
        HDC src = old.acquireDC();
        BitBlt(dst, 0, 0, w < old.m_w ? w : old.m_w, h < old.m_h ? h : old.m_h, src, 0, 0, SRCCOPY);
        old.releaseDC(src);
        releaseDC(dst);
    }
}

void QPixmap::fill(const QColor& color)
{
    HDC hdc = acquireDC();
    if (!hdc)
        return;
    HBRUSH hBrush = CreateSolidBrush(color.colorRef());
    RECT r{0, 0, m_w, m_h};
    FillRect(hdc, &r, hBrush);
    DeleteObject(hBrush);
    releaseDC(hdc);
}

void QPixmap::setMask(const QBitmap& mask)
{
    if (mask.isNull() || &mask == m_mask.get()) {
        if (mask.isNull())
            m_mask.reset();
        return;
    }
    m_mask = std::make_unique<QBitmap>(mask);
}

QRgb QPixmap::pixel(int x, int y) const
{
    if (!m_pBits || x < 0 || y < 0 || x >= m_w || y >= m_h)
        return 0;
    GdiFlush();
    if (m_nDepth == 1) {
        const int stride = ((m_w + 31) / 32) * 4;
        const auto* row = static_cast<const unsigned char*>(m_pBits) + y * stride;
        return (row[x / 8] & (0x80 >> (x % 8))) ? 0xFFFFFFFFu : 0xFF000000u;
    }
    return 0xFF000000u | (static_cast<const DWORD*>(m_pBits)[y * m_w + x] & 0xFFFFFF);
}

QBitmap::QBitmap(int w, int h, bool clear) : QPixmap(w, h, 1)
{
    if (clear)
        fill(Qt::color0);
}

namespace {

// The mask as a monochrome device-dependent bitmap: blitting one onto a colour DC maps its bits to
// the DC's text and background colours on every system, which a one-bit DIB section does not.
HBITMAP MonochromeCopy(const QBitmap& mask)
{
    const int w = mask.width(), h = mask.height();
    HBITMAP ddb = CreateBitmap(w, h, 1, 1, nullptr);
    HDC hdc = GetDC(nullptr);
    if (!ddb || !hdc) {
        if (hdc)
            ReleaseDC(nullptr, hdc);
        return ddb;
    }
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[2];
    } bmi{};
    bmi.header.biSize = sizeof(bmi.header);
    bmi.header.biWidth = w;
    bmi.header.biHeight = -h;
    bmi.header.biPlanes = 1;
    bmi.header.biBitCount = 1;
    bmi.header.biCompression = BI_RGB;
    const size_t stride = static_cast<size_t>((w + 31) / 32) * 4;
    std::vector<unsigned char> bits(stride * static_cast<size_t>(h));
    auto* info = reinterpret_cast<BITMAPINFO*>(&bmi);
    GdiFlush();
    if (GetDIBits(hdc, mask.hbm(), 0, static_cast<UINT>(h), bits.data(), info, DIB_RGB_COLORS))
        SetDIBits(hdc, ddb, 0, static_cast<UINT>(h), bits.data(), info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, hdc);
    return ddb;
}

}  // namespace

void bitBlt(QPaintDevice* dst, int dx, int dy, const QPixmap* src, int sx, int sy, int sw, int sh)
{
    if (!dst || !src || src->isNull())
        return;
    if (sw < 0)
        sw = src->width() - sx;
    if (sh < 0)
        sh = src->height() - sy;
    if (sw <= 0 || sh <= 0)
        return;
    auto* source = const_cast<QPixmap*>(src);
    HDC hdcDst = dst->acquireDC();
    HDC hdcSrc = source->acquireDC();
    if (hdcDst && hdcSrc) {
        const QBitmap* mask = src->mask();
        if (!mask || dst->isBitmapDevice()) {
            BitBlt(hdcDst, dx, dy, sw, sh, hdcSrc, sx, sy, SRCCOPY);
        } else {
            // Transparent copy: clear the drawn pixels of the target (AND with the inverted mask),
            // then OR in the source with its clear pixels made black.
            HBITMAP hMono = MonochromeCopy(*mask);
            HDC hdcMask = hMono ? CreateCompatibleDC(nullptr) : nullptr;
            const HGDIOBJ hOldMono = hdcMask ? SelectObject(hdcMask, hMono) : nullptr;
            QPixmap masked(sw, sh);
            HDC hdcTmp = masked.acquireDC();
            if (hdcMask && hdcTmp) {
                const COLORREF oldText = SetTextColor(hdcDst, RGB(255, 255, 255));
                const COLORREF oldBk = SetBkColor(hdcDst, RGB(0, 0, 0));
                BitBlt(hdcDst, dx, dy, sw, sh, hdcMask, sx, sy, SRCAND);
                SetTextColor(hdcDst, oldText);
                SetBkColor(hdcDst, oldBk);
                BitBlt(hdcTmp, 0, 0, sw, sh, hdcSrc, sx, sy, SRCCOPY);
                const COLORREF oldText2 = SetTextColor(hdcTmp, RGB(0, 0, 0));
                const COLORREF oldBk2 = SetBkColor(hdcTmp, RGB(255, 255, 255));
                BitBlt(hdcTmp, 0, 0, sw, sh, hdcMask, sx, sy, SRCAND);
                SetTextColor(hdcTmp, oldText2);
                SetBkColor(hdcTmp, oldBk2);
                BitBlt(hdcDst, dx, dy, sw, sh, hdcTmp, 0, 0, SRCPAINT);
            }
            masked.releaseDC(hdcTmp);
            if (hdcMask) {
                SelectObject(hdcMask, hOldMono);
                DeleteDC(hdcMask);
            }
            if (hMono)
                DeleteObject(hMono);
        }
    }
    source->releaseDC(hdcSrc);
    dst->releaseDC(hdcDst);
}

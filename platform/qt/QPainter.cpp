#include "platform/qt/QPainter.h"

#include "platform/qt/QWidget.h"

namespace {

int PenStyleOf(Qt::PenStyle s)
{
    switch (s) {
    case Qt::DashLine:
        return PS_DASH;
    case Qt::DotLine:
        return PS_DOT;
    case Qt::DashDotLine:
        return PS_DASHDOT;
    case Qt::DashDotDotLine:
        return PS_DASHDOTDOT;
    case Qt::NoPen:
        return PS_NULL;
    default:
        return PS_SOLID;
    }
}

}  // namespace

bool QPainter::begin(QPaintDevice* device)
{
    if (m_hdc || !device)
        return false;
    HDC hdc = device->acquireDC();
    if (!hdc)
        return false;
    m_pDevice = device;
    m_hdc = hdc;
    m_nSaved = SaveDC(hdc);
    m_dx = m_dy = 0;
    m_bClipping = false;
    if (auto* w = dynamic_cast<QWidget*>(device)) {
        m_font = w->font();
        m_pen = QPen(w->colorGroup().foreground());
        m_bgColor = w->backgroundColor();
    } else {
        m_pen = QPen();
    }
    m_brush = QBrush();
    SetBkMode(hdc, TRANSPARENT);
    SetTextAlign(hdc, TA_LEFT | TA_BASELINE);
    SelectObject(hdc, m_font.handle());
    SelectPen();
    SelectBrush();
    return true;
}

bool QPainter::end()
{
    if (!m_hdc)
        return false;
    RestoreDC(m_hdc, m_nSaved);
    if (m_hPen)
        DeleteObject(m_hPen);
    if (m_hBrush)
        DeleteObject(m_hBrush);
    m_hPen = nullptr;
    m_hBrush = nullptr;
    m_pDevice->releaseDC(m_hdc);
    m_hdc = nullptr;
    m_pDevice = nullptr;
    return true;
}

void QPainter::SelectPen()
{
    if (!m_hdc)
        return;
    HPEN hNew = CreatePen(PenStyleOf(m_pen.style()), m_pen.width(), m_pen.color().colorRef());
    if (!hNew)
        return;
    SelectObject(m_hdc, hNew);
    if (m_hPen)
        DeleteObject(m_hPen);
    m_hPen = hNew;
    SetTextColor(m_hdc, m_pen.color().colorRef());
}

void QPainter::SelectBrush()
{
    if (!m_hdc)
        return;
    if (m_brush.style() == NoBrush) {
        SelectObject(m_hdc, GetStockObject(NULL_BRUSH));
        if (m_hBrush)
            DeleteObject(m_hBrush);
        m_hBrush = nullptr;
        return;
    }
    HBRUSH hNew = CreateSolidBrush(m_brush.color().colorRef());
    if (!hNew)
        return;
    SelectObject(m_hdc, hNew);
    if (m_hBrush)
        DeleteObject(m_hBrush);
    m_hBrush = hNew;
}

void QPainter::setPen(const QPen& pen)
{
    m_pen = pen;
    SelectPen();
}

void QPainter::setBrush(const QBrush& brush)
{
    m_brush = brush;
    SelectBrush();
}

void QPainter::setFont(const QFont& font)
{
    m_font = font;
    if (m_hdc)
        SelectObject(m_hdc, m_font.handle());
}

void QPainter::setBackgroundColor(const QColor& color)
{
    m_bgColor = color;
    if (m_hdc)
        SetBkColor(m_hdc, color.colorRef());
}

void QPainter::setBackgroundMode(BGMode mode)
{
    if (m_hdc)
        SetBkMode(m_hdc, mode == OpaqueMode ? OPAQUE : TRANSPARENT);
}

void QPainter::translate(int dx, int dy)
{
    m_dx += dx;
    m_dy += dy;
    if (m_hdc)
        SetViewportOrgEx(m_hdc, m_dx, m_dy, nullptr);
}

void QPainter::setClipRect(int x, int y, int w, int h)
{
    m_clip = QRect(x + m_dx, y + m_dy, w, h);
    m_bClipping = true;
    ApplyClip();
}

void QPainter::setClipping(bool enable)
{
    m_bClipping = enable;
    ApplyClip();
}

void QPainter::ApplyClip()
{
    if (!m_hdc)
        return;
    // Back to the clip the device came with, then narrowed; the saved state restores it at end().
    RestoreDC(m_hdc, m_nSaved);
    m_nSaved = SaveDC(m_hdc);
    SetBkMode(m_hdc, TRANSPARENT);
    SetTextAlign(m_hdc, TA_LEFT | TA_BASELINE);
    SetViewportOrgEx(m_hdc, m_dx, m_dy, nullptr);
    SelectObject(m_hdc, m_font.handle());
    SetTextColor(m_hdc, m_pen.color().colorRef());
    SetBkColor(m_hdc, m_bgColor.colorRef());
    SelectObject(m_hdc, m_hPen);
    SelectObject(m_hdc, m_hBrush ? static_cast<HGDIOBJ>(m_hBrush) : GetStockObject(NULL_BRUSH));
    if (m_bClipping) {
        // Clip rectangles are given in logical units; the viewport origin is applied by GDI.
        IntersectClipRect(m_hdc, m_clip.x() - m_dx, m_clip.y() - m_dy, m_clip.x() - m_dx + m_clip.width(),
                          m_clip.y() - m_dy + m_clip.height());
    }
}

void QPainter::drawLine(int x1, int y1, int x2, int y2)
{
    if (!m_hdc || m_pen.style() == NoPen)
        return;
    MoveToEx(m_hdc, x1, y1, nullptr);
    LineTo(m_hdc, x2, y2);
    // GDI leaves the last point out.
    if (m_pen.width() <= 1)
        SetPixelV(m_hdc, x2, y2, m_pen.color().colorRef());
    else
        LineTo(m_hdc, x2 + (x2 >= x1 ? 1 : -1), y2);
}

void QPainter::drawPoint(int x, int y)
{
    if (m_hdc && m_pen.style() != NoPen)
        SetPixelV(m_hdc, x, y, m_pen.color().colorRef());
}

void QPainter::drawRect(int x, int y, int w, int h)
{
    if (!m_hdc || w <= 0 || h <= 0)
        return;
    if (m_pen.style() == NoPen) {
        if (m_brush.style() != NoBrush)
            fillRect(x, y, w, h, m_brush);
        return;
    }
    Rectangle(m_hdc, x, y, x + w, y + h);
}

void QPainter::fillRect(int x, int y, int w, int h, const QBrush& brush)
{
    if (!m_hdc || w <= 0 || h <= 0 || brush.style() == NoBrush)
        return;
    HBRUSH hBrush = CreateSolidBrush(brush.color().colorRef());
    if (!hBrush)
        return;
    RECT r{x, y, x + w, y + h};
    FillRect(m_hdc, &r, hBrush);
    DeleteObject(hBrush);
}

void QPainter::drawText(int x, int y, const QString& text, int len)
{
    if (!m_hdc)
        return;
    const int n = len < 0 || len > static_cast<int>(text.length()) ? static_cast<int>(text.length()) : len;
    TextOutW(m_hdc, x, y, text.ucs2(), n);
}

void QPainter::drawText(int x, int y, int w, int h, int flags, const QString& text, int len)
{
    if (!m_hdc)
        return;
    const int n = len < 0 || len > static_cast<int>(text.length()) ? static_cast<int>(text.length()) : len;
    UINT fmt = DT_NOPREFIX;
    if (flags & AlignRight)
        fmt |= DT_RIGHT;
    else if (flags & AlignHCenter)
        fmt |= DT_CENTER;
    if (flags & WordBreak) {
        fmt |= DT_WORDBREAK;
    } else {
        fmt |= DT_SINGLELINE;
        if (flags & AlignBottom)
            fmt |= DT_BOTTOM;
        else if (flags & AlignVCenter)
            fmt |= DT_VCENTER;
    }
    if (flags & DontClip)
        fmt |= DT_NOCLIP;
    if (flags & ShowPrefix)
        fmt &= ~static_cast<UINT>(DT_NOPREFIX);
    const UINT oldAlign = SetTextAlign(m_hdc, TA_LEFT | TA_TOP);
    RECT r{x, y, x + w, y + h};
    DrawTextW(m_hdc, text.ucs2(), n, &r, fmt);
    SetTextAlign(m_hdc, oldAlign);
}

void QPainter::drawPixmap(int x, int y, const QPixmap& pixmap, int sx, int sy, int sw, int sh)
{
    if (!m_hdc || pixmap.isNull())
        return;
    if (sw < 0)
        sw = pixmap.width() - sx;
    if (sh < 0)
        sh = pixmap.height() - sy;
    // The device is already lent to this painter: bitBlt borrows it again, the translation applies.
    bitBlt(m_pDevice, x, y, &pixmap, sx, sy, sw, sh);
}

void QPainter::drawWinFocusRect(int x, int y, int w, int h)
{
    if (!m_hdc || w <= 0 || h <= 0)
        return;
    RECT r{x, y, x + w, y + h};
    const COLORREF oldText = SetTextColor(m_hdc, RGB(0, 0, 0));
    const COLORREF oldBk = SetBkColor(m_hdc, RGB(255, 255, 255));
    DrawFocusRect(m_hdc, &r);
    SetTextColor(m_hdc, oldText);
    SetBkColor(m_hdc, oldBk);
}

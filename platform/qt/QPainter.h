#pragma once
// Drawing on widgets and pixmaps over GDI. begin() saves the device context's state and end() puts it
// back, so everything the painter selects is deselected before it is deleted. A widget can be painted
// outside its paint events as well (a window DC that leaves child windows alone).
#include "platform/qt/QColor.h"
#include "platform/qt/QFont.h"
#include "platform/qt/QPixmap.h"

class QWidget;

class QPen {
public:
    QPen() = default;  // black, one pixel, solid
    QPen(Qt::PenStyle style) : m_style(style) {}  // NOLINT
    QPen(const QColor& color, int width = 0, Qt::PenStyle style = Qt::SolidLine)  // NOLINT
        : m_color(color), m_nWidth(width), m_style(style)
    {
    }
    const QColor& color() const { return m_color; }
    int width() const { return m_nWidth; }
    Qt::PenStyle style() const { return m_style; }

private:
    QColor m_color = QColor(0, 0, 0);
    int m_nWidth = 0;
    Qt::PenStyle m_style = Qt::SolidLine;
};

class QBrush {
public:
    QBrush() = default;  // no brush
    QBrush(const QColor& color, Qt::BrushStyle style = Qt::SolidPattern) : m_color(color), m_style(style) {}  // NOLINT
    QBrush(Qt::BrushStyle style) : m_style(style) {}  // NOLINT
    const QColor& color() const { return m_color; }
    Qt::BrushStyle style() const { return m_style; }

private:
    QColor m_color = QColor(0, 0, 0);
    Qt::BrushStyle m_style = Qt::NoBrush;
};

class QPainter : public Qt {
public:
    QPainter() = default;
    explicit QPainter(QPaintDevice* device) { begin(device); }
    ~QPainter() { end(); }
    QPainter(const QPainter&) = delete;
    QPainter& operator=(const QPainter&) = delete;

    bool begin(QPaintDevice* device);
    bool end();
    bool isActive() const { return m_hdc != nullptr; }
    QPaintDevice* device() const { return m_pDevice; }
    HDC handle() const { return m_hdc; }

    void setPen(const QPen& pen);
    void setPen(const QColor& color) { setPen(QPen(color)); }
    void setPen(PenStyle style) { setPen(QPen(style)); }
    const QPen& pen() const { return m_pen; }
    void setBrush(const QBrush& brush);
    void setBrush(const QColor& color) { setBrush(QBrush(color)); }
    void setBrush(BrushStyle style) { setBrush(QBrush(style)); }
    const QBrush& brush() const { return m_brush; }
    void setFont(const QFont& font);
    const QFont& font() const { return m_font; }
    QFontMetrics fontMetrics() const { return QFontMetrics(m_font); }
    void setBackgroundColor(const QColor& color);
    void setBackgroundMode(BGMode mode);

    // Moves the origin; coordinates given later are relative to it.
    void translate(int dx, int dy);
    QPoint translation() const { return QPoint(m_dx, m_dy); }
    void setClipRect(int x, int y, int w, int h);
    void setClipRect(const QRect& r) { setClipRect(r.x(), r.y(), r.width(), r.height()); }
    void setClipping(bool enable);

    // Both end points are drawn, as in Qt.
    void drawLine(int x1, int y1, int x2, int y2);
    void drawPoint(int x, int y);
    // Outline with the pen inside (x, y, w, h), the rest filled with the brush.
    void drawRect(int x, int y, int w, int h);
    void drawRect(const QRect& r) { drawRect(r.x(), r.y(), r.width(), r.height()); }
    void fillRect(int x, int y, int w, int h, const QBrush& brush);
    void fillRect(const QRect& r, const QBrush& brush) { fillRect(r.x(), r.y(), r.width(), r.height(), brush); }
    void eraseRect(int x, int y, int w, int h) { fillRect(x, y, w, h, QBrush(m_bgColor)); }
    // Text with its baseline at y.
    void drawText(int x, int y, const QString& text, int len = -1);
    // Text in a rectangle with alignment flags (AlignLeft ... WordBreak, SingleLine).
    void drawText(int x, int y, int w, int h, int flags, const QString& text, int len = -1);
    void drawText(const QRect& r, int flags, const QString& text, int len = -1)
    {
        drawText(r.x(), r.y(), r.width(), r.height(), flags, text, len);
    }
    void drawPixmap(int x, int y, const QPixmap& pixmap, int sx = 0, int sy = 0, int sw = -1, int sh = -1);
    void drawPixmap(const QPoint& p, const QPixmap& pixmap) { drawPixmap(p.x(), p.y(), pixmap); }
    void drawWinFocusRect(int x, int y, int w, int h);
    void drawWinFocusRect(const QRect& r) { drawWinFocusRect(r.x(), r.y(), r.width(), r.height()); }

private:
    void SelectPen();
    void SelectBrush();
    void ApplyClip();

    QPaintDevice* m_pDevice = nullptr;
    HDC m_hdc = nullptr;
    int m_nSaved = 0;
    QPen m_pen;
    QBrush m_brush;
    QFont m_font;
    QColor m_bgColor = QColor(255, 255, 255);
    HPEN m_hPen = nullptr;
    HBRUSH m_hBrush = nullptr;
    int m_dx = 0;
    int m_dy = 0;
    bool m_bClipping = false;
    QRect m_clip;  // in device coordinates
};

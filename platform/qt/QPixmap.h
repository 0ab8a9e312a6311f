#pragma once
// Off-screen pictures: QPixmap is a 32-bit top-down DIB section, QBitmap a one-bit picture used as
// a mask (set bits are drawn). Both can be painted on with QPainter.
#include "platform/qt/QColor.h"
#include "platform/qt/QtGlobal.h"

#include <memory>

// Anything a QPainter can paint on. The device context is lent out for the painter's lifetime.
class QPaintDevice : public Qt {
public:
    virtual ~QPaintDevice() = default;
    virtual HDC acquireDC() = 0;
    virtual void releaseDC(HDC hdc) = 0;
    virtual bool isBitmapDevice() const { return false; }
};

class QBitmap;

class QPixmap : public QPaintDevice {
public:
    QPixmap() = default;  // null
    QPixmap(int w, int h, int depth = -1);
    QPixmap(const QPixmap& other);
    QPixmap& operator=(const QPixmap& other);
    ~QPixmap() override;

    bool isNull() const { return !m_hBitmap; }
    int width() const { return m_w; }
    int height() const { return m_h; }
    QSize size() const { return QSize(m_w, m_h); }
    QRect rect() const { return QRect(0, 0, m_w, m_h); }
    int depth() const { return m_nDepth; }
    void resize(int w, int h);  // keeps the overlapping part
    void fill(const QColor& color = Qt::white);
    const QBitmap* mask() const { return m_mask.get(); }
    void setMask(const QBitmap& mask);
    // The pixel at (x, y) as 0xAARRGGBB, or 0 outside (for tests and masks).
    QRgb pixel(int x, int y) const;
    HBITMAP hbm() const { return m_hBitmap; }

    HDC acquireDC() override;
    void releaseDC(HDC hdc) override;
    bool isBitmapDevice() const override { return m_nDepth == 1; }

protected:
    void Create(int w, int h, int depth);
    void Free();

private:
    int m_w = 0;
    int m_h = 0;
    int m_nDepth = 32;
    HBITMAP m_hBitmap = nullptr;
    void* m_pBits = nullptr;
    HDC m_hdc = nullptr;
    HGDIOBJ m_hOldBitmap = nullptr;
    int m_nDCUsers = 0;
    std::unique_ptr<QBitmap> m_mask;
};

class QBitmap : public QPixmap {
public:
    QBitmap() = default;
    QBitmap(int w, int h, bool clear = false);
    QBitmap(const QBitmap& other) = default;
    QBitmap& operator=(const QBitmap& other) = default;
    bool testBit(int x, int y) const { return (pixel(x, y) & 0xFFFFFF) != 0; }
};

// Copies a rectangle of one device onto another (sw or sh of -1: to the source's edge); honours the
// source pixmap's mask.
void bitBlt(QPaintDevice* dst, int dx, int dy, const QPixmap* src, int sx = 0, int sy = 0, int sw = -1, int sh = -1);

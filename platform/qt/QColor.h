#pragma once
// Colours: red, green and blue, valid or not, with names.
#include "platform/qt/QString.h"
#include "platform/qt/QtGlobal.h"

class QColor {
public:
    QColor() = default;  // invalid
    QColor(int r, int g, int b) { setRgb(r, g, b); }
    explicit QColor(QRgb rgb) { setRgb(static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF), static_cast<int>(rgb & 0xFF)); }
    QColor(const QString& name) { setNamedColor(name); }  // NOLINT: Qt 3 converts names implicitly
    QColor(const char* name) { setNamedColor(QString(name)); }  // NOLINT

    bool isValid() const { return m_bValid; }
    int red() const { return m_r; }
    int green() const { return m_g; }
    int blue() const { return m_b; }
    QRgb rgb() const { return 0xFF000000u | (static_cast<QRgb>(m_r) << 16) | (static_cast<QRgb>(m_g) << 8) | static_cast<QRgb>(m_b); }
    void setRgb(int r, int g, int b);
    void rgb(int* r, int* g, int* b) const { *r = m_r; *g = m_g; *b = m_b; }
    // "#rrggbb", "#rgb" or a colour name ("navy", "white", ...); an unknown name leaves it invalid.
    void setNamedColor(const QString& name);
    QString name() const;  // "#rrggbb"
    QColor light(int factor = 150) const;
    QColor dark(int factor = 200) const;

    COLORREF colorRef() const { return RGB(m_r, m_g, m_b); }
    static QColor fromColorRef(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }

    friend bool operator==(const QColor& a, const QColor& b)
    {
        return a.m_bValid == b.m_bValid && a.m_r == b.m_r && a.m_g == b.m_g && a.m_b == b.m_b;
    }
    friend bool operator!=(const QColor& a, const QColor& b) { return !(a == b); }

private:
    int m_r = 0;
    int m_g = 0;
    int m_b = 0;
    bool m_bValid = false;
};


#pragma once
// Basic types of the Qt-3-compatible layer: the Qt namespace class with its enums, points, sizes and
// rectangles. Everything here sits on Win32 alone.
#include <windows.h>

typedef unsigned int uint;
typedef unsigned char uchar;
typedef unsigned long QRgb;  // 0xAARRGGBB
class QColor;

// Qt 3 keeps its enums in a class that QObject derives from, so QWidget::StrongFocus and
// QFrame::Sunken read as in Qt 3.
class Qt {
public:
    // color0 and color1 are the clear and the set bit of a QBitmap.
    static const QColor &color0, &color1, &black, &white, &darkGray, &gray, &lightGray, &red, &green, &blue,
        &cyan, &magenta, &yellow, &darkRed, &darkGreen, &darkBlue, &darkCyan, &darkMagenta, &darkYellow;
    enum AlignmentFlags {
        AlignAuto = 0x0000, AlignLeft = 0x0001, AlignRight = 0x0002, AlignHCenter = 0x0004,
        AlignJustify = 0x0008, AlignHorizontal_Mask = 0x000f, AlignTop = 0x0010, AlignBottom = 0x0020,
        AlignVCenter = 0x0040, AlignVertical_Mask = 0x0070, AlignCenter = AlignVCenter | AlignHCenter,
        SingleLine = 0x0080, DontClip = 0x0100, ExpandTabs = 0x0200, ShowPrefix = 0x0400, WordBreak = 0x0800,
    };
    enum ButtonState {
        NoButton = 0x0000, LeftButton = 0x0001, RightButton = 0x0002, MidButton = 0x0004,
        MouseButtonMask = 0x0007, ShiftButton = 0x0100, ControlButton = 0x0200, AltButton = 0x0400,
        KeyButtonMask = 0x0700,
    };
    enum Orientation { Horizontal = 0, Vertical = 1 };
    enum SortOrder { Ascending, Descending };
    enum PenStyle { NoPen, SolidLine, DashLine, DotLine, DashDotLine, DashDotDotLine };
    enum BrushStyle { NoBrush, SolidPattern };
    enum BGMode { TransparentMode, OpaqueMode };
    // The widget state flags; the values of the ones read from outside are fixed.
    enum WidgetState {
        WState_Created = 0x00000001, WState_Disabled = 0x00000002, WState_Visible = 0x00000004,
        WState_ForceHide = 0x00000008, WState_MouseTracking = 0x00000020, WState_BlockUpdates = 0x00000080,
        WState_InPaintEvent = 0x00000100, WState_ConfigPending = 0x00000400, WState_HasMouse = 0x00800000,
        WState_ForceDisabled = 0x00200000,
    };
    enum WidgetFlags {
        WType_TopLevel = 0x00000001, WType_Popup = 0x00000004, WStyle_Tool = 0x00080000,
        WStyle_StaysOnTop = 0x00100000, WNoAutoErase = 0x00400000, WRepaintNoErase = WNoAutoErase,
    };
    typedef uint WFlags;
    enum Key {
        Key_Escape = 0x1000, Key_Tab = 0x1001, Key_Backtab = 0x1002, Key_Backspace = 0x1003,
        Key_Return = 0x1004, Key_Enter = 0x1005, Key_Insert = 0x1006, Key_Delete = 0x1007,
        Key_Home = 0x1010, Key_End = 0x1011, Key_Left = 0x1012, Key_Up = 0x1013, Key_Right = 0x1014,
        Key_Down = 0x1015, Key_Prior = 0x1016, Key_Next = 0x1017, Key_Shift = 0x1020, Key_Control = 0x1021,
        Key_Alt = 0x1023, Key_F1 = 0x1030, Key_Space = 0x20, Key_unknown = 0xffff,
    };
};

class QPoint {
public:
    QPoint() = default;
    QPoint(int x, int y) : m_x(x), m_y(y) {}
    int x() const { return m_x; }
    int y() const { return m_y; }
    void setX(int x) { m_x = x; }
    void setY(int y) { m_y = y; }
    bool isNull() const { return m_x == 0 && m_y == 0; }
    int manhattanLength() const { return (m_x < 0 ? -m_x : m_x) + (m_y < 0 ? -m_y : m_y); }
    friend bool operator==(const QPoint& a, const QPoint& b) { return a.m_x == b.m_x && a.m_y == b.m_y; }
    friend bool operator!=(const QPoint& a, const QPoint& b) { return !(a == b); }
    friend QPoint operator+(const QPoint& a, const QPoint& b) { return QPoint(a.m_x + b.m_x, a.m_y + b.m_y); }
    friend QPoint operator-(const QPoint& a, const QPoint& b) { return QPoint(a.m_x - b.m_x, a.m_y - b.m_y); }

private:
    int m_x = 0;
    int m_y = 0;
};

class QSize {
public:
    QSize() = default;
    QSize(int w, int h) : m_w(w), m_h(h) {}
    int width() const { return m_w; }
    int height() const { return m_h; }
    bool isValid() const { return m_w >= 0 && m_h >= 0; }
    bool isEmpty() const { return m_w <= 0 || m_h <= 0; }
    friend bool operator==(const QSize& a, const QSize& b) { return a.m_w == b.m_w && a.m_h == b.m_h; }
    friend bool operator!=(const QSize& a, const QSize& b) { return !(a == b); }

private:
    int m_w = -1;
    int m_h = -1;
};

// Left, top, width and height, as Qt keeps them; right() is the last pixel inside.
class QRect {
public:
    QRect() = default;
    QRect(int x, int y, int w, int h) : m_x(x), m_y(y), m_w(w), m_h(h) {}
    QRect(const QPoint& p, const QSize& s) : m_x(p.x()), m_y(p.y()), m_w(s.width()), m_h(s.height()) {}
    int x() const { return m_x; }
    int y() const { return m_y; }
    int left() const { return m_x; }
    int top() const { return m_y; }
    int right() const { return m_x + m_w - 1; }
    int bottom() const { return m_y + m_h - 1; }
    int width() const { return m_w; }
    int height() const { return m_h; }
    QPoint topLeft() const { return QPoint(m_x, m_y); }
    QSize size() const { return QSize(m_w, m_h); }
    bool isEmpty() const { return m_w <= 0 || m_h <= 0; }
    bool isValid() const { return !isEmpty(); }
    bool contains(const QPoint& p) const
    {
        return p.x() >= m_x && p.x() < m_x + m_w && p.y() >= m_y && p.y() < m_y + m_h;
    }
    void moveBy(int dx, int dy) { m_x += dx; m_y += dy; }
    void setRect(int x, int y, int w, int h) { *this = QRect(x, y, w, h); }
    QRect intersect(const QRect& r) const;
    RECT toRECT() const { return RECT{m_x, m_y, m_x + m_w, m_y + m_h}; }
    static QRect fromRECT(const RECT& r) { return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top); }
    friend bool operator==(const QRect& a, const QRect& b)
    {
        return a.m_x == b.m_x && a.m_y == b.m_y && a.m_w == b.m_w && a.m_h == b.m_h;
    }
    friend bool operator!=(const QRect& a, const QRect& b) { return !(a == b); }

private:
    int m_x = 0;
    int m_y = 0;
    int m_w = 0;
    int m_h = 0;
};

inline QRect QRect::intersect(const QRect& r) const
{
    const int l = m_x > r.m_x ? m_x : r.m_x;
    const int t = m_y > r.m_y ? m_y : r.m_y;
    const int rr = (m_x + m_w < r.m_x + r.m_w) ? m_x + m_w : r.m_x + r.m_w;
    const int b = (m_y + m_h < r.m_y + r.m_h) ? m_y + m_h : r.m_y + r.m_h;
    return (rr > l && b > t) ? QRect(l, t, rr - l, b - t) : QRect();
}

#pragma once
// A widget is a real window of the window class "QWidget" (with double clicks), found again from its
// handle through the window property "QWidget", so another window procedure (MFC's subclassing) can
// sit in front of it. A widget without a parent widget gets a top-level window.
#include "platform/qt/QEvent.h"
#include "platform/qt/QFont.h"
#include "platform/qt/QObject.h"
#include "platform/qt/QPalette.h"
#include "platform/qt/QPixmap.h"

#include <memory>

class QWidget : public QObject, public QPaintDevice {
    Q_OBJECT
public:
    enum FocusPolicy { NoFocus = 0, TabFocus = 0x1, ClickFocus = 0x2, StrongFocus = 0x3, WheelFocus = 0x7 };
    enum BackgroundMode { PaletteBackground, PaletteBase, PaletteButton, NoBackground };

    explicit QWidget(QWidget* parent = nullptr, const char* name = nullptr, WFlags f = 0);
    ~QWidget() override;

    static QWidget* find(HWND hWnd);
    HWND winId() const { return m_hWnd; }
    bool isWidgetType() const override { return true; }
    QWidget* parentWidget() const { return m_pParentWidget; }
    bool isTopLevel() const { return m_pParentWidget == nullptr; }
    QWidget* topLevelWidget() const;
    WFlags getWFlags() const { return m_flags; }
    bool testWFlags(WFlags f) const { return (m_flags & f) != 0; }
    uint testWState(uint s) const { return m_state & s; }

    // Geometry: relative to the parent's client area; of a top-level widget, its client area on screen.
    const QRect& geometry() const { return m_crect; }
    QRect frameGeometry() const;
    int x() const { return m_crect.x(); }
    int y() const { return m_crect.y(); }
    int width() const { return m_crect.width(); }
    int height() const { return m_crect.height(); }
    QPoint pos() const { return m_crect.topLeft(); }
    QSize size() const { return m_crect.size(); }
    QRect rect() const { return QRect(0, 0, m_crect.width(), m_crect.height()); }
    virtual void setGeometry(int x, int y, int w, int h);
    void setGeometry(const QRect& r) { setGeometry(r.x(), r.y(), r.width(), r.height()); }
    void move(int x, int y) { setGeometry(x, y, width(), height()); }
    void resize(int w, int h) { setGeometry(x(), y(), w, h); }
    QPoint mapToGlobal(const QPoint& p) const;
    QPoint mapFromGlobal(const QPoint& p) const;
    virtual QSize sizeHint() const { return QSize(-1, -1); }

    virtual void show();
    virtual void hide();
    bool isVisible() const { return testWState(WState_Visible) != 0; }
    bool isHidden() const { return testWState(WState_ForceHide) != 0; }
    bool isShown() const { return !isHidden(); }
    virtual void setEnabled(bool enable);
    void setDisabled(bool disable) { setEnabled(!disable); }
    bool isEnabled() const { return !testWState(WState_Disabled); }
    bool isActiveWindow() const;

    FocusPolicy focusPolicy() const { return m_focusPolicy; }
    virtual void setFocusPolicy(FocusPolicy policy);
    bool isFocusEnabled() const { return m_focusPolicy != NoFocus; }
    void setFocus();
    void clearFocus();
    bool hasFocus() const { return m_hWnd && GetFocus() == m_hWnd; }
    virtual void setMouseTracking(bool enable);
    bool hasMouseTracking() const { return testWState(WState_MouseTracking) != 0; }
    void grabMouse();
    void releaseMouse();
    void setAcceptDrops(bool on);
    bool acceptDrops() const;

    const QPalette& palette() const;
    virtual void setPalette(const QPalette& palette);
    void unsetPalette();
    bool ownPalette() const { return m_bOwnPalette; }
    const QColorGroup& colorGroup() const;
    const QFont& font() const;
    virtual void setFont(const QFont& font);
    void unsetFont();
    bool ownFont() const { return m_bOwnFont; }
    QFontMetrics fontMetrics() const { return QFontMetrics(font()); }
    void setBackgroundMode(BackgroundMode mode) { m_backgroundMode = mode; }
    BackgroundMode backgroundMode() const { return m_backgroundMode; }
    QColor backgroundColor() const;

    // Paints at once (paint event now, outside WM_PAINT), then validates what was painted.
    void repaint(int x, int y, int w, int h, bool erase = true);
    void repaint(const QRect& r, bool erase = true) { repaint(r.x(), r.y(), r.width(), r.height(), erase); }
    void repaint(bool erase = true) { repaint(0, 0, width(), height(), erase); }
    // Paints later: the rectangle is invalidated and painted at the next WM_PAINT.
    void update(int x, int y, int w, int h);
    void update(const QRect& r) { update(r.x(), r.y(), r.width(), r.height()); }
    void update() { update(0, 0, width(), height()); }
    void erase(int x, int y, int w, int h);
    void erase() { erase(0, 0, width(), height()); }
    void setUpdatesEnabled(bool enable);
    bool isUpdatesEnabled() const { return !testWState(WState_BlockUpdates); }

    bool event(QEvent* e) override;
    HDC acquireDC() override;
    void releaseDC(HDC hdc) override;

protected:
    // For widgets over a native control (the scroll bar): the window class to create.
    QWidget(QWidget* parent, const char* name, WFlags f, const wchar_t* nativeClass, DWORD nativeStyle);

    void setWState(uint s) { m_state |= s; }
    void clearWState(uint s) { m_state &= ~s; }
    // Sets the geometry record only; the window is not moved.
    void setCRect(const QRect& r) { m_crect = r; }

    // A native message before it is turned into events; TRUE with result: handled.
    virtual bool winEvent(MSG* msg, LRESULT* result);
    virtual void mousePressEvent(QMouseEvent* e);
    virtual void mouseReleaseEvent(QMouseEvent* e);
    virtual void mouseDoubleClickEvent(QMouseEvent* e);
    virtual void mouseMoveEvent(QMouseEvent* e);
    virtual void wheelEvent(QWheelEvent* e) { e->ignore(); }
    virtual void keyPressEvent(QKeyEvent* e) { e->ignore(); }
    virtual void keyReleaseEvent(QKeyEvent* e) { e->ignore(); }
    virtual void focusInEvent(QFocusEvent* e);
    virtual void focusOutEvent(QFocusEvent* e);
    virtual void enterEvent(QEvent*) {}
    virtual void leaveEvent(QEvent*) {}
    virtual void paintEvent(QPaintEvent*) {}
    virtual void moveEvent(QMoveEvent*) {}
    virtual void resizeEvent(QResizeEvent*) {}
    virtual void showEvent(QShowEvent*) {}
    virtual void hideEvent(QHideEvent*) {}
    virtual void dropEvent(QDropEvent*) {}
    virtual void enabledChange(bool oldEnabled);
    virtual void paletteChange(const QPalette& oldPalette);
    virtual void fontChange(const QFont& oldFont);

private:
    friend class QWidgetWindow;
    void Init(QWidget* parent, WFlags f, const wchar_t* nativeClass, DWORD nativeStyle);
    void ShowChildren(bool bShow);
    void PropagateEnabled(bool bEnable);
    void PaletteOrFontInherited(bool bPalette);
    void SyncGeometryFromWindow();
    void Paint(HDC hdc, const QRect& r, bool bErase);

    HWND m_hWnd = nullptr;
    WNDPROC m_pfnNative = nullptr;  // the native control's procedure, or null for our own class
    QWidget* m_pParentWidget = nullptr;
    WFlags m_flags = 0;
    uint m_state = 0;
    QRect m_crect;
    FocusPolicy m_focusPolicy = NoFocus;
    BackgroundMode m_backgroundMode = PaletteBackground;
    bool m_bOwnPalette = false;
    bool m_bOwnFont = false;
    QPalette m_palette;
    QFont m_font;
    mutable QPalette m_inherited;  // what palette() answers without an own palette
    mutable QFont m_inheritedFont;
    HDC m_hdcPaint = nullptr;       // the paint DC while a paint event runs
    HDC m_hdcBorrowed = nullptr;    // a window DC lent to painters outside paint events
    int m_nDCUsers = 0;
    bool m_bMouseInside = false;
};

#include "platform/qt/QWidget.h"

#include "platform/qt/QApplication.h"
#include "platform/qt/QWidgetWindow.h"

#include <cstring>

QMetaObject* QWidget::staticMetaObject()
{
    static QMetaObject meta("QWidget", QObject::staticMetaObject(), nullptr, 0, nullptr, 0);
    return &meta;
}
QMetaObject* QWidget::metaObject() const { return staticMetaObject(); }
const char* QWidget::className() const { return "QWidget"; }
void* QWidget::qt_cast(const char* name)
{
    return name && std::strcmp(name, "QWidget") == 0 ? this : QObject::qt_cast(name);
}
bool QWidget::qt_invoke(int id, QUObject* o) { return QObject::qt_invoke(id, o); }
bool QWidget::qt_emit(int id, QUObject* o) { return QObject::qt_emit(id, o); }

QWidget::QWidget(QWidget* parent, const char* name, WFlags f) : QObject(parent, name)
{
    Init(parent, f, nullptr, 0);
}

QWidget::QWidget(QWidget* parent, const char* name, WFlags f, const wchar_t* nativeClass, DWORD nativeStyle)
    : QObject(parent, name)
{
    Init(parent, f, nativeClass, nativeStyle);
}

void QWidget::Init(QWidget* parent, WFlags f, const wchar_t* nativeClass, DWORD nativeStyle)
{
    m_pParentWidget = parent;
    m_flags = f | (parent ? 0 : WType_TopLevel);
    DWORD style;
    DWORD exStyle = 0;
    int w = 100, h = 30;
    if (parent) {
        style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    } else {
        style = (f & WType_Popup) ? WS_POPUP | WS_CLIPCHILDREN : WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
        w = (f & WType_Popup) ? 100 : 640;
        h = (f & WType_Popup) ? 30 : 480;
    }
    if (f & WStyle_Tool)
        exStyle |= WS_EX_TOOLWINDOW;
    if (f & WStyle_StaysOnTop)
        exStyle |= WS_EX_TOPMOST;
    HWND hParent = parent ? parent->winId() : nullptr;
    if (nativeClass) {
        m_hWnd = CreateWindowExW(exStyle, nativeClass, L"", style | nativeStyle, 0, 0, w, h, hParent, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
        if (m_hWnd)
            QWidgetWindow::AttachNative(this);
    } else {
        m_hWnd = CreateWindowExW(exStyle, QWidgetWindow::ClassName(), L"", style, 0, 0, w, h, hParent, nullptr,
                                 GetModuleHandleW(nullptr), this);
    }
    if (m_hWnd)
        setWState(WState_Created);
    if (parent && !parent->isEnabled())
        setWState(WState_Disabled);
    // A child made while its parent is on screen waits for its own show(); so does a top-level widget.
    if (!parent || parent->isVisible())
        setWState(WState_ForceHide);
    if (!parent && m_hWnd) {
        SyncGeometryFromWindow();
    } else {
        m_crect = QRect(0, 0, w, h);
    }
}

QWidget::~QWidget()
{
    if (QApplication::activeWindow() == this)
        QApplication::setActiveWindowRecord(nullptr);
    // Children first, so that their windows go before this one.
    while (const QObjectList* list = children())
        delete list->back();
    if (m_hWnd) {
        HWND hWnd = m_hWnd;
        QWidgetWindow::Detach(this);
        DestroyWindow(hWnd);
    }
}

QWidget* QWidget::find(HWND hWnd)
{
    return QWidgetWindow::WidgetOf(hWnd);
}

QWidget* QWidget::topLevelWidget() const
{
    const QWidget* w = this;
    while (w->m_pParentWidget)
        w = w->m_pParentWidget;
    return const_cast<QWidget*>(w);
}

QRect QWidget::frameGeometry() const
{
    RECT r{};
    if (!m_hWnd || !GetWindowRect(m_hWnd, &r))
        return m_crect;
    HWND hParent = (GetWindowLongW(m_hWnd, GWL_STYLE) & WS_CHILD) ? GetParent(m_hWnd) : nullptr;
    if (hParent)
        MapWindowPoints(nullptr, hParent, reinterpret_cast<POINT*>(&r), 2);
    return QRect::fromRECT(r);
}

void QWidget::SyncGeometryFromWindow()
{
    if (!m_hWnd)
        return;
    const bool bChildWindow = (GetWindowLongW(m_hWnd, GWL_STYLE) & WS_CHILD) != 0;
    if (bChildWindow) {
        m_crect = frameGeometry();
        return;
    }
    RECT rc{};
    GetClientRect(m_hWnd, &rc);
    POINT origin{0, 0};
    ClientToScreen(m_hWnd, &origin);
    m_crect = QRect(origin.x, origin.y, rc.right, rc.bottom);
}

void QWidget::setGeometry(int x, int y, int w, int h)
{
    if (w < 0)
        w = 0;
    if (h < 0)
        h = 0;
    const QRect old = m_crect;
    m_crect = QRect(x, y, w, h);
    if (m_hWnd && !testWState(WState_ConfigPending)) {
        setWState(WState_ConfigPending);
        const LONG style = GetWindowLongW(m_hWnd, GWL_STYLE);
        if (style & WS_CHILD) {
            MoveWindow(m_hWnd, x, y, w, h, TRUE);
        } else {
            RECT r{x, y, x + w, y + h};
            AdjustWindowRectEx(&r, static_cast<DWORD>(style), FALSE, static_cast<DWORD>(GetWindowLongW(m_hWnd, GWL_EXSTYLE)));
            SetWindowPos(m_hWnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
        }
        clearWState(WState_ConfigPending);
    }
    if (old.topLeft() != m_crect.topLeft()) {
        QMoveEvent e(m_crect.topLeft(), old.topLeft());
        QApplication::sendEvent(this, &e);
    }
    if (old.size() != m_crect.size()) {
        QResizeEvent e(m_crect.size(), old.size());
        QApplication::sendEvent(this, &e);
    }
}

QPoint QWidget::mapToGlobal(const QPoint& p) const
{
    POINT pt{p.x(), p.y()};
    if (m_hWnd)
        ClientToScreen(m_hWnd, &pt);
    return QPoint(pt.x, pt.y);
}

QPoint QWidget::mapFromGlobal(const QPoint& p) const
{
    POINT pt{p.x(), p.y()};
    if (m_hWnd)
        ScreenToClient(m_hWnd, &pt);
    return QPoint(pt.x, pt.y);
}

void QWidget::ShowChildren(bool bShow)
{
    if (const QObjectList* list = children()) {
        for (QObject* o : *list) {
            if (!o->isWidgetType())
                continue;
            auto* c = static_cast<QWidget*>(o);
            if (bShow && !c->isHidden() && !c->isVisible() && !c->testWFlags(WType_Popup)) {
                c->setWState(WState_Visible);
                c->ShowChildren(true);
                if (c->m_hWnd)
                    ShowWindow(c->m_hWnd, SW_SHOWNA);
                QShowEvent e;
                QApplication::sendEvent(c, &e);
            } else if (!bShow && c->isVisible()) {
                c->clearWState(WState_Visible);
                c->ShowChildren(false);
                QHideEvent e;
                QApplication::sendEvent(c, &e);
            }
        }
    }
}

void QWidget::show()
{
    clearWState(WState_ForceHide);
    if (isVisible())
        return;
    if (m_pParentWidget && !m_pParentWidget->isVisible())
        return;  // comes with the parent
    setWState(WState_Visible);
    ShowChildren(true);
    if (m_hWnd)
        ShowWindow(m_hWnd, testWFlags(WType_Popup) || m_pParentWidget ? SW_SHOWNA : SW_SHOW);
    QShowEvent e;
    QApplication::sendEvent(this, &e);
}

void QWidget::hide()
{
    setWState(WState_ForceHide);
    if (!isVisible()) {
        // Hidden with its parent, its window still carries WS_VISIBLE: it must not come back
        // when the parent is shown.
        if (m_hWnd && (GetWindowLongW(m_hWnd, GWL_STYLE) & WS_VISIBLE))
            ShowWindow(m_hWnd, SW_HIDE);
        return;
    }
    clearWState(WState_Visible);
    if (m_hWnd)
        ShowWindow(m_hWnd, SW_HIDE);
    ShowChildren(false);
    QHideEvent e;
    QApplication::sendEvent(this, &e);
}

void QWidget::setEnabled(bool enable)
{
    if (enable)
        clearWState(WState_ForceDisabled);
    else
        setWState(WState_ForceDisabled);
    // The window itself follows only the widget's own setting: a disabled parent window already
    // keeps input away from its children.
    if (m_hWnd && (IsWindowEnabled(m_hWnd) != FALSE) != enable)
        EnableWindow(m_hWnd, enable);
    PropagateEnabled(!m_pParentWidget || m_pParentWidget->isEnabled());
}

void QWidget::PropagateEnabled(bool bParentEnabled)
{
    const bool bShould = bParentEnabled && !testWState(WState_ForceDisabled);
    if (bShould == isEnabled())
        return;
    const bool bOld = isEnabled();
    if (bShould)
        clearWState(WState_Disabled);
    else
        setWState(WState_Disabled);
    if (const QObjectList* list = children()) {
        for (QObject* o : *list) {
            if (o->isWidgetType())
                static_cast<QWidget*>(o)->PropagateEnabled(bShould);
        }
    }
    enabledChange(bOld);
}

void QWidget::enabledChange(bool)
{
    update();
}

bool QWidget::isActiveWindow() const
{
    return topLevelWidget() == QApplication::activeWindow();
}

void QWidget::setFocusPolicy(FocusPolicy policy)
{
    m_focusPolicy = policy;
    if (!m_hWnd)
        return;
    // The dialog manager's Tab order: the tab stop style bit.
    const LONG style = GetWindowLongW(m_hWnd, GWL_STYLE);
    const LONG wanted = (policy & TabFocus) ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP);
    if (wanted != style)
        SetWindowLongW(m_hWnd, GWL_STYLE, wanted);
}

void QWidget::setFocus()
{
    if (m_hWnd && isEnabled() && GetFocus() != m_hWnd)
        SetFocus(m_hWnd);
}

void QWidget::clearFocus()
{
    if (hasFocus())
        SetFocus(GetParent(m_hWnd));
}

void QWidget::setMouseTracking(bool enable)
{
    if (enable)
        setWState(WState_MouseTracking);
    else
        clearWState(WState_MouseTracking);
}

void QWidget::grabMouse()
{
    if (m_hWnd)
        SetCapture(m_hWnd);
}

void QWidget::releaseMouse()
{
    if (m_hWnd && GetCapture() == m_hWnd)
        ReleaseCapture();
}

void QWidget::setAcceptDrops(bool on)
{
    if (!m_hWnd)
        return;
    const LONG ex = GetWindowLongW(m_hWnd, GWL_EXSTYLE);
    SetWindowLongW(m_hWnd, GWL_EXSTYLE, on ? (ex | WS_EX_ACCEPTFILES) : (ex & ~WS_EX_ACCEPTFILES));
}

bool QWidget::acceptDrops() const
{
    return m_hWnd && (GetWindowLongW(m_hWnd, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
}

void QWidget::Paint(HDC hdc, const QRect& r, bool bErase)
{
    const HDC hdcOld = m_hdcPaint;
    m_hdcPaint = hdc;
    setWState(WState_InPaintEvent);
    if (bErase && !testWFlags(WNoAutoErase) && m_backgroundMode != NoBackground) {
        HBRUSH hBrush = CreateSolidBrush(backgroundColor().colorRef());
        RECT rc = r.toRECT();
        if (hBrush) {
            FillRect(hdc, &rc, hBrush);
            DeleteObject(hBrush);
        }
    }
    QPaintEvent e(r, bErase);
    QApplication::sendEvent(this, &e);
    clearWState(WState_InPaintEvent);
    m_hdcPaint = hdcOld;
}

void QWidget::repaint(int x, int y, int w, int h, bool erase)
{
    if (!m_hWnd || !isVisible() || !isUpdatesEnabled())
        return;
    if (w < 0)
        w = width() - x;
    if (h < 0)
        h = height() - y;
    const QRect r = QRect(x, y, w, h).intersect(rect());
    if (r.isEmpty())
        return;
    HDC hdc = GetDCEx(m_hWnd, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS | DCX_CLIPCHILDREN);
    if (!hdc)
        return;
    const int saved = SaveDC(hdc);
    IntersectClipRect(hdc, r.x(), r.y(), r.x() + r.width(), r.y() + r.height());
    Paint(hdc, r, erase);
    RestoreDC(hdc, saved);
    ::ReleaseDC(m_hWnd, hdc);
    RECT rc = r.toRECT();
    ValidateRect(m_hWnd, &rc);
}

void QWidget::update(int x, int y, int w, int h)
{
    if (!m_hWnd || !isUpdatesEnabled())
        return;
    if (w < 0)
        w = width() - x;
    if (h < 0)
        h = height() - y;
    RECT r{x, y, x + w, y + h};
    InvalidateRect(m_hWnd, &r, FALSE);
}

void QWidget::erase(int x, int y, int w, int h)
{
    if (!m_hWnd || !isVisible())
        return;
    HDC hdc = m_hdcPaint ? m_hdcPaint : GetDCEx(m_hWnd, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS | DCX_CLIPCHILDREN);
    if (!hdc)
        return;
    HBRUSH hBrush = CreateSolidBrush(backgroundColor().colorRef());
    RECT r{x, y, x + w, y + h};
    if (hBrush) {
        FillRect(hdc, &r, hBrush);
        DeleteObject(hBrush);
    }
    if (hdc != m_hdcPaint)
        ::ReleaseDC(m_hWnd, hdc);
}

void QWidget::setUpdatesEnabled(bool enable)
{
    if (enable) {
        clearWState(WState_BlockUpdates);
        update();
    } else {
        setWState(WState_BlockUpdates);
    }
}

HDC QWidget::acquireDC()
{
    if (m_hdcPaint)
        return m_hdcPaint;
    if (!m_hWnd)
        return nullptr;
    if (!m_hdcBorrowed)
        m_hdcBorrowed = GetDCEx(m_hWnd, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS | DCX_CLIPCHILDREN);
    if (m_hdcBorrowed)
        ++m_nDCUsers;
    return m_hdcBorrowed;
}

void QWidget::releaseDC(HDC hdc)
{
    if (!hdc || hdc != m_hdcBorrowed || --m_nDCUsers > 0)
        return;
    ::ReleaseDC(m_hWnd, m_hdcBorrowed);
    m_hdcBorrowed = nullptr;
}

void QWidget::mousePressEvent(QMouseEvent* e) { e->ignore(); }
void QWidget::mouseReleaseEvent(QMouseEvent* e) { e->ignore(); }
void QWidget::mouseDoubleClickEvent(QMouseEvent* e) { mousePressEvent(e); }
void QWidget::mouseMoveEvent(QMouseEvent* e) { e->ignore(); }
void QWidget::focusInEvent(QFocusEvent*) {}
void QWidget::focusOutEvent(QFocusEvent*) {}
bool QWidget::winEvent(MSG*, LRESULT*) { return false; }

bool QWidget::event(QEvent* e)
{
    switch (e->type()) {
    case QEvent::MouseButtonPress:
        mousePressEvent(static_cast<QMouseEvent*>(e));
        return true;
    case QEvent::MouseButtonRelease:
        mouseReleaseEvent(static_cast<QMouseEvent*>(e));
        return true;
    case QEvent::MouseButtonDblClick:
        mouseDoubleClickEvent(static_cast<QMouseEvent*>(e));
        return true;
    case QEvent::MouseMove:
        mouseMoveEvent(static_cast<QMouseEvent*>(e));
        return true;
    case QEvent::Wheel:
        wheelEvent(static_cast<QWheelEvent*>(e));
        return true;
    case QEvent::KeyPress:
        keyPressEvent(static_cast<QKeyEvent*>(e));
        return true;
    case QEvent::KeyRelease:
        keyReleaseEvent(static_cast<QKeyEvent*>(e));
        return true;
    case QEvent::FocusIn:
        focusInEvent(static_cast<QFocusEvent*>(e));
        return true;
    case QEvent::FocusOut:
        focusOutEvent(static_cast<QFocusEvent*>(e));
        return true;
    case QEvent::Enter:
        enterEvent(e);
        return true;
    case QEvent::Leave:
        leaveEvent(e);
        return true;
    case QEvent::Paint:
        paintEvent(static_cast<QPaintEvent*>(e));
        return true;
    case QEvent::Move:
        moveEvent(static_cast<QMoveEvent*>(e));
        return true;
    case QEvent::Resize:
        resizeEvent(static_cast<QResizeEvent*>(e));
        return true;
    case QEvent::Show:
        showEvent(static_cast<QShowEvent*>(e));
        return true;
    case QEvent::Hide:
        hideEvent(static_cast<QHideEvent*>(e));
        return true;
    case QEvent::Drop:
        dropEvent(static_cast<QDropEvent*>(e));
        return true;
    default:
        return QObject::event(e);
    }
}

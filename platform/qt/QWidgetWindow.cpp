#include "platform/qt/QWidgetWindow.h"

#include "platform/qt/QApplication.h"
#include "platform/qt/QWidget.h"

#include <windowsx.h>

namespace {

const wchar_t kProperty[] = L"QWidget";
const wchar_t kClass[] = L"QWidget";

int KeyStateButtons()
{
    int s = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        s |= Qt::ShiftButton;
    if (GetKeyState(VK_CONTROL) < 0)
        s |= Qt::ControlButton;
    if (GetKeyState(VK_MENU) < 0)
        s |= Qt::AltButton;
    return s;
}

int MouseButtons(WPARAM wParam)
{
    int s = 0;
    if (wParam & MK_LBUTTON)
        s |= Qt::LeftButton;
    if (wParam & MK_RBUTTON)
        s |= Qt::RightButton;
    if (wParam & MK_MBUTTON)
        s |= Qt::MidButton;
    return s;
}

int QtKey(WPARAM vk, LPARAM lParam)
{
    switch (vk) {
    case VK_ESCAPE: return Qt::Key_Escape;
    case VK_TAB: return GetKeyState(VK_SHIFT) < 0 ? Qt::Key_Backtab : Qt::Key_Tab;
    case VK_BACK: return Qt::Key_Backspace;
    case VK_RETURN: return (lParam & 0x01000000) ? Qt::Key_Enter : Qt::Key_Return;
    case VK_INSERT: return Qt::Key_Insert;
    case VK_DELETE: return Qt::Key_Delete;
    case VK_HOME: return Qt::Key_Home;
    case VK_END: return Qt::Key_End;
    case VK_LEFT: return Qt::Key_Left;
    case VK_UP: return Qt::Key_Up;
    case VK_RIGHT: return Qt::Key_Right;
    case VK_DOWN: return Qt::Key_Down;
    case VK_PRIOR: return Qt::Key_Prior;
    case VK_NEXT: return Qt::Key_Next;
    case VK_SHIFT: return Qt::Key_Shift;
    case VK_CONTROL: return Qt::Key_Control;
    case VK_MENU: return Qt::Key_Alt;
    case VK_SPACE: return Qt::Key_Space;
    default:
        break;
    }
    if (vk >= VK_F1 && vk <= VK_F24)
        return Qt::Key_F1 + static_cast<int>(vk - VK_F1);
    if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z'))
        return static_cast<int>(vk);
    const UINT ch = MapVirtualKeyW(static_cast<UINT>(vk), MAPVK_VK_TO_CHAR) & 0x7FFF;
    return ch ? static_cast<int>(ch) : Qt::Key_unknown;
}

}  // namespace

const wchar_t* QWidgetWindow::ClassName()
{
    static const bool s_registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = WndProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = kClass;
        return RegisterClassExW(&wc) != 0;
    }();
    (void)s_registered;
    return kClass;
}

QWidget* QWidgetWindow::WidgetOf(HWND hWnd)
{
    return hWnd ? static_cast<QWidget*>(GetPropW(hWnd, kProperty)) : nullptr;
}

void QWidgetWindow::AttachNative(QWidget* w)
{
    SetPropW(w->m_hWnd, kProperty, w);
    w->m_pfnNative = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(w->m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WndProc)));
}

void QWidgetWindow::Detach(QWidget* w)
{
    if (!w->m_hWnd)
        return;
    RemovePropW(w->m_hWnd, kProperty);
    if (w->m_pfnNative && GetWindowLongPtrW(w->m_hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&WndProc))
        SetWindowLongPtrW(w->m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(w->m_pfnNative));
    if (w->m_hdcBorrowed) {
        ReleaseDC(w->m_hWnd, w->m_hdcBorrowed);
        w->m_hdcBorrowed = nullptr;
        w->m_nDCUsers = 0;
    }
    w->m_hWnd = nullptr;
    w->clearWState(Qt::WState_Created | Qt::WState_Visible);
}

LRESULT CALLBACK QWidgetWindow::WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    QWidget* w = WidgetOf(hWnd);
    if (!w && message == WM_NCCREATE) {
        w = static_cast<QWidget*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        if (w) {
            w->m_hWnd = hWnd;
            SetPropW(hWnd, kProperty, w);
        }
    }
    if (!w)
        return DefWindowProcW(hWnd, message, wParam, lParam);
    return Dispatch(w, hWnd, message, wParam, lParam);
}

LRESULT QWidgetWindow::Default(QWidget* w, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (w && w->m_pfnNative)
        return CallWindowProcW(w->m_pfnNative, hWnd, message, wParam, lParam);
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

LRESULT QWidgetWindow::Dispatch(QWidget* w, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG msg{hWnd, message, wParam, lParam, 0, {0, 0}};
    LRESULT result = 0;
    if (w->winEvent(&msg, &result))
        return result;
    if (WidgetOf(hWnd) != w)
        return DefWindowProcW(hWnd, message, wParam, lParam);  // gone meanwhile

    switch (message) {
    case WM_NCDESTROY: {
        const WNDPROC pfnNative = w->m_pfnNative;
        Detach(w);
        return pfnNative ? CallWindowProcW(pfnNative, hWnd, message, wParam, lParam)
                         : DefWindowProcW(hWnd, message, wParam, lParam);
    }
    case WM_MOVE:
    case WM_SIZE:
        if (!w->testWState(Qt::WState_ConfigPending)) {
            const QRect old = w->m_crect;
            w->SyncGeometryFromWindow();
            if (old.topLeft() != w->m_crect.topLeft()) {
                QMoveEvent e(w->m_crect.topLeft(), old.topLeft());
                QApplication::sendEvent(w, &e);
            }
            if (WidgetOf(hWnd) == w && old.size() != w->m_crect.size()) {
                QResizeEvent e(w->m_crect.size(), old.size());
                QApplication::sendEvent(w, &e);
            }
        }
        return Default(w, hWnd, message, wParam, lParam);
    case WM_SHOWWINDOW:
        // ShowWindow from outside the widget (a dialog showing its control): keep the flags in step.
        if (lParam == 0 && (wParam != 0) != w->isVisible()) {
            if (wParam) {
                w->clearWState(Qt::WState_ForceHide);
                w->setWState(Qt::WState_Visible);
                w->ShowChildren(true);
            } else {
                w->clearWState(Qt::WState_Visible);
                w->setWState(Qt::WState_ForceHide);
                w->ShowChildren(false);
            }
        }
        return Default(w, hWnd, message, wParam, lParam);
    case WM_ENABLE:
        if ((wParam != 0) != !w->testWState(Qt::WState_ForceDisabled)) {
            if (wParam)
                w->clearWState(Qt::WState_ForceDisabled);
            else
                w->setWState(Qt::WState_ForceDisabled);
            w->PropagateEnabled(!w->m_pParentWidget || w->m_pParentWidget->isEnabled());
        }
        return Default(w, hWnd, message, wParam, lParam);
    case WM_ACTIVATE:
        if (!(GetWindowLongW(hWnd, GWL_STYLE) & WS_CHILD)) {
            if (LOWORD(wParam) != WA_INACTIVE)
                QApplication::setActiveWindowRecord(w);
            else if (QApplication::activeWindow() == w)
                QApplication::setActiveWindowRecord(nullptr);
        }
        return Default(w, hWnd, message, wParam, lParam);
    case WM_HSCROLL:
    case WM_VSCROLL:
        // A native scroll bar reports to its parent: hand the report to the bar's widget.
        if (QWidget* bar = WidgetOf(reinterpret_cast<HWND>(lParam)); bar && bar != w) {
            MSG barMsg{reinterpret_cast<HWND>(lParam), message, wParam, lParam, 0, {0, 0}};
            if (bar->winEvent(&barMsg, &result))
                return result;
        }
        return Default(w, hWnd, message, wParam, lParam);
    default:
        break;
    }
    if (w->m_pfnNative)
        return Default(w, hWnd, message, wParam, lParam);

    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC hdc = BeginPaint(hWnd, &ps);
        if (hdc && w->isUpdatesEnabled())
            w->Paint(hdc, QRect::fromRECT(ps.rcPaint), true);
        // Validates whether or not anything was painted: no endless WM_PAINT.
        EndPaint(hWnd, &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        w->Paint(reinterpret_cast<HDC>(wParam), w->rect(), true);
        return 0;
    case WM_ERASEBKGND:
        return 1;  // the paint event erases with the palette's colour
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        QFocusEvent e(message == WM_SETFOCUS ? QEvent::FocusIn : QEvent::FocusOut);
        QApplication::sendEvent(w, &e);
        return 0;
    }
    case WM_MOUSELEAVE:
        if (w->m_bMouseInside) {
            w->m_bMouseInside = false;
            w->clearWState(Qt::WState_HasMouse);
            QEvent e(QEvent::Leave);
            QApplication::sendEvent(w, &e);
        }
        return 0;
    case WM_DROPFILES:
        DropFiles(w, reinterpret_cast<HANDLE>(wParam));
        return 0;
    default:
        break;
    }
    if (message == WM_MOUSEWHEEL || (message >= WM_MOUSEFIRST && message <= WM_MBUTTONDBLCLK)) {
        if (MouseMessage(w, message, wParam, lParam))
            return 0;
    } else if (message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP ||
               message == WM_CHAR) {
        if (KeyMessage(w, message, wParam, lParam))
            return 0;
        if (WidgetOf(hWnd) != w)
            return 0;
    }
    return Default(w, hWnd, message, wParam, lParam);
}

bool QWidgetWindow::MouseMessage(QWidget* w, UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND hWnd = w->m_hWnd;
    const int keys = KeyStateButtons();
    if (message == WM_MOUSEWHEEL) {
        if (w->focusPolicy() == QWidget::WheelFocus)
            w->setFocus();
        const QPoint global(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        for (QWidget* target = w; target; target = target->parentWidget()) {
            QWheelEvent e(target->mapFromGlobal(global), GET_WHEEL_DELTA_WPARAM(wParam),
                          MouseButtons(GET_KEYSTATE_WPARAM(wParam)) | keys);
            QApplication::sendEvent(target, &e);
            if (e.isAccepted())
                return true;
        }
        return false;
    }
    QEvent::Type type = QEvent::MouseMove;
    int button = Qt::NoButton;
    switch (message) {
    case WM_LBUTTONDOWN: type = QEvent::MouseButtonPress; button = Qt::LeftButton; break;
    case WM_LBUTTONUP: type = QEvent::MouseButtonRelease; button = Qt::LeftButton; break;
    case WM_LBUTTONDBLCLK: type = QEvent::MouseButtonDblClick; button = Qt::LeftButton; break;
    case WM_RBUTTONDOWN: type = QEvent::MouseButtonPress; button = Qt::RightButton; break;
    case WM_RBUTTONUP: type = QEvent::MouseButtonRelease; button = Qt::RightButton; break;
    case WM_RBUTTONDBLCLK: type = QEvent::MouseButtonDblClick; button = Qt::RightButton; break;
    case WM_MBUTTONDOWN: type = QEvent::MouseButtonPress; button = Qt::MidButton; break;
    case WM_MBUTTONUP: type = QEvent::MouseButtonRelease; button = Qt::MidButton; break;
    case WM_MBUTTONDBLCLK: type = QEvent::MouseButtonDblClick; button = Qt::MidButton; break;
    case WM_MOUSEMOVE: break;
    default: return false;
    }
    // Qt's state is the one before the event; Shift and Ctrl as the message carries them.
    int state = MouseButtons(wParam) | (keys & Qt::AltButton);
    if (wParam & MK_SHIFT)
        state |= Qt::ShiftButton;
    if (wParam & MK_CONTROL)
        state |= Qt::ControlButton;
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick)
        state &= ~button;
    else if (type == QEvent::MouseButtonRelease)
        state |= button;
    const QPoint pos(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    if (type == QEvent::MouseMove) {
        if (!w->m_bMouseInside) {
            w->m_bMouseInside = true;
            w->setWState(Qt::WState_HasMouse);
            TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, hWnd, 0};
            TrackMouseEvent(&tme);
            QEvent e(QEvent::Enter);
            QApplication::sendEvent(w, &e);
            if (WidgetOf(hWnd) != w)
                return true;
        }
        if (!w->hasMouseTracking() && !(state & Qt::MouseButtonMask)) {
            // Filters (the tool tip) still see the motion.
            QMouseEvent e(type, pos, w->mapToGlobal(pos), button, state);
            w->filterEvent(&e);
            return true;
        }
    } else if (type != QEvent::MouseButtonRelease) {
        // Qt grabs the mouse while a button is down.
        if (GetCapture() != hWnd)
            SetCapture(hWnd);
        if (w->focusPolicy() & QWidget::ClickFocus) {
            w->setFocus();
            if (WidgetOf(hWnd) != w)
                return true;
        }
    } else if (!(wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) && GetCapture() == hWnd) {
        ReleaseCapture();
    }
    QMouseEvent e(type, pos, w->mapToGlobal(pos), button, state);
    QApplication::sendEvent(w, &e);
    return true;
}

bool QWidgetWindow::KeyMessage(QWidget* w, UINT message, WPARAM wParam, LPARAM lParam)
{
    const bool bPress = message == WM_KEYDOWN || message == WM_SYSKEYDOWN || message == WM_CHAR;
    int key;
    QString text;
    if (message == WM_CHAR) {
        const wchar_t c = static_cast<wchar_t>(wParam);
        key = (c >= L'a' && c <= L'z') ? c - L'a' + L'A' : c;
        text = QString(std::wstring(1, c));
    } else {
        key = QtKey(wParam, lParam);
        MSG next;
        // The character that TranslateMessage made of this key press comes with it, as in Qt.
        if (bPress && PeekMessageW(&next, w->m_hWnd, WM_CHAR, WM_CHAR, PM_NOREMOVE | PM_NOYIELD) &&
            PeekMessageW(&next, w->m_hWnd, WM_CHAR, WM_CHAR, PM_REMOVE | PM_NOYIELD))
            text = QString(std::wstring(1, static_cast<wchar_t>(next.wParam)));
    }
    const int ascii = text.length() == 1 && text[0] < 128 ? text[0] : 0;
    const bool bRepeat = bPress && (lParam & 0x40000000) != 0;
    for (QWidget* target = w; target; target = target->parentWidget()) {
        QKeyEvent e(bPress ? QEvent::KeyPress : QEvent::KeyRelease, key, ascii, KeyStateButtons(), text, bRepeat);
        QApplication::sendEvent(target, &e);
        if (e.isAccepted())
            return true;
    }
    return false;
}

void QWidgetWindow::DropFiles(QWidget* w, HANDLE hDrop)
{
    // The shell's drop record: a DROPFILES header, then the names, each ending in a zero, and a
    // final zero. Read within the block's size only.
    struct DropFilesHeader {
        DWORD pFiles;
        POINT pt;
        BOOL fNC;
        BOOL fWide;
    };
    QStringList files;
    QPoint pos;
    const SIZE_T cb = GlobalSize(hDrop);
    const auto* p = static_cast<const BYTE*>(GlobalLock(hDrop));
    if (p && cb >= sizeof(DropFilesHeader)) {
        const auto* h = reinterpret_cast<const DropFilesHeader*>(p);
        pos = QPoint(h->pt.x, h->pt.y);
        if (h->fNC) {
            POINT pt = h->pt;
            ScreenToClient(w->m_hWnd, &pt);
            pos = QPoint(pt.x, pt.y);
        }
        SIZE_T off = h->pFiles;
        while (off < cb) {
            std::wstring name;
            if (h->fWide) {
                while (off + 1 < cb && (p[off] | p[off + 1]))
                    name += static_cast<wchar_t>(p[off] | (p[off + 1] << 8)), off += 2;
                off += 2;
            } else {
                std::string ansi;
                while (off < cb && p[off])
                    ansi += static_cast<char>(p[off++]);
                ++off;
                const int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
                name.resize(static_cast<size_t>(n > 0 ? n : 0));
                if (n > 0)
                    MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), name.data(), n);
            }
            if (name.empty())
                break;
            files.append(QString(name));
        }
    }
    if (p)
        GlobalUnlock(hDrop);
    GlobalFree(hDrop);  // what the shell's DragFinish does
    QDropEvent e(pos, files);
    QApplication::sendEvent(w, &e);
}

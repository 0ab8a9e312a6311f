// The Qt control host: taking over the widget's window, placing it in a dialog, keeping Qt's idea of
// geometry, visibility, focus and activation in step with the window, focus modes, frame and name.
#include "toolkit/qtcontrols/VellQTControl.h"

#include "platform/qt/QApplication.h"
#include "platform/qt/QFrame.h"
#include "platform/qt/QWidget.h"
#include "toolkit/qtcontrols/QtConversions.h"
#include "toolkit/qtcontrols/QtWidgetAccess.h"

IMPLEMENT_DYNAMIC(CVellQTControl, CWnd)

BEGIN_MESSAGE_MAP(CVellQTControl, CVellControlWnd<CWnd>)
    ON_WM_GETDLGCODE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {

// The dialog manager passes arrow keys and characters to the control; Tab stays the dialog's.
constexpr UINT kDlgCode = DLGC_WANTARROWS | DLGC_WANTCHARS;

}  // namespace

CVellQTControl::CVellQTControl(CWnd* pOwner) : CVellControlWnd<CWnd>(pOwner)
{
}

CVellQTControl::~CVellQTControl()
{
    // Concrete controls destroy the window in their own destructor (DestroyHostWindow); by now the
    // widget part is gone and with it the window. This only catches a control that did not.
    DestroyHostWindow();
}

void CVellQTControl::DestroyHostWindow()
{
    if (m_hWnd)
        DestroyWindow();
}

void CVellQTControl::AttachWidget()
{
    QWidget* pWidget = GetWidget();
    if (!pWidget)
        return;
    // Enabled and drawing from the start, without the change events the public setters send.
    QtWidgetAccess::ClearStateFlags(pWidget, Qt::WState_Disabled | Qt::WState_BlockUpdates | Qt::WState_ForceDisabled);
    pWidget->setFocusPolicy(QWidget::StrongFocus);
    CVellControl::SetUseFocus(2);
    HWND hWnd = pWidget->winId();
    if (hWnd) {
        ::SetWindowLongW(hWnd, GWL_STYLE, WS_CHILD);
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
        SubclassWindow(hWnd);
    }
    pWidget->setGeometry(10, 10, 100, 100);  // until the control is placed
    InitColors();
}

CWnd* CVellQTControl::GetNotifyWindow()
{
    // A child window without a parent of its own reports the desktop: that is no one to notify.
    if (m_hWnd) {
        if (HWND hParent = ::GetParent(m_hWnd); hParent && hParent != ::GetDesktopWindow())
            return CWnd::FromHandle(hParent);
    }
    return m_pOwnerWnd;
}

void CVellQTControl::SetOwnerWindow(CWnd* pOwner)
{
    m_pOwnerWnd = pOwner;
}

BOOL CVellQTControl::IsWidgetVisible()
{
    QWidget* pWidget = GetWidget();
    return pWidget && pWidget->isVisible();
}

QFrame* CVellQTControl::GetFrame()
{
    return nullptr;
}

void CVellQTControl::SetFrameShadow(int nKind)
{
    QFrame* pFrame = GetFrame();
    if (!pFrame)
        return;
    const int nShadow = nKind == 1 ? QFrame::Raised : nKind == 2 ? QFrame::Sunken : QFrame::Plain;
    pFrame->setFrameStyle((pFrame->frameStyle() & QFrame::MShape) | nShadow);
}

void CVellQTControl::SetMouseTracking(BOOL bTrack)
{
    if (QWidget* pWidget = GetWidget())
        pWidget->setMouseTracking(bTrack != FALSE);
}

BOOL CVellQTControl::HasMouseTracking()
{
    QWidget* pWidget = GetWidget();
    return pWidget && pWidget->hasMouseTracking();
}

void CVellQTControl::SetUseFocus(int nValue)
{
    if (QWidget* pWidget = GetWidget())
        pWidget->setFocusPolicy(nValue == 0 ? QWidget::NoFocus : nValue == 1 ? QWidget::TabFocus : QWidget::StrongFocus);
    CVellControl::SetUseFocus(nValue);
}

void CVellQTControl::SetFocusMode(int nMode)
{
    int nUseFocus = 2;
    QWidget::FocusPolicy policy = QWidget::StrongFocus;
    switch (nMode) {
    case 0: nUseFocus = 1; policy = QWidget::TabFocus; break;
    case 1: policy = QWidget::ClickFocus; break;
    case 3: policy = QWidget::WheelFocus; break;
    case 4: nUseFocus = 0; policy = QWidget::NoFocus; break;
    default: break;
    }
    SetUseFocus(nUseFocus);
    if (QWidget* pWidget = GetWidget())
        pWidget->setFocusPolicy(policy);
}

void CVellQTControl::SetName(const wchar_t* pszName)
{
    wchar_t szName[kMaxNameLength + 1] = {};
    for (int i = 0; pszName && i < kMaxNameLength && pszName[i]; ++i)
        szName[i] = pszName[i] == L'.' ? L'_' : pszName[i];
    if (QWidget* pWidget = GetWidget())
        pWidget->setName(WideToUtf8(szName).c_str());
    if (m_hWnd)
        SetWindowText(szName);
}

void CVellQTControl::SetEnabled(BOOL bValue)
{
    if (QWidget* pWidget = GetWidget())
        pWidget->setEnabled(bValue != FALSE);
    CVellControl::SetEnabled(bValue);
}

BOOL CVellQTControl::SetStyles(DWORD* pStyle, DWORD* pExStyle)
{
    const BOOL bResult = CVellControl::SetStyles(pStyle, pExStyle);
    if (QWidget* pWidget = GetWidget()) {
        if (pStyle && (*pStyle & WS_VISIBLE))
            pWidget->show();
        else
            pWidget->hide();
    }
    return bResult;
}

void CVellQTControl::Show(int nCmdShow)
{
    QWidget* pWidget = GetWidget();
    if (!pWidget)
        return;
    if (nCmdShow == SW_SHOW)
        pWidget->show();
    else if (nCmdShow == SW_HIDE)
        pWidget->hide();
}

void CVellQTControl::MoveTo(const RECT* pRect)
{
    QWidget* pWidget = GetWidget();
    if (!pRect || !pWidget)
        return;
    const QPoint oldPos = pWidget->pos();
    const QSize oldSize = pWidget->size();
    const QRect rect = RectToQRect(*pRect);
    // Qt treats the widget as top-level and would place it by its frame: the window is moved here,
    // and Qt ignores the move and size messages that causes.
    if (!pWidget->testWState(Qt::WState_ConfigPending)) {
        QtWidgetAccess::SetStateFlags(pWidget, Qt::WState_ConfigPending);
        QtWidgetAccess::SetGeometryRecord(pWidget, rect);
        if (m_hWnd)
            MoveWindow(rect.x(), rect.y(), rect.width(), rect.height(), TRUE);
        QtWidgetAccess::ClearStateFlags(pWidget, Qt::WState_ConfigPending);
    }
    QApplication::postEvent(pWidget, new QMoveEvent(rect.topLeft(), oldPos));
    QApplication::postEvent(pWidget, new QResizeEvent(rect.size(), oldSize));
}

BOOL CVellQTControl::ReplaceDlgItem(UINT nID, CWnd* pParent, const wchar_t* /*pszClassName*/)
{
    if (!WindowExists() || !pParent || !::IsWindow(pParent->m_hWnd))
        return FALSE;
    HWND hItem = ::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID));
    if (!hItem || hItem == m_hWnd)
        return FALSE;
    CWnd* pItem = CWnd::FromHandle(hItem);
    ::SetParent(m_hWnd, pParent->m_hWnd);
    DWORD dwStyle = (pItem->GetStyle() & ~WS_BORDER) | WS_CHILD;
    DWORD dwExStyle = pItem->GetExStyle();
    AdjustHostStyles(&dwStyle, &dwExStyle);
    // Between the item's neighbours: the control takes its place in the tab order.
    SetZOrder(pItem->GetWindow(GW_HWNDPREV), pItem->GetWindow(GW_HWNDNEXT));
    CRect rc;
    pItem->GetWindowRect(&rc);
    pParent->ScreenToClient(&rc);
    MoveTo(&rc);
    SetDlgCtrlID(static_cast<int>(nID));
    SetEnabled(pItem->IsWindowEnabled());
    return pItem->DestroyWindow();
}

BOOL CVellQTControl::Create(UINT nID, const RECT* pRect, CWnd* pParent)
{
    if (!WindowExists() || !pParent || !::IsWindow(pParent->m_hWnd))
        return FALSE;
    ::SetParent(m_hWnd, pParent->m_hWnd);
    DWORD dwStyle = (GetStyle() & ~WS_BORDER) | WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    DWORD dwExStyle = GetExStyle();
    const BOOL bResult = AdjustHostStyles(&dwStyle, &dwExStyle);
    MoveTo(pRect);
    SetDlgCtrlID(static_cast<int>(nID));
    return bResult;
}

BOOL CVellQTControl::CreatePopup(const RECT* pRect, CWnd* pOwner)
{
    if (!WindowExists())
        return FALSE;
    SetOwnerWindow(pOwner);
    DWORD dwStyle = (GetStyle() & ~(WS_POPUP | WS_CHILD | WS_BORDER)) | WS_POPUP;
    DWORD dwExStyle = GetExStyle() | WS_EX_TOOLWINDOW;
    const BOOL bResult = AdjustHostStyles(&dwStyle, &dwExStyle);
    // A window without a parent gets the owner as its native owner too: it stays above it.
    if (pOwner && pOwner->m_hWnd && !::GetParent(m_hWnd))
        ::SetWindowLongPtrW(m_hWnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(pOwner->m_hWnd));
    MoveTo(pRect);
    return bResult;
}

void CVellQTControl::RepaintWidget(UINT /*message*/)
{
    QWidget* pWidget = GetWidget();
    // Validated first: the paint below covers the whole window, and whatever it invalidates again
    // stays due. A widget that paints nothing (hidden for Qt) must not leave WM_PAINT coming.
    if (m_hWnd)
        ::ValidateRect(m_hWnd, nullptr);
    if (!pWidget)
        return;
    QtWidgetAccess::RecordActiveWindow(pWidget);
    pWidget->repaint(0, 0, pWidget->width(), pWidget->height(), false);
}

UINT CVellQTControl::GetDlgCode()
{
    return kDlgCode;
}

UINT CVellQTControl::OnGetDlgCode()
{
    return GetDlgCode();
}

void CVellQTControl::OnDestroy()
{
    if (QWidget* pWidget = GetWidget())
        pWidget->unsetFont();
    Default();
}

BOOL CVellQTControl::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (const BOOL bRelay = CVellControl::OnWndMsg(message, wParam, lParam, pResult))
        return bRelay;
    switch (message) {
    case WM_KILLFOCUS:
        if (wParam) {
            // Focus that moves into the control's own child (a rename editor) is not lost.
            HWND hFocus = ::GetFocus();
            if (hFocus && ::IsChild(m_hWnd, hFocus))
                return FALSE;
            const LRESULT lResult = ::SendMessageW(m_hWnd, WM_KILLFOCUS, 0, 0);
            if (pResult)
                *pResult = lResult;
            return TRUE;
        }
        break;
    case WM_SETFOCUS:
    case WM_MOUSEACTIVATE:
        if (wParam) {
            // The dialog is the active top-level window, but the widget paints as active.
            QtWidgetAccess::RecordActiveWindow(GetWidget());
            const LRESULT lResult = ::SendMessageW(m_hWnd, message, 0, 0);
            if (pResult)
                *pResult = lResult;
            return TRUE;
        }
        break;
    case WM_PAINT:
        if (!wParam) {
            RepaintWidget(WM_PAINT);
            if (pResult)
                *pResult = 0;
            return TRUE;
        }
        break;
    case WM_NCCALCSIZE:
        // The widget draws its own scroll bars: a scroll-bar style taken over from a placeholder
        // must not reserve room for native ones beside them.
        if (lParam && (GetStyle() & (WS_VSCROLL | WS_HSCROLL))) {
            RECT* pRect = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
            RECT frame{0, 0, 0, 0};
            ::AdjustWindowRectEx(&frame, GetStyle() & ~(WS_VSCROLL | WS_HSCROLL), FALSE, GetExStyle());
            pRect->left -= frame.left;
            pRect->top -= frame.top;
            pRect->right -= frame.right;
            pRect->bottom -= frame.bottom;
            if (pResult)
                *pResult = 0;
            return TRUE;
        }
        break;
    case WM_NCDESTROY:
        OnOwnerWindowDestroying();
        break;
    default:
        break;
    }
    return CWnd::OnWndMsg(message, wParam, lParam, pResult);
}

// The bitmap button's mouse and keyboard handling and its notifications to the parent.
//
// A notification handler may destroy the button (a dialog that closes on a click, say): after each
// notification the handlers check that the window is still this object's before they touch it again.
#include "toolkit/buttons/VellBitmapButton.h"

void CVellBitmapButton::RepaintNow()
{
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

BOOL CVellBitmapButton::StillAlive(HWND hWnd) const
{
    return ::IsWindow(hWnd) && CWnd::FromHandlePermanent(hWnd) == static_cast<const CWnd*>(this);
}

BOOL CVellBitmapButton::NotifyClick()
{
    if (!GetEnabled())
        return TRUE;
    HWND hWnd = m_hWnd;
    ::SendMessageW(::GetParent(hWnd), WM_VELLBUTTON_CLICK, static_cast<WPARAM>(::GetDlgCtrlID(hWnd)), 0);
    return StillAlive(hWnd);
}

BOOL CVellBitmapButton::NotifyPress()
{
    HWND hWnd = m_hWnd;
    ::SendMessageW(::GetParent(hWnd), WM_VELLBUTTON_PRESS, static_cast<WPARAM>(::GetDlgCtrlID(hWnd)),
                   m_bPressNotified);
    return StillAlive(hWnd);
}

BOOL CVellBitmapButton::NotifyCheck()
{
    if (!GetEnabled())
        return TRUE;
    HWND hWnd = m_hWnd;
    const WPARAM nId = static_cast<WPARAM>(::GetDlgCtrlID(hWnd));
    ::SendMessageW(::GetParent(hWnd), WM_VELLBUTTON_CHECK, nId, m_nCheck);
    if (!StillAlive(hWnd))
        return FALSE;
    if (m_hNotifyWnd) {
        ::SendMessageW(m_hNotifyWnd, WM_VELLBUTTON_CHECK_RELAY, nId, m_nCheck);
        return StillAlive(hWnd);
    }
    return TRUE;
}

void CVellBitmapButton::ToggleCheck()
{
    if (m_nCheck == 0 || m_nCheck == 2)
        m_nCheck = 1;
    else if (m_nCheck == 1)
        m_nCheck = 0;
}

void CVellBitmapButton::ReleaseMouse()
{
    // With a rollover picture the button keeps the capture while the cursor is over it, so that it
    // notices when the cursor leaves.
    if (m_bHover && HasRollover())
        return;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

void CVellBitmapButton::OnLButtonDown(UINT, CPoint point)
{
    if (GetEnabled() && HitTestButton(point)) {
        m_bMouseDown = TRUE;
        m_bHover = TRUE;  // pressed at once, before any move
        if (::GetCapture() != m_hWnd)
            ::SetCapture(m_hWnd);
        if (m_nButtonStyle == StylePressRelease) {
            m_bPressNotified = TRUE;
            if (!NotifyPress())
                return;
        }
        RepaintNow();
    }
    Default();  // the system button takes the focus
}

void CVellBitmapButton::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    OnLButtonDown(nFlags, point);
}

void CVellBitmapButton::OnMouseMove(UINT nFlags, CPoint point)
{
    const BOOL bInside = HitTestButton(point);
    if (bInside != m_bHover) {
        m_bHover = bInside;
        if (m_bMouseDown || HasRollover())
            RepaintNow();
        if (m_nButtonStyle == StylePressRelease && m_bMouseDown) {
            m_bPressNotified = bInside;
            if (!NotifyPress())
                return;
        }
    }
    if (HasRollover()) {
        if (::GetCapture() != m_hWnd)
            ::SetCapture(m_hWnd);
        if (!bInside && !(nFlags & MK_LBUTTON))
            ReleaseMouse();
    }
    Default();
}

void CVellBitmapButton::OnLButtonUp(UINT, CPoint point)
{
    HWND hWnd = m_hWnd;
    const BOOL bInside = m_bMouseDown && HitTestButton(point);
    if (bInside && IsCheckStyle())
        ToggleCheck();
    if (m_bMouseDown) {
        m_bMouseDown = FALSE;
        RepaintNow();
        ReleaseMouse();
    }
    Default();  // the system button tells its parent BN_CLICKED, whose handler may end the button
    if (!bInside || !StillAlive(hWnd))
        return;
    if (m_nButtonStyle == StylePressRelease) {
        m_bPressNotified = FALSE;
        NotifyPress();
    } else if (IsCheckStyle()) {
        NotifyCheck();
    } else {
        NotifyClick();
    }
}

void CVellBitmapButton::OnKeyDown(UINT nChar, UINT, UINT nFlags)
{
    if (nChar == VK_SPACE && !(nFlags & KF_REPEAT) && GetEnabled()) {
        if (m_nButtonStyle == StylePressRelease) {
            m_bPressNotified = TRUE;
            if (!NotifyPress())
                return;
        }
        m_bKeyDown = TRUE;
        RepaintNow();
    }
    Default();
}

LRESULT CVellBitmapButton::OnKeyUp(WPARAM wParam, LPARAM)
{
    if (wParam != VK_SPACE)
        return 0;  // other keys end here
    if (!m_bKeyDown)
        return Default();  // the space bar went down elsewhere: no press to finish
    FinishKeyPress();
    return 0;
}

BOOL CVellBitmapButton::FinishKeyPress()
{
    HWND hWnd = m_hWnd;
    if (IsCheckStyle())
        ToggleCheck();
    m_bKeyDown = FALSE;
    RepaintNow();
    Default();
    if (!StillAlive(hWnd))
        return FALSE;
    if (m_nButtonStyle == StylePressRelease) {
        m_bPressNotified = FALSE;
        return NotifyPress();
    }
    return IsCheckStyle() ? NotifyCheck() : NotifyClick();
}

void CVellBitmapButton::OnKillFocus(CWnd*)
{
    if (m_bKeyDown)
        FinishKeyPress();  // passes the message on
    else
        Default();
}

void CVellBitmapButton::OnSetFocus(CWnd*)
{
    Default();
    if (::GetFocus() != m_hWnd)
        CWnd::SetFocus();
}

void CVellBitmapButton::EndMouseHold()
{
    HWND hWnd = m_hWnd;
    m_bMouseDown = FALSE;
    if (m_nButtonStyle == StylePressRelease && m_bPressNotified) {
        m_bPressNotified = FALSE;
        if (!NotifyPress())
            return;
    }
    if (StillAlive(hWnd))
        RepaintNow();
}

LRESULT CVellBitmapButton::OnCaptureChanged(WPARAM, LPARAM)
{
    if (!m_bMouseDown)
        return 0;
    HWND hCapture = ::GetCapture();
    if (hCapture == m_hWnd)
        return 0;
    if (!hCapture && ::GetFocus() == m_hWnd) {
        ::SetCapture(m_hWnd);
        return 0;
    }
    // Another window took the mouse (a message box, a menu) or the button lost the focus with it:
    // the hold ends without a click, and the system button drops its pushed state as well.
    Default();
    EndMouseHold();
    return 0;
}

// The styled window hook: message dispatch, hit testing, caption button states and texts.
#include "toolkit/style/StyleWindowHook.h"

#include "platform/mfc/CDialog.h"
#include "toolkit/draw/StyleColors.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CVellStyleWindowHook, CSubclassWnd)

namespace {

const CRect kNoRect(-1, -1, -1, -1);

bool IsButtonPart(UINT nPart)
{
    return nPart == HTCLOSE || nPart == HTMAXBUTTON || nPart == HTMINBUTTON || nPart == HTHELP;
}

int SignedX(LPARAM lParam)
{
    return static_cast<short>(LOWORD(lParam));
}

int SignedY(LPARAM lParam)
{
    return static_cast<short>(HIWORD(lParam));
}

}  // namespace

CVellStyleWindowHook::CVellStyleWindowHook()
    : m_rcIcon(kNoRect), m_rcHelp(kNoRect), m_rcMinimize(kNoRect), m_rcMaximize(kNoRect), m_rcClose(kNoRect)
{
}

void CVellStyleWindowHook::Install(CWnd* pWnd)
{
    if (!pWnd || !pWnd->m_hWnd)
        return;
    m_dwSavedCaption = pWnd->GetStyle() & WS_CAPTION;
    pWnd->ModifyStyle(WS_CAPTION, 0);
    HookTo(pWnd);
}

DWORD CVellStyleWindowHook::EffectiveStyle() const
{
    return (m_hooked ? m_hooked->GetStyle() : 0) | m_dwSavedCaption;
}

CSize CVellStyleWindowHook::WindowSize() const
{
    CRect rc;
    if (m_hooked)
        m_hooked->GetWindowRect(&rc);
    return rc.Size();
}

HICON CVellStyleWindowHook::SmallIcon() const
{
    return m_hooked ? reinterpret_cast<HICON>(m_hooked->SendMessage(WM_GETICON, ICON_SMALL)) : nullptr;
}

bool CVellStyleWindowHook::IsDialogWindow() const
{
    return m_hooked && m_hooked->IsKindOf(RUNTIME_CLASS(CDialog));
}

LRESULT CVellStyleWindowHook::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETTEXT:
        return OnSetText(reinterpret_cast<const wchar_t*>(lParam));
    case WM_GETTEXT:
        return OnGetText(reinterpret_cast<wchar_t*>(lParam), static_cast<int>(wParam));
    case WM_SYSCOLORCHANGE:
    case WM_WININICHANGE:
        OnSettingChange();
        return 0;
    case WM_NCCALCSIZE: {
        // The first rectangle of either form of the message.
        RECT* pRect = reinterpret_cast<RECT*>(lParam);
        if (pRect) {
            pRect->left += kMargin;
            pRect->right -= kMargin;
            pRect->bottom -= kMargin;
            pRect->top += ContentTop();
            const int nWidth = pRect->right - pRect->left + 2 * kMargin;
            m_nMenuBarHeight = MenuBar() ? LayOutMenuBar(nWidth) : 0;
            pRect->top += m_nMenuBarHeight;
            if (pRect->top > pRect->bottom)
                pRect->top = pRect->bottom;
        }
        return 0;
    }
    case WM_SIZE: {
        // A new width wraps the menu bar anew: the system lays it out again at the next frame.
        const LRESULT lResult = PassOn();
        if (m_hooked && m_hooked->m_hWnd && MenuBar() && wParam != SIZE_MINIMIZED && m_nMenuBarWidth != WindowSize().cx)
            ::DrawMenuBar(m_hooked->m_hWnd);
        return lResult;
    }
    case WM_NCHITTEST:
        return OnNcHitTest(SignedX(lParam), SignedY(lParam));
    case WM_NCPAINT:
        OnNcPaint(reinterpret_cast<HRGN>(wParam));
        return 0;
    case WM_PRINT:
        if ((lParam & PRF_NONCLIENT) && m_hooked && (!(lParam & PRF_CHECKVISIBLE) || m_hooked->IsWindowVisible()))
            return PrintWithFrame(reinterpret_cast<HDC>(wParam), lParam);
        break;
    case WM_NCMOUSEMOVE:
        return OnNcMouseMove(static_cast<UINT>(wParam), SignedX(lParam), SignedY(lParam));
    case WM_NCLBUTTONDOWN:
        return OnNcLButtonDown(static_cast<UINT>(wParam), SignedX(lParam), SignedY(lParam));
    case WM_NCLBUTTONUP:
        return OnNcLButtonUp(static_cast<UINT>(wParam), SignedX(lParam), SignedY(lParam));
    case WM_NCLBUTTONDBLCLK:
        if (wParam == HTCAPTION)
            return PassOnWithCaption();
        break;
    case WM_SYSCOMMAND:
        if (wParam == SC_MAXIMIZE || wParam == SC_RESTORE)
            return PassOnWithCaption();
        break;
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
        // Only while a caption button holds the capture: a drag of the client area keeps its own.
        if (m_nPressedPart && m_hooked && ::GetCapture() == m_hooked->m_hWnd) {
            POINT pt{SignedX(lParam), SignedY(lParam)};
            m_hooked->ClientToScreen(&pt);
            const UINT nPart = HitTestParts(pt);
            return message == WM_MOUSEMOVE ? OnNcMouseMove(nPart, pt.x, pt.y) : OnNcLButtonUp(nPart, pt.x, pt.y);
        }
        break;
    case WM_NCMOUSELEAVE:
        m_nHotPart = 0;
        RedrawCaptionButtons();
        break;
    case WM_NCACTIVATE: {
        // The default handling records the state (and may refuse a deactivation); an lParam of -1
        // keeps it from painting the system's frame over ours, which is painted again instead.
        const LRESULT lResult = CSubclassWnd::HandleMessage(WM_NCACTIVATE, wParam, -1);
        if (m_hooked && m_hooked->m_hWnd)
            OnNcActivate(static_cast<BOOL>(wParam));
        return lResult;
    }
    case WM_CAPTURECHANGED:
        // Someone else took the mouse (a message box, a task switch): the held button lets go.
        if (m_nPressedPart && m_hooked && reinterpret_cast<HWND>(lParam) != m_hooked->m_hWnd) {
            m_nPressedPart = 0;
            m_nHotPart = 0;
            RedrawCaptionButtons();
        }
        break;
    default:
        break;
    }
    return PassOn();
}

LRESULT CVellStyleWindowHook::PrintWithFrame(HDC hDC, LPARAM nFlags)
{
    PaintNonClient(CDC::FromHandle(hDC));
    // The rest is printed as usual, with the DC's origin moved to the client area.
    CRect rcWindow, rcClient;
    m_hooked->GetWindowRect(&rcWindow);
    m_hooked->GetClientRect(&rcClient);
    m_hooked->ClientToScreen(&rcClient);
    POINT ptOld{};
    ::OffsetViewportOrgEx(hDC, rcClient.left - rcWindow.left, rcClient.top - rcWindow.top, &ptOld);
    const LRESULT lResult =
        CSubclassWnd::HandleMessage(WM_PRINT, reinterpret_cast<WPARAM>(hDC), nFlags & ~static_cast<LPARAM>(PRF_NONCLIENT));
    ::SetViewportOrgEx(hDC, ptOld.x, ptOld.y, nullptr);
    return lResult;
}

LRESULT CVellStyleWindowHook::PassOnWithCaption()
{
    if (!m_hooked)
        return PassOn();
    m_hooked->ModifyStyle(0, m_dwSavedCaption);
    const LRESULT lResult = PassOn();
    if (m_hooked && m_hooked->m_hWnd)
        m_hooked->ModifyStyle(WS_CAPTION, 0);
    return lResult;
}

CRect CVellStyleWindowHook::CaptionRect() const
{
    const CSize size = WindowSize();
    const DWORD dwStyle = EffectiveStyle();
    const bool bBand = (dwStyle & WS_CAPTION) == WS_CAPTION || (dwStyle & WS_SYSMENU);
    return CRect(kMargin, kMargin, size.cx - kMargin, bBand ? kCaptionBottom : kMargin);
}

CRect CVellStyleWindowHook::CaptionTextRect() const
{
    // The buttons are laid out for the current style, painted or not.
    const_cast<CVellStyleWindowHook*>(this)->LayoutCaptionButtons();
    CRect rc = CaptionRect();
    rc.left += 2;
    if (SmallIcon())
        rc.left += m_rcIcon.left != -1 ? m_rcIcon.right : CaptionRect().left + 2 + kIconSize;
    for (const CRect* pButton : {&m_rcHelp, &m_rcMinimize, &m_rcMaximize, &m_rcClose}) {
        if (pButton->left != -1) {
            rc.right = pButton->left;
            break;
        }
    }
    rc.right -= 6;
    rc.bottom += 1;
    return rc;
}

void CVellStyleWindowHook::LayoutCaptionButtons()
{
    m_rcHelp = m_rcMinimize = m_rcMaximize = m_rcClose = kNoRect;
    if (!HasWholeCaption())
        return;
    const DWORD dwStyle = EffectiveStyle();
    const DWORD dwExStyle = m_hooked ? m_hooked->GetExStyle() : 0;
    int x = CaptionRect().right - 11;
    if (dwStyle & WS_SYSMENU) {
        m_rcClose = CRect(x - kCloseWidth, 0, x, kButtonHeight);
        x -= kCloseWidth;
    }
    if (dwStyle & WS_MAXIMIZEBOX) {
        m_rcMaximize = CRect(x - kButtonWidth, 0, x, kButtonHeight);
        x -= kButtonWidth;
    }
    if (dwStyle & WS_MINIMIZEBOX) {
        m_rcMinimize = CRect(x - kButtonWidth, 0, x, kButtonHeight);
        x -= kButtonWidth;
    }
    if (dwExStyle & WS_EX_CONTEXTHELP)
        m_rcHelp = CRect(x - kButtonWidth, 0, x, kButtonHeight);
}

UINT CVellStyleWindowHook::HitTestParts(POINT ptScreen) const
{
    if (!m_hooked)
        return 0;
    const_cast<CVellStyleWindowHook*>(this)->LayoutCaptionButtons();
    CRect w;
    m_hooked->GetWindowRect(&w);
    const DWORD dwStyle = EffectiveStyle();
    auto inWindowRect = [&](CRect r) {
        r.OffsetRect(w.left, w.top);
        return r.PtInRect(ptScreen) != FALSE;
    };
    if (inWindowRect(m_rcClose))
        return HTCLOSE;
    if (inWindowRect(m_rcMaximize))
        return (dwStyle & WS_MAXIMIZEBOX) ? HTMAXBUTTON : 0;
    if (inWindowRect(m_rcMinimize))
        return (dwStyle & WS_MINIMIZEBOX) ? HTMINBUTTON : 0;
    if (inWindowRect(m_rcHelp))
        return HTHELP;
    if ((dwStyle & WS_SYSMENU) && (SmallIcon() || !IsDialogWindow()) && inWindowRect(CRect(4, 4, 20, 20)))
        return HTSYSMENU;
    if (inWindowRect(CaptionRect()))
        return HTCAPTION;
    if (!(dwStyle & WS_THICKFRAME))
        return 0;

    const int L = w.left, T = w.top, R = w.right, B = w.bottom;
    const int E = kMargin, C = kCornerZone;
    auto in = [&](int l, int t, int r, int b) { return CRect(l, t, r, b).PtInRect(ptScreen) != FALSE; };
    if (in(L, T, L + E, T + C) || in(L, T, L + C, T + E))
        return HTTOPLEFT;
    if (in(R - C, T, R, T + E) || in(R - E, T, R, T + C))
        return HTTOPRIGHT;
    if (in(L, B - C, L + 15, B) || in(L, B - E, L + C, B))
        return HTBOTTOMLEFT;
    if (in(R - E, B - C, R, B) || in(R - C, B - E, R, B))
        return HTBOTTOMRIGHT;
    if (in(L, T, L + E, B))
        return HTLEFT;
    if (in(L, T, R, T + E))
        return HTTOP;
    if (in(R - E, T, R, B))
        return HTRIGHT;
    if (in(L, B - E, R, B))
        return HTBOTTOM;
    return 0;
}

LRESULT CVellStyleWindowHook::OnNcHitTest(int x, int y)
{
    const UINT nPart = HitTestParts(POINT{x, y});
    LRESULT lResult = nPart ? static_cast<LRESULT>(nPart) : PassOn();
    if (!nPart && lResult != HTMENU && m_hooked) {
        // Our menu-bar row, wherever the system thinks its menu bar is.
        CRect rcBar = MenuBarRect(), rcWindow;
        m_hooked->GetWindowRect(&rcWindow);
        rcBar.OffsetRect(rcWindow.left, rcWindow.top);
        if (rcBar.PtInRect(POINT{x, y}))
            lResult = HTMENU;
    }
    if (nPart != m_nHotPart) {
        m_nHotPart = nPart;
        if (IsButtonPart(nPart) && m_hooked) {
            TRACKMOUSEEVENT tme{};
            tme.cbSize = sizeof(tme);
            tme.dwFlags = TME_LEAVE | TME_NONCLIENT;
            tme.hwndTrack = m_hooked->m_hWnd;
            ::TrackMouseEvent(&tme);
        }
        RedrawCaptionButtons();
    }
    return lResult;
}

LRESULT CVellStyleWindowHook::OnNcLButtonDown(UINT nHitTest, int, int)
{
    if (!IsButtonPart(nHitTest) || !m_hooked)
        return PassOn();
    m_hooked->SetCapture();
    m_nPressedPart = m_nHotPart = nHitTest;
    RedrawCaptionButtons();
    return 0;
}

LRESULT CVellStyleWindowHook::OnNcMouseMove(UINT, int, int)
{
    return m_nPressedPart ? 0 : PassOn();
}

LRESULT CVellStyleWindowHook::OnNcLButtonUp(UINT nHitTest, int, int)
{
    if (!m_nPressedPart || !m_hooked)
        return PassOn();
    const UINT nPressed = m_nPressedPart;
    m_nPressedPart = 0;  // first: releasing the capture below announces the change
    if (::GetCapture() == m_hooked->m_hWnd)
        ::ReleaseCapture();
    if (nHitTest == nPressed) {
        switch (nPressed) {
        case HTMINBUTTON:
            m_nHotPart = 0;
            m_hooked->SendMessage(WM_SYSCOMMAND, m_hooked->IsIconic() ? SC_RESTORE : SC_MINIMIZE);
            break;
        case HTMAXBUTTON:
            m_nHotPart = 0;
            m_hooked->SendMessage(WM_SYSCOMMAND, m_hooked->IsZoomed() ? SC_RESTORE : SC_MAXIMIZE);
            break;
        case HTCLOSE:
            m_hooked->SendMessage(WM_SYSCOMMAND, SC_CLOSE);
            return 0;  // the window may be gone
        case HTHELP: {
            RedrawCaptionButtons();
            // A receiver of WM_HELP reads the HELPINFO, so one is passed.
            HELPINFO info{};
            info.cbSize = sizeof(info);
            info.iContextType = HELPINFO_WINDOW;
            info.hItemHandle = m_hooked->m_hWnd;
            info.dwContextId = ::GetWindowContextHelpId(m_hooked->m_hWnd);
            ::GetCursorPos(&info.MousePos);
            m_hooked->SendMessage(WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
            break;
        }
        default:
            break;
        }
    }
    if (m_hooked && m_hooked->m_hWnd)
        RedrawCaptionButtons();
    return 0;
}

LRESULT CVellStyleWindowHook::OnSetText(const wchar_t* pszText)
{
    const CRect rcText = CaptionTextRect();
    const LRESULT lResult = PassOn();  // the window keeps its own copy
    m_strCaption = pszText ? pszText : L"";
    if (m_hooked && HasWholeCaption()) {
        CWindowDC dc(m_hooked);
        if (dc.m_hDC) {
            // The caption font rather than the DC's own, so the text looks as after a full repaint.
            CFont font;
            CreateCaptionFont(font);
            CSelectGuard selectFont(dc, font);
            DrawCaptionText(rcText, &dc);
        }
    }
    return lResult;
}

int CVellStyleWindowHook::OnGetText(wchar_t* pszBuffer, int nSize)
{
    if (!pszBuffer || nSize <= 0)
        return 0;
    const int nCount = std::min(m_strCaption.GetLength(), nSize - 1);
    std::copy_n(m_strCaption.GetString(), nCount, pszBuffer);
    pszBuffer[nCount] = L'\0';
    return nCount;
}

void CVellStyleWindowHook::OnSettingChange()
{
    PassOn();
}

BOOL CVellStyleWindowHook::OnNcActivate(BOOL bActive)
{
    m_bActive = bActive;
    if (m_hooked && m_hooked->m_hWnd)
        m_hooked->SendMessage(WM_NCPAINT, 1);
    return TRUE;
}

CString CVellStyleWindowHook::GetCaption() const
{
    return m_strCaption;
}

int CVellStyleWindowHook::CopyCaption(wchar_t* pszBuffer, int nSize)
{
    return OnGetText(pszBuffer, nSize);
}

void CVellStyleWindowHook::SetSecondaryCaption(const wchar_t* pszText)
{
    m_strSecondary = pszText ? pszText : L"";
    if (!m_hooked || !m_hooked->m_hWnd || !HasWholeCaption())
        return;
    CWindowDC dc(m_hooked);
    if (!dc.m_hDC)
        return;
    CFont font;
    CreateCaptionFont(font);
    CSelectGuard selectFont(dc, font);
    // The whole text area again, the title first: the room it has depends on the secondary text's
    // width, and a long title would otherwise keep its old end under the new text (or leave the
    // old text standing).
    const CRect rcText = CaptionTextRect();
    dc.FillSolidRect(&rcText, vell::kFrameBlue);
    DrawCaptionText(rcText, &dc);
    DrawSecondaryText(rcText, &dc);
}

CString CVellStyleWindowHook::GetSecondaryCaption() const
{
    return m_strSecondary;
}

int CVellStyleWindowHook::CopySecondaryCaption(wchar_t* pszBuffer, int nSize)
{
    if (!pszBuffer || nSize <= 0)
        return 0;
    const int nCount = std::min(m_strSecondary.GetLength(), nSize - 1);
    std::copy_n(m_strSecondary.GetString(), nCount, pszBuffer);
    pszBuffer[nCount] = L'\0';
    return nCount;
}

void CVellStyleWindowHook::RedrawCaptionButtons()
{
    if (!m_hooked || !m_hooked->m_hWnd)
        return;
    CWindowDC dc(m_hooked);
    if (dc.m_hDC)
        DrawCaptionButtons(&dc);
}

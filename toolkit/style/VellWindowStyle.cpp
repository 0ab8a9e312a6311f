#include "toolkit/style/VellWindowStyle.h"

#include "toolkit/menu/MenuRouting.h"
#include "toolkit/draw/StyleGlobals.h"

BEGIN_TEMPLATE_MESSAGE_MAP(CVellWindowStyle, TBase, TBase)
    ON_WM_GETMINMAXINFO()
    ON_WM_MEASUREITEM()
    ON_WM_MENUCHAR()
    ON_WM_CTLCOLOR()
    ON_WM_INITMENUPOPUP()
    ON_WM_ENTERMENULOOP()
    ON_WM_EXITMENULOOP()
    ON_WM_TIMER()
    ON_WM_CREATE()
    ON_WM_NCCREATE()
    ON_WM_NCHITTEST()
    ON_WM_DESTROY()
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()

template <class TBase>
CVellWindowStyle<TBase>::~CVellWindowStyle()
{
    if (this->m_hWnd)
        this->DestroyWindow();
}

template <class TBase>
void CVellWindowStyle<TBase>::KillHoverTimer()
{
    if (m_hoverTimer) {
        this->KillTimer(m_hoverTimer);
        m_hoverTimer = 0;
    }
}

template <class TBase>
void CVellWindowStyle<TBase>::OnGetMinMaxInfo(MINMAXINFO* pMMI)
{
    this->CWnd::OnGetMinMaxInfo(pMMI);
    if (!m_fullScreenMaximize)
        return;
    const int cx = ::GetSystemMetrics(SM_CXSCREEN);
    const int cy = ::GetSystemMetrics(SM_CYSCREEN);
    const int nSides = 2 * CVellStyleWindowHook::kMargin;
    const int nTopBottom = CVellStyleWindowHook::kCaptionMargin + CVellStyleWindowHook::kMargin;
    pMMI->ptMaxSize = POINT{cx + nSides, cy + nTopBottom};
    pMMI->ptMaxPosition = POINT{-CVellStyleWindowHook::kMargin, -CVellStyleWindowHook::kCaptionMargin};
    pMMI->ptMaxTrackSize.x += nSides;
    pMMI->ptMaxTrackSize.y += nTopBottom;
}

template <class TBase>
void CVellWindowStyle<TBase>::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT pMeasureItemStruct)
{
    if (MeasureMenuItemRouter(this->m_hWnd, pMeasureItemStruct))
        return;
    this->CWnd::OnMeasureItem(nIDCtl, pMeasureItemStruct);
}

template <class TBase>
LRESULT CVellWindowStyle<TBase>::OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu)
{
    if (pMenu && CVellMenu::FromHandleThemed(pMenu->m_hMenu))
        return OnMenuCharThemed(nChar, pMenu->m_hMenu);
    return this->CWnd::OnMenuChar(nChar, nFlags, pMenu);
}

template <class TBase>
HBRUSH CVellWindowStyle<TBase>::OnCtlColor(CDC* pDC, CWnd*, UINT)
{
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(RGB(0, 0, 0));
    return ControlBackBrush();
}

template <class TBase>
void CVellWindowStyle<TBase>::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu)
{
    this->CWnd::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
    if (pPopupMenu)
        OnInitMenuPopupThemed(this->m_hWnd, pPopupMenu->m_hMenu);
}

template <class TBase>
void CVellWindowStyle<TBase>::OnEnterMenuLoop(BOOL bIsTrackPopupMenu)
{
    m_inMenuLoop = TRUE;
    KillHoverTimer();
    if (m_hotMenuBarItem != -1) {
        if (CMenu* pMenu = ThemedMenuBar())
            RedrawMenuBarItem(this->m_hWnd, pMenu->m_hMenu, m_hotMenuBarItem, 0);
        m_hotMenuBarItem = -1;
    }
    this->CWnd::OnEnterMenuLoop(bIsTrackPopupMenu);
}

template <class TBase>
void CVellWindowStyle<TBase>::OnExitMenuLoop(BOOL bIsTrackPopupMenu)
{
    m_inMenuLoop = FALSE;
    this->CWnd::OnExitMenuLoop(bIsTrackPopupMenu);
}

template <class TBase>
void CVellWindowStyle<TBase>::OnTimer(UINT_PTR nIDEvent)
{
    this->CWnd::OnTimer(nIDEvent);
    if (nIDEvent == m_hoverTimer && m_hoverTimer) {
        POINT pt{};
        ::GetCursorPos(&pt);
        this->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(static_cast<short>(pt.x), static_cast<short>(pt.y)));
    }
}

template <class TBase>
int CVellWindowStyle<TBase>::OnCreate(LPCREATESTRUCTW pCreateStruct)
{
    if (this->CWnd::OnCreate(pCreateStruct) == -1)
        return -1;
    m_sysMenu.Attach(::GetSystemMenu(this->m_hWnd, FALSE));
    return 0;
}

template <class TBase>
BOOL CVellWindowStyle<TBase>::OnNcCreate(LPCREATESTRUCTW pCreateStruct)
{
    m_styleHook.m_strCaption = pCreateStruct->lpszName ? pCreateStruct->lpszName : L"";
    m_styleHook.Install(this);
    return this->CWnd::OnNcCreate(pCreateStruct) ? TRUE : FALSE;
}

template <class TBase>
LRESULT CVellWindowStyle<TBase>::OnNcHitTest(CPoint point)
{
    const LRESULT nCode = this->CWnd::OnNcHitTest(point);
    if (OsClassCode() == 6 || OsClassCode() == 7)
        return nCode;  // these systems track hovering over the menu bar themselves
    HWND hWndFocus = ::GetFocus();
    const UINT nState = (hWndFocus && ::IsChild(this->m_hWnd, hWndFocus)) ? 0 : ODS_INACTIVE;
    CMenu* pMenu = ThemedMenuBar();
    if (!m_inMenuLoop && nCode == HTMENU && pMenu) {
        const int nItem = ::MenuItemFromPoint(this->m_hWnd, pMenu->m_hMenu, point);
        if (nItem >= 0) {
            if (nItem != m_hotMenuBarItem) {
                RedrawMenuBarItem(this->m_hWnd, pMenu->m_hMenu, m_hotMenuBarItem, nState);
                if (!RedrawMenuBarItem(this->m_hWnd, pMenu->m_hMenu, nItem, nState | ODS_HOTLIGHT)) {
                    m_hotMenuBarItem = -1;
                    return nCode;
                }
            } else {
                if (g_hotMenuBarItemData)
                    return nCode;
                if (!RedrawMenuBarItem(this->m_hWnd, pMenu->m_hMenu, nItem, nState | ODS_HOTLIGHT))
                    return nCode;
            }
            if (!m_hoverTimer)
                m_hoverTimer = StartFreeTimer(this->m_hWnd, 100);
            m_hotMenuBarItem = nItem;
            return nCode;
        }
    }
    if (m_hotMenuBarItem != -1) {
        if (pMenu)
            RedrawMenuBarItem(this->m_hWnd, pMenu->m_hMenu, m_hotMenuBarItem, nState);
        m_hotMenuBarItem = -1;
    }
    KillHoverTimer();
    return nCode;
}

template <class TBase>
void CVellWindowStyle<TBase>::OnDestroy()
{
    KillHoverTimer();
    this->CWnd::OnDestroy();
}

template <class TBase>
void CVellWindowStyle<TBase>::OnNcDestroy()
{
    // The records go; the menus themselves are the window's and go with it.
    m_menu.DetachThemed();
    m_sysMenu.DetachThemed();
    this->CWnd::OnNcDestroy();
}

template class CVellWindowStyle<CDialog>;

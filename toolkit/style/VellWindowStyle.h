#pragma once
// Turns a framework dialog into a styled window: the styled window hook from WM_NCCREATE on, the
// toolkit's colours behind every control, an optional maximised state whose client area fills the
// whole screen, and menu-bar hover tracking for owner-drawn menu bars on systems without it.
#include "platform/mfc/CDialog.h"
#include "toolkit/menu/VellMenu.h"
#include "toolkit/style/StyleWindowHook.h"

template <class TBase>
class CVellWindowStyle : public TBase {
public:
    CVellWindowStyle() = default;
    CVellWindowStyle(UINT nIDTemplate, CWnd* pParentWnd) : TBase(nIDTemplate, pParentWnd) {}
    // The window goes first, while the hook and the menus still exist.
    ~CVellWindowStyle() override;

    virtual void SetSecondaryCaption(const wchar_t* pszText) { m_styleHook.SetSecondaryCaption(pszText); }
    virtual CString GetSecondaryCaption() const { return m_styleHook.GetSecondaryCaption(); }
    virtual int CopySecondaryCaption(wchar_t* pszBuffer, int nSize)
    {
        return m_styleHook.CopySecondaryCaption(pszBuffer, nSize);
    }

    // Themed wrappers of the menu bar (converted when the dialog initialises) and the system menu.
    CVellMenu m_menu;
    CVellMenu m_sysMenu;
    CVellStyleWindowHook m_styleHook;
    // When set, a maximised window puts its frame outside the screen.
    BOOL m_fullScreenMaximize = FALSE;
    BOOL m_inMenuLoop = FALSE;
    UINT_PTR m_hoverTimer = 0;
    int m_hotMenuBarItem = -1;

protected:
    // The window's menu bar when it is themed; its owner-drawn items track hovering.
    virtual CMenu* ThemedMenuBar() { return CVellMenu::FromHandleThemed(::GetMenu(this->m_hWnd)); }
    void KillHoverTimer();

    void OnGetMinMaxInfo(MINMAXINFO* pMMI);
    void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT pMeasureItemStruct);
    LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    void OnEnterMenuLoop(BOOL bIsTrackPopupMenu);
    void OnExitMenuLoop(BOOL bIsTrackPopupMenu);
    void OnTimer(UINT_PTR nIDEvent);
    int OnCreate(LPCREATESTRUCTW pCreateStruct);
    BOOL OnNcCreate(LPCREATESTRUCTW pCreateStruct);
    LRESULT OnNcHitTest(CPoint point);
    void OnDestroy();
    // The system destroys the menu bar and system menu with the window: the wrappers let go.
    void OnNcDestroy();
    DECLARE_MESSAGE_MAP()
};

extern template class CVellWindowStyle<CDialog>;

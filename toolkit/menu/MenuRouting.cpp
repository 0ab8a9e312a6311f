#include "toolkit/menu/MenuRouting.h"

#include "platform/mfc/AfxState.h"
#include "toolkit/menu/MenuHook.h"
#include "toolkit/menu/VellMenu.h"

CVellMenu* FindMenuByItem(HMENU hMenu, UINT_PTR nID, ULONG_PTR nData)
{
    CVellMenu* pMenu = CVellMenu::FromHandleThemed(hMenu);
    if (!pMenu || !::IsMenu(hMenu))
        return nullptr;
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; ++i) {
        MENUITEMINFOW mii{};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_DATA | MIIM_SUBMENU | MIIM_ID;
        if (!::GetMenuItemInfoW(hMenu, static_cast<UINT>(i), TRUE, &mii))
            continue;
        if (mii.dwItemData == nData && nData) {
            // A command item matches by id and data; a submenu item by its record alone (systems
            // give it its handle, cut to 32 bits, or another value as id).
            if (mii.hSubMenu || mii.wID == nID)
                return pMenu;
        }
        if (mii.hSubMenu) {
            if (CVellMenu* pFound = FindMenuByItem(mii.hSubMenu, nID, nData))
                return pFound;
        }
    }
    return nullptr;
}

BOOL MeasureMenuItemRouter(HWND hWnd, MEASUREITEMSTRUCT* pMeasure)
{
    if (!pMeasure || pMeasure->CtlType != ODT_MENU)
        return FALSE;
    // Never decide by IsMenu on the id: small command ids can look like menu handles. The item's
    // own menu is found by id and data together.
    const AFX_THREAD_STATE* pState = AfxGetThreadState();
    const HMENU candidates[] = {
        pState->m_hTrackingWindow == hWnd ? pState->m_hTrackingMenu : nullptr,
        ::GetMenu(hWnd),
        ::GetSystemMenu(hWnd, FALSE),
    };
    for (HMENU hMenu : candidates) {
        if (CVellMenu* pMenu = FindMenuByItem(hMenu, pMeasure->itemID, pMeasure->itemData)) {
            pMenu->MeasureItem(pMeasure);
            return TRUE;
        }
    }
    return FALSE;
}

void OnInitMenuPopupThemed(HWND hWnd, HMENU hPopup)
{
    if (CVellMenuHook* pHook = CurrentThreadMenuHook()) {
        // A popup window that already shows this menu (made before the menu was announced) takes
        // it now; otherwise the next popup window made takes it.
        bool bTaken = false;
        POSITION pos = pHook->m_windows.GetStartPosition();
        while (pos && !bTaken) {
            HWND hWndPopup = nullptr;
            CMenuHookData* pData = nullptr;
            pHook->m_windows.GetNextAssoc(pos, hWndPopup, pData);
            if (pData->m_hMenu == hPopup ||
                reinterpret_cast<HMENU>(::SendMessageW(hWndPopup, MN_GETHMENU, 0, 0)) == hPopup) {
                pData->m_hMenu = hPopup;
                bTaken = true;
            }
        }
        pHook->m_hPendingMenu = bTaken ? nullptr : hPopup;
    }
    CVellMenu* pMenu = CVellMenu::FromHandleThemed(hPopup);
    if (!pMenu)
        return;
    pMenu->OnInitPopup();
    CVellMenu* pParent = pMenu->ParentThemed();
    if (!pParent)
        return;
    const int nWasOpen = pParent->m_openCount++;
    if (nWasOpen == 0 && !pParent->m_isPopup && !::IsRectEmpty(&pParent->m_menuBarItemRect)) {
        RECT rc = pParent->m_menuBarItemRect;
        rc.right += 10;
        rc.bottom += 10;
        ::ScreenToClient(hWnd, reinterpret_cast<POINT*>(&rc.left));
        ::ScreenToClient(hWnd, reinterpret_cast<POINT*>(&rc.right));
        ::RedrawWindow(hWnd, &rc, nullptr, RDW_FRAME | RDW_INVALIDATE);
    }
}

LRESULT OnMenuCharThemed(UINT nChar, HMENU hMenu)
{
    CVellMenu* pMenu = CVellMenu::FromHandleThemed(hMenu);
    if (!pMenu)
        return MNC_IGNORE;
    wchar_t szPattern[3] = {L'&', static_cast<wchar_t>(nChar), 0};
    ::CharLowerBuffW(szPattern, 2);
    if (::GetMenuItemCount(hMenu) != pMenu->GetRecordCount())
        pMenu->Rebuild();
    for (int i = 0; i < pMenu->GetRecordCount(); ++i) {
        CString strText = pMenu->GetRecord(i)->m_strText;
        strText.MakeLower();
        if (strText.Find(szPattern) >= 0)
            return MAKELRESULT(i, MNC_EXECUTE);
    }
    return MNC_IGNORE;
}

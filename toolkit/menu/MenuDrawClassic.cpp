// The classic look of themed menu items (pale popups, embossed disabled texts, 3-D menu-bar
// items) and the flat-bar look (classic popups, flat pale menu-bar items).
#include "toolkit/menu/MenuColors.h"
#include "toolkit/menu/MenuTheme.h"
#include "toolkit/menu/VellMenu.h"
#include "toolkit/draw/MarlettGlyph.h"
#include "toolkit/draw/StyleGlobals.h"

using namespace vell_menu;

namespace {

void DrawText(CDC* pDC, const CString& str, RECT rc, UINT nFormat, COLORREF clr)
{
    const COLORREF clrOld = pDC->SetTextColor(clr);
    pDC->DrawText(str, str.GetLength(), &rc, nFormat);
    pDC->SetTextColor(clrOld);
}

void DrawClassicCheck(CDC* pDC, const DRAWITEMSTRUCT* pDraw, const RECT& rcIcon)
{
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_CHECKMARKS;
    ::GetMenuItemInfoW(reinterpret_cast<HMENU>(pDraw->hwndItem), pDraw->itemID, FALSE, &mii);
    RECT rcBox = rcIcon;
    ::InflateRect(&rcBox, -1, -1);
    if (OsClassCode() > 1)
        ::DrawEdge(pDC->m_hDC, &rcBox, BDR_SUNKENOUTER, BF_RECT);
    RECT rcGlyph = rcBox;
    if (!mii.hbmpChecked)
        ::OffsetRect(&rcGlyph, 1, 2);
    DrawCheckGlyph(pDC, rcGlyph, mii.hbmpChecked ? L'i' : L'b', pDraw->itemState);
}

void DrawClassicSystemGlyph(CDC* pDC, const RECT& rc, UINT nID, UINT nState)
{
    const wchar_t ch = SystemCommandGlyph(nID);
    if (!ch)
        return;
    const COLORREF clrOld = pDC->SetTextColor((nState & (ODS_GRAYED | ODS_INACTIVE)) ? kNavy : kBlack);
    DrawMarlettGlyph(pDC, rc, ch, (nState & ODS_DEFAULT) != 0);
    pDC->SetTextColor(clrOld);
}

void DrawClassicBarItem(CDC* pDC, const DRAWITEMSTRUCT* pDraw, const CVellMenuItemData* pData)
{
    RECT rc = pDraw->rcItem;
    pDC->FillSolidRect(&rc, kNavy);
    const UINT nState = pDraw->itemState;
    if (nState & ODS_SELECTED)
        pDC->Draw3dRect(&rc, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    else if (nState & ODS_HOTLIGHT)
        pDC->Draw3dRect(&rc, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const bool bGrey = (nState & (ODS_GRAYED | ODS_INACTIVE)) != 0;
    DrawText(pDC, pData->Label(), rc, DT_SINGLELINE | DT_VCENTER | DT_CENTER, bGrey ? kGreyText : kWhite);
    pDC->SetBkMode(nOldMode);
}

}  // namespace

void DrawItemClassic(CVellMenu* pMenu, DRAWITEMSTRUCT* pDraw, BOOL bMenuBar)
{
    const auto* pData = pDraw ? reinterpret_cast<const CVellMenuItemData*>(pDraw->itemData) : nullptr;
    if (!pMenu || !pData || !pDraw->hDC)
        return;
    CDC* pDC = CDC::FromHandle(pDraw->hDC);
    CFont font;
    CreateMenuItemFont(font, (pDraw->itemState & ODS_DEFAULT) != 0);
    CSelectGuard selectFont(pDC->m_hDC, font);
    if (bMenuBar) {
        DrawClassicBarItem(pDC, pDraw, pData);
        return;
    }
    const RECT rcItem = pDraw->rcItem;
    const UINT nState = pDraw->itemState;
    pDC->FillSolidRect(&rcItem, kPale);
    if (pData->IsSeparator()) {
        RECT rcLine = rcItem;
        rcLine.top = (rcItem.top + rcItem.bottom) / 2 - 1;
        ::DrawEdge(pDC->m_hDC, &rcLine, EDGE_ETCHED, BF_TOP);
        return;
    }
    const RECT rcIcon{rcItem.left + 1, rcItem.top, rcItem.left + 1 + pMenu->m_nIconWidth + 6, rcItem.bottom};
    const bool bMarked = (nState & ODS_CHECKED) || pData->m_nIconIndex >= 0;
    if (nState & ODS_SELECTED) {
        RECT rcSel{rcItem.left + 1, rcItem.top, rcItem.right - 1, rcItem.bottom - 1};
        if (bMarked)
            rcSel.left = rcItem.left + pMenu->m_nIconWidth + 6;
        pDC->FillSolidRect(&rcSel, kWhite);
    }
    RECT rcText = rcItem;
    rcText.left += pMenu->m_nIconWidth + 12;
    RECT rcAccel = rcText;
    rcAccel.right -= pMenu->m_nIconWidth;
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const UINT nFormat = DT_SINGLELINE | DT_VCENTER;
    const CString strLabel = pData->Label(), strAccel = pData->Accelerator();
    if (nState & ODS_GRAYED) {
        if (nState & ODS_SELECTED) {
            DrawText(pDC, strLabel, rcText, nFormat, kWhite);
            DrawText(pDC, strAccel, rcAccel, nFormat | DT_RIGHT, kWhite);
        } else {
            RECT rcShadow = rcText, rcAccelShadow = rcAccel;
            ::OffsetRect(&rcShadow, 1, 1);
            ::OffsetRect(&rcAccelShadow, 1, 1);
            DrawText(pDC, strLabel, rcShadow, nFormat, kPale);
            DrawText(pDC, strAccel, rcAccelShadow, nFormat | DT_RIGHT, kPale);
            DrawText(pDC, strLabel, rcText, nFormat, kNavy);
            DrawText(pDC, strAccel, rcAccel, nFormat | DT_RIGHT, kNavy);
        }
    } else {
        const COLORREF clr = (nState & ODS_SELECTED) ? kBlack : ::GetSysColor(COLOR_MENUTEXT);
        DrawText(pDC, strLabel, rcText, nFormat, clr);
        DrawText(pDC, strAccel, rcAccel, nFormat | DT_RIGHT, clr);
    }
    pDC->SetBkMode(nOldMode);
    if (nState & ODS_CHECKED)
        DrawClassicCheck(pDC, pDraw, rcIcon);
    else if (IsSystemCommandId(pDraw->itemID))
        DrawClassicSystemGlyph(pDC, rcIcon, pDraw->itemID, nState);
    if (pData->IsPopup())
        DrawSubmenuArrow(pDC, rcItem, nState, kBlack);
}

void DrawItemFlatBar(CVellMenu* pMenu, DRAWITEMSTRUCT* pDraw, BOOL bMenuBar)
{
    if (!bMenuBar) {
        DrawItemClassic(pMenu, pDraw, bMenuBar);
        return;
    }
    const auto* pData = pDraw ? reinterpret_cast<const CVellMenuItemData*>(pDraw->itemData) : nullptr;
    if (!pMenu || !pData || !pDraw->hDC)
        return;
    CDC* pDC = CDC::FromHandle(pDraw->hDC);
    RECT rc = pDraw->rcItem;
    rc.top += 1;
    rc.bottom -= 1;
    const UINT nState = pDraw->itemState;
    const bool bLit = (nState & (ODS_SELECTED | ODS_HOTLIGHT)) != 0;
    pDC->FillSolidRect(&rc, bLit ? kPale : kNavy);
    if (bLit)
        pMenu->RememberMenuBarItemRect(pDraw->hDC, rc);
    CFont font;
    CreateMenuItemFont(font, (nState & ODS_DEFAULT) != 0);
    CSelectGuard selectFont(pDC->m_hDC, font);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    // Unlit items are white: the look's navy text would vanish on the navy bar.
    const COLORREF clr = bLit && !(nState & ODS_GRAYED) ? kBlack : (nState & ODS_GRAYED) ? kGreyText : kWhite;
    DrawText(pDC, pData->Label(), rc, DT_SINGLELINE | DT_VCENTER | DT_CENTER, clr);
    pDC->SetBkMode(nOldMode);
}

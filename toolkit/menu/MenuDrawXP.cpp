// The XP look of themed menu items: flat light popups with a dark icon column, white selection
// boxes, and a navy menu bar whose open item casts a shadow onto its popup.
#include "toolkit/menu/MenuColors.h"
#include "toolkit/menu/MenuTheme.h"
#include "toolkit/menu/VellMenu.h"

using namespace vell_menu;

namespace {

struct XPColors {
    COLORREF back = kLight;
    COLORREF selection = kWhite;
    COLORREF pen = kXpFramePen;
    COLORREF iconColumn = kDark;
};

void OutlineRect(CDC* pDC, const RECT& rc, COLORREF clrPen)
{
    CPen pen;
    pen.CreatePen(PS_SOLID, 1, clrPen);
    CSelectGuard selectPen(pDC->m_hDC, pen);
    CSelectGuard selectBrush(pDC->m_hDC, ::GetStockObject(NULL_BRUSH));
    pDC->Rectangle(&rc);
}

// The shadow at the right end of an open menu-bar item, column by column.
void DrawOpenItemShadow(CDC* pDC, const RECT& rcText)
{
    const int nHeight = rcText.bottom - rcText.top;
    for (int j = 0; j < 4; ++j) {
        const int x = rcText.right - 1 - j;
        for (int row = 0; row < nHeight; ++row) {
            COLORREF clr = kNavy;
            if (row >= 8)
                clr = Scale(kNavy, 240 - 15 * j);
            else if (row >= 4)
                clr = Scale(kNavy, (252 - 3 * j) + (row - 4) * (-3 - 3 * j));
            pDC->SetPixelV(x, rcText.top + row, clr);
        }
    }
}

void DrawItemIcon(CDC* pDC, CVellMenu* pMenu, const CVellMenuItemData* pData, const RECT& rcIcon, UINT nState,
                  const XPColors& colors)
{
    HICON hIcon = pData->m_pIconImages ? pData->m_pIconImages->ExtractIcon(0) : nullptr;
    if (!hIcon)
        return;
    int cx = pMenu->m_nIconWidth, cy = pMenu->m_nIconHeight;
    pData->m_pIconImages->GetIconSize(&cx, &cy);
    if (nState & ODS_CHECKED) {
        RECT rcBox = rcIcon;
        ::InflateRect(&rcBox, -1, -1);
        pDC->FillSolidRect(&rcBox, ToneDown((nState & ODS_SELECTED) ? colors.selection : colors.back));
        OutlineRect(pDC, rcBox, colors.pen);
    }
    if (nState & ODS_DISABLED) {
        CBrush brush;
        brush.CreateSolidBrush(kDark);
        pDC->DrawState(POINT{rcIcon.left + 3, rcIcon.top + 4}, SIZE{cx, cy}, hIcon, DSS_DISABLED, brush);
    } else if ((nState & ODS_SELECTED) && !(nState & ODS_CHECKED)) {
        CBrush shadow;
        shadow.CreateSolidBrush(ToneDown(colors.selection));
        pDC->DrawState(POINT{rcIcon.left + 4, rcIcon.top + 5}, SIZE{cx, cy}, hIcon, DSS_MONO, shadow);
        ::DrawIconEx(pDC->m_hDC, rcIcon.left + 2, rcIcon.top + 3, hIcon, cx, cy, 0, nullptr, DI_NORMAL);
    } else {
        ::DrawIconEx(pDC->m_hDC, rcIcon.left + 3, rcIcon.top + 4, hIcon, cx, cy, 0, nullptr, DI_NORMAL);
    }
    ::DestroyIcon(hIcon);
}

void DrawIconColumn(CDC* pDC, CVellMenu* pMenu, const DRAWITEMSTRUCT* pDraw, const CVellMenuItemData* pData,
                    const RECT& rcIcon, const XPColors& colors)
{
    const UINT nState = pDraw->itemState;
    if (pData->m_nIconIndex >= 0) {
        DrawItemIcon(pDC, pMenu, pData, rcIcon, nState, colors);
        return;
    }
    if (nState & ODS_CHECKED) {
        if (pMenu->m_nCheckSwitch > 0 && pMenu->m_pImageList) {
            const bool bSelectedImage = (nState & ODS_SELECTED) && pMenu->m_nSelectedCheckSwitch > 0;
            pMenu->m_pImageList->Draw(pDC->m_hDC, bSelectedImage ? 1 : 0, POINT{rcIcon.left + 3, rcIcon.top + 4},
                                      ILD_TRANSPARENT);
            return;
        }
        MENUITEMINFOW mii{};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_CHECKMARKS;
        ::GetMenuItemInfoW(reinterpret_cast<HMENU>(pDraw->hwndItem), pDraw->itemID, FALSE, &mii);
        RECT rcBox = rcIcon;
        ::InflateRect(&rcBox, -1, -1);
        pDC->FillSolidRect(&rcBox, ToneDown((nState & ODS_SELECTED) ? colors.selection : colors.back));
        OutlineRect(pDC, rcBox, colors.pen);
        ::InflateRect(&rcBox, -1, -1);
        DrawCheckGlyph(pDC, rcBox, mii.hbmpChecked ? L'i' : L'b', nState);
        return;
    }
    if (IsSystemCommandId(pDraw->itemID))
        DrawSystemCommandGlyph(pDC, rcIcon, pDraw->itemID, nState);
}

void DrawLabel(CDC* pDC, const CVellMenuItemData* pData, UINT nState, BOOL bMenuBar, RECT rcText, RECT rcBox)
{
    if (pData->m_strText.IsEmpty())
        return;
    CFont font;
    CreateMenuItemFont(font, (nState & ODS_DEFAULT) != 0);
    CSelectGuard selectFont(pDC->m_hDC, font);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const bool bGrey = (nState & ODS_GRAYED) || (bMenuBar && (nState & ODS_INACTIVE));
    // On the navy bar, text outside the white hot box is white: black would not read there.
    const bool bOnNavy = bMenuBar && !(nState & ODS_HOTLIGHT);
    const COLORREF clrOld = pDC->SetTextColor(bGrey ? kGreyText : bOnNavy ? kWhite : kBlack);
    const CString strLabel = pData->Label();
    if (bMenuBar) {
        pDC->DrawText(strLabel, strLabel.GetLength(), &rcBox, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    } else {
        pDC->DrawText(strLabel, strLabel.GetLength(), &rcText, DT_SINGLELINE | DT_VCENTER);
        const CString strAccel = pData->Accelerator();
        if (!strAccel.IsEmpty())
            pDC->DrawText(strAccel, strAccel.GetLength(), &rcText, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
    }
    pDC->SetTextColor(clrOld);
    pDC->SetBkMode(nOldMode);
}

}  // namespace

void DrawItemXP(CVellMenu* pMenu, DRAWITEMSTRUCT* pDraw, BOOL bMenuBar)
{
    const auto* pData = pDraw ? reinterpret_cast<const CVellMenuItemData*>(pDraw->itemData) : nullptr;
    if (!pMenu || !pData || !pDraw->hDC)
        return;
    CDC* pDC = CDC::FromHandle(pDraw->hDC);
    XPColors colors;
    // Where the display cannot tell light from dark (256 colours), fall back to pale and navy.
    if (::GetNearestColor(pDraw->hDC, kLight) == ::GetNearestColor(pDraw->hDC, kDark)) {
        colors.back = kPale;
        colors.iconColumn = kNavy;
    }
    const RECT rcItem = pDraw->rcItem;
    if (bMenuBar) {
        if (pMenu->m_openCount == 0 && (pDraw->itemState & ODS_SELECTED))
            pDraw->itemState = (pDraw->itemState & ~static_cast<UINT>(ODS_SELECTED)) | ODS_HOTLIGHT;
        if (!(pDraw->itemState & ODS_HOTLIGHT))
            colors.selection = colors.iconColumn;
        colors.back = kNavy;
    }
    RECT rcIcon{rcItem.left + 1, rcItem.top, rcItem.right - 1, rcItem.bottom};
    RECT rcText = rcIcon;
    RECT rcBox = rcIcon;
    if (bMenuBar) {
        rcBox.right = rcItem.right - 3;
        rcBox.bottom = rcItem.bottom - 2;
    } else if (pMenu->m_bIconColumn) {
        const int w = rcItem.left + 1 + pMenu->m_nIconWidth + 8;
        rcIcon.right = rcText.left = rcBox.left = w;
        pDC->FillSolidRect(&rcIcon, colors.iconColumn);
    }
    pDC->FillSolidRect(&rcText, colors.back);
    if (!bMenuBar) {
        rcText.left += 4;
        rcText.right -= 4;
    }
    UINT nState = pDraw->itemState;
    if (nState & (ODS_HOTLIGHT | ODS_INACTIVE))
        nState |= ODS_SELECTED;

    if (bMenuBar && (nState & ODS_SELECTED) && !(nState & ODS_INACTIVE)) {
        pMenu->RememberMenuBarItemRect(pDraw->hDC, rcBox);
        if (!(nState & ODS_HOTLIGHT)) {
            colors.pen = kOpenBarItemPen;
            DrawOpenItemShadow(pDC, rcText);
        }
    }
    if (pData->IsSeparator()) {
        const int m = (rcText.top + rcText.bottom) / 2;
        const RECT rcLine{rcText.left, m, rcItem.right + 1, m + 1};
        pDC->FillSolidRect(&rcLine, kNavy);
        return;
    }
    if ((nState & ODS_SELECTED) && !(nState & ODS_INACTIVE)) {
        pDC->FillSolidRect(&rcBox, colors.selection);
        OutlineRect(pDC, rcBox, colors.pen);
    }
    DrawLabel(pDC, pData, nState, bMenuBar, rcText, rcBox);
    if (!bMenuBar)
        DrawIconColumn(pDC, pMenu, pDraw, pData, rcIcon, colors);
    if (!bMenuBar && pData->IsPopup())
        DrawSubmenuArrow(pDC, rcItem, nState, kBlack);
}

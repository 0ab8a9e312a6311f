// Measuring of themed menu items, and the helpers that every look shares.
#include "toolkit/menu/MenuColors.h"
#include "toolkit/menu/MenuTheme.h"
#include "toolkit/menu/VellMenu.h"
#include "toolkit/draw/MarlettGlyph.h"

#include <algorithm>

using namespace vell_menu;

namespace {

CVellMenuItemData* RecordOf(const MEASUREITEMSTRUCT* pMeasure)
{
    return reinterpret_cast<CVellMenuItemData*>(pMeasure->itemData);
}

int TextWidth(const CString& strText, BOOL bBold)
{
    HDC hDC = ::GetDC(nullptr);
    if (!hDC)
        return 0;
    SIZE size{};
    {
        CFont font;
        CreateMenuItemFont(font, bBold);
        CSelectGuard selectFont(hDC, font);
        ::GetTextExtentPoint32W(hDC, strText.GetString(), strText.GetLength(), &size);
    }
    ::ReleaseDC(nullptr, hDC);
    return size.cx;
}

void Measure(CVellMenu* pMenu, MEASUREITEMSTRUCT* pMeasure, BOOL bMenuBar, int nExtraHeight)
{
    const CVellMenuItemData* pData = RecordOf(pMeasure);
    if (!pMenu || !pData)
        return;
    if (pData->IsSeparator()) {
        pMeasure->itemHeight = 3;
        return;
    }
    int nWidth = TextWidth(pData->m_strText, (pData->m_nFlags & MF_DEFAULT) != 0);
    if (!bMenuBar)
        nWidth += 2 * pMenu->m_nIconWidth + 2;
    if (pData->m_strText.Find(L'\t') >= 0)
        nWidth += 15;
    pMeasure->itemWidth = static_cast<UINT>(nWidth);
    pMeasure->itemHeight = static_cast<UINT>(std::max(pMenu->m_nIconHeight + nExtraHeight, 19));

    if (!IsSystemCommandId(pMeasure->itemID))
        return;
    // System commands are as wide as the widest of themselves and the next command below them.
    pMeasure->itemHeight = 19;
    bool bAfter = false;
    for (int i = 0; i < pMenu->GetRecordCount(); ++i) {
        CVellMenuItemData* pOther = pMenu->GetRecord(i);
        if (pOther == pData) {
            bAfter = true;
            continue;
        }
        if (!bAfter || pOther->m_nCommandId == 0)
            continue;
        MEASUREITEMSTRUCT other = *pMeasure;
        other.itemID = static_cast<UINT>(pOther->m_nCommandId);
        other.itemData = reinterpret_cast<ULONG_PTR>(pOther);
        other.itemWidth = 0;
        // Measured as an ordinary item, so the walk goes no further.
        if (IsSystemCommandId(other.itemID))
            other.itemID = 0;
        Measure(pMenu, &other, bMenuBar, nExtraHeight);
        pMeasure->itemWidth = std::max(pMeasure->itemWidth, other.itemWidth);
        break;
    }
}

}  // namespace

bool IsSystemCommandId(UINT nID)
{
    const UINT nMasked = nID & 0xFFF0;
    return nMasked >= 0xF000 && nMasked <= 0xF150;
}

void CreateMenuItemFont(CFont& font, BOOL bBold)
{
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof(ncm);
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0);
    LOGFONTW lf = ncm.lfMenuFont;
    lf.lfHeight = -11;
    lf.lfWidth = 0;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfWeight = bBold ? FW_BOLD : FW_NORMAL;
    lstrcpynW(lf.lfFaceName, L"Arial", LF_FACESIZE);
    font.CreateFontIndirect(&lf);
}

void MeasureItemClassic(CVellMenu* pMenu, MEASUREITEMSTRUCT* pMeasure, BOOL bMenuBar)
{
    Measure(pMenu, pMeasure, bMenuBar, 4);
}

void MeasureItemXP(CVellMenu* pMenu, MEASUREITEMSTRUCT* pMeasure, BOOL bMenuBar)
{
    Measure(pMenu, pMeasure, bMenuBar, 8);
}

void DrawSubmenuArrow(CDC* pDC, const RECT& rcItem, UINT nState, COLORREF clr)
{
    // Marlett's arrow takes a small part of its cell: a cell as high as the item.
    const int nSize = rcItem.bottom - rcItem.top;
    const RECT rc{rcItem.right - 2 - nSize, rcItem.top, rcItem.right - 2, rcItem.bottom};
    const COLORREF clrOld = pDC->SetTextColor((nState & ODS_GRAYED) ? kGreyText : clr);
    DrawMarlettGlyph(pDC, rc, L'4', FALSE);
    pDC->SetTextColor(clrOld);
    // The system draws its own arrow into the same DC after the owner has drawn: not over ours.
    ::ExcludeClipRect(pDC->m_hDC, rcItem.left, rcItem.top, rcItem.right, rcItem.bottom);
}

void DrawCheckGlyph(CDC* pDC, const RECT& rect, wchar_t ch, UINT nState)
{
    const COLORREF clrOld = pDC->SetTextColor((nState & (ODS_GRAYED | ODS_INACTIVE)) ? kGreyText : kWhite);
    DrawMarlettGlyph(pDC, rect, ch, (nState & ODS_DEFAULT) != 0);
    pDC->SetTextColor(clrOld);
}

wchar_t SystemCommandGlyph(UINT nID)
{
    switch (nID & 0xFFF0) {
    case SC_RESTORE: return L'2';
    case SC_CLOSE: return L'r';
    case SC_MINIMIZE: return L'0';
    case SC_MAXIMIZE: return L'1';
    default: return 0;
    }
}

void DrawSystemCommandGlyph(CDC* pDC, const RECT& rect, UINT nID, UINT nState)
{
    const wchar_t ch = SystemCommandGlyph(nID);
    if (!ch)
        return;
    const bool bGrey = (nState & (ODS_GRAYED | ODS_INACTIVE)) != 0;
    const COLORREF clrOld = pDC->SetTextColor(bGrey ? kGreyText : kWhite);
    const BOOL bBold = (nState & ODS_DEFAULT) != 0;
    DrawMarlettGlyph(pDC, rect, ch, bBold);
    if (!bGrey && (nState & ODS_SELECTED)) {
        RECT rcRaised = rect;
        ::OffsetRect(&rcRaised, -1, -1);
        DrawMarlettGlyph(pDC, rcRaised, ch, bBold);
    }
    pDC->SetTextColor(clrOld);
}

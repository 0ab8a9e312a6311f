// Menu themes: the active theme and the popup-window operations of the looks.
#include "toolkit/menu/MenuTheme.h"

#include "toolkit/menu/MenuColors.h"
#include "toolkit/menu/MenuHook.h"
#include "toolkit/menu/VellMenu.h"
#include "toolkit/draw/DrawFrame.h"
#include "toolkit/draw/StyleGlobals.h"

using namespace vell_menu;

namespace {

CVellMenuTheme* g_pActiveMenuTheme = nullptr;

void SetLongChecked(HWND hWnd, int nIndex, DWORD dwValue)
{
    ::SetLastError(0);
    if (!::SetWindowLongW(hWnd, nIndex, static_cast<LONG>(dwValue)))
        ReportLastError();
}

void FillWindowRect(HWND hWnd, HDC hDC, COLORREF clr, RECT* pRect)
{
    ::GetWindowRect(hWnd, pRect);
    ::OffsetRect(pRect, -pRect->left, -pRect->top);
    CDC::FromHandle(hDC)->FillSolidRect(pRect, clr);
}

}  // namespace

CVellMenuTheme* ActiveMenuTheme()
{
    return g_pActiveMenuTheme;
}

void SetActiveMenuTheme(CVellMenuTheme* pTheme)
{
    g_pActiveMenuTheme = pTheme;
}

CVellMenuTheme::CVellMenuTheme(int nId, MenuMeasureFn pfnMeasure, MenuDrawFn pfnDraw)
    : m_nId(nId), m_pfnMeasure(pfnMeasure), m_pfnDraw(pfnDraw)
{
}

BOOL CVellMenuTheme::AttachWindow(HWND hWnd)
{
    CMenuHookData* pData = CurrentMenuHookData(hWnd);
    if (!pData)
        return FALSE;
    pData->m_dwFlags |= CMenuHookData::kStylesChanged;
    ::SetWindowLongW(hWnd, GWL_STYLE, static_cast<LONG>(pData->m_dwSavedStyle & ~static_cast<DWORD>(WS_BORDER)));
    ::SetWindowLongW(hWnd, GWL_EXSTYLE,
                     static_cast<LONG>(pData->m_dwSavedExStyle & ~static_cast<DWORD>(WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE)));
    return TRUE;
}

BOOL CVellMenuTheme::DetachWindow(HWND hWnd)
{
    CMenuHookData* pData = CurrentMenuHookData(hWnd);
    if (!pData)
        return FALSE;
    if (CVellMenu* pMenu = CVellMenu::FromHandleThemed(pData->m_hMenu))
        pMenu->OnPopupClosed(::GetParent(hWnd));
    if (pData->m_dwFlags & CMenuHookData::kStylesChanged) {
        const DWORD dwVisible = (pData->m_dwFlags & CMenuHookData::kWasShowing) ? WS_VISIBLE : 0;
        SetLongChecked(hWnd, GWL_STYLE, pData->m_dwSavedStyle | dwVisible);
        SetLongChecked(hWnd, GWL_EXSTYLE, pData->m_dwSavedExStyle);
    }
    return TRUE;
}

BOOL CVellMenuTheme::PaintFrame(HWND hWnd, HDC hDC)
{
    RECT rc{};
    FillWindowRect(hWnd, hDC, kPale, &rc);
    CVellDrawFrame frame(2);
    frame.Setup(kPale, rc, 0, FALSE, CVellDrawFrame::Raised, FALSE);
    frame.Paint(hDC);
    return TRUE;
}

BOOL CVellMenuTheme::EraseBackground(HWND hWnd, HDC hDC)
{
    RECT rc{};
    ::GetClientRect(hWnd, &rc);
    rc.right -= 1;
    CDC::FromHandle(hDC)->FillSolidRect(&rc, kPale);
    return TRUE;
}

BOOL CVellMenuTheme::AdjustClientArea(HWND, RECT* pRect)
{
    if (pRect) {
        pRect->left += m_nLeftMargin;
        pRect->top += m_nTopMargin;
        pRect->right -= m_nRightMargin;
        pRect->bottom -= m_nBottomMargin;
    }
    return FALSE;
}

BOOL CVellMenuTheme::AdjustWindowPos(HWND hWnd, WINDOWPOS* pPos)
{
    if (!pPos)
        return FALSE;
    const CMenuHookData* pData = CurrentMenuHookData(hWnd);
    if (pData && !(pData->m_dwSavedStyle & WS_BORDER)) {
        // A popup made without border styles (Wine's) has its edge inside the client area and was
        // sized for that alone: it grows by the theme's frame, so no item is cut off.
        pPos->cx += m_nLeftMargin + m_nRightMargin;
        pPos->cy += m_nTopMargin + m_nBottomMargin;
    } else {
        // The border that AttachWindow took away.
        pPos->cx -= 2;
        pPos->cy -= 2;
    }
    pPos->y -= 1;
    return TRUE;
}

CVellMenuThemeXP::CVellMenuThemeXP() : CVellMenuTheme(kXP, MeasureItemXP, DrawItemXP)
{
}

BOOL CVellMenuThemeXP::PaintFrame(HWND hWnd, HDC hDC)
{
    RECT rc{};
    FillWindowRect(hWnd, hDC, kLight, &rc);
    RECT rcFrame = rc;
    rcFrame.top -= 1;
    rcFrame.bottom += 1;
    CVellDrawFrame frame(2);
    frame.Setup(kNavy, rcFrame, 0, FALSE, CVellDrawFrame::Raised, FALSE);
    frame.Paint(hDC);

    // The join to the menu-bar item the popup hangs from: the overlap is painted in the item's colour.
    CMenuHookData* pData = CurrentMenuHookData(hWnd);
    CVellMenu* pMenu = pData ? CVellMenu::FromHandleThemed(pData->m_hMenu) : nullptr;
    if (!pMenu)
        return TRUE;
    RECT rcJoin = rc;
    ::OffsetRect(&rcJoin, pData->m_ptSaved.x, pData->m_ptSaved.y);
    if (CVellMenu* pParent = pMenu->ParentThemed()) {
        // The item's box ends two pixels above the bar item's bottom, where the system hangs the
        // popup (one pixel higher after AdjustWindowPos): the box reaches down over the popup's top
        // frame so that the two meet.
        RECT rcItem = pParent->m_menuBarItemRect;
        if (!::IsRectEmpty(&rcItem))
            rcItem.bottom += m_nTopMargin + 1;
        ::IntersectRect(&rcJoin, &rcJoin, &rcItem);
    }
    if (!::IsRectEmpty(&rcJoin)) {
        ::OffsetRect(&rcJoin, -pData->m_ptSaved.x, -pData->m_ptSaved.y);
        CDC::FromHandle(hDC)->FillSolidRect(&rcJoin, kNavy);
    }
    return TRUE;
}

BOOL CVellMenuThemeXP::EraseBackground(HWND hWnd, HDC hDC)
{
    RECT rc{};
    ::GetClientRect(hWnd, &rc);
    rc.right -= 1;
    CMenuHookData* pData = CurrentMenuHookData(hWnd);
    CDC::FromHandle(hDC)->FillSolidRect(&rc, pData && pData->m_hMenu ? kNavy : kPale);
    return TRUE;
}

// The window procedure of popup menu windows taken over by the menu hook.
#include "platform/mfc/CDC.h"
#include "toolkit/menu/MenuHook.h"
#include "toolkit/menu/MenuTheme.h"

namespace {

LRESULT CallOld(WNDPROC pfnOld, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return pfnOld ? ::CallWindowProcW(pfnOld, hWnd, message, wParam, lParam) : ::DefWindowProcW(hWnd, message, wParam, lParam);
}

// The menu the window shows, asked of the window once it exists (some systems create the window
// before they announce its menu).
void LearnMenu(HWND hWnd, CMenuHookData* pData)
{
    if (pData && !pData->m_hMenu)
        pData->m_hMenu = reinterpret_cast<HMENU>(::SendMessageW(hWnd, MN_GETHMENU, 0, 0));
}

// Some systems (Wine) paint their own 3-D edge and menu colour around and between the items of a
// popup, where Windows leaves the client area to the erase: whatever no item draws gets the theme's
// background again. The items keep their pixels (each item leaves its first and last column to
// the background).
void RepaintAroundItems(HWND hWnd, HDC hDC, const CMenuHookData* pData, CVellMenuTheme* pTheme)
{
    if (!hDC || !pData || !pTheme || !::IsMenu(pData->m_hMenu))
        return;
    POINT ptClient{0, 0};
    ::ClientToScreen(hWnd, &ptClient);
    CSaveDCGuard saveDC(hDC);
    const int nCount = ::GetMenuItemCount(pData->m_hMenu);
    for (int i = 0; i < nCount; ++i) {
        RECT rc{};
        if (!::GetMenuItemRect(hWnd, pData->m_hMenu, static_cast<UINT>(i), &rc))
            continue;
        ::OffsetRect(&rc, -ptClient.x, -ptClient.y);
        ::ExcludeClipRect(hDC, rc.left + 1, rc.top, rc.right - 1, rc.bottom);
    }
    pTheme->EraseBackground(hWnd, hDC);
}

// WM_PRINT: the frame by the theme, then the client area rendered off screen and copied in.
bool PrintThemed(HWND hWnd, HDC hDC, LPARAM lParam, CMenuHookData* pData, CVellMenuTheme* pTheme)
{
    if (!pData || !pTheme || !hDC || !pTheme->PaintFrame(hWnd, hDC))
        return false;
    pData->m_bFramePainting = FALSE;
    RECT rcClient{}, rcWindow{};
    ::GetClientRect(hWnd, &rcClient);
    ::GetWindowRect(hWnd, &rcWindow);
    POINT ptOrigin{0, 0};
    ::ClientToScreen(hWnd, &ptOrigin);
    const int cx = rcClient.right, cy = rcClient.bottom;
    if (cx <= 0 || cy <= 0)
        return true;
    CDC memDC;
    if (!memDC.CreateCompatibleDC(CDC::FromHandle(hDC)))
        return true;
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(hDC, cx, cy);
    CSelectGuard selectBitmap(memDC, bitmap);
    ::IntersectClipRect(memDC, 0, 0, cx, cy);
    ::SendMessageW(hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(memDC.m_hDC), 0);
    ::SendMessageW(hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memDC.m_hDC), lParam);
    ::BitBlt(hDC, ptOrigin.x - rcWindow.left, ptOrigin.y - rcWindow.top, cx - 1, cy, memDC, 0, 0, SRCCOPY);
    return true;
}

}  // namespace

LRESULT CALLBACK CVellMenuHook::MenuWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CVellMenuHook* pHook = CurrentThreadMenuHook();
    CMenuHookData* pData = pHook ? pHook->FindData(hWnd) : nullptr;
    // Read first: the old procedure stays reachable after a give-back inside this call.
    const auto pfnOld = reinterpret_cast<WNDPROC>(::GetPropW(hWnd, L"OldMenuProc"));
    CVellMenuTheme* pTheme = ActiveMenuTheme();

    switch (message) {
    case WM_ERASEBKGND:
        LearnMenu(hWnd, pData);
        if (pTheme && pTheme->EraseBackground(hWnd, reinterpret_cast<HDC>(wParam)))
            return 1;
        break;
    case WM_SHOWWINDOW:
        if (!wParam)
            UnsubclassMenuWindow(hWnd);
        else
            LearnMenu(hWnd, pData);
        break;
    case WM_WINDOWPOSCHANGING:
    case WM_WINDOWPOSCHANGED: {
        auto* pPos = reinterpret_cast<WINDOWPOS*>(lParam);
        if (message == WM_WINDOWPOSCHANGING && pTheme && pPos)
            pTheme->AdjustWindowPos(hWnd, pPos);
        if (pData && pPos && !(pPos->flags & SWP_NOMOVE)) {
            if (pData->m_ptSaved.x == 0 && pData->m_ptSaved.y == 0) {
                pData->m_ptSaved = POINT{pPos->x, pPos->y};
            } else if (pData->m_ptSaved.x != pPos->x || pData->m_ptSaved.y != pPos->y) {
                if (pPos->flags & SWP_NOSIZE)
                    pData->m_ptSaved = POINT{pPos->x, pPos->y};
                else
                    UnsubclassMenuWindow(hWnd);  // reused for another popup
            }
        }
        break;
    }
    case WM_NCDESTROY:
        UnsubclassMenuWindow(hWnd);
        break;
    case WM_NCCALCSIZE:
        if (pTheme && pTheme->AdjustClientArea(hWnd, reinterpret_cast<RECT*>(lParam)))
            return 0;
        break;
    case WM_NCPAINT: {
        bool bPainted = false;
        if (pData && pData->m_bFramePainting && pTheme) {
            LearnMenu(hWnd, pData);
            HDC hDC = wParam == 1 ? ::GetWindowDC(hWnd)
                                  : ::GetDCEx(hWnd, reinterpret_cast<HRGN>(wParam), DCX_WINDOW | DCX_INTERSECTRGN);
            if (hDC) {
                bPainted = pTheme->PaintFrame(hWnd, hDC) != FALSE;
                ::ReleaseDC(hWnd, hDC);
            }
        }
        if (pData)
            pData->m_bFramePainting = TRUE;
        if (bPainted)
            return 0;
        break;
    }
    case WM_PAINT: {
        const LRESULT lResult = CallOld(pfnOld, hWnd, message, wParam, lParam);
        if (pData && pTheme) {
            if (HDC hDC = ::GetDC(hWnd)) {
                RepaintAroundItems(hWnd, hDC, pData, pTheme);
                ::ReleaseDC(hWnd, hDC);
            }
        }
        return lResult;
    }
    case WM_PRINTCLIENT: {
        const LRESULT lResult = CallOld(pfnOld, hWnd, message, wParam, lParam);
        RepaintAroundItems(hWnd, reinterpret_cast<HDC>(wParam), pData, pTheme);
        return lResult;
    }
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE && pData)
            pData->m_dwFlags |= CMenuHookData::kEscapePressed;
        if (pHook)
            pHook->m_dwLastMessagePos = ::GetMessagePos();
        break;
    case WM_PRINT:
        LearnMenu(hWnd, pData);
        if (PrintThemed(hWnd, reinterpret_cast<HDC>(wParam), lParam, pData, pTheme))
            return 0;
        break;
    default:
        break;
    }
    return CallOld(pfnOld, hWnd, message, wParam, lParam);
}

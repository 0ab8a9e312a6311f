// The styled window hook: the menu-bar row of windows that have a menu.
#include "toolkit/draw/StyleColors.h"
#include "toolkit/draw/StyleGlobals.h"
#include "toolkit/style/StyleWindowHook.h"

HMENU CVellStyleWindowHook::MenuBar() const
{
    if (!m_hooked || !m_hooked->m_hWnd || (m_hooked->GetStyle() & WS_CHILD))
        return nullptr;
    HMENU hMenu = ::GetMenu(m_hooked->m_hWnd);
    return ::IsMenu(hMenu) ? hMenu : nullptr;
}

CRect CVellStyleWindowHook::MenuBarRect() const
{
    if (!MenuBar() || m_nMenuBarHeight <= 0)
        return CRect();
    const int nTop = ContentTop();
    return CRect(kMargin, nTop, WindowSize().cx - kMargin, nTop + m_nMenuBarHeight);
}

int CVellStyleWindowHook::LayOutMenuBar(int nWidth)
{
    using DrawMenuBarTempFn = DWORD(WINAPI*)(HWND, HDC, RECT*, HMENU, HFONT);
    static const auto s_pfnDrawMenuBarTemp = reinterpret_cast<DrawMenuBarTempFn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "DrawMenuBarTemp")));
    HMENU hMenu = MenuBar();
    if (!hMenu || !s_pfnDrawMenuBarTemp)
        return 0;
    // Laid out while drawn into a scratch DC: the items' rectangles then lie in our row, so the
    // system's own menu tracking opens each popup under its item. The row is drawn at paint time.
    HDC hScreen = ::GetDC(nullptr);
    CDC scratch;
    scratch.CreateCompatibleDC(CDC::FromHandle(hScreen));
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(hScreen, 1, 1);
    ::ReleaseDC(nullptr, hScreen);
    CSelectGuard selectBitmap(scratch, bitmap);
    const int nTop = ContentTop();
    RECT rcBar{kMargin, nTop, nWidth - kMargin, nTop + ::GetSystemMetrics(SM_CYMENU)};
    const int nHeight = static_cast<int>(s_pfnDrawMenuBarTemp(m_hooked->m_hWnd, scratch, &rcBar, hMenu, nullptr));
    m_nMenuBarWidth = nWidth;
    return nHeight > 0 ? nHeight : 0;
}

void CVellStyleWindowHook::PaintMenuBar(CDC* pDC)
{
    HMENU hMenu = MenuBar();
    const CRect rcBar = MenuBarRect();
    if (!hMenu || rcBar.IsRectEmpty() || !pDC || !pDC->m_hDC)
        return;
    CSaveDCGuard saveDC(pDC->m_hDC);
    ::IntersectClipRect(pDC->m_hDC, rcBar.left, rcBar.top, rcBar.right, rcBar.bottom);
    pDC->FillSolidRect(&rcBar, vell::kNavy);
    CRect rcWindow;
    m_hooked->GetWindowRect(&rcWindow);
    // As the hover tracking decides: inactive while the keyboard focus is elsewhere.
    const HWND hFocus = ::GetFocus();
    const bool bFocusInside = hFocus && (hFocus == m_hooked->m_hWnd || ::IsChild(m_hooked->m_hWnd, hFocus));
    const UINT nInactive = bFocusInside ? 0 : ODS_INACTIVE;
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; ++i) {
        RECT rcItem{};
        MENUITEMINFOW mii{};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_ID | MIIM_FTYPE | MIIM_DATA | MIIM_STATE | MIIM_STRING;
        wchar_t szText[256] = {};
        mii.dwTypeData = szText;
        mii.cch = 255;
        if (!::GetMenuItemRect(m_hooked->m_hWnd, hMenu, static_cast<UINT>(i), &rcItem) ||
            !::GetMenuItemInfoW(hMenu, static_cast<UINT>(i), TRUE, &mii))
            continue;
        ::OffsetRect(&rcItem, -rcWindow.left, -rcWindow.top);
        if (mii.fType & MFT_OWNERDRAW) {
            DRAWITEMSTRUCT dis{};
            dis.CtlType = ODT_MENU;
            dis.itemID = mii.wID;
            dis.itemAction = ODA_DRAWENTIRE;
            dis.itemState = nInactive | ((mii.fState & MFS_GRAYED) ? ODS_GRAYED : 0);
            if (mii.fState & MFS_HILITE)
                dis.itemState |= ODS_SELECTED;  // its popup is open
            else if (g_hotMenuBarItemData && mii.dwItemData == g_hotMenuBarItemData)
                dis.itemState |= ODS_HOTLIGHT;  // the mouse rests on it
            dis.hwndItem = reinterpret_cast<HWND>(hMenu);
            dis.hDC = pDC->m_hDC;
            dis.rcItem = rcItem;
            dis.itemData = mii.dwItemData;
            m_hooked->SendMessage(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
        } else {
            // A plain text item (a menu not themed): white on navy.
            const int nOldMode = pDC->SetBkMode(TRANSPARENT);
            const COLORREF clrOld = pDC->SetTextColor((mii.fState & MFS_GRAYED) ? RGB(128, 128, 128) : vell::kWhite);
            pDC->DrawText(szText, -1, &rcItem, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
            pDC->SetTextColor(clrOld);
            pDC->SetBkMode(nOldMode);
        }
    }
}

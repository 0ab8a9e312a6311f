#include "gallery/pages/MenusPage.h"

#include "gallery/GalleryIds.h"

namespace {

enum Step { kBarHot, kPopupSubmenu, kContext, kSystem, kLooks };

// Opens the submenu of the first item of the popup the keyboard opened (posted key presses are
// read by the menu's own loop).
void CALLBACK OpenFirstSubmenu(HWND, UINT, UINT_PTR nIDEvent, DWORD)
{
    ::KillTimer(nullptr, nIDEvent);
    if (HWND hWnd = ::GetActiveWindow())
        ::PostMessageW(hWnd, WM_KEYDOWN, VK_RIGHT, 0);
}

}  // namespace

UINT CMenusPage::TitleId() const
{
    return IDS_PAGE_MENUS;
}

CRect CMenusPage::LooksRect(const CRect& rcArea) const
{
    return CRect(rcArea.left, rcArea.top + 82, rcArea.right, rcArea.bottom);
}

void CMenusPage::Create(CWnd* pParent, const CRect& rcArea)
{
    m_pParent = pParent;
    m_rcArea = rcArea;
    const int x = rcArea.left, y = rcArea.top;
    m_controls.AddText(pParent, GalleryString(IDS_MENUS_PAGE_TEXT), CRect(x, y, rcArea.right, y + 44));
    m_controls.AddButton(pParent, IDC_GALLERY_SHOW_CONTEXT, L"Show the context menu", CRect(x, y + 50, x + 180, y + 74));
    m_pLooks = std::make_unique<CMenuLooksView>();
    m_pLooks->Create(pParent, LooksRect(rcArea), IDC_GALLERY_MENU_LOOKS);
}

void CMenusPage::Destroy()
{
    m_controls.DestroyAll();
    m_pLooks.reset();
}

void CMenusPage::Move(const CRect& rcArea)
{
    m_rcArea = rcArea;
    if (m_pLooks && m_pLooks->m_hWnd) {
        const CRect rc = LooksRect(rcArea);
        m_pLooks->SetWindowPos(nullptr, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER);
    }
}

POINT CMenusPage::ContextPoint() const
{
    POINT pt{m_rcArea.left + 120, m_rcArea.top + 60};
    ::ClientToScreen(m_pParent->m_hWnd, &pt);
    return pt;
}

BOOL CMenusPage::OnCommand(UINT nID, UINT nCode)
{
    if (nID != IDC_GALLERY_SHOW_CONTEXT || nCode != BN_CLICKED)
        return FALSE;
    const POINT pt = ContextPoint();
    m_pParent->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_pParent->m_hWnd), MAKELPARAM(pt.x, pt.y));
    return TRUE;
}

std::vector<GalleryShot> CMenusPage::Shots() const
{
    return {{L"menu-bar-hot", kBarHot},
            {L"menu-popup-submenu", kPopupSubmenu},
            {L"menu-context", kContext},
            {L"menu-system", kSystem},
            {L"menu-looks", kLooks}};
}

HWND CMenusPage::PrepareShot(int nStep)
{
    const HWND hWnd = m_pParent->m_hWnd;
    m_pParent->SetActiveWindow();
    switch (nStep) {
    case kBarHot: {
        // The mouse rests on "Edit": the bar's hover tracking draws it hot.
        RECT rcItem{};
        if (::GetMenuItemRect(hWnd, ::GetMenu(hWnd), 1, &rcItem)) {
            const POINT pt{(rcItem.left + rcItem.right) / 2, (rcItem.top + rcItem.bottom) / 2};
            ::SetCursorPos(pt.x, pt.y);
            ::SendMessageW(hWnd, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y));
        }
        return hWnd;
    }
    case kPopupSubmenu:
        // Alt+V opens "View"; its first item, "Zoom", then opens its submenu.
        ::PostMessageW(hWnd, WM_SYSCOMMAND, SC_KEYMENU, L'v');
        ::SetTimer(nullptr, 0, 150, OpenFirstSubmenu);
        return nullptr;
    case kContext: {
        const POINT pt = ContextPoint();
        ::PostMessageW(hWnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hWnd), MAKELPARAM(pt.x, pt.y));
        return nullptr;
    }
    case kSystem:
        ::PostMessageW(hWnd, WM_SYSCOMMAND, SC_KEYMENU, L' ');
        return nullptr;
    default:
        return hWnd;
    }
}

void CMenusPage::EndShot(int nStep)
{
    if (nStep == kPopupSubmenu || nStep == kContext || nStep == kSystem)
        ::EndMenu();
    if (nStep == kBarHot)
        ::SetCursorPos(0, 0);
}

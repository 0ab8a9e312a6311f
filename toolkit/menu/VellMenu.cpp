#include "toolkit/menu/VellMenu.h"

#include "platform/mfc/AfxState.h"
#include "toolkit/menu/MenuColors.h"
#include "toolkit/menu/MenuTheme.h"
#include "toolkit/draw/StyleGlobals.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNAMIC(CVellMenu, CMenu)

namespace {

constexpr UINT kSystemTextCommands[] = {SC_RESTORE, SC_MOVE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_CLOSE};
// Windows XP draws system commands with their own pictures unless their ids differ; the system
// ignores the low four bits of a system command, so the shifted ids still work.
constexpr UINT kShiftedSystemCommands[] = {SC_RESTORE, SC_CLOSE, SC_MINIMIZE};

// Flags of a live item worth keeping when it is registered again.
// Whether a top-level window of this thread shows hMenu as its menu bar.
bool IsMenuOfAWindow(HMENU hMenu)
{
    struct Search {
        HMENU hMenu;
        bool bFound;
    } search{hMenu, false};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            auto* pSearch = reinterpret_cast<Search*>(lParam);
            pSearch->bFound = ::GetMenu(hWnd) == pSearch->hMenu;
            return !pSearch->bFound;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.bFound;
}

UINT KeptState(UINT nState)
{
    return nState & ~static_cast<UINT>(MF_HILITE | MF_BYPOSITION);
}

}  // namespace

CVellMenu::CVellMenu(HMENU hParentMenu) : m_parentMenu(hParentMenu)
{
}

CVellMenu::~CVellMenu()
{
    DestroyThemed();
}

CVellMenu* CVellMenu::FromHandleThemed(HMENU hMenu)
{
    if (!hMenu)
        return nullptr;
    CMenu* pMenu = CMenu::FromHandlePermanent(hMenu);
    return pMenu && pMenu->IsKindOf(RUNTIME_CLASS(CVellMenu)) ? static_cast<CVellMenu*>(pMenu) : nullptr;
}

void CVellMenu::DrawItem(LPDRAWITEMSTRUCT pDrawItemStruct)
{
    CVellMenuTheme* pTheme = ActiveMenuTheme();
    if (!pDrawItemStruct || !pTheme)
        return;
    BOOL bMenuBar = FALSE;
    if (!m_parentMenu) {
        bMenuBar = !m_isPopup;
        if (bMenuBar && g_hotMenuBarItemData == pDrawItemStruct->itemData &&
            !(pDrawItemStruct->itemState & ODS_HOTLIGHT))
            g_hotMenuBarItemData = 0;
    }
    pTheme->m_pfnDraw(this, pDrawItemStruct, bMenuBar);
}

void CVellMenu::MeasureItem(LPMEASUREITEMSTRUCT pMeasureItemStruct)
{
    if (!pMeasureItemStruct)
        return;
    // Items of a menu bar lie on the bar; the items of every other menu are popup items.
    const BOOL bMenuBar = !m_isPopup && !m_parentMenu;
    if (CVellMenuTheme* pTheme = ActiveMenuTheme()) {
        pTheme->m_pfnMeasure(this, pMeasureItemStruct, bMenuBar);
    } else {
        pMeasureItemStruct->itemHeight = 19;
        pMeasureItemStruct->itemWidth = 80;
    }
}

BOOL CVellMenu::IsMenuBarItem(UINT_PTR nItemId)
{
    HMENU hMenu = reinterpret_cast<HMENU>(nItemId);
    if (!::IsMenu(hMenu))
        return FALSE;
    CVellMenu* pMenu = FromHandleThemed(hMenu);
    if (pMenu && !pMenu->m_parentMenu)
        return !pMenu->m_isPopup;
    CVellMenu* pParent = pMenu ? pMenu->ParentThemed() : nullptr;
    return pParent ? !pParent->m_isPopup : TRUE;
}

BOOL CVellMenu::LoadThemedMenu(UINT nIDResource)
{
    return LoadThemedMenu(MAKEINTRESOURCEW(nIDResource));
}

BOOL CVellMenu::LoadThemedMenu(const wchar_t* pszResourceName)
{
    HMENU hMenu = ::LoadMenuW(AfxGetResourceHandle(), pszResourceName);
    if (!hMenu)
        return FALSE;
    if (!Convert(hMenu)) {
        ::DestroyMenu(hMenu);
        return FALSE;
    }
    return TRUE;
}

BOOL CVellMenu::Convert(HMENU hMenu)
{
    if (!::IsMenu(hMenu) || !Attach(hMenu))
        return FALSE;
    m_isPopup = FALSE;
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; ++i) {
        HMENU hSub = ::GetSubMenu(hMenu, i);
        if (!hSub)
            continue;
        auto* pSub = new CVellMenu(hMenu);
        m_submenus.Add(hSub);
        pSub->Convert(hSub);
        pSub->m_isPopup = TRUE;
    }
    Rebuild();
    return TRUE;
}

void CVellMenu::FreeSubmenusAndRecords()
{
    for (INT_PTR i = m_submenus.GetUpperBound(); i >= 0; --i) {
        if (CVellMenu* pSub = FromHandleThemed(m_submenus.GetAt(i))) {
            // The live submenu goes with its parent's live menu (or stays with it).
            pSub->DetachThemed();
            delete pSub;
        }
    }
    m_submenus.RemoveAll();
    for (INT_PTR i = 0; i < m_items.GetSize(); ++i)
        delete m_items.GetAt(i);
    m_items.RemoveAll();
    if (!m_bImageListBorrowed)
        delete m_pImageList;
    m_pImageList = nullptr;
}

void CVellMenu::DestroyThemed()
{
    if (::IsMenu(m_hMenu) && IsMenuOfAWindow(m_hMenu)) {
        // A menu that a window still shows stays alive, its items plain text again.
        RestorePlainItems();
        DetachThemed();
        return;
    }
    FreeSubmenusAndRecords();
    CMenu::DestroyMenu();
}

void CVellMenu::RestorePlainItems()
{
    constexpr UINT kKept = MF_POPUP | MF_CHECKED | MF_GRAYED | MF_DISABLED | MF_MENUBREAK | MF_MENUBARBREAK | MF_RIGHTJUSTIFY;
    const int nCount = std::min(GetRecordCount(), ::GetMenuItemCount(m_hMenu));
    for (int i = 0; i < nCount; ++i) {
        const CVellMenuItemData* pData = GetRecord(i);
        const UINT nPos = static_cast<UINT>(i);
        if (pData->IsSeparator()) {
            ::ModifyMenuW(m_hMenu, nPos, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
            continue;
        }
        if (pData->IsPopup()) {
            if (CVellMenu* pSub = FromHandleThemed(reinterpret_cast<HMENU>(pData->m_nCommandId)))
                pSub->RestorePlainItems();
        }
        ::ModifyMenuW(m_hMenu, nPos, (pData->m_nFlags & kKept) | MF_BYPOSITION | MF_STRING, pData->m_nCommandId,
                      pData->m_strText);
    }
}

void CVellMenu::DetachThemed()
{
    FreeSubmenusAndRecords();
    Detach();
}

BOOL CVellMenu::FillMenuWindow(HWND hWnd, HDC hDC)
{
    RECT rc{};
    ::GetClientRect(hWnd, &rc);
    CDC::FromHandle(hDC)->FillSolidRect(&rc, vell_menu::kNavy);
    return TRUE;
}

void CVellMenu::OnInitPopup()
{
    m_isPopup = TRUE;
    Rebuild();
    for (UINT i = 0; i < std::size(kSystemTextCommands); ++i)
        SetTextFromResource(kFirstSystemTextId + i, kSystemTextCommands[i]);
    if (ShiftsSystemCommandIds()) {
        for (UINT nID : kShiftedSystemCommands)
            ChangeCommandId(nID, nID + 1);
    }
}

BOOL CVellMenu::OnPopupClosed(HWND hWndOwner)
{
    if (ShiftsSystemCommandIds()) {
        for (UINT nID : kShiftedSystemCommands)
            ChangeCommandId(nID + 1, nID);
    }
    CVellMenu* pParent = ParentThemed();
    if (!pParent)
        return FALSE;
    --pParent->m_openCount;
    if (pParent->m_isPopup)
        return FALSE;
    pParent->m_openCount = 0;
    if (::IsRectEmpty(&pParent->m_menuBarItemRect))
        return TRUE;
    RECT rc = pParent->m_menuBarItemRect;
    rc.right += 10;
    rc.bottom += 10;
    ::ScreenToClient(hWndOwner, reinterpret_cast<POINT*>(&rc.left));
    ::ScreenToClient(hWndOwner, reinterpret_cast<POINT*>(&rc.right));
    ::RedrawWindow(hWndOwner, &rc, nullptr, RDW_FRAME | RDW_INVALIDATE);
    return TRUE;
}

BOOL CVellMenu::ShiftsSystemCommandIds() const
{
    return OsClassCode() == 7;
}

CVellMenuItemData* CVellMenu::AddItemData(UINT nPosition, UINT nFlags, UINT_PTR nID, const CString& strText)
{
    auto* pData = new CVellMenuItemData;
    pData->m_nFlags = nFlags;
    pData->m_nCommandId = nID;
    pData->m_strText = strText;
    if (nFlags & MF_POPUP) {
        if (CVellMenu* pSub = FromHandleThemed(reinterpret_cast<HMENU>(nID)))
            pSub->m_parentMenu = m_hMenu;
    }
    Register(nPosition, pData);
    return pData;
}

BOOL CVellMenu::Register(UINT nPosition, CVellMenuItemData* pData)
{
    const UINT nFlags = pData->m_nFlags | MF_BYPOSITION | MF_OWNERDRAW;
    const UINT_PTR nID = (nFlags & MF_SEPARATOR) ? 0 : pData->m_nCommandId;
    return ::ModifyMenuW(m_hMenu, nPosition, nFlags, nID, reinterpret_cast<const wchar_t*>(pData));
}

void CVellMenu::Rebuild()
{
    if (!::IsMenu(m_hMenu))
        return;
    std::vector<CVellMenuItemData*> free(m_items.GetSize());
    for (INT_PTR i = 0; i < m_items.GetSize(); ++i) {
        free[static_cast<size_t>(i)] = m_items.GetAt(i);
        m_items.GetAt(i)->m_bInUse = FALSE;
    }
    auto takeFree = [&](auto&& matches) -> CVellMenuItemData* {
        for (CVellMenuItemData*& pData : free) {
            if (pData && matches(*pData)) {
                CVellMenuItemData* p = pData;
                p->m_bInUse = TRUE;
                pData = nullptr;
                return p;
            }
        }
        return nullptr;
    };

    CTypedPtrArray<CPtrArray, CVellMenuItemData*> items;
    const int nCount = ::GetMenuItemCount(m_hMenu);
    for (int i = 0; i < nCount; ++i) {
        const UINT nPos = static_cast<UINT>(i);
        const UINT nState = ::GetMenuState(m_hMenu, nPos, MF_BYPOSITION);
        CString strText;
        GetMenuString(nPos, strText, MF_BYPOSITION);
        if (strText.GetLength() > 1024)
            strText = strText.Left(1024);
        CVellMenuItemData* pData = nullptr;
        if (HMENU hSub = ::GetSubMenu(m_hMenu, i)) {
            // The high byte of a submenu's state is its item count, not flags.
            const UINT nFlags = (LOBYTE(nState) & ~static_cast<UINT>(MF_SEPARATOR | MF_USECHECKBITMAPS | MF_HILITE)) |
                                MF_POPUP | MF_BYPOSITION | MF_OWNERDRAW;
            const UINT_PTR nSub = reinterpret_cast<UINT_PTR>(hSub);
            pData = takeFree([nSub](const CVellMenuItemData& d) { return d.m_nCommandId == nSub && d.IsPopup(); });
            if (!FromHandleThemed(hSub)) {
                // A submenu added since the conversion is themed as well.
                auto* pNew = new CVellMenu(m_hMenu);
                if (pNew->Convert(hSub)) {
                    pNew->m_isPopup = TRUE;
                    m_submenus.Add(hSub);
                } else {
                    delete pNew;
                }
            }
            if (pData) {
                if (!strText.IsEmpty())
                    pData->m_strText = strText;
                pData->m_nFlags = nFlags;
                Register(nPos, pData);
                if (CVellMenu* pSub = FromHandleThemed(hSub))
                    pSub->m_parentMenu = m_hMenu;
            } else {
                pData = AddItemData(nPos, nFlags, nSub, strText);
            }
        } else if (nState & MF_SEPARATOR) {
            pData = takeFree([](const CVellMenuItemData& d) { return d.m_nCommandId == 0 && d.IsSeparator(); });
            if (pData)
                Register(nPos, pData);
            else
                pData = AddItemData(nPos, KeptState(nState) | MF_SEPARATOR | MF_BYPOSITION | MF_OWNERDRAW, 0, CString());
        } else {
            const UINT nID = ::GetMenuItemID(m_hMenu, i);
            const UINT nFlags = KeptState(nState) | MF_BYPOSITION | MF_OWNERDRAW;
            pData = takeFree([nID](const CVellMenuItemData& d) {
                return d.m_nCommandId == nID && !d.IsPopup() && !d.IsSeparator();
            });
            if (pData) {
                pData->m_nFlags = nFlags;
                if (!strText.IsEmpty())
                    pData->m_strText = strText;
                Register(nPos, pData);
            } else {
                pData = AddItemData(nPos, nFlags, nID, strText);
            }
        }
        pData->m_bInUse = TRUE;
        items.Add(pData);
    }
    for (CVellMenuItemData* pData : free)
        delete pData;
    m_items.RemoveAll();
    for (INT_PTR i = 0; i < items.GetSize(); ++i)
        m_items.Add(items.GetAt(i));
}

CVellMenu* CVellMenu::FindCommand(UINT nID, int* pPosition)
{
    if (pPosition)
        *pPosition = -1;
    if (!::IsMenu(m_hMenu))
        return nullptr;
    const int nCount = ::GetMenuItemCount(m_hMenu);
    for (int i = 0; i < nCount; ++i) {
        if (HMENU hSub = ::GetSubMenu(m_hMenu, i)) {
            if (CVellMenu* pSub = FromHandleThemed(hSub)) {
                if (CVellMenu* pFound = pSub->FindCommand(nID, pPosition))
                    return pFound;
            }
        } else if (::GetMenuItemID(m_hMenu, i) == nID) {
            if (pPosition)
                *pPosition = i;
            return this;
        }
    }
    return nullptr;
}

BOOL CVellMenu::ChangeCommandId(UINT nOldID, UINT nNewID)
{
    int nPos = -1;
    CVellMenu* pMenu = FindCommand(nOldID, &nPos);
    CVellMenuItemData* pData = pMenu ? pMenu->GetRecord(nPos) : nullptr;
    if (!pData)
        return FALSE;
    pData->m_nCommandId = nNewID;
    return pMenu->Register(static_cast<UINT>(nPos), pData);
}

BOOL CVellMenu::SetTextFromResource(UINT nStringID, UINT nCommandID)
{
    int nPos = -1;
    CVellMenu* pMenu = FindCommand(nCommandID, &nPos);
    CVellMenuItemData* pData = pMenu ? pMenu->GetRecord(nPos) : nullptr;
    if (!pData)
        return FALSE;
    wchar_t szText[512] = {};
    const int nLength = ::LoadStringW(AfxGetResourceHandle(), nStringID, szText, 512);
    if (nLength <= 0)
        return FALSE;
    pData->m_strText = CString(szText, nLength);
    return pMenu->Register(static_cast<UINT>(nPos), pData);
}

void CVellMenu::RememberMenuBarItemRect(HDC hDC, const RECT& rect)
{
    if (m_isPopup)
        return;
    HWND hWnd = ::WindowFromDC(hDC);
    if (!hWnd)
        return;
    RECT rcWindow{};
    ::GetWindowRect(hWnd, &rcWindow);
    m_menuBarItemRect = rect;
    ::OffsetRect(&m_menuBarItemRect, rcWindow.left, rcWindow.top);
}

BOOL CVellMenu::SetItemIcon(UINT nID, HICON hIcon)
{
    int nPos = -1;
    CVellMenu* pMenu = FindCommand(nID, &nPos);
    CVellMenuItemData* pData = pMenu ? pMenu->GetRecord(nPos) : nullptr;
    if (!pData || !hIcon)
        return FALSE;
    auto* pImages = new CImageList;
    if (!pImages->Create(m_nIconWidth, m_nIconWidth, ILC_COLOR32 | ILC_MASK, 1, 0) || pImages->Add(hIcon) < 0) {
        delete pImages;
        return FALSE;
    }
    delete pData->m_pIconImages;
    pData->m_pIconImages = pImages;
    pData->m_nIconIndex = 0;
    return TRUE;
}

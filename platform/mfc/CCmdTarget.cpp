#include "platform/mfc/CCmdTarget.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr, nullptr}};
    static const AFX_MSGMAP map = {nullptr, &entries[0]};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

namespace {

bool IsCommandMessage(UINT nMessage)
{
    return nMessage == WM_COMMAND || nMessage == WM_NOTIFY || nMessage == WM_REFLECT_BASE + WM_COMMAND ||
           nMessage == WM_REFLECT_BASE + WM_NOTIFY;
}

template <class Match>
const AFX_MSGMAP_ENTRY* SearchMaps(const AFX_MSGMAP* pMap, Match match)
{
    for (; pMap; pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = pMap->lpEntries; e->pfn; ++e) {
            if (match(*e))
                return e;
        }
    }
    return nullptr;
}

}  // namespace

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(UINT nMessage) const
{
    UINT nLookup = nMessage;
    if (nMessage >= WM_CTLCOLORMSGBOX && nMessage <= WM_CTLCOLORSTATIC)
        nLookup = WM_CTLCOLOR;
    else if (nMessage >= WM_REFLECT_BASE + WM_CTLCOLORMSGBOX && nMessage <= WM_REFLECT_BASE + WM_CTLCOLORSTATIC)
        nLookup = WM_REFLECT_BASE + WM_CTLCOLOR;
    if (IsCommandMessage(nLookup))
        return nullptr;
    return SearchMaps(GetMessageMap(), [&](const AFX_MSGMAP_ENTRY& e) {
        if (e.pnRegistered)
            return *e.pnRegistered == nMessage && nMessage != 0;
        return e.nMessage == nLookup;
    });
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindCommandEntry(UINT nMessage, UINT nCode, UINT nID) const
{
    return SearchMaps(GetMessageMap(), [&](const AFX_MSGMAP_ENTRY& e) {
        return !e.pnRegistered && e.nMessage == nMessage && e.nCode == nCode && nID >= e.nID && nID <= e.nLastID;
    });
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra)
{
    const AFX_MSGMAP_ENTRY* e = FindCommandEntry(WM_COMMAND, static_cast<UINT>(nCode), nID);
    if (!e)
        return FALSE;
    if (nCode == CN_UPDATE_COMMAND_UI && !pExtra)
        return TRUE;
    e->pfn(this, WM_COMMAND, MAKEWPARAM(nID, static_cast<WORD>(nCode)), reinterpret_cast<LPARAM>(pExtra));
    return TRUE;
}

BOOL CCmdTarget::HasCommandHandler(UINT nID, int nCode) const
{
    return FindCommandEntry(WM_COMMAND, static_cast<UINT>(nCode), nID) != nullptr;
}

void CCmdUI::Enable(BOOL bOn)
{
    if (m_hMenu)
        EnableMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck)
{
    if (m_hMenu)
        CheckMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
}

void CCmdUI::SetRadio(BOOL bOn)
{
    if (m_hMenu && bOn)
        CheckMenuRadioItem(m_hMenu, m_nIndex, m_nIndex, m_nIndex, MF_BYPOSITION);
    else
        SetCheck(bOn ? 1 : 0);
}

void CCmdUI::SetText(const wchar_t* pszText)
{
    if (!m_hMenu || !pszText)
        return;
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_STRING;
    mii.dwTypeData = const_cast<wchar_t*>(pszText);
    SetMenuItemInfoW(m_hMenu, m_nIndex, TRUE, &mii);
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler)
{
    if (m_nID == 0 || !pTarget)
        return TRUE;
    m_bEnableChanged = FALSE;
    const BOOL bHandled = pTarget->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this);
    if (!bHandled && bDisableIfNoHandler && !m_bEnableChanged)
        Enable(pTarget->HasCommandHandler(m_nID, CN_COMMAND));
    return bHandled;
}

void AfxUpdateMenuCommands(HMENU hMenu, CCmdTarget* pTarget, BOOL bDisableIfNoHandler)
{
    const int nCount = GetMenuItemCount(hMenu);
    if (nCount <= 0 || !pTarget)
        return;
    CCmdUI state;
    state.m_hMenu = hMenu;
    state.m_nIndexMax = static_cast<UINT>(nCount);
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        const UINT nID = GetMenuItemID(hMenu, static_cast<int>(state.m_nIndex));
        // 0 is a separator, -1 a submenu: neither is a command.
        if (nID == 0 || nID == static_cast<UINT>(-1))
            continue;
        state.m_nID = nID;
        state.DoUpdate(pTarget, bDisableIfNoHandler && nID < 0xF000);
    }
}

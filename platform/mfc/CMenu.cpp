#include "platform/mfc/CMenu.h"

#include "platform/mfc/AfxHandleMaps.h"
#include "platform/mfc/AfxState.h"
#include "platform/mfc/CString.h"
#include "platform/mfc/CWnd.h"

#include <string>
#include <utility>

IMPLEMENT_DYNAMIC(CMenu, CObject)

namespace {

CMenu* NewTempMenu(HMENU h)
{
    CMenu* p = new CMenu;
    p->m_hMenu = h;
    return p;
}

void DeleteTempMenu(CMenu* p)
{
    p->m_hMenu = nullptr;
    delete p;
}

}  // namespace

CHandleMap<CMenu, HMENU>& afxMapHMENU()
{
    // Never destroyed: objects with static storage may still unbind at exit (see AfxState.cpp).
    thread_local auto* pMap = afxNewHandleMap<CMenu, HMENU>(NewTempMenu, DeleteTempMenu);
    return *pMap;
}

CMenu::~CMenu()
{
    DestroyMenu();
}

CMenu::CMenu(CMenu&& other) noexcept : CObject(other)
{
    *this = std::move(other);
}

CMenu& CMenu::operator=(CMenu&& other) noexcept
{
    if (this != &other) {
        DestroyMenu();
        if (HMENU h = other.Detach())
            Attach(h);
    }
    return *this;
}

CMenu* CMenu::FromHandle(HMENU hMenu)
{
    return afxMapHMENU().FromHandle(hMenu, afxInDispatch());
}

CMenu* CMenu::FromHandlePermanent(HMENU hMenu)
{
    return afxMapHMENU().LookupPermanent(hMenu);
}

BOOL CMenu::Attach(HMENU hMenu)
{
    if (!hMenu || m_hMenu || !afxMapHMENU().SetPermanent(hMenu, this))
        return FALSE;
    m_hMenu = hMenu;
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU h = m_hMenu;
    if (h)
        afxMapHMENU().RemovePermanent(h, this);
    m_hMenu = nullptr;
    return h;
}

BOOL CMenu::DestroyMenu()
{
    HMENU h = Detach();
    return h ? ::DestroyMenu(h) : FALSE;
}

BOOL CMenu::CreateMenu()
{
    return Attach(::CreateMenu());
}

BOOL CMenu::CreatePopupMenu()
{
    return Attach(::CreatePopupMenu());
}

BOOL CMenu::LoadMenu(UINT nIDResource)
{
    return Attach(::LoadMenuW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nIDResource)));
}

BOOL CMenu::LoadMenu(const wchar_t* pszResourceName)
{
    return Attach(::LoadMenuW(AfxGetResourceHandle(), pszResourceName));
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
    const int nLength = ::GetMenuStringW(m_hMenu, nIDItem, nullptr, 0, nFlags);
    if (nLength <= 0) {
        rString.Empty();
        return 0;
    }
    std::wstring buffer(static_cast<size_t>(nLength) + 1, L'\0');
    const int nCopied = ::GetMenuStringW(m_hMenu, nIDItem, buffer.data(), nLength + 1, nFlags);
    rString = CString(buffer.c_str(), nCopied);
    return nCopied;
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, const RECT* pRect)
{
    if (!m_hMenu || !pWnd || !pWnd->m_hWnd)
        return FALSE;
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    const HWND hWndOldTracking = pState->m_hTrackingWindow;
    const HMENU hMenuOldTracking = pState->m_hTrackingMenu;
    pState->m_hTrackingWindow = pWnd->m_hWnd;
    pState->m_hTrackingMenu = m_hMenu;
    const BOOL bResult = ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pWnd->m_hWnd, pRect);
    pState->m_hTrackingWindow = hWndOldTracking;
    pState->m_hTrackingMenu = hMenuOldTracking;
    return bResult;
}

void CMenu::DrawItem(LPDRAWITEMSTRUCT)
{
}

void CMenu::MeasureItem(LPMEASUREITEMSTRUCT)
{
}

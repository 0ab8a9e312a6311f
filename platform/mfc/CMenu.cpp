#include "platform/mfc/CMenu.h"

#include "platform/mfc/AfxHandleMaps.h"
#include "platform/mfc/AfxState.h"

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

void CMenu::DrawItem(LPDRAWITEMSTRUCT)
{
}

void CMenu::MeasureItem(LPMEASUREITEMSTRUCT)
{
}

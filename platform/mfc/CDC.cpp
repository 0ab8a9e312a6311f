#include "platform/mfc/CDC.h"

#include "platform/mfc/AfxHandleMaps.h"
#include "platform/mfc/CWnd.h"

IMPLEMENT_DYNAMIC(CDC, CObject)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)

CDC* CDC::NewTemporary(HDC hDC)
{
    CDC* p = new CDC;
    p->m_hDC = p->m_hAttribDC = hDC;
    p->m_hold = AfxHandleHold::Temporary;
    return p;
}

void CDC::DeleteTemporary(CDC* pDC)
{
    pDC->m_hDC = pDC->m_hAttribDC = nullptr;
    pDC->m_hold = AfxHandleHold::None;
    delete pDC;
}

CHandleMap<CDC, HDC>& afxMapHDC()
{
    // Never destroyed: objects with static storage may still unbind at exit (see AfxState.cpp).
    thread_local auto* pMap = afxNewHandleMap<CDC, HDC>(&CDC::NewTemporary, &CDC::DeleteTemporary);
    return *pMap;
}

CDC::~CDC()
{
    DeleteDC();
}

CDC* CDC::FromHandle(HDC hDC)
{
    return afxMapHDC().FromHandle(hDC, afxInDispatch());
}

BOOL CDC::Attach(HDC hDC)
{
    if (!hDC || m_hDC || m_hold == AfxHandleHold::Temporary || !afxMapHDC().SetPermanent(hDC, this))
        return FALSE;
    m_hDC = m_hAttribDC = hDC;
    m_hold = AfxHandleHold::Owner;
    return TRUE;
}

HDC CDC::Detach()
{
    HDC h = m_hDC;
    if (m_hold == AfxHandleHold::Temporary)
        return h;
    if (h)
        afxMapHDC().RemovePermanent(h, this);
    m_hDC = m_hAttribDC = nullptr;
    m_hold = AfxHandleHold::None;
    return h;
}

void CDC::BindBorrowed(HDC hDC)
{
    // A class or own DC comes back from GetDC for every caller: the first one stays in the map.
    m_hDC = m_hAttribDC = hDC;
    m_hold = hDC ? AfxHandleHold::Borrower : AfxHandleHold::None;
    if (hDC)
        afxMapHDC().SetPermanent(hDC, this);
}

void CDC::UnbindBorrowed()
{
    if (m_hold == AfxHandleHold::Borrower)
        Detach();
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    if (m_hold == AfxHandleHold::Borrower || m_hold == AfxHandleHold::Temporary)
        return FALSE;
    HDC hNew = ::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr);
    if (!hNew)
        return FALSE;
    if (!afxMapHDC().SetPermanent(hNew, this)) {
        ::DeleteDC(hNew);
        return FALSE;
    }
    DeleteDC();  // the one this object owned before
    m_hDC = m_hAttribDC = hNew;
    m_hold = AfxHandleHold::Owner;
    return TRUE;
}

BOOL CDC::DeleteDC()
{
    if (m_hold != AfxHandleHold::Owner)
        return FALSE;
    HDC h = Detach();
    return h ? ::DeleteDC(h) : FALSE;
}

CPen* CDC::SelectObject(CPen* pPen)
{
    return pPen ? CPen::FromHandle(static_cast<HPEN>(::SelectObject(m_hDC, pPen->m_hObject))) : nullptr;
}

CBrush* CDC::SelectObject(CBrush* pBrush)
{
    return pBrush ? CBrush::FromHandle(static_cast<HBRUSH>(::SelectObject(m_hDC, pBrush->m_hObject))) : nullptr;
}

CFont* CDC::SelectObject(CFont* pFont)
{
    return pFont ? CFont::FromHandle(static_cast<HFONT>(::SelectObject(m_hDC, pFont->m_hObject))) : nullptr;
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap)
{
    return pBitmap ? CBitmap::FromHandle(static_cast<HBITMAP>(::SelectObject(m_hDC, pBitmap->m_hObject))) : nullptr;
}

int CDC::SelectObject(CRgn* pRgn)
{
    return ::SelectClipRgn(m_hDC, pRgn ? static_cast<HRGN>(*pRgn) : nullptr);
}

CGdiObject* CDC::SelectStockObject(int nIndex)
{
    HGDIOBJ hStock = ::GetStockObject(nIndex);
    return hStock ? CGdiObject::FromHandle(::SelectObject(m_hDC, hStock)) : nullptr;
}

int CDC::SaveDC()
{
    return ::SaveDC(m_hDC);
}

BOOL CDC::RestoreDC(int nSavedDC)
{
    return ::RestoreDC(m_hDC, nSavedDC);
}

CPoint CDC::MoveTo(int x, int y)
{
    POINT old{};
    ::MoveToEx(m_hDC, x, y, &old);
    return old;
}

void CDC::FillSolidRect(const RECT* pRect, COLORREF cr)
{
    ::SetBkColor(m_hDC, cr);
    ::ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, pRect, nullptr, 0, nullptr);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF cr)
{
    const RECT r{x, y, x + cx, y + cy};
    FillSolidRect(&r, cr);
}

BOOL CDC::BitBlt(int x, int y, int cx, int cy, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop)
{
    return ::BitBlt(m_hDC, x, y, cx, cy, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, dwRop);
}

BOOL CDC::StretchBlt(int x, int y, int cx, int cy, CDC* pSrcDC, int xSrc, int ySrc, int cxSrc, int cySrc,
                     DWORD dwRop)
{
    return ::StretchBlt(m_hDC, x, y, cx, cy, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, cxSrc, cySrc, dwRop);
}

CSize CDC::GetTextExtent(const wchar_t* pszText, int nCount) const
{
    SIZE size{};
    if (pszText && nCount > 0)
        ::GetTextExtentPoint32W(m_hAttribDC, pszText, nCount, &size);
    return size;
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr)
{
    if (m_hWnd)
        BindBorrowed(::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC()
{
    UnbindBorrowed();
    if (m_hWnd)
        ::EndPaint(m_hWnd, &m_ps);
}

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr), m_hWindowDC(::GetWindowDC(m_hWnd))
{
    BindBorrowed(m_hWindowDC);
}

CWindowDC::~CWindowDC()
{
    UnbindBorrowed();
    if (m_hWindowDC)
        ::ReleaseDC(m_hWnd, m_hWindowDC);
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr), m_hClientDC(::GetDC(m_hWnd))
{
    BindBorrowed(m_hClientDC);
}

CClientDC::~CClientDC()
{
    UnbindBorrowed();
    if (m_hClientDC)
        ::ReleaseDC(m_hWnd, m_hClientDC);
}

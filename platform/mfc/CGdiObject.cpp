#include "platform/mfc/CGdiObject.h"

#include "platform/mfc/AfxHandleMaps.h"
#include "platform/mfc/AfxState.h"

#include <utility>

IMPLEMENT_DYNAMIC(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)

namespace {

// Stock objects and the system colour brushes: the system keeps them, so a wrapper only borrows them.
bool IsSystemObject(HGDIOBJ h)
{
    for (int i = WHITE_BRUSH; i <= DC_PEN; ++i)
        if (::GetStockObject(i) == h)
            return true;
    if (::GetObjectType(h) != OBJ_BRUSH)
        return false;
    for (int i = COLOR_SCROLLBAR; i <= COLOR_MENUBAR; ++i)
        if (::GetSysColorBrush(i) == h)
            return true;
    return false;
}

// The wrapper class for what the handle is now.
const CRuntimeClass* WrapperClassFor(HGDIOBJ h)
{
    switch (::GetObjectType(h)) {
    case OBJ_PEN:
    case OBJ_EXTPEN: return RUNTIME_CLASS(CPen);
    case OBJ_BRUSH: return RUNTIME_CLASS(CBrush);
    case OBJ_FONT: return RUNTIME_CLASS(CFont);
    case OBJ_BITMAP: return RUNTIME_CLASS(CBitmap);
    case OBJ_REGION: return RUNTIME_CLASS(CRgn);
    default: return RUNTIME_CLASS(CGdiObject);
    }
}

}  // namespace

CGdiObject* CGdiObject::NewTemporary(HGDIOBJ hObject)
{
    const CRuntimeClass* pClass = WrapperClassFor(hObject);
    CGdiObject* p = nullptr;
    if (pClass == RUNTIME_CLASS(CPen))
        p = new CPen;
    else if (pClass == RUNTIME_CLASS(CBrush))
        p = new CBrush;
    else if (pClass == RUNTIME_CLASS(CFont))
        p = new CFont;
    else if (pClass == RUNTIME_CLASS(CBitmap))
        p = new CBitmap;
    else if (pClass == RUNTIME_CLASS(CRgn))
        p = new CRgn;
    else
        p = new CGdiObject;
    p->m_hObject = hObject;
    p->m_hold = AfxHandleHold::Temporary;
    return p;
}

void CGdiObject::DeleteTemporary(CGdiObject* pObject)
{
    pObject->m_hObject = nullptr;  // not ours to delete
    pObject->m_hold = AfxHandleHold::None;
    delete pObject;
}

bool CGdiObject::TemporaryFits(const CGdiObject* pObject, HGDIOBJ hObject)
{
    return pObject->GetRuntimeClass() == WrapperClassFor(hObject);
}

CHandleMap<CGdiObject, HGDIOBJ>& afxMapHGDIOBJ()
{
    // Never destroyed: objects with static storage may still unbind at exit (see AfxState.cpp).
    thread_local auto* pMap = afxNewHandleMap<CGdiObject, HGDIOBJ>(
        &CGdiObject::NewTemporary, &CGdiObject::DeleteTemporary, &CGdiObject::TemporaryFits);
    return *pMap;
}

CGdiObject::~CGdiObject()
{
    if (m_hold != AfxHandleHold::Temporary)
        DeleteObject();
}

CGdiObject::CGdiObject(CGdiObject&& other) noexcept : CObject(other)
{
    *this = std::move(other);
}

CGdiObject& CGdiObject::operator=(CGdiObject&& other) noexcept
{
    if (this == &other || m_hold == AfxHandleHold::Temporary)
        return *this;
    DeleteObject();
    const AfxHandleHold hold = other.m_hold;
    if (HGDIOBJ h = other.Detach()) {
        if (hold == AfxHandleHold::Owner)
            Attach(h);
        else
            AttachBorrowed(h);
    }
    return *this;
}

template <class T>
T* CGdiObject::FromHandleAs(HGDIOBJ hObject)
{
    return afxMapHGDIOBJ().FromHandle<T>(hObject, afxInDispatch());
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ hObject)
{
    return FromHandleAs<CGdiObject>(hObject);
}

CGdiObject* CGdiObject::FromHandlePermanent(HGDIOBJ hObject)
{
    return afxMapHGDIOBJ().LookupPermanent(hObject);
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (!hObject || m_hObject || m_hold == AfxHandleHold::Temporary)
        return FALSE;
    if (IsSystemObject(hObject))
        return AttachBorrowed(hObject);
    if (!afxMapHGDIOBJ().SetPermanent(hObject, this))
        return FALSE;
    m_hObject = hObject;
    m_hold = AfxHandleHold::Owner;
    return TRUE;
}

BOOL CGdiObject::AttachCreated(HGDIOBJ hNew)
{
    if (!hNew)
        return FALSE;
    if (m_hold == AfxHandleHold::Temporary || !afxMapHGDIOBJ().SetPermanent(hNew, this)) {
        ::DeleteObject(hNew);
        return FALSE;
    }
    DeleteObject();  // what this wrapper held before
    m_hObject = hNew;
    m_hold = AfxHandleHold::Owner;
    return TRUE;
}

BOOL CGdiObject::AttachBorrowed(HGDIOBJ hObject)
{
    if (!hObject || m_hold == AfxHandleHold::Temporary)
        return FALSE;
    DeleteObject();
    m_hObject = hObject;
    m_hold = AfxHandleHold::Borrower;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ h = m_hObject;
    if (m_hold == AfxHandleHold::Temporary)
        return h;
    if (h && m_hold == AfxHandleHold::Owner)
        afxMapHGDIOBJ().RemovePermanent(h, this);
    m_hObject = nullptr;
    m_hold = AfxHandleHold::None;
    return h;
}

BOOL CGdiObject::DeleteObject()
{
    if (m_hold == AfxHandleHold::Temporary)
        return FALSE;
    const bool bOwned = m_hold == AfxHandleHold::Owner;
    HGDIOBJ h = Detach();
    if (!h)
        return FALSE;
    return bOwned ? ::DeleteObject(h) : TRUE;
}

int CGdiObject::GetObject(int nCount, void* pObject) const
{
    return m_hObject ? ::GetObjectW(m_hObject, nCount, pObject) : 0;
}

UINT CGdiObject::GetObjectType() const
{
    return m_hObject ? static_cast<UINT>(::GetObjectType(m_hObject)) : 0;
}

BOOL CGdiObject::CreateStockObject(int nIndex)
{
    return AttachBorrowed(::GetStockObject(nIndex));
}

CPen* CPen::FromHandle(HPEN hPen)
{
    return FromHandleAs<CPen>(hPen);
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor)
{
    return AttachCreated(::CreatePen(nPenStyle, nWidth, crColor));
}

CBrush* CBrush::FromHandle(HBRUSH hBrush)
{
    return FromHandleAs<CBrush>(hBrush);
}

BOOL CBrush::CreateSolidBrush(COLORREF crColor)
{
    return AttachCreated(::CreateSolidBrush(crColor));
}

BOOL CBrush::CreateSysColorBrush(int nIndex)
{
    return AttachBorrowed(::GetSysColorBrush(nIndex));
}

CFont* CFont::FromHandle(HFONT hFont)
{
    return FromHandleAs<CFont>(hFont);
}

BOOL CFont::CreateFontIndirect(const LOGFONTW* pLogFont)
{
    return pLogFont ? AttachCreated(::CreateFontIndirectW(pLogFont)) : FALSE;
}

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                       BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                       BYTE nQuality, BYTE nPitchAndFamily, const wchar_t* pszFacename)
{
    return AttachCreated(::CreateFontW(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic, bUnderline, cStrikeOut,
                                nCharSet, nOutPrecision, nClipPrecision, nQuality, nPitchAndFamily, pszFacename));
}

int CFont::GetLogFont(LOGFONTW* pLogFont) const
{
    return GetObject(sizeof(LOGFONTW), pLogFont);
}

CBitmap* CBitmap::FromHandle(HBITMAP hBitmap)
{
    return FromHandleAs<CBitmap>(hBitmap);
}

BOOL CBitmap::LoadBitmap(UINT nIDResource)
{
    return AttachCreated(::LoadBitmapW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nIDResource)));
}

BOOL CBitmap::LoadBitmap(const wchar_t* pszResourceName)
{
    return AttachCreated(::LoadBitmapW(AfxGetResourceHandle(), pszResourceName));
}

BOOL CBitmap::CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* pBits)
{
    return AttachCreated(::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, pBits));
}

BOOL CBitmap::CreateCompatibleBitmap(HDC hDC, int nWidth, int nHeight)
{
    return AttachCreated(::CreateCompatibleBitmap(hDC, nWidth, nHeight));
}

int CBitmap::GetBitmap(BITMAP* pBitMap) const
{
    return GetObject(sizeof(BITMAP), pBitMap);
}

CRgn* CRgn::FromHandle(HRGN hRgn)
{
    return FromHandleAs<CRgn>(hRgn);
}

BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2)
{
    return AttachCreated(::CreateRectRgn(x1, y1, x2, y2));
}

BOOL CRgn::CreateRectRgnIndirect(const RECT* pRect)
{
    return pRect ? AttachCreated(::CreateRectRgnIndirect(pRect)) : FALSE;
}

BOOL CRgn::CreateEllipticRgn(int x1, int y1, int x2, int y2)
{
    return AttachCreated(::CreateEllipticRgn(x1, y1, x2, y2));
}

BOOL CRgn::CreatePolygonRgn(const POINT* pPoints, int nCount, int nMode)
{
    return AttachCreated(::CreatePolygonRgn(pPoints, nCount, nMode));
}

void CRgn::SetRectRgn(int x1, int y1, int x2, int y2)
{
    ::SetRectRgn(*this, x1, y1, x2, y2);
}

int CRgn::CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode)
{
    return ::CombineRgn(*this, pRgn1 ? static_cast<HRGN>(*pRgn1) : nullptr, pRgn2 ? static_cast<HRGN>(*pRgn2) : nullptr,
                        nCombineMode);
}

int CRgn::CopyRgn(const CRgn* pRgnSrc)
{
    return CombineRgn(pRgnSrc, nullptr, RGN_COPY);
}

int CRgn::OffsetRgn(int x, int y)
{
    return ::OffsetRgn(*this, x, y);
}

BOOL CRgn::PtInRegion(int x, int y) const
{
    return ::PtInRegion(*this, x, y);
}

BOOL CRgn::EqualRgn(const CRgn* pRgn) const
{
    return pRgn ? ::EqualRgn(*this, *pRgn) : FALSE;
}

int CRgn::GetRgnBox(RECT* pRect) const
{
    return ::GetRgnBox(*this, pRect);
}

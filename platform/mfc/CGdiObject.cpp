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

// A temporary wrapper of the class that matches the object type of the handle.
CGdiObject* NewTempObject(HGDIOBJ h)
{
    CGdiObject* p = nullptr;
    switch (::GetObjectType(h)) {
    case OBJ_PEN:
    case OBJ_EXTPEN: p = new CPen; break;
    case OBJ_BRUSH: p = new CBrush; break;
    case OBJ_FONT: p = new CFont; break;
    case OBJ_BITMAP: p = new CBitmap; break;
    case OBJ_REGION: p = new CRgn; break;
    default: p = new CGdiObject; break;
    }
    p->m_hObject = h;
    return p;
}

void DeleteTempObject(CGdiObject* p)
{
    p->m_hObject = nullptr;  // not ours to delete
    delete p;
}

}  // namespace

CHandleMap<CGdiObject, HGDIOBJ>& afxMapHGDIOBJ()
{
    // Never destroyed: objects with static storage may still unbind at exit (see AfxState.cpp).
    thread_local auto* pMap = afxNewHandleMap<CGdiObject, HGDIOBJ>(NewTempObject, DeleteTempObject);
    return *pMap;
}

CGdiObject::~CGdiObject()
{
    DeleteObject();
}

CGdiObject::CGdiObject(CGdiObject&& other) noexcept : CObject(other)
{
    *this = std::move(other);
}

CGdiObject& CGdiObject::operator=(CGdiObject&& other) noexcept
{
    if (this != &other) {
        DeleteObject();
        if (HGDIOBJ h = other.Detach())
            Attach(h);
    }
    return *this;
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ hObject)
{
    return afxMapHGDIOBJ().FromHandle(hObject, afxInDispatch());
}

CGdiObject* CGdiObject::FromHandlePermanent(HGDIOBJ hObject)
{
    return afxMapHGDIOBJ().LookupPermanent(hObject);
}

template <class T>
T* CGdiObject::FromHandleAs(HGDIOBJ hObject)
{
    if (!hObject)
        return nullptr;
    auto& map = afxMapHGDIOBJ();
    if (T* p = dynamic_cast<T*>(map.LookupPermanent(hObject)))
        return p;
    if (CGdiObject* pTemp = map.LookupTemporary(hObject)) {
        if (T* p = dynamic_cast<T*>(pTemp))
            return p;
        // The handle value was reused for another kind of object since its wrapper was made.
        map.RemoveTemporary(hObject);
    }
    return dynamic_cast<T*>(map.FromHandle(hObject, afxInDispatch()));
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (!hObject || m_hObject)
        return FALSE;
    if (!afxMapHGDIOBJ().SetPermanent(hObject, this))
        return FALSE;
    m_hObject = hObject;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ h = m_hObject;
    if (h)
        afxMapHGDIOBJ().RemovePermanent(h, this);
    m_hObject = nullptr;
    return h;
}

BOOL CGdiObject::DeleteObject()
{
    HGDIOBJ h = Detach();
    return h ? ::DeleteObject(h) : FALSE;
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
    return Attach(::GetStockObject(nIndex));
}

CPen* CPen::FromHandle(HPEN hPen)
{
    return FromHandleAs<CPen>(hPen);
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor)
{
    return Attach(::CreatePen(nPenStyle, nWidth, crColor));
}

CBrush* CBrush::FromHandle(HBRUSH hBrush)
{
    return FromHandleAs<CBrush>(hBrush);
}

BOOL CBrush::CreateSolidBrush(COLORREF crColor)
{
    return Attach(::CreateSolidBrush(crColor));
}

BOOL CBrush::CreateSysColorBrush(int nIndex)
{
    return Attach(::GetSysColorBrush(nIndex));
}

CFont* CFont::FromHandle(HFONT hFont)
{
    return FromHandleAs<CFont>(hFont);
}

BOOL CFont::CreateFontIndirect(const LOGFONTW* pLogFont)
{
    return pLogFont ? Attach(::CreateFontIndirectW(pLogFont)) : FALSE;
}

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                       BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                       BYTE nQuality, BYTE nPitchAndFamily, const wchar_t* pszFacename)
{
    return Attach(::CreateFontW(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic, bUnderline, cStrikeOut,
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
    return Attach(::LoadBitmapW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nIDResource)));
}

BOOL CBitmap::LoadBitmap(const wchar_t* pszResourceName)
{
    return Attach(::LoadBitmapW(AfxGetResourceHandle(), pszResourceName));
}

BOOL CBitmap::CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* pBits)
{
    return Attach(::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, pBits));
}

BOOL CBitmap::CreateCompatibleBitmap(HDC hDC, int nWidth, int nHeight)
{
    return Attach(::CreateCompatibleBitmap(hDC, nWidth, nHeight));
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
    return Attach(::CreateRectRgn(x1, y1, x2, y2));
}

BOOL CRgn::CreateRectRgnIndirect(const RECT* pRect)
{
    return pRect ? Attach(::CreateRectRgnIndirect(pRect)) : FALSE;
}

BOOL CRgn::CreateEllipticRgn(int x1, int y1, int x2, int y2)
{
    return Attach(::CreateEllipticRgn(x1, y1, x2, y2));
}

BOOL CRgn::CreatePolygonRgn(const POINT* pPoints, int nCount, int nMode)
{
    return Attach(::CreatePolygonRgn(pPoints, nCount, nMode));
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

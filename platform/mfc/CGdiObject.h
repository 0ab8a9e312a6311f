#pragma once
// GDI object wrappers. How each holds its handle is explicit (AfxHandleHold, see HandleHold.h):
//   - an owner made its object (Create…, LoadBitmap) or was given it (Attach) and deletes it when it
//     goes or lets go; Create… on an owner that holds an object replaces it (the new object is made
//     first, the old one deleted once that worked);
//   - a borrower holds a stock object or a system colour brush (CreateStockObject,
//     CreateSysColorBrush, or Attach of such a handle) and never deletes it;
//   - FromHandle gives the object that owns a handle, else a temporary wrapper that never deletes
//     and takes no other handle (see HandleMap.h for how long temporaries live).
// Owners and borrowers are move-only.
#include "platform/mfc/CObject.h"
#include "platform/mfc/HandleHold.h"

template <class T, class H>
class CHandleMap;

class CGdiObject : public CObject {
    DECLARE_DYNAMIC(CGdiObject)
public:
    CGdiObject() = default;
    ~CGdiObject() override;
    CGdiObject(CGdiObject&& other) noexcept;
    // Lets go of what this object holds (deleting it when owned) and takes over how other held its
    // handle; a temporary's handle is borrowed. Assigning to a temporary wrapper changes nothing.
    CGdiObject& operator=(CGdiObject&& other) noexcept;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    HGDIOBJ m_hObject = nullptr;

    static CGdiObject* FromHandle(HGDIOBJ hObject);
    static CGdiObject* FromHandlePermanent(HGDIOBJ hObject);

    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    operator HGDIOBJ() const { return m_hObject; }  // NOLINT: as in MFC
    AfxHandleHold GetHold() const { return m_hold; }

    // Takes ownership of hObject (a stock object or system colour brush is borrowed instead). FALSE
    // when this object holds a handle or is a temporary, or another object owns hObject.
    BOOL Attach(HGDIOBJ hObject);
    // Gives the handle up without deleting it. A temporary wrapper only returns it and stays bound.
    HGDIOBJ Detach();
    // Lets go of the handle, deleting the object when this wrapper owns it. FALSE without a handle,
    // when the deletion fails, and for a temporary wrapper (which keeps its handle).
    BOOL DeleteObject();
    int GetObject(int nCount, void* pObject) const;
    UINT GetObjectType() const;
    // Borrows the stock object: never deleted, and any number of wrappers may hold it.
    BOOL CreateStockObject(int nIndex);

protected:
    // A wrapper of the most specific class for the handle's object type (pen, brush, ...).
    template <class T>
    static T* FromHandleAs(HGDIOBJ hObject);
    // Takes an object that a Create… call has just made (null when that failed) as its owner, in
    // place of what this wrapper held; a temporary wrapper deletes the new object again and fails.
    BOOL AttachCreated(HGDIOBJ hNew);
    // Holds hObject without owning it, in place of what this wrapper held.
    BOOL AttachBorrowed(HGDIOBJ hObject);

private:
    friend CHandleMap<CGdiObject, HGDIOBJ>& afxMapHGDIOBJ();
    static CGdiObject* NewTemporary(HGDIOBJ hObject);
    static void DeleteTemporary(CGdiObject* pObject);
    static bool TemporaryFits(const CGdiObject* pObject, HGDIOBJ hObject);

    AfxHandleHold m_hold = AfxHandleHold::None;
};

class CPen : public CGdiObject {
    DECLARE_DYNAMIC(CPen)
public:
    CPen() = default;
    CPen(int nPenStyle, int nWidth, COLORREF crColor) { CreatePen(nPenStyle, nWidth, crColor); }
    CPen(CPen&&) noexcept = default;
    CPen& operator=(CPen&&) noexcept = default;
    static CPen* FromHandle(HPEN hPen);
    operator HPEN() const { return static_cast<HPEN>(m_hObject); }  // NOLINT
    BOOL CreatePen(int nPenStyle, int nWidth, COLORREF crColor);
};

class CBrush : public CGdiObject {
    DECLARE_DYNAMIC(CBrush)
public:
    CBrush() = default;
    explicit CBrush(COLORREF crColor) { CreateSolidBrush(crColor); }
    CBrush(CBrush&&) noexcept = default;
    CBrush& operator=(CBrush&&) noexcept = default;
    static CBrush* FromHandle(HBRUSH hBrush);
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }  // NOLINT
    BOOL CreateSolidBrush(COLORREF crColor);
    // Borrows the system's brush of the colour: never deleted.
    BOOL CreateSysColorBrush(int nIndex);
};

class CFont : public CGdiObject {
    DECLARE_DYNAMIC(CFont)
public:
    CFont() = default;
    CFont(CFont&&) noexcept = default;
    CFont& operator=(CFont&&) noexcept = default;
    static CFont* FromHandle(HFONT hFont);
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }  // NOLINT
    BOOL CreateFontIndirect(const LOGFONTW* pLogFont);
    BOOL CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                    BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                    BYTE nQuality, BYTE nPitchAndFamily, const wchar_t* pszFacename);
    int GetLogFont(LOGFONTW* pLogFont) const;
};

class CBitmap : public CGdiObject {
    DECLARE_DYNAMIC(CBitmap)
public:
    CBitmap() = default;
    CBitmap(CBitmap&&) noexcept = default;
    CBitmap& operator=(CBitmap&&) noexcept = default;
    static CBitmap* FromHandle(HBITMAP hBitmap);
    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }  // NOLINT
    // From the resource module (AfxGetResourceHandle).
    BOOL LoadBitmap(UINT nIDResource);
    BOOL LoadBitmap(const wchar_t* pszResourceName);
    BOOL CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* pBits);
    BOOL CreateCompatibleBitmap(HDC hDC, int nWidth, int nHeight);
    int GetBitmap(BITMAP* pBitMap) const;
};

class CRgn : public CGdiObject {
    DECLARE_DYNAMIC(CRgn)
public:
    CRgn() = default;
    CRgn(CRgn&&) noexcept = default;
    CRgn& operator=(CRgn&&) noexcept = default;
    static CRgn* FromHandle(HRGN hRgn);
    operator HRGN() const { return static_cast<HRGN>(m_hObject); }  // NOLINT
    BOOL CreateRectRgn(int x1, int y1, int x2, int y2);
    BOOL CreateRectRgnIndirect(const RECT* pRect);
    BOOL CreateEllipticRgn(int x1, int y1, int x2, int y2);
    BOOL CreatePolygonRgn(const POINT* pPoints, int nCount, int nMode);
    void SetRectRgn(int x1, int y1, int x2, int y2);
    // this := combination of the two regions (RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF, RGN_COPY).
    int CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode);
    int CopyRgn(const CRgn* pRgnSrc);
    int OffsetRgn(int x, int y);
    BOOL PtInRegion(int x, int y) const;
    BOOL EqualRgn(const CRgn* pRgn) const;
    int GetRgnBox(RECT* pRect) const;
};

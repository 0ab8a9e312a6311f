#pragma once
// Device contexts: CDC owns a memory DC it created or was given (DeleteDC); CPaintDC, CWindowDC and
// CClientDC borrow theirs and end it the way it was obtained (EndPaint, ReleaseDC with the window);
// FromHandle's temporary wrappers never end theirs (see HandleHold.h). None can be copied.
#include "platform/mfc/AfxTypes.h"
#include "platform/mfc/CGdiObject.h"
#include "platform/mfc/HandleHold.h"

class CWnd;

class CDC : public CObject {
    DECLARE_DYNAMIC(CDC)
public:
    CDC() = default;
    ~CDC() override;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC m_hDC = nullptr;
    HDC m_hAttribDC = nullptr;

    static CDC* FromHandle(HDC hDC);
    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }  // NOLINT: as in MFC
    AfxHandleHold GetHold() const { return m_hold; }

    // Takes ownership: the DC is deleted with DeleteDC unless detached first. FALSE when this object
    // holds a DC or is a temporary, or another object owns hDC.
    BOOL Attach(HDC hDC);
    // Gives the DC up without deleting it. A temporary wrapper only returns it and stays bound; a
    // paint or window DC is still ended by its object.
    HDC Detach();
    // A memory DC owned by this object, in place of the one it owned before. FALSE (and nothing
    // made) for a borrowed or temporary DC.
    BOOL CreateCompatibleDC(CDC* pDC);
    // Deletes an owned DC. FALSE for a borrowed or temporary one, which stays as it is.
    BOOL DeleteDC();

    // Selection; the previous object comes back as a (possibly temporary) wrapper.
    CPen* SelectObject(CPen* pPen);
    CBrush* SelectObject(CBrush* pBrush);
    CFont* SelectObject(CFont* pFont);
    CBitmap* SelectObject(CBitmap* pBitmap);
    int SelectObject(CRgn* pRgn);
    CGdiObject* SelectStockObject(int nIndex);
    int SaveDC();
    BOOL RestoreDC(int nSavedDC);

    int SetBkMode(int nBkMode) { return ::SetBkMode(m_hDC, nBkMode); }
    int GetBkMode() const { return ::GetBkMode(m_hAttribDC); }
    COLORREF SetBkColor(COLORREF cr) { return ::SetBkColor(m_hDC, cr); }
    COLORREF GetBkColor() const { return ::GetBkColor(m_hAttribDC); }
    COLORREF SetTextColor(COLORREF cr) { return ::SetTextColor(m_hDC, cr); }
    COLORREF GetTextColor() const { return ::GetTextColor(m_hAttribDC); }
    COLORREF SetDCPenColor(COLORREF cr) { return ::SetDCPenColor(m_hDC, cr); }
    COLORREF SetDCBrushColor(COLORREF cr) { return ::SetDCBrushColor(m_hDC, cr); }

    CPoint MoveTo(int x, int y);
    BOOL LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
    COLORREF SetPixel(int x, int y, COLORREF cr) { return ::SetPixel(m_hDC, x, y, cr); }
    BOOL SetPixelV(int x, int y, COLORREF cr) { return ::SetPixelV(m_hDC, x, y, cr); }
    COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }

    // Fills with ExtTextOut, which leaves cr as the DC's background colour (as MFC's does).
    void FillSolidRect(const RECT* pRect, COLORREF cr);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF cr);
    void FillRect(const RECT* pRect, CBrush* pBrush) { ::FillRect(m_hDC, pRect, *pBrush); }
    void FrameRect(const RECT* pRect, CBrush* pBrush) { ::FrameRect(m_hDC, pRect, *pBrush); }
    BOOL FillRgn(CRgn* pRgn, CBrush* pBrush) { return ::FillRgn(m_hDC, *pRgn, *pBrush); }
    BOOL DrawEdge(RECT* pRect, UINT nEdge, UINT nFlags) { return ::DrawEdge(m_hDC, pRect, nEdge, nFlags); }
    BOOL DrawIconEx(int x, int y, HICON hIcon, int cx, int cy, UINT nFlags)
    {
        return ::DrawIconEx(m_hDC, x, y, hIcon, cx, cy, 0, nullptr, nFlags);
    }
    BOOL BitBlt(int x, int y, int cx, int cy, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop);
    BOOL StretchBlt(int x, int y, int cx, int cy, CDC* pSrcDC, int xSrc, int ySrc, int cxSrc, int cySrc,
                    DWORD dwRop);

    int DrawText(const wchar_t* pszText, int nCount, RECT* pRect, UINT nFormat)
    {
        return ::DrawTextW(m_hDC, pszText, nCount, pRect, nFormat);
    }
    BOOL TextOut(int x, int y, const wchar_t* pszText, int nCount) { return ::TextOutW(m_hDC, x, y, pszText, nCount); }
    // Measured on the attribute DC, as MFC does.
    CSize GetTextExtent(const wchar_t* pszText, int nCount) const;
    BOOL GetTextMetrics(TEXTMETRICW* pMetrics) const { return ::GetTextMetricsW(m_hAttribDC, pMetrics); }
    int GetClipBox(RECT* pRect) const { return ::GetClipBox(m_hDC, pRect); }
    int GetDeviceCaps(int nIndex) const { return ::GetDeviceCaps(m_hAttribDC, nIndex); }

protected:
    // Binds a DC that this object does not delete (derived forms release it their own way).
    void BindBorrowed(HDC hDC);
    void UnbindBorrowed();

private:
    friend CHandleMap<CDC, HDC>& afxMapHDC();
    static CDC* NewTemporary(HDC hDC);
    static void DeleteTemporary(CDC* pDC);

    AfxHandleHold m_hold = AfxHandleHold::None;
};

class CPaintDC : public CDC {
    DECLARE_DYNAMIC(CPaintDC)
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps{};

protected:
    HWND m_hWnd;
};

// The DC of the whole window, non-client area included (GetWindowDC).
class CWindowDC : public CDC {
    DECLARE_DYNAMIC(CWindowDC)
public:
    explicit CWindowDC(CWnd* pWnd);
    ~CWindowDC() override;

protected:
    HWND m_hWnd;
    HDC m_hWindowDC;  // released at the end even when the DC was detached
};

class CClientDC : public CDC {
    DECLARE_DYNAMIC(CClientDC)
public:
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;

protected:
    HWND m_hWnd;
    HDC m_hClientDC;  // released at the end even when the DC was detached
};

// The one select-and-restore guard: selects an object into a DC and selects the previous one back
// when it goes out of scope. ok() says whether the selection happened; nothing is selected (nor
// restored) for a null DC or object, for a bitmap that another DC holds, and for a region, which
// SelectObject copies into the clip region without handing back a previous object (save the DC with
// CSaveDCGuard instead). Declare it after the object it selects, so the object is deselected before
// it is deleted.
class CSelectGuard {
public:
    CSelectGuard(HDC hDC, HGDIOBJ hObject) : m_hDC(hDC), m_hOld(Select(hDC, hObject)) {}
    ~CSelectGuard()
    {
        if (m_hOld)
            ::SelectObject(m_hDC, m_hOld);
    }
    CSelectGuard(const CSelectGuard&) = delete;
    CSelectGuard& operator=(const CSelectGuard&) = delete;

    bool ok() const { return m_hOld != nullptr; }

private:
    static HGDIOBJ Select(HDC hDC, HGDIOBJ hObject)
    {
        if (!hDC || !hObject || ::GetObjectType(hObject) == OBJ_REGION)
            return nullptr;
        HGDIOBJ hOld = ::SelectObject(hDC, hObject);
        return hOld == HGDI_ERROR ? nullptr : hOld;
    }

    HDC m_hDC;
    HGDIOBJ m_hOld;
};

// Saves the whole DC state (modes, colours, selections) and restores it when it goes out of scope.
class CSaveDCGuard {
public:
    explicit CSaveDCGuard(HDC hDC) : m_hDC(hDC), m_nSaved(hDC ? ::SaveDC(hDC) : 0) {}
    ~CSaveDCGuard()
    {
        if (m_nSaved)
            ::RestoreDC(m_hDC, m_nSaved);
    }
    CSaveDCGuard(const CSaveDCGuard&) = delete;
    CSaveDCGuard& operator=(const CSaveDCGuard&) = delete;

private:
    HDC m_hDC;
    int m_nSaved;
};

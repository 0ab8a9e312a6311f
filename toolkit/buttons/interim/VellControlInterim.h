#pragma once
// STAND-IN, to be deleted: the part of the control property interface, control text layout and
// property exchange that the bitmap buttons use, until the real ones are on this branch. Names and
// signatures follow the real interface so that ButtonControlBase.h is the only line to change.
#include "platform/mfc/CWnd.h"
#include "toolkit/controls/BitmapAllocator.h"

#include <vector>

class CPropExchange {
public:
    virtual ~CPropExchange() = default;
    virtual BOOL IsLoading() const = 0;
    // Stores or loads one value; on loading a missing name gives the default.
    virtual BOOL ExchangeLong(const wchar_t* pszName, long& nValue, long nDefault) = 0;
};

BOOL PX_Bool(CPropExchange* pPX, const wchar_t* pszName, BOOL& bValue, BOOL bDefault);
BOOL PX_Long(CPropExchange* pPX, const wchar_t* pszName, long& nValue, long nDefault);

class CVellControl {
public:
    explicit CVellControl(CWnd* pOwner);
    virtual ~CVellControl();
    CVellControl(const CVellControl&) = delete;
    CVellControl& operator=(const CVellControl&) = delete;

    virtual BOOL GetUseAmbientFont() { return m_bUseAmbientFont; }
    virtual void SetUseAmbientFont(BOOL b) { if (b != m_bUseAmbientFont) { m_bUseAmbientFont = b; Redraw(); } }
    virtual BOOL GetUseAmbientForeColor() { return m_bUseAmbientForeColor; }
    virtual void SetUseAmbientForeColor(BOOL b) { if (b != m_bUseAmbientForeColor) { m_bUseAmbientForeColor = b; Redraw(); } }
    virtual BOOL GetUseAmbientBackColor() { return m_bUseAmbientBackColor; }
    virtual void SetUseAmbientBackColor(BOOL b) { if (b != m_bUseAmbientBackColor) { m_bUseAmbientBackColor = b; Redraw(); } }
    virtual void SetAmbientBackColor(COLORREF clr) { m_clrAmbientBack = clr; Redraw(); }
    virtual void SetAmbientForeColor(COLORREF clr) { m_clrAmbientFore = clr; Redraw(); }
    virtual LOGFONTW* GetFont(LOGFONTW* pLogFont);
    virtual void SetFontSize(int nHeight, int nWeight);
    virtual CString& GetTextRef() { return m_strText; }
    virtual COLORREF GetForeColor() { return m_clrFore; }
    virtual void SetForeColor(COLORREF clr) { m_clrFore = clr; Redraw(); }
    virtual COLORREF GetBackColor() { return m_clrBack; }
    virtual void SetBackColor(COLORREF clr) { m_clrBack = clr; Redraw(); }
    virtual BOOL GetEnabled() { return m_bEnabled; }
    virtual void SetEnabled(BOOL b) { m_bEnabled = b; EnableWindowIfExists(b); Redraw(); }
    virtual COLORREF GetKeyingColor() { return m_clrKeying; }
    virtual void SetKeyingColor(COLORREF clr) { m_clrKeying = clr; Redraw(); }
    virtual int GetUseFocus() { return m_nUseFocus; }
    virtual void SetUseFocus(int n) { m_nUseFocus = n; Redraw(); }
    virtual BOOL UpdateFocusCue(int nItemAction, BOOL bMouseDown);
    virtual BOOL HasFocus();
    virtual BOOL GetSingleLine() { return m_bSingleLine; }
    virtual BOOL Create(UINT nID, const RECT* pRect, CWnd* pParent) = 0;
    virtual BOOL SetStyles(DWORD* pStyle, DWORD* pExStyle);
    virtual void SetText(const wchar_t* pszText) { m_strText = pszText ? pszText : L""; Redraw(); }
    virtual void ExchangeProperties(CPropExchange* pPX);
    virtual void Redraw();
    virtual void GetClientRect(RECT* pRect) { ::GetClientRect(OwnerHwnd(), pRect); }
    virtual BOOL AttachDlgItem(UINT nID, CWnd* pParent) = 0;
    virtual BOOL AttachDlgItemOfClass(UINT nID, CWnd* pParent, const wchar_t* pszClass);
    virtual void EnableWindowIfExists(BOOL b) { if (WindowExists()) ::EnableWindow(OwnerHwnd(), b); }
    virtual BOOL WindowExists() { return ::IsWindow(OwnerHwnd()); }
    virtual BOOL CanLoadBitmaps() { return TRUE; }
    virtual COLORREF GetColor(int nIndex);
    virtual void SetColorTable(const std::vector<COLORREF>& colors) { m_colorTable = colors; }
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    virtual BOOL SetControlBitmap(UINT nId);
    virtual CBitmap* GetControlBitmap(UINT nId);
    virtual BOOL GetControlBitmapSize(UINT nId, SIZE* pSize);
    virtual COLORREF SetBitmapKeyingColor(UINT nId, COLORREF clr);
    virtual BOOL HasControlBitmap(UINT nId);
    virtual BOOL BitmapHitTest(UINT nId, POINT* pPoint);
    virtual int BuildBitmapRegion(UINT nId, BOOL bForce);

protected:
    HWND OwnerHwnd() const { return m_pOwner ? m_pOwner->m_hWnd : nullptr; }

    CWnd* m_pOwner;
    int m_nRedrawLock = 0;
    LOGFONTW m_logFont{};
    LOGFONTW m_ambientFont{};
    std::vector<COLORREF> m_colorTable;
    BOOL m_bShowFocus = FALSE;
    BOOL m_bEnabled = TRUE;
    BOOL m_bUseAmbientFont = TRUE;
    BOOL m_bUseAmbientForeColor = TRUE;
    BOOL m_bUseAmbientBackColor = TRUE;
    BOOL m_bRedrawControl = TRUE;
    BOOL m_bSingleLine = TRUE;
    COLORREF m_clrFore = RGB(0, 0, 0);
    COLORREF m_clrBack = RGB(161, 177, 204);
    COLORREF m_clrKeying = RGB(255, 0, 255);
    COLORREF m_clrAmbientBack = RGB(120, 139, 169);
    COLORREF m_clrAmbientFore = RGB(235, 238, 243);
    int m_nUseFocus = 1;
    CString m_strText;
};

BOOL DrawControlText(const CString& strText, CDC* pDC, RECT rect, int nHorzAlign, int nVertAlign, BOOL bSingleLine,
                     BOOL bMarker, BOOL bEnabled, COLORREF clrDisabled);
void DrawDottedRect(CDC* pDC, const RECT* pRect, BOOL bDotFirstPixel, COLORREF clr);

#pragma once
// The property interface of every toolkit control: the second base of each control class, next to its
// MFC window class (see VellControlWnd.h, which joins the two). It keeps the control's colours,
// palettes, fonts, focus cue, text, tool tip and number and date formats, persists them by name,
// answers the painter's colour and font questions, puts the control in the place of a dialog item and
// forwards bitmap requests to the shared bitmap store.
//
// Every window operation acts on the owner window; property setters work before that window exists
// and take effect at its first paint. Nothing here reports an error: a failed system call or a bad
// argument leaves the operation to carry on with what remains.
#include "platform/mfc/CGdiObject.h"
#include "platform/mfc/CString.h"
#include "platform/mfc/CToolTipCtrl.h"
#include "platform/mfc/CWnd.h"

#include <memory>
#include <vector>

#include <oleauto.h>
#include <oleidl.h>

class CPropExchange;
class CVellAmbient;
class CVellLocalization;

using CVellColorList = std::vector<COLORREF>;

class CVellControl {
public:
    // Colour indices of GetColor besides palette and table entries.
    static constexpr int kEffectiveBack = -1;
    static constexpr int kEffectiveFore = -2;
    // Palettes of SetPalette.
    static constexpr int kActivePalette = 0;
    static constexpr int kInactivePalette = 1;
    static constexpr int kDisabledPalette = 2;
    static constexpr COLORREF kTipBackColor = RGB(222, 231, 254);
    static constexpr COLORREF kTipTextColor = RGB(0, 0, 0);

    // pOwner is the control's own window object (normally the control itself); it is not owned.
    explicit CVellControl(CWnd* pOwner);
    virtual ~CVellControl() = 0;
    CVellControl(const CVellControl&) = delete;
    CVellControl& operator=(const CVellControl&) = delete;

    virtual BOOL GetUseAmbientFont();
    virtual void SetUseAmbientFont(BOOL bValue);
    virtual BOOL GetUseAmbientForeColor();
    virtual void SetUseAmbientForeColor(BOOL bValue);
    virtual BOOL GetUseAmbientBackColor();
    virtual void SetUseAmbientBackColor(BOOL bValue);
    virtual void SetAmbientBackColor(COLORREF clr);
    virtual void SetAmbientForeColor(COLORREF clr);
    virtual void SetAmbientFont(CFont* pFont);
    // The ambient font when "UseAmbientFont" is on, else the control's own.
    virtual LOGFONTW* GetFont(LOGFONTW* pLogFont);
    virtual void SetFont(CFont* pFont);
    // A negative height becomes -8.
    virtual void SetFontSize(int nHeight, int nWeight);
    // Forces the cue for the next focus decisions; TRUE also gives the window the keyboard focus (only
    // when the window exists: before that, the thread's focus is left alone).
    virtual void SetFocusCue(BOOL bForce);
    virtual CString& GetTextRef();
    virtual COLORREF GetForeColor();
    virtual void SetForeColor(COLORREF clr);
    virtual COLORREF GetBackColor();
    virtual void SetBackColor(COLORREF clr);
    virtual BOOL GetContainerValidate();
    virtual void SetContainerValidate(BOOL bValue);
    virtual BOOL GetEnabled();
    virtual void SetEnabled(BOOL bValue);
    virtual COLORREF GetKeyingColor();
    virtual void SetKeyingColor(COLORREF clr);
    virtual int GetUseFocus();
    virtual void SetUseFocus(int nValue);
    // nItemAction is the owner-draw request's itemAction (ODA_SELECT, ODA_FOCUS, ...): whether the
    // painter draws the focus cue now.
    virtual BOOL UpdateFocusCue(int nItemAction, BOOL bMouseDown);
    virtual BOOL HasFocus();
    // A new BSTR that the caller frees (null when OLE automation is not available).
    virtual BSTR GetToolTip();
    virtual void SetToolTip(const wchar_t* pszText);
    virtual BOOL GetUsePalette();
    virtual void SetUsePalette(BOOL bValue);
    virtual BOOL GetBuildInactiveFromActivePalette();
    virtual void SetBuildInactiveFromActivePalette(BOOL bValue);
    virtual BOOL GetBuildDisabledFromActivePalette();
    virtual void SetBuildDisabledFromActivePalette(BOOL bValue);
    virtual BOOL GetSingleLine();
    virtual void SetSingleLine(BOOL bValue);
    virtual long GetStringId();
    virtual void SetStringId(long nId);
    virtual void SetInactive(BOOL bValue);
    virtual BOOL GetInactive();
    virtual BOOL GetRedrawControl();
    virtual void SetRedrawControl(BOOL bValue);
    // Creates the control's window as a child of pParent at pRect (parent client coordinates).
    virtual BOOL Create(UINT nID, const RECT* pRect, CWnd* pParent) = 0;
    // Places the window right after pAfter, then pBefore right after the window (each when given).
    virtual BOOL SetZOrder(CWnd* pAfter, CWnd* pBefore);
    // Replaces all styles and extended styles; the dialog control id is kept.
    virtual BOOL SetStyles(DWORD* pStyle, DWORD* pExStyle);
    // Replaces palette nWhich (0 active, 1 inactive, 2 disabled; others change nothing); redraws.
    virtual void SetPalette(int nWhich, CVellColorList colors);
    virtual void SetText(const wchar_t* pszText);
    // A new BSTR that the caller frees (null when OLE automation is not available).
    virtual BSTR GetText();
    // Loads or saves the persisted properties by name, every row even after a failed one.
    virtual void ExchangeProperties(CPropExchange* pPX);
    // Invalidates the whole window (with erase) unless a Redraw is already running, the window does
    // not exist or "RedrawControl" is off.
    virtual void Redraw();
    virtual BOOL CheckDlgItemClass(UINT nID, CWnd* pParent, const wchar_t* pszClassName);
    virtual void MoveTo(const RECT* pRect);
    virtual void GetClientRect(RECT* pRect);
    virtual void GetWindowRect(RECT* pRect);
    virtual void Show(int nCmdShow);
    // Takes over the parent's dialog item nID.
    virtual BOOL AttachDlgItem(UINT nID, CWnd* pParent) = 0;
    // The dialog control id when the text is wider than the client width less twice nMargin, with the
    // whole text and its longest fitting start; else -1 and both strings empty.
    virtual int SplitTextToFit(CString& strFull, CString& strFitted, int nMargin);
    // Subclasses the parent's dialog item nID when it exists and has the window class pszClassName;
    // whether it did.
    virtual BOOL AttachDlgItemOfClass(UINT nID, CWnd* pParent, const wchar_t* pszClassName);
    // Creates the control in the place of the parent's dialog item nID (same rectangle, same place in
    // the tab order, same enabled state) and destroys the item. FALSE, with the item kept, when the
    // item is missing or of another class or the control could not be created.
    virtual BOOL ReplaceDlgItem(UINT nID, CWnd* pParent, const wchar_t* pszClassName);
    virtual void EnableWindowIfExists(BOOL bEnable);
    virtual BOOL WindowExists();
    virtual BOOL CanLoadBitmaps();
    // A colour of the palette of the current state (disabled, inactive or active).
    virtual COLORREF GetPaletteColor(int nIndex);
    // kEffectiveBack, kEffectiveFore, or a palette entry ("UsePalette") or colour table entry.
    virtual COLORREF GetColor(int nIndex);
    virtual void SetColorTable(const CVellColorList& colors);
    // The time as text: the locale's when bUseLocale, else hh, hh:mm or hh:mm:ss (precision 0, 1, 2)
    // with "  AM"/"  PM" unless b24Hour. "" for an invalid time.
    virtual CString& FormatTime(CString& out, short nHour, short nMinute, short nSecond, int nPrecision,
                                BOOL bUseLocale, BOOL b24Hour);
    // The date as text: the locale's (short or long) when bUseLocale, else mm-dd-yyyy, dd-mm-yyyy or
    // yyyy-mm-dd (order 0, 1, 2). "" for an invalid date or another order.
    virtual CString& FormatDate(CString& out, short nDay, short nMonth, short nYear, int nOrder, BOOL bUseLocale,
                                BOOL bShortFormat);
    virtual void SetNumberGrouping(int nGrouping);
    virtual NUMBERFMTW* GetNumberFormatInfo(NUMBERFMTW* pFormat);
    virtual int GetLocaleGrouping();
    // A negative count takes the locale's; returns the stored count.
    virtual int SetNumberDigits(int nDigits);
    virtual BOOL AdjustHostStyles(DWORD* pStyle, DWORD* pExStyle);
    // Hands the owner window's mouse messages to the tool tip; always FALSE, so the window still
    // handles them.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual CFont* GetDefaultFont();
    virtual BOOL SetControlBitmap(UINT nId);
    virtual CBitmap* GetControlBitmap(UINT nId);
    virtual BOOL GetControlBitmapSize(UINT nId, SIZE* pSize);
    virtual COLORREF SetBitmapKeyingColor(UINT nId, COLORREF clr);
    virtual BOOL HasControlBitmap(UINT nId);
    virtual BOOL BitmapHitTest(UINT nId, POINT* pPoint);
    virtual int BuildBitmapRegion(UINT nId, BOOL bForce);
    virtual int CopyBitmapRegion(UINT nId, CRgn* pRgn);

    // The owner's window has just been bound to it (created or subclassed): a tool tip set before is
    // registered now. VellControlWnd.h calls this.
    void OnOwnerWindowBound();
    // The owner's window is going (WM_NCDESTROY): its tool goes with it.
    void OnOwnerWindowDestroying();
    CToolTipCtrl& GetToolTipCtrl() { return m_toolTip; }

protected:
    // Holds the redraw nesting lock for a scope (also when the scope is left by an exception).
    class CRedrawLock {
    public:
        explicit CRedrawLock(CVellControl& control) : m_control(control) { ++m_control.m_nRedrawLock; }
        ~CRedrawLock() { --m_control.m_nRedrawLock; }
        CRedrawLock(const CRedrawLock&) = delete;
        CRedrawLock& operator=(const CRedrawLock&) = delete;
        // The nesting depth including this lock.
        int Depth() const { return m_control.m_nRedrawLock; }

    private:
        CVellControl& m_control;
    };

    HWND OwnerHwnd() const { return m_pOwner ? m_pOwner->m_hWnd : nullptr; }
    // Registers, updates or removes the tool of the owner window for m_strToolTip.
    void ApplyToolTip();
    // The colour table's entry; the effective fore colour when there is none at that index.
    COLORREF TableColor(int nIndex);

    CWnd* m_pOwner;
    int m_nRedrawLock = 0;
    CToolTipCtrl m_toolTip;
    IOleWindow* m_pHostWindow = nullptr;
    LOGFONTW m_logFont{};
    std::unique_ptr<CVellAmbient> m_pAmbient;
    std::unique_ptr<CVellLocalization> m_pLocalization;
    CVellColorList m_activePalette;
    CVellColorList m_inactivePalette;
    CVellColorList m_disabledPalette;
    CVellColorList m_colorTable;
    BOOL m_bShowFocus = FALSE;
    BOOL m_bFocusForced = FALSE;
    BOOL m_bContainerValidate = FALSE;
    BOOL m_bEnabled = TRUE;
    BOOL m_bInactive = FALSE;
    BOOL m_bUseAmbientFont = TRUE;
    BOOL m_bUseAmbientForeColor = TRUE;
    BOOL m_bUseAmbientBackColor = TRUE;
    BOOL m_bUsePalette = FALSE;
    BOOL m_bBuildInactiveFromActivePalette = TRUE;
    BOOL m_bBuildDisabledFromActivePalette = TRUE;
    BOOL m_bRedrawControl = TRUE;
    BOOL m_bSingleLine = TRUE;
    COLORREF m_clrFore = RGB(0, 0, 0);
    COLORREF m_clrBack = RGB(161, 177, 204);
    COLORREF m_clrKeying = RGB(255, 0, 255);
    COLORREF m_clrAmbientBack = RGB(120, 139, 169);
    COLORREF m_clrAmbientFore = RGB(235, 238, 243);
    int m_nUseFocus = 1;
    CString m_strToolTip;
    CString m_strText;
    NUMBERFMTW m_numberFormat{};
    CString m_strDecimalSep;
    CString m_strThousandSep;
};

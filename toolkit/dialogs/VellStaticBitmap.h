#pragma once
// A static control that paints a picture from the resources with a transparent (keying) colour over
// a background colour, can alternate between a main and an alternate picture on a timer, and tells
// its parent about clicks and double clicks with WM_NOTIFY (NM_CLICK, NM_DBLCLK).
//
// All painting goes through Paint(HDC), for WM_PAINT and WM_PRINTCLIENT alike.
#include "platform/mfc/CStatic.h"
#include "platform/mfc/CToolTipCtrl.h"
#include "toolkit/controls/Ambient.h"

class CVellStaticBitmap : public CStatic {
    DECLARE_DYNAMIC(CVellStaticBitmap)
public:
    // The style bits every picture control gets when it is bound to its window.
    static constexpr DWORD kPictureStyleBits = 0x000F;
    static constexpr COLORREF kCreatedBackColor = RGB(21, 59, 99);  // navy, for controls made by Create
    static constexpr COLORREF kTipBackColor = RGB(222, 231, 254);
    static constexpr COLORREF kTipTextColor = RGB(36, 54, 102);

    CVellStaticBitmap() = default;
    ~CVellStaticBitmap() override = default;

    // Shows bitmap resource nMainId (0: keep the current one) and sizes the control to it at its
    // current position; nAltId is the picture the timer alternates with (0: none). Returns whether
    // the main picture could be loaded.
    BOOL SetBitmap(UINT nMainId, UINT nAltId);

    // The whole paint of the control into hDC, whose origin is the control's client origin.
    virtual void Paint(HDC hDC);
    // The picture alone: the shown bitmap over m_clrBack, or m_clrBack where there is none.
    void PaintPicture(HDC hDC);

    // Mouse messages go to the tool tip first (when it exists).
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The tip shows the toolkit's default font, which lives while an ambient object does: this one
    // keeps it for as long as the tip (declared after it, so gone before it) can use it.
    CVellAmbient m_fontReference;
    CToolTipCtrl m_toolTip;  // created only by Create, not when a dialog item is subclassed
    CString m_strToolTip;
    CBitmap m_bmpMain;
    CBitmap m_bmpAlt;
    HBITMAP m_hShown = nullptr;  // the picture painted now: m_bmpMain's, m_bmpAlt's or none
    COLORREF m_clrTransparent = RGB(255, 0, 255);
    COLORREF m_clrBack = RGB(80, 101, 138);
    UINT m_nTimerId = 0;  // the alternation timer; nothing in the toolkit starts it
    UINT m_nBitmapId = 0;

protected:
    void PreSubclassWindow() override;
    // Sends the parent WM_NOTIFY with nCode for this control.
    void NotifyParent(int nCode);

    int OnCreate(LPCREATESTRUCTW pCreateStruct);
    void OnPaint();
    LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    void OnTimer(UINT_PTR nIDEvent);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
};

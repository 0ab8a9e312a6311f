#pragma once
// The toolkit's own frame and caption for a top-level window. Attached while the window is being
// created, the hook removes the system caption, reserves its own margins (4 pixels, 23 on top with a
// caption), paints the whole non-client area (border, frame fill, caption band with icon and texts,
// and a group of tab-like caption buttons hanging from the top edge), does its own hit testing and
// runs the caption buttons with mouse capture. Everything else is handed on unchanged.
//
// Coordinates are window coordinates (origin at the window's top-left corner) unless said otherwise.
// "Style" is the window's style together with the caption bits saved at installation.
#include "toolkit/style/SubclassWnd.h"

class CVellStyleWindowHook : public CSubclassWnd {
    DECLARE_DYNAMIC(CVellStyleWindowHook)
public:
    static constexpr int kMargin = 4;
    static constexpr int kCaptionMargin = 23;
    static constexpr int kCaptionBottom = 19;
    static constexpr int kCloseWidth = 42;
    static constexpr int kButtonWidth = 25;
    static constexpr int kButtonHeight = 16;
    static constexpr int kIconSize = 16;
    static constexpr int kCornerZone = 23;

    CVellStyleWindowHook();
    ~CVellStyleWindowHook() override = default;

    // Saves the window's caption bits, removes WS_CAPTION from it and attaches the hook.
    void Install(CWnd* pWnd);

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    virtual void DrawCaptionButtons(CDC* pDC);
    virtual void DrawCaptionText(const RECT& rect, CDC* pDC);
    virtual void DrawSecondaryText(const RECT& rect, CDC* pDC);
    // Repaints the whole non-client area; the region is not used.
    virtual void OnNcPaint(HRGN hRgn);
    // The whole non-client paint into a DC whose origin is the window's top-left corner (the window
    // DC, or a DC handed over with WM_PRINT).
    void PaintNonClient(CDC* pDC);
    // Records the activation state and repaints the frame; WM_NCACTIVATE comes here after its
    // default handling, which is kept from painting the system's frame.
    virtual BOOL OnNcActivate(BOOL bActive);
    virtual LRESULT OnSetText(const wchar_t* pszText);
    // Copies the caption into the buffer, terminated, like WM_GETTEXT: at most nSize - 1
    // characters; returns the number copied.
    virtual int OnGetText(wchar_t* pszBuffer, int nSize);
    virtual void OnSettingChange();
    virtual LRESULT OnNcHitTest(int x, int y);
    virtual LRESULT OnNcMouseMove(UINT nHitTest, int x, int y);
    virtual LRESULT OnNcLButtonUp(UINT nHitTest, int x, int y);
    virtual LRESULT OnNcLButtonDown(UINT nHitTest, int x, int y);
    virtual CString GetCaption() const;
    virtual int CopyCaption(wchar_t* pszBuffer, int nSize);
    virtual void SetSecondaryCaption(const wchar_t* pszText);
    virtual CString GetSecondaryCaption() const;
    virtual int CopySecondaryCaption(wchar_t* pszBuffer, int nSize);

    // The caption band: (4, 4, width - 4, 19) with a caption or a system menu, else empty.
    CRect CaptionRect() const;
    // Where the caption texts go: after the icon, before the first caption button.
    CRect CaptionTextRect() const;
    // The part under a screen point: a caption button, the system icon, the caption, a resize
    // edge or corner, or 0.
    UINT HitTestParts(POINT ptScreen) const;
    // The window's style with the saved caption bits.
    DWORD EffectiveStyle() const;
    // The menu bar of a top-level window, or null: only windows with a menu get a menu-bar row.
    HMENU MenuBar() const;
    // The menu-bar row below the caption (window coordinates); empty without a menu bar.
    CRect MenuBarRect() const;
    // Paints the menu bar row: the toolkit's navy, and every item drawn by its owner (WM_DRAWITEM).
    void PaintMenuBar(CDC* pDC);

    DWORD m_dwSavedCaption = 0;
    BOOL m_bActive = FALSE;
    UINT m_nPressedPart = 0;
    UINT m_nHotPart = 0;
    CRect m_rcIcon;
    CRect m_rcHelp;
    CRect m_rcMinimize;
    CRect m_rcMaximize;
    CRect m_rcClose;
    CString m_strCaption;
    CString m_strSecondary;
    int m_nMenuBarHeight = 0;  // height of the menu-bar row as last laid out
    int m_nMenuBarWidth = -1;  // window width the menu bar was laid out for

protected:
    // Lays the caption buttons out for the current style (all -1 when there are none).
    void LayoutCaptionButtons();
    void DrawCaptionButtonFace(CDC* pDC, CRect rcFace, UINT nState, int nCorners);
    void DrawButtonGroupOutline(CDC* pDC, const RECT& rcGroup);
    // Caption bits back while the default handling runs, so maximising works as for a captioned
    // window; removed again afterwards.
    LRESULT PassOnWithCaption();
    // WM_PRINT with PRF_NONCLIENT: our frame into the DC, then the client parts as usual.
    LRESULT PrintWithFrame(HDC hDC, LPARAM nFlags);
    void RedrawCaptionButtons();
    HICON SmallIcon() const;
    bool IsDialogWindow() const;
    bool HasWholeCaption() const { return (EffectiveStyle() & WS_CAPTION) == WS_CAPTION; }
    CSize WindowSize() const;
    int TextWidth(CDC* pDC, const CString& str) const;
    // Has the system lay the menu bar's items out in our row for a window nWidth wide (the
    // owner measures owner-drawn items); returns the row's height.
    int LayOutMenuBar(int nWidth);
    int ContentTop() const { return (EffectiveStyle() & WS_CAPTION) ? kCaptionMargin : kMargin; }
    // Arial bold with the caption band's height as cell height.
    void CreateCaptionFont(CFont& font) const;
};

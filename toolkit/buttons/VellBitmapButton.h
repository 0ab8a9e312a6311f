#pragma once
// The toolkit's owner-drawn button: one picture per visual state with a transparent keying colour,
// or a bevelled frame with an optional centred picture; clicks count only on the visible pixels of
// the picture (or on a check box's caption). It tells its parent about clicks, presses and check
// changes with the messages below.
//
// The work is split by job: VellBitmapButton.cpp (creation, properties, messages), ButtonLayout.cpp
// (size, regions, hit testing), ButtonPaint.cpp (drawing) and ButtonInput.cpp (mouse, keyboard,
// notifications).
#include "platform/mfc/CButton.h"
#include "toolkit/buttons/ButtonControlBase.h"
#include "toolkit/style/DrawFrame.h"

// Notifications to the parent: wParam is the button's control id.
inline constexpr UINT WM_VELLBUTTON_CLICK = WM_USER + 20;  // lParam 0
inline constexpr UINT WM_VELLBUTTON_PRESS = WM_USER + 21;  // lParam 1 pressed, 0 released
inline constexpr UINT WM_VELLBUTTON_CHECK = WM_USER + 22;  // lParam the new check state
// The check notification again, to the optional second receiver (m_hNotifyWnd).
inline constexpr UINT WM_VELLBUTTON_CHECK_RELAY = WM_USER + 23;

class CVellBitmapButton : public CVellControlWnd<CButton> {
    DECLARE_DYNAMIC(CVellBitmapButton)
public:
    enum ButtonStyle { StylePush = 0, StyleCheck = 1, StylePressRelease = 2, StyleCheckBox = 3, StyleCheckBox2 = 4 };
    enum PictureKind {
        KindUp = 0, KindDown, KindSelected, KindRollover, KindDisabled, KindDisabledAndSelected,
        KindDownAndSelected, KindIntermediate
    };
    static constexpr UINT kDefaultPictureDisabled = 2006;
    static constexpr UINT kDefaultPictureSelected = 2009;
    static constexpr UINT kDefaultPictureUp = 2010;
    static constexpr UINT kDefaultPictureDisabledAndSelected = 2012;

    // pOwner: the window object of the property interface; null means the button itself.
    explicit CVellBitmapButton(CWnd* pOwner = nullptr);
    ~CVellBitmapButton() override;

    // Creation always makes an owner-drawn child "BUTTON", visible, whatever style is asked for.
    BOOL Create(UINT nID, const RECT* pRect, CWnd* pParent) override;
    BOOL Create(const wchar_t* pszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    BOOL Create(const wchar_t* pszClassName, const wchar_t* pszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nID) override;
    // Takes over a dialog's button item and makes it an owner-drawn tab stop.
    BOOL AttachDlgItem(UINT nID, CWnd* pParent) override;

    void SetKeyingColor(COLORREF clr) override;
    void ExchangeProperties(CPropExchange* pPX) override;
    void Redraw() override;
    void DrawItem(LPDRAWITEMSTRUCT pDrawItemStruct) override;

    void SetButtonStyle(int nStyle);
    int GetButtonStyle() const { return m_nButtonStyle; }
    void SetUseDrawFrame(BOOL bUse);
    BOOL GetUseDrawFrame() const { return m_bUseDrawFrame; }
    void SetUseAllButtonRegions(BOOL bUse);
    BOOL GetUseAllButtonRegions() const { return m_bUseAllButtonRegions; }
    // Picture ids: 0, and anything outside 1..65535, mean no picture.
    void SetPictureUp(UINT nId);
    void SetPictureDown(UINT nId);
    void SetPictureSelected(UINT nId);
    void SetPictureDownAndSelected(UINT nId);
    void SetPictureIntermediate(UINT nId);
    void SetPictureRollover(UINT nId);
    void SetPictureDisabled(UINT nId);
    void SetPictureDisabledAndSelected(UINT nId);
    void SetPictureFrame(UINT nId);
    UINT GetPictureUp() const { return m_nPictureUp; }
    UINT GetPictureFrame() const { return m_nPictureFrame; }
    void SetShiftText(int nShift);
    int GetShiftText() const { return m_nShiftText; }
    // 0 cleared, 1 checked, 2 indeterminate; no notification.
    void SetCheck(int nCheck);
    int GetCheck() const { return m_nCheck; }

    // The picture id of a kind (PictureKind); 0 for any other kind.
    UINT GetPictureForKind(int nKind) const;
    // Whether a point (client coordinates) is on the button's hit area.
    BOOL HitTestButton(POINT point);
    // Where the picture's top-left corner is drawn (check-box styles with a caption sit 2 pixels lower).
    CPoint PictureOrigin();
    // The caption rectangle of the check-box styles as of the last paint; empty otherwise.
    const CRect& GetTextRect() const { return m_rcText; }
    BOOL IsPressed() const { return (m_bMouseDown && m_bHover) || m_bKeyDown; }
    BOOL IsCheckStyle() const { return IsCheckStyle(m_nButtonStyle); }
    static BOOL IsCheckStyle(int nStyle) { return nStyle == StyleCheck || IsCheckBoxStyle(nStyle); }
    static BOOL IsCheckBoxStyle(int nStyle) { return nStyle == StyleCheckBox || nStyle == StyleCheckBox2; }

    HWND m_hNotifyWnd = nullptr;

protected:
    DECLARE_MESSAGE_MAP()

    void PreSubclassWindow() override;

    // Layout (ButtonLayout.cpp).
    void UpdateLayout();
    void ApplyKeyingColor();
    void BuildRegions();
    void SetupFrames(const CRect& rc);

    // Painting (ButtonPaint.cpp).
    void PaintButton(CDC* pDC, const CRect& rc);
    void DrawPicture(CDC* pDC, const CRect& rcPicture);
    void DrawFramedButton(CDC* pDC, const CRect& rc);
    void DrawFocusCue(CDC* pDC, const CRect& rc);

    // Input (ButtonInput.cpp).
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    LRESULT OnKeyUp(WPARAM wParam, LPARAM lParam);
    void OnKillFocus(CWnd* pNewWnd);
    void OnSetFocus(CWnd* pOldWnd);
    LRESULT OnCaptureChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnEnable(WPARAM wParam, LPARAM lParam);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSize(UINT nType, int cx, int cy);
    LRESULT OnSetCheckMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetCheckMessage(WPARAM wParam, LPARAM lParam);

    BOOL FinishKeyPress();
    void EndMouseHold();
    void ReleaseMouse();
    void ToggleCheck();
    void RepaintNow();
    BOOL HasRollover() const { return m_nPictureRollover != 0; }
    // The notifications; FALSE when the receiver destroyed the button.
    BOOL NotifyClick();
    BOOL NotifyPress();
    BOOL NotifyCheck();
    BOOL StillAlive(HWND hWnd) const;

    CVellDrawFrame m_frameNormal{1};
    CVellDrawFrame m_frameChecked{1};
    CVellDrawFrame m_frameDisabled{0};
    CVellDrawFrame m_framePressed{1};
    CVellDrawFrame m_frameDisabledChecked{0};
    int m_nCheck = 0;
    CRect m_rcText;
    CRect m_rcCreate;
    BOOL m_bMouseDown = FALSE;
    BOOL m_bHover = FALSE;
    BOOL m_bKeyDown = FALSE;
    BOOL m_bPressNotified = FALSE;
    BOOL m_bUseAllButtonRegions = FALSE;
    BOOL m_bUseDrawFrame = TRUE;
    BOOL m_bCreated = FALSE;
    int m_nButtonStyle = StylePush;
    UINT m_nPictureDisabled = kDefaultPictureDisabled;
    UINT m_nPictureDown = 0;
    UINT m_nPictureDownAndSelected = 0;
    UINT m_nPictureIntermediate = 0;
    UINT m_nPictureSelected = kDefaultPictureSelected;
    UINT m_nPictureDisabledAndSelected = kDefaultPictureDisabledAndSelected;
    UINT m_nPictureUp = kDefaultPictureUp;
    UINT m_nPictureRollover = 0;
    UINT m_nPictureFrame = 0;
    int m_nShiftText = 5;
    int m_nShownKind = KindUp;
};

#pragma once
// The host that makes a Qt widget an ordinary control of a dialog. A concrete control derives from
// this class and from a Qt widget class at once, so one object is the MFC window, the toolkit control
// and the widget, over one native window: the widget's own, which the host takes over (subclassing),
// turns into a child window and places where a dialog item was.
//
// Order a concrete control keeps: construct the host, then the widget base without a parent (Qt makes
// a top-level window), then AttachWidget from the constructor; place it with ReplaceDlgItem, Create
// or CreatePopup; set properties at any time. Its destructor calls DestroyHostWindow first, while the
// whole object still exists: the window's last messages reach a complete control.
//
// A Qt application object must exist before the first control is constructed; the host makes none.
#include "platform/qt/QPalette.h"
#include "toolkit/controls/VellControlWnd.h"

#include <vector>

class QFrame;
class QWidget;

using CVellQColorList = std::vector<QColor>;

class CVellQTControl : public CVellControlWnd<CWnd> {
    DECLARE_DYNAMIC(CVellQTControl)
public:
    // Colour table entries (the 17 defaults of BuildDefaultColorTable).
    enum ColorEntry {
        kClrBackground, kClrForeground, kClrBase, kClrText, kClrButton, kClrButtonText, kClrLight,
        kClrMidlight, kClrDark, kClrMid, kClrShadow, kClrHighlight, kClrHighlightedText, kClrBrightText,
        kClrDisabledBack, kClrDisabledFore, kClrDisabledButtonText, kColorTableSize
    };
    // Longest name SetName keeps (characters, without the terminator); longer names are cut.
    static constexpr int kMaxNameLength = 79;

    explicit CVellQTControl(CWnd* pOwner = nullptr);
    ~CVellQTControl() override;

    // A top-level tool window owned by pOwner, at pRect (screen coordinates).
    virtual BOOL CreatePopup(const RECT* pRect, CWnd* pOwner);
    // Where notifications go: the parent window, or the owner window while there is no parent.
    virtual CWnd* GetNotifyWindow();
    virtual void SetOwnerWindow(CWnd* pOwner);
    virtual void SetDisabledForeColor(COLORREF clr);
    virtual void SetDisabledBackColor(COLORREF clr);
    virtual BOOL IsWidgetVisible();
    // 1 raised, 2 sunken, any other plain; the frame's shape stays.
    virtual void SetFrameShadow(int nKind);
    virtual void SetMouseTracking(BOOL bTrack);
    virtual BOOL HasMouseTracking();
    // 0 Tab, 1 click, 2 strong, 3 wheel, 4 no focus (others as 2), with the focus cue that goes with it.
    virtual void SetFocusMode(int nMode);
    // Object name and window text, with every "." made "_"; at most kMaxNameLength characters.
    virtual void SetName(const wchar_t* pszName);
    virtual QWidget* GetWidget() = 0;
    virtual QFrame* GetFrame();
    virtual void ApplyPalette();
    virtual void AttachWidget();
    virtual void InitColors();
    virtual void BuildDefaultColorTable();
    virtual void SetActiveColorGroup(const CVellQColorList& colors);
    virtual void SetInactiveColorGroup(const CVellQColorList& colors);
    virtual void SetDisabledColorGroup(const CVellQColorList& colors);
    virtual void ApplyFont();
    virtual QColor GetAdjustedQColor(int nMode);
    virtual COLORREF GetAdjustedColor(int nMode);
    virtual void RepaintWidget(UINT message);
    virtual UINT GetDlgCode();

    // CVellControl, for the widget.
    void SetAmbientBackColor(COLORREF clr) override;
    void SetAmbientForeColor(COLORREF clr) override;
    void SetForeColor(COLORREF clr) override;
    void SetBackColor(COLORREF clr) override;
    void SetEnabled(BOOL bValue) override;
    void SetUseFocus(int nValue) override;
    // The window exists already: it becomes a visible Tab stop child of pParent at pRect.
    BOOL Create(UINT nID, const RECT* pRect, CWnd* pParent) override;
    using CVellControlWnd<CWnd>::Create;
    BOOL SetStyles(DWORD* pStyle, DWORD* pExStyle) override;
    // Palette and font onto the widget, unless a redraw is already applying them.
    void Redraw() override;
    // Moves the window itself and tells the widget afterwards (posted move and resize events).
    void MoveTo(const RECT* pRect) override;
    void Show(int nCmdShow) override;
    // Puts the existing window where the dialog item nID was and destroys the item. FALSE, with
    // nothing changed, when the window, the parent or the item is missing.
    BOOL ReplaceDlgItem(UINT nID, CWnd* pParent, const wchar_t* pszClassName) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    BOOL GetColorsReady() const { return m_bColorsReady; }
    const QPalette& GetQPalette() const { return m_palette; }

protected:
    DECLARE_MESSAGE_MAP()
    UINT OnGetDlgCode();
    void OnDestroy();

    // Destroys the window while the whole control still exists; the first step of every concrete
    // control's destructor.
    void DestroyHostWindow();
    // The colour list of ApplyPalette (14 entries; 17 for the disabled group).
    CVellQColorList ActiveColorList();
    CVellQColorList DisabledColorList(CVellQColorList colors);
    // A default-constructed group with the roles of the active and inactive groups set from colors.
    static QColorGroup BuildNormalGroup(const CVellQColorList& colors, bool bWithBackground);
    // The disabled group from 17 colours; nHighlight is the entry that gives its Highlight role.
    static QColorGroup BuildDisabledGroup(const CVellQColorList& colors, int nHighlight);

    QPalette m_palette;
    CWnd* m_pOwnerWnd = nullptr;
    BOOL m_bColorsReady = FALSE;
};

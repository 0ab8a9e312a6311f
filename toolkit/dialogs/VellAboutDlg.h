#pragma once
// The toolkit's about dialog: the application's picture filling the dialog, with its title and
// product version, a status line, the legal line and the file version drawn on top, framed by the
// toolkit's window border. The about form closes on any key or mouse button; the splash form
// (CVellSplashDlg) ignores them. The whole dialog drags like a caption.
#include "toolkit/dialogs/VellStaticBitmap.h"
#include "toolkit/style/VellDialog.h"

class CVellAboutDlg : public CVellDialog {
    DECLARE_DYNAMIC(CVellAboutDlg)
public:
    // The picture control of the dialog, with the texts drawn over the picture.
    class CAboutBitmap : public CVellStaticBitmap {
    public:
        static constexpr int kSmallFontHeight = 16;
        static constexpr int kLargeFontHeight = 24;
        static constexpr int kFontWeight = 300;
        static constexpr int kTextLeft = 18;   // left margin of the texts
        static constexpr int kTextRight = 18;  // the version ends this far from the right edge
        static constexpr COLORREF kTitleColor = RGB(255, 255, 255);
        static constexpr COLORREF kStatusColor = RGB(0, 0, 0);
        static constexpr COLORREF kLegalColor = RGB(21, 59, 99);

        // Where the texts go in a client rectangle rc; the version's rectangle also needs the
        // version's width in the small font.
        static CRect TitleRect(const CRect& rc) { return CRect(kTextLeft, 62, rc.right, 86); }
        static CRect StatusRect(const CRect& rc) { return CRect(kTextLeft, rc.bottom - 42, rc.right, rc.bottom - 26); }
        static CRect LegalRect(const CRect& rc) { return CRect(kTextLeft, rc.bottom - 20, rc.right, rc.bottom + 4); }
        static CRect VersionRect(const CRect& rc, int nTextWidth)
        {
            return CRect(rc.right - nTextWidth - kTextRight, rc.bottom - 20, rc.right, rc.bottom + 4);
        }

        // Reads the running executable's version resource into the texts and shows the picture.
        void Init(const CString& strTitle, BOOL bAbout);
        // Stores the status line and has the whole control repainted (erasing first).
        void SetStatus(const CString& strStatus);

        void Paint(HDC hDC) override;
        // The four texts alone, over whatever hDC holds.
        void PaintTexts(HDC hDC);

        BOOL m_bAbout = FALSE;  // input handling on: the about form
        CString m_strTitle;     // caption, a blank and the product version
        CString m_strStatus;
        CString m_strLegal;
        CString m_strVersion;  // "(" file version ")"
        BOOL m_bModuleListOpen = FALSE;

    protected:
        // SS_NOTIFY as well, so the control receives the mouse clicks.
        void PreSubclassWindow() override;
        // Ctrl+M or Ctrl+minus in the about form: the module list, modal, owned by the form.
        virtual void OpenModuleList();
        void CloseParent();

        void OnLButtonDown(UINT nFlags, CPoint point);
        void OnRButtonDown(UINT nFlags, CPoint point);
        void OnMButtonDown(UINT nFlags, CPoint point);
        void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
        DECLARE_MESSAGE_MAP()
    };

    // Does not create the window: DoModal or Create does.
    CVellAboutDlg(CWnd* pParentWnd, const wchar_t* pszCaption);
    ~CVellAboutDlg() override;

    // The status line of the picture (stored, whole picture invalidated with erasing); the
    // caller updates the window when it wants the text on screen at once.
    void SetStatus(const CString& strStatus) { m_bitmap.SetStatus(strStatus); }

    // The toolkit's window border over the whole window; hDC's origin is the window's top-left corner.
    void PaintBorder(HDC hDC);

    CAboutBitmap m_bitmap;
    CString m_strCaption;
    BOOL m_bSplash = FALSE;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // The dialog's client area takes the picture's size, so no strip of dialog background shows
    // beside the picture.
    void FitToPicture();

    void OnPaint();
    LRESULT OnNcHitTest(CPoint point);
    DECLARE_MESSAGE_MAP()
};

#pragma once
// The base of every toolkit dialog: a styled window that places itself on the right monitor, shows
// a pre-release marker after its caption, announces itself to the host's main window with
// WM_DIALOGSTACK, can take the application's title into its caption, and ends when it receives
// message 0x4A0.
#include "toolkit/style/VellWindowStyle.h"

class CVellDialog : public CVellWindowStyle<CDialog> {
    DECLARE_DYNAMIC(CVellDialog)
public:
    static constexpr UINT kEndFromOutside = WM_USER + 160;  // ends the dialog with kEndResult
    static constexpr int kEndResult = 0x4A1;
    static constexpr UINT kAppTitleLength = WM_APP + 14;    // to the main window: length of its title
    static constexpr UINT kAppTitle = WM_APP + 13;          // to the main window: (size, buffer) -> title

    explicit CVellDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CVellDialog() override;

    // Places the dialog centred on its parent (cascaded by 30 pixels on a toolkit dialog) or on
    // the desktop, inside the monitor, and leaves it hidden there: the caller shows it.
    BOOL OnInitDialog() override;

    // "<application title> - <pszTitle>" when the main window gives its title, else pszTitle.
    void SetCaptionWithAppTitle(const wchar_t* pszTitle);
    // "BETA" when the running executable's file version ends in 3, else empty.
    static CString GetBuildMarker();

protected:
    // Where the dialog goes: centred in rcReference, then moved inside rcBounds.
    static CRect PlaceInside(const CRect& rcDialog, const CRect& rcReference, const CRect& rcBounds);

    void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    LRESULT OnEndFromOutside(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void AnnounceToMainWindow(LPARAM lParam);
};

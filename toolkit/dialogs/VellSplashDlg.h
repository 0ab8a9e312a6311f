#pragma once
// The splash form of the about dialog: created, centred, shown and painted by its constructor, so it
// is on the screen before the caller goes on with work that pumps no messages. Keys and clicks do
// nothing to it; its owner hides and destroys it.
#include "toolkit/dialogs/VellAboutDlg.h"

class CVellSplashDlg : public CVellAboutDlg {
    DECLARE_DYNAMIC(CVellSplashDlg)
public:
    explicit CVellSplashDlg(const wchar_t* pszCaption);
    // Destroys the window if the owner has not done so yet.
    ~CVellSplashDlg() override;

    // Where the splash goes: its client area centred in a full-screen area of cxFull × cyFull
    // (the system's full-screen metrics less one), halves truncated towards zero.
    static CPoint CenteredPosition(int cxFull, int cyFull, const CSize& clientSize);
};

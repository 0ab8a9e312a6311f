#pragma once
// The about dialog in both forms: the launcher's splash with its status line, and the about form.
#include "gallery/GalleryPage.h"
#include "gallery/pages/PageControls.h"
#include "toolkit/dialogs/VellAboutDlg.h"
#include "toolkit/dialogs/VellSplashDlg.h"

// The about form, modeless and shown, so the gallery keeps running; it ends itself on a key or a
// click. Null when it could not be made.
std::unique_ptr<CVellAboutDlg> OpenAboutForm(CWnd* pParent);

class CSplashAboutPage : public CGalleryPage {
public:
    UINT TitleId() const override;
    void Create(CWnd* pParent, const CRect& rcArea) override;
    void Destroy() override;
    BOOL OnCommand(UINT nID, UINT nCode) override;
    std::vector<GalleryShot> Shots() const override;
    HWND PrepareShot(int nStep) override;
    void EndShot(int nStep) override;

private:
    HWND ShowSplash();
    HWND ShowAbout();

    CWnd* m_pParent = nullptr;
    CPageControls m_controls;
    std::unique_ptr<CVellSplashDlg> m_pSplash;
    std::unique_ptr<CVellAboutDlg> m_pAbout;
};

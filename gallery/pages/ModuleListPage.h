#pragma once
// The module list over the about form, as Ctrl+M on the form opens it: the maker's modules, and
// every module with the box ticked.
#include "gallery/GalleryPage.h"
#include "gallery/pages/PageControls.h"
#include "toolkit/dialogs/VellAboutDlg.h"

class CModuleListPage : public CGalleryPage {
public:
    UINT TitleId() const override;
    void Create(CWnd* pParent, const CRect& rcArea) override;
    void Destroy() override;
    BOOL OnCommand(UINT nID, UINT nCode) override;
    std::vector<GalleryShot> Shots() const override;
    HWND PrepareShot(int nStep) override;
    BOOL IsShotReady(int nStep) override;
    void EndShot(int nStep) override;

private:
    // The about form, modeless; Ctrl+M on it opens the list.
    HWND ShowAbout();
    // Ctrl+M pressed on the about form (the list opens from the posted key).
    void PressCtrlM();

    CWnd* m_pParent = nullptr;
    CPageControls m_controls;
    std::unique_ptr<CVellAboutDlg> m_pAbout;
};

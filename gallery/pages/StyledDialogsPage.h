#pragma once
// Styled dialogs: a fixed and a resizable toolkit dialog, opened beside the gallery.
#include "gallery/GalleryPage.h"
#include "gallery/pages/PageControls.h"
#include "toolkit/style/VellDialog.h"

class CStyledDialogsPage : public CGalleryPage {
public:
    UINT TitleId() const override;
    void Create(CWnd* pParent, const CRect& rcArea) override;
    void Destroy() override;
    BOOL OnCommand(UINT nID, UINT nCode) override;
    std::vector<GalleryShot> Shots() const override;
    HWND PrepareShot(int nStep) override;
    void EndShot(int nStep) override;

private:
    // Opens (or brings back) one of the two dialogs, modeless, owned by the gallery.
    CVellDialog* Open(std::unique_ptr<CVellDialog>& pDialog, UINT nTemplate);

    CWnd* m_pParent = nullptr;
    CPageControls m_controls;
    std::unique_ptr<CVellDialog> m_pFixed;
    std::unique_ptr<CVellDialog> m_pResizable;
};

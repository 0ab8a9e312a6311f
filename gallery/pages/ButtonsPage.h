#pragma once
// Bitmap buttons: a live set to try (check box, shaped push button, toggle, text button), the table
// of every state and the pictures with their hit regions.
#include "gallery/GalleryPage.h"
#include "gallery/pages/ButtonRegionsWindow.h"
#include "gallery/pages/ButtonStatesWindow.h"
#include "gallery/pages/PageControls.h"
#include "toolkit/buttons/VellButton.h"

class CButtonsPage : public CGalleryPage {
public:
    UINT TitleId() const override;
    void Create(CWnd* pParent, const CRect& rcArea) override;
    void Destroy() override;
    BOOL OnCommand(UINT nID, UINT nCode) override;
    std::vector<GalleryShot> Shots() const override;
    HWND PrepareShot(int nStep) override;
    void EndShot(int nStep) override;

private:
    HWND ShowStates();
    HWND ShowRegions();

    CWnd* m_pParent = nullptr;
    CPageControls m_controls;
    CVellBitmapButton m_check;
    CVellBitmapButton m_round;
    CVellBitmapButton m_toggle;
    CVellButton m_ok;
    std::unique_ptr<CButtonStatesWindow> m_pStates;
    std::unique_ptr<CButtonRegionsWindow> m_pRegions;
};

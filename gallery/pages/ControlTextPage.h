#pragma once
// The controls' text layout and their property-driven colours, one panel at a time.
#include "gallery/GalleryPage.h"
#include "gallery/pages/PageControls.h"
#include "gallery/pages/PropertyColoursPanel.h"
#include "gallery/pages/TextLayoutPanel.h"

class CControlTextPage : public CGalleryPage {
public:
    UINT TitleId() const override;
    void Create(CWnd* pParent, const CRect& rcArea) override;
    void Destroy() override;
    BOOL OnCommand(UINT nID, UINT nCode) override;
    std::vector<GalleryShot> Shots() const override;
    HWND PrepareShot(int nStep) override;

private:
    // Shows the panel of step nStep in place of the other one; its window.
    HWND ShowPanel(int nStep);

    CWnd* m_pParent = nullptr;
    CRect m_rcPanel;
    CPageControls m_controls;
    std::unique_ptr<CTextLayoutPanel> m_pText;
    std::unique_ptr<CPropertyColoursPanel> m_pColours;
};

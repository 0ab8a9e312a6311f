#pragma once
// Themed menus: the main window's menu bar and system menu, its context menu, and the three looks
// side by side.
#include "gallery/GalleryPage.h"
#include "gallery/pages/MenuLooksView.h"
#include "gallery/pages/PageControls.h"

#include <memory>

class CMenusPage : public CGalleryPage {
public:
    UINT TitleId() const override;
    void Create(CWnd* pParent, const CRect& rcArea) override;
    void Destroy() override;
    void Move(const CRect& rcArea) override;
    BOOL OnCommand(UINT nID, UINT nCode) override;
    std::vector<GalleryShot> Shots() const override;
    HWND PrepareShot(int nStep) override;
    void EndShot(int nStep) override;

private:
    CRect LooksRect(const CRect& rcArea) const;
    // The screen point in the middle of the page, where the context menu opens.
    POINT ContextPoint() const;

    CWnd* m_pParent = nullptr;
    CRect m_rcArea;
    CPageControls m_controls;
    std::unique_ptr<CMenuLooksView> m_pLooks;
};

#pragma once
// The Qt layer's basics on one page: a frame in each shadow, a scroll view in the middle of a large
// painted surface, and a header of three sections with one held down.
#include "gallery/GalleryPage.h"

#include <windows.h>

#include <memory>

class QWidget;

// Builds the page's widgets as children of hParent inside rcArea (client coordinates of hParent).
// The returned widget holds them all; deleting it takes them away. A Qt application object must
// exist.
std::unique_ptr<QWidget> CreateQtBasicsPage(HWND hParent, const RECT& rcArea);

class CQtBasicsPage : public CGalleryPage {
public:
    CQtBasicsPage();
    ~CQtBasicsPage() override;
    UINT TitleId() const override;
    void Create(CWnd* pParent, const CRect& rcArea) override;
    void Destroy() override;
    void Move(const CRect& rcArea) override;
    std::vector<GalleryShot> Shots() const override;
    HWND PrepareShot(int nStep) override;

private:
    std::unique_ptr<QWidget> m_pPage;
};

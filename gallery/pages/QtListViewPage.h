#pragma once
// The Qt layer's list view: a tree of modules in three sortable columns with an extended selection,
// and a flat list with a right-aligned column and an item being renamed in place.
#include "gallery/GalleryPage.h"

#include <windows.h>

#include <memory>

class QWidget;

// Builds the page's widgets as children of hParent inside rcArea (client coordinates of hParent).
// Deleting the returned widget takes them all away. A Qt application object must exist.
std::unique_ptr<QWidget> CreateQtListViewPage(HWND hParent, const RECT& rcArea);

class CQtListViewPage : public CGalleryPage {
public:
    CQtListViewPage();
    ~CQtListViewPage() override;
    UINT TitleId() const override;
    void Create(CWnd* pParent, const CRect& rcArea) override;
    void Destroy() override;
    void Move(const CRect& rcArea) override;
    std::vector<GalleryShot> Shots() const override;
    HWND PrepareShot(int nStep) override;
    void EndShot(int nStep) override;

private:
    std::unique_ptr<QWidget> m_pPage;
};

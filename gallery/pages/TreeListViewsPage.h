#pragma once
// The tree view and the list view in a form, in place of Win32 tree-view and list-view placeholders:
// a tree open several levels deep, and a list view with several columns under its styled header,
// sorted by one column in descending order, with a vertical scroll bar (and the header cell above
// it) and a name being renamed.
#include "gallery/GalleryPage.h"

#include "platform/mfc/CGdiObject.h"

#include <memory>

class CVellTreeView;
class CVellListView;

class CTreeListViewsPage : public CGalleryPage {
public:
    CTreeListViewsPage();
    ~CTreeListViewsPage() override;
    UINT TitleId() const override;
    void Create(CWnd* pParent, const CRect& rcArea) override;
    void Destroy() override;
    std::vector<GalleryShot> Shots() const override;
    HWND PrepareShot(int nStep) override;
    void EndShot(int nStep) override;

private:
    static INT_PTR CALLBACK FormProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    void FillTree();
    void FillList();

    HWND m_hForm = nullptr;
    CWnd m_form;
    CFont m_headerFont;
    std::unique_ptr<CVellTreeView> m_pTree;
    std::unique_ptr<CVellListView> m_pList;
};

#pragma once
// The list box in a form: it takes the place of a list box placeholder of the form's template and
// shows item colours, pictures, a selection and both scroll bars with the corner between them,
// enabled and disabled.
#include "gallery/GalleryPage.h"

#include <memory>

class CVellListBox;

class CListBoxPage : public CGalleryPage {
public:
    CListBoxPage();
    ~CListBoxPage() override;
    UINT TitleId() const override;
    void Create(CWnd* pParent, const CRect& rcArea) override;
    void Destroy() override;
    BOOL OnCommand(UINT nID, UINT nCode) override;
    std::vector<GalleryShot> Shots() const override;
    HWND PrepareShot(int nStep) override;
    void EndShot(int nStep) override;

private:
    static INT_PTR CALLBACK FormProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    void Fill();

    HWND m_hForm = nullptr;
    CWnd m_form;
    std::unique_ptr<CVellListBox> m_pList;
};

#include "gallery/pages/StyledDialogsPage.h"

#include "gallery/GalleryIds.h"

namespace {
constexpr int kStepBoth = 0;
}

UINT CStyledDialogsPage::TitleId() const
{
    return IDS_PAGE_STYLED_DIALOGS;
}

void CStyledDialogsPage::Create(CWnd* pParent, const CRect& rcArea)
{
    m_pParent = pParent;
    const int x = rcArea.left, y = rcArea.top;
    m_controls.AddText(pParent, GalleryString(IDS_STYLED_PAGE_TEXT), CRect(x, y, rcArea.right, y + 32));
    m_controls.AddButton(pParent, IDC_GALLERY_OPEN_STYLED, L"Open a styled dialog", CRect(x, y + 40, x + 180, y + 64));
    m_controls.AddButton(pParent, IDC_GALLERY_OPEN_RESIZABLE, L"Open a resizable one", CRect(x, y + 70, x + 180, y + 94));
}

void CStyledDialogsPage::Destroy()
{
    m_controls.DestroyAll();
    m_pFixed.reset();
    m_pResizable.reset();
}

CVellDialog* CStyledDialogsPage::Open(std::unique_ptr<CVellDialog>& pDialog, UINT nTemplate)
{
    if (!pDialog || !pDialog->m_hWnd) {
        pDialog = std::make_unique<CVellDialog>(nTemplate, m_pParent);
        if (!pDialog->Create(nTemplate, m_pParent)) {
            pDialog.reset();
            return nullptr;
        }
    }
    pDialog->ShowWindow(SW_SHOW);
    return pDialog.get();
}

BOOL CStyledDialogsPage::OnCommand(UINT nID, UINT nCode)
{
    if (nCode != BN_CLICKED)
        return FALSE;
    if (nID == IDC_GALLERY_OPEN_STYLED)
        Open(m_pFixed, IDD_GALLERY_STYLED);
    else if (nID == IDC_GALLERY_OPEN_RESIZABLE)
        Open(m_pResizable, IDD_GALLERY_RESIZABLE);
    else
        return FALSE;
    return TRUE;
}

std::vector<GalleryShot> CStyledDialogsPage::Shots() const
{
    return {{L"styled-dialogs", kStepBoth}};
}

HWND CStyledDialogsPage::PrepareShot(int)
{
    // Both dialogs side by side below the gallery's page list; the fixed one active.
    CVellDialog* pResizable = Open(m_pResizable, IDD_GALLERY_RESIZABLE);
    CVellDialog* pFixed = Open(m_pFixed, IDD_GALLERY_STYLED);
    CRect rcParent;
    m_pParent->GetWindowRect(&rcParent);
    if (pResizable)
        pResizable->SetWindowPos(nullptr, rcParent.left + 360, rcParent.bottom + 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    if (pFixed) {
        pFixed->SetWindowPos(nullptr, rcParent.left, rcParent.bottom + 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        pFixed->SetActiveWindow();
    }
    return nullptr;
}

void CStyledDialogsPage::EndShot(int)
{
    m_pFixed.reset();
    m_pResizable.reset();
}

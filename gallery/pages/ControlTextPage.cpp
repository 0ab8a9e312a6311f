#include "gallery/pages/ControlTextPage.h"

#include "gallery/GalleryIds.h"

namespace {
constexpr int kStepText = 0;
constexpr int kStepColours = 1;
}  // namespace

UINT CControlTextPage::TitleId() const
{
    return IDS_PAGE_CONTROL_TEXT;
}

void CControlTextPage::Create(CWnd* pParent, const CRect& rcArea)
{
    m_pParent = pParent;
    const int x = rcArea.left, y = rcArea.top;
    m_controls.AddText(pParent, GalleryString(IDS_CONTROL_TEXT_PAGE_TEXT), CRect(x, y, rcArea.right, y + 30));
    m_controls.AddButton(pParent, IDC_GALLERY_SHOW_TEXT_LAYOUT, L"Text layout", CRect(x, y + 34, x + 140, y + 58));
    m_controls.AddButton(pParent, IDC_GALLERY_SHOW_COLOURS, L"Colours from properties",
                         CRect(x + 148, y + 34, x + 320, y + 58));
    m_rcPanel = CRect(x, y + 66, rcArea.right, rcArea.bottom);
    ShowPanel(kStepText);
}

void CControlTextPage::Destroy()
{
    m_controls.DestroyAll();
    m_pText.reset();
    m_pColours.reset();
}

HWND CControlTextPage::ShowPanel(int nStep)
{
    m_pText.reset();
    m_pColours.reset();
    if (!m_pParent)
        return nullptr;
    if (nStep == kStepText) {
        m_pText = std::make_unique<CTextLayoutPanel>();
        return m_pText->Create(m_pParent, m_rcPanel) ? m_pText->m_hWnd : nullptr;
    }
    m_pColours = std::make_unique<CPropertyColoursPanel>();
    return m_pColours->Create(m_pParent, m_rcPanel) ? m_pColours->m_hWnd : nullptr;
}

BOOL CControlTextPage::OnCommand(UINT nID, UINT nCode)
{
    if (nCode != BN_CLICKED)
        return FALSE;
    if (nID == IDC_GALLERY_SHOW_TEXT_LAYOUT)
        ShowPanel(kStepText);
    else if (nID == IDC_GALLERY_SHOW_COLOURS)
        ShowPanel(kStepColours);
    else
        return FALSE;
    return TRUE;
}

std::vector<GalleryShot> CControlTextPage::Shots() const
{
    return {{L"text-layout", kStepText}, {L"control-properties", kStepColours}};
}

HWND CControlTextPage::PrepareShot(int nStep)
{
    return ShowPanel(nStep);
}

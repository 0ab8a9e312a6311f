#include "gallery/pages/ButtonsPage.h"

#include "gallery/GalleryIds.h"
#include "resources/ButtonSampleIds.h"
#include "resources/ResourceIds.h"

namespace {
constexpr int kStepStates = 0;
constexpr int kStepRegions = 1;

void BlendWithPage(CVellBitmapButton& button)
{
    button.SetBackColor(::GetSysColor(COLOR_BTNFACE));
    button.SetUseAmbientBackColor(FALSE);
}
}  // namespace

UINT CButtonsPage::TitleId() const
{
    return IDS_PAGE_BUTTONS;
}

void CButtonsPage::Create(CWnd* pParent, const CRect& rcArea)
{
    m_pParent = pParent;
    const int x = rcArea.left, y = rcArea.top;
    m_controls.AddText(pParent, GalleryString(IDS_BUTTONS_PAGE_TEXT), CRect(x, y, rcArea.right, y + 48));

    m_check.SetButtonStyle(CVellBitmapButton::StyleCheckBox);
    m_check.SetUseDrawFrame(FALSE);
    m_check.SetUseAmbientFont(FALSE);
    m_check.SetFontSize(16, 700);
    m_check.SetForeColor(RGB(0, 0, 0));
    m_check.SetUseAmbientForeColor(FALSE);
    m_check.SetPictureUp(IDB_CHECK_CLEARED);
    m_check.SetPictureDown(IDB_CHECK_CHECKED);
    m_check.SetPictureSelected(IDB_CHECK_CHECKED);
    m_check.SetPictureDisabled(IDB_CHECK_DISABLED);
    m_check.SetPictureDisabledAndSelected(IDB_CHECK_DISABLED_CHECKED);
    m_check.SetUseFocus(1);
    BlendWithPage(m_check);
    const RECT rcCheck{x, y + 56, x + 160, y + 78};
    m_check.Create(IDC_GALLERY_BUTTON_CHECK, &rcCheck, pParent);
    m_check.SetText(L"All modules");

    m_round.SetUseDrawFrame(FALSE);
    m_round.SetPictureUp(IDB_SAMPLE_ROUND_UP);
    m_round.SetPictureDown(IDB_SAMPLE_ROUND_DOWN);
    m_round.SetPictureRollover(IDB_SAMPLE_ROUND_ROLLOVER);
    m_round.SetPictureDisabled(IDB_SAMPLE_ROUND_DISABLED);
    m_round.SetUseFocus(1);
    BlendWithPage(m_round);
    const RECT rcRound{x, y + 88, x + 40, y + 128};
    m_round.Create(IDC_GALLERY_BUTTON_ROUND, &rcRound, pParent);

    m_toggle.SetButtonStyle(CVellBitmapButton::StyleCheck);
    m_toggle.SetUseDrawFrame(FALSE);
    m_toggle.SetForeColor(RGB(0, 0, 0));
    m_toggle.SetUseAmbientForeColor(FALSE);
    m_toggle.SetPictureUp(IDB_SAMPLE_TOGGLE_UP);
    m_toggle.SetPictureSelected(IDB_SAMPLE_TOGGLE_SELECTED);
    m_toggle.SetPictureDown(IDB_SAMPLE_TOGGLE_DOWN);
    m_toggle.SetPictureDisabled(IDB_SAMPLE_TOGGLE_DISABLED);
    m_toggle.SetPictureDisabledAndSelected(IDB_SAMPLE_TOGGLE_DISABLED_SELECTED);
    m_toggle.SetUseFocus(1);
    BlendWithPage(m_toggle);
    const RECT rcToggle{x + 56, y + 94, x + 152, y + 122};
    m_toggle.Create(IDC_GALLERY_BUTTON_TOGGLE, &rcToggle, pParent);
    m_toggle.SetText(L"Toggle");

    const RECT rcOk{x + 168, y + 94, x + 254, y + 122};
    m_ok.Create(IDC_GALLERY_BUTTON_OK, &rcOk, pParent);
    m_ok.SetText(L"OK");

    m_controls.AddButton(pParent, IDC_GALLERY_OPEN_BUTTON_STATES, L"Every state", CRect(x, y + 140, x + 180, y + 164));
    m_controls.AddButton(pParent, IDC_GALLERY_OPEN_BUTTON_REGIONS, L"Pictures and hit regions",
                         CRect(x, y + 170, x + 180, y + 194));
}

void CButtonsPage::Destroy()
{
    m_controls.DestroyAll();
    for (CVellBitmapButton* p : {&m_check, &m_round, &m_toggle, static_cast<CVellBitmapButton*>(&m_ok)})
        if (p->m_hWnd)
            p->DestroyWindow();
    m_pStates.reset();
    m_pRegions.reset();
}

HWND CButtonsPage::ShowStates()
{
    m_pStates = std::make_unique<CButtonStatesWindow>();
    if (!m_pStates->Open(20, 20)) {
        m_pStates.reset();
        return nullptr;
    }
    return m_pStates->m_hWnd;
}

HWND CButtonsPage::ShowRegions()
{
    m_pRegions = std::make_unique<CButtonRegionsWindow>();
    if (!m_pRegions->Open(40, 40)) {
        m_pRegions.reset();
        return nullptr;
    }
    return m_pRegions->m_hWnd;
}

BOOL CButtonsPage::OnCommand(UINT nID, UINT nCode)
{
    if (nCode != BN_CLICKED)
        return FALSE;
    if (nID == IDC_GALLERY_OPEN_BUTTON_STATES)
        ShowStates();
    else if (nID == IDC_GALLERY_OPEN_BUTTON_REGIONS)
        ShowRegions();
    else
        return FALSE;
    return TRUE;
}

std::vector<GalleryShot> CButtonsPage::Shots() const
{
    return {{L"buttons", kStepStates}, {L"button-regions", kStepRegions}};
}

HWND CButtonsPage::PrepareShot(int nStep)
{
    return nStep == kStepStates ? ShowStates() : ShowRegions();
}

void CButtonsPage::EndShot(int)
{
    m_pStates.reset();
    m_pRegions.reset();
}

#include "gallery/pages/SplashAboutPage.h"

#include "gallery/GalleryIds.h"
#include "resources/ResourceIds.h"

namespace {
constexpr int kStepSplash = 0;
constexpr int kStepAbout = 1;
}  // namespace

UINT CSplashAboutPage::TitleId() const
{
    return IDS_PAGE_SPLASH_ABOUT;
}

void CSplashAboutPage::Create(CWnd* pParent, const CRect& rcArea)
{
    m_pParent = pParent;
    const int x = rcArea.left, y = rcArea.top;
    m_controls.AddText(pParent, GalleryString(IDS_SPLASH_PAGE_TEXT), CRect(x, y, rcArea.right, y + 32));
    m_controls.AddButton(pParent, IDC_GALLERY_OPEN_SPLASH, L"Show the splash", CRect(x, y + 40, x + 180, y + 64));
    m_controls.AddButton(pParent, IDC_GALLERY_OPEN_ABOUT, L"Open the about form", CRect(x, y + 70, x + 180, y + 94));
}

void CSplashAboutPage::Destroy()
{
    m_controls.DestroyAll();
    m_pSplash.reset();
    m_pAbout.reset();
}

HWND CSplashAboutPage::ShowSplash()
{
    // A click on the button again takes the splash away: it has no input of its own.
    if (m_pSplash) {
        m_pSplash.reset();
        return nullptr;
    }
    m_pSplash = std::make_unique<CVellSplashDlg>(L"Orvane Lumbra");
    if (!m_pSplash->m_hWnd) {
        m_pSplash.reset();
        return nullptr;
    }
    m_pSplash->SetStatus(GalleryString(IDS_SPLASH_STATUS));
    m_pSplash->UpdateWindow();
    return m_pSplash->m_hWnd;
}

std::unique_ptr<CVellAboutDlg> OpenAboutForm(CWnd* pParent)
{
    auto pAbout = std::make_unique<CVellAboutDlg>(pParent, L"Orvane Lumbra");
    if (!pAbout->Create(IDD_ABOUT_SPLASH, pParent))
        return nullptr;
    pAbout->ShowWindow(SW_SHOW);
    pAbout->UpdateWindow();
    return pAbout;
}

HWND CSplashAboutPage::ShowAbout()
{
    m_pAbout = OpenAboutForm(m_pParent);
    return m_pAbout ? m_pAbout->m_hWnd : nullptr;
}

BOOL CSplashAboutPage::OnCommand(UINT nID, UINT nCode)
{
    if (nCode != BN_CLICKED)
        return FALSE;
    if (nID == IDC_GALLERY_OPEN_SPLASH)
        ShowSplash();
    else if (nID == IDC_GALLERY_OPEN_ABOUT)
        ShowAbout();
    else
        return FALSE;
    return TRUE;
}

std::vector<GalleryShot> CSplashAboutPage::Shots() const
{
    return {{L"splash", kStepSplash}, {L"about-form", kStepAbout}};
}

HWND CSplashAboutPage::PrepareShot(int nStep)
{
    m_pSplash.reset();
    return nStep == kStepSplash ? ShowSplash() : ShowAbout();
}

void CSplashAboutPage::EndShot(int)
{
    m_pSplash.reset();
    m_pAbout.reset();
}

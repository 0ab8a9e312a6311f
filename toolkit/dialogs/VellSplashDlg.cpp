#include "toolkit/dialogs/VellSplashDlg.h"

#include "resources/ResourceIds.h"

IMPLEMENT_DYNAMIC(CVellSplashDlg, CVellAboutDlg)

CVellSplashDlg::CVellSplashDlg(const wchar_t* pszCaption) : CVellAboutDlg(nullptr, pszCaption)
{
    m_bSplash = TRUE;
    if (!Create(IDD_ABOUT_SPLASH, nullptr))
        return;
    UpdateData(FALSE);

    CRect rcClient;
    GetClientRect(&rcClient);
    const CPoint pt = CenteredPosition(::GetSystemMetrics(SM_CXFULLSCREEN) - 1,
                                       ::GetSystemMetrics(SM_CYFULLSCREEN) - 1, rcClient.Size());
    ::SetWindowPos(m_hWnd, HWND_TOP, pt.x, pt.y, 0, 0, SWP_NOSIZE);
    ShowWindow(SW_SHOW);
    UpdateWindow();
    // The picture is a child window: without RDW_ALLCHILDREN it would be invalidated and erased
    // over by the dialog, but not painted again, and nobody pumps messages while the splash shows.
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

CVellSplashDlg::~CVellSplashDlg()
{
    if (m_hWnd)
        DestroyWindow();
}

CPoint CVellSplashDlg::CenteredPosition(int cxFull, int cyFull, const CSize& clientSize)
{
    return CPoint((cxFull - clientSize.cx) / 2, (cyFull - clientSize.cy) / 2);
}

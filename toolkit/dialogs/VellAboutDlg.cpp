#include "toolkit/dialogs/VellAboutDlg.h"

#include "platform/mfc/DataExchange.h"
#include "resources/ResourceIds.h"
#include "toolkit/draw/DrawFrame.h"

IMPLEMENT_DYNAMIC(CVellAboutDlg, CVellDialog)

BEGIN_MESSAGE_MAP(CVellAboutDlg, CVellDialog)
    ON_WM_PAINT()
    ON_WM_NCHITTEST()
END_MESSAGE_MAP()

CVellAboutDlg::CVellAboutDlg(CWnd* pParentWnd, const wchar_t* pszCaption)
    : CVellDialog(IDD_ABOUT_SPLASH, pParentWnd), m_strCaption(pszCaption ? pszCaption : L"")
{
}

CVellAboutDlg::~CVellAboutDlg()
{
    // The window goes while this class's members (the picture) still exist.
    if (m_hWnd)
        DestroyWindow();
}

void CVellAboutDlg::DoDataExchange(CDataExchange* pDX)
{
    CVellDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ABOUT_PICTURE, m_bitmap);
}

BOOL CVellAboutDlg::OnInitDialog()
{
    CVellDialog::OnInitDialog();
    UpdateData(FALSE);
    if (!m_bSplash) {
        m_bitmap.SetStatus(CString());
        UpdateWindow();
    }
    m_bitmap.Init(m_strCaption, !m_bSplash);
    FitToPicture();
    return TRUE;
}

void CVellAboutDlg::FitToPicture()
{
    if (!m_bitmap.m_hWnd)
        return;
    CRect rcPicture, rcClient, rcWindow;
    m_bitmap.GetWindowRect(&rcPicture);
    GetClientRect(&rcClient);
    if (rcClient.Size() == rcPicture.Size())
        return;
    GetWindowRect(&rcWindow);
    SetWindowPos(nullptr, 0, 0, rcWindow.Width() + rcPicture.Width() - rcClient.Width(),
                 rcWindow.Height() + rcPicture.Height() - rcClient.Height(),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CVellAboutDlg::PaintBorder(HDC hDC)
{
    CRect rc;
    GetWindowRect(&rc);
    rc.OffsetRect(-rc.left, -rc.top);
    DrawWindowBorder(hDC, rc);
}

void CVellAboutDlg::OnPaint()
{
    Default();
    CWindowDC dc(this);
    if (dc.m_hDC)
        PaintBorder(dc);
}

LRESULT CVellAboutDlg::OnNcHitTest(CPoint)
{
    return HTCAPTION;
}

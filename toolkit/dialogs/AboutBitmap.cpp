// The about dialog's picture: its texts, and the input that closes the about form.
#include "toolkit/dialogs/VellAboutDlg.h"

#include "resources/ResourceIds.h"
#include "toolkit/controls/ToolkitFont.h"
#include "toolkit/dialogs/ModuleListDlg.h"
#include "toolkit/version/ZebFileVersion.h"

using CAboutBitmap = CVellAboutDlg::CAboutBitmap;

BEGIN_MESSAGE_MAP(CVellAboutDlg::CAboutBitmap, CVellStaticBitmap)
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONDOWN()
    ON_WM_MBUTTONDOWN()
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

void CAboutBitmap::Init(const CString& strTitle, BOOL bAbout)
{
    m_bAbout = bAbout;
    const CZeb_FileVersion version(nullptr, 1200, 2057);
    m_strTitle = strTitle + L" " + version.GetProductVersionText();
    m_strLegal = version.GetCopyrightText();
    m_strVersion = L"(" + version.GetFileVersionText() + L")";
    SetBitmap(IDB_SPLASH, 0);
}

void CAboutBitmap::SetStatus(const CString& strStatus)
{
    m_strStatus = strStatus;
    if (m_hWnd)  // without a window, InvalidateRect would repaint the whole screen
        Invalidate(TRUE);
}

void CAboutBitmap::Paint(HDC hDC)
{
    PaintPicture(hDC);
    PaintTexts(hDC);
}

void CAboutBitmap::PaintTexts(HDC hDC)
{
    CSaveDCGuard saved(hDC);  // background mode, text colour and font
    ::SetBkMode(hDC, TRANSPARENT);
    const LOGFONTW lfSmall = MakeLogFont(kSmallFontHeight, kFontWeight);
    const LOGFONTW lfLarge = MakeLogFont(kLargeFontHeight, kFontWeight);
    CFont fontSmall, fontLarge;
    fontSmall.CreateFontIndirect(&lfSmall);
    fontLarge.CreateFontIndirect(&lfLarge);

    CRect rc;
    GetClientRect(&rc);
    auto draw = [hDC](const CString& str, CRect rcText, COLORREF clr) {
        ::SetTextColor(hDC, clr);
        ::DrawTextW(hDC, str.GetString(), str.GetLength(), &rcText, 0);
    };
    {
        CSelectGuard selectLarge(hDC, fontLarge);
        draw(m_strTitle, TitleRect(rc), kTitleColor);
    }
    CSelectGuard selectSmall(hDC, fontSmall);
    draw(m_strStatus, StatusRect(rc), kStatusColor);
    draw(m_strLegal, LegalRect(rc), kLegalColor);
    SIZE extent{};
    ::GetTextExtentPoint32W(hDC, m_strVersion.GetString(), m_strVersion.GetLength(), &extent);
    draw(m_strVersion, VersionRect(rc, extent.cx), kLegalColor);
}

void CAboutBitmap::PreSubclassWindow()
{
    CStatic::PreSubclassWindow();
    ModifyStyle(0, kPictureStyleBits | SS_NOTIFY);
}

void CAboutBitmap::OpenModuleList()
{
    // One list at a time; the form owns it, so the form is disabled while it runs and no key or
    // click reaches the form to close it under the running list.
    if (m_bModuleListOpen)
        return;
    m_bModuleListOpen = TRUE;
    {
        CModuleListDlg dlg(GetParent());
        dlg.DoModal();
    }
    m_bModuleListOpen = FALSE;
}

void CAboutBitmap::CloseParent()
{
    if (m_bModuleListOpen)
        return;  // the form stays until its module list is closed
    ::PostMessageW(::GetParent(m_hWnd), WM_CLOSE, 0, 0);
}

void CAboutBitmap::OnLButtonDown(UINT, CPoint)
{
    if (m_bAbout)
        CloseParent();
}

void CAboutBitmap::OnRButtonDown(UINT, CPoint)
{
    if (m_bAbout)
        CloseParent();
}

void CAboutBitmap::OnMButtonDown(UINT, CPoint)
{
    if (m_bAbout)
        CloseParent();
}

void CAboutBitmap::OnKeyDown(UINT nChar, UINT, UINT)
{
    if (!m_bAbout)
        return;
    if (::GetKeyState(VK_CONTROL) < 0 && (nChar == 'M' || nChar == VK_SUBTRACT)) {
        OpenModuleList();
        return;
    }
    if (nChar != VK_CONTROL)
        CloseParent();
}

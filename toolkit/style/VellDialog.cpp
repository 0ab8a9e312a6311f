#include "toolkit/style/VellDialog.h"

#include "platform/mfc/CWinThread.h"
#include "toolkit/version/ZebFileVersion.h"
#include "toolkit/style/StyleGlobals.h"

#include <vector>

IMPLEMENT_DYNAMIC(CVellDialog, CDialog)

BEGIN_MESSAGE_MAP(CVellDialog, CVellWindowStyle<CDialog>)
    ON_WM_INITMENUPOPUP()
    ON_MESSAGE(CVellDialog::kEndFromOutside, OnEndFromOutside)
END_MESSAGE_MAP()

CVellDialog::CVellDialog(UINT nIDTemplate, CWnd* pParentWnd) : CVellWindowStyle<CDialog>(nIDTemplate, pParentWnd)
{
    AnnounceToMainWindow(1);
}

CVellDialog::~CVellDialog()
{
    AnnounceToMainWindow(0);
}

void CVellDialog::AnnounceToMainWindow(LPARAM lParam)
{
    CWnd* pMain = AfxGetMainWnd();
    if (pMain && pMain->m_hWnd)
        ::SendMessageW(pMain->m_hWnd, WM_DIALOGSTACK, reinterpret_cast<WPARAM>(this), lParam);
}

CRect CVellDialog::PlaceInside(const CRect& rcDialog, const CRect& rcReference, const CRect& rcBounds)
{
    CRect r = rcDialog;
    r.MoveToXY(rcReference.left + (rcReference.Width() - r.Width()) / 2,
               rcReference.top + (rcReference.Height() - r.Height()) / 2);
    if (r.right > rcBounds.right)
        r.OffsetRect(rcBounds.right - r.right, 0);
    if (r.bottom > rcBounds.bottom)
        r.OffsetRect(0, rcBounds.bottom - r.bottom);
    if (r.left < rcBounds.left)
        r.OffsetRect(rcBounds.left - r.left, 0);
    if (r.top < rcBounds.top)
        r.OffsetRect(0, rcBounds.top - r.top);
    return r;
}

BOOL CVellDialog::OnInitDialog()
{
    const BOOL bResult = CDialog::OnInitDialog();

    HMENU hOldSysMenu = m_sysMenu.Detach();
    HMENU hSysMenu = ::GetSystemMenu(m_hWnd, FALSE);
    if (hOldSysMenu && hOldSysMenu != hSysMenu && ::IsMenu(hOldSysMenu))
        ::DestroyMenu(hOldSysMenu);
    m_sysMenu.Attach(hSysMenu);
    // The menu bar stays as the template made it until menus are themed.

    CRect rcReference, rcBounds;
    HWND hWndParent = ::GetParent(m_hWnd);
    if (hWndParent) {
        if (::GetWindowLongPtrW(hWndParent, GWL_STYLE) & WS_MINIMIZE)
            ::ShowWindow(hWndParent, SW_RESTORE);
        ::SetActiveWindow(hWndParent);
        ::GetWindowRect(hWndParent, &rcReference);
        CWnd* pParent = FromHandlePermanent(hWndParent);
        if (pParent && pParent->IsKindOf(RUNTIME_CLASS(CVellDialog)))
            rcReference.OffsetRect(30, 30);  // stacked toolkit dialogs cascade
        MONITORINFO mi{};
        mi.cbSize = sizeof(mi);
        ::GetMonitorInfoW(::MonitorFromRect(&rcReference, MONITOR_DEFAULTTONEAREST), &mi);
        rcBounds = mi.rcMonitor;
    } else {
        ::GetWindowRect(::GetDesktopWindow(), &rcReference);
        rcBounds = rcReference;
    }
    CRect rcDialog;
    GetWindowRect(&rcDialog);
    const CRect r = PlaceInside(rcDialog, rcReference, rcBounds);

    SetSecondaryCaption(GetBuildMarker());
    SetWindowPos(nullptr, r.left, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    return bResult;
}

void CVellDialog::SetCaptionWithAppTitle(const wchar_t* pszTitle)
{
    const wchar_t* pszText = pszTitle ? pszTitle : L"";
    CWnd* pMain = AfxGetMainWnd();
    if (pMain && pMain->m_hWnd) {
        const LRESULT n = ::SendMessageW(pMain->m_hWnd, kAppTitleLength, 0, 0);
        if (n > 0) {
            std::vector<wchar_t> title(static_cast<size_t>(n) + 1, L'\0');
            ::SendMessageW(pMain->m_hWnd, kAppTitle, static_cast<WPARAM>(n + 1),
                           reinterpret_cast<LPARAM>(title.data()));
            title.back() = L'\0';  // whatever the answer, the text ends inside the buffer
            CString strCaption;
            strCaption.Format(L"%s - %s", title.data(), pszText);
            SetWindowText(strCaption);
            return;
        }
    }
    SetWindowText(pszText);
}

CString CVellDialog::GetBuildMarker()
{
    const CZeb_FileVersion version(nullptr, 1200, 2057);
    return LOWORD(version.m_fileVersionLS) == 3 ? CString(L"BETA") : CString();
}

void CVellDialog::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu)
{
    // Command update as in a frame window: items whose command nobody handles are disabled.
    if (!bSysMenu && pPopupMenu)
        AfxUpdateMenuCommands(pPopupMenu->m_hMenu, this, TRUE);
    CWnd::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
}

LRESULT CVellDialog::OnEndFromOutside(WPARAM, LPARAM)
{
    EndDialog(kEndResult);
    return 1;
}

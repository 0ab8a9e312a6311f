#include "gallery/GalleryDialog.h"

#include "gallery/GalleryIds.h"
#include "gallery/ScreenCapture.h"

namespace {

constexpr UINT kNextShot = WM_APP + 40;
constexpr UINT_PTR kShotTimer = 1;
// Time for the X server to show what the windows painted before the picture is taken.
constexpr UINT kShotDelayMs = 400;
constexpr UINT kShotRetryMs = 100;
constexpr int kMaxShotDelays = 100;
constexpr int kMargin = 8;

BOOL CALLBACK RedrawThreadWindow(HWND hWnd, LPARAM)
{
    if (::IsWindowVisible(hWnd))
        ::RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    return TRUE;
}

}  // namespace

BEGIN_MESSAGE_MAP(CGalleryDialog, CVellDialog)
    ON_CONTROL(LBN_SELCHANGE, IDC_GALLERY_PAGES, OnPageSelected)
    ON_WM_SIZE()
    ON_WM_TIMER()
    ON_MESSAGE(kNextShot, OnNextShot)
    ON_MESSAGE(WM_CONTEXTMENU, OnContextMenu)
    ON_COMMAND_RANGE(ID_GALLERY_FIRST_COMMAND, ID_GALLERY_LAST_COMMAND, OnMenuCommand)
    ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_ITEM, OnUpdateStatusBar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_GRID_ITEM, OnUpdateGrid)
    ON_UPDATE_COMMAND_UI(ID_VIEW_ZOOM_50, OnUpdateZoom50)
    ON_UPDATE_COMMAND_UI(ID_VIEW_ZOOM_100, OnUpdateZoom100)
    ON_UPDATE_COMMAND_UI(ID_VIEW_ZOOM_200, OnUpdateZoom200)
END_MESSAGE_MAP()

CGalleryDialog::CGalleryDialog(const wchar_t* pszShotFolder)
    : CVellDialog(IDD_GALLERY), m_pages(MakeGalleryPages()), m_strShotFolder(pszShotFolder ? pszShotFolder : L"")
{
}

CGalleryDialog::~CGalleryDialog()
{
    if (m_nCurrent < m_pages.size())
        m_pages[m_nCurrent]->Destroy();
    if (m_hWnd)
        DestroyWindow();
}

BOOL CGalleryDialog::OnInitDialog()
{
    CVellDialog::OnInitDialog();
    SetCaptionWithAppTitle(GalleryString(IDS_GALLERY_TITLE));
    m_contextMenu.LoadThemedMenu(IDR_GALLERY_CONTEXT);
    SetMenuIcons();

    const HWND hList = ::GetDlgItem(m_hWnd, IDC_GALLERY_PAGES);
    for (const auto& page : m_pages)
        ::SendMessageW(hList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(static_cast<const wchar_t*>(GalleryString(page->TitleId()))));

    // A screenshot run shows the window at the same place every time.
    if (!m_strShotFolder.IsEmpty()) {
        ::SetWindowPos(m_hWnd, HWND_TOP, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
        for (size_t i = 0; i < m_pages.size(); ++i)
            for (const GalleryShot& shot : m_pages[i]->Shots())
                m_shots.push_back({i, shot});
        PostMessage(kNextShot);
    }
    ShowWindow(SW_SHOW);
    ::SendMessageW(hList, LB_SETCURSEL, 0, 0);
    ShowPage(0);
    return TRUE;
}

BOOL CGalleryDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (m_nCurrent < m_pages.size() && m_pages[m_nCurrent]->OnCommand(LOWORD(wParam), HIWORD(wParam)))
        return TRUE;
    return CVellDialog::OnCommand(wParam, lParam);
}

void CGalleryDialog::OnPageSelected()
{
    const LRESULT nSel = ::SendDlgItemMessageW(m_hWnd, IDC_GALLERY_PAGES, LB_GETCURSEL, 0, 0);
    if (nSel >= 0)
        ShowPage(static_cast<size_t>(nSel));
}

CRect CGalleryDialog::PageArea() const
{
    CRect rcClient, rcList;
    GetClientRect(&rcClient);
    ::GetWindowRect(::GetDlgItem(m_hWnd, IDC_GALLERY_PAGES), &rcList);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rcList), 2);
    return CRect(rcList.right + kMargin, rcList.top, rcClient.right - kMargin, rcClient.bottom - kMargin);
}

void CGalleryDialog::ShowPage(size_t nPage)
{
    if (nPage == m_nCurrent || nPage >= m_pages.size())
        return;
    if (m_nCurrent < m_pages.size())
        m_pages[m_nCurrent]->Destroy();
    m_nCurrent = nPage;
    m_pages[nPage]->Create(this, PageArea());
    ::SendDlgItemMessageW(m_hWnd, IDC_GALLERY_PAGES, LB_SETCURSEL, nPage, 0);
    Invalidate();
}

void CGalleryDialog::OnSize(UINT, int, int cy)
{
    const HWND hList = ::GetDlgItem(m_hWnd, IDC_GALLERY_PAGES);
    if (!hList)
        return;
    CRect rcList;
    ::GetWindowRect(hList, &rcList);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rcList), 2);
    ::SetWindowPos(hList, nullptr, 0, 0, rcList.Width(), cy - rcList.top - kMargin, SWP_NOMOVE | SWP_NOZORDER);
    if (m_nCurrent < m_pages.size())
        m_pages[m_nCurrent]->Move(PageArea());
    Invalidate();
}

LRESULT CGalleryDialog::OnNextShot(WPARAM, LPARAM)
{
    if (m_shots.empty()) {
        EndDialog(m_nFailedShots ? 1 : 0);
        return 0;
    }
    const PendingShot& next = m_shots.front();
    ShowPage(next.nPage);
    ::EnumThreadWindows(::GetCurrentThreadId(), RedrawThreadWindow, 0);
    m_hShotWindow = m_pages[next.nPage]->PrepareShot(next.shot.nStep);
    SetTimer(kShotTimer, kShotDelayMs);
    return 0;
}

void CGalleryDialog::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kShotTimer) {
        Default();
        return;
    }
    KillTimer(kShotTimer);
    // A page that is not ready yet is asked again shortly, for a few seconds at most.
    if (!m_shots.empty() && m_nShotDelays < kMaxShotDelays &&
        !m_pages[m_shots.front().nPage]->IsShotReady(m_shots.front().shot.nStep)) {
        ++m_nShotDelays;
        SetTimer(kShotTimer, kShotRetryMs);
        return;
    }
    m_nShotDelays = 0;
    TakeShot();
}

void CGalleryDialog::TakeShot()
{
    if (m_shots.empty())
        return;
    const PendingShot shot = m_shots.front();
    m_shots.pop_front();

    ::EnumThreadWindows(::GetCurrentThreadId(), RedrawThreadWindow, 0);
    ::GdiFlush();
    RECT rc = {};
    if (m_hShotWindow && ::IsWindow(m_hShotWindow))
        ::GetWindowRect(m_hShotWindow, &rc);
    else
        rc = ThreadWindowsBounds();
    const CString strPath = m_strShotFolder + L"\\" + shot.shot.pszName + L".bmp";
    if (!CaptureScreenToBmp(rc, strPath))
        ++m_nFailedShots;
    m_pages[shot.nPage]->EndShot(shot.shot.nStep);
    m_hShotWindow = nullptr;
    PostMessage(kNextShot);
}

void CGalleryDialog::SetMenuIcons()
{
    struct IconFor {
        UINT nID;
        const wchar_t* pszIcon;
    };
    const IconFor icons[] = {{ID_FILE_NEW_ITEM, IDI_APPLICATION}, {ID_FILE_OPEN_ITEM, IDI_INFORMATION},
                             {ID_FILE_SAVE_ITEM, IDI_SHIELD},    {ID_EDIT_CUT_ITEM, IDI_WARNING},
                             {ID_EDIT_PASTE_ITEM, IDI_QUESTION}, {ID_VIEW_REFRESH_ITEM, IDI_WINLOGO}};
    for (const IconFor& icon : icons) {
        const auto hIcon = static_cast<HICON>(::LoadImageW(nullptr, icon.pszIcon, IMAGE_ICON, 16, 16, LR_SHARED));
        m_menu.SetItemIcon(icon.nID, hIcon);
        m_contextMenu.SetItemIcon(icon.nID, hIcon);
    }
}

LRESULT CGalleryDialog::OnContextMenu(WPARAM, LPARAM lParam)
{
    POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    if (lParam == -1) {  // from the keyboard: at the top-left of the page area
        const CRect rcArea = PageArea();
        pt = rcArea.TopLeft();
        ClientToScreen(&pt);
    }
    if (CMenu* pPopup = m_contextMenu.GetSubMenu(0))
        pPopup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, pt.x, pt.y, this);
    return 0;
}

void CGalleryDialog::OnMenuCommand(UINT nID)
{
    switch (nID) {
    case ID_FILE_EXIT_ITEM:
        EndDialog(IDOK);
        break;
    case ID_VIEW_STATUS_ITEM:
        m_bStatusBar = !m_bStatusBar;
        break;
    case ID_VIEW_GRID_ITEM:
        m_bGrid = !m_bGrid;
        break;
    case ID_VIEW_ZOOM_50:
    case ID_VIEW_ZOOM_100:
    case ID_VIEW_ZOOM_200:
        m_nZoom = nID;
        break;
    default:
        break;  // the other items only show what a menu can hold
    }
}

void CGalleryDialog::OnUpdateStatusBar(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_bStatusBar);
}

void CGalleryDialog::OnUpdateGrid(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_bGrid);
}

void CGalleryDialog::OnUpdateZoom50(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_nZoom == ID_VIEW_ZOOM_50);
}

void CGalleryDialog::OnUpdateZoom100(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_nZoom == ID_VIEW_ZOOM_100);
}

void CGalleryDialog::OnUpdateZoom200(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_nZoom == ID_VIEW_ZOOM_200);
}

#include "platform/mfc/CDialog.h"

#include "platform/mfc/CWinThread.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

namespace {

const DLGTEMPLATE* LoadDialogTemplate(const wchar_t* pszTemplateName)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hResource = ::FindResourceW(hInst, pszTemplateName, MAKEINTRESOURCEW(5) /* RT_DIALOG */);
    HGLOBAL hTemplate = hResource ? ::LoadResource(hInst, hResource) : nullptr;
    return hTemplate ? static_cast<const DLGTEMPLATE*>(::LockResource(hTemplate)) : nullptr;
}

// The window that a modal dialog without its own parent belongs to: the thread's main window.
HWND ModalOwner(CWnd* pParentWnd)
{
    HWND hWnd = pParentWnd ? pParentWnd->m_hWnd : nullptr;
    if (!hWnd) {
        CWnd* pMain = AfxGetMainWnd();
        hWnd = pMain ? pMain->m_hWnd : nullptr;
    }
    // A popup cannot be owned by a child window.
    while (hWnd && (::GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_CHILD))
        hWnd = ::GetParent(hWnd);
    return hWnd;
}

}  // namespace

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    CDialog* pDlg = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(hWnd));
    if (!pDlg)
        return TRUE;
    try {
        return pDlg->OnInitDialog();
    } catch (...) {
        // Nothing may unwind through the system's dialog code.
        pDlg->EndDialog(-1);
        return FALSE;
    }
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCEW(nIDTemplate)), m_pParentWnd(pParentWnd), m_nIDHelp(nIDTemplate)
{
}

CDialog::CDialog(const wchar_t* pszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(pszTemplateName), m_pParentWnd(pParentWnd)
{
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    m_nIDHelp = nIDTemplate;
    return Create(MAKEINTRESOURCEW(nIDTemplate), pParentWnd);
}

BOOL CDialog::Create(const wchar_t* pszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = pszTemplateName;
    const DLGTEMPLATE* pTemplate = LoadDialogTemplate(pszTemplateName);
    return pTemplate && CreateIndirect(pTemplate, pParentWnd);
}

BOOL CDialog::CreateIndirect(const DLGTEMPLATE* pDialogTemplate, CWnd* pParentWnd)
{
    if (pParentWnd)
        m_pParentWnd = pParentWnd;
    HWND hWndParent = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    return CreateDlgIndirect(pDialogTemplate, hWndParent);
}

BOOL CDialog::CreateDlgIndirect(const DLGTEMPLATE* pTemplate, HWND hWndParent)
{
    if (!pTemplate || m_hWnd)
        return FALSE;
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParamW(AfxGetResourceHandle(), pTemplate, hWndParent, AfxDlgProc, 0);
    if (!AfxUnhookWindowCreate())
        PostNcDestroy();
    return hWnd != nullptr;
}

INT_PTR CDialog::DoModal()
{
    const DLGTEMPLATE* pTemplate = m_lpDialogTemplate;
    if (!pTemplate && m_lpszTemplateName)
        pTemplate = LoadDialogTemplate(m_lpszTemplateName);
    if (!pTemplate || m_hWnd)
        return -1;

    HWND hWndOwner = ModalOwner(m_pParentWnd);
    const bool bEnableOwner = hWndOwner && ::IsWindowEnabled(hWndOwner);
    if (bEnableOwner)
        ::EnableWindow(hWndOwner, FALSE);

    m_nModalResult = -1;
    m_bContinueModal = true;  // set first: OnInitDialog may already end the dialog
    if (CreateDlgIndirect(pTemplate, hWndOwner) && m_bContinueModal)
        RunModalLoop();
    m_bContinueModal = false;

    if (m_hWnd)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    if (bEnableOwner)
        ::EnableWindow(hWndOwner, TRUE);
    if (hWndOwner && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hWndOwner);
    DestroyWindow();
    return m_nModalResult;
}

void CDialog::RunModalLoop()
{
    // A dialog that is not visible yet is shown once the queue first runs empty.
    bool bShowIdle = !(GetStyle() & WS_VISIBLE);
    MSG msg;
    while (m_bContinueModal && m_hWnd) {
        while (m_bContinueModal && !::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (bShowIdle) {
                bShowIdle = false;
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
            } else {
                ::WaitMessage();
            }
        }
        if (!m_bContinueModal)
            break;
        if (!::GetMessageW(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));  // leave WM_QUIT for the outer loop
            break;
        }
        if (!WalkPreTranslateTree(m_hWnd, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}

void CDialog::EndDialog(int nResult)
{
    if (m_bContinueModal) {
        m_nModalResult = nResult;
        m_bContinueModal = false;
    }
    if (m_hWnd)
        ::EndDialog(m_hWnd, nResult);  // hides the window and wakes the loop
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hWnd)
        return ::IsDialogMessageW(m_hWnd, pMsg);
    return FALSE;
}

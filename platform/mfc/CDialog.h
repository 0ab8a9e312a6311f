#pragma once
// Dialogs from template resources: modeless (Create) or modal (DoModal, the framework's own loop,
// so PreTranslateMessage of the dialog and its controls sees every input message).
#include "platform/mfc/CWnd.h"

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog() = default;
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    explicit CDialog(const wchar_t* pszTemplateName, CWnd* pParentWnd = nullptr);
    ~CDialog() override = default;

    // Modeless: the window exists (and OnInitDialog has run) when these return TRUE.
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    virtual BOOL Create(const wchar_t* pszTemplateName, CWnd* pParentWnd = nullptr);
    BOOL CreateIndirect(const DLGTEMPLATE* pDialogTemplate, CWnd* pParentWnd = nullptr);
    // Runs the dialog until EndDialog; returns its result, or -1 when it could not be created.
    virtual INT_PTR DoModal();
    // Ends the modal loop with nResult; a modeless dialog is hidden.
    void EndDialog(int nResult);

    // Runs UpdateData(FALSE); TRUE lets the system set the focus.
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    BOOL PreTranslateMessage(MSG* pMsg) override;

    const wchar_t* m_lpszTemplateName = nullptr;
    const DLGTEMPLATE* m_lpDialogTemplate = nullptr;
    CWnd* m_pParentWnd = nullptr;
    UINT m_nIDHelp = 0;

protected:
    DECLARE_MESSAGE_MAP()

    BOOL CreateDlgIndirect(const DLGTEMPLATE* pTemplate, HWND hWndParent);
    void RunModalLoop();

    INT_PTR m_nModalResult = -1;
    bool m_bContinueModal = false;
};

// The dialog procedure of framework dialogs: routes WM_INITDIALOG to OnInitDialog.
INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

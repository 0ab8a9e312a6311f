#pragma once
// Dialog data exchange: DoDataExchange binds controls to members (and would move values).
#include <windows.h>

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate) : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

    BOOL m_bSaveAndValidate;  // TRUE: controls -> members; FALSE: members -> controls
    CWnd* m_pDlgWnd;

    // The window of control nIDC in the dialog, or null.
    HWND PrepareCtrl(int nIDC) const;
};

// Subclasses control nIDC with rControl the first time (later exchanges leave it bound).
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

#include "platform/mfc/DataExchange.h"

#include "platform/mfc/CWnd.h"

HWND CDataExchange::PrepareCtrl(int nIDC) const
{
    return m_pDlgWnd ? ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC) : nullptr;
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd)
        return;
    if (HWND hWndControl = pDX->PrepareCtrl(nIDC))
        rControl.SubclassWindow(hWndControl);
}

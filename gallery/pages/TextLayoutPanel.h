#pragma once
// A panel of caption layouts: each cell shows one case of the toolkit's text layout in its box (the
// thin frame is the layout rectangle) with what the layout reported.
#include "platform/mfc/CWnd.h"

class CTextLayoutPanel : public CWnd {
public:
    BOOL Create(CWnd* pParent, const CRect& rc);
    // The whole panel into hDC (client coordinates); serves WM_PAINT and WM_PRINTCLIENT.
    void Paint(HDC hDC);

protected:
    void OnPaint();
    LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

#pragma once
// The bitmap buttons' pictures enlarged, transparent pixels as a chequer board, with the outline of
// the hit region that the bitmap store built for each drawn over it.
#include "platform/mfc/CWnd.h"

class CButtonRegionsWindow : public CWnd {
public:
    CButtonRegionsWindow() = default;
    ~CButtonRegionsWindow() override;

    BOOL Open(int x, int y);

protected:
    DECLARE_MESSAGE_MAP()
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
};

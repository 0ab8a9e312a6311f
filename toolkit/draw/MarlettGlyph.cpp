#include "toolkit/draw/MarlettGlyph.h"

void DrawMarlettGlyph(CDC* pDC, const RECT& rect, wchar_t ch, BOOL bBold)
{
    if (!pDC || !pDC->m_hDC)
        return;
    RECT r = rect;
    ::InflateRect(&r, -2, -2);
    CFont font;
    font.CreateFont(r.top - r.bottom, 0, 0, 0, bBold ? FW_BOLD : FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                    L"Marlett");
    CSelectGuard selectFont(pDC->m_hDC, font);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(&ch, 1, &r, DT_SINGLELINE | DT_CENTER);
    pDC->SetBkMode(nOldMode);
}

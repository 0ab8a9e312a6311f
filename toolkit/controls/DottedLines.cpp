#include "toolkit/controls/ControlText.h"

int DrawDottedLine(CDC* pDC, int nFrom, int nTo, int nFixed, BOOL bHorizontal, COLORREF clr)
{
    if (!pDC)
        return 0;
    auto dot = [&](int p) {
        if (bHorizontal)
            pDC->SetPixelV(p, nFixed, clr);
        else
            pDC->SetPixelV(nFixed, p, clr);
    };
    int p = nFrom;
    int nStep = 0;
    if (nFrom < nTo) {
        for (; p <= nTo; p += 2)
            dot(p);
        nStep = -1;
    } else {
        do {
            dot(p);
            p -= 2;
        } while (p >= nTo);
        nStep = 1;
    }
    if (p == nTo)
        return 2;
    return p + nStep == nTo ? 1 : 0;
}

void DrawDottedRect(CDC* pDC, const RECT* pRect, BOOL bDotFirstPixel, COLORREF clr)
{
    if (!pDC || !pRect)
        return;
    const int nLeft = pRect->left, nTop = pRect->top, nRight = pRect->right - 1, nBottom = pRect->bottom - 1;
    const int r1 = DrawDottedLine(pDC, bDotFirstPixel ? nLeft : nLeft + 1, nRight, nTop, TRUE, clr);
    const int r2 = DrawDottedLine(pDC, nTop + r1, nBottom, nRight, FALSE, clr);
    const int r3 = DrawDottedLine(pDC, nRight - r2, nLeft, nBottom, TRUE, clr);
    DrawDottedLine(pDC, nBottom - r3, nTop, nLeft, FALSE, clr);
}

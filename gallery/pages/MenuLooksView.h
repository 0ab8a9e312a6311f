#pragma once
// The three looks of themed menus side by side: for each, a menu bar with a normal, a hot and an
// open item, and a popup with every kind of item (plain, selected, checked, disabled, separator,
// accelerator, picture), drawn by the looks' own item functions.
#include "platform/mfc/CWnd.h"
#include "toolkit/menu/MenuTheme.h"
#include "toolkit/menu/VellMenu.h"

class CMenuLooksView : public CWnd {
public:
    CMenuLooksView();
    BOOL Create(CWnd* pParent, const CRect& rc, UINT nID);

protected:
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    struct Look {
        const wchar_t* pszName;
        MenuMeasureFn pfnMeasure;
        MenuDrawFn pfnDraw;
    };
    void PaintLook(CDC* pDC, const Look& look, int x, int y, int cx);

    CVellMenu m_sample;  // a menu bar whose first popup holds the sample items
};

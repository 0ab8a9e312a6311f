#pragma once
// Menu themes: how themed menu items are measured and drawn (a pair of item functions) and how the
// popup menu window around them is framed, filled and sized (virtual window operations). The menu
// hook creates the themes and makes one of them the active theme of the process.
#include "platform/mfc/CDC.h"

class CVellMenu;

using MenuMeasureFn = void (*)(CVellMenu* pMenu, MEASUREITEMSTRUCT* pMeasure, BOOL bMenuBar);
using MenuDrawFn = void (*)(CVellMenu* pMenu, DRAWITEMSTRUCT* pDraw, BOOL bMenuBar);

class CVellMenuTheme {
public:
    enum { kClassic = 0, kXP = 2, kFlatBar = 4 };

    CVellMenuTheme(int nId, MenuMeasureFn pfnMeasure, MenuDrawFn pfnDraw);
    virtual ~CVellMenuTheme() = default;
    CVellMenuTheme(const CVellMenuTheme&) = delete;
    CVellMenuTheme& operator=(const CVellMenuTheme&) = delete;

    // Takes the window's border and edge styles away (the theme paints its own frame).
    virtual BOOL AttachWindow(HWND hWnd);
    // Tells the shown themed menu that its popup closed and puts the saved styles back.
    virtual BOOL DetachWindow(HWND hWnd);
    virtual BOOL PaintFrame(HWND hWnd, HDC hDC);
    virtual BOOL EraseBackground(HWND hWnd, HDC hDC);
    // WM_NCCALCSIZE: shrinks the first rectangle by the margins; FALSE, so the default runs too.
    virtual BOOL AdjustClientArea(HWND hWnd, RECT* pRect);
    // WM_WINDOWPOSCHANGING: the window loses 2 pixels of width and height and moves up by 1.
    virtual BOOL AdjustWindowPos(HWND hWnd, WINDOWPOS* pPos);

    int m_nId;
    int m_nReserved = 1;
    MenuMeasureFn m_pfnMeasure;
    MenuDrawFn m_pfnDraw;
    int m_nLeftMargin = 2;
    int m_nTopMargin = 2;
    int m_nRightMargin = 2;
    int m_nBottomMargin = 2;
};

class CVellMenuThemeXP : public CVellMenuTheme {
public:
    CVellMenuThemeXP();
    BOOL PaintFrame(HWND hWnd, HDC hDC) override;
    BOOL EraseBackground(HWND hWnd, HDC hDC) override;
};

// The theme every themed menu uses; null until the menu hook sets it (and again after the hook).
CVellMenuTheme* ActiveMenuTheme();
void SetActiveMenuTheme(CVellMenuTheme* pTheme);

// The item functions of the looks.
void MeasureItemClassic(CVellMenu* pMenu, MEASUREITEMSTRUCT* pMeasure, BOOL bMenuBar);
void MeasureItemXP(CVellMenu* pMenu, MEASUREITEMSTRUCT* pMeasure, BOOL bMenuBar);
void DrawItemClassic(CVellMenu* pMenu, DRAWITEMSTRUCT* pDraw, BOOL bMenuBar);
void DrawItemFlatBar(CVellMenu* pMenu, DRAWITEMSTRUCT* pDraw, BOOL bMenuBar);
void DrawItemXP(CVellMenu* pMenu, DRAWITEMSTRUCT* pDraw, BOOL bMenuBar);

// Shared by the looks: the menu font (system menu font as Arial, height -11, bold on request),
// the check mark glyph, and the XP system-command glyphs.
void CreateMenuItemFont(CFont& font, BOOL bBold);
void DrawCheckGlyph(CDC* pDC, const RECT& rect, wchar_t ch, UINT nState);
// The arrow at the right end of a submenu item (grey when disabled); the item is then excluded
// from the DC's clipping, so the system's own arrow never lands on it.
void DrawSubmenuArrow(CDC* pDC, const RECT& rcItem, UINT nState, COLORREF clr);
void DrawSystemCommandGlyph(CDC* pDC, const RECT& rect, UINT nID, UINT nState);
// The Marlett glyph of a system command (restore, close, minimise, maximise); 0 for any other id.
wchar_t SystemCommandGlyph(UINT nID);
bool IsSystemCommandId(UINT nID);

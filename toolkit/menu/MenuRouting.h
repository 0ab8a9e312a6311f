#pragma once
// What a window with themed menus does with the menu messages: measuring of owner-drawn items,
// preparation of a popup about to open, and menu-character keys.
#include <windows.h>

class CVellMenu;

// WM_MEASUREITEM for menus: TRUE when a themed menu measured the item. The menu is looked for in
// the popup that CMenu::TrackPopupMenu has open for hWnd, then the window's menu, then its system
// menu.
BOOL MeasureMenuItemRouter(HWND hWnd, MEASUREITEMSTRUCT* pMeasure);
// The themed menu (hMenu or a submenu, depth first) that holds an item with this id and data.
CVellMenu* FindMenuByItem(HMENU hMenu, UINT_PTR nID, ULONG_PTR nData);
// WM_INITMENUPOPUP: tells the menu hook which popup opens and brings its records up to date.
void OnInitMenuPopupThemed(HWND hWnd, HMENU hPopup);
// WM_MENUCHAR: MNC_EXECUTE with the position of the first item whose text has "&" + the
// character (either case), else 0 (MNC_IGNORE).
LRESULT OnMenuCharThemed(UINT nChar, HMENU hMenu);

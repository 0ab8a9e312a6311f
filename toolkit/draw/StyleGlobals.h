#pragma once
// Process-wide values and helpers of the styled windows.
#include <windows.h>

// Registered message "WM_DIALOGSTACK": a toolkit dialog announces itself to the host's main window
// (wParam = the dialog object, lParam = 1 when it comes, 0 when it goes). Registered on first use,
// so static objects constructed at start-up in any order see it.
UINT DialogStackMessage();
#define WM_DIALOGSTACK DialogStackMessage()

// Which Windows the process runs on, computed on first use and kept:
// 0 non-NT below 4, 1 other NT (3.x, 5.2, 6.0 and later), 2 Windows 95, 3 Windows 98, 4 Windows Me,
// 5 NT 4, 6 Windows 2000, 7 Windows XP.
int OsClassCode();
// The rule above for the values of GetVersion and GetVersionExW.
int ClassifyOs(DWORD dwGetVersion, const OSVERSIONINFOW& info);

// Item data of the menu-bar item last drawn hot, 0 when none.
extern ULONG_PTR g_hotMenuBarItemData;

// Shows the system's text for GetLastError() in a message box captioned "Error"; nothing for 0.
void ReportLastError();

// Starts a timer with the first id from 31 to 99 that SetTimer accepts; 0 when none does or hWnd
// is not a window.
UINT_PTR StartFreeTimer(HWND hWnd, UINT nPeriod);

// Redraws one owner-drawn menu-bar item through WM_DRAWITEM with the given state; FALSE when the
// position is -1, the item has no rectangle or is not owner-drawn.
BOOL RedrawMenuBarItem(HWND hWnd, HMENU hMenu, int nPosition, UINT nState);

// The brush behind every control of a styled dialog, RGB(161, 177, 204), kept for the process.
HBRUSH ControlBackBrush();

#pragma once
// The messages the Qt-hosted list controls send to their dialog (wParam: the control's id; lParam:
// the item, the drop event, a header section or a scroll percentage).
#include <windows.h>

constexpr UINT QLM_COLLAPSED = WM_USER + 0x82;
constexpr UINT QLM_EXPANDED = WM_USER + 0x83;
constexpr UINT QLM_ITEMRENAMED = WM_USER + 0x84;
constexpr UINT QLM_DROPPED = WM_USER + 0x85;
constexpr UINT QLM_ONVIEWPORT = WM_USER + 0x86;
constexpr UINT QLM_ONITEM = WM_USER + 0x87;
constexpr UINT QLM_CLICKED = WM_USER + 0x88;
constexpr UINT QLM_PRESSED = WM_USER + 0x89;
constexpr UINT QLM_RIGHTBUTTONCLICKED = WM_USER + 0x8A;
constexpr UINT QLM_RETURNPRESSED = WM_USER + 0x8B;
constexpr UINT QLM_DOUBLECLICKED = WM_USER + 0x8C;
constexpr UINT QLM_CURRENTCHANGED = WM_USER + 0x8D;
constexpr UINT QLM_SELECTIONCHANGED = WM_USER + 0x8E;
constexpr UINT QLM_KILLFOCUS = WM_USER + 0x8F;
constexpr UINT QLM_HEADERCLICKED = WM_USER + 0x90;
constexpr UINT QLM_VSCROLL = WM_USER + 0x91;

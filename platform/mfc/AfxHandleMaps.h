#pragma once
// The thread's handle maps (framework-internal).
#include "platform/mfc/HandleMap.h"

class CWnd;
class CMenu;
class CDC;
class CGdiObject;

CHandleMap<CWnd, HWND>& afxMapHWND();
CHandleMap<CMenu, HMENU>& afxMapHMENU();
CHandleMap<CDC, HDC>& afxMapHDC();
CHandleMap<CGdiObject, HGDIOBJ>& afxMapHGDIOBJ();

// True while a framework window procedure runs on this thread (temporaries then die with it).
bool afxInDispatch();

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

// Makes sure the thread's temporaries are deleted when it ends.
void afxRegisterThreadCleanup();

// A new map for this thread. Maps live as long as the process; their temporaries are deleted
// when the thread ends.
template <class T, class H>
CHandleMap<T, H>* afxNewHandleMap(typename CHandleMap<T, H>::CreateTemp create,
                                  typename CHandleMap<T, H>::DeleteTemp destroy,
                                  typename CHandleMap<T, H>::StillFits fits = nullptr)
{
    afxRegisterThreadCleanup();
    return new CHandleMap<T, H>(create, destroy, fits);
}

// True while a framework window procedure runs on this thread (temporaries then die with it).
bool afxInDispatch();

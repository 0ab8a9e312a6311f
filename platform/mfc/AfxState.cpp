#include "platform/mfc/AfxState.h"

#include "platform/mfc/AfxHandleMaps.h"
#include "platform/mfc/CWinApp.h"

AFX_THREAD_STATE* AfxGetThreadState()
{
    thread_local AFX_THREAD_STATE state;
    return &state;
}

bool afxInDispatch()
{
    return AfxGetThreadState()->m_nDispatchDepth > 0;
}

void AfxDeleteTempMaps(bool bDispatchOnly)
{
    afxMapHWND().DeleteTemporaries(bDispatchOnly);
    afxMapHMENU().DeleteTemporaries(bDispatchOnly);
    afxMapHDC().DeleteTemporaries(bDispatchOnly);
    afxMapHGDIOBJ().DeleteTemporaries(bDispatchOnly);
}

AfxDispatchScope::AfxDispatchScope()
{
    ++AfxGetThreadState()->m_nDispatchDepth;
}

AfxDispatchScope::~AfxDispatchScope()
{
    if (--AfxGetThreadState()->m_nDispatchDepth == 0)
        AfxDeleteTempMaps(true);
}

HINSTANCE AfxGetInstanceHandle()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp && pApp->m_hInstance)
        return pApp->m_hInstance;
    return GetModuleHandleW(nullptr);
}

HINSTANCE AfxGetResourceHandle()
{
    return AfxGetInstanceHandle();
}

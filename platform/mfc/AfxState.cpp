#include "platform/mfc/AfxState.h"

#include "platform/mfc/AfxHandleMaps.h"
#include "platform/mfc/CWinApp.h"

AFX_THREAD_STATE* AfxGetThreadState()
{
    thread_local AFX_THREAD_STATE state;
    return &state;
}

namespace {

// Deletes the thread's temporary wrappers when the thread ends. The maps themselves stay: a static
// object (a brush, a menu) may unbind from them while the process exits, after thread storage is gone.
struct TempMapCleanup {
    ~TempMapCleanup() { AfxDeleteTempMaps(false); }
};

}  // namespace

void afxRegisterThreadCleanup()
{
    thread_local TempMapCleanup cleanup;
    (void)cleanup;
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

#include "platform/mfc/CWinThread.h"

#include "platform/mfc/AfxState.h"

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

CWinThread::CWinThread()
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (!pState->m_pCurrentWinThread)
        pState->m_pCurrentWinThread = this;
}

CWinThread::~CWinThread()
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_pCurrentWinThread == this)
        pState->m_pCurrentWinThread = nullptr;
}

CWinThread* AfxGetThread()
{
    return AfxGetThreadState()->m_pCurrentWinThread;
}

CWnd* AfxGetMainWnd()
{
    CWinThread* pThread = AfxGetThread();
    return pThread ? pThread->GetMainWnd() : nullptr;
}

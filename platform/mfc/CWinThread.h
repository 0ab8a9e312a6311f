#pragma once
// A user-interface thread of the framework; the application object is the one of the main thread.
#include "platform/mfc/CCmdTarget.h"

class CWnd;

class CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)
public:
    // Becomes the framework thread object of the constructing thread, unless that has one already.
    CWinThread();
    ~CWinThread() override;
    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;

    // The thread's main window; cleared when that window is destroyed.
    CWnd* m_pMainWnd = nullptr;
    virtual CWnd* GetMainWnd() { return m_pMainWnd; }
};

CWinThread* AfxGetThread();
CWnd* AfxGetMainWnd();

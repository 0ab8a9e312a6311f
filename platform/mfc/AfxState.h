#pragma once
// The framework's per-thread state: the message being handled, window creation, the current thread.
#include <windows.h>

class CWnd;
class CWinThread;

struct AFX_THREAD_STATE {
    // The message that the innermost framework window procedure of this thread is handling
    // (what CWnd::GetCurrentMessage returns and CWnd::Default hands on).
    MSG m_lastSentMsg{};
    // The object that the next window created on this thread is bound to (see AfxHookWindowCreate).
    CWnd* m_pWndInit = nullptr;
    HHOOK m_hHookCbt = nullptr;
    int m_nHookNesting = 0;
    // Nesting of framework window procedure calls; temporary wrappers made inside die at 0.
    int m_nDispatchDepth = 0;
    CWinThread* m_pCurrentWinThread = nullptr;
    // The popup that CMenu::TrackPopupMenu has open and the window that owns it; null otherwise.
    HMENU m_hTrackingMenu = nullptr;
    HWND m_hTrackingWindow = nullptr;
};

AFX_THREAD_STATE* AfxGetThreadState();

// Deletes the temporary handle wrappers of this thread (windows, menus, device contexts, GDI objects).
// bDispatchOnly keeps those made outside any window procedure.
void AfxDeleteTempMaps(bool bDispatchOnly = false);

// Marks the thread inside or outside a window procedure: leaving the outermost level deletes the
// temporary wrappers made inside it. Window procedures outside the framework (message hooks) that
// hand out wrappers may use it as well.
class AfxDispatchScope {
public:
    AfxDispatchScope();
    ~AfxDispatchScope();
    AfxDispatchScope(const AfxDispatchScope&) = delete;
    AfxDispatchScope& operator=(const AfxDispatchScope&) = delete;
};

// The module that dialog templates, bitmaps, menus and strings are loaded from.
HINSTANCE AfxGetResourceHandle();
HINSTANCE AfxGetInstanceHandle();

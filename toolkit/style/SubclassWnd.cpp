#include "toolkit/style/SubclassWnd.h"

IMPLEMENT_DYNAMIC(CSubclassWnd, CObject)
IMPLEMENT_DYNAMIC(CSubclassWndMap, CMapPtrToPtr)

CSubclassWnd::~CSubclassWnd()
{
    if (m_hooked)
        HookTo(nullptr);
}

BOOL CSubclassWnd::HookTo(CWnd* pWnd)
{
    if (pWnd) {
        if (!pWnd->m_hWnd)
            return TRUE;
        if (m_hooked)
            HookTo(nullptr);  // a hook lives in one chain only
        CSubclassWndMap::Instance().AddHook(pWnd->m_hWnd, this);
        m_hooked = pWnd;
    } else if (m_hooked) {
        CSubclassWndMap::Instance().RemoveHook(this);
        m_hooked = nullptr;
        m_prevProc = nullptr;
        m_hWndHooked = nullptr;
    }
    return TRUE;
}

LRESULT CSubclassWnd::HandOn(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_hooked) {
        if (m_chainNext)
            return m_chainNext->HandleMessage(message, wParam, lParam);
        if (m_prevProc)
            return ::CallWindowProcW(m_prevProc, m_hWndHooked, message, wParam, lParam);
        return 0;
    }
    // Detached while handling this message: the chain as it is now decides (m_chainNext may name a
    // hook that has gone since).
    if (!m_hWndLast)
        return 0;
    const CSubclassWndMap& map = CSubclassWndMap::Instance();
    if (CSubclassWnd* pOlder = map.FindOlderHook(m_hWndLast, m_nSerial))
        return pOlder->HandleMessage(message, wParam, lParam);
    WNDPROC pfnOriginal = map.OriginalProc(m_hWndLast);
    if (!pfnOriginal)
        pfnOriginal = m_pfnLast;
    return pfnOriginal ? ::CallWindowProcW(pfnOriginal, m_hWndLast, message, wParam, lParam)
                       : ::DefWindowProcW(m_hWndLast, message, wParam, lParam);
}

LRESULT CSubclassWnd::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return HandOn(message, wParam, lParam);
}

LRESULT CSubclassWnd::PassOn()
{
    const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    return HandOn(msg.message, msg.wParam, msg.lParam);
}

CSubclassWndMap& CSubclassWndMap::Instance()
{
    static CSubclassWndMap* s_pMap = new CSubclassWndMap;
    return *s_pMap;
}

CSubclassWnd* CSubclassWndMap::FindHook(HWND hWnd) const
{
    void* pHook = nullptr;
    return Lookup(hWnd, pHook) ? static_cast<CSubclassWnd*>(pHook) : nullptr;
}

CSubclassWnd* CSubclassWndMap::FindOlderHook(HWND hWnd, unsigned nSerial) const
{
    for (CSubclassWnd* p = FindHook(hWnd); p; p = p->m_chainNext) {
        if (p->m_nSerial < nSerial)
            return p;
    }
    return nullptr;
}

WNDPROC CSubclassWndMap::ProcBelowForeign(HWND hWnd) const
{
    void* pProc = nullptr;
    return m_belowForeign.Lookup(hWnd, pProc) ? reinterpret_cast<WNDPROC>(pProc) : nullptr;
}

WNDPROC CSubclassWndMap::OriginalProc(HWND hWnd) const
{
    if (const CSubclassWnd* pHead = FindHook(hWnd))
        return pHead->m_prevProc;
    return ProcBelowForeign(hWnd);
}

void CSubclassWndMap::AddHook(HWND hWnd, CSubclassWnd* pHook)
{
    CSubclassWnd* pHead = FindHook(hWnd);
    pHook->m_chainNext = pHead;
    pHook->m_hWndHooked = hWnd;
    pHook->m_nSerial = ++m_nLastSerial;
    SetAt(hWnd, pHook);
    if (pHead) {
        pHook->m_prevProc = pHead->m_prevProc;
    } else if (WNDPROC pfnBelow = ProcBelowForeign(hWnd)) {
        // ChainWndProc still runs below another procedure: the chain starts again there.
        pHook->m_prevProc = pfnBelow;
        m_belowForeign.RemoveKey(hWnd);
    } else {
        pHook->m_prevProc = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ChainWndProc)));
    }
    pHook->m_hWndLast = hWnd;
    pHook->m_pfnLast = pHook->m_prevProc;
}

void CSubclassWndMap::RemoveHook(CSubclassWnd* pHook)
{
    HWND hWnd = pHook->m_hWndHooked;
    CSubclassWnd* pHead = FindHook(hWnd);
    if (!pHead)
        return;
    if (pHead == pHook) {
        if (pHook->m_chainNext) {
            SetAt(hWnd, pHook->m_chainNext);
        } else {
            RemoveKey(hWnd);
            // Only our own procedure is replaced; one installed on top of it keeps calling it.
            if (::GetWindowLongPtrW(hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&ChainWndProc))
                ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pHook->m_prevProc));
            else if (::IsWindow(hWnd))
                m_belowForeign.SetAt(hWnd, reinterpret_cast<void*>(pHook->m_prevProc));
        }
        return;
    }
    for (CSubclassWnd* p = pHead; p; p = p->m_chainNext) {
        if (p->m_chainNext == pHook) {
            p->m_chainNext = pHook->m_chainNext;
            return;
        }
    }
}

void CSubclassWndMap::RemoveAllHooks(HWND hWnd)
{
    while (CSubclassWnd* pHook = FindHook(hWnd))
        pHook->HookTo(nullptr);
}

LRESULT CALLBACK ChainWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    const MSG savedMsg = pState->m_lastSentMsg;
    pState->m_lastSentMsg.hwnd = hWnd;
    pState->m_lastSentMsg.message = message;
    pState->m_lastSentMsg.wParam = wParam;
    pState->m_lastSentMsg.lParam = lParam;

    LRESULT lResult = 0;
    {
        AfxDispatchScope scope;
        CSubclassWndMap& map = CSubclassWndMap::Instance();
        CSubclassWnd* pHead = map.FindHook(hWnd);
        try {
            if (message == WM_NCDESTROY || !pHead) {
                // No hook sees the end of its window: they all leave first.
                WNDPROC pfnPrev = map.OriginalProc(hWnd);
                map.RemoveAllHooks(hWnd);
                if (message == WM_NCDESTROY) {
                    map.m_belowForeign.RemoveKey(hWnd);
                } else if (pfnPrev && ::GetWindowLongPtrW(hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&ChainWndProc)) {
                    // On top again with no hook left: the window gets its own procedure back.
                    ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pfnPrev));
                    map.m_belowForeign.RemoveKey(hWnd);
                }
                lResult = pfnPrev ? ::CallWindowProcW(pfnPrev, hWnd, message, wParam, lParam)
                                  : ::DefWindowProcW(hWnd, message, wParam, lParam);
            } else {
                lResult = pHead->HandleMessage(message, wParam, lParam);
            }
        } catch (...) {
            lResult = 0;  // nothing unwinds into the system's message dispatch
        }
    }
    pState->m_lastSentMsg = savedMsg;
    return lResult;
}

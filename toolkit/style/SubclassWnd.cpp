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
    if (m_chainNext)
        return m_chainNext->HandleMessage(message, wParam, lParam);
    if (m_prevProc)
        return ::CallWindowProcW(m_prevProc, m_hWndHooked, message, wParam, lParam);
    return 0;
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

void CSubclassWndMap::AddHook(HWND hWnd, CSubclassWnd* pHook)
{
    CSubclassWnd* pHead = FindHook(hWnd);
    pHook->m_chainNext = pHead;
    pHook->m_hWndHooked = hWnd;
    SetAt(hWnd, pHook);
    if (pHead) {
        pHook->m_prevProc = pHead->m_prevProc;
    } else {
        pHook->m_prevProc = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ChainWndProc)));
    }
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
            ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pHook->m_prevProc));
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
                WNDPROC pfnPrev = pHead ? pHead->m_prevProc : nullptr;
                map.RemoveAllHooks(hWnd);
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

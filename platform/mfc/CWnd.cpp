// Binding windows to objects: the handle map, creation hook, subclassing and the window procedure.
#include "platform/mfc/CWnd.h"

#include "platform/mfc/AfxHandleMaps.h"
#include "platform/mfc/CWinThread.h"
#include "platform/mfc/DataExchange.h"

#include <cwchar>
#include <map>
#include <tuple>

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_NCDESTROY()
    ON_WM_MEASUREITEM()
    ON_WM_DRAWITEM()
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

namespace {

CWnd* NewTempWnd(HWND h)
{
    CWnd* p = new CWnd;
    p->m_hWnd = h;
    return p;
}

void DeleteTempWnd(CWnd* p)
{
    p->m_hWnd = nullptr;  // a temporary never destroys the window
    delete p;
}

// What a window procedure returns when a handler threw: creation fails, painting is considered
// done (else WM_PAINT would come back at once), anything else gets 0.
LRESULT ResultAfterException(HWND hWnd, UINT nMsg)
{
    switch (nMsg) {
    case WM_CREATE: return -1;
    case WM_PAINT: ::ValidateRect(hWnd, nullptr); return 0;
    default: return 0;
    }
}

bool IsImeWindow(HWND hWnd)
{
    wchar_t szClass[16] = {};
    ::GetClassNameW(hWnd, szClass, 16);
    return _wcsicmp(szClass, L"IME") == 0;
}

LRESULT CALLBACK AfxCbtFilterHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (nCode == HCBT_CREATEWND && pState->m_pWndInit) {
        HWND hWnd = reinterpret_cast<HWND>(wParam);
        // The system may create its input-method window for the thread first: not ours.
        if (!IsImeWindow(hWnd)) {
            CWnd* pWnd = pState->m_pWndInit;
            pState->m_pWndInit = nullptr;
            if (pWnd->Attach(hWnd)) {
                try {
                    pWnd->PreSubclassWindow();
                } catch (...) {
                    // Nothing unwinds through the system's hook dispatch; the binding stands.
                }
                const auto pfnOld = reinterpret_cast<WNDPROC>(
                    ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
                if (pfnOld != &AfxWndProc)
                    pWnd->m_pfnSuper = pfnOld;
            }
        }
    }
    return ::CallNextHookEx(pState->m_hHookCbt, nCode, wParam, lParam);
}

LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    const MSG oldMsg = pState->m_lastSentMsg;
    pState->m_lastSentMsg.hwnd = hWnd;
    pState->m_lastSentMsg.message = nMsg;
    pState->m_lastSentMsg.wParam = wParam;
    pState->m_lastSentMsg.lParam = lParam;

    LRESULT lResult = 0;
    {
        AfxDispatchScope scope;
        try {
            lResult = pWnd->WindowProc(nMsg, wParam, lParam);
        } catch (...) {
            lResult = ResultAfterException(hWnd, nMsg);
        }
        // A handler of WM_NCDESTROY that skipped the base still must not leave the object bound.
        // (pWnd may be deleted by now; it is only compared, never used, unless still in the map.)
        if (nMsg == WM_NCDESTROY && afxMapHWND().LookupPermanent(hWnd) == pWnd) {
            try {
                pWnd->UnbindAfterNcDestroy();
            } catch (...) {
            }
        }
    }
    pState->m_lastSentMsg = oldMsg;
    return lResult;
}

}  // namespace

CHandleMap<CWnd, HWND>& afxMapHWND()
{
    // Never destroyed: objects with static storage may still unbind at exit (see AfxState.cpp).
    thread_local auto* pMap = afxNewHandleMap<CWnd, HWND>(NewTempWnd, DeleteTempWnd);
    return *pMap;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (!pWnd || pWnd->m_hWnd != hWnd)
        return ::DefWindowProcW(hWnd, nMsg, wParam, lParam);
    return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

void AfxHookWindowCreate(CWnd* pWnd)
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_nHookNesting++ == 0 && !pState->m_hHookCbt)
        pState->m_hHookCbt = ::SetWindowsHookExW(WH_CBT, AfxCbtFilterHook, nullptr, ::GetCurrentThreadId());
    pState->m_pWndInit = pWnd;
}

bool AfxUnhookWindowCreate()
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    const bool bBound = pState->m_pWndInit == nullptr;
    pState->m_pWndInit = nullptr;
    if (pState->m_nHookNesting > 0 && --pState->m_nHookNesting == 0 && pState->m_hHookCbt) {
        ::UnhookWindowsHookEx(pState->m_hHookCbt);
        pState->m_hHookCbt = nullptr;
    }
    return bBound;
}

const wchar_t* AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    // One class per distinct set; the names live as long as the process.
    using Key = std::tuple<UINT, HCURSOR, HBRUSH, HICON>;
    static std::map<Key, std::wstring> s_names;
    const Key key{nClassStyle, hCursor, hbrBackground, hIcon};
    const auto it = s_names.find(key);
    if (it != s_names.end())
        return it->second.c_str();
    wchar_t szName[96];
    swprintf(szName, 96, L"LumbraWnd:%x:%llx:%llx:%llx", nClassStyle,
             static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(hCursor)),
             static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(hbrBackground)),
             static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(hIcon)));
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = nClassStyle;
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.hIcon = hIcon;
    wc.lpszClassName = szName;
    if (!::RegisterClassExW(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return nullptr;
    return s_names.emplace(key, szName).first->second.c_str();
}

CWnd::~CWnd()
{
    if (!m_hWnd)
        return;
    if (FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
    if (m_hWnd)
        Detach();
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    return afxMapHWND().FromHandle(hWnd, afxInDispatch());
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    return hWnd ? afxMapHWND().LookupPermanent(hWnd) : nullptr;
}

const MSG* CWnd::GetCurrentMessage()
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    pState->m_lastSentMsg.time = static_cast<DWORD>(::GetMessageTime());
    pState->m_lastSentMsg.pt = CPoint(::GetMessagePos());
    return &pState->m_lastSentMsg;
}

BOOL CWnd::Attach(HWND hWnd)
{
    if (!hWnd || m_hWnd || !::IsWindow(hWnd) || !afxMapHWND().SetPermanent(hWnd, this))
        return FALSE;
    m_hWnd = hWnd;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND h = m_hWnd;
    if (h)
        afxMapHWND().RemovePermanent(h, this);
    m_hWnd = nullptr;
    return h;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    const auto pfnOld = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    if (!pfnOld) {
        Detach();
        return FALSE;
    }
    if (pfnOld != &AfxWndProc)
        m_pfnSuper = pfnOld;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    if (!pParent)
        return FALSE;
    HWND hWndControl = ::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID));
    return hWndControl && SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow()
{
    if (!m_hWnd)
        return nullptr;
    // Only give the procedure back if nobody subclassed the window after us.
    const auto pfnNow = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC));
    if (pfnNow == &AfxWndProc && m_pfnSuper)
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    return Detach();
}

void CWnd::UnbindAfterNcDestroy()
{
    HWND hWnd = m_hWnd;
    if (!hWnd)
        return;
    if (CWinThread* pThread = AfxGetThread()) {
        if (pThread->m_pMainWnd == this)
            pThread->m_pMainWnd = nullptr;
    }
    const auto pfnNow = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC));
    if (pfnNow == &AfxWndProc && m_pfnSuper)
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    Detach();
    PostNcDestroy();
}

BOOL CWnd::PreCreateWindow(CREATESTRUCTW& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    return cs.lpszClass != nullptr;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, const wchar_t* pszClassName, const wchar_t* pszWindowName, DWORD dwStyle, int x,
                    int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, void* pParam)
{
    if (m_hWnd)
        return FALSE;
    CREATESTRUCTW cs{};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = pszClassName;
    cs.lpszName = pszWindowName;
    cs.style = static_cast<LONG>(dwStyle);
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = pParam;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateWindowExW(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x, cs.y,
                                  cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    if (!AfxUnhookWindowCreate())
        PostNcDestroy();  // never bound: nothing else will call it
    return hWnd != nullptr;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, const wchar_t* pszClassName, const wchar_t* pszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, void* pParam)
{
    return CreateEx(dwExStyle, pszClassName, pszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, pParentWnd ? pParentWnd->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), pParam);
}

BOOL CWnd::Create(const wchar_t* pszClassName, const wchar_t* pszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, pszClassName, pszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

BOOL CWnd::DestroyWindow()
{
    HWND hWnd = m_hWnd;
    if (!hWnd)
        return FALSE;
    const bool bBound = FromHandlePermanent(hWnd) == this;
    const BOOL bResult = ::DestroyWindow(hWnd);
    // A bound object was unbound at WM_NCDESTROY and may be deleted by now: only the map is read.
    if (!bBound)
        m_hWnd = nullptr;  // a temporary wrapper
    else if (afxMapHWND().LookupPermanent(hWnd) == this)
        Detach();  // attached without subclassing: WM_NCDESTROY never came here
    return bResult;
}

void CWnd::PreSubclassWindow()
{
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

void CWnd::PostNcDestroy()
{
}

void CWnd::DoDataExchange(CDataExchange*)
{
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = 0;
    BOOL bHandled = FALSE;
    if (message == WM_COMMAND) {
        bHandled = OnCommand(wParam, lParam);
        lResult = 1;
    } else if (message == WM_NOTIFY) {
        bHandled = lParam != 0 && OnNotify(wParam, lParam, &lResult);
    } else if (const AFX_MSGMAP_ENTRY* pEntry = FindMessageEntry(message)) {
        lResult = pEntry->pfn(this, message, wParam, lParam);
        bHandled = TRUE;
    }
    if (bHandled && pResult)
        *pResult = lResult;
    return bHandled;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT nID = LOWORD(wParam);
    HWND hWndControl = reinterpret_cast<HWND>(lParam);
    int nCode = HIWORD(wParam);
    if (!hWndControl)
        nCode = CN_COMMAND;  // menu item (0) or accelerator (1)
    else if (ReflectLastMsg(hWndControl))
        return TRUE;  // the control handled its own notification
    return OnCmdMsg(nID, nCode, nullptr);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const NMHDR* pHeader = reinterpret_cast<const NMHDR*>(lParam);
    if (ReflectLastMsg(pHeader->hwndFrom, pResult))
        return TRUE;
    const AFX_MSGMAP_ENTRY* pEntry =
        FindCommandEntry(WM_NOTIFY, static_cast<UINT>(pHeader->code), static_cast<UINT>(pHeader->idFrom));
    if (!pEntry)
        return FALSE;
    const LRESULT lResult = pEntry->pfn(this, WM_NOTIFY, wParam, lParam);
    if (pResult)
        *pResult = lResult;
    return TRUE;
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message) {
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_PARENTNOTIFY:
        return CWnd::OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
    case WM_COMMAND:
        if (const AFX_MSGMAP_ENTRY* pEntry = FindCommandEntry(WM_REFLECT_BASE + WM_COMMAND, HIWORD(wParam), 0)) {
            pEntry->pfn(this, WM_REFLECT_BASE + WM_COMMAND, wParam, lParam);
            if (pResult)
                *pResult = 1;
            return TRUE;
        }
        return FALSE;
    case WM_NOTIFY: {
        const NMHDR* pHeader = reinterpret_cast<const NMHDR*>(lParam);
        const AFX_MSGMAP_ENTRY* pEntry =
            pHeader ? FindCommandEntry(WM_REFLECT_BASE + WM_NOTIFY, static_cast<UINT>(pHeader->code), 0) : nullptr;
        if (!pEntry)
            return FALSE;
        const LRESULT lResult = pEntry->pfn(this, WM_REFLECT_BASE + WM_NOTIFY, wParam, lParam);
        if (pResult)
            *pResult = lResult;
        return TRUE;
    }
    default:
        if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
            const AFX_MSGMAP_ENTRY* pEntry = FindMessageEntry(WM_REFLECT_BASE + message);
            if (!pEntry)
                return FALSE;
            const LRESULT lBrush = pEntry->pfn(this, WM_REFLECT_BASE + message, wParam, lParam);
            if (!lBrush)
                return FALSE;  // the control left its colours to the parent
            if (pResult)
                *pResult = lBrush;
            return TRUE;
        }
        return FALSE;
    }
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult)
{
    const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    return OnChildNotify(msg.message, msg.wParam, msg.lParam, pResult);
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    CWnd* pWnd = FromHandlePermanent(hWndChild);
    return pWnd && pWnd->SendChildNotifyLastMsg(pResult);
}

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

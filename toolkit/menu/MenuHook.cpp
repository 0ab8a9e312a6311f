#include "toolkit/menu/MenuHook.h"

#include "platform/mfc/AfxState.h"
#include "platform/mfc/CCriticalSection.h"
#include "platform/mfc/CDC.h"
#include "toolkit/menu/MenuTheme.h"
#include "toolkit/draw/StyleGlobals.h"

namespace {

constexpr wchar_t kOldMenuProc[] = L"OldMenuProc";

// Thread id -> hook, under its critical section. Made on first use and never destroyed, so hooks
// of static objects find it until their very end.
struct MenuHookRegistry {
    CCriticalSection section;
    CTypedPtrMap<CMapPtrToPtr, UINT_PTR, CVellMenuHook*> hooks{10};

    static MenuHookRegistry& Instance()
    {
        static auto* s_pRegistry = new MenuHookRegistry;
        return *s_pRegistry;
    }
};

WNDPROC SavedProc(HWND hWnd)
{
    return reinterpret_cast<WNDPROC>(::GetPropW(hWnd, kOldMenuProc));
}

}  // namespace

CVellMenuHook* CurrentThreadMenuHook()
{
    MenuHookRegistry& registry = MenuHookRegistry::Instance();
    CSingleLock lock(&registry.section, TRUE);
    CVellMenuHook* pHook = nullptr;
    registry.hooks.Lookup(::GetCurrentThreadId(), pHook);
    return pHook;
}

CMenuHookData* CurrentMenuHookData(HWND hWnd)
{
    CVellMenuHook* pHook = CurrentThreadMenuHook();
    return pHook ? pHook->FindData(hWnd) : nullptr;
}

CVellMenuHook::CVellMenuHook(InstallFn pfnInstall) : m_windows(10), m_dwThreadId(::GetCurrentThreadId())
{
    AddTheme(new CVellMenuTheme(CVellMenuTheme::kClassic, MeasureItemClassic, DrawItemClassic));
    AddTheme(new CVellMenuTheme(CVellMenuTheme::kFlatBar, MeasureItemClassic, DrawItemFlatBar));
    AddTheme(new CVellMenuThemeXP);
    // The XP look becomes the process's theme, unless a hook made earlier has set one already.
    if (!ActiveMenuTheme()) {
        if (CVellMenuTheme* pTheme = FindTheme(CVellMenuTheme::kClassic))
            SetActiveMenuTheme(pTheme);
        if (CVellMenuTheme* pTheme = FindTheme(CVellMenuTheme::kXP))
            SetActiveMenuTheme(pTheme);
    }

    if (CurrentThreadMenuHook() || m_hHook)
        return;
    m_hHook = pfnInstall ? pfnInstall(WH_CALLWNDPROC, MenuHookProc, nullptr, m_dwThreadId) : nullptr;
    if (!m_hHook)
        return;  // popups keep the system's look; the program carries on
    MenuHookRegistry& registry = MenuHookRegistry::Instance();
    CSingleLock lock(&registry.section, TRUE);
    registry.hooks.SetAt(m_dwThreadId, this);
}

CVellMenuHook::~CVellMenuHook()
{
    {
        MenuHookRegistry& registry = MenuHookRegistry::Instance();
        CSingleLock lock(&registry.section, TRUE);
        CVellMenuHook* pHook = nullptr;
        if (registry.hooks.Lookup(m_dwThreadId, pHook) && pHook == this)
            registry.hooks.RemoveKey(m_dwThreadId);
    }
    if (m_hHook) {
        if (!::UnhookWindowsHookEx(m_hHook))
            ReportLastError();
        m_hHook = nullptr;
    }
    POSITION pos = m_windows.GetStartPosition();
    while (pos) {
        HWND hWnd = nullptr;
        CMenuHookData* pData = nullptr;
        m_windows.GetNextAssoc(pos, hWnd, pData);
        delete pData;
    }
    m_windows.RemoveAll();
    if (m_pThemes) {
        while (!m_pThemes->IsEmpty()) {
            CVellMenuTheme* pTheme = m_pThemes->RemoveHead();
            if (ActiveMenuTheme() == pTheme)
                SetActiveMenuTheme(nullptr);
            delete pTheme;
        }
        delete m_pThemes;
        m_pThemes = nullptr;
    }
}

BOOL CVellMenuHook::AddTheme(CVellMenuTheme* pTheme)
{
    if (!m_pThemes)
        m_pThemes = new CTypedPtrList<CPtrList, CVellMenuTheme*>(10);
    if (!pTheme || m_pThemes->Find(pTheme))
        return FALSE;
    m_pThemes->AddTail(pTheme);
    return TRUE;
}

CVellMenuTheme* CVellMenuHook::FindTheme(int nId) const
{
    if (!m_pThemes)
        return nullptr;
    for (POSITION pos = m_pThemes->GetHeadPosition(); pos;) {
        CVellMenuTheme* pTheme = m_pThemes->GetNext(pos);
        if (pTheme->m_nId == nId)
            return pTheme;
    }
    return nullptr;
}

CMenuHookData* CVellMenuHook::FindData(HWND hWnd) const
{
    CMenuHookData* pData = nullptr;
    return m_windows.Lookup(hWnd, pData) ? pData : nullptr;
}

LRESULT CALLBACK CVellMenuHook::MenuHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HC_ACTION) {
        const auto* pMsg = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (pMsg && (pMsg->message == WM_CREATE || pMsg->message == kMenuReshowMessage))
            SubclassMenuWindow(pMsg->hwnd, pMsg->message == kMenuReshowMessage);
    }
    CVellMenuHook* pHook = CurrentThreadMenuHook();
    return ::CallNextHookEx(pHook ? pHook->m_hHook : nullptr, nCode, wParam, lParam);
}

BOOL CVellMenuHook::SubclassMenuWindow(HWND hWnd, BOOL bAlreadyShowing)
{
    wchar_t szClass[20] = {};
    if (::GetClassNameW(hWnd, szClass, 20) != 6 || lstrcmpW(szClass, L"#32768") != 0)
        return FALSE;
    CVellMenuHook* pHook = CurrentThreadMenuHook();
    if (!pHook)
        return FALSE;  // popups of threads without a hook keep the system's look
    BOOL bResult = FALSE;
    if (!pHook->FindData(hWnd)) {
        const auto pfnProc = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC));
        if (pfnProc && !SavedProc(hWnd) && !::SetPropW(hWnd, kOldMenuProc, reinterpret_cast<HANDLE>(pfnProc)))
            ReportLastError();
        if (pfnProc && SavedProc(hWnd) == pfnProc) {
            ::GlobalAddAtomW(kOldMenuProc);
            auto* pData = new CMenuHookData;
            pData->m_dwSavedStyle = static_cast<DWORD>(::GetWindowLongPtrW(hWnd, GWL_STYLE));
            pData->m_dwSavedExStyle = static_cast<DWORD>(::GetWindowLongPtrW(hWnd, GWL_EXSTYLE));
            pData->m_dwFlags = bAlreadyShowing ? CMenuHookData::kWasShowing : 0;
            pData->m_hMenu = pHook->m_hPendingMenu;
            pHook->m_hPendingMenu = nullptr;
            pHook->m_windows.SetAt(hWnd, pData);
            ::SetLastError(0);
            if (!::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(MenuWindowProc)))
                ReportLastError();
            if (CVellMenuTheme* pTheme = ActiveMenuTheme())
                pTheme->AttachWindow(hWnd);
            bResult = TRUE;
        }
    }
    CMenuHookData* pData = pHook->FindData(hWnd);
    if (pData && !pData->m_hMenu) {
        // The window may be made before its menu is announced: it knows the menu itself.
        pData->m_hMenu = reinterpret_cast<HMENU>(::SendMessageW(hWnd, MN_GETHMENU, 0, 0));
    }
    if (pHook->m_hPendingMenu && pData) {
        pData->m_hMenu = pHook->m_hPendingMenu;
        pHook->m_hPendingMenu = nullptr;
    }
    return bResult;
}

void CVellMenuHook::UnsubclassMenuWindow(HWND hWnd)
{
    // Windows of a thread without hook were never taken over here.
    CVellMenuHook* pHook = CurrentThreadMenuHook();
    if (!pHook)
        return;
    // Only a window that was taken over gets a procedure back: never a null one.
    if (const WNDPROC pfnOld = SavedProc(hWnd)) {
        ::SetLastError(0);
        if (!::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pfnOld)))
            ReportLastError();
        ::RemovePropW(hWnd, kOldMenuProc);
        if (const ATOM atom = ::GlobalFindAtomW(kOldMenuProc))
            ::GlobalDeleteAtom(atom);
    }
    CMenuHookData* pData = pHook->FindData(hWnd);
    if (!pData)
        return;
    if (CVellMenuTheme* pTheme = ActiveMenuTheme())
        pTheme->DetachWindow(hWnd);
    pHook->m_windows.RemoveKey(hWnd);
    delete pData;
}

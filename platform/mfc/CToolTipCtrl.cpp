#include "platform/mfc/CToolTipCtrl.h"

#include "platform/mfc/AfxSystemModule.h"

IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle)
{
    static const bool s_bRegistered = [] {
        // Only a control made with Create has a tool tip: the splash never loads the common controls.
        using InitFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
        const auto pfnInit = AfxSystemProc<InitFn>(L"comctl32.dll", "InitCommonControlsEx");
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
        return pfnInit && pfnInit(&icc) != FALSE;
    }();
    (void)s_bRegistered;
    return CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | dwStyle, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, pParentWnd ? pParentWnd->m_hWnd : nullptr, nullptr);
}

TTTOOLINFOW CToolTipCtrl::MakeToolInfo(CWnd* pWnd, UINT_PTR nIDTool, const wchar_t* pszText) const
{
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof(ti);
    ti.hwnd = pWnd ? pWnd->m_hWnd : nullptr;
    ti.uFlags = nIDTool == 0 ? TTF_IDISHWND : 0;
    ti.uId = nIDTool == 0 ? reinterpret_cast<UINT_PTR>(ti.hwnd) : nIDTool;
    ti.lpszText = const_cast<wchar_t*>(pszText ? pszText : L"");
    return ti;
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, const wchar_t* pszText, const RECT* pRect, UINT_PTR nIDTool)
{
    TTTOOLINFOW ti = MakeToolInfo(pWnd, nIDTool, pszText);
    if (pRect)
        ti.rect = *pRect;
    else if (pWnd && nIDTool != 0)
        pWnd->GetClientRect(&ti.rect);
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti)));
}

void CToolTipCtrl::UpdateTipText(const wchar_t* pszText, CWnd* pWnd, UINT_PTR nIDTool)
{
    TTTOOLINFOW ti = MakeToolInfo(pWnd, nIDTool, pszText);
    SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool)
{
    TTTOOLINFOW ti = MakeToolInfo(pWnd, nIDTool, nullptr);
    SendMessage(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

BOOL CToolTipCtrl::HasTool(CWnd* pWnd, UINT_PTR nIDTool) const
{
    TTTOOLINFOW ti = MakeToolInfo(pWnd, nIDTool, nullptr);
    ti.lpszText = nullptr;  // asks for no text: nothing is copied back
    return m_hWnd && ti.hwnd && SendMessage(TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&ti)) != 0;
}

#include "StyledTestWindow.h"

BEGIN_MESSAGE_MAP(StyledTestWnd, CWnd)
    ON_WM_NCCREATE()
    ON_WM_CLOSE()
END_MESSAGE_MAP()

bool StyledTestWnd::Create(DWORD dwStyle, DWORD dwExStyle, const wchar_t* pszTitle)
{
    return CreateEx(dwExStyle, nullptr, pszTitle, dwStyle, 100, 100, 300, 200, nullptr, nullptr) != FALSE;
}

BOOL StyledTestWnd::OnNcCreate(LPCREATESTRUCTW pCreateStruct)
{
    m_hook.m_strCaption = pCreateStruct->lpszName ? pCreateStruct->lpszName : L"";
    m_hook.Install(this);
    return CWnd::OnNcCreate(pCreateStruct);
}

LRESULT StyledTestWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pLog)
        m_pLog->Add("wnd", message, wParam, lParam);
    if (message == WM_SYSCOMMAND)
        m_dwCaptionAtSysCommand = GetStyle() & WS_CAPTION;
    if (message == WM_HELP && lParam)
        m_lastHelp = *reinterpret_cast<const HELPINFO*>(lParam);
    return CWnd::WindowProc(message, wParam, lParam);
}

#include "gallery/pages/PageControls.h"

HWND CPageControls::Add(CWnd* pParent, const wchar_t* pszClass, const wchar_t* pszText, DWORD dwStyle, UINT nID,
                        const CRect& rc)
{
    const HWND hWnd = ::CreateWindowExW(0, pszClass, pszText, WS_CHILD | WS_VISIBLE | dwStyle, rc.left, rc.top,
                                        rc.Width(), rc.Height(), pParent->m_hWnd,
                                        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), nullptr, nullptr);
    if (!hWnd)
        return nullptr;
    ::SendMessageW(hWnd, WM_SETFONT, ::SendMessageW(pParent->m_hWnd, WM_GETFONT, 0, 0), FALSE);
    m_windows.push_back(hWnd);
    return hWnd;
}

HWND CPageControls::AddText(CWnd* pParent, const CString& strText, const CRect& rc)
{
    return Add(pParent, L"Static", strText, SS_LEFT, 0xFFFF, rc);
}

HWND CPageControls::AddButton(CWnd* pParent, UINT nID, const wchar_t* pszText, const CRect& rc)
{
    return Add(pParent, L"Button", pszText, BS_PUSHBUTTON | WS_TABSTOP, nID, rc);
}

void CPageControls::DestroyAll()
{
    for (HWND hWnd : m_windows)
        if (::IsWindow(hWnd))
            ::DestroyWindow(hWnd);
    m_windows.clear();
}

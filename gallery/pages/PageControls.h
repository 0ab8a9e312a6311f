#pragma once
// Plain controls that pages put beside their toolkit windows (descriptions, buttons that open
// dialogs), in the main window's font, destroyed together.
#include "platform/mfc/CWnd.h"

#include <vector>

class CPageControls {
public:
    CPageControls() = default;
    ~CPageControls() { DestroyAll(); }
    CPageControls(const CPageControls&) = delete;
    CPageControls& operator=(const CPageControls&) = delete;

    // A wrapped text; returns its window.
    HWND AddText(CWnd* pParent, const CString& strText, const CRect& rc);
    HWND AddButton(CWnd* pParent, UINT nID, const wchar_t* pszText, const CRect& rc);
    void DestroyAll();

private:
    HWND Add(CWnd* pParent, const wchar_t* pszClass, const wchar_t* pszText, DWORD dwStyle, UINT nID, const CRect& rc);
    std::vector<HWND> m_windows;
};

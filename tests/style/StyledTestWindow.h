#pragma once
// A framework window that installs the styled window hook at WM_NCCREATE, as the styled dialog
// does, and logs what reaches its own window procedure.
#include "toolkit/style/StyleWindowHook.h"

#include "tests/support/TestSupport.h"

class StyledTestWnd : public CWnd {
public:
    explicit StyledTestWnd(msgseq::Log* pLog = nullptr) : m_pLog(pLog) {}
    ~StyledTestWnd() override { DestroyWindow(); }

    // A window of 300 x 200 at (100, 100) in screen coordinates, hidden unless WS_VISIBLE is given.
    bool Create(DWORD dwStyle, DWORD dwExStyle = 0, const wchar_t* pszTitle = L"Styled");

    CVellStyleWindowHook m_hook;
    DWORD m_dwCaptionAtSysCommand = 0;
    HELPINFO m_lastHelp{};  // what the last WM_HELP carried (cbSize 0: none, or no HELPINFO)
    msgseq::Log* m_pLog;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    BOOL OnNcCreate(LPCREATESTRUCTW pCreateStruct);
    void OnClose() {}  // closing is only logged
    DECLARE_MESSAGE_MAP()
};

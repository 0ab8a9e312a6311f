#pragma once
// A minimal toolkit control for the tests: a child window of the framework's default class that
// takes over "Static" placeholders, counts what it is asked to do and can be told to fail creation.
#include "toolkit/controls/VellControlWnd.h"

#include <functional>

class CTestControl : public CVellControlWnd<CWnd> {
public:
    static constexpr DWORD kControlStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    // What PreSubclassWindow adds to a window it takes over.
    static constexpr DWORD kTakeOverStyle = 0x0B;

    explicit CTestControl(CWnd* pOwner = nullptr) : CVellControlWnd<CWnd>(pOwner) {}

    BOOL Create(UINT nID, const RECT* pRect, CWnd* pParent) override;
    using CVellControlWnd<CWnd>::Create;
    BOOL AttachDlgItem(UINT nID, CWnd* pParent) override { return ReplaceDlgItem(nID, pParent, L"Static"); }
    void PreSubclassWindow() override;
    void Redraw() override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    // Runs f while a redraw holds the nesting lock, as a painter that sets properties does.
    void WhileRedrawing(const std::function<void()>& f);

    BOOL m_bFailCreate = FALSE;
    int m_nBound = 0;
    int m_nRedraws = 0;
    int m_nErases = 0;
};

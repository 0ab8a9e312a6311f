#include "TestControl.h"

BOOL CTestControl::Create(UINT nID, const RECT* pRect, CWnd* pParent)
{
    if (m_bFailCreate || !pRect)
        return FALSE;
    return CWnd::Create(nullptr, L"", kControlStyle, *pRect, pParent, nID);
}

void CTestControl::PreSubclassWindow()
{
    CVellControlWnd<CWnd>::PreSubclassWindow();
    ++m_nBound;
    ModifyStyle(0, kTakeOverStyle);
}

void CTestControl::Redraw()
{
    ++m_nRedraws;
    CVellControlWnd<CWnd>::Redraw();
}

void CTestControl::WhileRedrawing(const std::function<void()>& f)
{
    CRedrawLock lock(*this);
    f();
}

BOOL CTestControl::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_ERASEBKGND)
        ++m_nErases;
    return CVellControlWnd<CWnd>::OnWndMsg(message, wParam, lParam, pResult);
}

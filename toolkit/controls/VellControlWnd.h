#pragma once
// A toolkit control: an MFC window class (TWnd) first, CVellControl second. This is where the names
// that both bases have are decided, once for every control: the control's own GetClientRect,
// GetWindowRect, SetFont and GetFont (LOGFONTW) are CVellControl's; Create means either base's by its
// arguments; one OnWndMsg serves both bases (the tool-tip relay first, then the window's handling).
//
// A control class whose OnWndMsg does more calls this class's OnWndMsg for the rest.
#include "toolkit/controls/VellControl.h"

template <class TWnd>
class CVellControlWnd : public TWnd, public CVellControl {
public:
    // pOwner: the window object the properties act on; the control itself when null.
    explicit CVellControlWnd(CWnd* pOwner = nullptr) : TWnd(), CVellControl(pOwner ? pOwner : this) {}
    // The window goes before either base: the CVellControl part (with the default font's ambient
    // reference) ends first otherwise.
    ~CVellControlWnd() override
    {
        if (this->m_hWnd)
            this->DestroyWindow();
    }

    using CVellControl::GetClientRect;
    using CVellControl::GetWindowRect;
    using CVellControl::SetFont;
    using CVellControl::GetFont;
    using TWnd::GetFont;
    using CVellControl::Create;
    using TWnd::Create;

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        CVellControl::OnWndMsg(message, wParam, lParam, pResult);
        if (message == WM_NCDESTROY)
            OnOwnerWindowDestroying();
        return TWnd::OnWndMsg(message, wParam, lParam, pResult);
    }

    void PreSubclassWindow() override
    {
        TWnd::PreSubclassWindow();
        OnOwnerWindowBound();
    }
};

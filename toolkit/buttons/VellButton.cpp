#include "toolkit/buttons/VellButton.h"

IMPLEMENT_DYNAMIC(CVellButton, CVellBitmapButton)

BEGIN_MESSAGE_MAP(CVellButton, CVellBitmapButton)
    ON_WM_CREATE()
    ON_MESSAGE(WM_SETTEXT, OnSetText)
END_MESSAGE_MAP()

CVellButton::~CVellButton()
{
    if (m_hWnd && CWnd::FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
}

void CVellButton::PreSubclassWindow()
{
    CVellBitmapButton::PreSubclassWindow();
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
    SetFontSize(16, 700);
    SetForeColor(RGB(255, 255, 255));
    SetUseAmbientFont(FALSE);
    SetUseFocus(0);
    SetUseDrawFrame(TRUE);
}

int CVellButton::OnCreate(LPCREATESTRUCTW pCreateStruct)
{
    if (Default() == -1)
        return -1;
    SetText(pCreateStruct->lpszName);
    return 0;
}

LRESULT CVellButton::OnSetText(WPARAM, LPARAM lParam)
{
    SetText(reinterpret_cast<const wchar_t*>(lParam));
    return TRUE;
}

void CVellButton::SetTextFromStringResource(UINT nId)
{
    static const HINSTANCE s_hModule = AfxGetResourceHandle();
    wchar_t sz[512] = {};
    ::LoadStringW(s_hModule, nId, sz, 512);
    SetText(sz);
}

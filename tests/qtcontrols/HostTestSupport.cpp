#include "HostTestSupport.h"

namespace hosttest {

TestDialog::TestDialog(int nTemplateId, bool bShow)
{
    m_hWnd = ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(nTemplateId), nullptr, DlgProc,
                                  reinterpret_cast<LPARAM>(this));
    if (m_hWnd) {
        m_wnd.Attach(m_hWnd);
        if (bShow)
            ::ShowWindow(m_hWnd, SW_SHOW);
    }
    msgseq::PumpMessages();
}

TestDialog::~TestDialog()
{
    if (m_wnd.m_hWnd)
        m_wnd.Detach();
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
    msgseq::PumpMessages();
}

INT_PTR CALLBACK TestDialog::DlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        ::SetWindowLongPtrW(hWnd, DWLP_USER, lParam);
        return TRUE;
    }
    auto* self = reinterpret_cast<TestDialog*>(::GetWindowLongPtrW(hWnd, DWLP_USER));
    if (!self)
        return FALSE;
    if (message >= kFirstNotification && message <= kLastNotification) {
        self->m_log.Add("dlg", message, wParam, lParam);
        if (self->onNotify)
            self->onNotify(message, wParam, lParam);
        return TRUE;
    }
    if (message == WM_KEYDOWN) {
        self->m_log.Add("key", message, wParam, lParam);
        if (self->onNotify)
            self->onNotify(message, wParam, lParam);
        return TRUE;
    }
    return FALSE;
}

void PumpDialog(HWND hDlg)
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!::IsDialogMessageW(hDlg, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}

void PressKey(HWND hDlg, UINT vk)
{
    HWND hFocus = ::GetFocus();
    const UINT scan = ::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
    ::PostMessageW(hFocus ? hFocus : hDlg, WM_KEYDOWN, vk, 1 | (static_cast<LPARAM>(scan) << 16));
    PumpDialog(hDlg);
    ::PostMessageW(hFocus ? hFocus : hDlg, WM_KEYUP, vk, 1 | (static_cast<LPARAM>(scan) << 16) | 0xC0000000);
    PumpDialog(hDlg);
}

int FocusId(HWND hDlg)
{
    HWND hFocus = ::GetFocus();
    if (!hFocus || !::IsChild(hDlg, hFocus))
        return 0;
    while (::GetParent(hFocus) != hDlg)
        hFocus = ::GetParent(hFocus);
    return ::GetDlgCtrlID(hFocus);
}

bool RunningOnWine()
{
    HMODULE hNtdll = ::GetModuleHandleW(L"ntdll.dll");
    return hNtdll && ::GetProcAddress(hNtdll, "wine_get_version") != nullptr;
}

}  // namespace hosttest

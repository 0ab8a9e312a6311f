#include "MenuTestSupport.h"

namespace {

std::function<bool()> g_step;

void CALLBACK StepTimer(HWND, UINT, UINT_PTR nIDEvent, DWORD)
{
    if (!g_step || !g_step()) {
        ::KillTimer(nullptr, nIDEvent);
        g_step = nullptr;
        ::EndMenu();
    }
}

}  // namespace

CVellMenuHook& TestMenuHook()
{
    static CVellMenuHook s_hook;
    return s_hook;
}

void PumpMessages()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

std::unique_ptr<CVellDialog> OpenDialog(UINT nTemplate)
{
    TestMenuHook();
    auto pDialog = std::make_unique<CVellDialog>(nTemplate);
    if (!pDialog->Create(nTemplate, nullptr))
        return nullptr;
    pDialog->ShowWindow(SW_SHOW);
    pDialog->UpdateWindow();
    PumpMessages();
    return pDialog;
}

const CVellMenuItemData* RecordOf(const CVellMenu& menu, int nPosition)
{
    return menu.GetRecord(nPosition);
}

std::vector<HWND> VisiblePopups()
{
    std::vector<HWND> popups;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            wchar_t sz[16] = {};
            ::GetClassNameW(hWnd, sz, 16);
            if (lstrcmpW(sz, L"#32768") == 0 && ::IsWindowVisible(hWnd))
                reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&popups));
    return popups;
}

bool RunInMenuLoop(const std::function<void()>& open, std::function<bool()> step)
{
    g_step = std::move(step);
    const UINT_PTR nTimer = ::SetTimer(nullptr, 0, 150, StepTimer);
    open();
    const DWORD dwStart = ::GetTickCount();
    while (g_step && ::GetTickCount() - dwStart < 10000) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        PumpMessages();
    }
    PumpMessages();
    if (!g_step)
        return true;
    ::KillTimer(nullptr, nTimer);
    g_step = nullptr;
    return false;
}

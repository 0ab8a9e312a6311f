#include "MenuTestSupport.h"

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

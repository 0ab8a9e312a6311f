// Tavisk: shows what it was started with and what lies next to it. Started by the launcher as
// "<folder>Tavisk.exe /l<code> "<file>"" from the folder it unpacked.
#include "viewer/Report.h"
#include "viewer/ViewerModel.h"
#include "viewer/ViewerWindow.h"

#include <windows.h>

#include <string>

namespace {

std::wstring EnvironmentValue(const wchar_t* name)
{
    const DWORD needed = ::GetEnvironmentVariableW(name, nullptr, 0);
    if (needed == 0)
        return {};
    std::wstring value(needed, L'\0');
    const DWORD length = ::GetEnvironmentVariableW(name, value.data(), needed);
    value.resize(length < needed ? length : 0);
    return value;
}

// TAVISK_AUTOCLOSE_MS: a positive whole number of milliseconds, else 0 (stay open).
UINT AutoCloseDelay()
{
    const std::wstring text = EnvironmentValue(L"TAVISK_AUTOCLOSE_MS");
    if (text.empty() || text.size() > 9)
        return 0;
    UINT value = 0;
    for (wchar_t ch : text) {
        if (ch < L'0' || ch > L'9')
            return 0;
        value = value * 10 + static_cast<UINT>(ch - L'0');
    }
    return value;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand)
{
    const tavisk::ViewerModel model = tavisk::ViewerModel::Gather(::GetCommandLineW(), tavisk::OwnModulePath());

    tavisk::ViewerWindow window(model);
    if (!window.Create(instance, showCommand))
        return 1;

    const std::wstring reportPath = EnvironmentValue(L"TAVISK_REPORT");
    if (!reportPath.empty())
        tavisk::WriteFileAtomically(reportPath, tavisk::BuildReport(model.Report()));
    if (const UINT delay = AutoCloseDelay())
        window.CloseAfter(delay);

    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (window.PreTranslateMessage(msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}

#include "toolkit/draw/StyleGlobals.h"

#include "platform/mfc/CDC.h"
#include "platform/mfc/CString.h"
#include "toolkit/draw/StyleColors.h"

namespace {

int ComputeOsClassCode()
{
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const DWORD dwVersion = ::GetVersion();
    if (!::GetVersionExW(&info)) {
        ReportLastError();
        info = OSVERSIONINFOW{};
    }
#pragma GCC diagnostic pop
    return ClassifyOs(dwVersion, info);
}

}  // namespace

ULONG_PTR g_hotMenuBarItemData = 0;

UINT DialogStackMessage()
{
    static const UINT s_nMessage = ::RegisterWindowMessageW(L"WM_DIALOGSTACK");
    return s_nMessage;
}

int OsClassCode()
{
    static const int s_nCode = ComputeOsClassCode();
    return s_nCode;
}

int ClassifyOs(DWORD dwGetVersion, const OSVERSIONINFOW& info)
{
    const bool bNT = (dwGetVersion & 0x80000000u) == 0;
    if (!bNT) {
        if (LOBYTE(LOWORD(dwGetVersion)) < 4)
            return 0;
        if (info.dwMajorVersion == 4 && info.dwMinorVersion == 10)
            return 3;
        if (info.dwMajorVersion == 4 && info.dwMinorVersion == 90)
            return 4;
        return 2;
    }
    if (info.dwMajorVersion == 4)
        return 5;
    if (info.dwMajorVersion == 5 && info.dwMinorVersion == 0)
        return 6;
    if (info.dwMajorVersion == 5 && info.dwMinorVersion == 1)
        return 7;
    return 1;
}

void ReportLastError()
{
    const DWORD dwError = ::GetLastError();
    if (dwError == 0)
        return;
    wchar_t* pszText = nullptr;
    const DWORD nLength = ::FormatMessageW(
        FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER, nullptr, dwError,
        0x400, reinterpret_cast<wchar_t*>(&pszText), 0, nullptr);
    if (nLength && pszText) {
        ::MessageBoxW(nullptr, pszText, L"Error", MB_ICONINFORMATION);
    } else {
        CString strText;
        strText.Format(L"Error message 0x%lx not found", dwError);
        ::MessageBoxW(nullptr, strText, L"Error", MB_ICONINFORMATION);
    }
    if (pszText)
        ::LocalFree(pszText);
}

UINT_PTR StartFreeTimer(HWND hWnd, UINT nPeriod)
{
    if (!::IsWindow(hWnd))
        return 0;
    for (UINT_PTR nId = 31; nId <= 99; ++nId) {
        if (::SetTimer(hWnd, nId, nPeriod, nullptr))
            return nId;
    }
    return 0;
}

BOOL RedrawMenuBarItem(HWND hWnd, HMENU hMenu, int nPosition, UINT nState)
{
    if (nPosition == -1)
        return FALSE;
    RECT rcItem{};
    if (!::GetMenuItemRect(hWnd, hMenu, static_cast<UINT>(nPosition), &rcItem))
        return FALSE;
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_ID | MIIM_FTYPE | MIIM_DATA;
    if (!::GetMenuItemInfoW(hMenu, static_cast<UINT>(nPosition), TRUE, &mii) || !(mii.fType & MFT_OWNERDRAW))
        return FALSE;

    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof(ncm);
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0);
    ncm.lfMenuFont.lfHeight = -11;
    ncm.lfMenuFont.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(ncm.lfMenuFont.lfFaceName, L"Arial", LF_FACESIZE);

    HDC hDC = ::GetWindowDC(hWnd);
    if (!hDC)
        return FALSE;
    {
        CFont font;
        font.CreateFontIndirect(&ncm.lfMenuFont);
        CSelectGuard selectFont(hDC, font);
        RECT rcWindow{};
        ::GetWindowRect(hWnd, &rcWindow);
        ::OffsetRect(&rcItem, -rcWindow.left, -rcWindow.top);

        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_MENU;
        dis.itemID = mii.wID;
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = nState;
        dis.hwndItem = reinterpret_cast<HWND>(hMenu);
        dis.hDC = hDC;
        dis.rcItem = rcItem;
        dis.itemData = mii.dwItemData;
        g_hotMenuBarItemData = mii.dwItemData;
        ::SendMessageW(hWnd, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
    }
    ::ReleaseDC(hWnd, hDC);
    return TRUE;
}

HBRUSH ControlBackBrush()
{
    static const HBRUSH s_hBrush = ::CreateSolidBrush(vell::kControlBack);
    return s_hBrush;
}

#include "tests/support/TestWindows.h"

namespace testwin {

const wchar_t* PlainClass()
{
    static const wchar_t* s_name = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = L"LumbraTestPlain";
        RegisterClassExW(&wc);
        return L"LumbraTestPlain";
    }();
    return s_name;
}

RawWindow::RawWindow(DWORD dwStyle, HWND hParent, const wchar_t* pszClass)
    : m_hWnd(CreateWindowExW(0, pszClass ? pszClass : PlainClass(), L"raw", dwStyle, 10, 10, 200, 150, hParent,
                             nullptr, GetModuleHandleW(nullptr), nullptr))
{
}

RawWindow::~RawWindow()
{
    if (IsWindow(m_hWnd))
        DestroyWindow(m_hWnd);
}

}  // namespace testwin

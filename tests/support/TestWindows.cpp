#include "tests/support/TestWindows.h"

#include <algorithm>
#include <iterator>

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

KeysHeld::KeysHeld(std::initializer_list<BYTE> keys) : m_keys(keys)
{
    ::GetKeyboardState(m_saved);
    BYTE state[256];
    std::copy(std::begin(m_saved), std::end(m_saved), state);
    for (BYTE key : m_keys)
        state[key] = 0x80;
    ::SetKeyboardState(state);
}

KeysHeld::~KeysHeld()
{
    BYTE state[256] = {};
    ::GetKeyboardState(state);
    for (BYTE key : m_keys)
        state[key] = m_saved[key];
    ::SetKeyboardState(state);
}

}  // namespace testwin

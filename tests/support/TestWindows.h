#pragma once
// Small helpers for window tests: a plain window class and a raw window that owns its handle.
#include <windows.h>

#include <initializer_list>
#include <vector>

namespace testwin {

// A registered class with DefWindowProcW; the name is stable for the process.
const wchar_t* PlainClass();

// A window made without the framework, destroyed with the object.
class RawWindow {
public:
    explicit RawWindow(DWORD dwStyle = WS_OVERLAPPEDWINDOW, HWND hParent = nullptr, const wchar_t* pszClass = nullptr);
    ~RawWindow();
    RawWindow(const RawWindow&) = delete;
    RawWindow& operator=(const RawWindow&) = delete;
    HWND get() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }  // NOLINT

private:
    HWND m_hWnd;
};

// Keys held down in this thread's keyboard state (what GetKeyState reads) while it lives; their
// earlier states come back afterwards.
class KeysHeld {
public:
    explicit KeysHeld(std::initializer_list<BYTE> keys);
    ~KeysHeld();
    KeysHeld(const KeysHeld&) = delete;
    KeysHeld& operator=(const KeysHeld&) = delete;

private:
    std::vector<BYTE> m_keys;
    BYTE m_saved[256] = {};
};

}  // namespace testwin

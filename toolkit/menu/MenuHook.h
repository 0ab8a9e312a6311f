#pragma once
// The popup-menu hook: a WH_CALLWNDPROC hook on the user-interface thread notices every popup
// menu window ("#32768") as it is created or re-shown, takes it over (its previous procedure kept
// in the window property "OldMenuProc") so that the active theme frames and fills it, and gives it
// back when it hides or goes away. It also carries the popup about to open (the pending menu), so
// that the popup window knows the menu it shows. One hook per thread, found through a registry.
#include "platform/mfc/CMapPtrToPtr.h"
#include "platform/mfc/CPtrList.h"
#include "platform/mfc/CTypedPtr.h"

class CVellMenuTheme;

// One per popup window taken over.
struct CMenuHookData {
    enum { kWasShowing = 1, kStylesChanged = 2, kEscapePressed = 4 };

    DWORD m_dwSavedStyle = 0;
    DWORD m_dwSavedExStyle = 0;
    POINT m_ptSaved{};  // last position seen in a move; (0, 0) = none yet
    DWORD m_dwFlags = 0;
    BOOL m_bFramePainting = TRUE;
    HMENU m_hMenu = nullptr;  // the menu the window shows
};

class CVellMenuHook {
public:
    using InstallFn = HHOOK(WINAPI*)(int, HOOKPROC, HINSTANCE, DWORD);

    // Registers the three themes, makes the XP look active and installs the hook for the calling
    // thread. A failed installation leaves the hook without handle: popups keep the system's look.
    explicit CVellMenuHook(InstallFn pfnInstall = ::SetWindowsHookExW);
    // Removes the hook, its registry entry and the active theme, and deletes the themes.
    ~CVellMenuHook();
    CVellMenuHook(const CVellMenuHook&) = delete;
    CVellMenuHook& operator=(const CVellMenuHook&) = delete;

    // 0 when the theme is already registered, else appends it (the hook owns it) and returns 1.
    BOOL AddTheme(CVellMenuTheme* pTheme);
    CVellMenuTheme* FindTheme(int nId) const;
    BOOL IsInstalled() const { return m_hHook != nullptr; }
    CMenuHookData* FindData(HWND hWnd) const;
    INT_PTR GetWindowCount() const { return m_windows.GetCount(); }

    // 1 when the window is a popup menu window that this call took over.
    static BOOL SubclassMenuWindow(HWND hWnd, BOOL bAlreadyShowing);
    static void UnsubclassMenuWindow(HWND hWnd);
    static LRESULT CALLBACK MenuHookProc(int nCode, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK MenuWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    HMENU m_hPendingMenu = nullptr;
    DWORD m_dwLastMessagePos = 0;
    DWORD m_dwReserved = 0;
    HHOOK m_hHook = nullptr;
    CTypedPtrMap<CMapPtrToPtr, HWND, CMenuHookData*> m_windows;
    CTypedPtrList<CPtrList, CVellMenuTheme*>* m_pThemes = nullptr;

private:
    DWORD m_dwThreadId = 0;
};

// The hook of the calling thread, or null.
CVellMenuHook* CurrentThreadMenuHook();
// The hook's data for a popup window of the calling thread, or null.
CMenuHookData* CurrentMenuHookData(HWND hWnd);

// Re-show message of popup menu windows (the system reuses a hidden popup window).
constexpr UINT kMenuReshowMessage = 0x1E2;

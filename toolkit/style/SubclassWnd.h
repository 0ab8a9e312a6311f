#pragma once
// Message hooks on existing windows. A CSubclassWnd attached to a window sees every message of it
// before the window's own procedure does. Several hooks on one window form a chain, newest first;
// each handles a message alone or hands it on (HandleMessage of the base, or PassOn). One window
// procedure, ChainWndProc, and one map from window to newest hook, CSubclassWndMap, run the chains.
//
// Hooks may come and go in any order, also while one of their messages is being handled: a hook
// detached meanwhile still hands that message on, to the hooks older than itself that are still
// attached, else to the window's own procedure. A procedure that someone else installed on top of
// ChainWndProc is never overwritten: when the chain empties under it, ChainWndProc stays below it
// and forwards to the window's own procedure until it is on top again.
#include "platform/mfc/CMapPtrToPtr.h"
#include "platform/mfc/CWnd.h"

class CSubclassWnd : public CObject {
    DECLARE_DYNAMIC(CSubclassWnd)
public:
    CSubclassWnd() = default;
    // A hook still attached is detached first, so its window never calls into a dead object.
    ~CSubclassWnd() override;
    CSubclassWnd(const CSubclassWnd&) = delete;
    CSubclassWnd& operator=(const CSubclassWnd&) = delete;

    // With a window: attaches this hook as the newest of the window's chain. With null: detaches
    // it. Always TRUE.
    BOOL HookTo(CWnd* pWnd);

    // Hands the message on to the next older hook, or to the window's procedure.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Hands on the message that the framework is handling now, as it came in.
    LRESULT PassOn();

    CWnd* m_hooked = nullptr;
    // The window's procedure from before the chain's first hook; the same in every hook of a chain.
    WNDPROC m_prevProc = nullptr;
    CSubclassWnd* m_chainNext = nullptr;

private:
    friend class CSubclassWndMap;
    LRESULT HandOn(UINT message, WPARAM wParam, LPARAM lParam);

    // The window as it was when attached: the map key even if m_hooked is unbound meanwhile.
    HWND m_hWndHooked = nullptr;
    // Where the hook was last attached and the window's own procedure then; kept after detaching,
    // for a message that was being handled when the hook left.
    HWND m_hWndLast = nullptr;
    WNDPROC m_pfnLast = nullptr;
    // Order of attaching: a larger number is a newer hook.
    unsigned m_nSerial = 0;
};

class CSubclassWndMap : public CMapPtrToPtr {
    DECLARE_DYNAMIC(CSubclassWndMap)
public:
    // The one map of the process, made on first use. It is never deleted: windows destroyed while
    // static objects go away at exit still find it.
    static CSubclassWndMap& Instance();

    void AddHook(HWND hWnd, CSubclassWnd* pHook);
    // Unlinks pHook from its window's chain; a hook that is not in the chain is ignored.
    void RemoveHook(CSubclassWnd* pHook);
    void RemoveAllHooks(HWND hWnd);
    CSubclassWnd* FindHook(HWND hWnd) const;

private:
    friend class CSubclassWnd;
    friend LRESULT CALLBACK ChainWndProc(HWND, UINT, WPARAM, LPARAM);
    CSubclassWndMap() : CMapPtrToPtr(10), m_belowForeign(10) {}

    // The newest attached hook of the window that is older than nSerial, or null.
    CSubclassWnd* FindOlderHook(HWND hWnd, unsigned nSerial) const;
    // The window's own procedure while ChainWndProc runs for it with or without hooks; null if none.
    WNDPROC OriginalProc(HWND hWnd) const;
    WNDPROC ProcBelowForeign(HWND hWnd) const;

    // Windows whose chain emptied while another procedure sat on top of ChainWndProc: the window's
    // own procedure, to which ChainWndProc forwards.
    CMapPtrToPtr m_belowForeign;
    unsigned m_nLastSerial = 0;
};

// The window procedure of every hooked window.
LRESULT CALLBACK ChainWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

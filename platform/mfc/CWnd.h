#pragma once
// Windows bound to C++ objects.
//
// A CWnd is bound to its window (m_hWnd, and an entry in the thread's permanent handle map) from
// the moment the window exists: CreateEx installs a creation hook, so the object receives every
// message from WM_NCCREATE (or the first message before it) onwards, through the framework's window
// procedure. The binding ends at WM_NCDESTROY: the window gets its previous procedure back, the map
// entry goes, m_hWnd is cleared and PostNcDestroy runs. Messages go WindowProc -> OnWndMsg -> the
// class's message map (then its bases' maps) -> DefWindowProc (the window's previous procedure).
#include "platform/mfc/AfxState.h"
#include "platform/mfc/AfxTypes.h"
#include "platform/mfc/CCmdTarget.h"
#include "platform/mfc/CDC.h"
#include "platform/mfc/CMenu.h"
#include "platform/mfc/CString.h"

class CDataExchange;

class CWnd : public CCmdTarget {
    DECLARE_DYNAMIC(CWnd)
public:
    CWnd() = default;
    // A window still bound to the object is destroyed first.
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;
    // The window's procedure from before the framework's; messages that the map leaves go there.
    WNDPROC m_pfnSuper = nullptr;

    operator HWND() const { return m_hWnd; }  // NOLINT: as in MFC
    HWND GetSafeHwnd() const { return m_hWnd; }

    // The object bound to hWnd, else a temporary wrapper (see HandleMap.h for its lifetime).
    static CWnd* FromHandle(HWND hWnd);
    static CWnd* FromHandlePermanent(HWND hWnd);
    // The message the innermost framework window procedure of this thread is handling, with the
    // time and position of the last message taken from the queue.
    static const MSG* GetCurrentMessage();

    // Binds an existing window without taking over its messages; fails if either side is bound.
    BOOL Attach(HWND hWnd);
    HWND Detach();
    // Binds an existing window and routes its messages through this object.
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();

    virtual BOOL CreateEx(DWORD dwExStyle, const wchar_t* pszClassName, const wchar_t* pszWindowName, DWORD dwStyle,
                          int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                          void* pParam = nullptr);
    BOOL CreateEx(DWORD dwExStyle, const wchar_t* pszClassName, const wchar_t* pszWindowName, DWORD dwStyle,
                  const RECT& rect, CWnd* pParentWnd, UINT nID, void* pParam = nullptr);
    virtual BOOL Create(const wchar_t* pszClassName, const wchar_t* pszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID);
    virtual BOOL DestroyWindow();

    // A null class name gets the framework's default window class.
    virtual BOOL PreCreateWindow(CREATESTRUCTW& cs);
    // Called when the object is bound by creation or subclassing, before its first message.
    virtual void PreSubclassWindow();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Last call for the object after its window is gone; heap objects may delete themselves here.
    virtual void PostNcDestroy();
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // A message that this window's parent hands back (draw item, control colour, notifications).
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual void DoDataExchange(CDataExchange* pDX);

    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    // Hands the current message to DefWindowProc.
    LRESULT Default();
    BOOL SendChildNotifyLastMsg(LRESULT* pResult = nullptr);
    static BOOL ReflectLastMsg(HWND hWndChild, LRESULT* pResult = nullptr);
    // Offers pMsg to PreTranslateMessage of its window and each parent up to hWndStop.
    static BOOL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);

    // Thin wrappers of the window functions.
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE)); }
    DWORD GetExStyle() const { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE)); }
    // FALSE when nothing changed; nFlags (SWP_FRAMECHANGED, ...) triggers a SetWindowPos.
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    static BOOL ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
    void GetWindowRect(RECT* pRect) const { ::GetWindowRect(m_hWnd, pRect); }
    void GetClientRect(RECT* pRect) const { ::GetClientRect(m_hWnd, pRect); }
    void ClientToScreen(POINT* pPoint) const { ::ClientToScreen(m_hWnd, pPoint); }
    void ClientToScreen(RECT* pRect) const;
    void ScreenToClient(POINT* pPoint) const { ::ScreenToClient(m_hWnd, pPoint); }
    void ScreenToClient(RECT* pRect) const;
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
    {
        return ::SetWindowPos(m_hWnd, pWndInsertAfter ? pWndInsertAfter->m_hWnd : nullptr, x, y, cx, cy, nFlags);
    }
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE)
    {
        ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
    }
    BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    BOOL RedrawWindow(const RECT* pRectUpdate = nullptr, HRGN hRgnUpdate = nullptr,
                      UINT nFlags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE)
    {
        return ::RedrawWindow(m_hWnd, pRectUpdate, hRgnUpdate, nFlags);
    }
    void Invalidate(BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
    void InvalidateRect(const RECT* pRect, BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, pRect, bErase); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL EnableWindow(BOOL bEnable = TRUE) { return ::EnableWindow(m_hWnd, bEnable); }
    BOOL IsZoomed() const { return ::IsZoomed(m_hWnd); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    BOOL IsChild(const CWnd* pWnd) const { return pWnd && ::IsChild(m_hWnd, pWnd->m_hWnd); }
    CWnd* GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
    CWnd* GetTopLevelParent() const;
    CWnd* GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    // The previous id of a child window (0 when there was none or the call failed).
    int SetDlgCtrlID(int nID);
    // The window in relation nCmd (GW_HWNDNEXT, GW_HWNDPREV, GW_CHILD, GW_OWNER, ...), or null.
    CWnd* GetWindow(UINT nCmd) const { return FromHandle(::GetWindow(m_hWnd, nCmd)); }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageW(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::PostMessageW(m_hWnd, message, wParam, lParam);
    }
    void SetWindowText(const wchar_t* pszString) { ::SetWindowTextW(m_hWnd, pszString); }
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const { return ::GetWindowTextLengthW(m_hWnd); }
    CWnd* SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
    static CWnd* GetCapture() { return FromHandle(::GetCapture()); }
    CWnd* SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
    static CWnd* GetFocus() { return FromHandle(::GetFocus()); }
    CWnd* SetActiveWindow() { return FromHandle(::SetActiveWindow(m_hWnd)); }
    static CWnd* GetDesktopWindow() { return FromHandle(::GetDesktopWindow()); }
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC pfnTimer = nullptr)
    {
        return ::SetTimer(m_hWnd, nIDEvent, nElapse, pfnTimer);
    }
    BOOL KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(m_hWnd, nIDEvent); }
    CMenu* GetMenu() const { return CMenu::FromHandle(::GetMenu(m_hWnd)); }
    BOOL SetMenu(CMenu* pMenu) { return ::SetMenu(m_hWnd, pMenu ? pMenu->m_hMenu : nullptr); }
    void DrawMenuBar() { ::DrawMenuBar(m_hWnd); }
    CMenu* GetSystemMenu(BOOL bRevert) const { return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert)); }
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    CFont* GetFont() const;
    HICON GetIcon(BOOL bBigIcon) const;
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);

    // Gives back the window procedure, unbinds the object and calls PostNcDestroy (framework use).
    void UnbindAfterNcDestroy();

protected:
    DECLARE_MESSAGE_MAP()

    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    // Handlers with the default behaviour: the message goes on to DefWindowProc.
    BOOL OnNcCreate(LPCREATESTRUCTW pCreateStruct);
    int OnCreate(LPCREATESTRUCTW pCreateStruct);
    void OnDestroy();
    void OnNcDestroy();
    void OnPaint();
    void OnNcPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnTimer(UINT_PTR nIDEvent);
    LRESULT OnNcHitTest(CPoint point);
    BOOL OnNcActivate(BOOL bActive);
    void OnGetMinMaxInfo(MINMAXINFO* pMMI);
    void OnSize(UINT nType, int cx, int cy);
    void OnClose();
    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnSetFocus(CWnd* pOldWnd);
    void OnKillFocus(CWnd* pNewWnd);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnRButtonDblClk(UINT nFlags, CPoint point);
    void OnMButtonDown(UINT nFlags, CPoint point);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnEnable(BOOL bEnable);
    void OnCaptureChanged(CWnd* pWnd);
    UINT OnGetDlgCode();
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    void OnEnterMenuLoop(BOOL bIsTrackPopupMenu);
    void OnExitMenuLoop(BOOL bIsTrackPopupMenu);
    void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
    // Owner-drawn menu items go to their permanent CMenu, control items back to the control.
    void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT pMeasureItemStruct);
    void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT pDrawItemStruct);
    // The control may answer for itself (WM_CTLCOLOR reflection), else the default colours.
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
};

// The framework's window procedure, shared by every bound window.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
// Binds pWnd to the next window created on this thread; pairs with AfxUnhookWindowCreate, which
// reports whether the binding happened.
void AfxHookWindowCreate(CWnd* pWnd);
bool AfxUnhookWindowCreate();
// A window class with DefWindowProc, registered once per distinct set of arguments.
const wchar_t* AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr, HBRUSH hbrBackground = nullptr,
                                   HICON hIcon = nullptr);

#include "platform/mfc/MessageMapEntries.h"

#pragma once
// Message map entries: each macro pairs a message with a thunk that unpacks its parameters for the
// handler's typed signature. Used between BEGIN_MESSAGE_MAP and END_MESSAGE_MAP (ThisClass is the
// class whose map is being defined).
#include <type_traits>
#include <utility>

class CWnd;

namespace afx_thunk {

// Calls the member F on the object as ThisClass with the given arguments, returning its result
// converted to LRESULT (0 for void handlers).
template <class T, auto F, class... A>
LRESULT Call(CCmdTarget* p, A&&... args)
{
    T* pThis = static_cast<T*>(p);
    using R = decltype((pThis->*F)(std::forward<A>(args)...));
    if constexpr (std::is_void_v<R>) {
        (pThis->*F)(std::forward<A>(args)...);
        return 0;
    } else if constexpr (std::is_pointer_v<R>) {
        return reinterpret_cast<LRESULT>((pThis->*F)(std::forward<A>(args)...));
    } else {
        return static_cast<LRESULT>((pThis->*F)(std::forward<A>(args)...));
    }
}

inline CPoint PointFrom(LPARAM l)
{
    return CPoint(static_cast<DWORD>(l));
}

template <class T, auto F>
LRESULT v_v(CCmdTarget* p, UINT, WPARAM, LPARAM)
{
    return Call<T, F>(p);
}
template <class T, auto F>
LRESULT createStruct(CCmdTarget* p, UINT, WPARAM, LPARAM l)
{
    return Call<T, F>(p, reinterpret_cast<LPCREATESTRUCTW>(l));
}
template <class T, auto F>
LRESULT wParamOnly(CCmdTarget* p, UINT, WPARAM w, LPARAM)
{
    return Call<T, F>(p, w);
}
template <class T, auto F>
LRESULT boolW(CCmdTarget* p, UINT, WPARAM w, LPARAM)
{
    return Call<T, F>(p, static_cast<BOOL>(w));
}
template <class T, auto F>
LRESULT point(CCmdTarget* p, UINT, WPARAM, LPARAM l)
{
    return Call<T, F>(p, PointFrom(l));
}
template <class T, auto F>
LRESULT flagsPoint(CCmdTarget* p, UINT, WPARAM w, LPARAM l)
{
    return Call<T, F>(p, static_cast<UINT>(w), PointFrom(l));
}
template <class T, auto F>
LRESULT minMax(CCmdTarget* p, UINT, WPARAM, LPARAM l)
{
    return Call<T, F>(p, reinterpret_cast<MINMAXINFO*>(l));
}
template <class T, auto F>
LRESULT size(CCmdTarget* p, UINT, WPARAM w, LPARAM l)
{
    return Call<T, F>(p, static_cast<UINT>(w), static_cast<int>(static_cast<short>(LOWORD(l))),
                      static_cast<int>(static_cast<short>(HIWORD(l))));
}
template <class T, auto F>
LRESULT sysCommand(CCmdTarget* p, UINT, WPARAM w, LPARAM l)
{
    return Call<T, F>(p, static_cast<UINT>(w), l);
}
template <class T, auto F>
LRESULT showWindow(CCmdTarget* p, UINT, WPARAM w, LPARAM l)
{
    return Call<T, F>(p, static_cast<BOOL>(w), static_cast<UINT>(l));
}
template <class T, auto F>
LRESULT focus(CCmdTarget* p, UINT, WPARAM w, LPARAM)
{
    return Call<T, F>(p, CWnd::FromHandle(reinterpret_cast<HWND>(w)));
}
template <class T, auto F>
LRESULT key(CCmdTarget* p, UINT, WPARAM w, LPARAM l)
{
    return Call<T, F>(p, static_cast<UINT>(w), static_cast<UINT>(LOWORD(l)), static_cast<UINT>(HIWORD(l)));
}
template <class T, auto F>
LRESULT window(CCmdTarget* p, UINT, WPARAM, LPARAM l)
{
    return Call<T, F>(p, CWnd::FromHandle(reinterpret_cast<HWND>(l)));
}
template <class T, auto F>
LRESULT mouseActivate(CCmdTarget* p, UINT, WPARAM w, LPARAM l)
{
    return Call<T, F>(p, CWnd::FromHandle(reinterpret_cast<HWND>(w)), static_cast<UINT>(LOWORD(l)),
                      static_cast<UINT>(HIWORD(l)));
}
template <class T, auto F>
LRESULT setText(CCmdTarget* p, UINT, WPARAM, LPARAM l)
{
    return Call<T, F>(p, reinterpret_cast<const wchar_t*>(l));
}
template <class T, auto F>
LRESULT eraseBkgnd(CCmdTarget* p, UINT, WPARAM w, LPARAM)
{
    return Call<T, F>(p, CDC::FromHandle(reinterpret_cast<HDC>(w)));
}
template <class T, auto F>
LRESULT measureItem(CCmdTarget* p, UINT, WPARAM w, LPARAM l)
{
    return Call<T, F>(p, static_cast<int>(w), reinterpret_cast<LPMEASUREITEMSTRUCT>(l));
}
template <class T, auto F>
LRESULT drawItem(CCmdTarget* p, UINT, WPARAM w, LPARAM l)
{
    return Call<T, F>(p, static_cast<int>(w), reinterpret_cast<LPDRAWITEMSTRUCT>(l));
}
template <class T, auto F>
LRESULT menuChar(CCmdTarget* p, UINT, WPARAM w, LPARAM l)
{
    return Call<T, F>(p, static_cast<UINT>(LOWORD(w)), static_cast<UINT>(HIWORD(w)),
                      CMenu::FromHandle(reinterpret_cast<HMENU>(l)));
}
template <class T, auto F>
LRESULT initMenuPopup(CCmdTarget* p, UINT, WPARAM w, LPARAM l)
{
    return Call<T, F>(p, CMenu::FromHandle(reinterpret_cast<HMENU>(w)), static_cast<UINT>(LOWORD(l)),
                      static_cast<BOOL>(HIWORD(l)));
}
template <class T, auto F>
LRESULT ctlColor(CCmdTarget* p, UINT m, WPARAM w, LPARAM l)
{
    return Call<T, F>(p, CDC::FromHandle(reinterpret_cast<HDC>(w)), CWnd::FromHandle(reinterpret_cast<HWND>(l)),
                      static_cast<UINT>(m - WM_CTLCOLORMSGBOX));
}
template <class T, auto F>
LRESULT ctlColorReflect(CCmdTarget* p, UINT m, WPARAM w, LPARAM)
{
    return Call<T, F>(p, CDC::FromHandle(reinterpret_cast<HDC>(w)),
                      static_cast<UINT>(m - WM_REFLECT_BASE - WM_CTLCOLORMSGBOX));
}
template <class T, auto F>
LRESULT wParamLParam(CCmdTarget* p, UINT, WPARAM w, LPARAM l)
{
    return Call<T, F>(p, w, l);
}
template <class T, auto F>
LRESULT commandUpdate(CCmdTarget* p, UINT, WPARAM, LPARAM l)
{
    return Call<T, F>(p, reinterpret_cast<CCmdUI*>(l));
}
template <class T, auto F>
LRESULT commandRange(CCmdTarget* p, UINT, WPARAM w, LPARAM)
{
    return Call<T, F>(p, static_cast<UINT>(LOWORD(w)));
}
template <class T, auto F>
LRESULT notify(CCmdTarget* p, UINT, WPARAM, LPARAM l)
{
    LRESULT lResult = 0;
    Call<T, F>(p, reinterpret_cast<NMHDR*>(l), &lResult);
    return lResult;
}

}  // namespace afx_thunk

#define AFX_MSG_ENTRY(msg, thunk, fn) {msg, 0, 0, 0, nullptr, &afx_thunk::thunk<ThisClass, &ThisClass::fn>},

#define ON_MESSAGE(message, memberFxn) AFX_MSG_ENTRY(message, wParamLParam, memberFxn)
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn) \
    {0, 0, 0, 0, &nMessageVariable, &afx_thunk::wParamLParam<ThisClass, &ThisClass::memberFxn>},

#define ON_WM_NCCREATE() AFX_MSG_ENTRY(WM_NCCREATE, createStruct, OnNcCreate)
#define ON_WM_CREATE() AFX_MSG_ENTRY(WM_CREATE, createStruct, OnCreate)
#define ON_WM_DESTROY() AFX_MSG_ENTRY(WM_DESTROY, v_v, OnDestroy)
#define ON_WM_NCDESTROY() AFX_MSG_ENTRY(WM_NCDESTROY, v_v, OnNcDestroy)
#define ON_WM_PAINT() AFX_MSG_ENTRY(WM_PAINT, v_v, OnPaint)
#define ON_WM_NCPAINT() AFX_MSG_ENTRY(WM_NCPAINT, v_v, OnNcPaint)
#define ON_WM_CLOSE() AFX_MSG_ENTRY(WM_CLOSE, v_v, OnClose)
#define ON_WM_ERASEBKGND() AFX_MSG_ENTRY(WM_ERASEBKGND, eraseBkgnd, OnEraseBkgnd)
#define ON_WM_TIMER() AFX_MSG_ENTRY(WM_TIMER, wParamOnly, OnTimer)
#define ON_WM_NCHITTEST() AFX_MSG_ENTRY(WM_NCHITTEST, point, OnNcHitTest)
#define ON_WM_NCACTIVATE() AFX_MSG_ENTRY(WM_NCACTIVATE, boolW, OnNcActivate)
#define ON_WM_GETMINMAXINFO() AFX_MSG_ENTRY(WM_GETMINMAXINFO, minMax, OnGetMinMaxInfo)
#define ON_WM_SIZE() AFX_MSG_ENTRY(WM_SIZE, size, OnSize)
#define ON_WM_SYSCOMMAND() AFX_MSG_ENTRY(WM_SYSCOMMAND, sysCommand, OnSysCommand)
#define ON_WM_SHOWWINDOW() AFX_MSG_ENTRY(WM_SHOWWINDOW, showWindow, OnShowWindow)
#define ON_WM_SETFOCUS() AFX_MSG_ENTRY(WM_SETFOCUS, focus, OnSetFocus)
#define ON_WM_KILLFOCUS() AFX_MSG_ENTRY(WM_KILLFOCUS, focus, OnKillFocus)
#define ON_WM_MOUSEMOVE() AFX_MSG_ENTRY(WM_MOUSEMOVE, flagsPoint, OnMouseMove)
#define ON_WM_LBUTTONDOWN() AFX_MSG_ENTRY(WM_LBUTTONDOWN, flagsPoint, OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_MSG_ENTRY(WM_LBUTTONUP, flagsPoint, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_MSG_ENTRY(WM_LBUTTONDBLCLK, flagsPoint, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_MSG_ENTRY(WM_RBUTTONDOWN, flagsPoint, OnRButtonDown)
#define ON_WM_RBUTTONDBLCLK() AFX_MSG_ENTRY(WM_RBUTTONDBLCLK, flagsPoint, OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN() AFX_MSG_ENTRY(WM_MBUTTONDOWN, flagsPoint, OnMButtonDown)
#define ON_WM_KEYDOWN() AFX_MSG_ENTRY(WM_KEYDOWN, key, OnKeyDown)
#define ON_WM_KEYUP() AFX_MSG_ENTRY(WM_KEYUP, key, OnKeyUp)
#define ON_WM_ENABLE() AFX_MSG_ENTRY(WM_ENABLE, boolW, OnEnable)
#define ON_WM_CAPTURECHANGED() AFX_MSG_ENTRY(WM_CAPTURECHANGED, window, OnCaptureChanged)
#define ON_WM_GETDLGCODE() AFX_MSG_ENTRY(WM_GETDLGCODE, v_v, OnGetDlgCode)
#define ON_WM_MOUSEACTIVATE() AFX_MSG_ENTRY(WM_MOUSEACTIVATE, mouseActivate, OnMouseActivate)
// WM_SETTEXT with the new text; the handler's result (TRUE: the text was set) is the message's.
#define ON_WM_SETTEXT() AFX_MSG_ENTRY(WM_SETTEXT, setText, OnSetText)
#define ON_WM_ENTERMENULOOP() AFX_MSG_ENTRY(WM_ENTERMENULOOP, boolW, OnEnterMenuLoop)
#define ON_WM_EXITMENULOOP() AFX_MSG_ENTRY(WM_EXITMENULOOP, boolW, OnExitMenuLoop)
#define ON_WM_INITMENUPOPUP() AFX_MSG_ENTRY(WM_INITMENUPOPUP, initMenuPopup, OnInitMenuPopup)
#define ON_WM_MENUCHAR() AFX_MSG_ENTRY(WM_MENUCHAR, menuChar, OnMenuChar)
#define ON_WM_MEASUREITEM() AFX_MSG_ENTRY(WM_MEASUREITEM, measureItem, OnMeasureItem)
#define ON_WM_DRAWITEM() AFX_MSG_ENTRY(WM_DRAWITEM, drawItem, OnDrawItem)
#define ON_WM_CTLCOLOR() AFX_MSG_ENTRY(WM_CTLCOLOR, ctlColor, OnCtlColor)
#define ON_WM_CTLCOLOR_REFLECT() AFX_MSG_ENTRY(WM_REFLECT_BASE + WM_CTLCOLOR, ctlColorReflect, CtlColor)

// Commands (menu items, accelerators, and BN_CLICKED, which has code 0) and control notifications.
#define ON_COMMAND(id, memberFxn) \
    {WM_COMMAND, CN_COMMAND, static_cast<UINT>(id), static_cast<UINT>(id), nullptr, &afx_thunk::v_v<ThisClass, &ThisClass::memberFxn>},
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    {WM_COMMAND, CN_COMMAND, static_cast<UINT>(id), static_cast<UINT>(idLast), nullptr, &afx_thunk::commandRange<ThisClass, &ThisClass::memberFxn>},
#define ON_UPDATE_COMMAND_UI(id, memberFxn) \
    {WM_COMMAND, static_cast<UINT>(CN_UPDATE_COMMAND_UI), static_cast<UINT>(id), static_cast<UINT>(id), nullptr, &afx_thunk::commandUpdate<ThisClass, &ThisClass::memberFxn>},
#define ON_CONTROL(wNotifyCode, id, memberFxn) \
    {WM_COMMAND, static_cast<UINT>(wNotifyCode), static_cast<UINT>(id), static_cast<UINT>(id), nullptr, &afx_thunk::v_v<ThisClass, &ThisClass::memberFxn>},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn) \
    {WM_REFLECT_BASE + WM_COMMAND, static_cast<UINT>(wNotifyCode), 0, 0, nullptr, &afx_thunk::v_v<ThisClass, &ThisClass::memberFxn>},
#define ON_NOTIFY(wNotifyCode, id, memberFxn) \
    {WM_NOTIFY, static_cast<UINT>(wNotifyCode), static_cast<UINT>(id), static_cast<UINT>(id), nullptr, &afx_thunk::notify<ThisClass, &ThisClass::memberFxn>},
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn) \
    {WM_REFLECT_BASE + WM_NOTIFY, static_cast<UINT>(wNotifyCode), 0, 0, nullptr, &afx_thunk::notify<ThisClass, &ThisClass::memberFxn>},

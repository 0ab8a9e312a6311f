#pragma once
// The common controls' tool-tip window.
#include "platform/mfc/CWnd.h"

#include <commctrl.h>

class CToolTipCtrl : public CWnd {
    DECLARE_DYNAMIC(CToolTipCtrl)
public:
    CToolTipCtrl() = default;
    ~CToolTipCtrl() override = default;

    // A tool tip owned by pParentWnd (TTS_ALWAYSTIP and the given styles).
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);
    void Activate(BOOL bActivate) { SendMessage(TTM_ACTIVATE, static_cast<WPARAM>(bActivate)); }
    void SetTipBkColor(COLORREF clr) { SendMessage(TTM_SETTIPBKCOLOR, clr); }
    void SetTipTextColor(COLORREF clr) { SendMessage(TTM_SETTIPTEXTCOLOR, clr); }
    // Hands a mouse message of a tool window to the tool tip.
    void RelayEvent(MSG* pMsg) { SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(pMsg)); }
    // A tool for the whole of pWnd (rect null) or a rectangle of it, identified by nIDTool (0: the
    // window itself). The tool window is not subclassed: its owner hands its mouse messages over with
    // RelayEvent, so each reaches the tip once and nothing sits above the owner's window procedure.
    // pszText may be LPSTR_TEXTCALLBACKW.
    BOOL AddTool(CWnd* pWnd, const wchar_t* pszText, const RECT* pRect = nullptr, UINT_PTR nIDTool = 0);
    void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
    // Whether the tool of pWnd and nIDTool is registered.
    BOOL HasTool(CWnd* pWnd, UINT_PTR nIDTool = 0) const;
    void UpdateTipText(const wchar_t* pszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
    int GetToolCount() const { return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT)); }

private:
    TTTOOLINFOW MakeToolInfo(CWnd* pWnd, UINT_PTR nIDTool, const wchar_t* pszText) const;
};

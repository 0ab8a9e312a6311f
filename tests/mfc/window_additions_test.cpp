// The control-facing parts of the window layer: tool tips whose owners relay their own mouse
// messages, dialog ids, window relations and the control messages' map entries.
#include "platform/mfc/CToolTipCtrl.h"
#include "platform/mfc/CWnd.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class ControlMessagesWnd : public CWnd {
public:
    std::vector<std::string> m_calls;
    std::wstring m_text;

protected:
    void OnKeyUp(UINT nChar, UINT nRepCnt, UINT) { m_calls.push_back("keyup " + std::to_string(nChar) + "x" + std::to_string(nRepCnt)); }
    void OnEnable(BOOL bEnable)
    {
        m_calls.push_back(bEnable ? "enable 1" : "enable 0");
        CWnd::OnEnable(bEnable);
    }
    void OnCaptureChanged(CWnd* pWnd) { m_calls.push_back(pWnd ? "capture to window" : "capture to none"); }
    UINT OnGetDlgCode() { return DLGC_WANTARROWS | DLGC_WANTCHARS; }
    int OnMouseActivate(CWnd*, UINT nHitTest, UINT message)
    {
        m_calls.push_back("activate " + std::to_string(nHitTest) + " " + std::to_string(message));
        return MA_NOACTIVATE;
    }
    LRESULT OnSetText(const wchar_t* pszText)
    {
        m_text = pszText ? pszText : L"";
        return TRUE;  // taken, not passed on: the window's own text stays
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ControlMessagesWnd, CWnd)
    ON_WM_KEYUP()
    ON_WM_ENABLE()
    ON_WM_CAPTURECHANGED()
    ON_WM_GETDLGCODE()
    ON_WM_MOUSEACTIVATE()
    ON_WM_SETTEXT()
END_MESSAGE_MAP()

}  // namespace

TEST(WindowAdditionsTest, ControlMessageEntries)
{
    ControlMessagesWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, L"before", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr));
    wnd.SendMessage(WM_KEYUP, VK_SPACE, MAKELPARAM(2, 0));
    wnd.EnableWindow(FALSE);
    wnd.SendMessage(WM_CAPTURECHANGED, 0, 0);
    wnd.SendMessage(WM_MOUSEACTIVATE, 0, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    EXPECT_EQ((std::vector<std::string>{"keyup 32x2", "enable 0", "capture to none", "activate 1 513"}),
              wnd.m_calls);
    EXPECT_EQ(LRESULT(DLGC_WANTARROWS | DLGC_WANTCHARS), wnd.SendMessage(WM_GETDLGCODE));
    EXPECT_FALSE(wnd.IsWindowEnabled()) << "WM_ENABLE handed on";

    EXPECT_EQ(TRUE, SendMessageW(wnd.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"after")));
    EXPECT_EQ(L"after", wnd.m_text);
    CString text;
    wnd.GetWindowText(text);
    EXPECT_EQ(CString(L"before"), text);
}

TEST(WindowAdditionsTest, DialogIdAndRelations)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, L"p", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr));
    CWnd first, second;
    ASSERT_TRUE(first.Create(nullptr, L"", WS_CHILD, CRect(0, 0, 10, 10), &parent, 3));
    ASSERT_TRUE(second.Create(nullptr, L"", WS_CHILD, CRect(0, 0, 10, 10), &parent, 4));
    EXPECT_EQ(3, first.SetDlgCtrlID(30));
    EXPECT_EQ(30, first.GetDlgCtrlID());
    EXPECT_EQ(&first, parent.GetDlgItem(30));
    EXPECT_EQ(&first, parent.GetWindow(GW_CHILD));
    EXPECT_EQ(&second, first.GetWindow(GW_HWNDNEXT));
    EXPECT_EQ(&first, second.GetWindow(GW_HWNDPREV));
    EXPECT_EQ(nullptr, second.GetWindow(GW_HWNDNEXT));
}

TEST(WindowAdditionsTest, ToolsAreNotSubclassedAndCanBeRemoved)
{
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr));
    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(&owner));
    const LONG_PTR procBefore = GetWindowLongPtrW(owner.m_hWnd, GWLP_WNDPROC);
    EXPECT_FALSE(tip.HasTool(&owner));
    ASSERT_TRUE(tip.AddTool(&owner, L"text"));
    EXPECT_EQ(procBefore, GetWindowLongPtrW(owner.m_hWnd, GWLP_WNDPROC))
        << "no subclassing above the owner's own procedure";
    EXPECT_TRUE(tip.HasTool(&owner));
    ASSERT_TRUE(tip.AddTool(&owner, LPSTR_TEXTCALLBACKW, CRect(0, 0, 10, 10), 7));
    EXPECT_EQ(2, tip.GetToolCount());
    tip.DelTool(&owner);
    EXPECT_FALSE(tip.HasTool(&owner));
    EXPECT_TRUE(tip.HasTool(&owner, 7));
    tip.DelTool(&owner, 7);
    EXPECT_EQ(0, tip.GetToolCount());
    tip.DelTool(&owner, 7);
    EXPECT_EQ(0, tip.GetToolCount()) << "removing a missing tool is harmless";
    EXPECT_EQ(procBefore, GetWindowLongPtrW(owner.m_hWnd, GWLP_WNDPROC));
}

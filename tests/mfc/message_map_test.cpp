// Dispatch through message maps: chaining to the base, the current message, commands, reflection
// and handlers that throw.
#include "platform/mfc/CButton.h"
#include "platform/mfc/CToolTipCtrl.h"
#include "platform/mfc/CWnd.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

bool CreateHidden(CWnd& wnd, HWND hParent = nullptr)
{
    const DWORD dwStyle = hParent ? WS_CHILD | WS_VISIBLE : WS_OVERLAPPEDWINDOW;
    return wnd.CreateEx(0, nullptr, L"test", dwStyle, 0, 0, 200, 100, hParent, nullptr) != FALSE;
}

class BaseWnd : public CWnd {
protected:
    LRESULT OnOne(WPARAM, LPARAM) { return 11; }
    LRESULT OnTwo(WPARAM, LPARAM) { return 12; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BaseWnd, CWnd)
    ON_MESSAGE(WM_USER + 1, OnOne)
    ON_MESSAGE(WM_USER + 2, OnTwo)
END_MESSAGE_MAP()

class DerivedWnd : public BaseWnd {
protected:
    LRESULT OnTwoDerived(WPARAM, LPARAM) { return 22; }
    LRESULT OnThree(WPARAM wParam, LPARAM lParam) { return static_cast<LRESULT>(wParam) + lParam; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DerivedWnd, BaseWnd)
    ON_MESSAGE(WM_USER + 2, OnTwoDerived)
    ON_MESSAGE(WM_USER + 3, OnThree)
END_MESSAGE_MAP()

}  // namespace

TEST(MessageMapTest, DerivedMapChainsToItsBase)
{
    DerivedWnd wnd;
    ASSERT_TRUE(CreateHidden(wnd));
    EXPECT_EQ(11, wnd.SendMessage(WM_USER + 1)) << "inherited from the base map";
    EXPECT_EQ(22, wnd.SendMessage(WM_USER + 2)) << "the derived entry wins";
    EXPECT_EQ(7, wnd.SendMessage(WM_USER + 3, 3, 4));
    EXPECT_EQ(0, wnd.SendMessage(WM_USER + 4)) << "unmapped: DefWindowProc";

    BaseWnd base;
    ASSERT_TRUE(CreateHidden(base));
    EXPECT_EQ(12, base.SendMessage(WM_USER + 2));
    EXPECT_EQ(0, base.SendMessage(WM_USER + 3));
}

namespace {

UINT g_nRegistered = RegisterWindowMessageW(L"LumbraTestRegistered");

// Records the current message before and after a nested send to itself.
class NestingWnd : public CWnd {
public:
    MSG m_before{};
    MSG m_after{};
    MSG m_inner{};

protected:
    LRESULT OnOuter(WPARAM, LPARAM)
    {
        m_before = *GetCurrentMessage();
        SendMessage(WM_USER + 11, 5, 6);
        m_after = *GetCurrentMessage();
        return 1;
    }
    LRESULT OnInner(WPARAM, LPARAM)
    {
        m_inner = *GetCurrentMessage();
        return 2;
    }
    LRESULT OnRegistered(WPARAM wParam, LPARAM) { return static_cast<LRESULT>(wParam) * 2; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(NestingWnd, CWnd)
    ON_MESSAGE(WM_USER + 10, OnOuter)
    ON_MESSAGE(WM_USER + 11, OnInner)
    ON_REGISTERED_MESSAGE(g_nRegistered, OnRegistered)
END_MESSAGE_MAP()

}  // namespace

TEST(MessageMapTest, CurrentMessageIsRestoredAfterANestedSend)
{
    NestingWnd wnd;
    ASSERT_TRUE(CreateHidden(wnd));
    EXPECT_EQ(1, wnd.SendMessage(WM_USER + 10, 1, 2));
    EXPECT_EQ(wnd.m_hWnd, wnd.m_before.hwnd);
    EXPECT_EQ(UINT(WM_USER + 10), wnd.m_before.message);
    EXPECT_EQ(UINT(WM_USER + 11), wnd.m_inner.message);
    EXPECT_EQ(WPARAM(5), wnd.m_inner.wParam);
    EXPECT_EQ(UINT(WM_USER + 10), wnd.m_after.message);
    EXPECT_EQ(WPARAM(1), wnd.m_after.wParam);
    EXPECT_EQ(LPARAM(2), wnd.m_after.lParam);
    EXPECT_EQ(42, wnd.SendMessage(g_nRegistered, 21));
}

namespace {

class ThrowingWnd : public CWnd {
public:
    bool m_bThrowOnCreate = false;
    int m_nPostNcDestroy = 0;
    void PostNcDestroy() override { ++m_nPostNcDestroy; }

protected:
    int OnCreate(LPCREATESTRUCTW pCreateStruct)
    {
        if (m_bThrowOnCreate)
            throw std::runtime_error("creation refused");
        return CWnd::OnCreate(pCreateStruct);
    }
    LRESULT OnThrow(WPARAM, LPARAM) { throw std::runtime_error("handler failed"); }
    void OnPaint() { throw std::runtime_error("paint failed"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ThrowingWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_MESSAGE(WM_USER, OnThrow)
END_MESSAGE_MAP()

}  // namespace

TEST(MessageMapTest, ExceptionsStopAtTheWindowProcedure)
{
    ThrowingWnd wnd;
    ASSERT_TRUE(CreateHidden(wnd));
    EXPECT_EQ(0, wnd.SendMessage(WM_USER));
    // A paint handler that throws still leaves the window validated (no endless WM_PAINT).
    wnd.ShowWindow(SW_SHOWNA);
    wnd.Invalidate();
    wnd.UpdateWindow();
    RECT rcUpdate;
    EXPECT_FALSE(GetUpdateRect(wnd.m_hWnd, &rcUpdate, FALSE));

    ThrowingWnd refused;
    refused.m_bThrowOnCreate = true;
    EXPECT_FALSE(CreateHidden(refused)) << "a throwing OnCreate fails the creation";
    EXPECT_EQ(nullptr, refused.m_hWnd);
    EXPECT_EQ(1, refused.m_nPostNcDestroy);
}

namespace {

class CommandWnd : public CWnd {
public:
    int m_nCommand = 0;
    UINT m_nRangeId = 0;
    int m_nClicked = 0;

protected:
    void OnCommand100() { ++m_nCommand; }
    void OnRange(UINT nID) { m_nRangeId = nID; }
    void OnClicked() { ++m_nClicked; }
    void OnUpdate100(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    void OnUpdate103(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    void OnCommand103() {}
    void OnCommand102() {}
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CommandWnd, CWnd)
    ON_COMMAND(100, OnCommand100)
    ON_UPDATE_COMMAND_UI(100, OnUpdate100)
    ON_COMMAND(102, OnCommand102)
    ON_COMMAND(103, OnCommand103)
    ON_UPDATE_COMMAND_UI(103, OnUpdate103)
    ON_COMMAND_RANGE(200, 209, OnRange)
    ON_CONTROL(BN_DOUBLECLICKED, 300, OnClicked)
END_MESSAGE_MAP()

}  // namespace

TEST(MessageMapTest, CommandsAndCommandUpdates)
{
    CommandWnd wnd;
    ASSERT_TRUE(CreateHidden(wnd));
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(100, 0));
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(100, 1));  // accelerator
    EXPECT_EQ(2, wnd.m_nCommand);
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(205, 0));
    EXPECT_EQ(205u, wnd.m_nRangeId);

    testwin::RawWindow button(WS_CHILD, wnd.m_hWnd, L"BUTTON");
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(300, BN_CLICKED), reinterpret_cast<LPARAM>(button.get()));
    EXPECT_EQ(0, wnd.m_nClicked) << "another notification code";
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(300, BN_DOUBLECLICKED), reinterpret_cast<LPARAM>(button.get()));
    EXPECT_EQ(1, wnd.m_nClicked);

    HMENU hMenu = CreatePopupMenu();
    for (UINT id : {100u, 101u, 102u, 103u})
        AppendMenuW(hMenu, MF_STRING, id, L"item");
    AfxUpdateMenuCommands(hMenu, &wnd, TRUE);
    EXPECT_TRUE(GetMenuState(hMenu, 100, MF_BYCOMMAND) & MF_GRAYED) << "its update handler disabled it";
    EXPECT_TRUE(GetMenuState(hMenu, 101, MF_BYCOMMAND) & MF_GRAYED) << "no handler at all";
    EXPECT_FALSE(GetMenuState(hMenu, 102, MF_BYCOMMAND) & MF_GRAYED) << "a command handler exists";
    EXPECT_TRUE(GetMenuState(hMenu, 103, MF_BYCOMMAND) & MF_CHECKED);
    DestroyMenu(hMenu);
}

namespace {

// A static control that chooses its own colours through reflection.
class ColouredStatic : public CWnd {
public:
    CBrush m_brush{RGB(1, 2, 3)};
    UINT m_nCtlColor = 99;

protected:
    HBRUSH CtlColor(CDC*, UINT nCtlColor)
    {
        m_nCtlColor = nCtlColor;
        return m_brush;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ColouredStatic, CWnd)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

class OwnerDrawButton : public CButton {
public:
    UINT m_nDrawnId = 0;
    void DrawItem(LPDRAWITEMSTRUCT pDrawItemStruct) override { m_nDrawnId = pDrawItemStruct->CtlID; }
};

}  // namespace

TEST(MessageMapTest, ParentHandsControlMessagesBackToTheControl)
{
    CWnd parent;
    ASSERT_TRUE(CreateHidden(parent));
    ColouredStatic label;
    ASSERT_TRUE(label.CreateEx(0, L"STATIC", L"x", WS_CHILD, 0, 0, 20, 20, parent.m_hWnd,
                               reinterpret_cast<HMENU>(7)));
    HDC hDC = GetDC(parent.m_hWnd);
    const LRESULT lBrush = parent.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hDC),
                                              reinterpret_cast<LPARAM>(label.m_hWnd));
    ReleaseDC(parent.m_hWnd, hDC);
    EXPECT_EQ(reinterpret_cast<LRESULT>(static_cast<HBRUSH>(label.m_brush)), lBrush);
    EXPECT_EQ(UINT(CTLCOLOR_STATIC), label.m_nCtlColor);

    OwnerDrawButton button;
    ASSERT_TRUE(button.Create(L"b", BS_OWNERDRAW, CRect(0, 0, 40, 20), &parent, 9));
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_BUTTON;
    dis.CtlID = 9;
    dis.hwndItem = button.m_hWnd;
    parent.SendMessage(WM_DRAWITEM, 9, reinterpret_cast<LPARAM>(&dis));
    EXPECT_EQ(9u, button.m_nDrawnId);
}

TEST(ControlsTest, ToolTipBelongsToItsWindow)
{
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr));
    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(&owner));
    EXPECT_EQ(&tip, CWnd::FromHandlePermanent(tip.m_hWnd));
    EXPECT_EQ(owner.m_hWnd, GetWindow(tip.m_hWnd, GW_OWNER));
    EXPECT_TRUE(tip.AddTool(&owner, L"tip text"));
    EXPECT_EQ(1, tip.GetToolCount());
    tip.SetTipBkColor(RGB(222, 231, 254));
    EXPECT_EQ(RGB(222, 231, 254), static_cast<COLORREF>(tip.SendMessage(TTM_GETTIPBKCOLOR)));
    owner.DestroyWindow();
    EXPECT_EQ(nullptr, tip.m_hWnd) << "owned windows go with their owner";
}

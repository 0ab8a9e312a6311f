// Binding windows to objects: creation hook, unbinding, handle maps, attaching and subclassing.
#include "platform/mfc/AfxHandleMaps.h"
#include "platform/mfc/CWnd.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using msgseq::kOptional;

namespace {

msgseq::Log g_log;

// Logs every message it receives and what it knew about its binding at WM_NCCREATE.
class LoggingWnd : public CWnd {
public:
    bool m_bBoundAtNcCreate = false;
    int m_nPostNcDestroy = 0;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        g_log.Add("wnd", message, wParam, lParam);
        if (message == WM_NCCREATE)
            m_bBoundAtNcCreate = m_hWnd && FromHandlePermanent(m_hWnd) == this;
        return CWnd::WindowProc(message, wParam, lParam);
    }
    void PostNcDestroy() override { ++m_nPostNcDestroy; }
};

// Records the creation notice of the CBT hook and whether the object was bound by then.
HHOOK g_hCbt = nullptr;
bool g_bBoundAtCbt = false;
LRESULT CALLBACK RecordingCbt(int nCode, WPARAM wParam, LPARAM lParam)
{
    wchar_t szClass[8] = {};
    if (nCode == HCBT_CREATEWND)
        GetClassNameW(reinterpret_cast<HWND>(wParam), szClass, 8);
    // The system's input-method window may be created during the first WM_NCCREATE of a thread.
    if (nCode == HCBT_CREATEWND && _wcsicmp(szClass, L"IME") != 0) {
        g_log.Add("cbt", HCBT_CREATEWND, 0, 0);
        g_bBoundAtCbt = CWnd::FromHandlePermanent(reinterpret_cast<HWND>(wParam)) != nullptr;
    }
    return CallNextHookEx(g_hCbt, nCode, wParam, lParam);
}

bool CreateHidden(CWnd& wnd, HWND hParent = nullptr)
{
    const DWORD dwStyle = hParent ? WS_CHILD : WS_OVERLAPPEDWINDOW;
    return wnd.CreateEx(0, nullptr, L"test", dwStyle, 0, 0, 200, 100, hParent, nullptr) != FALSE;
}

}  // namespace

TEST(WindowBindingTest, ObjectIsBoundBeforeItsFirstMessage)
{
    g_log.Clear();
    g_hCbt = SetWindowsHookExW(WH_CBT, RecordingCbt, nullptr, GetCurrentThreadId());
    LoggingWnd wnd;
    ASSERT_TRUE(CreateHidden(wnd));
    UnhookWindowsHookEx(g_hCbt);

    EXPECT_TRUE(wnd.m_bBoundAtNcCreate);
    EXPECT_TRUE(g_bBoundAtCbt) << "the framework's creation hook runs before older hooks";
    EXPECT_TRUE(g_log.StartsWith({{"cbt", HCBT_CREATEWND},
                                  {"wnd", WM_GETMINMAXINFO, kOptional},
                                  {"wnd", WM_NCCREATE},
                                  {"wnd", WM_NCCALCSIZE},
                                  {"wnd", WM_CREATE}}));
    EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(wnd.m_hWnd));
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(&AfxWndProc), GetWindowLongPtrW(wnd.m_hWnd, GWLP_WNDPROC));
}

TEST(WindowBindingTest, WindowIsUnboundAtNcDestroy)
{
    LoggingWnd wnd;
    ASSERT_TRUE(CreateHidden(wnd));
    HWND hWnd = wnd.m_hWnd;
    g_log.Clear();
    EXPECT_TRUE(wnd.DestroyWindow());

    EXPECT_TRUE(g_log.EndsWith({{"wnd", WM_DESTROY}, {"wnd", WM_NCDESTROY}}));
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    EXPECT_EQ(nullptr, wnd.m_pfnSuper);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
    EXPECT_EQ(1, wnd.m_nPostNcDestroy);
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_FALSE(wnd.DestroyWindow()) << "nothing left to destroy";
}

namespace {

// Handles WM_NCDESTROY itself and forgets to call the base.
class ForgetfulWnd : public LoggingWnd {
protected:
    void OnNcDestroy() { g_log.Add("handler", WM_NCDESTROY, 0, 0); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ForgetfulWnd, LoggingWnd)
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()

}  // namespace

TEST(WindowBindingTest, HandlerThatSkipsTheBaseStillUnbinds)
{
    ForgetfulWnd wnd;
    ASSERT_TRUE(CreateHidden(wnd));
    HWND hWnd = wnd.m_hWnd;
    g_log.Clear();
    DestroyWindow(hWnd);
    EXPECT_TRUE(g_log.Contains("handler", WM_NCDESTROY));
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
    EXPECT_EQ(1, wnd.m_nPostNcDestroy);
}

TEST(WindowBindingTest, DestructorDestroysABoundWindow)
{
    HWND hWnd = nullptr;
    {
        LoggingWnd wnd;
        ASSERT_TRUE(CreateHidden(wnd));
        hWnd = wnd.m_hWnd;
    }
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
}

TEST(WindowBindingTest, FromHandleGivesPermanentObjectOrTemporaryWrapper)
{
    LoggingWnd wnd;
    ASSERT_TRUE(CreateHidden(wnd));
    EXPECT_EQ(&wnd, CWnd::FromHandle(wnd.m_hWnd));
    EXPECT_EQ(nullptr, CWnd::FromHandle(nullptr));

    testwin::RawWindow raw;
    ASSERT_NE(nullptr, raw.get());
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(raw));
    CWnd* pTemp = CWnd::FromHandle(raw);
    ASSERT_NE(nullptr, pTemp);
    EXPECT_EQ(raw.get(), pTemp->m_hWnd);
    EXPECT_EQ(pTemp, CWnd::FromHandle(raw)) << "one wrapper per handle";
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(raw)) << "a wrapper does not bind";

    AfxDeleteTempMaps();
    EXPECT_EQ(0u, afxMapHWND().TemporaryCount());
    EXPECT_TRUE(IsWindow(raw)) << "deleting a wrapper leaves the window alone";
}

namespace {

// Makes a temporary wrapper while handling a message and reports the map's size then.
class TempMakerWnd : public LoggingWnd {
public:
    HWND m_hWndOther = nullptr;
    size_t m_nTempsInside = 0;

protected:
    LRESULT OnMakeTemp(WPARAM, LPARAM)
    {
        CWnd::FromHandle(m_hWndOther);
        m_nTempsInside = afxMapHWND().TemporaryCount();
        return 1;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TempMakerWnd, LoggingWnd)
    ON_MESSAGE(WM_USER + 1, OnMakeTemp)
END_MESSAGE_MAP()

}  // namespace

TEST(WindowBindingTest, TemporariesMadeInsideAWindowProcedureDieWithIt)
{
    AfxDeleteTempMaps();
    TempMakerWnd wnd;
    ASSERT_TRUE(CreateHidden(wnd));
    testwin::RawWindow inside;
    testwin::RawWindow outside;
    wnd.m_hWndOther = inside;

    CWnd* pOutside = CWnd::FromHandle(outside);  // made at top level: lives on
    EXPECT_EQ(1, wnd.SendMessage(WM_USER + 1));
    EXPECT_EQ(2u, wnd.m_nTempsInside);
    EXPECT_EQ(1u, afxMapHWND().TemporaryCount());
    EXPECT_EQ(pOutside, afxMapHWND().LookupTemporary(outside));
    EXPECT_EQ(nullptr, afxMapHWND().LookupTemporary(inside));
    AfxDeleteTempMaps();
}

TEST(WindowBindingTest, AttachBindsWithoutRoutingMessages)
{
    testwin::RawWindow raw;
    LoggingWnd wnd;
    ASSERT_TRUE(wnd.Attach(raw));
    EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(raw));
    EXPECT_FALSE(wnd.Attach(raw)) << "already holds a window";
    LoggingWnd other;
    EXPECT_FALSE(other.Attach(raw)) << "the window has its object";

    g_log.Clear();
    SendMessageW(raw, WM_USER, 0, 0);
    EXPECT_TRUE(g_log.Entries().empty());

    EXPECT_EQ(raw.get(), wnd.Detach());
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(raw));
    EXPECT_TRUE(IsWindow(raw));
}

TEST(WindowBindingTest, SubclassRoutesMessagesAndUnsubclassRestores)
{
    testwin::RawWindow raw;
    const LONG_PTR procBefore = GetWindowLongPtrW(raw, GWLP_WNDPROC);
    LoggingWnd wnd;
    ASSERT_TRUE(wnd.SubclassWindow(raw));
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(&AfxWndProc), GetWindowLongPtrW(raw, GWLP_WNDPROC));

    g_log.Clear();
    SetWindowTextW(raw, L"through the map");
    EXPECT_TRUE(g_log.Matches({{"wnd", WM_SETTEXT}}));
    wchar_t szText[32] = {};
    GetWindowTextW(raw, szText, 32);
    EXPECT_STREQ(L"through the map", szText) << "unhandled messages reach the old procedure";

    EXPECT_EQ(raw.get(), wnd.UnsubclassWindow());
    EXPECT_EQ(procBefore, GetWindowLongPtrW(raw, GWLP_WNDPROC));
    g_log.Clear();
    SendMessageW(raw, WM_USER, 0, 0);
    EXPECT_TRUE(g_log.Entries().empty());
}

TEST(WindowBindingTest, DestroyingASubclassedWindowUnbinds)
{
    HWND hWnd = CreateWindowExW(0, testwin::PlainClass(), L"", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    LoggingWnd wnd;
    ASSERT_TRUE(wnd.SubclassWindow(hWnd));
    g_log.Clear();
    DestroyWindow(hWnd);
    EXPECT_TRUE(g_log.EndsWith({{"wnd", WM_DESTROY}, {"wnd", WM_NCDESTROY}}));
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    EXPECT_EQ(1, wnd.m_nPostNcDestroy);
}

namespace {

// Creates a child object from its own WM_CREATE: the creation hook nests.
class ParentWnd : public LoggingWnd {
public:
    LoggingWnd m_child;

protected:
    int OnCreate(LPCREATESTRUCTW pCreateStruct)
    {
        if (CWnd::OnCreate(pCreateStruct) == -1)
            return -1;
        return CreateHidden(m_child, m_hWnd) ? 0 : -1;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ParentWnd, LoggingWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

}  // namespace

TEST(WindowBindingTest, CreationInsideCreationBindsBoth)
{
    ParentWnd parent;
    ASSERT_TRUE(CreateHidden(parent));
    ASSERT_NE(nullptr, parent.m_child.m_hWnd);
    EXPECT_EQ(parent.m_hWnd, GetParent(parent.m_child.m_hWnd));
    EXPECT_TRUE(parent.m_bBoundAtNcCreate);
    EXPECT_TRUE(parent.m_child.m_bBoundAtNcCreate);
    EXPECT_EQ(&parent.m_child, CWnd::FromHandlePermanent(parent.m_child.m_hWnd));
    parent.DestroyWindow();
    EXPECT_EQ(nullptr, parent.m_child.m_hWnd) << "children are unbound with their parent";
}

TEST(WindowBindingTest, FailedCreationLeavesTheObjectUnbound)
{
    LoggingWnd wnd;
    EXPECT_FALSE(wnd.CreateEx(0, L"NoSuchClassAnywhere", L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    EXPECT_EQ(1, wnd.m_nPostNcDestroy);
    // The next window created on the thread is not bound to the failed object.
    testwin::RawWindow raw;
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(raw));
}

// Hook chains on windows: order, handing on, detaching, and the end of the window.
#include "toolkit/style/SubclassWnd.h"

#include "MessageSequence.h"

#include <gtest/gtest.h>

using msgseq::kLParam;
using msgseq::kWParam;

namespace {

msgseq::Log g_log;

LRESULT CALLBACK LoggingProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    g_log.Add("wnd", message, wParam, lParam);
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

const wchar_t* LoggingClass()
{
    static const wchar_t* s_name = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = LoggingProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"LumbraHookTarget";
        RegisterClassW(&wc);
        return L"LumbraHookTarget";
    }();
    return s_name;
}

// A window of the logging class, attached to a CWnd without taking over its messages.
struct Target {
    CWnd wnd;
    Target()
    {
        wnd.Attach(CreateWindowExW(0, LoggingClass(), L"target", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                                   GetModuleHandleW(nullptr), nullptr));
    }
    ~Target()
    {
        if (wnd.m_hWnd)
            wnd.DestroyWindow();
    }
    HWND hwnd() const { return wnd.m_hWnd; }
};

// Logs; optionally swallows WM_USER, or answers WM_USER + 1 by sending its window WM_USER + 2
// before PassOn.
class LoggingHook : public CSubclassWnd {
public:
    explicit LoggingHook(const char* pszTag) : m_pszTag(pszTag) {}
    bool m_bSwallow = false;
    bool m_bNest = false;

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        g_log.Add(m_pszTag, message, wParam, lParam);
        if (message == WM_USER && m_bSwallow)
            return 42;
        if (message == WM_USER + 1 && m_bNest) {
            ::SendMessageW(m_hooked->m_hWnd, WM_USER + 2, 7, 8);
            return PassOn();
        }
        return CSubclassWnd::HandleMessage(message, wParam, lParam);
    }

private:
    const char* m_pszTag;
};

}  // namespace

TEST(SubclassRegistryTest, NewestHookSeesMessagesFirst)
{
    Target target;
    const LONG_PTR procBefore = GetWindowLongPtrW(target.hwnd(), GWLP_WNDPROC);
    LoggingHook older("hookA"), newer("hookB");
    older.HookTo(&target.wnd);
    newer.HookTo(&target.wnd);
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(&ChainWndProc), GetWindowLongPtrW(target.hwnd(), GWLP_WNDPROC));
    EXPECT_EQ(&newer, CSubclassWndMap::Instance().FindHook(target.hwnd()));
    EXPECT_EQ(&older, newer.m_chainNext);
    EXPECT_EQ(older.m_prevProc, newer.m_prevProc);
    EXPECT_EQ(procBefore, reinterpret_cast<LONG_PTR>(older.m_prevProc));

    g_log.Clear();
    SendMessageW(target.hwnd(), WM_USER, 1, 2);
    EXPECT_TRUE(g_log.Matches({{"hookB", WM_USER}, {"hookA", WM_USER}, {"wnd", WM_USER}}));

    newer.m_bSwallow = true;
    g_log.Clear();
    EXPECT_EQ(42, SendMessageW(target.hwnd(), WM_USER, 1, 2));
    EXPECT_TRUE(g_log.Matches({{"hookB", WM_USER}})) << "a swallowed message reaches nobody else";
}

TEST(SubclassRegistryTest, PassOnAfterANestedSendHandsOnTheOriginalMessage)
{
    Target target;
    LoggingHook older("hookA"), newer("hookB");
    older.HookTo(&target.wnd);
    newer.HookTo(&target.wnd);
    newer.m_bNest = true;
    g_log.Clear();
    SendMessageW(target.hwnd(), WM_USER + 1, 1, 2);
    EXPECT_TRUE(g_log.Matches({{"hookB", WM_USER + 1, kWParam | kLParam, 1, 2},
                               {"hookB", WM_USER + 2, kWParam | kLParam, 7, 8},
                               {"hookA", WM_USER + 2, kWParam | kLParam, 7, 8},
                               {"wnd", WM_USER + 2, kWParam | kLParam, 7, 8},
                               {"hookA", WM_USER + 1, kWParam | kLParam, 1, 2},
                               {"wnd", WM_USER + 1, kWParam | kLParam, 1, 2}}));
}

TEST(SubclassRegistryTest, DetachingTheNewestHookKeepsTheChainProcedure)
{
    Target target;
    LoggingHook older("hookA"), newer("hookB");
    older.HookTo(&target.wnd);
    newer.HookTo(&target.wnd);
    newer.HookTo(nullptr);
    EXPECT_EQ(nullptr, newer.m_hooked);
    EXPECT_EQ(nullptr, newer.m_prevProc);
    EXPECT_EQ(&older, CSubclassWndMap::Instance().FindHook(target.hwnd()));
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(&ChainWndProc), GetWindowLongPtrW(target.hwnd(), GWLP_WNDPROC));
    g_log.Clear();
    SendMessageW(target.hwnd(), WM_USER, 0, 0);
    EXPECT_TRUE(g_log.Matches({{"hookA", WM_USER}, {"wnd", WM_USER}}));
}

TEST(SubclassRegistryTest, DetachingTheOlderHookOnlyRelinks)
{
    Target target;
    LoggingHook oldest("hookA"), middle("hookM"), newest("hookB");
    oldest.HookTo(&target.wnd);
    middle.HookTo(&target.wnd);
    newest.HookTo(&target.wnd);
    middle.HookTo(nullptr);
    EXPECT_EQ(&newest, CSubclassWndMap::Instance().FindHook(target.hwnd()));
    EXPECT_EQ(&oldest, newest.m_chainNext);
    g_log.Clear();
    SendMessageW(target.hwnd(), WM_USER, 0, 0);
    EXPECT_TRUE(g_log.Matches({{"hookB", WM_USER}, {"hookA", WM_USER}, {"wnd", WM_USER}}));

    oldest.HookTo(nullptr);
    EXPECT_EQ(nullptr, newest.m_chainNext);
    g_log.Clear();
    SendMessageW(target.hwnd(), WM_USER, 0, 0);
    EXPECT_TRUE(g_log.Matches({{"hookB", WM_USER}, {"wnd", WM_USER}}));
}

TEST(SubclassRegistryTest, DetachingTheOnlyHookRestoresTheProcedure)
{
    Target target;
    const LONG_PTR procBefore = GetWindowLongPtrW(target.hwnd(), GWLP_WNDPROC);
    LoggingHook only("hookA");
    only.HookTo(&target.wnd);
    only.HookTo(nullptr);
    EXPECT_EQ(procBefore, GetWindowLongPtrW(target.hwnd(), GWLP_WNDPROC));
    EXPECT_EQ(nullptr, CSubclassWndMap::Instance().FindHook(target.hwnd()));
    only.HookTo(nullptr);  // detaching twice is ignored

    only.HookTo(&target.wnd);  // and it can be attached again
    g_log.Clear();
    SendMessageW(target.hwnd(), WM_USER, 0, 0);
    EXPECT_TRUE(g_log.Matches({{"hookA", WM_USER}, {"wnd", WM_USER}}));
}

TEST(SubclassRegistryTest, NoHookSeesNcDestroy)
{
    Target target;
    HWND hWnd = target.hwnd();
    LoggingHook older("hookA"), newer("hookB");
    older.HookTo(&target.wnd);
    newer.HookTo(&target.wnd);
    g_log.Clear();
    DestroyWindow(hWnd);
    EXPECT_TRUE(g_log.Contains("hookB", WM_DESTROY));
    EXPECT_TRUE(g_log.Contains("hookA", WM_DESTROY));
    EXPECT_FALSE(g_log.Contains("hookB", WM_NCDESTROY));
    EXPECT_FALSE(g_log.Contains("hookA", WM_NCDESTROY));
    EXPECT_TRUE(g_log.EndsWith({{"wnd", WM_NCDESTROY}}));
    EXPECT_EQ(nullptr, CSubclassWndMap::Instance().FindHook(hWnd));
    EXPECT_EQ(nullptr, older.m_hooked);
    EXPECT_EQ(nullptr, newer.m_hooked);
    target.wnd.Detach();
}

TEST(SubclassRegistryTest, HookGoingAwayWhileAttachedDetachesItself)
{
    Target target;
    const LONG_PTR procBefore = GetWindowLongPtrW(target.hwnd(), GWLP_WNDPROC);
    {
        LoggingHook temporary("hookT");
        temporary.HookTo(&target.wnd);
    }
    EXPECT_EQ(procBefore, GetWindowLongPtrW(target.hwnd(), GWLP_WNDPROC));
    g_log.Clear();
    SendMessageW(target.hwnd(), WM_USER, 0, 0);
    EXPECT_TRUE(g_log.Matches({{"wnd", WM_USER}}));
}

namespace {

// A framework window that logs what its message map gets.
class MappedWnd : public CWnd {
public:
    int m_nPostNcDestroy = 0;
    void PostNcDestroy() override { ++m_nPostNcDestroy; }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        g_log.Add("cwnd", message, wParam, lParam);
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

}  // namespace

TEST(SubclassRegistryTest, HooksRunBeforeTheMessageMapOfAFrameworkWindow)
{
    MappedWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, L"mapped", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr));
    HWND hWnd = wnd.m_hWnd;
    LoggingHook hook("hookA");
    hook.HookTo(&wnd);
    g_log.Clear();
    wnd.SendMessage(WM_USER, 0, 0);
    EXPECT_TRUE(g_log.Matches({{"hookA", WM_USER}, {"cwnd", WM_USER}}));

    g_log.Clear();
    wnd.DestroyWindow();
    EXPECT_TRUE(g_log.EndsWith({{"cwnd", WM_NCDESTROY}}));
    EXPECT_FALSE(g_log.Contains("hookA", WM_NCDESTROY));
    EXPECT_EQ(nullptr, wnd.m_hWnd) << "the window's object is unbound as usual";
    EXPECT_EQ(1, wnd.m_nPostNcDestroy);
    EXPECT_EQ(nullptr, CSubclassWndMap::Instance().FindHook(hWnd));
}

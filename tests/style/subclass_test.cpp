// Hook chains on windows: order, handing on, detaching, and the end of the window.
#include "toolkit/style/SubclassWnd.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

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
    // Runs for WM_USER before the hook hands it on.
    std::function<void()> m_onUser;

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        g_log.Add(m_pszTag, message, wParam, lParam);
        if (message == WM_USER && m_onUser)
            m_onUser();
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

namespace {

// What one WM_USER reaches: the tags of the hooks, newest first, then the window.
std::vector<msgseq::Expected> Reaches(std::initializer_list<const char*> tags)
{
    std::vector<msgseq::Expected> expected;
    for (const char* tag : tags)
        expected.push_back({tag, WM_USER});
    expected.push_back({"wnd", WM_USER});
    return expected;
}

// A subclasser that knows nothing of the registry: it replaces the window procedure the plain way
// and calls the one it found.
WNDPROC g_pfnForeignNext = nullptr;

LRESULT CALLBACK ForeignProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    g_log.Add("foreign", message, wParam, lParam);
    return CallWindowProcW(g_pfnForeignNext, hWnd, message, wParam, lParam);
}

}  // namespace

TEST(SubclassChainTest, AttachAndDetachInEveryOrder)
{
    const char* const tags[3] = {"hookA", "hookB", "hookC"};
    std::vector<int> order{0, 1, 2};
    do {
        Target target;
        const LONG_PTR procBefore = GetWindowLongPtrW(target.hwnd(), GWLP_WNDPROC);
        LoggingHook hooks[3] = {LoggingHook(tags[0]), LoggingHook(tags[1]), LoggingHook(tags[2])};
        for (LoggingHook& hook : hooks)
            hook.HookTo(&target.wnd);
        std::vector<int> attached{2, 1, 0};  // newest first
        std::string trace = "detached";
        for (const int i : order) {
            hooks[i].HookTo(nullptr);
            attached.erase(std::find(attached.begin(), attached.end(), i));
            trace += std::string(" ") + tags[i];
            std::vector<msgseq::Expected> expected;
            for (const int j : attached)
                expected.push_back({tags[j], WM_USER});
            expected.push_back({"wnd", WM_USER});
            g_log.Clear();
            SendMessageW(target.hwnd(), WM_USER, 0, 0);
            EXPECT_TRUE(g_log.Matches(expected)) << trace;
        }
        EXPECT_EQ(procBefore, GetWindowLongPtrW(target.hwnd(), GWLP_WNDPROC)) << trace;
        EXPECT_EQ(nullptr, CSubclassWndMap::Instance().FindHook(target.hwnd())) << trace;
    } while (std::next_permutation(order.begin(), order.end()));

    // Detached hooks come back as the newest.
    Target target;
    LoggingHook a("hookA"), b("hookB");
    a.HookTo(&target.wnd);
    b.HookTo(&target.wnd);
    a.HookTo(nullptr);
    a.HookTo(&target.wnd);
    g_log.Clear();
    SendMessageW(target.hwnd(), WM_USER, 0, 0);
    EXPECT_TRUE(g_log.Matches(Reaches({"hookA", "hookB"})));
}

TEST(SubclassChainTest, ForeignSubclasserOnTopIsNeverOverwritten)
{
    Target target;
    HWND hWnd = target.hwnd();
    const LONG_PTR procBefore = GetWindowLongPtrW(hWnd, GWLP_WNDPROC);
    LoggingHook a("hookA"), b("hookB");
    a.HookTo(&target.wnd);
    g_pfnForeignNext =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ForeignProc)));
    ASSERT_EQ(reinterpret_cast<WNDPROC>(&ChainWndProc), g_pfnForeignNext);
    g_log.Clear();
    SendMessageW(hWnd, WM_USER, 0, 0);
    EXPECT_TRUE(g_log.Matches({{"foreign", WM_USER}, {"hookA", WM_USER}, {"wnd", WM_USER}}));

    // The chain empties under the foreign procedure: it stays, and messages still reach the window.
    a.HookTo(nullptr);
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(&ForeignProc), GetWindowLongPtrW(hWnd, GWLP_WNDPROC));
    g_log.Clear();
    SendMessageW(hWnd, WM_USER, 0, 0);
    EXPECT_TRUE(g_log.Matches({{"foreign", WM_USER}, {"wnd", WM_USER}}));

    // A new hook joins the chain below the foreign procedure, which keeps seeing everything first.
    b.HookTo(&target.wnd);
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(&ForeignProc), GetWindowLongPtrW(hWnd, GWLP_WNDPROC));
    g_log.Clear();
    SendMessageW(hWnd, WM_USER, 0, 0);
    EXPECT_TRUE(g_log.Matches({{"foreign", WM_USER}, {"hookB", WM_USER}, {"wnd", WM_USER}}));
    b.HookTo(nullptr);

    // The foreign subclasser leaves the way it came; then the window gets its own procedure back.
    SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_pfnForeignNext));
    g_log.Clear();
    SendMessageW(hWnd, WM_USER, 0, 0);
    EXPECT_TRUE(g_log.Matches({{"wnd", WM_USER}}));
    EXPECT_EQ(procBefore, GetWindowLongPtrW(hWnd, GWLP_WNDPROC));
}

TEST(SubclassChainTest, ForeignSubclasserStaysWhileTheWindowEnds)
{
    Target target;
    HWND hWnd = target.hwnd();
    LoggingHook a("hookA");
    a.HookTo(&target.wnd);
    g_pfnForeignNext =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ForeignProc)));
    g_log.Clear();
    target.wnd.DestroyWindow();
    EXPECT_TRUE(g_log.EndsWith({{"foreign", WM_NCDESTROY}, {"wnd", WM_NCDESTROY}}));
    EXPECT_FALSE(g_log.Contains("hookA", WM_NCDESTROY));
    EXPECT_EQ(nullptr, a.m_hooked);
}

TEST(SubclassChainTest, HookDetachingItselfWhileHandlingHandsTheMessageOn)
{
    Target target;
    LoggingHook only("hookA");
    only.HookTo(&target.wnd);
    only.m_onUser = [&] { only.HookTo(nullptr); };
    g_log.Clear();
    SendMessageW(target.hwnd(), WM_USER, 0, 0);
    EXPECT_TRUE(g_log.Matches(Reaches({"hookA"}))) << "the only hook";
    g_log.Clear();
    SendMessageW(target.hwnd(), WM_USER, 0, 0);
    EXPECT_TRUE(g_log.Matches(Reaches({}))) << "and it is gone";

    LoggingHook older("hookA"), newer("hookB");
    older.HookTo(&target.wnd);
    newer.HookTo(&target.wnd);
    newer.m_onUser = [&] { newer.HookTo(nullptr); };
    g_log.Clear();
    SendMessageW(target.hwnd(), WM_USER, 0, 0);
    EXPECT_TRUE(g_log.Matches(Reaches({"hookB", "hookA"}))) << "the newest of two";
}

TEST(SubclassChainTest, HookDetachedWhileHandlingNeverReachesHooksThatLeftMeanwhile)
{
    Target target;
    LoggingHook older("hookA"), newer("hookB");
    older.HookTo(&target.wnd);
    newer.HookTo(&target.wnd);
    // The newer hook leaves, then the older one: the message still reaches the window, and nothing
    // that left before the hand-on.
    newer.m_onUser = [&] {
        newer.HookTo(nullptr);
        older.HookTo(nullptr);
    };
    g_log.Clear();
    SendMessageW(target.hwnd(), WM_USER, 0, 0);
    EXPECT_TRUE(g_log.Matches(Reaches({"hookB"})));

    // The same with the older hook deleted: a dead object is never called.
    auto* pOlder = new LoggingHook("hookA");
    LoggingHook newest("hookC");
    pOlder->HookTo(&target.wnd);
    newest.HookTo(&target.wnd);
    newest.m_onUser = [&] {
        newest.HookTo(nullptr);
        delete pOlder;
        pOlder = nullptr;
    };
    g_log.Clear();
    SendMessageW(target.hwnd(), WM_USER, 0, 0);
    EXPECT_TRUE(g_log.Matches(Reaches({"hookC"})));

    // A hook that joined meanwhile is newer than the detached one: it does not get the message again.
    LoggingHook first("hookA"), second("hookB"), late("hookL");
    first.HookTo(&target.wnd);
    second.HookTo(&target.wnd);
    second.m_onUser = [&] {
        second.HookTo(nullptr);
        late.HookTo(&target.wnd);
    };
    g_log.Clear();
    SendMessageW(target.hwnd(), WM_USER, 0, 0);
    EXPECT_TRUE(g_log.Matches(Reaches({"hookB", "hookA"})));
}

TEST(SubclassChainTest, HookDetachedDuringANestedSendStillPassesItsOwnMessageOn)
{
    Target target;
    LoggingHook older("hookA"), newer("hookB");
    older.HookTo(&target.wnd);
    newer.HookTo(&target.wnd);
    newer.m_bNest = true;  // WM_USER + 1: sends WM_USER + 2 first, then PassOn
    // The older hook takes the newer one away while the nested message passes it.
    class Remover : public CSubclassWnd {
    public:
        CSubclassWnd* m_pVictim = nullptr;
        LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
        {
            if (message == WM_USER + 2 && m_pVictim) {
                m_pVictim->HookTo(nullptr);
                m_pVictim = nullptr;
            }
            return CSubclassWnd::HandleMessage(message, wParam, lParam);
        }
    };
    Remover remover;
    remover.HookTo(&target.wnd);  // newest: sees the nested message first
    remover.m_pVictim = &newer;
    g_log.Clear();
    SendMessageW(target.hwnd(), WM_USER + 1, 1, 2);
    EXPECT_TRUE(g_log.Matches({{"hookB", WM_USER + 1, kWParam | kLParam, 1, 2},
                               {"hookA", WM_USER + 2, kWParam | kLParam, 7, 8},
                               {"wnd", WM_USER + 2, kWParam | kLParam, 7, 8},
                               {"hookA", WM_USER + 1, kWParam | kLParam, 1, 2},
                               {"wnd", WM_USER + 1, kWParam | kLParam, 1, 2}}));
    EXPECT_EQ(nullptr, newer.m_hooked);
}

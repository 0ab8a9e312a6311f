// The popup-menu hook on real popup menus: take-over while open, give-back afterwards, the menu
// each popup window shows, and the windows it must leave alone.
#include "MenuTestSupport.h"

#include "support/DibSurface.h"
#include "tests/support/WineDifference.h"
#include "platform/mfc/CToolTipCtrl.h"
#include "toolkit/menu/MenuColors.h"
#include "toolkit/menu/MenuTheme.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

struct PopupSeen {
    HWND hWnd = nullptr;
    bool bProperty = false;
    bool bOurProc = false;
    bool bAtom = false;
    HMENU hMenu = nullptr;
    COLORREF clrFrame = CLR_INVALID;     // on screen, left edge, half-way down
    COLORREF clrThemeFrame = CLR_INVALID;  // what the theme paints there
    COLORREF clrClientEdge = CLR_INVALID;  // on screen, the client area's first column, half-way down
};

PopupSeen Inspect(HWND hWnd)
{
    PopupSeen seen;
    seen.hWnd = hWnd;
    seen.bProperty = ::GetPropW(hWnd, L"OldMenuProc") != nullptr;
    seen.bOurProc = ::GetWindowLongPtrW(hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(CVellMenuHook::MenuWindowProc);
    seen.bAtom = ::GlobalFindAtomW(L"OldMenuProc") != 0;
    if (CMenuHookData* pData = TestMenuHook().FindData(hWnd))
        seen.hMenu = pData->m_hMenu;
    HDC hDC = ::GetWindowDC(hWnd);
    RECT rc{};
    ::GetWindowRect(hWnd, &rc);
    seen.clrFrame = ::GetPixel(hDC, 0, (rc.bottom - rc.top) / 2) & 0xFFFFFF;
    POINT ptClient{0, 0};
    ::ClientToScreen(hWnd, &ptClient);
    seen.clrClientEdge = ::GetPixel(hDC, ptClient.x - rc.left, (rc.bottom - rc.top) / 2) & 0xFFFFFF;
    ::ReleaseDC(hWnd, hDC);
    DibSurface surface(rc.right - rc.left, rc.bottom - rc.top);
    ActiveMenuTheme()->PaintFrame(hWnd, surface.dc());
    seen.clrThemeFrame = surface.At(0, (rc.bottom - rc.top) / 2);
    return seen;
}

// A popup with a submenu as its first item, converted for a window's context menu.
class ContextMenu {
public:
    ContextMenu()
    {
        CMenu container, popup, sub;
        container.CreateMenu();
        popup.CreatePopupMenu();
        sub.CreatePopupMenu();
        sub.AppendMenu(MF_STRING, 21, L"&Inner");
        popup.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(sub.Detach()), L"&More");
        popup.AppendMenu(MF_STRING, 20, L"&Outer\tCtrl+O");
        container.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(popup.Detach()), L"Context");
        menu.Convert(container.Detach());
    }
    CVellMenu* Popup() { return CVellMenu::FromHandleThemed(::GetSubMenu(menu, 0)); }
    CVellMenu* Sub() { return CVellMenu::FromHandleThemed(::GetSubMenu(*Popup(), 0)); }
    CVellMenu menu;
};

}  // namespace

TEST(MenuHook, InstalledForThisThreadWithTheXpLookActive)
{
    CVellMenuHook& hook = TestMenuHook();
    EXPECT_TRUE(hook.IsInstalled());
    EXPECT_EQ(&hook, CurrentThreadMenuHook());
    ASSERT_TRUE(ActiveMenuTheme());
    EXPECT_EQ(CVellMenuTheme::kXP, ActiveMenuTheme()->m_nId);
    EXPECT_TRUE(hook.FindTheme(CVellMenuTheme::kClassic));
    EXPECT_TRUE(hook.FindTheme(CVellMenuTheme::kFlatBar));
    EXPECT_FALSE(hook.AddTheme(ActiveMenuTheme()));  // already registered
}

TEST(MenuHook, ContextMenuIsTakenOverWhileOpenAndGivenBackAfterwards)
{
    auto pOwner = OpenDialog(kPlainDialog);
    ASSERT_TRUE(pOwner);
    ContextMenu context;
    std::vector<PopupSeen> seen;
    std::vector<int> heights;
    bool bItemsInside = true;
    ASSERT_TRUE(RunInMenuLoop(
        [&] { context.Popup()->TrackPopupMenu(TPM_LEFTALIGN, 200, 200, pOwner.get()); },
        [&] {
            for (HWND hWnd : VisiblePopups())
                seen.push_back(Inspect(hWnd));
            for (UINT i = 0; i < 2; ++i) {
                RECT rc{};
                ::GetMenuItemRect(nullptr, *context.Popup(), i, &rc);
                heights.push_back(rc.bottom - rc.top);
                if (seen.empty())
                    continue;
                RECT rcClient{};
                ::GetClientRect(seen.back().hWnd, &rcClient);
                ::MapWindowPoints(seen.back().hWnd, nullptr, reinterpret_cast<POINT*>(&rcClient), 2);
                RECT rcInside{};
                ::IntersectRect(&rcInside, &rc, &rcClient);
                bItemsInside &= ::EqualRect(&rcInside, &rc) != FALSE;
            }
            return false;
        }));
    ASSERT_EQ(1u, seen.size());
    EXPECT_TRUE(seen[0].bProperty);
    EXPECT_TRUE(seen[0].bOurProc);
    EXPECT_TRUE(seen[0].bAtom);
    EXPECT_EQ(context.Popup()->m_hMenu, seen[0].hMenu);
    // The frame on screen is the theme's (a bevel shaded from navy), not the system's.
    EXPECT_EQ(seen[0].clrThemeFrame, seen[0].clrFrame);
    EXPECT_NE(::GetSysColor(COLOR_MENU), seen[0].clrFrame);
    // Around the items the theme's background (navy in the XP look), whatever the system paints.
    EXPECT_EQ(vell_menu::kNavy, seen[0].clrClientEdge);
    // A context menu's items are measured by the theme too (found through the tracking state):
    // the XP look's 23 pixels, the submenu item as well as the command.
    EXPECT_EQ((std::vector<int>{23, 23}), heights);
    // The window keeps room for every item inside the theme's frame.
    EXPECT_TRUE(bItemsInside);

    EXPECT_EQ(0, TestMenuHook().GetWindowCount());
    EXPECT_EQ(0, ::GlobalFindAtomW(L"OldMenuProc"));
    if (::IsWindow(seen[0].hWnd)) {
        EXPECT_EQ(nullptr, ::GetPropW(seen[0].hWnd, L"OldMenuProc"));
        EXPECT_NE(reinterpret_cast<LONG_PTR>(CVellMenuHook::MenuWindowProc), ::GetWindowLongPtrW(seen[0].hWnd, GWLP_WNDPROC));
    }
    EXPECT_EQ(nullptr, AfxGetThreadState()->m_hTrackingMenu);
}

TEST(MenuHook, MenuBarAndSystemPopupsGetTheirMenus)
{
    auto pDialog = OpenDialog(kMenuDialog);
    ASSERT_TRUE(pDialog);
    const HWND hWnd = pDialog->m_hWnd;
    struct Case {
        wchar_t chKey;
        HMENU hExpected;
    };
    const Case cases[] = {{L'e', ::GetSubMenu(::GetMenu(hWnd), 1)}, {L' ', ::GetSystemMenu(hWnd, FALSE)}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "key '" << static_cast<char>(c.chKey) << "'");
        std::vector<HMENU> menus;
        CString strFirst;
        ASSERT_TRUE(RunInMenuLoop([&] { ::PostMessageW(hWnd, WM_SYSCOMMAND, SC_KEYMENU, c.chKey); },
                                  [&] {
                                      for (HWND hPopup : VisiblePopups()) {
                                          CMenuHookData* pData = TestMenuHook().FindData(hPopup);
                                          menus.push_back(pData ? pData->m_hMenu : nullptr);
                                      }
                                      if (CVellMenu* pMenu = CVellMenu::FromHandleThemed(c.hExpected))
                                          strFirst = pMenu->GetRecordCount() ? pMenu->GetRecord(0)->m_strText : CString();
                                      return menus.empty();  // until the popup shows
                                  }));
        ASSERT_EQ(1u, menus.size());
        EXPECT_EQ(c.hExpected, menus[0]);
        // Both are themed while open: the bar's popup by the dialog's conversion, the system menu
        // by its preparation (with the restore text of string 50101).
        EXPECT_FALSE(strFirst.IsEmpty());
        EXPECT_EQ(0, TestMenuHook().GetWindowCount());
    }
    EXPECT_EQ(L"Restore it", CVellMenu::FromHandleThemed(::GetSystemMenu(hWnd, FALSE))->GetRecord(0)->m_strText);
}

TEST(MenuHook, SubmenuGetsItsOwnMenuAndEachPopupClosesOnce)
{
    auto pOwner = OpenDialog(kPlainDialog);
    ASSERT_TRUE(pOwner);
    ContextMenu context;
    std::vector<HMENU> menus;
    int nTicks = 0;
    int nOpenWhileShown = -1;
    ASSERT_TRUE(RunInMenuLoop(
        [&] { context.Popup()->TrackPopupMenu(TPM_LEFTALIGN, 200, 200, pOwner.get()); },
        [&] {
            if (++nTicks == 1) {
                // Keys go to the menu's own loop: down to "More", right into its submenu.
                ::PostMessageW(pOwner->m_hWnd, WM_KEYDOWN, VK_DOWN, 0);
                ::PostMessageW(pOwner->m_hWnd, WM_KEYDOWN, VK_RIGHT, 0);
                return true;
            }
            for (HWND hWnd : VisiblePopups())
                menus.push_back(Inspect(hWnd).hMenu);
            nOpenWhileShown = context.Popup()->m_openCount;
            return false;
        }));
    ASSERT_EQ(2u, menus.size());
    EXPECT_NE(menus.end(), std::find(menus.begin(), menus.end(), context.Popup()->m_hMenu));
    EXPECT_NE(menus.end(), std::find(menus.begin(), menus.end(), context.Sub()->m_hMenu));
    // Opened once, closed once: the popup's count of open submenus went to 1 and is back at 0.
    EXPECT_EQ(1, nOpenWhileShown);
    EXPECT_EQ(0, context.Popup()->m_openCount);
}

TEST(MenuHook, PopupOpenedAgainIsTakenOverAgainWithItsNewMenu)
{
    auto pOwner = OpenDialog(kPlainDialog);
    ASSERT_TRUE(pOwner);
    ContextMenu context;
    const auto track = [&] { context.Popup()->TrackPopupMenu(TPM_LEFTALIGN, 200, 200, pOwner.get()); };
    HWND hFirst = nullptr;
    ASSERT_TRUE(RunInMenuLoop(track, [&] {
        const std::vector<HWND> popups = VisiblePopups();
        hFirst = popups.empty() ? nullptr : popups[0];
        return false;
    }));
    ASSERT_TRUE(hFirst);

    bool bReused = false, bTakenAgain = false, bWasShowing = false, bPendingTaken = false;
    HMENU hShown = nullptr;
    ASSERT_TRUE(RunInMenuLoop(track, [&] {
        const std::vector<HWND> popups = VisiblePopups();
        if (popups.empty())
            return false;
        const HWND hWnd = popups[0];
        bReused = hWnd == hFirst;
        CVellMenuHook& hook = TestMenuHook();
        if (!bReused) {
            // Wine makes every popup a new window: the re-show path is driven by hand, as the
            // system would drive it for a hidden popup window it shows again.
            CVellMenuHook::UnsubclassMenuWindow(hWnd);
            hook.m_hPendingMenu = context.Popup()->m_hMenu;
            ::SendMessageW(hWnd, kMenuReshowMessage, 0, 0);
            bPendingTaken = hook.m_hPendingMenu == nullptr;
        }
        CMenuHookData* pData = hook.FindData(hWnd);
        bTakenAgain = pData && ::GetPropW(hWnd, L"OldMenuProc");
        bWasShowing = pData && (pData->m_dwFlags & CMenuHookData::kWasShowing);
        hShown = pData ? pData->m_hMenu : nullptr;
        return false;
    }));
    if (!bReused) {
        WINE_KNOWN_DIFFERENCE("a popup opened again reuses its hidden window and re-shows it with message 0x1E2");
        EXPECT_TRUE(bPendingTaken);
    }
    EXPECT_TRUE(bTakenAgain);
    EXPECT_TRUE(bWasShowing);
    EXPECT_EQ(context.Popup()->m_hMenu, hShown);
    EXPECT_EQ(0, TestMenuHook().GetWindowCount());
    EXPECT_EQ(0, ::GlobalFindAtomW(L"OldMenuProc"));
}

TEST(MenuHook, KeysInAPopupRecordTheMessagePositionAndEscapeMarksIt)
{
    auto pOwner = OpenDialog(kPlainDialog);
    ASSERT_TRUE(pOwner);
    ContextMenu context;
    constexpr DWORD kSentinel = 0xDEADBEEF;
    int nTicks = 0;
    bool bKeyReachedPopup = false, bPositionRecorded = false, bEscapeMarked = false;
    ASSERT_TRUE(RunInMenuLoop(
        [&] { context.Popup()->TrackPopupMenu(TPM_LEFTALIGN, 200, 200, pOwner.get()); },
        [&] {
            CVellMenuHook& hook = TestMenuHook();
            const std::vector<HWND> popups = VisiblePopups();
            if (popups.empty())
                return false;
            if (++nTicks == 1) {
                hook.m_dwLastMessagePos = kSentinel;
                ::PostMessageW(pOwner->m_hWnd, WM_KEYDOWN, VK_DOWN, 0);
                return true;
            }
            bKeyReachedPopup = hook.m_dwLastMessagePos != kSentinel;
            if (!bKeyReachedPopup)
                ::SendMessageW(popups[0], WM_KEYDOWN, VK_DOWN, 0);
            bPositionRecorded = hook.m_dwLastMessagePos != kSentinel;
            ::SendMessageW(popups[0], WM_KEYDOWN, VK_ESCAPE, 0);
            CMenuHookData* pData = hook.FindData(popups[0]);
            bEscapeMarked = pData && (pData->m_dwFlags & CMenuHookData::kEscapePressed);
            return false;
        }));
    if (!bKeyReachedPopup)
        WINE_KNOWN_DIFFERENCE("keys pressed while a popup menu is open reach the popup window's procedure");
    EXPECT_TRUE(bPositionRecorded);
    EXPECT_TRUE(bEscapeMarked);
}

TEST(MenuHook, OtherWindowsAndGivingBackUnknownWindowsAreLeftAlone)
{
    TestMenuHook();
    auto pOwner = OpenDialog(kPlainDialog);
    ASSERT_TRUE(pOwner);
    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(pOwner.get()));
    const LONG_PTR nProc = ::GetWindowLongPtrW(tip.m_hWnd, GWLP_WNDPROC);
    EXPECT_FALSE(CVellMenuHook::SubclassMenuWindow(tip.m_hWnd, FALSE));
    EXPECT_EQ(nProc, ::GetWindowLongPtrW(tip.m_hWnd, GWLP_WNDPROC));
    // Giving back a window that was never taken over never sets a null procedure.
    CVellMenuHook::UnsubclassMenuWindow(pOwner->m_hWnd);
    EXPECT_NE(0, ::GetWindowLongPtrW(pOwner->m_hWnd, GWLP_WNDPROC));
    EXPECT_TRUE(::IsWindow(pOwner->m_hWnd));
}

TEST(MenuHook, PopupsOfAThreadWithoutHookKeepTheSystemLook)
{
    TestMenuHook();
    bool bTakenOver = true, bNoHook = false;
    HANDLE hThread = ::CreateThread(
        nullptr, 0,
        [](void* p) -> DWORD {
            auto* pResults = static_cast<std::pair<bool*, bool*>*>(p);
            *pResults->second = CurrentThreadMenuHook() == nullptr;
            HWND hOwner = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                            nullptr, nullptr);
            HMENU hMenu = ::CreatePopupMenu();
            ::AppendMenuW(hMenu, MF_STRING, 1, L"Item");
            static bool* s_pTaken = nullptr;
            s_pTaken = pResults->first;
            *s_pTaken = false;
            ::SetTimer(nullptr, 0, 150, [](HWND, UINT, UINT_PTR id, DWORD) {
                ::KillTimer(nullptr, id);
                for (HWND hWnd : VisiblePopups())
                    *s_pTaken |= ::GetPropW(hWnd, L"OldMenuProc") != nullptr;
                ::EndMenu();
            });
            ::TrackPopupMenu(hMenu, TPM_LEFTALIGN, 100, 100, 0, hOwner, nullptr);
            ::DestroyMenu(hMenu);
            ::DestroyWindow(hOwner);
            return 0;
        },
        new std::pair<bool*, bool*>(&bTakenOver, &bNoHook), 0, nullptr);
    ASSERT_TRUE(hThread);
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(hThread, 10000));
    ::CloseHandle(hThread);
    EXPECT_TRUE(bNoHook);
    EXPECT_FALSE(bTakenOver);
}

TEST(MenuHook, FailedInstallationDoesNotEndTheProcess)
{
    TestMenuHook();
    CVellMenuTheme* pActive = ActiveMenuTheme();
    bool bInstalled = true, bRegistered = true;
    HANDLE hThread = ::CreateThread(
        nullptr, 0,
        [](void* p) -> DWORD {
            auto* pResults = static_cast<std::pair<bool*, bool*>*>(p);
            {
                CVellMenuHook hook([](int, HOOKPROC, HINSTANCE, DWORD) -> HHOOK {
                    ::SetLastError(ERROR_ACCESS_DENIED);
                    return nullptr;
                });
                *pResults->first = hook.IsInstalled();
                *pResults->second = CurrentThreadMenuHook() != nullptr;
            }
            delete pResults;
            return 0;
        },
        new std::pair<bool*, bool*>(&bInstalled, &bRegistered), 0, nullptr);
    ASSERT_TRUE(hThread);
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(hThread, 10000));
    ::CloseHandle(hThread);
    EXPECT_FALSE(bInstalled);
    EXPECT_FALSE(bRegistered);
    // The theme of the first hook stays active; this thread's hook is untouched.
    EXPECT_EQ(pActive, ActiveMenuTheme());
    EXPECT_EQ(&TestMenuHook(), CurrentThreadMenuHook());
}

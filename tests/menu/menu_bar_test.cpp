// The menu bar of styled windows: a row below the caption, drawn by the theme, hot while the mouse
// rests on an item, opening each popup under its item.
#include "MenuTestSupport.h"

#include "toolkit/menu/MenuColors.h"
#include "toolkit/draw/StyleGlobals.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

CRect WindowRelative(HWND hWnd, RECT rc)
{
    RECT rcWindow{};
    ::GetWindowRect(hWnd, &rcWindow);
    ::OffsetRect(&rc, -rcWindow.left, -rcWindow.top);
    return CRect(rc);
}

}  // namespace

TEST(MenuBar, StyledWindowWithAMenuGetsAThemedRowBelowItsCaption)
{
    auto pDialog = OpenDialog(kMenuDialog);
    ASSERT_TRUE(pDialog);
    const HWND hWnd = pDialog->m_hWnd;
    HMENU hMenu = ::GetMenu(hWnd);
    ASSERT_TRUE(hMenu);
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_FTYPE;
    ASSERT_TRUE(::GetMenuItemInfoW(hMenu, 0, TRUE, &mii));
    EXPECT_TRUE(mii.fType & MFT_OWNERDRAW);

    RECT rcItem{};
    ASSERT_TRUE(::GetMenuItemRect(hWnd, hMenu, 0, &rcItem));
    const CRect rcFile = WindowRelative(hWnd, rcItem);
    EXPECT_EQ(4, rcFile.left);
    // Right below the caption. The system gives menu-bar items its own height whatever the
    // owner measures (SM_CYMENUSIZE) and leaves a line above them.
    EXPECT_LE(23, rcFile.top);
    EXPECT_GE(24, rcFile.top);
    EXPECT_EQ(::GetSystemMetrics(SM_CYMENUSIZE), rcFile.Height());

    CRect rcClient;
    pDialog->GetClientRect(&rcClient);
    pDialog->ClientToScreen(&rcClient);
    EXPECT_EQ(rcFile.bottom, WindowRelative(hWnd, rcClient).top);

    // Clicks on the row reach the menu.
    const POINT ptCenter{(rcItem.left + rcItem.right) / 2, (rcItem.top + rcItem.bottom) / 2};
    EXPECT_EQ(HTMENU, ::SendMessageW(hWnd, WM_NCHITTEST, 0, MAKELPARAM(ptCenter.x, ptCenter.y)));
}

TEST(MenuBar, WindowWithoutAMenuKeepsItsFrame)
{
    auto pDialog = OpenDialog(kPlainDialog);
    ASSERT_TRUE(pDialog);
    CRect rcWindow, rcClient;
    pDialog->GetWindowRect(&rcWindow);
    pDialog->GetClientRect(&rcClient);
    pDialog->ClientToScreen(&rcClient);
    EXPECT_EQ(23, rcClient.top - rcWindow.top);
    EXPECT_EQ(4, rcClient.left - rcWindow.left);
}

TEST(MenuBar, HoverDrawsTheItemHotAndStartsTheTimerLeavingStopsIt)
{
    auto pDialog = OpenDialog(kMenuDialog);
    ASSERT_TRUE(pDialog);
    const HWND hWnd = pDialog->m_hWnd;
    RECT rcItem{};
    ASSERT_TRUE(::GetMenuItemRect(hWnd, ::GetMenu(hWnd), 1, &rcItem));
    const POINT pt{(rcItem.left + rcItem.right) / 2, (rcItem.top + rcItem.bottom) / 2};
    ::SetCursorPos(pt.x, pt.y);
    ::SendMessageW(hWnd, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ(1, pDialog->m_hotMenuBarItem);
    EXPECT_NE(0u, pDialog->m_hoverTimer);
    EXPECT_EQ(reinterpret_cast<ULONG_PTR>(RecordOf(pDialog->m_menu, 1)), g_hotMenuBarItemData);

    // The hot item is white (the selection box), in the window's own pixels.
    HDC hDC = ::GetWindowDC(hWnd);
    const CRect rc = WindowRelative(hWnd, rcItem);
    EXPECT_EQ(vell_menu::kWhite, ::GetPixel(hDC, rc.left + 3, rc.top + 3) & 0xFFFFFF);
    ::ReleaseDC(hWnd, hDC);

    CRect rcClient;
    pDialog->GetClientRect(&rcClient);
    pDialog->ClientToScreen(&rcClient);
    const POINT ptClient{(rcClient.left + rcClient.right) / 2, (rcClient.top + rcClient.bottom) / 2};
    ::SetCursorPos(ptClient.x, ptClient.y);
    ::SendMessageW(hWnd, WM_NCHITTEST, 0, MAKELPARAM(ptClient.x, ptClient.y));
    EXPECT_EQ(-1, pDialog->m_hotMenuBarItem);
    EXPECT_EQ(0u, pDialog->m_hoverTimer);
}

TEST(MenuBar, ClickOpensThePopupUnderItsItemJoinedToIt)
{
    auto pDialog = OpenDialog(kMenuDialog);
    ASSERT_TRUE(pDialog);
    const HWND hWnd = pDialog->m_hWnd;
    const HMENU hMenu = ::GetMenu(hWnd);
    RECT rcItem{};
    ASSERT_TRUE(::GetMenuItemRect(hWnd, hMenu, 1, &rcItem));
    const POINT pt{(rcItem.left + rcItem.right) / 2, (rcItem.top + rcItem.bottom) / 2};
    RECT rcPopup{};
    HMENU hShown = nullptr;
    RECT rcRemembered{};
    int nOpen = -1;
    std::vector<COLORREF> topRows;
    COLORREF clrOpenItem = CLR_INVALID;
    ASSERT_TRUE(RunInMenuLoop([&] { ::PostMessageW(hWnd, WM_NCLBUTTONDOWN, HTMENU, MAKELPARAM(pt.x, pt.y)); },
                              [&] {
                                  const std::vector<HWND> popups = VisiblePopups();
                                  if (popups.empty())
                                      return true;
                                  ::GetWindowRect(popups[0], &rcPopup);
                                  if (CMenuHookData* pData = TestMenuHook().FindData(popups[0]))
                                      hShown = pData->m_hMenu;
                                  rcRemembered = pDialog->m_menu.m_menuBarItemRect;
                                  nOpen = pDialog->m_menu.m_openCount;
                                  // The popup's two top rows on the screen, from its left edge on.
                                  HDC hScreen = ::GetDC(nullptr);
                                  clrOpenItem = ::GetPixel(hScreen, rcRemembered.left + 3, rcRemembered.top + 3) & 0xFFFFFF;
                                  for (int y = rcPopup.top; y < rcPopup.top + 2; ++y)
                                      for (int x = rcPopup.left; x < rcPopup.right; ++x)
                                          topRows.push_back(::GetPixel(hScreen, x, y) & 0xFFFFFF);
                                  ::ReleaseDC(nullptr, hScreen);
                                  return false;
                              }));
    EXPECT_EQ(::GetSubMenu(hMenu, 1), hShown);
    EXPECT_EQ(1, nOpen);
    EXPECT_EQ(0, pDialog->m_menu.m_openCount);
    // Under its item, left edges together, and the item was drawn open.
    EXPECT_NEAR(rcItem.left, rcPopup.left, 1);
    EXPECT_NEAR(rcItem.bottom, rcPopup.top, 2);
    EXPECT_FALSE(::IsRectEmpty(&rcRemembered));
    EXPECT_EQ(vell_menu::kDark, clrOpenItem);
    // Joined: under the item's box the popup's top frame is the bar's navy; beyond it, the frame.
    ASSERT_EQ(static_cast<size_t>(2 * (rcPopup.right - rcPopup.left)), topRows.size());
    const auto At = [&](LONG x, int row) { return topRows[static_cast<size_t>(row * (rcPopup.right - rcPopup.left) + x - rcPopup.left)]; };
    for (int row = 0; row < 2; ++row) {
        for (LONG x = std::max(rcRemembered.left, rcPopup.left); x < rcRemembered.right; ++x)
            EXPECT_EQ(vell_menu::kNavy, At(x, row)) << "x " << x << ", row " << row;
    }
    EXPECT_NE(vell_menu::kNavy, At(rcRemembered.right + 4, 0));
}

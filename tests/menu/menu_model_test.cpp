// The menu model: conversion of menu trees to owner-drawn records kept in step with the live menus.
#include "MenuTestSupport.h"

#include "toolkit/menu/MenuRouting.h"

#include <gtest/gtest.h>

namespace {

// A system menu whose restore, close and minimise ids move while it is open, as on Windows XP.
class CShiftingMenu : public CVellMenu {
protected:
    BOOL ShiftsSystemCommandIds() const override { return TRUE; }
};

UINT ItemType(HMENU hMenu, int nPos)
{
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_FTYPE | MIIM_DATA;
    ::GetMenuItemInfoW(hMenu, static_cast<UINT>(nPos), TRUE, &mii);
    return mii.fType;
}

ULONG_PTR ItemData(HMENU hMenu, int nPos)
{
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_DATA;
    ::GetMenuItemInfoW(hMenu, static_cast<UINT>(nPos), TRUE, &mii);
    return mii.dwItemData;
}

}  // namespace

TEST(MenuModel, ConvertBuildsTheTreeWithOneRecordPerItem)
{
    CVellMenu menu;
    ASSERT_TRUE(menu.LoadThemedMenu(kMenuResource));
    EXPECT_FALSE(menu.m_isPopup);
    ASSERT_EQ(2, menu.GetRecordCount());
    ASSERT_EQ(2, menu.m_submenus.GetSize());

    CVellMenu* pFile = CVellMenu::FromHandleThemed(::GetSubMenu(menu, 0));
    ASSERT_TRUE(pFile);
    EXPECT_TRUE(pFile->m_isPopup);
    EXPECT_EQ(menu.m_hMenu, pFile->m_parentMenu);
    ASSERT_EQ(4, pFile->GetRecordCount());
    EXPECT_EQ(L"&Open\tCtrl+O", pFile->GetRecord(0)->m_strText);
    EXPECT_EQ(3001u, pFile->GetRecord(0)->m_nCommandId);
    EXPECT_TRUE(pFile->GetRecord(1)->IsSeparator());
    EXPECT_EQ(0u, pFile->GetRecord(1)->m_nCommandId);
    EXPECT_TRUE(pFile->GetRecord(2)->IsPopup());
    EXPECT_EQ(reinterpret_cast<UINT_PTR>(::GetSubMenu(*pFile, 2)), pFile->GetRecord(2)->m_nCommandId);
    EXPECT_TRUE(pFile->GetRecord(3)->m_nFlags & MF_GRAYED);

    CVellMenu* pRecent = CVellMenu::FromHandleThemed(::GetSubMenu(*pFile, 2));
    ASSERT_TRUE(pRecent);
    EXPECT_EQ(pFile->m_hMenu, pRecent->m_parentMenu);
    EXPECT_TRUE(pRecent->GetRecord(1)->m_nFlags & MF_CHECKED);

    // Every item is owner-drawn with its record as data.
    for (int i = 0; i < pFile->GetRecordCount(); ++i) {
        EXPECT_TRUE(ItemType(*pFile, i) & MFT_OWNERDRAW) << i;
        EXPECT_EQ(reinterpret_cast<ULONG_PTR>(pFile->GetRecord(i)), ItemData(*pFile, i)) << i;
    }
    EXPECT_EQ(pRecent, pFile->FindCommand(3003, nullptr));
    int nPos = -1;
    EXPECT_EQ(nullptr, menu.FindCommand(9999, &nPos));
    EXPECT_EQ(-1, nPos);
}

TEST(MenuModel, HandlesThatAreNoMenusChangeNothing)
{
    CVellMenu menu;
    EXPECT_FALSE(menu.Convert(nullptr));
    EXPECT_FALSE(menu.Convert(reinterpret_cast<HMENU>(0x1234)));
    EXPECT_EQ(nullptr, menu.m_hMenu);
    EXPECT_EQ(0, menu.GetRecordCount());
    EXPECT_FALSE(menu.LoadThemedMenu(9999));
}

TEST(MenuModel, RebuildFollowsRenameInsertAndDeleteKeepingRecords)
{
    CVellMenu menu;
    ASSERT_TRUE(menu.LoadThemedMenu(kMenuResource));
    CVellMenu* pFile = CVellMenu::FromHandleThemed(::GetSubMenu(menu, 0));
    ASSERT_TRUE(pFile);
    CVellMenuItemData* pOpen = pFile->GetRecord(0);
    CVellMenuItemData* pExit = pFile->GetRecord(3);

    ::ModifyMenuW(*pFile, 0, MF_BYPOSITION | MF_STRING, 3001, L"&Open file\tCtrl+O");
    ::InsertMenuW(*pFile, 1, MF_BYPOSITION | MF_STRING, 3010, L"&Close");
    ::DeleteMenu(*pFile, 3004, MF_BYCOMMAND);
    pFile->OnInitPopup();

    ASSERT_EQ(4, pFile->GetRecordCount());
    EXPECT_EQ(pOpen, pFile->GetRecord(0));
    EXPECT_EQ(L"&Open file\tCtrl+O", pOpen->m_strText);
    EXPECT_EQ(3010u, pFile->GetRecord(1)->m_nCommandId);
    EXPECT_TRUE(pFile->GetRecord(2)->IsSeparator());
    EXPECT_TRUE(pFile->GetRecord(3)->IsPopup());
    for (int i = 0; i < 4; ++i) {
        EXPECT_NE(pExit, pFile->GetRecord(i));
        EXPECT_TRUE(ItemType(*pFile, i) & MFT_OWNERDRAW) << i;
    }
    // Rebuilding again changes nothing.
    CVellMenuItemData* pClose = pFile->GetRecord(1);
    pFile->Rebuild();
    EXPECT_EQ(pOpen, pFile->GetRecord(0));
    EXPECT_EQ(pClose, pFile->GetRecord(1));
}

TEST(MenuModel, SubmenuWithSixteenItemsIsNeitherBoldNorHelp)
{
    CMenu bar, sub;
    bar.CreateMenu();
    sub.CreatePopupMenu();
    for (UINT i = 0; i < 70; ++i)
        sub.AppendMenu(MF_STRING, 100 + i, L"Item");
    bar.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(sub.Detach()), L"&Big");
    CVellMenu menu;
    ASSERT_TRUE(menu.Convert(bar.Detach()));
    const UINT nFlags = menu.GetRecord(0)->m_nFlags;
    EXPECT_FALSE(nFlags & MF_DEFAULT);  // 70 items: the count's high byte would read as bold
    EXPECT_FALSE(nFlags & MF_HELP);
    EXPECT_TRUE(nFlags & MF_POPUP);
}

TEST(MenuModel, CommandIdEqualToAMenuHandleIsACommand)
{
    CMenu other;
    other.CreatePopupMenu();  // a live menu whose handle's low word may equal the id below
    const UINT nId = LOWORD(reinterpret_cast<UINT_PTR>(other.m_hMenu));
    CMenu bar, sub;
    bar.CreateMenu();
    sub.CreatePopupMenu();
    sub.AppendMenu(MF_STRING, nId, L"&Look-alike");
    bar.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(sub.Detach()), L"&Menu");

    CVellMenu menu;
    ASSERT_TRUE(menu.Convert(bar.Detach()));
    CVellMenu* pSub = CVellMenu::FromHandleThemed(::GetSubMenu(menu, 0));
    ASSERT_TRUE(pSub);
    EXPECT_FALSE(pSub->GetRecord(0)->IsPopup());
    EXPECT_EQ(nId, pSub->GetRecord(0)->m_nCommandId);
    EXPECT_EQ(pSub, FindMenuByItem(menu, nId, reinterpret_cast<ULONG_PTR>(pSub->GetRecord(0))));
    // The item is measured as a popup item of its own menu.
    MEASUREITEMSTRUCT mis{};
    mis.CtlType = ODT_MENU;
    mis.itemID = nId;
    mis.itemData = reinterpret_cast<ULONG_PTR>(pSub->GetRecord(0));
    pSub->m_isPopup = TRUE;
    pSub->MeasureItem(&mis);
    EXPECT_EQ(23u, mis.itemHeight);
}

TEST(MenuModel, MenuCharactersFindTheItemWithThatMnemonic)
{
    CMenu popup;
    popup.CreatePopupMenu();
    popup.AppendMenu(MF_STRING, 1, L"Open");
    popup.AppendMenu(MF_STRING, 2, L"&Close");
    popup.AppendMenu(MF_STRING, 3, L"&copy");
    CVellMenu menu;
    ASSERT_TRUE(menu.Convert(popup.Detach()));
    EXPECT_EQ(MAKELRESULT(1, MNC_EXECUTE), OnMenuCharThemed(L'c', menu));
    EXPECT_EQ(MAKELRESULT(1, MNC_EXECUTE), OnMenuCharThemed(L'C', menu));
    EXPECT_EQ(0, OnMenuCharThemed(L'o', menu));  // "Open" has no ampersand
    EXPECT_EQ(0, OnMenuCharThemed(L'c', nullptr));
    // An item added behind the records' back is found too.
    ::AppendMenuW(menu, MF_STRING, 4, L"&Zoom");
    EXPECT_EQ(MAKELRESULT(3, MNC_EXECUTE), OnMenuCharThemed(L'z', menu));
}

TEST(MenuModel, SystemMenuTextsComeFromResourcesAndIdsShiftWhileOpen)
{
    CMenu popup;
    popup.CreatePopupMenu();
    popup.AppendMenu(MF_STRING, SC_RESTORE, L"Restore");
    popup.AppendMenu(MF_STRING, SC_MOVE, L"Move");
    popup.AppendMenu(MF_SEPARATOR);
    popup.AppendMenu(MF_STRING, SC_CLOSE, L"Close");
    CShiftingMenu menu;
    ASSERT_TRUE(menu.Convert(popup.Detach()));
    menu.OnInitPopup();
    EXPECT_EQ(L"Restore it", menu.GetRecord(0)->m_strText);  // string 50101
    EXPECT_EQ(L"Move", menu.GetRecord(1)->m_strText);        // no string 50102: left alone
    EXPECT_EQ(L"Close it\tAlt+F4", menu.GetRecord(3)->m_strText);
    EXPECT_EQ(static_cast<UINT>(SC_CLOSE + 1), ::GetMenuItemID(menu, 3));
    EXPECT_EQ(static_cast<UINT>(SC_RESTORE + 1), ::GetMenuItemID(menu, 0));
    EXPECT_EQ(static_cast<UINT>(SC_MOVE), ::GetMenuItemID(menu, 1));
    menu.OnPopupClosed(nullptr);
    EXPECT_EQ(static_cast<UINT>(SC_CLOSE), ::GetMenuItemID(menu, 3));
    EXPECT_EQ(static_cast<UINT>(SC_RESTORE), ::GetMenuItemID(menu, 0));

    CVellMenu plain;  // not Windows XP: the ids stay
    CMenu popup2;
    popup2.CreatePopupMenu();
    popup2.AppendMenu(MF_STRING, SC_CLOSE, L"Close");
    ASSERT_TRUE(plain.Convert(popup2.Detach()));
    plain.OnInitPopup();
    EXPECT_EQ(static_cast<UINT>(SC_CLOSE), ::GetMenuItemID(plain, 0));
}

TEST(MenuModel, DialogWithAMenuBarIsDestroyedWithoutTouchingDeadMenus)
{
    auto pDialog = OpenDialog(kMenuDialog);
    ASSERT_TRUE(pDialog);
    const HMENU hMenu = ::GetMenu(pDialog->m_hWnd);
    ASSERT_EQ(hMenu, pDialog->m_menu.m_hMenu);
    const HMENU hFile = ::GetSubMenu(hMenu, 0);
    ASSERT_TRUE(CVellMenu::FromHandleThemed(hFile));
    pDialog->DestroyWindow();
    EXPECT_EQ(nullptr, pDialog->m_menu.m_hMenu);
    EXPECT_EQ(nullptr, pDialog->m_sysMenu.m_hMenu);
    EXPECT_EQ(0, pDialog->m_menu.GetRecordCount());
    EXPECT_EQ(nullptr, CVellMenu::FromHandleThemed(hFile));
    // A new menu that reuses a freed handle belongs to nobody else.
    CMenu fresh;
    fresh.CreatePopupMenu();
    EXPECT_EQ(nullptr, CVellMenu::FromHandleThemed(fresh.m_hMenu));
    pDialog.reset();
    EXPECT_TRUE(::IsMenu(fresh.m_hMenu));
}

TEST(MenuModel, DestroyingAThemedMenuStillInUseLeavesTheWindowsMenu)
{
    auto pDialog = OpenDialog(kMenuDialog);
    ASSERT_TRUE(pDialog);
    const HMENU hMenu = ::GetMenu(pDialog->m_hWnd);
    const HMENU hFile = ::GetSubMenu(hMenu, 0);
    pDialog->m_menu.DestroyThemed();
    EXPECT_EQ(nullptr, pDialog->m_menu.m_hMenu);
    ASSERT_TRUE(::IsMenu(hMenu));
    EXPECT_EQ(hMenu, ::GetMenu(pDialog->m_hWnd));
    EXPECT_EQ(hFile, ::GetSubMenu(hMenu, 0));
    // The items no longer point at records that are gone: plain text again, state kept.
    EXPECT_EQ(0u, ItemType(hMenu, 0) & MFT_OWNERDRAW);
    EXPECT_EQ(0u, ItemType(hFile, 0) & MFT_OWNERDRAW);
    EXPECT_NE(0u, ItemType(hFile, 1) & MFT_SEPARATOR);
    CString strText;
    pDialog->m_menu.Attach(hMenu);
    pDialog->m_menu.GetMenuString(0, strText, MF_BYPOSITION);
    pDialog->m_menu.Detach();
    EXPECT_EQ(L"&File", strText);
    EXPECT_NE(0u, ::GetMenuState(hFile, 3, MF_BYPOSITION) & MF_GRAYED);  // "E&xit"
}

#pragma once
// A themed menu: wraps a live menu, turns each of its items into an owner-drawn item whose data is
// a CVellMenuItemData record, mirrors the menu tree with one CVellMenu per submenu, and keeps the
// records in step with the live menu each time a popup opens. The active menu theme measures and
// draws the items.
#include "platform/mfc/CMenu.h"
#include "platform/mfc/CTypedPtrArray.h"
#include "toolkit/menu/MenuItemData.h"

class CVellMenu : public CMenu {
    DECLARE_DYNAMIC(CVellMenu)
public:
    // String ids of the system-menu texts, for SC_RESTORE, SC_MOVE, SC_SIZE, SC_MINIMIZE,
    // SC_MAXIMIZE and SC_CLOSE.
    static constexpr UINT kFirstSystemTextId = 50101;

    explicit CVellMenu(HMENU hParentMenu = nullptr);
    ~CVellMenu() override;
    CVellMenu(const CVellMenu&) = delete;
    CVellMenu& operator=(const CVellMenu&) = delete;

    // The themed menu of a handle, or null.
    static CVellMenu* FromHandleThemed(HMENU hMenu);

    void DrawItem(LPDRAWITEMSTRUCT pDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT pMeasureItemStruct) override;

    virtual BOOL LoadThemedMenu(UINT nIDResource);
    virtual BOOL LoadThemedMenu(const wchar_t* pszResourceName);
    // Attaches hMenu and converts the whole tree; FALSE when hMenu is not a menu or cannot be
    // attached. The converted menu counts as a menu bar (m_isPopup 0) until it opens as a popup.
    virtual BOOL Convert(HMENU hMenu);
    // Deletes the submenu objects and records, then destroys the live menu; a menu that a window
    // of this thread still shows as its menu bar is left to it, with plain text items.
    virtual void DestroyThemed();
    // Frees the submenu objects and records and lets go of the live menu without destroying it:
    // for menus that a window still uses or that the system destroys with the window.
    void DetachThemed();
    virtual BOOL FillMenuWindow(HWND hWnd, HDC hDC);
    // Before the popup opens (WM_INITMENUPOPUP): records in step, system texts, XP id shift.
    virtual void OnInitPopup();
    // The popup window went away: XP ids back, the menu bar's open count and item redrawn.
    virtual BOOL OnPopupClosed(HWND hWndOwner);

    // Re-synchronises the records with the live menu, keeping records of unchanged items.
    void Rebuild();
    // The menu (this or a themed submenu, depth first) and position of the first item with
    // command nID; null and -1 when there is none.
    CVellMenu* FindCommand(UINT nID, int* pPosition);
    BOOL ChangeCommandId(UINT nOldID, UINT nNewID);
    BOOL SetTextFromResource(UINT nStringID, UINT nCommandID);
    void RememberMenuBarItemRect(HDC hDC, const RECT& rect);
    // Gives the item with command nID (here or in a themed submenu) a picture: a copy of hIcon at
    // the size of the icon column. FALSE when there is no such item or no image list.
    BOOL SetItemIcon(UINT nID, HICON hIcon);
    // 1 when items with this id belong to a menu bar: a menu bar's submenu, or a top-level menu
    // that is a menu bar; 0 for command ids.
    static BOOL IsMenuBarItem(UINT_PTR nItemId);

    int GetRecordCount() const { return static_cast<int>(m_items.GetSize()); }
    CVellMenuItemData* GetRecord(int nPosition) const { return m_items.GetAt(nPosition); }
    CVellMenu* ParentThemed() const { return FromHandleThemed(m_parentMenu); }

    CTypedPtrArray<CPtrArray, CVellMenuItemData*> m_items;
    CTypedPtrArray<CPtrArray, HMENU> m_submenus;
    int m_nIconWidth = 16;
    int m_nIconHeight = 15;
    COLORREF m_clrMask = 0xFF000000;
    CImageList* m_pImageList = nullptr;
    BOOL m_bImageListBorrowed = FALSE;
    int m_nSelectedCheckSwitch = -1;
    int m_nCheckSwitch = -1;
    int m_nReserved = 0;
    HMENU m_parentMenu = nullptr;
    BOOL m_isPopup = TRUE;
    BOOL m_bIconColumn = TRUE;
    RECT m_menuBarItemRect{};
    int m_openCount = 0;
    int m_nReserved2 = 0;

protected:
    // Whether the system menu's restore, close and minimise ids move up by one while it is open
    // (Windows XP only).
    virtual BOOL ShiftsSystemCommandIds() const;
    CVellMenuItemData* AddItemData(UINT nPosition, UINT nFlags, UINT_PTR nID, const CString& strText);
    BOOL Register(UINT nPosition, CVellMenuItemData* pData);
    void FreeSubmenusAndRecords();
    // Turns the owner-drawn items of this menu and its themed submenus back into text items.
    void RestorePlainItems();
};

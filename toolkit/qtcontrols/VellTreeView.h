#pragma once
// The tree view of the toolkit's dialogs: the list box with expand and collapse decorations on its
// top-level items, children at any depth, and the tree's own notifications to the dialog
// (QLM_EXPANDED, QLM_COLLAPSED, QLM_KILLFOCUS). It takes the place of a Win32 tree-view placeholder.
//
// It has no meta-object of its own: the list box's slots call virtual operations, which the tree
// view replaces.
#include "toolkit/qtcontrols/VellListBox.h"

class CVellTreeView : public CVellListBox {
    DECLARE_DYNAMIC(CVellTreeView)
public:
    // pOwner: the window object the properties act on; the tree itself when null.
    explicit CVellTreeView(CWnd* pOwner = nullptr);
    ~CVellTreeView() override;

    // The item's children; for a null item the number of top-level items.
    virtual int GetChildCount(QListViewItem* pItem);
    virtual BOOL IsItemOpen(QListViewItem* pItem);
    // A new child of pParent behind pAfter (first when pAfter is null); a top-level item when
    // pParent is null.
    virtual CVellListItem* CreateChildItem(CVellListItem* pParent, CVellListItem* pAfter);
    virtual CVellListItem* GetParentItem(CVellListItem* pItem);
    virtual CVellListItem* GetFirstChild(CVellListItem* pItem);
    virtual CVellListItem* GetNextSibling(CVellListItem* pItem);
    // The child at the index, or null when the children run out.
    virtual CVellListItem* GetChildAt(CVellListItem* pParent, int nIndex);
    // Exchanges two children of pParent; FALSE when either is missing or both are one.
    virtual BOOL SwapChildren(CVellListItem* pParent, int nIndex1, int nIndex2);
    // Puts strPrefix before the column's text of every descendant of pParent (depth-first).
    virtual void PrefixChildTexts(CVellListItem* pParent, const QString& strPrefix, int nColumn);
    // Removes nCount characters from the front of the column's text of every descendant.
    virtual void StripChildTexts(CVellListItem* pParent, int nCount, int nColumn);

    // CVellListBox.
    CVellListItem* GetNextItem(CVellListItem* pItem) override;
    // Indents the column's texts of the items at every depth.
    void SetTextIndent(int nPixels, int nColumn) override;
    // Every selected descendant of pItem, each parent before its children.
    void CollectSelectedChildren(CVellListItem* pItem, std::vector<CVellListItem*>& items) override;
    void collapsed(QListViewItem* item) override;
    void expanded(QListViewItem* item) override;
    // One QLM_KILLFOCUS per focus loss; none when the focus moves into a child (a rename editor).
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    // The placeholder is a Win32 tree view.
    BOOL AttachDlgItem(UINT nID, CWnd* pParent) override;
    // Drops the placeholder's caption, sizing frame and vertical scroll bar (the tree has its own).
    BOOL AdjustHostStyles(DWORD* pStyle, DWORD* pExStyle) override;
};

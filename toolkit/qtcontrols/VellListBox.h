#pragma once
// The list box of the toolkit's dialogs: a QListView of one column without a header, hosted as a
// dialog control. Every user action that the list view reports as a signal reaches the dialog as a
// QLM_ message (ListMessages.h); key presses reach the dialog before the list handles them.
//
// Items are CVellListItem objects owned by the list. Any notification may be answered by changing
// the list, even by clearing it: nothing here uses an item after its message was sent.
#include "platform/qt/QListView.h"
#include "toolkit/qtcontrols/ListMessages.h"
#include "toolkit/qtcontrols/VellListItem.h"
#include "toolkit/qtcontrols/VellQTControl.h"

#include <map>
#include <vector>

// Orders two texts of the sort column: negative, zero or positive as the first sorts before, with
// or after the second.
using ItemCompareFunc = int (*)(const CString* pThis, const CString* pOther);

class CVellListBox : public CVellQTControl, public QListView {
    Q_OBJECT
    DECLARE_DYNAMIC(CVellListBox)
public:
    // Column alignments of GetColumnAlignment and SetColumnAlignment.
    enum { kAlignLeft = 0, kAlignCenter = 1, kAlignRight = 2 };

    // pOwner: the window object the properties act on; the list itself when null.
    explicit CVellListBox(CWnd* pOwner = nullptr);
    ~CVellListBox() override;

    virtual CVellListItem* CreateItem(CVellListItem* pAfter);
    // The selected item in single-selection mode; null in the other modes.
    virtual CVellListItem* GetSelectedItem();
    virtual void SetItemSelected(CVellListItem* pItem, BOOL bSelected);
    virtual CVellListItem* GetCurrentItem();
    // Only in extended-selection mode; returns the selection mode.
    virtual int SetCurrentItem(CVellListItem* pItem);
    virtual BOOL IsItemVisible(CVellListItem* pItem);
    virtual CVellListItem* GetFirstItem();
    virtual CVellListItem* GetNextItem(CVellListItem* pItem);
    // Every item, children included.
    virtual int GetItemCount();
    virtual BOOL IsSortingEnabled();
    // Sorts by column 0, ascending, or not at all.
    virtual void EnableSorting(BOOL bEnable);
    virtual int GetColumnAlignment(int nColumn);
    // kAlignLeft, kAlignCenter or kAlignRight; other modes change nothing.
    virtual void SetColumnAlignment(int nMode, int nColumn);
    // The text of column 0 behind the indentation of SetTextIndent.
    virtual void SetItemText(CVellListItem* pItem, const CString& strText);
    virtual void SetRootIsDecorated(BOOL bDecorated);
    virtual void Clear();
    virtual void SetShowToolTips(BOOL bShow);
    virtual void EnsureItemVisible(CVellListItem* pItem);
    // Puts enough spaces before every top-level text of the column to cover nPixels (column 0 only).
    virtual void SetTextIndent(int nPixels, int nColumn);
    // The top-level item at the index, or null.
    virtual CVellListItem* GetItemAt(int nIndex);
    // Exchanges the places of two top-level items; FALSE when either is missing or both are one.
    virtual BOOL SwapItems(int nIndex1, int nIndex2);
    // The column's comparison function (null: Qt's text order); FALSE for a column the list lacks.
    virtual BOOL SetColumnCompare(ItemCompareFunc pfnCompare, int nColumn);
    virtual std::vector<ItemCompareFunc>& GetColumnCompares(std::vector<ItemCompareFunc>& compares);
    virtual void SetMultiSelection(BOOL bMulti);
    // The selected items in list order (top-level items, then what CollectSelectedChildren adds).
    virtual void GetSelectedItems(std::vector<CVellListItem*>& items);
    virtual void SetItemOpen(CVellListItem* pItem, BOOL bOpen);
    // Detaches the item without deleting it; InsertItem puts a detached item back.
    virtual void TakeItem(CVellListItem* pItem);
    virtual void InsertItem(CVellListItem* pItem);

public slots:
    virtual void collapsed(QListViewItem* item);
    virtual void expanded(QListViewItem* item);
    virtual void itemRenamed(QListViewItem* item, int column, const QString& text);
    virtual void dropped(QDropEvent* e);
    virtual void onViewport();
    virtual void onItem(QListViewItem* item);
    virtual void contextMenuRequested(QListViewItem* item, const QPoint& pos, int column);
    virtual void clicked(QListViewItem* item, const QPoint& pos, int column);
    virtual void mouseButtonClicked(int button, QListViewItem* item, const QPoint& pos, int column);
    virtual void pressed(QListViewItem* item, const QPoint& pos, int column);
    virtual void mouseButtonPressed(int button, QListViewItem* item, const QPoint& pos, int column);
    virtual void rightButtonClicked(QListViewItem* item, const QPoint& pos, int column);
    virtual void returnPressed(QListViewItem* item);
    virtual void doubleClicked(QListViewItem* item);
    virtual void currentChanged(QListViewItem* item);
    virtual void selectionChanged(QListViewItem* item);
    virtual void selectionChanged();

public:
    // Spaces of the list's font that cover nPixels into strOut; their number.
    virtual int PadWithSpaces(int nPixels, QString& strOut);
    virtual void CollectSelectedChildren(CVellListItem* pItem, std::vector<CVellListItem*>& items);

    // CVellQTControl.
    QWidget* GetWidget() override;
    QFrame* GetFrame() override;
    void SetActiveColorGroup(const CVellQColorList& colors) override;
    void SetInactiveColorGroup(const CVellQColorList& colors) override;
    void SetDisabledColorGroup(const CVellQColorList& colors) override;
    void RepaintWidget(UINT message) override;
    // Key presses go to the parent first.
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    // CVellControl: the placeholder is a Win32 list box.
    BOOL AttachDlgItem(UINT nID, CWnd* pParent) override;
    BOOL AdjustHostStyles(DWORD* pStyle, DWORD* pExStyle) override;

    // The comparison functions without a copy (the items' compare).
    const std::vector<ItemCompareFunc>& ColumnCompares() const { return m_columnCompares; }

protected:
    void setHBarGeometry(QScrollBar& hbar, int x, int y, int w, int h) override;
    // Scrolling by the list itself (keys, wheel, ensureItemVisible) is reported as the bar's is.
    void setContentsPos(int x, int y) override;
    void setVBarGeometry(QScrollBar& vbar, int x, int y, int w, int h) override;

protected slots:
    void vslide(int value) override;

protected:
    // QLM_VSCROLL for a vertical position, in percent of the bar's range.
    void NotifyScroll(int value);
    // SendMessageW to the notify window with the control's id.
    void Notify(UINT message, LPARAM lParam);
    static CVellListItem* AsItem(QListViewItem* item);
    // Exchanges the places of two siblings p (the earlier) and q, given what stood before each of
    // them (null: nothing); both of those taken before anything moves.
    static void ExchangeSiblings(QListViewItem* p, QListViewItem* q, QListViewItem* pBeforeP, QListViewItem* pBeforeQ);
    // Fills a rectangle of the list widget (outside its children) with a colour, now.
    void FillOnWidget(int x, int y, int w, int h, COLORREF clr);

    bool m_bInVSlide = false;  // the bar's own report is being handled
    BOOL m_bSortingEnabled = FALSE;
    std::map<int, int> m_textIndent;
    std::vector<ItemCompareFunc> m_columnCompares;
};

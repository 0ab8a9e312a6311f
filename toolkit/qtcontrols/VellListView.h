#pragma once
// The list view of the toolkit's dialogs: a tree view with several columns under a visible header
// in the toolkit's colours. A click on a header section that the owner allows sorts by that column,
// ascending first and descending on the next click; every click reaches the parent window as
// QLM_HEADERCLICKED. The header also covers the cell above the vertical scroll bar. It takes the
// place of a Win32 list-view placeholder.
#include "platform/qt/QFont.h"
#include "platform/qt/QPalette.h"
#include "toolkit/qtcontrols/VellTreeView.h"

#include <vector>

class CVellListView : public CVellTreeView {
    DECLARE_DYNAMIC(CVellListView)
public:
    // Header label alignments of AlignColumnLabel.
    enum { kLabelLeft = 0, kLabelCenter = 1, kLabelRight = 2 };
    static constexpr COLORREF kDefaultHeaderButton = RGB(120, 139, 169);
    static constexpr COLORREF kDefaultHeaderBase = RGB(235, 238, 243);

    // Starts with no columns and a visible header.
    explicit CVellListView(CWnd* pOwner = nullptr);
    ~CVellListView() override;

    virtual int GetColumnCount();
    // A new column with its own (empty) comparison function; width -1 follows the widest text.
    // Returns the column's index.
    virtual int AddColumn(const wchar_t* pszLabel, int nWidth);
    // The column and its comparison function go; the others keep theirs.
    virtual void RemoveColumn(int nColumn);
    // The text behind the column's indentation.
    virtual void SetItemColumnText(CVellListItem* pItem, int nColumn, const wchar_t* pszText);
    virtual void SetHeaderColors(COLORREF clrButton, COLORREF clrBase);
    // Copies the font; the caller keeps the font object.
    virtual void SetHeaderFont(CFont* pFont);
    // Sorting by nColumn ascending (nColumn alone sortable by header clicks), or no sorting at all.
    virtual void EnableColumnSorting(BOOL bOn, int nColumn);
    // Pads the header label with spaces to the left, centre or right of its section.
    virtual void AlignColumnLabel(int nMode, int nColumn);
    // Spaces covering nPixels before the header label (adding up over repeated calls).
    virtual void IndentColumnLabel(int nPixels, int nColumn);
    // Exchanges the given list with the sortable sections; the caller gets the old list back.
    virtual void SetSortableColumns(std::vector<int>& columns);
    virtual void SetAllColumnsShowFocus(BOOL bShow);
    virtual void SetColumnWidth(int nColumn, int nWidth);

    // CVellTreeView and the host.
    BOOL AttachDlgItem(UINT nID, CWnd* pParent) override;
    void ApplyPalette() override;
    void ApplyFont() override;
    void RepaintWidget(UINT message) override;
    // Remembers the column on the item and tells the parent window (any column).
    void itemRenamed(QListViewItem* item, int column, const QString& text) override;

    COLORREF GetHeaderButtonColor() const { return m_clrHeaderButton; }
    COLORREF GetHeaderBaseColor() const { return m_clrHeaderBase; }
    const std::vector<int>& GetSortableColumns() const { return m_sortableColumns; }

protected:
    // The vertical bar starts below the header; the header cell above it is painted.
    void setVBarGeometry(QScrollBar& vbar, int x, int y, int w, int h) override;
    // A header click: sorts when sorting is on and the section is sortable; always notifies.
    void changeSortColumn(int section) override;
    void handleSizeChange(int section, int oldSize, int newSize) override;
    // The header cell above the vertical bar, in the header's colours.
    void PaintHeaderCorner(int x, int y, int w, int h);

    QPalette m_headerPalette;
    QFont m_headerFont;
    BOOL m_bHeaderFontSet = FALSE;
    COLORREF m_clrHeaderButton = kDefaultHeaderButton;
    COLORREF m_clrHeaderBase = kDefaultHeaderBase;
    std::vector<int> m_sortableColumns;
};

// The list view: construction without the list box's column and with a visible header, columns
// with their comparison functions, column texts, sorting by header clicks, renames in any column.
#include "toolkit/qtcontrols/VellListView.h"

#include "platform/qt/QHeader.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CVellListView, CVellTreeView)

CVellListView::CVellListView(CWnd* pOwner) : CVellTreeView(pOwner)
{
    // The list box's own column goes: entry i of the comparison functions belongs to the i-th
    // column added by AddColumn.
    QListView::removeColumn(0);
    m_columnCompares.clear();
    m_sortableColumns.clear();
    header()->show();
    QListView::setAllColumnsShowFocus(true);
    // The header's palette and font: the host applied its look before this part existed.
    Redraw();
}

CVellListView::~CVellListView()
{
    // The window's last messages still reach the whole list view.
    DestroyHostWindow();
}

BOOL CVellListView::AttachDlgItem(UINT nID, CWnd* pParent)
{
    return ReplaceDlgItem(nID, pParent, L"SysListView32");
}

int CVellListView::GetColumnCount()
{
    return columns();
}

int CVellListView::AddColumn(const wchar_t* pszLabel, int nWidth)
{
    // Columns added to the list directly have no entry: the new one's entry lands at its index.
    if (m_columnCompares.size() < static_cast<size_t>(columns()))
        m_columnCompares.resize(static_cast<size_t>(columns()), nullptr);
    m_columnCompares.push_back(nullptr);
    return QListView::addColumn(QString(pszLabel ? pszLabel : L""), nWidth);
}

void CVellListView::RemoveColumn(int nColumn)
{
    if (nColumn < 0 || nColumn >= columns())
        return;  // no such column: the functions stay with their columns
    QListView::removeColumn(nColumn);
    if (static_cast<size_t>(nColumn) < m_columnCompares.size())
        m_columnCompares.erase(m_columnCompares.begin() + nColumn);
}

void CVellListView::SetItemColumnText(CVellListItem* pItem, int nColumn, const wchar_t* pszText)
{
    if (!pItem)
        return;
    QString prefix(L"");
    if (const auto it = m_textIndent.find(nColumn); it != m_textIndent.end())
        PadWithSpaces(it->second, prefix);
    pItem->setText(nColumn, prefix + QString(pszText ? pszText : L""));
}

void CVellListView::EnableColumnSorting(BOOL bOn, int nColumn)
{
    if (!bOn) {
        QListView::setSorting(-1, true);
        m_bSortingEnabled = FALSE;
        return;
    }
    if (nColumn < GetColumnCount())
        m_sortableColumns.assign(1, nColumn);
    QListView::setSorting(nColumn, true);
    m_bSortingEnabled = TRUE;
}

void CVellListView::SetSortableColumns(std::vector<int>& columns)
{
    m_sortableColumns.swap(columns);
}

void CVellListView::SetAllColumnsShowFocus(BOOL bShow)
{
    QListView::setAllColumnsShowFocus(bShow != FALSE);
}

void CVellListView::SetColumnWidth(int nColumn, int nWidth)
{
    QListView::setColumnWidth(nColumn, nWidth);
}

void CVellListView::changeSortColumn(int section)
{
    const bool bSortable =
        std::find(m_sortableColumns.begin(), m_sortableColumns.end(), section) != m_sortableColumns.end();
    if (IsSortingEnabled() && bSortable)
        QListView::changeSortColumn(section);
    // Every click reaches the parent window, sorted or not.
    if (!CWnd::m_hWnd)
        return;
    HWND hParent = ::GetParent(CWnd::m_hWnd);
    if (hParent && hParent != ::GetDesktopWindow())
        ::SendMessageW(hParent, QLM_HEADERCLICKED, static_cast<WPARAM>(::GetDlgCtrlID(CWnd::m_hWnd)), section);
}

void CVellListView::handleSizeChange(int section, int oldSize, int newSize)
{
    QListView::handleSizeChange(section, oldSize, newSize);
    RepaintWidget(WM_PAINT);
}

void CVellListView::itemRenamed(QListViewItem* item, int column, const QString&)
{
    CVellListItem* pItem = AsItem(item);
    if (pItem)
        pItem->SetClickColumn(column);
    if (!CWnd::m_hWnd)
        return;
    HWND hParent = ::GetParent(CWnd::m_hWnd);
    if (hParent && hParent != ::GetDesktopWindow())
        ::SendMessageW(hParent, QLM_ITEMRENAMED, static_cast<WPARAM>(::GetDlgCtrlID(CWnd::m_hWnd)),
                       reinterpret_cast<LPARAM>(pItem));
}

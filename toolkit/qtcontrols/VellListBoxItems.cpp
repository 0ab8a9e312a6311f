// The list box's item operations: making, finding, selecting and counting items, sorting with
// comparison functions, alignment, text indentation and swapping.
#include "toolkit/qtcontrols/VellListBox.h"

#include "platform/qt/QScrollBar.h"
#include "toolkit/qtcontrols/QtConversions.h"

#include <cmath>

CVellListItem* CVellListBox::CreateItem(CVellListItem* pAfter)
{
    return pAfter ? new CVellListItem(this, pAfter) : new CVellListItem(this);
}

CVellListItem* CVellListBox::GetSelectedItem()
{
    return AsItem(selectedItem());
}

void CVellListBox::SetItemSelected(CVellListItem* pItem, BOOL bSelected)
{
    setSelected(pItem, bSelected != FALSE);
    Redraw();
}

CVellListItem* CVellListBox::GetCurrentItem()
{
    return AsItem(currentItem());
}

int CVellListBox::SetCurrentItem(CVellListItem* pItem)
{
    const SelectionMode mode = selectionMode();
    if (mode == Extended) {
        setCurrentItem(pItem);
        Redraw();
    }
    return mode;
}

BOOL CVellListBox::IsItemVisible(CVellListItem* pItem)
{
    return pItem && pItem->isVisible();
}

CVellListItem* CVellListBox::GetFirstItem()
{
    return AsItem(firstChild());
}

CVellListItem* CVellListBox::GetNextItem(CVellListItem* pItem)
{
    return pItem ? AsItem(pItem->nextSibling()) : nullptr;
}

int CVellListBox::GetItemCount()
{
    int nCount = 0;
    for (QListViewItemIterator it(this); it.current(); ++it)
        ++nCount;
    return nCount;
}

BOOL CVellListBox::IsSortingEnabled()
{
    return m_bSortingEnabled;
}

void CVellListBox::EnableSorting(BOOL bEnable)
{
    setSorting(bEnable ? 0 : -1, true);
    m_bSortingEnabled = bEnable;
}

int CVellListBox::GetColumnAlignment(int nColumn)
{
    switch (columnAlignment(nColumn)) {
    case AlignHCenter: return kAlignCenter;
    case AlignRight: return kAlignRight;
    default: return kAlignLeft;
    }
}

void CVellListBox::SetColumnAlignment(int nMode, int nColumn)
{
    if (nColumn < 0 || nColumn >= columns() || GetColumnAlignment(nColumn) == nMode)
        return;
    int nAlignment;
    switch (nMode) {
    case kAlignLeft: nAlignment = AlignLeft; break;
    case kAlignCenter: nAlignment = AlignHCenter; break;
    case kAlignRight: nAlignment = AlignRight; break;
    default: return;  // not an alignment: nothing changes
    }
    setColumnAlignment(nColumn, nAlignment);
    Redraw();
}

void CVellListBox::SetItemText(CVellListItem* pItem, const CString& strText)
{
    if (!pItem)
        return;
    QString prefix(L"");
    if (const auto it = m_textIndent.find(0); it != m_textIndent.end())
        PadWithSpaces(it->second, prefix);
    pItem->setText(0, prefix + CStringToQString(strText));
}

void CVellListBox::SetRootIsDecorated(BOOL bDecorated)
{
    setRootIsDecorated(bDecorated != FALSE);
}

void CVellListBox::Clear()
{
    clear();
}

void CVellListBox::SetShowToolTips(BOOL bShow)
{
    setShowToolTips(bShow != FALSE);
}

void CVellListBox::EnsureItemVisible(CVellListItem* pItem)
{
    if (!pItem)
        return;
    if (QScrollBar* pH = horizontalScrollBar(); pH && pH->isVisible() && columnWidth(0) <= width())
        updateScrollBars();
    ensureItemVisible(pItem);
    updateScrollBars();
}

int CVellListBox::PadWithSpaces(int nPixels, QString& strOut)
{
    strOut = QString(L"");
    const int nSpace = QFontMetrics(font()).width(QString(L" "));
    if (nSpace <= 0)
        return 0;  // no measurable space: nothing can be covered
    const int nCount = static_cast<int>(std::ceil(static_cast<double>(nPixels) / nSpace));
    if (nCount > 0)
        strOut.fill(L' ', nCount);
    return nCount;
}

void CVellListBox::SetTextIndent(int nPixels, int nColumn)
{
    // The list box indents its one column only.
    if (nColumn != 0)
        return;
    if (m_textIndent.empty()) {
        m_textIndent[0] = nPixels;
    } else {
        QString scratch;
        const int nOld = PadWithSpaces(m_textIndent[0], scratch);
        if (nOld > 0) {
            for (CVellListItem* pItem = GetFirstItem(); pItem; pItem = GetNextItem(pItem)) {
                const QString text = pItem->text(nColumn);
                const uint nStrip = static_cast<uint>(nOld) < text.length() ? static_cast<uint>(nOld) : text.length();
                pItem->setText(nColumn, text.mid(nStrip));
            }
        }
        m_textIndent[0] = nPixels;
    }
    QString prefix;
    PadWithSpaces(m_textIndent[0], prefix);
    for (CVellListItem* pItem = GetFirstItem(); pItem; pItem = GetNextItem(pItem))
        pItem->setText(nColumn, prefix + pItem->text(nColumn));
    Redraw();
}

CVellListItem* CVellListBox::GetItemAt(int nIndex)
{
    if (nIndex < 0)
        return nullptr;
    CVellListItem* pItem = GetFirstItem();
    for (int i = 0; i < nIndex && pItem; ++i)
        pItem = GetNextItem(pItem);
    return pItem;
}

BOOL CVellListBox::SwapItems(int nIndex1, int nIndex2)
{
    CVellListItem* p = GetItemAt(nIndex1 < nIndex2 ? nIndex1 : nIndex2);
    CVellListItem* q = GetItemAt(nIndex1 < nIndex2 ? nIndex2 : nIndex1);
    if (!p || !q || p == q)
        return FALSE;
    ExchangeSiblings(p, q, p->itemAbove(), q->itemAbove());
    return TRUE;
}

void CVellListBox::ExchangeSiblings(QListViewItem* p, QListViewItem* q, QListViewItem* pBeforeP, QListViewItem* pBeforeQ)
{
    q->moveItem(pBeforeP ? pBeforeP : p);
    if (p == pBeforeQ)
        p->moveItem(q);
    else if (pBeforeQ)
        p->moveItem(pBeforeQ);
}

BOOL CVellListBox::SetColumnCompare(ItemCompareFunc pfnCompare, int nColumn)
{
    if (nColumn < 0 || nColumn >= columns())
        return FALSE;
    // Columns added to the list view directly have no entry yet: the list grows to cover them.
    if (m_columnCompares.size() < static_cast<size_t>(columns()))
        m_columnCompares.resize(static_cast<size_t>(columns()), nullptr);
    m_columnCompares[static_cast<size_t>(nColumn)] = pfnCompare;
    return TRUE;
}

std::vector<ItemCompareFunc>& CVellListBox::GetColumnCompares(std::vector<ItemCompareFunc>& compares)
{
    compares = m_columnCompares;
    return compares;
}

void CVellListBox::SetMultiSelection(BOOL bMulti)
{
    setSelectionMode(bMulti ? Extended : Single);
}

void CVellListBox::GetSelectedItems(std::vector<CVellListItem*>& items)
{
    std::vector<CVellListItem*> selected;
    for (CVellListItem* pItem = GetFirstItem(); pItem; pItem = GetNextItem(pItem)) {
        if (pItem->isSelected())
            selected.push_back(pItem);
        CollectSelectedChildren(pItem, selected);
    }
    items.swap(selected);
}

void CVellListBox::CollectSelectedChildren(CVellListItem*, std::vector<CVellListItem*>&)
{
}

void CVellListBox::SetItemOpen(CVellListItem* pItem, BOOL bOpen)
{
    if (pItem)
        pItem->setOpen(bOpen != FALSE);
}

void CVellListBox::TakeItem(CVellListItem* pItem)
{
    if (pItem)
        takeItem(pItem);
}

void CVellListBox::InsertItem(CVellListItem* pItem)
{
    if (pItem)
        insertItem(pItem);
}

// The list box's slots: the list view's signals turned into messages to the dialog. Each slot sends
// its message last and touches no item afterwards, so the dialog may change or clear the list while
// it handles the message.
#include "toolkit/qtcontrols/VellListBox.h"

CVellListItem* CVellListBox::AsItem(QListViewItem* item)
{
    // Every item of these lists is a CVellListItem; an item of Qt's own class is reported as none.
    return dynamic_cast<CVellListItem*>(item);
}

void CVellListBox::Notify(UINT message, LPARAM lParam)
{
    CWnd* pNotify = GetNotifyWindow();
    if (!pNotify || !::IsWindow(pNotify->m_hWnd))
        return;
    const WPARAM nID = CWnd::m_hWnd ? static_cast<WPARAM>(::GetDlgCtrlID(CWnd::m_hWnd)) : 0;
    ::SendMessageW(pNotify->m_hWnd, message, nID, lParam);
}

void CVellListBox::collapsed(QListViewItem*)
{
}

void CVellListBox::expanded(QListViewItem*)
{
}

void CVellListBox::itemRenamed(QListViewItem* item, int column, const QString&)
{
    CVellListItem* pItem = AsItem(item);
    if (pItem)
        pItem->SetClickColumn(column);
    Notify(QLM_ITEMRENAMED, reinterpret_cast<LPARAM>(pItem));
}

void CVellListBox::dropped(QDropEvent* e)
{
    Notify(QLM_DROPPED, reinterpret_cast<LPARAM>(e));
}

void CVellListBox::onViewport()
{
    Notify(QLM_ONVIEWPORT, 0);
}

void CVellListBox::onItem(QListViewItem* item)
{
    Notify(QLM_ONITEM, reinterpret_cast<LPARAM>(AsItem(item)));
}

void CVellListBox::contextMenuRequested(QListViewItem*, const QPoint&, int)
{
}

void CVellListBox::mouseButtonClicked(int, QListViewItem*, const QPoint&, int)
{
}

void CVellListBox::mouseButtonPressed(int, QListViewItem*, const QPoint&, int)
{
}

namespace {

// The click details go onto the item before the dialog hears of it.
bool PrepareClick(CVellListItem* pItem, const QPoint& pos, int column)
{
    if (!pItem)
        return false;
    pItem->SetClickColumn(column);
    pItem->SetClickPoint(pos);
    return true;
}

}  // namespace

void CVellListBox::clicked(QListViewItem* item, const QPoint& pos, int column)
{
    CVellListItem* pItem = AsItem(item);
    if (PrepareClick(pItem, pos, column))
        Notify(QLM_CLICKED, reinterpret_cast<LPARAM>(pItem));
}

void CVellListBox::pressed(QListViewItem* item, const QPoint& pos, int column)
{
    CVellListItem* pItem = AsItem(item);
    if (PrepareClick(pItem, pos, column))
        Notify(QLM_PRESSED, reinterpret_cast<LPARAM>(pItem));
}

void CVellListBox::rightButtonClicked(QListViewItem* item, const QPoint& pos, int column)
{
    CVellListItem* pItem = AsItem(item);
    if (PrepareClick(pItem, pos, column))
        Notify(QLM_RIGHTBUTTONCLICKED, reinterpret_cast<LPARAM>(pItem));
}

void CVellListBox::returnPressed(QListViewItem* item)
{
    if (CVellListItem* pItem = AsItem(item))
        Notify(QLM_RETURNPRESSED, reinterpret_cast<LPARAM>(pItem));
}

void CVellListBox::doubleClicked(QListViewItem* item)
{
    if (CVellListItem* pItem = AsItem(item))
        Notify(QLM_DOUBLECLICKED, reinterpret_cast<LPARAM>(pItem));
}

void CVellListBox::currentChanged(QListViewItem* item)
{
    if (CVellListItem* pItem = AsItem(item))
        Notify(QLM_CURRENTCHANGED, reinterpret_cast<LPARAM>(pItem));
}

void CVellListBox::selectionChanged(QListViewItem* item)
{
    Notify(QLM_SELECTIONCHANGED, reinterpret_cast<LPARAM>(AsItem(item)));
}

void CVellListBox::selectionChanged()
{
    Notify(QLM_SELECTIONCHANGED, 0);
}

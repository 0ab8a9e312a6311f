// The list view's hand-written meta-object: slot and signal tables, dispatch, and the signal bodies.
#include "platform/qt/QListView.h"

#include <cstring>

namespace {

enum Slot {
    kClear, kInvertSelection, kSelectAll, kTriggerUpdate, kAdjustColumn, kChangeSortColumn, kHandleSizeChange,
    kSlotCount
};

enum Signal {
    kSelectionChanged, kSelectionChangedItem, kCurrentChanged, kClicked, kClickedAt, kPressed, kPressedAt,
    kDoubleClicked, kDoubleClickedAt, kReturnPressed, kSpacePressed, kRightButtonClicked, kRightButtonPressed,
    kMouseButtonPressed, kMouseButtonClicked, kContextMenuRequested, kOnItem, kOnViewport, kExpanded,
    kCollapsed, kDropped, kItemRenamedText, kItemRenamed, kSignalCount
};

// Item, point, column.
struct ItemPointColumn {
    QUObject o[4];
    ItemPointColumn(QListViewItem*& item, const QPoint& pos, int& column)
    {
        o[1].ptr = &item;
        o[2].ptr = &pos;
        o[3].ptr = &column;
    }
};

}  // namespace

QMetaObject* QListView::staticMetaObject()
{
    static const char* const slotTable[kSlotCount] = {
        "clear()", "invertSelection()", "selectAll(bool)", "triggerUpdate()", "adjustColumn(int)",
        "changeSortColumn(int)", "handleSizeChange(int,int,int)"};
    static const char* const signalTable[kSignalCount] = {
        "selectionChanged()",
        "selectionChanged(QListViewItem*)",
        "currentChanged(QListViewItem*)",
        "clicked(QListViewItem*)",
        "clicked(QListViewItem*,const QPoint&,int)",
        "pressed(QListViewItem*)",
        "pressed(QListViewItem*,const QPoint&,int)",
        "doubleClicked(QListViewItem*)",
        "doubleClicked(QListViewItem*,const QPoint&,int)",
        "returnPressed(QListViewItem*)",
        "spacePressed(QListViewItem*)",
        "rightButtonClicked(QListViewItem*,const QPoint&,int)",
        "rightButtonPressed(QListViewItem*,const QPoint&,int)",
        "mouseButtonPressed(int,QListViewItem*,const QPoint&,int)",
        "mouseButtonClicked(int,QListViewItem*,const QPoint&,int)",
        "contextMenuRequested(QListViewItem*,const QPoint&,int)",
        "onItem(QListViewItem*)",
        "onViewport()",
        "expanded(QListViewItem*)",
        "collapsed(QListViewItem*)",
        "dropped(QDropEvent*)",
        "itemRenamed(QListViewItem*,int,const QString&)",
        "itemRenamed(QListViewItem*,int)"};
    static QMetaObject meta("QListView", QScrollView::staticMetaObject(), slotTable, kSlotCount, signalTable,
                            kSignalCount);
    return &meta;
}
QMetaObject* QListView::metaObject() const { return staticMetaObject(); }
const char* QListView::className() const { return "QListView"; }
void* QListView::qt_cast(const char* name)
{
    return name && std::strcmp(name, "QListView") == 0 ? this : QScrollView::qt_cast(name);
}

bool QListView::qt_invoke(int id, QUObject* o)
{
    switch (id - staticMetaObject()->slotOffset()) {
    case kClear: clear(); return true;
    case kInvertSelection: invertSelection(); return true;
    case kSelectAll: selectAll(qUArg<bool>(o + 1)); return true;
    case kTriggerUpdate: triggerUpdate(); return true;
    case kAdjustColumn: adjustColumn(qUArg<int>(o + 1)); return true;
    case kChangeSortColumn: changeSortColumn(qUArg<int>(o + 1)); return true;
    case kHandleSizeChange:
        handleSizeChange(qUArg<int>(o + 1), qUArg<int>(o + 2), qUArg<int>(o + 3));
        return true;
    default: return QScrollView::qt_invoke(id, o);
    }
}

bool QListView::qt_emit(int id, QUObject* o)
{
    auto item = [o](int i) { return qUArg<QListViewItem*>(o + i); };
    auto point = [o](int i) { return qUArg<QPoint>(o + i); };
    auto integer = [o](int i) { return qUArg<int>(o + i); };
    switch (id - staticMetaObject()->signalOffset()) {
    case kSelectionChanged: selectionChanged(); return true;
    case kSelectionChangedItem: selectionChanged(item(1)); return true;
    case kCurrentChanged: currentChanged(item(1)); return true;
    case kClicked: clicked(item(1)); return true;
    case kClickedAt: clicked(item(1), point(2), integer(3)); return true;
    case kPressed: pressed(item(1)); return true;
    case kPressedAt: pressed(item(1), point(2), integer(3)); return true;
    case kDoubleClicked: doubleClicked(item(1)); return true;
    case kDoubleClickedAt: doubleClicked(item(1), point(2), integer(3)); return true;
    case kReturnPressed: returnPressed(item(1)); return true;
    case kSpacePressed: spacePressed(item(1)); return true;
    case kRightButtonClicked: rightButtonClicked(item(1), point(2), integer(3)); return true;
    case kRightButtonPressed: rightButtonPressed(item(1), point(2), integer(3)); return true;
    case kMouseButtonPressed: mouseButtonPressed(integer(1), item(2), point(3), integer(4)); return true;
    case kMouseButtonClicked: mouseButtonClicked(integer(1), item(2), point(3), integer(4)); return true;
    case kContextMenuRequested: contextMenuRequested(item(1), point(2), integer(3)); return true;
    case kOnItem: onItem(item(1)); return true;
    case kOnViewport: onViewport(); return true;
    case kExpanded: expanded(item(1)); return true;
    case kCollapsed: collapsed(item(1)); return true;
    case kDropped: dropped(qUArg<QDropEvent*>(o + 1)); return true;
    case kItemRenamedText: itemRenamed(item(1), integer(2), qUArg<QString>(o + 3)); return true;
    case kItemRenamed: itemRenamed(item(1), integer(2)); return true;
    default: return QScrollView::qt_emit(id, o);
    }
}

#define QLV_SIGNAL(index) (staticMetaObject()->signalOffset() + (index))

void QListView::selectionChanged() { activate_signal(QLV_SIGNAL(kSelectionChanged)); }

void QListView::selectionChanged(QListViewItem* item)
{
    QUObject o[2];
    o[1].ptr = &item;
    activate_signal(QLV_SIGNAL(kSelectionChangedItem), o);
}

void QListView::currentChanged(QListViewItem* item)
{
    QUObject o[2];
    o[1].ptr = &item;
    activate_signal(QLV_SIGNAL(kCurrentChanged), o);
}

void QListView::clicked(QListViewItem* item)
{
    QUObject o[2];
    o[1].ptr = &item;
    activate_signal(QLV_SIGNAL(kClicked), o);
}

void QListView::clicked(QListViewItem* item, const QPoint& pos, int column)
{
    ItemPointColumn a(item, pos, column);
    activate_signal(QLV_SIGNAL(kClickedAt), a.o);
}

void QListView::pressed(QListViewItem* item)
{
    QUObject o[2];
    o[1].ptr = &item;
    activate_signal(QLV_SIGNAL(kPressed), o);
}

void QListView::pressed(QListViewItem* item, const QPoint& pos, int column)
{
    ItemPointColumn a(item, pos, column);
    activate_signal(QLV_SIGNAL(kPressedAt), a.o);
}

void QListView::doubleClicked(QListViewItem* item)
{
    QUObject o[2];
    o[1].ptr = &item;
    activate_signal(QLV_SIGNAL(kDoubleClicked), o);
}

void QListView::doubleClicked(QListViewItem* item, const QPoint& pos, int column)
{
    ItemPointColumn a(item, pos, column);
    activate_signal(QLV_SIGNAL(kDoubleClickedAt), a.o);
}

void QListView::returnPressed(QListViewItem* item)
{
    QUObject o[2];
    o[1].ptr = &item;
    activate_signal(QLV_SIGNAL(kReturnPressed), o);
}

void QListView::spacePressed(QListViewItem* item)
{
    QUObject o[2];
    o[1].ptr = &item;
    activate_signal(QLV_SIGNAL(kSpacePressed), o);
}

void QListView::rightButtonClicked(QListViewItem* item, const QPoint& pos, int column)
{
    ItemPointColumn a(item, pos, column);
    activate_signal(QLV_SIGNAL(kRightButtonClicked), a.o);
}

void QListView::rightButtonPressed(QListViewItem* item, const QPoint& pos, int column)
{
    ItemPointColumn a(item, pos, column);
    activate_signal(QLV_SIGNAL(kRightButtonPressed), a.o);
}

void QListView::mouseButtonPressed(int button, QListViewItem* item, const QPoint& pos, int column)
{
    QUObject o[5];
    o[1].ptr = &button;
    o[2].ptr = &item;
    o[3].ptr = &pos;
    o[4].ptr = &column;
    activate_signal(QLV_SIGNAL(kMouseButtonPressed), o);
}

void QListView::mouseButtonClicked(int button, QListViewItem* item, const QPoint& pos, int column)
{
    QUObject o[5];
    o[1].ptr = &button;
    o[2].ptr = &item;
    o[3].ptr = &pos;
    o[4].ptr = &column;
    activate_signal(QLV_SIGNAL(kMouseButtonClicked), o);
}

void QListView::contextMenuRequested(QListViewItem* item, const QPoint& pos, int column)
{
    ItemPointColumn a(item, pos, column);
    activate_signal(QLV_SIGNAL(kContextMenuRequested), a.o);
}

void QListView::onItem(QListViewItem* item)
{
    QUObject o[2];
    o[1].ptr = &item;
    activate_signal(QLV_SIGNAL(kOnItem), o);
}

void QListView::onViewport() { activate_signal(QLV_SIGNAL(kOnViewport)); }

void QListView::expanded(QListViewItem* item)
{
    QUObject o[2];
    o[1].ptr = &item;
    activate_signal(QLV_SIGNAL(kExpanded), o);
}

void QListView::collapsed(QListViewItem* item)
{
    QUObject o[2];
    o[1].ptr = &item;
    activate_signal(QLV_SIGNAL(kCollapsed), o);
}

void QListView::dropped(QDropEvent* e)
{
    QUObject o[2];
    o[1].ptr = &e;
    activate_signal(QLV_SIGNAL(kDropped), o);
}

void QListView::itemRenamed(QListViewItem* item, int column, const QString& text)
{
    QUObject o[4];
    o[1].ptr = &item;
    o[2].ptr = &column;
    o[3].ptr = &text;
    activate_signal(QLV_SIGNAL(kItemRenamedText), o);
}

void QListView::itemRenamed(QListViewItem* item, int column)
{
    QUObject o[3];
    o[1].ptr = &item;
    o[2].ptr = &column;
    activate_signal(QLV_SIGNAL(kItemRenamed), o);
}

#include "ListViewRecorder.h"

#include <cstring>

namespace qttest {

std::string ItemName(QListViewItem* item)
{
    return item ? item->text(0).utf8() : std::string("null");
}

namespace {

const char* const kSlots[] = {
    "selectionChanged()",
    "selectionChangedItem(QListViewItem*)",
    "currentChanged(QListViewItem*)",
    "clicked(QListViewItem*,const QPoint&,int)",
    "pressed(QListViewItem*,const QPoint&,int)",
    "doubleClicked(QListViewItem*)",
    "returnPressed(QListViewItem*)",
    "rightButtonClicked(QListViewItem*,const QPoint&,int)",
    "contextMenuRequested(QListViewItem*,const QPoint&,int)",
    "mouseButtonClicked(int,QListViewItem*,const QPoint&,int)",
    "onItem(QListViewItem*)",
    "onViewport()",
    "expanded(QListViewItem*)",
    "collapsed(QListViewItem*)",
    "dropped(QDropEvent*)",
    "itemRenamed(QListViewItem*,int,const QString&)",
};
constexpr int kSlotCount = sizeof(kSlots) / sizeof(kSlots[0]);

}  // namespace

QMetaObject* ListRecorder::staticMetaObject()
{
    static QMetaObject meta("ListRecorder", QObject::staticMetaObject(), kSlots, kSlotCount, nullptr, 0);
    return &meta;
}
QMetaObject* ListRecorder::metaObject() const { return staticMetaObject(); }
const char* ListRecorder::className() const { return "ListRecorder"; }
void* ListRecorder::qt_cast(const char* n) { return n && !std::strcmp(n, "ListRecorder") ? this : QObject::qt_cast(n); }
bool ListRecorder::qt_emit(int id, QUObject* o) { return QObject::qt_emit(id, o); }
bool ListRecorder::qt_invoke(int id, QUObject* o)
{
    auto item = [o](int i) { return qUArg<QListViewItem*>(o + i); };
    auto point = [o](int i) { return qUArg<QPoint>(o + i); };
    auto integer = [o](int i) { return qUArg<int>(o + i); };
    switch (id - staticMetaObject()->slotOffset()) {
    case 0: selectionChanged(); return true;
    case 1: selectionChangedItem(item(1)); return true;
    case 2: currentChanged(item(1)); return true;
    case 3: clicked(item(1), point(2), integer(3)); return true;
    case 4: pressed(item(1), point(2), integer(3)); return true;
    case 5: doubleClicked(item(1)); return true;
    case 6: returnPressed(item(1)); return true;
    case 7: rightButtonClicked(item(1), point(2), integer(3)); return true;
    case 8: contextMenuRequested(item(1), point(2), integer(3)); return true;
    case 9: mouseButtonClicked(integer(1), item(2), point(3), integer(4)); return true;
    case 10: onItem(item(1)); return true;
    case 11: onViewport(); return true;
    case 12: expanded(item(1)); return true;
    case 13: collapsed(item(1)); return true;
    case 14: dropped(qUArg<QDropEvent*>(o + 1)); return true;
    case 15: itemRenamed(item(1), integer(2), qUArg<QString>(o + 3)); return true;
    default: return QObject::qt_invoke(id, o);
    }
}

ListRecorder::ListRecorder(QListView* lv) : m_pList(lv)
{
    connect(lv, SIGNAL(selectionChanged()), this, SLOT(selectionChanged()));
    connect(lv, SIGNAL(selectionChanged(QListViewItem*)), this, SLOT(selectionChangedItem(QListViewItem*)));
    connect(lv, SIGNAL(currentChanged(QListViewItem*)), this, SLOT(currentChanged(QListViewItem*)));
    connect(lv, SIGNAL(clicked(QListViewItem*,const QPoint&,int)), this, SLOT(clicked(QListViewItem*,const QPoint&,int)));
    connect(lv, SIGNAL(pressed(QListViewItem*,const QPoint&,int)), this, SLOT(pressed(QListViewItem*,const QPoint&,int)));
    connect(lv, SIGNAL(doubleClicked(QListViewItem*)), this, SLOT(doubleClicked(QListViewItem*)));
    connect(lv, SIGNAL(returnPressed(QListViewItem*)), this, SLOT(returnPressed(QListViewItem*)));
    connect(lv, SIGNAL(rightButtonClicked(QListViewItem*,const QPoint&,int)), this,
            SLOT(rightButtonClicked(QListViewItem*,const QPoint&,int)));
    connect(lv, SIGNAL(contextMenuRequested(QListViewItem*,const QPoint&,int)), this,
            SLOT(contextMenuRequested(QListViewItem*,const QPoint&,int)));
    connect(lv, SIGNAL(mouseButtonClicked(int,QListViewItem*,const QPoint&,int)), this,
            SLOT(mouseButtonClicked(int,QListViewItem*,const QPoint&,int)));
    connect(lv, SIGNAL(onItem(QListViewItem*)), this, SLOT(onItem(QListViewItem*)));
    connect(lv, SIGNAL(onViewport()), this, SLOT(onViewport()));
    connect(lv, SIGNAL(expanded(QListViewItem*)), this, SLOT(expanded(QListViewItem*)));
    connect(lv, SIGNAL(collapsed(QListViewItem*)), this, SLOT(collapsed(QListViewItem*)));
    connect(lv, SIGNAL(dropped(QDropEvent*)), this, SLOT(dropped(QDropEvent*)));
    connect(lv, SIGNAL(itemRenamed(QListViewItem*,int,const QString&)), this,
            SLOT(itemRenamed(QListViewItem*,int,const QString&)));
}

void ListRecorder::Take(std::string line)
{
    const std::string name = line.substr(0, line.find('('));
    m_log.push_back(std::move(line));
    if (!m_clearOn.empty() && name == m_clearOn && m_pList) {
        m_clearOn.clear();
        m_pList->clear();
    }
    if (!m_deleteOn.empty() && name == m_deleteOn && m_pList) {
        m_deleteOn.clear();
        QListView* lv = m_pList;
        m_pList = nullptr;
        delete lv;
    }
}

void ListRecorder::selectionChanged() { Take("selectionChanged()"); }
void ListRecorder::selectionChangedItem(QListViewItem* i) { Take("selectionChanged(" + ItemName(i) + ")"); }
void ListRecorder::currentChanged(QListViewItem* i) { Take("currentChanged(" + ItemName(i) + ")"); }
void ListRecorder::clicked(QListViewItem* i, const QPoint& p, int c)
{
    m_lastPoint = p;
    Take("clicked(" + ItemName(i) + "," + std::to_string(c) + ")");
}
void ListRecorder::pressed(QListViewItem* i, const QPoint& p, int c)
{
    m_lastPoint = p;
    Take("pressed(" + ItemName(i) + "," + std::to_string(c) + ")");
}
void ListRecorder::doubleClicked(QListViewItem* i) { Take("doubleClicked(" + ItemName(i) + ")"); }
void ListRecorder::returnPressed(QListViewItem* i) { Take("returnPressed(" + ItemName(i) + ")"); }
void ListRecorder::rightButtonClicked(QListViewItem* i, const QPoint&, int c)
{
    Take("rightButtonClicked(" + ItemName(i) + "," + std::to_string(c) + ")");
}
void ListRecorder::contextMenuRequested(QListViewItem* i, const QPoint&, int c)
{
    Take("contextMenuRequested(" + ItemName(i) + "," + std::to_string(c) + ")");
}
void ListRecorder::mouseButtonClicked(int b, QListViewItem* i, const QPoint&, int c)
{
    Take("mouseButtonClicked(" + std::to_string(b) + "," + ItemName(i) + "," + std::to_string(c) + ")");
}
void ListRecorder::onItem(QListViewItem* i) { Take("onItem(" + ItemName(i) + ")"); }
void ListRecorder::onViewport() { Take("onViewport()"); }
void ListRecorder::expanded(QListViewItem* i) { Take("expanded(" + ItemName(i) + ")"); }
void ListRecorder::collapsed(QListViewItem* i) { Take("collapsed(" + ItemName(i) + ")"); }
void ListRecorder::dropped(QDropEvent* e)
{
    m_droppedFiles.push_back(e->files());
    Take("dropped(" + std::to_string(e->files().size()) + ")");
}
void ListRecorder::itemRenamed(QListViewItem* i, int c, const QString& t)
{
    Take("itemRenamed(" + ItemName(i) + "," + std::to_string(c) + "," + t.utf8() + ")");
}

}  // namespace qttest

#pragma once
// What the list view tests share: a recorder of every list view signal as readable lines ("clicked(A,0)"),
// a list view made of named items, and a slot that clears or deletes the list while a signal runs.
#include "platform/qt/QListView.h"

#include "QtTestSupport.h"

#include <string>
#include <vector>

namespace qttest {

// Item names for the log: column 0's text, or "null".
std::string ItemName(QListViewItem* item);

class ListRecorder : public QObject {
    Q_OBJECT
public:
    explicit ListRecorder(QListView* lv);
    std::vector<std::string> m_log;
    QListView* m_pList;
    // What a slot does to the list when the named signal arrives ("" for nothing).
    std::string m_clearOn;
    std::string m_deleteOn;
    std::vector<QStringList> m_droppedFiles;
    QPoint m_lastPoint;

    void Take(std::string line);

public slots:
    void selectionChanged();
    void selectionChangedItem(QListViewItem* i);
    void currentChanged(QListViewItem* i);
    void clicked(QListViewItem* i, const QPoint& p, int c);
    void pressed(QListViewItem* i, const QPoint& p, int c);
    void doubleClicked(QListViewItem* i);
    void returnPressed(QListViewItem* i);
    void rightButtonClicked(QListViewItem* i, const QPoint& p, int c);
    void contextMenuRequested(QListViewItem* i, const QPoint& p, int c);
    void mouseButtonClicked(int b, QListViewItem* i, const QPoint& p, int c);
    void onItem(QListViewItem* i);
    void onViewport();
    void expanded(QListViewItem* i);
    void collapsed(QListViewItem* i);
    void dropped(QDropEvent* e);
    void itemRenamed(QListViewItem* i, int c, const QString& t);
};

}  // namespace qttest

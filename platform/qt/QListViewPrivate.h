#pragma once
// What the list view's source files share and its users never see.
#include "platform/qt/QHeader.h"
#include "platform/qt/QListView.h"
#include "platform/qt/QPixmap.h"

#include <vector>

class QListViewTip;

// A memory DC with the list's font selected, for measuring texts without a DC per call.
class QListViewMeasure {
public:
    QListViewMeasure() = default;
    ~QListViewMeasure() { Reset(); }
    QListViewMeasure(const QListViewMeasure&) = delete;
    QListViewMeasure& operator=(const QListViewMeasure&) = delete;
    void SetFont(const QFont& font);
    int Width(const QString& text);

private:
    void Reset();
    QFont m_font;
    HDC m_hdc = nullptr;
    HGDIOBJ m_hOldFont = nullptr;
};

// An item pointer that the list clears when the item is deleted or taken out, and that knows when the
// list itself went away: what the list holds on to across a signal.
struct QListView::Watch {
    Watch(QListView* lv, QListViewItem* it);
    ~Watch();
    Watch(const Watch&) = delete;
    Watch& operator=(const Watch&) = delete;
    bool ListGone() const { return list == nullptr; }

    QListView* list;
    QListViewItem* item;
};

struct QListView::Private {
    struct Column {
        int alignment = Qt::AlignAuto;
        WidthMode mode = Manual;
    };

    QListViewItem* root = nullptr;
    QHeader* header = nullptr;
    std::vector<Column> columns;
    SelectionMode selectionMode = Single;
    QListViewItem* current = nullptr;
    QListViewItem* anchor = nullptr;
    QListViewItem* selected = nullptr;  // Single mode's one selected item
    int sortColumn = 0;
    bool ascending = true;
    bool showSortIndicator = false;
    bool showToolTips = true;
    bool rootIsDecorated = false;
    bool allColumnsShowFocus = false;
    int treeStepSize = 20;
    int itemMargin = 1;
    RenameAction renameAction = Reject;
    ResizeMode resizeMode = NoColumn;

    // The rows shown, in order, with their contents y; rebuilt when rowsDirty.
    mutable std::vector<QListViewItem*> rows;
    mutable std::vector<int> rowY;
    mutable int contentsHeight = 0;
    mutable bool rowsDirty = true;
    bool widthsDirty = false;
    bool updatePosted = false;
    bool inUpdate = false;
    bool dying = false;
    int baseHeight = 0;  // row height from the font and margin

    std::vector<Watch*> watches;
    std::vector<QListViewItemIterator*> iterators;

    // Mouse.
    QListViewItem* pressedItem = nullptr;
    int pressedColumn = -1;
    int pressedButton = 0;
    QPoint pressPos;  // contents coordinates
    bool pressedSelected = false;  // the item was current and selected before the press
    bool dragging = false;
    QListViewItem* hoverItem = nullptr;
    bool hoverViewport = false;

    // Renaming.
    HWND hEdit = nullptr;
    WNDPROC pfnEdit = nullptr;
    QListViewItem* renameItem = nullptr;
    int renameColumn = -1;
    int renameTimer = 0;
    QListViewItem* renamePending = nullptr;
    int renamePendingColumn = -1;
    bool endingRename = false;
    QString renameText;  // the editor's text while okRename runs

    // Type-ahead search.
    QString search;
    DWORD searchTick = 0;

    // While a level is sorted: its items' keys, indexed by the items' m_nRow (the rows are rebuilt
    // after a sort anyway), so the default compare asks key() once per item, not twice per comparison.
    const QListViewItem* sortingLevel = nullptr;
    int sortingColumn = -1;
    std::vector<QString> sortKeys;

    QPixmap buffer;
    QListViewMeasure measure;
    QListViewTip* tip = nullptr;
};

// Signals are emitted through this: TRUE when the list and the watched item survived the slot.
#define QLV_ALIVE(watch) (!(watch).ListGone())

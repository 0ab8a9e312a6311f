#pragma once
// A list of items in columns, optionally a tree: QListView shows QListViewItem rows under a header,
// with single or extended selection, a current item, sorting by a column, in-place renaming in a
// native edit control, tool tips for cut texts and drops (shell file drops and item drags inside the
// program, by mouse capture).
//
// Items are kept in sibling lists; the list view keeps a flat table of the rows that are shown, rebuilt
// once per posted update, so painting touches only the rows in view and a fill of many items costs one
// sort and one scroll-bar layout, not one per insert. Every signal may run a slot that clears the list or
// deletes items: after each signal the list view works only with item pointers that are still alive.
#include "platform/qt/QScrollView.h"

#include <memory>
#include <vector>

class QHeader;
class QListView;
class QListViewItemIterator;
class QPainter;

class QListViewItem : public Qt {
public:
    // A new item goes first among its siblings; with "after" it goes right behind that item.
    explicit QListViewItem(QListView* parent);
    explicit QListViewItem(QListViewItem* parent);
    QListViewItem(QListView* parent, QListViewItem* after);
    QListViewItem(QListViewItem* parent, QListViewItem* after);
    QListViewItem(QListView* parent, const QString& label1, const QString& label2 = QString(),
                  const QString& label3 = QString(), const QString& label4 = QString());
    QListViewItem(QListViewItem* parent, const QString& label1, const QString& label2 = QString(),
                  const QString& label3 = QString(), const QString& label4 = QString());
    QListViewItem(QListView* parent, QListViewItem* after, const QString& label1,
                  const QString& label2 = QString(), const QString& label3 = QString(),
                  const QString& label4 = QString());
    QListViewItem(QListViewItem* parent, QListViewItem* after, const QString& label1,
                  const QString& label2 = QString(), const QString& label3 = QString(),
                  const QString& label4 = QString());
    // Deletes the children and leaves the list (which forgets every pointer to the item).
    virtual ~QListViewItem();
    QListViewItem(const QListViewItem&) = delete;
    QListViewItem& operator=(const QListViewItem&) = delete;

    // Children: insertItem adopts a detached item as the first child, takeItem detaches a child
    // (with its own children) without deleting it.
    virtual void insertItem(QListViewItem* item);
    virtual void takeItem(QListViewItem* item);
    void removeItem(QListViewItem* item) { takeItem(item); }

    int height() const;
    virtual void invalidateHeight();
    int totalHeight() const;
    // Pixels the cell's contents need (text, picture, margins; the tree indent not included).
    virtual int width(const QFontMetrics& fm, const QListView* lv, int column) const;
    void widthChanged(int column = -1) const;
    int depth() const;

    virtual void setText(int column, const QString& text);
    virtual QString text(int column) const;
    virtual void setPixmap(int column, const QPixmap& pm);
    virtual const QPixmap* pixmap(int column) const;

    // Sorting: key is the text by default; compare orders by key (locale aware). The direction is
    // applied by the list, so compare never looks at "ascending" unless it wants to.
    virtual QString key(int column, bool ascending) const;
    virtual int compare(QListViewItem* other, int column, bool ascending) const;
    virtual void sortChildItems(int column, bool ascending);
    virtual void sort();

    int childCount() const { return m_nChildren; }
    bool isOpen() const { return m_bOpen; }
    virtual void setOpen(bool open);
    virtual void setup();
    virtual void setSelected(bool selected);
    bool isSelected() const { return m_bSelected; }
    virtual void setSelectable(bool enable);
    bool isSelectable() const { return m_bSelectable && m_bEnabled; }
    virtual void setExpandable(bool expandable);
    bool isExpandable() const { return m_bExpandable || m_nChildren > 0; }
    virtual void setEnabled(bool enable);
    bool isEnabled() const { return m_bEnabled; }
    void setVisible(bool visible);
    bool isVisible() const { return m_bVisible; }

    // Painting of one cell, at (0, 0) of a painter clipped to the cell; the list calls it for the
    // rows in view only.
    virtual void paintCell(QPainter* p, const QColorGroup& cg, int column, int width, int alignment);
    virtual void paintBranches(QPainter* p, const QColorGroup& cg, int w, int y, int h);
    virtual void paintFocus(QPainter* p, const QColorGroup& cg, const QRect& r);

    // Navigation. firstChild brings the children into the sort order first.
    QListViewItem* firstChild() const;
    QListViewItem* nextSibling() const { return m_pNext; }
    QListViewItem* parent() const;  // null for a top-level item
    QListViewItem* itemAbove();     // the row shown above, or null
    QListViewItem* itemBelow();     // the row shown below, or null
    int itemPos() const;            // y of the row in contents coordinates
    QListView* listView() const;
    // Moves the item (with its children) behind "after", a sibling; null or a non-sibling does nothing.
    void moveItem(QListViewItem* after);
    void repaint() const;

    virtual void setRenameEnabled(int column, bool enable);
    bool renameEnabled(int column) const;
    virtual void startRename(int column);
    virtual void setDragEnabled(bool allow);
    bool dragEnabled() const { return m_bDragEnabled; }
    virtual void setDropEnabled(bool allow);
    bool dropEnabled() const { return m_bDropEnabled; }

    virtual int rtti() const { return 0; }

protected:
    virtual void enforceSortOrder() const;
    virtual void setHeight(int height);
    virtual void activate() {}
    // A drop onto this item (when drops are enabled for it).
    virtual void dropped(QDropEvent*) {}
    virtual void okRename(int column);
    virtual void cancelRename(int column);

private:
    friend class QListView;
    friend class QListViewItemIterator;
    struct RootTag {};
    QListViewItem(QListView* owner, RootTag);  // the hidden root of a list view
    void Init();
    void SetLabels(const QString& l1, const QString& l2, const QString& l3, const QString& l4);
    void Link(QListViewItem* parent, QListViewItem* after);  // after == this parent's "insert first"
    void Unlink();
    QListView* RootList() const;
    void SortChildrenNow(int column, bool ascending, bool recursive);
    void DirtyRows() const;

    QListViewItem* m_pParent = nullptr;  // the root for top-level items; null while detached
    QListViewItem* m_pFirst = nullptr;
    QListViewItem* m_pLast = nullptr;
    QListViewItem* m_pNext = nullptr;
    QListViewItem* m_pPrev = nullptr;
    QListView* m_pOwner = nullptr;       // set on the root only
    std::vector<QString> m_texts;
    std::vector<std::unique_ptr<QPixmap>> m_pixmaps;
    std::vector<bool> m_renameColumns;
    int m_nChildren = 0;
    int m_nHeight = 0;
    int m_nRow = -1;                     // index in the list's table of shown rows, when valid
    int m_nSortColumn = -2;              // the order the children were last brought into
    bool m_bSortAscending = true;
    bool m_bOpen = false;
    bool m_bSelected = false;
    bool m_bSelectable = true;
    bool m_bExpandable = false;
    bool m_bEnabled = true;
    bool m_bVisible = true;
    bool m_bDragEnabled = false;
    bool m_bDropEnabled = false;
    bool m_bHeightValid = false;
};

class QListView : public QScrollView {
    Q_OBJECT
public:
    enum SelectionMode { Single, Multi, Extended, NoSelection };
    enum WidthMode { Manual, Maximum };
    enum ResizeMode { NoColumn, AllColumns, LastColumn };
    enum RenameAction { Accept, Reject };

    explicit QListView(QWidget* parent = nullptr, const char* name = nullptr, WFlags f = 0);
    ~QListView() override;

    int treeStepSize() const;
    virtual void setTreeStepSize(int size);

    // Top-level items: insertItem adopts a detached item, takeItem detaches one (not deleted).
    virtual void insertItem(QListViewItem* item);
    virtual void takeItem(QListViewItem* item);
    void removeItem(QListViewItem* item) { takeItem(item); }

    QHeader* header() const;
    // Width -1: the column follows its widest text (Maximum mode); otherwise a fixed width.
    virtual int addColumn(const QString& label, int width = -1);
    virtual void removeColumn(int index);
    virtual void setColumnText(int column, const QString& label);
    QString columnText(int column) const;
    virtual void setColumnWidth(int column, int width);
    int columnWidth(int column) const;
    virtual void setColumnWidthMode(int column, WidthMode mode);
    WidthMode columnWidthMode(int column) const;
    int columns() const;
    virtual void setColumnAlignment(int column, int alignment);
    int columnAlignment(int column) const;

    // Viewport coordinates; null where there is no row.
    QListViewItem* itemAt(const QPoint& viewportPos) const;
    QRect itemRect(const QListViewItem* item) const;  // viewport coordinates; empty when not shown
    int itemPos(const QListViewItem* item);            // contents y
    void ensureItemVisible(const QListViewItem* item);
    void repaintItem(const QListViewItem* item) const;

    virtual void setMultiSelection(bool enable);
    bool isMultiSelection() const;
    void setSelectionMode(SelectionMode mode);
    SelectionMode selectionMode() const;
    virtual void clearSelection();
    virtual void setSelected(QListViewItem* item, bool selected);
    void setSelectionAnchor(QListViewItem* anchor);
    bool isSelected(const QListViewItem* item) const;
    // The selected item in Single mode; null in the other modes.
    QListViewItem* selectedItem() const;
    virtual void setOpen(QListViewItem* item, bool open);
    bool isOpen(const QListViewItem* item) const;
    virtual void setCurrentItem(QListViewItem* item);
    QListViewItem* currentItem() const;

    QListViewItem* firstChild() const;
    QListViewItem* lastItem() const;
    int childCount() const;

    virtual void setAllColumnsShowFocus(bool enable);
    bool allColumnsShowFocus() const;
    virtual void setItemMargin(int margin);
    int itemMargin() const;
    virtual void setRootIsDecorated(bool enable);
    bool rootIsDecorated() const;

    // Column -1: unsorted (items keep the order they were inserted in).
    virtual void setSorting(int column, bool ascending = true);
    int sortColumn() const;
    void setSortColumn(int column);
    SortOrder sortOrder() const;
    void setSortOrder(SortOrder order);
    virtual void sort();
    virtual void setShowSortIndicator(bool show);
    bool showSortIndicator() const;

    virtual void setShowToolTips(bool show);
    bool showToolTips() const;
    virtual void setResizeMode(ResizeMode mode);
    ResizeMode resizeMode() const;

    QListViewItem* findItem(const QString& text, int column) const;

    virtual void setDefaultRenameAction(RenameAction action);
    RenameAction defaultRenameAction() const;
    bool isRenaming() const;

    void setFont(const QFont& font) override;
    void setPalette(const QPalette& palette) override;
    QSize sizeHint() const override;
    bool eventFilter(QObject* watched, QEvent* e) override;

    void updateScrollBars() override;
    void setContentsPos(int x, int y) override;
    // Sort order, row table and scroll-bar layout now, instead of at the posted update.
    void updateNow();

public slots:
    virtual void clear();
    virtual void invertSelection();
    virtual void selectAll(bool select);
    // Asks for one update (sort, rows, scroll bars, repaint) when the posted events are delivered.
    void triggerUpdate();
    void adjustColumn(int column);

signals:
    void selectionChanged();
    void selectionChanged(QListViewItem* item);
    void currentChanged(QListViewItem* item);
    void clicked(QListViewItem* item);
    void clicked(QListViewItem* item, const QPoint& pos, int column);
    void pressed(QListViewItem* item);
    void pressed(QListViewItem* item, const QPoint& pos, int column);
    void doubleClicked(QListViewItem* item);
    void doubleClicked(QListViewItem* item, const QPoint& pos, int column);
    void returnPressed(QListViewItem* item);
    void spacePressed(QListViewItem* item);
    void rightButtonClicked(QListViewItem* item, const QPoint& pos, int column);
    void rightButtonPressed(QListViewItem* item, const QPoint& pos, int column);
    void mouseButtonPressed(int button, QListViewItem* item, const QPoint& pos, int column);
    void mouseButtonClicked(int button, QListViewItem* item, const QPoint& pos, int column);
    void contextMenuRequested(QListViewItem* item, const QPoint& pos, int column);
    void onItem(QListViewItem* item);
    void onViewport();
    void expanded(QListViewItem* item);
    void collapsed(QListViewItem* item);
    void dropped(QDropEvent* e);
    void itemRenamed(QListViewItem* item, int column, const QString& text);
    void itemRenamed(QListViewItem* item, int column);

protected slots:
    // A header section was clicked: sort by it, or turn the direction when it already sorts.
    virtual void changeSortColumn(int section);
    // A header section was resized: the column follows and the rows are repainted.
    virtual void handleSizeChange(int section, int oldSize, int newSize);

protected:
    void drawContentsOffset(QPainter* p, int ox, int oy, int cx, int cy, int cw, int ch) override;
    virtual void paintEmptyArea(QPainter* p, const QRect& rect);
    void contentsMousePressEvent(QMouseEvent* e) override;
    void contentsMouseReleaseEvent(QMouseEvent* e) override;
    void contentsMouseDoubleClickEvent(QMouseEvent* e) override;
    void contentsMouseMoveEvent(QMouseEvent* e) override;
    virtual void contentsDropEvent(QDropEvent* e);
    void dropEvent(QDropEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void viewportResizeEvent(QResizeEvent* e) override;
    void fontChange(const QFont& oldFont) override;
    bool event(QEvent* e) override;
    bool winEvent(MSG* msg, LRESULT* result) override;
    void timerEvent(QTimerEvent* e) override;

private:
    friend class QListViewItem;
    friend class QListViewItemIterator;
    friend class QListViewTip;
    friend class QListViewEditor;
    struct Private;
    struct Watch;

    // Called by items.
    void ItemGoing(QListViewItem* item);                     // deleted: forget it
    void ItemLeaving(QListViewItem* item, bool bDeleting);   // taken or deleted: forget its subtree
    void RowsChanged();
    void ItemChanged(const QListViewItem* item, int column);
    void ItemOpened(QListViewItem* item, bool open);
    void ItemSelectionChanged(QListViewItem* item);

    // The update that triggerUpdate posts.
    void BuildRows() const;
    void EnsureRows() const;
    void UpdateColumnWidths();
    void LayoutHeader();
    void PaintRows(QPainter* p, int cx, int cy, int cw, int ch);
    int ColumnAt(int contentsX) const;
    int RowAt(int contentsY) const;
    bool OnDecoration(QListViewItem* item, int contentsX) const;
    void SelectRange(QListViewItem* from, QListViewItem* to, bool bEmit);
    bool MoveCurrent(QListViewItem* item, int state);
    void KeyboardSearch(const QString& text);
    void StartRenameTimer(QListViewItem* item, int column);
    void StartRename(QListViewItem* item, int column);
    void EndRename(bool bAccept);
    void FinishDrag(const QPoint& globalPos);
    void CreateTip();
    void DestroyTip();
    static LRESULT CALLBACK EditProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    std::unique_ptr<Private> d;
};

// Walks every item of a list view depth-first (children after their parent, closed or not), or from
// an item on. The iterator survives the deletion of the item it stands on: it moves on to the next one.
class QListViewItemIterator {
public:
    enum IteratorFlag {
        Visible = 0x00000001, Invisible = 0x00000002, Selected = 0x00000004, Unselected = 0x00000008,
        Selectable = 0x00000010, NotSelectable = 0x00000020,
    };
    QListViewItemIterator();
    explicit QListViewItemIterator(QListViewItem* item);
    QListViewItemIterator(QListViewItem* item, int flags);
    explicit QListViewItemIterator(QListView* lv);
    QListViewItemIterator(QListView* lv, int flags);
    QListViewItemIterator(const QListViewItemIterator& it);
    QListViewItemIterator& operator=(const QListViewItemIterator& it);
    ~QListViewItemIterator();

    QListViewItemIterator& operator++();
    const QListViewItemIterator operator++(int);
    QListViewItemIterator& operator+=(int n);
    QListViewItemIterator& operator--();
    const QListViewItemIterator operator--(int);
    QListViewItemIterator& operator-=(int n);
    QListViewItem* operator*() { return m_pCurrent; }
    QListViewItem* current() const { return m_pCurrent; }

private:
    friend class QListView;
    void Attach(QListView* lv);
    void Detach();
    bool Matches(const QListViewItem* item) const;
    void SkipForward();
    void SkipBackward();
    void StepForward();
    void StepBackward();
    void ItemGoing(QListViewItem* item);  // the list tells: item (and its subtree) goes away

    QListViewItem* m_pCurrent = nullptr;
    QListView* m_pList = nullptr;
    int m_nFlags = 0;
};

// The list view's model side: columns, the table of shown rows, the posted update, sorting, the
// current item and the selection, taking and inserting items, and the pointers it forgets when items go.
#include "platform/qt/QApplication.h"
#include "platform/qt/QListViewPrivate.h"
#include "platform/qt/QPainter.h"
#include "platform/qt/QScrollBar.h"

#include <algorithm>

namespace {

// The posted update's event type.
constexpr int kUpdateEvent = QEvent::User + 0x4C56;

}  // namespace

void QListViewMeasure::Reset()
{
    if (m_hdc) {
        SelectObject(m_hdc, m_hOldFont);
        DeleteDC(m_hdc);
        m_hdc = nullptr;
    }
}

void QListViewMeasure::SetFont(const QFont& font)
{
    Reset();
    m_font = font;
}

int QListViewMeasure::Width(const QString& text)
{
    if (text.isEmpty())
        return 0;
    if (!m_hdc) {
        m_hdc = CreateCompatibleDC(nullptr);
        if (!m_hdc)
            return 0;
        m_hOldFont = SelectObject(m_hdc, m_font.handle());
    }
    SIZE sz{};
    GetTextExtentPoint32W(m_hdc, text.ucs2(), static_cast<int>(text.length()), &sz);
    return sz.cx;
}

QListView::Watch::Watch(QListView* lv, QListViewItem* it) : list(lv), item(it)
{
    if (list)
        list->d->watches.push_back(this);
}

QListView::Watch::~Watch()
{
    if (list) {
        auto& v = list->d->watches;
        v.erase(std::remove(v.begin(), v.end(), this), v.end());
    }
}

QListView::QListView(QWidget* parent, const char* name, WFlags f)
    : QScrollView(parent, name, f | WNoAutoErase), d(std::make_unique<Private>())
{
    d->root = new QListViewItem(this, QListViewItem::RootTag{});
    d->header = new QHeader(this, "list view header");
    d->header->installEventFilter(this);
    connect(d->header, SIGNAL(clicked(int)), this, SLOT(changeSortColumn(int)));
    connect(d->header, SIGNAL(sizeChange(int,int,int)), this, SLOT(handleSizeChange(int,int,int)));
    viewport()->setBackgroundMode(NoBackground);
    viewport()->setMouseTracking(true);
    setFocusPolicy(WheelFocus);
    d->measure.SetFont(font());
    d->baseHeight = QFontMetrics(font()).lineSpacing() + 2 * d->itemMargin;
    d->header->show();
    LayoutHeader();
    CreateTip();
}

QListView::~QListView()
{
    if (d->hEdit)
        EndRename(false);
    if (d->renameTimer)
        killTimer(d->renameTimer);
    d->dying = true;
    QApplication::removePostedEvents(this);
    delete d->root;  // the items forget themselves on the way
    d->root = nullptr;
    for (Watch* w : d->watches) {
        w->list = nullptr;
        w->item = nullptr;
    }
    d->watches.clear();
    for (QListViewItemIterator* it : d->iterators) {
        it->m_pList = nullptr;
        it->m_pCurrent = nullptr;
    }
    d->iterators.clear();
    DestroyTip();
}

QHeader* QListView::header() const { return d->header; }

// ---- Forgetting items -------------------------------------------------------------------------------

void QListView::ItemGoing(QListViewItem* i)
{
    if (d->current == i)
        d->current = nullptr;
    if (d->anchor == i)
        d->anchor = nullptr;
    if (d->selected == i)
        d->selected = nullptr;
    if (d->pressedItem == i) {
        d->pressedItem = nullptr;
        d->dragging = false;
    }
    if (d->hoverItem == i)
        d->hoverItem = nullptr;
    if (d->renamePending == i)
        d->renamePending = nullptr;
    if (d->renameItem == i) {
        d->renameItem = nullptr;
        if (d->hEdit && !d->endingRename)
            EndRename(false);
    }
    for (Watch* w : d->watches) {
        if (w->item == i)
            w->item = nullptr;
    }
}

void QListView::ItemLeaving(QListViewItem* item, bool)
{
    // Iterators standing in the subtree move on past it while the links are still intact.
    for (QListViewItemIterator* it : d->iterators)
        it->ItemGoing(item);
    std::vector<QListViewItem*> stack{item};
    while (!stack.empty()) {
        QListViewItem* i = stack.back();
        stack.pop_back();
        ItemGoing(i);
        for (QListViewItem* c = i->m_pFirst; c; c = c->m_pNext)
            stack.push_back(c);
    }
    RowsChanged();
}

// ---- The posted update --------------------------------------------------------------------------------

void QListView::RowsChanged()
{
    d->rowsDirty = true;
    if (!d->inUpdate)  // the update itself sorts and rebuilds: no second one for that
        triggerUpdate();
}

void QListView::triggerUpdate()
{
    if (d->updatePosted || d->dying || !qApp)
        return;
    d->updatePosted = true;
    QApplication::postEvent(this, new QCustomEvent(kUpdateEvent));
}

bool QListView::event(QEvent* e)
{
    if (e->type() == kUpdateEvent) {
        d->updatePosted = false;
        updateNow();
        viewport()->update();
        return true;
    }
    return QScrollView::event(e);
}

void QListView::updateNow()
{
    if (d->inUpdate || !d->root)
        return;
    d->inUpdate = true;
    EnsureRows();
    UpdateColumnWidths();
    // The scroll bars are laid out only when the contents changed size (a re-sort leaves them).
    if (d->header->headerWidth() != contentsWidth() || d->contentsHeight != contentsHeight())
        resizeContents(d->header->headerWidth(), d->contentsHeight);
    d->inUpdate = false;
}

void QListView::EnsureRows() const
{
    if (d->rowsDirty)
        BuildRows();
}

void QListView::BuildRows() const
{
    d->rows.clear();
    d->rowY.clear();
    int y = 0;
    // Depth first over the open levels; each level is brought into the sort order as it is reached.
    struct Level {
        QListViewItem* next;
    };
    std::vector<Level> stack;
    stack.push_back(Level{d->root->firstChild()});
    while (!stack.empty()) {
        QListViewItem* i = stack.back().next;
        if (!i) {
            stack.pop_back();
            continue;
        }
        stack.back().next = i->m_pNext;
        if (!i->m_bVisible)
            continue;
        i->m_nRow = static_cast<int>(d->rows.size());
        d->rows.push_back(i);
        d->rowY.push_back(y);
        y += i->height();
        if (i->m_bOpen && i->m_pFirst)
            stack.push_back(Level{i->firstChild()});
    }
    d->contentsHeight = y;
    d->rowsDirty = false;
}

void QListView::UpdateColumnWidths()
{
    if (!d->widthsDirty)
        return;
    d->widthsDirty = false;
    bool any = false;
    for (const auto& c : d->columns)
        any = any || c.mode == Maximum;
    if (!any)
        return;
    const QFontMetrics fm(font());
    std::vector<int> widest(d->columns.size(), 0);
    for (QListViewItem* i : d->rows) {
        for (size_t c = 0; c < d->columns.size(); ++c) {
            if (d->columns[c].mode != Maximum)
                continue;
            int w = i->width(fm, this, static_cast<int>(c));
            if (c == 0)
                w += d->treeStepSize * (i->depth() + (d->rootIsDecorated ? 1 : 0));
            widest[c] = std::max(widest[c], w);
        }
    }
    for (size_t c = 0; c < d->columns.size(); ++c) {
        if (d->columns[c].mode == Maximum && widest[c] > d->header->sectionSize(static_cast<int>(c)))
            d->header->resizeSection(static_cast<int>(c), widest[c]);
    }
}

void QListView::LayoutHeader()
{
    updateScrollBars();
}

void QListView::updateScrollBars()
{
    // The header takes the room above the viewport while it is not hidden (hidden while the list
    // itself is still hidden, it sends no event: so it is looked at on every layout).
    const int h = d->header->isHidden() ? 0 : d->header->sizeHint().height();
    if (h != topMargin()) {
        setMargins(0, h, 0, 0);  // lays out again, through here
        return;
    }
    QScrollView::updateScrollBars();
    const int fw = frameWidth();
    if (h > 0)
        d->header->setGeometry(fw, fw, visibleWidth(), h);
}

void QListView::resizeEvent(QResizeEvent* e)
{
    LayoutHeader();
    QScrollView::resizeEvent(e);
}

void QListView::viewportResizeEvent(QResizeEvent* e)
{
    QScrollView::viewportResizeEvent(e);
    if (d->resizeMode != NoColumn && columns() > 0) {
        const int total = d->header->headerWidth();
        const int extra = visibleWidth() - total;
        if (extra != 0) {
            const int last = columns() - 1;
            if (d->resizeMode == LastColumn) {
                d->header->resizeSection(last, std::max(0, columnWidth(last) + extra));
            } else {
                const int each = extra / columns();
                for (int c = 0; c < columns(); ++c)
                    d->header->resizeSection(c, std::max(0, columnWidth(c) + (c == last ? extra - each * last : each)));
            }
            triggerUpdate();
        }
    }
}

void QListView::setContentsPos(int x, int y)
{
    if (d->hEdit)
        EndRename(d->renameAction == Accept);
    QScrollView::setContentsPos(x, y);
    d->header->setOffset(contentsX());
}

bool QListView::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == d->header && (e->type() == QEvent::Show || e->type() == QEvent::Hide)) {
        LayoutHeader();
        return false;
    }
    return QScrollView::eventFilter(watched, e);
}

void QListView::setFont(const QFont& f)
{
    QScrollView::setFont(f);
}

void QListView::fontChange(const QFont& oldFont)
{
    QScrollView::fontChange(oldFont);
    d->measure.SetFont(font());
    d->header->setFont(font());
    d->baseHeight = QFontMetrics(font()).lineSpacing() + 2 * d->itemMargin;
    QListViewItemIterator it(this);
    for (; it.current(); ++it)
        it.current()->m_bHeightValid = false;
    d->widthsDirty = true;
    LayoutHeader();
    RowsChanged();
}

void QListView::setPalette(const QPalette& p)
{
    QScrollView::setPalette(p);
    viewport()->update();
}

QSize QListView::sizeHint() const
{
    EnsureRows();
    const int fw = 2 * frameWidth();
    const int h = std::min(d->contentsHeight, 10 * d->baseHeight) + (d->header->isHidden() ? 0 : d->header->sizeHint().height());
    return QSize(d->header->headerWidth() + fw, h + fw);
}

// ---- Columns ------------------------------------------------------------------------------------------

int QListView::addColumn(const QString& label, int width)
{
    Private::Column c;
    c.mode = width < 0 ? Maximum : Manual;
    d->columns.push_back(c);
    const int index = d->header->addLabel(label, width);
    d->widthsDirty = true;
    LayoutHeader();
    triggerUpdate();
    return index;
}

void QListView::removeColumn(int index)
{
    if (index < 0 || index >= columns())
        return;
    if (d->hEdit)
        EndRename(false);
    d->columns.erase(d->columns.begin() + index);
    d->header->removeLabel(index);
    // Item texts of later columns move down one place.
    for (QListViewItemIterator it(this); it.current(); ++it) {
        QListViewItem* i = it.current();
        if (static_cast<size_t>(index) < i->m_texts.size())
            i->m_texts.erase(i->m_texts.begin() + index);
        if (static_cast<size_t>(index) < i->m_pixmaps.size())
            i->m_pixmaps.erase(i->m_pixmaps.begin() + index);
        if (static_cast<size_t>(index) < i->m_renameColumns.size())
            i->m_renameColumns.erase(i->m_renameColumns.begin() + index);
    }
    if (d->sortColumn == index)
        d->sortColumn = columns() > 0 ? 0 : -1;
    else if (d->sortColumn > index)
        --d->sortColumn;
    RowsChanged();
    viewport()->update();
}

void QListView::setColumnText(int column, const QString& label)
{
    if (column >= 0 && column < columns())
        d->header->setLabel(column, label);
}

QString QListView::columnText(int column) const { return d->header->label(column); }

void QListView::setColumnWidth(int column, int width)
{
    if (column < 0 || column >= columns())
        return;
    d->header->resizeSection(column, width);
    triggerUpdate();
    viewport()->update();
}

int QListView::columnWidth(int column) const { return d->header->sectionSize(column); }

void QListView::setColumnWidthMode(int column, WidthMode mode)
{
    if (column < 0 || column >= columns())
        return;
    d->columns[static_cast<size_t>(column)].mode = mode;
    d->widthsDirty = true;
    triggerUpdate();
}

QListView::WidthMode QListView::columnWidthMode(int column) const
{
    return column >= 0 && column < columns() ? d->columns[static_cast<size_t>(column)].mode : Manual;
}

int QListView::columns() const { return static_cast<int>(d->columns.size()); }

void QListView::setColumnAlignment(int column, int alignment)
{
    if (column < 0 || column >= columns())
        return;
    d->columns[static_cast<size_t>(column)].alignment = alignment;
    viewport()->update();
}

int QListView::columnAlignment(int column) const
{
    return column >= 0 && column < columns() ? d->columns[static_cast<size_t>(column)].alignment : AlignAuto;
}

void QListView::adjustColumn(int column)
{
    if (column < 0 || column >= columns())
        return;
    EnsureRows();
    const QFontMetrics fm(font());
    int w = fm.width(columnText(column)) + 16;
    for (QListViewItem* i : d->rows) {
        int iw = i->width(fm, this, column);
        if (column == 0)
            iw += d->treeStepSize * (i->depth() + (d->rootIsDecorated ? 1 : 0));
        w = std::max(w, iw);
    }
    setColumnWidth(column, w);
}

void QListView::handleSizeChange(int, int, int)
{
    triggerUpdate();
    viewport()->repaint(false);
}

// ---- Tree settings --------------------------------------------------------------------------------------

int QListView::treeStepSize() const { return d->treeStepSize; }

void QListView::setTreeStepSize(int size)
{
    d->treeStepSize = std::max(0, size);
    d->widthsDirty = true;
    viewport()->update();
}

void QListView::setAllColumnsShowFocus(bool enable)
{
    d->allColumnsShowFocus = enable;
    viewport()->update();
}

bool QListView::allColumnsShowFocus() const { return d->allColumnsShowFocus; }

void QListView::setItemMargin(int margin)
{
    d->itemMargin = std::max(0, margin);
    d->baseHeight = QFontMetrics(font()).lineSpacing() + 2 * d->itemMargin;
    for (QListViewItemIterator it(this); it.current(); ++it)
        it.current()->m_bHeightValid = false;
    RowsChanged();
}

int QListView::itemMargin() const { return d->itemMargin; }

void QListView::setRootIsDecorated(bool enable)
{
    if (enable == d->rootIsDecorated)
        return;
    d->rootIsDecorated = enable;
    d->widthsDirty = true;
    triggerUpdate();
    viewport()->update();
}

bool QListView::rootIsDecorated() const { return d->rootIsDecorated; }

void QListView::setShowToolTips(bool show)
{
    d->showToolTips = show;
    if (!show)
        DestroyTip();
    else
        CreateTip();
}

bool QListView::showToolTips() const { return d->showToolTips; }

void QListView::setResizeMode(ResizeMode mode)
{
    d->resizeMode = mode;
    QResizeEvent e(viewport()->size(), viewport()->size());
    viewportResizeEvent(&e);
}

QListView::ResizeMode QListView::resizeMode() const { return d->resizeMode; }

void QListView::setDefaultRenameAction(RenameAction action) { d->renameAction = action; }
QListView::RenameAction QListView::defaultRenameAction() const { return d->renameAction; }
bool QListView::isRenaming() const { return d->hEdit != nullptr; }

// ---- Sorting -----------------------------------------------------------------------------------------------

void QListView::setSorting(int column, bool ascending)
{
    if (column < -1)
        column = -1;
    d->sortColumn = column;
    d->ascending = ascending;
    if (d->showSortIndicator && column >= 0)
        d->header->setSortIndicator(column, ascending);
    else
        d->header->setSortIndicator(-1);
    RowsChanged();
    viewport()->update();
}

int QListView::sortColumn() const { return d->sortColumn; }
void QListView::setSortColumn(int column) { setSorting(column, d->ascending); }
Qt::SortOrder QListView::sortOrder() const { return d->ascending ? Ascending : Descending; }
void QListView::setSortOrder(SortOrder order) { setSorting(d->sortColumn, order == Ascending); }

void QListView::sort()
{
    if (d->sortColumn < 0)
        return;
    d->root->SortChildrenNow(d->sortColumn, d->ascending, true);
    RowsChanged();
}

void QListView::changeSortColumn(int section)
{
    if (section < 0 || section >= columns())
        return;
    if (d->hEdit)
        EndRename(d->renameAction == Accept);
    if (d->sortColumn == section)
        setSorting(section, !d->ascending);
    else
        setSorting(section, true);
}

void QListView::setShowSortIndicator(bool show)
{
    d->showSortIndicator = show;
    d->header->setSortIndicator(show ? d->sortColumn : -1, d->ascending);
}

bool QListView::showSortIndicator() const { return d->showSortIndicator; }

// ---- Items ---------------------------------------------------------------------------------------------------

void QListView::insertItem(QListViewItem* item)
{
    if (d->root)
        d->root->insertItem(item);
}

void QListView::takeItem(QListViewItem* item)
{
    if (!item || !d->root)
        return;
    if (item->m_pParent == d->root)
        d->root->takeItem(item);
    else if (item->m_pParent && item->listView() == this)
        item->m_pParent->takeItem(item);
}

void QListView::clear()
{
    if (d->hEdit)
        EndRename(false);
    // No signals: the items just go. Every pointer to them is forgotten on the way.
    while (QListViewItem* i = d->root->m_pFirst)
        delete i;
    d->current = d->anchor = d->selected = nullptr;
    setContentsPos(0, 0);
    RowsChanged();
    viewport()->update();
}

QListViewItem* QListView::firstChild() const { return d->root ? d->root->firstChild() : nullptr; }

QListViewItem* QListView::lastItem() const
{
    EnsureRows();
    return d->rows.empty() ? nullptr : d->rows.back();
}

int QListView::childCount() const { return d->root ? d->root->childCount() : 0; }

QListViewItem* QListView::findItem(const QString& text, int column) const
{
    for (QListViewItemIterator it(const_cast<QListView*>(this)); it.current(); ++it) {
        if (it.current()->text(column) == text)
            return it.current();
    }
    return nullptr;
}

void QListView::ItemChanged(const QListViewItem* item, int column)
{
    if (column == d->sortColumn)
        RowsChanged();
    d->widthsDirty = true;
    triggerUpdate();
    repaintItem(item);
}

// ---- Geometry of rows ---------------------------------------------------------------------------------

int QListView::RowAt(int contentsY) const
{
    EnsureRows();
    if (contentsY < 0 || d->rows.empty() || contentsY >= d->contentsHeight)
        return -1;
    auto it = std::upper_bound(d->rowY.begin(), d->rowY.end(), contentsY);
    return static_cast<int>(it - d->rowY.begin()) - 1;
}

QListViewItem* QListView::itemAt(const QPoint& viewportPos) const
{
    const int row = RowAt(viewportPos.y() + contentsY());
    return row < 0 ? nullptr : d->rows[static_cast<size_t>(row)];
}

int QListView::itemPos(const QListViewItem* item)
{
    EnsureRows();
    if (!item || item->m_nRow < 0 || static_cast<size_t>(item->m_nRow) >= d->rows.size() ||
        d->rows[static_cast<size_t>(item->m_nRow)] != item)
        return 0;
    return d->rowY[static_cast<size_t>(item->m_nRow)];
}

QRect QListView::itemRect(const QListViewItem* item) const
{
    EnsureRows();
    if (!item || item->m_nRow < 0 || static_cast<size_t>(item->m_nRow) >= d->rows.size() ||
        d->rows[static_cast<size_t>(item->m_nRow)] != item)
        return QRect();
    const int y = d->rowY[static_cast<size_t>(item->m_nRow)] - contentsY();
    return QRect(-contentsX(), y, std::max(d->header->headerWidth(), visibleWidth() + contentsX()), item->height());
}

int QListView::ColumnAt(int x) const
{
    const int s = d->header->sectionAt(x);
    return s;
}

void QListView::repaintItem(const QListViewItem* item) const
{
    if (!item || d->rowsDirty)
        return;  // the posted update repaints everything anyway
    const QRect r = itemRect(item);
    if (!r.isEmpty())
        viewport()->update(0, r.y(), visibleWidth(), r.height());
}

void QListView::ensureItemVisible(const QListViewItem* item)
{
    if (!item)
        return;
    // Closed ancestors would hide it: Qt opens nothing here either, the item just has no row.
    updateNow();
    const QRect r = itemRect(item);
    if (r.isEmpty())
        return;
    const int y = r.y() + contentsY();
    const int h = r.height();
    if (y < contentsY())
        setContentsPos(contentsX(), y);
    else if (y + h > contentsY() + visibleHeight())
        setContentsPos(contentsX(), y + h - visibleHeight());
}

// ---- Open state -----------------------------------------------------------------------------------------

void QListView::setOpen(QListViewItem* item, bool open)
{
    if (item && item->listView() == this)
        item->setOpen(open);
}

bool QListView::isOpen(const QListViewItem* item) const { return item && item->isOpen(); }

void QListView::ItemOpened(QListViewItem* item, bool open)
{
    if (item->m_nChildren > 0 || open) {
        d->rowsDirty = true;
        d->widthsDirty = true;
    }
    if (!open && d->current) {
        // The current item goes with a closed subtree: the closed item becomes current.
        for (QListViewItem* p = d->current->m_pParent; p; p = p->m_pParent) {
            if (p == item) {
                d->current = item;
                break;
            }
        }
    }
    updateNow();
    viewport()->update();
    if (open)
        expanded(item);
    else
        collapsed(item);
}

// ---- Current item and selection ---------------------------------------------------------------------------

QListViewItem* QListView::currentItem() const { return d->current; }

void QListView::setCurrentItem(QListViewItem* item)
{
    if (!item || item->listView() != this || item == d->current)
        return;
    if (d->selectionMode == Single && item->isSelectable()) {
        // In Single mode the current item is the selected one; setSelected moves both and reports both.
        setSelected(item, true);
        return;
    }
    QListViewItem* old = d->current;
    d->current = item;
    if (old)
        repaintItem(old);
    repaintItem(item);
    currentChanged(item);
}

void QListView::setMultiSelection(bool enable)
{
    if (enable)
        setSelectionMode(Multi);
    else if (d->selectionMode == Multi)
        setSelectionMode(Single);
}

bool QListView::isMultiSelection() const { return d->selectionMode == Multi || d->selectionMode == Extended; }

void QListView::setSelectionMode(SelectionMode mode)
{
    if (mode == d->selectionMode)
        return;
    const SelectionMode old = d->selectionMode;
    d->selectionMode = mode;
    if ((old != Single && mode == Single) || mode == NoSelection) {
        // At most one selected item survives: the current one, when it was selected.
        blockSignals(true);
        const bool keep = mode == Single && d->current && d->current->isSelected();
        for (QListViewItemIterator it(this, QListViewItemIterator::Selected); it.current(); ++it) {
            if (!(keep && it.current() == d->current))
                it.current()->setSelected(false);
        }
        d->selected = keep ? d->current : nullptr;
        blockSignals(false);
        viewport()->update();
    }
}

QListView::SelectionMode QListView::selectionMode() const { return d->selectionMode; }

bool QListView::isSelected(const QListViewItem* item) const { return item && item->isSelected(); }

QListViewItem* QListView::selectedItem() const { return d->selectionMode == Single ? d->selected : nullptr; }

void QListView::setSelectionAnchor(QListViewItem* anchor)
{
    d->anchor = anchor && anchor->listView() == this ? anchor : nullptr;
}

void QListView::ItemSelectionChanged(QListViewItem* item) { repaintItem(item); }

void QListView::setSelected(QListViewItem* item, bool selected)
{
    if (!item || item->listView() != this || item->isSelected() == selected || d->selectionMode == NoSelection)
        return;
    if (selected && !item->isSelectable())
        return;
    bool currentMoved = false;
    if (d->selectionMode == Single) {
        if (selected && d->selected && d->selected != item) {
            d->selected->setSelected(false);
            repaintItem(d->selected);
        }
        d->selected = selected ? item : nullptr;
        if (selected && d->current != item) {
            QListViewItem* old = d->current;
            d->current = item;
            if (old)
                repaintItem(old);
            currentMoved = true;
        }
    }
    item->setSelected(selected);
    repaintItem(item);
    // Qt's order: the current item, then the selection, then (Single mode) the selected item. Each
    // slot may delete the item or the list.
    Watch watch(this, item);
    if (currentMoved) {
        currentChanged(item);
        if (watch.ListGone())
            return;
    }
    selectionChanged();
    if (watch.ListGone() || !watch.item)
        return;
    if (d->selectionMode == Single && selected)
        selectionChanged(item);
}

void QListView::clearSelection() { selectAll(false); }

void QListView::selectAll(bool select)
{
    if (d->selectionMode == Multi || d->selectionMode == Extended) {
        bool anything = false;
        for (QListViewItemIterator it(this); it.current(); ++it) {
            QListViewItem* i = it.current();
            if (i->isSelected() != (select && i->isSelectable())) {
                i->setSelected(select);
                anything = true;
            }
        }
        if (anything) {
            viewport()->update();
            selectionChanged();
        }
    } else if (d->selectionMode == Single && !select && d->selected) {
        setSelected(d->selected, false);
    } else if (d->selectionMode == Single && select && d->current) {
        setSelected(d->current, true);
    }
}

void QListView::invertSelection()
{
    if (d->selectionMode != Multi && d->selectionMode != Extended)
        return;
    for (QListViewItemIterator it(this); it.current(); ++it)
        it.current()->setSelected(!it.current()->isSelected());
    viewport()->update();
    selectionChanged();
}

// Selects the shown rows from one item to another (inclusive) and deselects the rest.
void QListView::SelectRange(QListViewItem* from, QListViewItem* to, bool bEmit)
{
    EnsureRows();
    int a = from ? from->m_nRow : -1;
    int b = to ? to->m_nRow : -1;
    if (a < 0 || b < 0 || static_cast<size_t>(a) >= d->rows.size() || static_cast<size_t>(b) >= d->rows.size() ||
        d->rows[static_cast<size_t>(a)] != from || d->rows[static_cast<size_t>(b)] != to)
        return;
    if (a > b)
        std::swap(a, b);
    bool anything = false;
    for (QListViewItemIterator it(this); it.current(); ++it) {
        QListViewItem* i = it.current();
        const bool inRange = i->m_nRow >= a && i->m_nRow <= b && static_cast<size_t>(i->m_nRow) < d->rows.size() &&
                             d->rows[static_cast<size_t>(i->m_nRow)] == i;
        if (i->isSelected() != (inRange && i->isSelectable())) {
            i->setSelected(inRange);
            anything = true;
        }
    }
    if (anything) {
        viewport()->update();
        if (bEmit)
            selectionChanged();
    }
}

// Items: sibling lists with first and last child, texts and pictures per column, open and selected
// state, sorting of a level on demand.
#include "platform/qt/QListViewPrivate.h"
#include "platform/qt/QPainter.h"

#include <algorithm>

QListViewItem::QListViewItem(QListView* owner, RootTag) : m_pOwner(owner)
{
    m_bOpen = true;
}

QListViewItem::QListViewItem(QListView* parent)
{
    if (parent)
        Link(parent->d->root, nullptr);
}

QListViewItem::QListViewItem(QListViewItem* parent)
{
    if (parent)
        Link(parent, nullptr);
}

QListViewItem::QListViewItem(QListView* parent, QListViewItem* after)
{
    if (parent)
        Link(parent->d->root, after);
}

QListViewItem::QListViewItem(QListViewItem* parent, QListViewItem* after)
{
    if (parent)
        Link(parent, after);
}

QListViewItem::QListViewItem(QListView* parent, const QString& l1, const QString& l2, const QString& l3,
                             const QString& l4)
    : QListViewItem(parent)
{
    SetLabels(l1, l2, l3, l4);
}

QListViewItem::QListViewItem(QListViewItem* parent, const QString& l1, const QString& l2, const QString& l3,
                             const QString& l4)
    : QListViewItem(parent)
{
    SetLabels(l1, l2, l3, l4);
}

QListViewItem::QListViewItem(QListView* parent, QListViewItem* after, const QString& l1, const QString& l2,
                             const QString& l3, const QString& l4)
    : QListViewItem(parent, after)
{
    SetLabels(l1, l2, l3, l4);
}

QListViewItem::QListViewItem(QListViewItem* parent, QListViewItem* after, const QString& l1, const QString& l2,
                             const QString& l3, const QString& l4)
    : QListViewItem(parent, after)
{
    SetLabels(l1, l2, l3, l4);
}

void QListViewItem::SetLabels(const QString& l1, const QString& l2, const QString& l3, const QString& l4)
{
    const QString* labels[] = {&l1, &l2, &l3, &l4};
    for (int i = 0; i < 4; ++i) {
        if (!labels[i]->isNull())
            setText(i, *labels[i]);
    }
}

QListViewItem::~QListViewItem()
{
    QListView* lv = listView();
    if (lv && !m_pOwner)
        lv->ItemLeaving(this, true);
    while (m_pFirst)
        delete m_pFirst;  // each child unlinks itself
    if (m_pParent)
        Unlink();
}

QListView* QListViewItem::RootList() const { return m_pOwner; }

QListView* QListViewItem::listView() const
{
    const QListViewItem* i = this;
    while (i->m_pParent)
        i = i->m_pParent;
    return i->m_pOwner;
}

QListViewItem* QListViewItem::parent() const
{
    return m_pParent && !m_pParent->m_pOwner ? m_pParent : nullptr;
}

int QListViewItem::depth() const
{
    int n = -1;
    for (const QListViewItem* i = m_pParent; i; i = i->m_pParent)
        ++n;
    return m_pParent ? n : -1;
}

void QListViewItem::Link(QListViewItem* parent, QListViewItem* after)
{
    if (after && after->m_pParent != parent)
        after = nullptr;  // not a sibling: the item goes first, as without one
    m_pParent = parent;
    if (after) {
        m_pPrev = after;
        m_pNext = after->m_pNext;
        after->m_pNext = this;
        if (m_pNext)
            m_pNext->m_pPrev = this;
        else
            parent->m_pLast = this;
    } else {
        m_pPrev = nullptr;
        m_pNext = parent->m_pFirst;
        if (m_pNext)
            m_pNext->m_pPrev = this;
        else
            parent->m_pLast = this;
        parent->m_pFirst = this;
    }
    ++parent->m_nChildren;
    parent->m_nSortColumn = -2;
    if (QListView* lv = parent->listView()) {
        lv->RowsChanged();
        lv->d->widthsDirty = true;
    }
}

void QListViewItem::Unlink()
{
    QListViewItem* parent = m_pParent;
    if (m_pPrev)
        m_pPrev->m_pNext = m_pNext;
    else
        parent->m_pFirst = m_pNext;
    if (m_pNext)
        m_pNext->m_pPrev = m_pPrev;
    else
        parent->m_pLast = m_pPrev;
    --parent->m_nChildren;
    m_pParent = m_pNext = m_pPrev = nullptr;
    if (QListView* lv = parent->listView())
        lv->RowsChanged();
}

void QListViewItem::insertItem(QListViewItem* item)
{
    if (!item || item == this || item->m_pParent || item->m_pOwner)
        return;  // already somewhere: take it out first
    for (const QListViewItem* i = this; i; i = i->m_pParent) {
        if (i == item)
            return;  // an item cannot become its own descendant
    }
    item->Link(this, nullptr);
}

void QListViewItem::takeItem(QListViewItem* item)
{
    if (!item || item->m_pParent != this)
        return;
    if (QListView* lv = listView())
        lv->ItemLeaving(item, false);
    item->Unlink();
}

void QListViewItem::DirtyRows() const
{
    if (QListView* lv = listView())
        lv->RowsChanged();
}

int QListViewItem::height() const
{
    if (!m_bHeightValid)
        const_cast<QListViewItem*>(this)->setup();
    return m_bVisible ? m_nHeight : 0;
}

void QListViewItem::invalidateHeight()
{
    m_bHeightValid = false;
    DirtyRows();
}

void QListViewItem::setHeight(int height)
{
    m_nHeight = height < 0 ? 0 : height;
    m_bHeightValid = true;
    DirtyRows();
}

void QListViewItem::setup()
{
    QListView* lv = listView();
    int h = lv ? lv->d->baseHeight : 16;
    const int margin = lv ? lv->d->itemMargin : 1;
    for (const auto& pm : m_pixmaps) {
        if (pm && pm->height() + 2 * margin > h)
            h = pm->height() + 2 * margin;
    }
    h += h % 2;  // even heights keep the tree's dotted lines in step
    m_nHeight = h;
    m_bHeightValid = true;
}

int QListViewItem::totalHeight() const
{
    int h = height();
    if (m_bOpen) {
        for (const QListViewItem* c = m_pFirst; c; c = c->m_pNext)
            h += c->totalHeight();
    }
    return h;
}

int QListViewItem::width(const QFontMetrics& fm, const QListView* lv, int column) const
{
    const int margin = lv ? lv->itemMargin() : 1;
    int w = fm.width(text(column)) + 2 * margin + 2;
    if (const QPixmap* pm = pixmap(column))
        w += pm->width() + margin;
    return w;
}

void QListViewItem::widthChanged(int) const
{
    if (QListView* lv = listView()) {
        lv->d->widthsDirty = true;
        lv->triggerUpdate();
    }
}

void QListViewItem::setText(int column, const QString& text)
{
    if (column < 0)
        return;
    if (static_cast<size_t>(column) >= m_texts.size()) {
        if (text.isEmpty())
            return;
        m_texts.resize(static_cast<size_t>(column) + 1);
    }
    if (m_texts[static_cast<size_t>(column)] == text && !m_texts[static_cast<size_t>(column)].isNull())
        return;
    m_texts[static_cast<size_t>(column)] = text;
    if (QListView* lv = listView()) {
        if (m_pParent && column == lv->d->sortColumn)
            m_pParent->m_nSortColumn = -2;
        lv->ItemChanged(this, column);
    }
}

QString QListViewItem::text(int column) const
{
    return column >= 0 && static_cast<size_t>(column) < m_texts.size() ? m_texts[static_cast<size_t>(column)]
                                                                        : QString();
}

void QListViewItem::setPixmap(int column, const QPixmap& pm)
{
    if (column < 0)
        return;
    if (static_cast<size_t>(column) >= m_pixmaps.size())
        m_pixmaps.resize(static_cast<size_t>(column) + 1);
    auto& slot = m_pixmaps[static_cast<size_t>(column)];
    if (pm.isNull())
        slot.reset();
    else
        slot = std::make_unique<QPixmap>(pm);
    invalidateHeight();
    if (QListView* lv = listView())
        lv->ItemChanged(this, column);
}

const QPixmap* QListViewItem::pixmap(int column) const
{
    return column >= 0 && static_cast<size_t>(column) < m_pixmaps.size() ? m_pixmaps[static_cast<size_t>(column)].get()
                                                                          : nullptr;
}

QString QListViewItem::key(int column, bool) const { return text(column); }

int QListViewItem::compare(QListViewItem* other, int column, bool ascending) const
{
    if (other && m_pParent && other->m_pParent == m_pParent) {
        QListView* lv = listView();
        if (lv && lv->d->sortingLevel == m_pParent && lv->d->sortingColumn == column) {
            const auto& keys = lv->d->sortKeys;
            const size_t a = static_cast<size_t>(m_nRow), b = static_cast<size_t>(other->m_nRow);
            if (a < keys.size() && b < keys.size())
                return keys[a].localeAwareCompare(keys[b]);
        }
    }
    return key(column, ascending).localeAwareCompare(other->key(column, ascending));
}

void QListViewItem::SortChildrenNow(int column, bool ascending, bool recursive)
{
    if (m_nChildren > 1 && column >= 0) {
        std::vector<QListViewItem*> v;
        v.reserve(static_cast<size_t>(m_nChildren));
        for (QListViewItem* c = m_pFirst; c; c = c->m_pNext)
            v.push_back(c);
        QListView* lv = listView();
        const QListViewItem* outerLevel = nullptr;
        int outerColumn = -1;
        std::vector<QString> outerKeys;
        if (lv) {
            // A compare that sorts another level meanwhile gets its own keys; ours come back after.
            outerLevel = lv->d->sortingLevel;
            outerColumn = lv->d->sortingColumn;
            outerKeys.swap(lv->d->sortKeys);
            lv->d->sortKeys.reserve(v.size());
            for (size_t k = 0; k < v.size(); ++k) {
                v[k]->m_nRow = static_cast<int>(k);
                lv->d->sortKeys.push_back(v[k]->key(column, ascending));
            }
            lv->d->sortingLevel = this;
            lv->d->sortingColumn = column;
            lv->d->rowsDirty = true;
        }
        // A merge sort: a comparison that is not a strict order still never reads outside the range.
        std::stable_sort(v.begin(), v.end(), [column, ascending](QListViewItem* a, QListViewItem* b) {
            const int r = a->compare(b, column, ascending);
            return ascending ? r < 0 : r > 0;
        });
        if (lv) {
            lv->d->sortingLevel = outerLevel;
            lv->d->sortingColumn = outerColumn;
            lv->d->sortKeys.swap(outerKeys);
        }
        QListViewItem* prev = nullptr;
        for (QListViewItem* c : v) {
            c->m_pPrev = prev;
            c->m_pNext = nullptr;
            if (prev)
                prev->m_pNext = c;
            prev = c;
        }
        m_pFirst = v.front();
        m_pLast = v.back();
        DirtyRows();
    }
    m_nSortColumn = column;
    m_bSortAscending = ascending;
    if (recursive) {
        for (QListViewItem* c = m_pFirst; c; c = c->m_pNext)
            c->SortChildrenNow(column, ascending, true);
    }
}

void QListViewItem::sortChildItems(int column, bool ascending)
{
    SortChildrenNow(column, ascending, false);
}

void QListViewItem::sort()
{
    if (QListView* lv = listView()) {
        if (m_pParent)
            m_pParent->SortChildrenNow(lv->d->sortColumn, lv->d->ascending, false);
    }
}

void QListViewItem::enforceSortOrder() const
{
    QListView* lv = listView();
    if (!lv || lv->d->sortColumn < 0)
        return;
    if (m_nSortColumn != lv->d->sortColumn || m_bSortAscending != lv->d->ascending)
        const_cast<QListViewItem*>(this)->sortChildItems(lv->d->sortColumn, lv->d->ascending);
}

QListViewItem* QListViewItem::firstChild() const
{
    enforceSortOrder();
    return m_pFirst;
}

void QListViewItem::setOpen(bool open)
{
    if (open == m_bOpen || !m_bEnabled)
        return;
    m_bOpen = open;
    if (QListView* lv = listView(); lv && !m_pOwner)
        lv->ItemOpened(this, open);
}

void QListViewItem::setSelected(bool selected)
{
    m_bSelected = selected && isSelectable();
}

void QListViewItem::setSelectable(bool enable)
{
    m_bSelectable = enable;
    if (!isSelectable() && m_bSelected) {
        if (QListView* lv = listView())
            lv->setSelected(this, false);
        else
            m_bSelected = false;
    }
}

void QListViewItem::setExpandable(bool expandable)
{
    m_bExpandable = expandable;
    repaint();
}

void QListViewItem::setEnabled(bool enable)
{
    m_bEnabled = enable;
    repaint();
}

void QListViewItem::setVisible(bool visible)
{
    if (visible == m_bVisible)
        return;
    m_bVisible = visible;
    DirtyRows();
}

QListViewItem* QListViewItem::itemAbove()
{
    QListView* lv = listView();
    if (!lv || m_pOwner)
        return nullptr;
    lv->EnsureRows();
    if (m_nRow <= 0 || static_cast<size_t>(m_nRow) >= lv->d->rows.size() || lv->d->rows[static_cast<size_t>(m_nRow)] != this)
        return nullptr;
    return lv->d->rows[static_cast<size_t>(m_nRow) - 1];
}

QListViewItem* QListViewItem::itemBelow()
{
    QListView* lv = listView();
    if (!lv || m_pOwner)
        return nullptr;
    lv->EnsureRows();
    if (m_nRow < 0 || static_cast<size_t>(m_nRow) + 1 >= lv->d->rows.size() ||
        lv->d->rows[static_cast<size_t>(m_nRow)] != this)
        return nullptr;
    return lv->d->rows[static_cast<size_t>(m_nRow) + 1];
}

int QListViewItem::itemPos() const
{
    QListView* lv = listView();
    return lv ? lv->itemPos(this) : 0;
}

void QListViewItem::moveItem(QListViewItem* after)
{
    if (!after || after == this || after->m_pParent != m_pParent || !m_pParent)
        return;
    QListViewItem* parent = m_pParent;
    // Relink without the bookkeeping of a take: the item stays in the list all along.
    if (m_pPrev)
        m_pPrev->m_pNext = m_pNext;
    else
        parent->m_pFirst = m_pNext;
    if (m_pNext)
        m_pNext->m_pPrev = m_pPrev;
    else
        parent->m_pLast = m_pPrev;
    m_pPrev = after;
    m_pNext = after->m_pNext;
    after->m_pNext = this;
    if (m_pNext)
        m_pNext->m_pPrev = this;
    else
        parent->m_pLast = this;
    // The hand-made order holds until the next sort asks for one.
    if (QListView* lv = listView()) {
        parent->m_nSortColumn = lv->d->sortColumn;
        parent->m_bSortAscending = lv->d->ascending;
        lv->RowsChanged();
    }
}

void QListViewItem::repaint() const
{
    if (QListView* lv = listView(); lv && !m_pOwner)
        lv->repaintItem(this);
}

void QListViewItem::setRenameEnabled(int column, bool enable)
{
    if (column < 0)
        return;
    if (static_cast<size_t>(column) >= m_renameColumns.size())
        m_renameColumns.resize(static_cast<size_t>(column) + 1, false);
    m_renameColumns[static_cast<size_t>(column)] = enable;
}

bool QListViewItem::renameEnabled(int column) const
{
    return column >= 0 && static_cast<size_t>(column) < m_renameColumns.size() &&
           m_renameColumns[static_cast<size_t>(column)];
}

void QListViewItem::startRename(int column)
{
    if (!renameEnabled(column))
        return;
    if (QListView* lv = listView())
        lv->StartRename(this, column);
}

void QListViewItem::okRename(int column)
{
    QListView* lv = listView();
    if (!lv)
        return;
    setText(column, lv->d->renameText);
    QListView::Watch watch(lv, this);
    lv->itemRenamed(this, column, text(column));
    if (watch.ListGone() || !watch.item)
        return;  // a slot deleted the item or the list
    lv->itemRenamed(this, column);
}

void QListViewItem::cancelRename(int) {}

void QListViewItem::setDragEnabled(bool allow) { m_bDragEnabled = allow; }
void QListViewItem::setDropEnabled(bool allow) { m_bDropEnabled = allow; }

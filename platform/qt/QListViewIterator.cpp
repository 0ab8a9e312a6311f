// Depth-first walk over all items of a list view. The list knows its iterators and moves them on when
// the item they stand on is deleted or taken out.
#include "platform/qt/QListViewPrivate.h"

#include <algorithm>

namespace {

// The next item depth first after the subtree of i, or null.
QListViewItem* AfterSubtree(QListViewItem* i)
{
    for (; i; i = i->parent()) {
        if (i->nextSibling())
            return i->nextSibling();
    }
    return nullptr;
}

QListViewItem* Next(QListViewItem* i)
{
    if (QListViewItem* c = i->firstChild())
        return c;
    return AfterSubtree(i);
}

// The last item depth first inside the subtree of i (i itself when it has no children).
QListViewItem* LastInside(QListViewItem* i)
{
    for (;;) {
        QListViewItem* c = i->firstChild();
        if (!c)
            return i;
        while (c->nextSibling())
            c = c->nextSibling();
        i = c;
    }
}

QListViewItem* Previous(QListViewItem* i)
{
    QListViewItem* parent = i->parent();
    QListViewItem* first = parent ? parent->firstChild() : (i->listView() ? i->listView()->firstChild() : nullptr);
    if (first == i || !first)
        return parent;
    QListViewItem* prev = first;
    while (prev->nextSibling() && prev->nextSibling() != i)
        prev = prev->nextSibling();
    return LastInside(prev);
}

}  // namespace

QListViewItemIterator::QListViewItemIterator() = default;

QListViewItemIterator::QListViewItemIterator(QListViewItem* item) : QListViewItemIterator(item, 0) {}

QListViewItemIterator::QListViewItemIterator(QListViewItem* item, int flags) : m_pCurrent(item), m_nFlags(flags)
{
    if (item)
        Attach(item->listView());
    SkipForward();
}

QListViewItemIterator::QListViewItemIterator(QListView* lv) : QListViewItemIterator(lv, 0) {}

QListViewItemIterator::QListViewItemIterator(QListView* lv, int flags) : m_nFlags(flags)
{
    if (lv) {
        m_pCurrent = lv->firstChild();
        Attach(lv);
    }
    SkipForward();
}

QListViewItemIterator::QListViewItemIterator(const QListViewItemIterator& it)
    : m_pCurrent(it.m_pCurrent), m_nFlags(it.m_nFlags)
{
    Attach(it.m_pList);
}

QListViewItemIterator& QListViewItemIterator::operator=(const QListViewItemIterator& it)
{
    if (this != &it) {
        Detach();
        m_pCurrent = it.m_pCurrent;
        m_nFlags = it.m_nFlags;
        Attach(it.m_pList);
    }
    return *this;
}

QListViewItemIterator::~QListViewItemIterator() { Detach(); }

void QListViewItemIterator::Attach(QListView* lv)
{
    m_pList = lv;
    if (lv)
        lv->d->iterators.push_back(this);
}

void QListViewItemIterator::Detach()
{
    if (m_pList) {
        auto& v = m_pList->d->iterators;
        v.erase(std::remove(v.begin(), v.end(), this), v.end());
        m_pList = nullptr;
    }
}

bool QListViewItemIterator::Matches(const QListViewItem* i) const
{
    const int f = m_nFlags;
    if ((f & Visible) && !(i->isVisible()))
        return false;
    if ((f & Invisible) && i->isVisible())
        return false;
    if ((f & Selected) && !i->isSelected())
        return false;
    if ((f & Unselected) && i->isSelected())
        return false;
    if ((f & Selectable) && !i->isSelectable())
        return false;
    if ((f & NotSelectable) && i->isSelectable())
        return false;
    return true;
}

void QListViewItemIterator::SkipForward()
{
    while (m_pCurrent && !Matches(m_pCurrent))
        m_pCurrent = Next(m_pCurrent);
}

void QListViewItemIterator::SkipBackward()
{
    while (m_pCurrent && !Matches(m_pCurrent))
        m_pCurrent = Previous(m_pCurrent);
}

void QListViewItemIterator::StepForward()
{
    if (!m_pCurrent)
        return;
    m_pCurrent = Next(m_pCurrent);
    SkipForward();
}

void QListViewItemIterator::StepBackward()
{
    if (!m_pCurrent)
        return;
    m_pCurrent = Previous(m_pCurrent);
    SkipBackward();
}

void QListViewItemIterator::ItemGoing(QListViewItem* item)
{
    for (QListViewItem* i = m_pCurrent; i; i = i->m_pParent) {
        if (i == item) {
            m_pCurrent = AfterSubtree(item);
            SkipForward();
            return;
        }
    }
}

QListViewItemIterator& QListViewItemIterator::operator++()
{
    StepForward();
    return *this;
}

const QListViewItemIterator QListViewItemIterator::operator++(int)
{
    QListViewItemIterator old(*this);
    StepForward();
    return old;
}

QListViewItemIterator& QListViewItemIterator::operator+=(int n)
{
    while (n-- > 0 && m_pCurrent)
        StepForward();
    return *this;
}

QListViewItemIterator& QListViewItemIterator::operator--()
{
    StepBackward();
    return *this;
}

const QListViewItemIterator QListViewItemIterator::operator--(int)
{
    QListViewItemIterator old(*this);
    StepBackward();
    return old;
}

QListViewItemIterator& QListViewItemIterator::operator-=(int n)
{
    while (n-- > 0 && m_pCurrent)
        StepBackward();
    return *this;
}

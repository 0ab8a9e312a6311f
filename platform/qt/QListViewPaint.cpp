// Painting the list view: only the rows that meet the dirty rectangle, cell by cell into an off-screen
// buffer that is then copied to the viewport; the tree's branches; tool tips for cut texts.
#include "platform/qt/QListViewPrivate.h"
#include "platform/qt/QPainter.h"
#include "platform/qt/QToolTip.h"

#include <algorithm>

namespace {

// One line of text in a cell, cut with an ellipsis when it does not fit.
void DrawCellText(QPainter* p, int x, int y, int w, int h, int alignment, const QString& text)
{
    HDC hdc = p->handle();
    if (!hdc || w <= 0)
        return;
    SetTextColor(hdc, p->pen().color().colorRef());
    SetBkMode(hdc, TRANSPARENT);
    RECT r{x, y, x + w, y + h};
    UINT fmt = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
    if (alignment & Qt::AlignRight)
        fmt |= DT_RIGHT;
    else if (alignment & Qt::AlignHCenter)
        fmt |= DT_CENTER;
    // DrawText places lines by their top; the painter keeps the DC on the baseline for drawText(x, y).
    const UINT oldAlign = SetTextAlign(hdc, TA_LEFT | TA_TOP);
    DrawTextW(hdc, text.ucs2(), static_cast<int>(text.length()), &r, fmt);
    SetTextAlign(hdc, oldAlign);
}

}  // namespace

// The tip of a cell whose text is cut.
class QListViewTip : public QToolTip {
public:
    explicit QListViewTip(QListView* lv) : QToolTip(lv->viewport()), m_pList(lv) {}

protected:
    void maybeTip(const QPoint& pos) override
    {
        QListView* lv = m_pList;
        QListViewItem* item = lv->itemAt(pos);
        if (!item)
            return;
        const int cx = pos.x() + lv->contentsX();
        const int column = lv->ColumnAt(cx);
        if (column < 0)
            return;
        const QString text = item->text(column);
        if (text.isEmpty())
            return;
        int indent = 0;
        if (column == 0)
            indent = lv->treeStepSize() * (item->depth() + (lv->rootIsDecorated() ? 1 : 0));
        const int need = item->width(lv->fontMetrics(), lv, column);
        if (need <= lv->columnWidth(column) - indent)
            return;
        const QRect r = lv->itemRect(item);
        tip(QRect(lv->header()->sectionPos(column) - lv->contentsX(), r.y(), lv->columnWidth(column), r.height()),
            text);
    }

private:
    QListView* m_pList;
};

void QListView::CreateTip()
{
    if (!d->tip)
        d->tip = new QListViewTip(this);
}

void QListView::DestroyTip()
{
    delete d->tip;
    d->tip = nullptr;
}

void QListViewItem::paintCell(QPainter* p, const QColorGroup& cg, int column, int width, int alignment)
{
    QListView* lv = listView();
    if (!lv)
        return;
    const int h = height();
    const bool highlighted = isSelected() && (column == 0 || lv->allColumnsShowFocus());
    p->fillRect(0, 0, width, h, QBrush(highlighted ? cg.highlight() : cg.base()));
    const int margin = lv->itemMargin();
    int x = margin;
    if (const QPixmap* pm = pixmap(column); pm && !pm->isNull()) {
        p->drawPixmap(x, (h - pm->height()) / 2, *pm);
        x += pm->width() + margin;
    }
    const QString t = text(column);
    if (t.isEmpty())
        return;
    p->setPen(highlighted ? cg.highlightedText() : (isEnabled() ? cg.text() : cg.mid()));
    DrawCellText(p, x, 0, width - margin - x, h, alignment, t);
}

void QListViewItem::paintFocus(QPainter* p, const QColorGroup&, const QRect& r)
{
    p->drawWinFocusRect(r);
}

// The branches left of a row: dotted lines to the siblings and a box with + or - for items that
// can open. (w, h): the indent area of the row; y: unused here, rows are painted one at a time.
void QListViewItem::paintBranches(QPainter* p, const QColorGroup& cg, int w, int, int h)
{
    QListView* lv = listView();
    if (!lv)
        return;
    p->fillRect(0, 0, w, h, QBrush(cg.base()));
    const int step = lv->treeStepSize();
    if (step <= 0)
        return;
    const int levels = depth() + (lv->rootIsDecorated() ? 1 : 0);
    const int mid = h / 2;
    const QColor line = cg.mid();
    auto dottedV = [&](int x, int y0, int y1) {
        for (int y = y0 + ((y0 & 1) ? 1 : 0); y <= y1; y += 2)
            p->fillRect(x, y, 1, 1, QBrush(line));
    };
    auto dottedH = [&](int x0, int x1, int y) {
        for (int x = x0 + ((x0 & 1) ? 1 : 0); x <= x1; x += 2)
            p->fillRect(x, y, 1, 1, QBrush(line));
    };
    // From the item's own level outwards: at its own level a connector, at the ancestors' levels a
    // line when the ancestor has a later sibling.
    const QListViewItem* level = this;
    for (int l = levels - 1; l >= 0 && level; --l) {
        const int cx = l * step + step / 2;
        const bool isTopDecorated = level->parent() == nullptr;
        if (isTopDecorated && !lv->rootIsDecorated())
            break;
        if (level == this) {
            const bool hasAbove = m_pPrev || parent();
            dottedV(cx, hasAbove ? 0 : mid, m_pNext ? h - 1 : mid);
            dottedH(cx, cx + step / 2, mid);
            if (isExpandable()) {
                const int bx = cx - 4, by = mid - 4;
                p->fillRect(bx, by, 9, 9, QBrush(cg.base()));
                p->setPen(cg.mid());
                p->setBrush(NoBrush);
                p->drawRect(bx, by, 9, 9);
                p->setPen(cg.text());
                p->drawLine(bx + 2, mid, bx + 6, mid);
                if (!isOpen())
                    p->drawLine(cx, by + 2, cx, by + 6);
            }
        } else if (level->m_pNext) {
            dottedV(cx, 0, h - 1);
        }
        level = level->parent();
    }
}

void QListView::paintEmptyArea(QPainter* p, const QRect& rect)
{
    p->fillRect(rect, QBrush(colorGroup().base()));
}

void QListView::drawContentsOffset(QPainter* p, int ox, int oy, int cx, int cy, int cw, int ch)
{
    if (cw <= 0 || ch <= 0)
        return;
    EnsureRows();
    // The buffer only grows, so scrolling and repainting reuse one bitmap.
    if (d->buffer.width() < cw || d->buffer.height() < ch)
        d->buffer = QPixmap(std::max(cw, d->buffer.width()), std::max(ch, d->buffer.height()));
    {
        QPainter bp(&d->buffer);
        bp.setFont(font());
        PaintRows(&bp, cx, cy, cw, ch);
    }
    p->drawPixmap(cx - ox, cy - oy, d->buffer, 0, 0, cw, ch);
}

// Paints the contents rectangle (cx, cy, cw, ch) at (0, 0) of the painter.
void QListView::PaintRows(QPainter* p, int cx, int cy, int cw, int ch)
{
    const QColorGroup& cg = colorGroup();
    const int ncols = columns();
    const int width = d->header->headerWidth();
    int first = RowAt(cy);
    int bottom = 0;  // contents y below the last painted row
    if (first >= 0) {
        for (size_t r = static_cast<size_t>(first); r < d->rows.size(); ++r) {
            const int y = d->rowY[r];
            if (y >= cy + ch)
                break;
            QListViewItem* item = d->rows[r];
            const int h = item->height();
            bottom = y + h;
            if (h <= 0)
                continue;
            for (int c = 0; c < ncols; ++c) {
                const int x = d->header->sectionPos(c);
                const int w = d->header->sectionSize(c);
                if (w <= 0 || x + w <= cx || x >= cx + cw)
                    continue;
                int cellX = x, cellW = w;
                if (c == 0) {
                    const int indent = d->treeStepSize * (item->depth() + (d->rootIsDecorated ? 1 : 0));
                    if (indent > 0) {
                        const int iw = std::min(indent, w);
                        p->translate(x - cx, y - cy);
                        p->setClipRect(0, 0, iw, h);
                        item->paintBranches(p, cg, iw, y, h);
                        p->setClipping(false);
                        p->translate(cx - x, cy - y);
                        cellX += iw;
                        cellW -= iw;
                    }
                }
                if (cellW <= 0)
                    continue;
                int align = d->columns[static_cast<size_t>(c)].alignment;
                if ((align & AlignHorizontal_Mask) == 0)
                    align |= AlignLeft;
                p->translate(cellX - cx, y - cy);
                p->setClipRect(0, 0, cellW, h);
                item->paintCell(p, cg, c, cellW, align);
                p->setClipping(false);
                p->translate(cx - cellX, cy - y);
            }
            if (width < cx + cw)
                p->fillRect(width - cx, y - cy, cx + cw - width, h, QBrush(cg.base()));
            if (item == d->current && hasFocus()) {
                int fx = 0, fw = width;
                if (!d->allColumnsShowFocus && ncols > 0) {
                    fx = d->treeStepSize * (item->depth() + (d->rootIsDecorated ? 1 : 0));
                    fw = std::max(0, d->header->sectionSize(0) - fx);
                }
                p->translate(-cx, y - cy);
                item->paintFocus(p, cg, QRect(fx, 0, fw, h));
                p->translate(cx, cy - y);
            }
        }
    } else {
        bottom = cy < d->contentsHeight ? cy : d->contentsHeight;
    }
    if (bottom < cy)
        bottom = cy;
    if (bottom < cy + ch)
        paintEmptyArea(p, QRect(0, bottom - cy, cw, cy + ch - bottom));
}

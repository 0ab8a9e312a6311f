#include "platform/qt/QDrawUtil.h"

namespace {

// Top and left edges in one colour, bottom and right in another, lineWidth pixels deep.
void Bevel(QPainter* p, int x, int y, int w, int h, const QColor& topLeft, const QColor& bottomRight, int depth)
{
    for (int i = 0; i < depth && w - 2 * i > 0 && h - 2 * i > 0; ++i) {
        const int l = x + i, t = y + i, r = x + w - 1 - i, b = y + h - 1 - i;
        p->setPen(topLeft);
        p->drawLine(l, t, r, t);
        p->drawLine(l, t, l, b);
        p->setPen(bottomRight);
        p->drawLine(l, b, r, b);
        p->drawLine(r, t, r, b);
    }
}

void Fill(QPainter* p, int x, int y, int w, int h, int inset, const QBrush* fill)
{
    if (fill)
        p->fillRect(x + inset, y + inset, w - 2 * inset, h - 2 * inset, *fill);
}

}  // namespace

void qDrawShadeLine(QPainter* p, int x1, int y1, int x2, int y2, const QColorGroup& g, bool sunken, int lineWidth,
                    int midLineWidth)
{
    const QPen old = p->pen();
    const QColor& first = sunken ? g.dark() : g.light();
    const QColor& second = sunken ? g.light() : g.dark();
    const int total = 2 * lineWidth + midLineWidth;
    const bool horizontal = y1 == y2;
    for (int i = 0; i < total; ++i) {
        p->setPen(i < lineWidth ? first : (i < lineWidth + midLineWidth ? g.mid() : second));
        if (horizontal)
            p->drawLine(x1, y1 + i, x2, y1 + i);
        else
            p->drawLine(x1 + i, y1, x1 + i, y2);
    }
    p->setPen(old);
}

void qDrawShadeRect(QPainter* p, int x, int y, int w, int h, const QColorGroup& g, bool sunken, int lineWidth,
                    int midLineWidth, const QBrush* fill)
{
    const QPen old = p->pen();
    Bevel(p, x, y, w, h, sunken ? g.dark() : g.light(), sunken ? g.light() : g.dark(), lineWidth);
    const int mid = lineWidth;
    for (int i = 0; i < midLineWidth; ++i) {
        p->setPen(g.mid());
        p->drawRect(x + mid + i, y + mid + i, w - 2 * (mid + i), h - 2 * (mid + i));
    }
    Bevel(p, x + lineWidth + midLineWidth, y + lineWidth + midLineWidth, w - 2 * (lineWidth + midLineWidth),
          h - 2 * (lineWidth + midLineWidth), sunken ? g.light() : g.dark(), sunken ? g.dark() : g.light(), lineWidth);
    Fill(p, x, y, w, h, 2 * lineWidth + midLineWidth, fill);
    p->setPen(old);
}

void qDrawShadePanel(QPainter* p, int x, int y, int w, int h, const QColorGroup& g, bool sunken, int lineWidth,
                     const QBrush* fill)
{
    const QPen old = p->pen();
    Bevel(p, x, y, w, h, sunken ? g.dark() : g.light(), sunken ? g.light() : g.dark(), lineWidth);
    Fill(p, x, y, w, h, lineWidth, fill);
    p->setPen(old);
}

void qDrawWinPanel(QPainter* p, int x, int y, int w, int h, const QColorGroup& g, bool sunken, const QBrush* fill)
{
    const QPen old = p->pen();
    if (sunken) {
        Bevel(p, x, y, w, h, g.dark(), g.light(), 1);
        Bevel(p, x + 1, y + 1, w - 2, h - 2, g.shadow(), g.midlight(), 1);
    } else {
        Bevel(p, x, y, w, h, g.light(), g.shadow(), 1);
        Bevel(p, x + 1, y + 1, w - 2, h - 2, g.midlight(), g.dark(), 1);
    }
    Fill(p, x, y, w, h, 2, fill);
    p->setPen(old);
}

void qDrawWinButton(QPainter* p, int x, int y, int w, int h, const QColorGroup& g, bool sunken, const QBrush* fill)
{
    const QPen old = p->pen();
    if (sunken) {
        Bevel(p, x, y, w, h, g.shadow(), g.light(), 1);
        Bevel(p, x + 1, y + 1, w - 2, h - 2, g.dark(), g.button(), 1);
    } else {
        Bevel(p, x, y, w, h, g.light(), g.shadow(), 1);
        Bevel(p, x + 1, y + 1, w - 2, h - 2, g.midlight(), g.dark(), 1);
    }
    Fill(p, x, y, w, h, 2, fill);
    p->setPen(old);
}

void qDrawPlainRect(QPainter* p, int x, int y, int w, int h, const QColor& c, int lineWidth, const QBrush* fill)
{
    const QPen old = p->pen();
    Bevel(p, x, y, w, h, c, c, lineWidth);
    Fill(p, x, y, w, h, lineWidth, fill);
    p->setPen(old);
}

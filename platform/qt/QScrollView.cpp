#include "platform/qt/QScrollView.h"

#include "platform/qt/QPainter.h"
#include "platform/qt/QScrollBar.h"

#include <cstring>

QMetaObject* QScrollView::staticMetaObject()
{
    static const char* const slotTable[] = {"hslide(int)", "vslide(int)"};
    static const char* const signalTable[] = {"contentsMoving(int,int)"};
    static QMetaObject meta("QScrollView", QFrame::staticMetaObject(), slotTable, 2, signalTable, 1);
    return &meta;
}
QMetaObject* QScrollView::metaObject() const { return staticMetaObject(); }
const char* QScrollView::className() const { return "QScrollView"; }
void* QScrollView::qt_cast(const char* name)
{
    return name && std::strcmp(name, "QScrollView") == 0 ? this : QFrame::qt_cast(name);
}
bool QScrollView::qt_invoke(int id, QUObject* o)
{
    switch (id - staticMetaObject()->slotOffset()) {
    case 0:
        hslide(qUArg<int>(o + 1));
        return true;
    case 1:
        vslide(qUArg<int>(o + 1));
        return true;
    default:
        return QFrame::qt_invoke(id, o);
    }
}
bool QScrollView::qt_emit(int id, QUObject* o)
{
    if (id - staticMetaObject()->signalOffset() == 0) {
        contentsMoving(qUArg<int>(o + 1), qUArg<int>(o + 2));
        return true;
    }
    return QFrame::qt_emit(id, o);
}
void QScrollView::contentsMoving(int x, int y)
{
    QUObject o[3];
    o[1].ptr = &x;
    o[2].ptr = &y;
    activate_signal(staticMetaObject()->signalOffset() + 0, o);
}

QScrollView::QScrollView(QWidget* parent, const char* name, WFlags f)
    : QFrame(parent, name, f),
      m_pViewport(new QWidget(this, "qt_viewport")),
      m_pHBar(new QScrollBar(Horizontal, this, "qt_hbar")),
      m_pVBar(new QScrollBar(Vertical, this, "qt_vbar"))
{
    m_pHBar->hide();
    m_pVBar->hide();
    m_pViewport->installEventFilter(this);
    connect(m_pHBar, SIGNAL(valueChanged(int)), this, SLOT(hslide(int)));
    connect(m_pVBar, SIGNAL(valueChanged(int)), this, SLOT(vslide(int)));
    setFrameStyle(StyledPanel | Sunken);
    updateScrollBars();
}

void QScrollView::setHScrollBarMode(ScrollBarMode mode)
{
    m_hMode = mode;
    updateScrollBars();
}

void QScrollView::setVScrollBarMode(ScrollBarMode mode)
{
    m_vMode = mode;
    updateScrollBars();
}

int QScrollView::visibleWidth() const { return m_pViewport->width(); }
int QScrollView::visibleHeight() const { return m_pViewport->height(); }

void QScrollView::resizeContents(int w, int h)
{
    m_nContentsW = w < 0 ? 0 : w;
    m_nContentsH = h < 0 ? 0 : h;
    updateScrollBars();
    m_pViewport->update();
}

void QScrollView::updateScrollBars()
{
    if (m_bInLayout)
        return;
    m_bInLayout = true;
    const int fw = frameWidth();
    const int availW = width() - 2 * fw > 0 ? width() - 2 * fw : 0;
    const int availH = height() - 2 * fw > 0 ? height() - 2 * fw : 0;
    const int sbw = GetSystemMetrics(SM_CXVSCROLL);
    const int sbh = GetSystemMetrics(SM_CYHSCROLL);
    auto needs = [](ScrollBarMode mode, int contents, int room) {
        return mode == AlwaysOn || (mode == Auto && contents > room);
    };
    const int roomW = availW - m_nMarginL - m_nMarginR;
    const int roomH = availH - m_nMarginT - m_nMarginB;
    bool needH = needs(m_hMode, m_nContentsW, roomW);
    bool needV = needs(m_vMode, m_nContentsH, roomH - (needH ? sbh : 0));
    // The vertical bar takes width, which may call for the horizontal one after all.
    if (needV && !needH)
        needH = needs(m_hMode, m_nContentsW, roomW - sbw);
    if (needH && !needV)
        needV = needs(m_vMode, m_nContentsH, roomH - sbh);
    const int mh = m_nMarginL + m_nMarginR;
    const int mv = m_nMarginT + m_nMarginB;
    int vw = availW - (needV ? sbw : 0) - mh;
    int vh = availH - (needH ? sbh : 0) - mv;
    if (vw < 0)
        vw = 0;
    if (vh < 0)
        vh = 0;
    m_pViewport->setGeometry(fw + m_nMarginL, fw + m_nMarginT, vw, vh);

    const int maxX = m_nContentsW - vw > 0 ? m_nContentsW - vw : 0;
    const int maxY = m_nContentsH - vh > 0 ? m_nContentsH - vh : 0;
    m_pHBar->blockSignals(true);
    m_pVBar->blockSignals(true);
    m_pHBar->setSteps(16, vw > 0 ? vw : 1);
    m_pHBar->setRange(0, maxX);
    m_pVBar->setSteps(16, vh > 0 ? vh : 1);
    m_pVBar->setRange(0, maxY);
    m_pHBar->blockSignals(false);
    m_pVBar->blockSignals(false);
    if (needH) {
        setHBarGeometry(*m_pHBar, fw, fw + vh + mv, vw + mh, sbh);
        m_pHBar->show();
    } else {
        m_pHBar->hide();
    }
    if (needV) {
        setVBarGeometry(*m_pVBar, fw + vw + mh, fw, sbw, vh + mv);
        m_pVBar->show();
    } else {
        m_pVBar->hide();
    }
    m_bInLayout = false;
    const int x = m_nContentsX > maxX ? maxX : m_nContentsX;
    const int y = m_nContentsY > maxY ? maxY : m_nContentsY;
    if (x != m_nContentsX || y != m_nContentsY)
        setContentsPos(x, y);
}

void QScrollView::setMargins(int left, int top, int right, int bottom)
{
    auto clamp = [](int v) { return v < 0 ? 0 : v; };
    if (clamp(left) == m_nMarginL && clamp(top) == m_nMarginT && clamp(right) == m_nMarginR &&
        clamp(bottom) == m_nMarginB)
        return;
    m_nMarginL = clamp(left);
    m_nMarginT = clamp(top);
    m_nMarginR = clamp(right);
    m_nMarginB = clamp(bottom);
    updateScrollBars();
}

void QScrollView::setHBarGeometry(QScrollBar& hbar, int x, int y, int w, int h)
{
    hbar.setGeometry(x, y, w, h);
}

void QScrollView::setVBarGeometry(QScrollBar& vbar, int x, int y, int w, int h)
{
    vbar.setGeometry(x, y, w, h);
}

void QScrollView::setContentsPos(int x, int y)
{
    const int maxX = m_nContentsW - visibleWidth() > 0 ? m_nContentsW - visibleWidth() : 0;
    const int maxY = m_nContentsH - visibleHeight() > 0 ? m_nContentsH - visibleHeight() : 0;
    x = x < 0 ? 0 : (x > maxX ? maxX : x);
    y = y < 0 ? 0 : (y > maxY ? maxY : y);
    if (x == m_nContentsX && y == m_nContentsY)
        return;
    contentsMoving(x, y);
    MoveContents(x, y);
    // The bars follow without calling back into the slots.
    m_pHBar->blockSignals(true);
    m_pVBar->blockSignals(true);
    m_pHBar->setValue(x);
    m_pVBar->setValue(y);
    m_pHBar->blockSignals(false);
    m_pVBar->blockSignals(false);
}

void QScrollView::hslide(int value)
{
    setContentsPos(value, m_nContentsY);
}

void QScrollView::vslide(int value)
{
    setContentsPos(m_nContentsX, value);
}

void QScrollView::MoveContents(int x, int y)
{
    const int dx = m_nContentsX - x;
    const int dy = m_nContentsY - y;
    m_nContentsX = x;
    m_nContentsY = y;
    HWND hView = m_pViewport->winId();
    if (!hView || !m_pViewport->isVisible() || !m_pViewport->isUpdatesEnabled())
        return;
    const int vw = visibleWidth(), vh = visibleHeight();
    if ((dx < 0 ? -dx : dx) >= vw || (dy < 0 ? -dy : dy) >= vh) {
        m_pViewport->update();
    } else {
        // Moves what is on screen and invalidates only the strip that came into view.
        ScrollWindowEx(hView, dx, dy, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
    }
    UpdateWindow(hView);
}

void QScrollView::ensureVisible(int x, int y, int xmargin, int ymargin)
{
    const int vw = visibleWidth(), vh = visibleHeight();
    int cx = m_nContentsX, cy = m_nContentsY;
    if (x - xmargin < cx)
        cx = x - xmargin;
    else if (x + xmargin > cx + vw)
        cx = x + xmargin - vw;
    if (y - ymargin < cy)
        cy = y - ymargin;
    else if (y + ymargin > cy + vh)
        cy = y + ymargin - vh;
    setContentsPos(cx, cy);
}

void QScrollView::contentsToViewport(int x, int y, int& vx, int& vy) const
{
    vx = x - m_nContentsX;
    vy = y - m_nContentsY;
}

void QScrollView::viewportToContents(int vx, int vy, int& x, int& y) const
{
    x = vx + m_nContentsX;
    y = vy + m_nContentsY;
}

QPoint QScrollView::contentsToViewport(const QPoint& p) const
{
    return QPoint(p.x() - m_nContentsX, p.y() - m_nContentsY);
}

QPoint QScrollView::viewportToContents(const QPoint& p) const
{
    return QPoint(p.x() + m_nContentsX, p.y() + m_nContentsY);
}

void QScrollView::repaintContents(int x, int y, int w, int h, bool erase)
{
    m_pViewport->repaint(x - m_nContentsX, y - m_nContentsY, w, h, erase);
}

void QScrollView::repaintContents(bool erase)
{
    m_pViewport->repaint(erase);
}

void QScrollView::updateContents(int x, int y, int w, int h)
{
    m_pViewport->update(x - m_nContentsX, y - m_nContentsY, w, h);
}

void QScrollView::updateContents()
{
    m_pViewport->update();
}

void QScrollView::resizeEvent(QResizeEvent* e)
{
    QFrame::resizeEvent(e);
    updateScrollBars();
}

void QScrollView::frameChanged()
{
    updateScrollBars();
}

void QScrollView::drawContents(QPainter*, int, int, int, int) {}

void QScrollView::drawContentsOffset(QPainter* p, int ox, int oy, int cx, int cy, int cw, int ch)
{
    p->translate(-ox, -oy);
    drawContents(p, cx, cy, cw, ch);
    p->translate(ox, oy);
}

void QScrollView::viewportPaintEvent(QPaintEvent* e)
{
    QPainter p(m_pViewport);
    const QRect& r = e->rect();
    p.setClipRect(r);
    drawContentsOffset(&p, m_nContentsX, m_nContentsY, r.x() + m_nContentsX, r.y() + m_nContentsY, r.width(),
                       r.height());
}

namespace {

QMouseEvent InContents(const QMouseEvent* e, const QPoint& pos)
{
    return QMouseEvent(e->type(), pos, e->globalPos(), e->button(), e->state());
}

}  // namespace

void QScrollView::viewportMousePressEvent(QMouseEvent* e)
{
    QMouseEvent ce = InContents(e, viewportToContents(e->pos()));
    contentsMousePressEvent(&ce);
}

void QScrollView::viewportMouseReleaseEvent(QMouseEvent* e)
{
    QMouseEvent ce = InContents(e, viewportToContents(e->pos()));
    contentsMouseReleaseEvent(&ce);
}

void QScrollView::viewportMouseDoubleClickEvent(QMouseEvent* e)
{
    QMouseEvent ce = InContents(e, viewportToContents(e->pos()));
    contentsMouseDoubleClickEvent(&ce);
}

void QScrollView::viewportMouseMoveEvent(QMouseEvent* e)
{
    QMouseEvent ce = InContents(e, viewportToContents(e->pos()));
    contentsMouseMoveEvent(&ce);
}

void QScrollView::viewportWheelEvent(QWheelEvent* e)
{
    const int lines = e->delta() * 3 / WHEEL_DELTA;
    QScrollBar* bar = m_pVBar->isVisible() || !m_pHBar->isVisible() ? m_pVBar : m_pHBar;
    bar->setValue(bar->value() - lines * bar->lineStep());
    e->accept();
}

bool QScrollView::eventFilter(QObject* watched, QEvent* e)
{
    if (watched != m_pViewport)
        return QFrame::eventFilter(watched, e);
    switch (e->type()) {
    case QEvent::Paint:
        viewportPaintEvent(static_cast<QPaintEvent*>(e));
        return true;
    case QEvent::Resize:
        viewportResizeEvent(static_cast<QResizeEvent*>(e));
        return false;
    case QEvent::MouseButtonPress:
        viewportMousePressEvent(static_cast<QMouseEvent*>(e));
        return true;
    case QEvent::MouseButtonRelease:
        viewportMouseReleaseEvent(static_cast<QMouseEvent*>(e));
        return true;
    case QEvent::MouseButtonDblClick:
        viewportMouseDoubleClickEvent(static_cast<QMouseEvent*>(e));
        return true;
    case QEvent::MouseMove:
        viewportMouseMoveEvent(static_cast<QMouseEvent*>(e));
        return true;
    case QEvent::Wheel:
        viewportWheelEvent(static_cast<QWheelEvent*>(e));
        return true;
    default:
        return false;
    }
}

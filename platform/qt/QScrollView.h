#pragma once
// A frame with a viewport onto a larger contents area and native scroll bars. Contents are drawn in
// contents coordinates by drawContents; scrolling moves the viewport's pixels with ScrollWindowEx
// and paints only what came into view.
#include "platform/qt/QFrame.h"

class QScrollBar;

class QScrollView : public QFrame {
    Q_OBJECT
public:
    enum ScrollBarMode { Auto, AlwaysOff, AlwaysOn };

    explicit QScrollView(QWidget* parent = nullptr, const char* name = nullptr, WFlags f = 0);

    QWidget* viewport() const { return m_pViewport; }
    QScrollBar* horizontalScrollBar() const { return m_pHBar; }
    QScrollBar* verticalScrollBar() const { return m_pVBar; }
    void setHScrollBarMode(ScrollBarMode mode);
    void setVScrollBarMode(ScrollBarMode mode);
    ScrollBarMode hScrollBarMode() const { return m_hMode; }
    ScrollBarMode vScrollBarMode() const { return m_vMode; }

    int contentsX() const { return m_nContentsX; }
    int contentsY() const { return m_nContentsY; }
    int contentsWidth() const { return m_nContentsW; }
    int contentsHeight() const { return m_nContentsH; }
    int visibleWidth() const;
    int visibleHeight() const;
    virtual void resizeContents(int w, int h);
    virtual void setContentsPos(int x, int y);
    void scrollBy(int dx, int dy) { setContentsPos(m_nContentsX + dx, m_nContentsY + dy); }
    void center(int x, int y) { setContentsPos(x - visibleWidth() / 2, y - visibleHeight() / 2); }
    void ensureVisible(int x, int y, int xmargin = 50, int ymargin = 50);

    void contentsToViewport(int x, int y, int& vx, int& vy) const;
    void viewportToContents(int vx, int vy, int& x, int& y) const;
    QPoint contentsToViewport(const QPoint& p) const;
    QPoint viewportToContents(const QPoint& p) const;

    // Paints the given contents rectangle now (viewport repaint), or later.
    void repaintContents(int x, int y, int w, int h, bool erase = true);
    void repaintContents(bool erase = true);
    void updateContents(int x, int y, int w, int h);
    void updateContents();
    // Lays out the bars and the viewport for the current size and contents.
    virtual void updateScrollBars();

signals:
    void contentsMoving(int x, int y);

protected slots:
    virtual void hslide(int value);
    virtual void vslide(int value);

protected:
    using QFrame::drawContents;
    virtual void drawContents(QPainter* p, int cx, int cy, int cw, int ch);
    virtual void drawContentsOffset(QPainter* p, int ox, int oy, int cx, int cy, int cw, int ch);
    virtual void setHBarGeometry(QScrollBar& hbar, int x, int y, int w, int h);
    virtual void setVBarGeometry(QScrollBar& vbar, int x, int y, int w, int h);
    // Room kept free around the viewport inside the frame (a header above it); the bars still
    // span the whole inside.
    void setMargins(int left, int top, int right, int bottom);
    int leftMargin() const { return m_nMarginL; }
    int topMargin() const { return m_nMarginT; }

    bool eventFilter(QObject* watched, QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void frameChanged() override;
    virtual void viewportPaintEvent(QPaintEvent* e);
    virtual void viewportResizeEvent(QResizeEvent*) {}
    virtual void viewportMousePressEvent(QMouseEvent* e);
    virtual void viewportMouseReleaseEvent(QMouseEvent* e);
    virtual void viewportMouseDoubleClickEvent(QMouseEvent* e);
    virtual void viewportMouseMoveEvent(QMouseEvent* e);
    virtual void viewportWheelEvent(QWheelEvent* e);
    virtual void contentsMousePressEvent(QMouseEvent*) {}
    virtual void contentsMouseReleaseEvent(QMouseEvent*) {}
    virtual void contentsMouseDoubleClickEvent(QMouseEvent*) {}
    virtual void contentsMouseMoveEvent(QMouseEvent*) {}

private:
    void MoveContents(int x, int y);

    QWidget* m_pViewport;
    QScrollBar* m_pHBar;
    QScrollBar* m_pVBar;
    ScrollBarMode m_hMode = Auto;
    ScrollBarMode m_vMode = Auto;
    int m_nContentsX = 0;
    int m_nContentsY = 0;
    int m_nContentsW = 0;
    int m_nContentsH = 0;
    bool m_bInLayout = false;
    int m_nMarginL = 0;
    int m_nMarginT = 0;
    int m_nMarginR = 0;
    int m_nMarginB = 0;
};

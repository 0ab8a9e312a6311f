// The scroll view: bars and viewport laid out from the contents size, scrolling by pixels that
// moves the viewport's pixels and paints only what came into view, the native bars' reports, and
// the virtual hooks a list control replaces.
#include "platform/qt/QApplication.h"
#include "platform/qt/QPainter.h"
#include "platform/qt/QScrollBar.h"
#include "platform/qt/QScrollView.h"

#include "tests/support/TestSupport.h"
#include "QtTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A colour for every contents pixel: bands of 10 pixels in x and y.
QColor ContentsColor(int x, int y)
{
    return QColor((x / 10) * 7 % 256, (y / 10) * 5 % 256, 128);
}

class Surface : public QScrollView {
public:
    Surface()
    {
        setGeometry(40, 40, 220, 170);
        resizeContents(2000, 1500);
    }
    std::vector<QRect> m_drawn;
    std::vector<int> m_vslides;
    std::vector<QRect> m_hbarGeometry;
    int m_nMoving = 0;

protected:
    void drawContents(QPainter* p, int cx, int cy, int cw, int ch) override
    {
        m_drawn.push_back(QRect(cx, cy, cw, ch));
        for (int y = cy - cy % 10; y < cy + ch; y += 10)
            for (int x = cx - cx % 10; x < cx + cw; x += 10)
                p->fillRect(x, y, 10, 10, QBrush(ContentsColor(x, y)));
    }
    void vslide(int value) override
    {
        m_vslides.push_back(value);
        QScrollView::vslide(value);
    }
    void setHBarGeometry(QScrollBar& bar, int x, int y, int w, int h) override
    {
        m_hbarGeometry.push_back(QRect(x, y, w, h));
        QScrollView::setHBarGeometry(bar, x, y, w, h);
    }
};

// The viewport as it is on screen.
COLORREF ScreenPixel(QWidget* w, int x, int y)
{
    HDC hdc = GetDC(w->winId());
    const COLORREF c = GetPixel(hdc, x, y);
    ReleaseDC(w->winId(), hdc);
    return c;
}

TEST(ScrollViewTest, BarsAndViewportFollowTheContentsSize)
{
    Surface s;
    const int fw = s.frameWidth();
    const int sbw = GetSystemMetrics(SM_CXVSCROLL), sbh = GetSystemMetrics(SM_CYHSCROLL);
    EXPECT_EQ(2, fw);
    EXPECT_EQ(QRect(fw, fw, 220 - 2 * fw - sbw, 170 - 2 * fw - sbh), s.viewport()->geometry());
    EXPECT_FALSE(s.horizontalScrollBar()->isHidden());
    EXPECT_FALSE(s.verticalScrollBar()->isHidden());
    EXPECT_EQ(2000 - s.visibleWidth(), s.horizontalScrollBar()->maxValue());
    EXPECT_EQ(1500 - s.visibleHeight(), s.verticalScrollBar()->maxValue());
    EXPECT_EQ(s.visibleHeight(), s.verticalScrollBar()->pageStep());
    ASSERT_FALSE(s.m_hbarGeometry.empty());
    EXPECT_EQ(QRect(fw, fw + s.visibleHeight(), s.visibleWidth(), sbh), s.m_hbarGeometry.back());
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    GetScrollInfo(s.verticalScrollBar()->winId(), SB_CTL, &si);
    EXPECT_EQ(1499, si.nMax);  // the native range covers the last page
    EXPECT_EQ(static_cast<UINT>(s.visibleHeight()), si.nPage);

    s.setContentsPos(5000, 5000);
    EXPECT_EQ(2000 - s.visibleWidth(), s.contentsX());
    // Smaller contents: the bars go, the position comes back into range.
    s.resizeContents(100, 100);
    EXPECT_TRUE(s.horizontalScrollBar()->isHidden());
    EXPECT_TRUE(s.verticalScrollBar()->isHidden());
    EXPECT_EQ(0, s.contentsX());
    EXPECT_EQ(0, s.contentsY());
    EXPECT_EQ(QRect(fw, fw, 220 - 2 * fw, 170 - 2 * fw), s.viewport()->geometry());
    // Wide but low contents: one bar, and it takes height from the viewport.
    s.resizeContents(1000, 10);
    EXPECT_FALSE(s.horizontalScrollBar()->isHidden());
    EXPECT_TRUE(s.verticalScrollBar()->isHidden());
    EXPECT_EQ(170 - 2 * fw - sbh, s.visibleHeight());
}

TEST(ScrollViewTest, ScrollingMovesThePixelsAndPaintsOnlyTheNewStrip)
{
    Surface s;
    s.show();
    qttest::Pump();
    s.center(1000, 750);
    qttest::Pump();
    const int x0 = s.contentsX(), y0 = s.contentsY();
    EXPECT_EQ(1000 - s.visibleWidth() / 2, x0);
    // The viewport shows the middle of the surface.
    DibSurface dib(s.visibleWidth(), s.visibleHeight());
    qttest::Render(s.viewport(), dib);
    EXPECT_EQ(ContentsColor(x0 + 3, y0 + 3).colorRef(), dib.At(3, 3));
    EXPECT_EQ(ContentsColor(x0 + 50, y0 + 70).colorRef(), dib.At(50, 70));

    s.m_drawn.clear();
    s.scrollBy(0, 10);
    EXPECT_EQ(y0 + 10, s.contentsY());
    ASSERT_FALSE(s.m_drawn.empty());
    int painted = 0;
    for (const QRect& r : s.m_drawn) {
        EXPECT_GE(r.y(), y0 + s.visibleHeight());  // only below what was already on screen
        painted += r.height();
    }
    EXPECT_EQ(10, painted);
    // What was on screen moved up by ten pixels.
    if (RunningOnWine() && ScreenPixel(s.viewport(), 5, 5) == CLR_INVALID) {
        WINE_KNOWN_DIFFERENCE("Windows reads a visible window's pixels back through GetPixel on its DC");
    } else {
        EXPECT_EQ(ContentsColor(x0 + 5, y0 + 10 + 5).colorRef(), ScreenPixel(s.viewport(), 5, 5));
        EXPECT_EQ(ContentsColor(x0 + 5, y0 + 10 + s.visibleHeight() - 3).colorRef(),
                  ScreenPixel(s.viewport(), 5, s.visibleHeight() - 3));
    }
}

TEST(ScrollViewTest, NativeBarReportsScrollThroughTheReplaceableSlot)
{
    Surface s;
    s.show();
    std::vector<int> moving;
    s.m_vslides.clear();
    HWND bar = s.verticalScrollBar()->winId();
    SendMessageW(s.winId(), WM_VSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(bar));
    EXPECT_EQ(s.verticalScrollBar()->lineStep(), s.contentsY());
    SendMessageW(s.winId(), WM_VSCROLL, SB_PAGEDOWN, reinterpret_cast<LPARAM>(bar));
    EXPECT_EQ(s.verticalScrollBar()->lineStep() + s.visibleHeight(), s.contentsY());
    SendMessageW(s.winId(), WM_VSCROLL, SB_BOTTOM, reinterpret_cast<LPARAM>(bar));
    EXPECT_EQ(1500 - s.visibleHeight(), s.contentsY());
    SendMessageW(s.winId(), WM_VSCROLL, SB_BOTTOM, reinterpret_cast<LPARAM>(bar));  // no change, no call
    EXPECT_EQ((std::vector<int>{16, 16 + s.visibleHeight(), 1500 - s.visibleHeight()}), s.m_vslides);
    EXPECT_EQ(s.contentsY(), GetScrollPos(bar, SB_CTL));
    // Moving the contents from the program moves the bar without calling the slot.
    s.setContentsPos(0, 40);
    EXPECT_EQ(40, s.verticalScrollBar()->value());
    EXPECT_EQ(3u, s.m_vslides.size());
}

TEST(ScrollViewTest, RepaintContentsPaintsNowInViewportCoordinates)
{
    Surface s;
    s.show();
    qttest::Pump();
    s.setContentsPos(100, 200);
    qttest::Pump();
    s.m_drawn.clear();
    s.repaintContents(110, 220, 30, 20, false);
    ASSERT_EQ(1u, s.m_drawn.size());
    EXPECT_EQ(QRect(110, 220, 30, 20), s.m_drawn[0]);
    QPoint v = s.contentsToViewport(QPoint(110, 220));
    EXPECT_EQ(QPoint(10, 20), v);
    EXPECT_EQ(QPoint(110, 220), s.viewportToContents(v));
}

// A host moves the window itself with the configuration pending, then posts the move and resize:
// the scroll view lays itself out when the posted events arrive, in whatever loop runs then.
class HostedView : public Surface {
public:
    void MoveLikeAHost(const QRect& r)
    {
        const QRect old = geometry();
        setWState(WState_ConfigPending);
        setCRect(r);
        MoveWindow(winId(), r.x(), r.y(), r.width(), r.height(), TRUE);
        clearWState(WState_ConfigPending);
        QApplication::postEvent(this, new QMoveEvent(r.topLeft(), old.topLeft()));
        QApplication::postEvent(this, new QResizeEvent(r.size(), old.size()));
    }
};

TEST(ScrollViewTest, LayoutFollowsPostedMoveAndResizeEvents)
{
    HostedView s;
    const QRect before = s.viewport()->geometry();
    s.MoveLikeAHost(QRect(10, 10, 320, 240));
    EXPECT_EQ(QRect(10, 10, 320, 240), s.geometry());
    EXPECT_EQ(before, s.viewport()->geometry());  // not yet
    qttest::Pump();
    const int fw = s.frameWidth();
    EXPECT_EQ(320 - 2 * fw - GetSystemMetrics(SM_CXVSCROLL), s.visibleWidth());
    EXPECT_EQ(240 - 2 * fw - GetSystemMetrics(SM_CYHSCROLL), s.visibleHeight());
    EXPECT_EQ(1500 - s.visibleHeight(), s.verticalScrollBar()->maxValue());
}

}  // namespace

// Tool tips: a fixed tip appears after the mouse rests, in the application's tip palette, and goes
// with a press; a dynamic tip is asked for at the mouse position.
#include "platform/qt/QToolTip.h"

#include "tests/support/TestSupport.h"
#include "QtTestSupport.h"

#include <gtest/gtest.h>

namespace {

class ToolTipTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QToolTip::setWakeUpDelay(20);
        QColorGroup g;
        g.setColor(QColorGroup::Background, QColor(222, 231, 254));
        g.setColor(QColorGroup::Foreground, QColor(0, 0, 0));
        QPalette p;
        p.setActive(g);
        p.setInactive(g);
        QToolTip::setPalette(p);
        m_widget.setGeometry(100, 100, 200, 100);
        m_widget.show();
        qttest::Pump();
    }
    void TearDown() override { QToolTip::hide(); }
    void MoveTo(int x, int y) { SendMessageW(m_widget.winId(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }

    QWidget m_widget;
};

TEST_F(ToolTipTest, FixedTipShowsAfterRestingInTheTipPaletteAndGoesWithAPress)
{
    QToolTip::add(&m_widget, QString(L"A helpful text"));
    EXPECT_EQ(nullptr, QToolTip::visibleTip());
    MoveTo(10, 10);
    EXPECT_EQ(nullptr, QToolTip::visibleTip());  // not at once
    ASSERT_TRUE(msgseq::PollFor([] { return QToolTip::visibleTip() != nullptr; }));
    QWidget* tip = QToolTip::visibleTip();
    EXPECT_TRUE(IsWindowVisible(tip->winId()));
    EXPECT_TRUE(GetWindowLongW(tip->winId(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_NE(tip->winId(), GetActiveWindow());  // never takes the activation
    DibSurface dib(tip->width(), tip->height());
    qttest::Render(tip, dib);
    EXPECT_EQ(RGB(0, 0, 0), dib.At(0, 0));  // border in the foreground colour
    EXPECT_EQ(RGB(222, 231, 254), dib.At(2, tip->height() - 2));
    EXPECT_GT(tip->width(), QFontMetrics(QToolTip::font()).width(QString(L"A helpful text")));

    SendMessageW(m_widget.winId(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    SendMessageW(m_widget.winId(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(nullptr, QToolTip::visibleTip());

    QToolTip::remove(&m_widget);
    MoveTo(20, 20);
    Sleep(60);
    qttest::Pump();
    EXPECT_EQ(nullptr, QToolTip::visibleTip());
}

TEST_F(ToolTipTest, TipForAPartShowsOnlyOverThatPart)
{
    QToolTip::add(&m_widget, QRect(0, 0, 50, 50), QString(L"corner"));
    MoveTo(150, 80);
    Sleep(60);
    qttest::Pump();
    EXPECT_EQ(nullptr, QToolTip::visibleTip());
    MoveTo(10, 10);
    EXPECT_TRUE(msgseq::PollFor([] { return QToolTip::visibleTip() != nullptr; }));
    QToolTip::remove(&m_widget);
}

class DynamicTip : public QToolTip {
public:
    explicit DynamicTip(QWidget* parent) : QToolTip(parent) {}
    QPoint m_asked{-1, -1};

protected:
    void maybeTip(const QPoint& pos) override
    {
        m_asked = pos;
        if (pos.x() > 100)
            tip(QRect(100, 0, 100, 100), QString(L"right half"));
    }
};

TEST_F(ToolTipTest, DynamicTipIsAskedAtTheMousePosition)
{
    DynamicTip dyn(&m_widget);
    MoveTo(30, 40);
    ASSERT_TRUE(msgseq::PollFor([&] { return dyn.m_asked.x() >= 0; }));
    EXPECT_EQ(QPoint(30, 40), dyn.m_asked);
    EXPECT_EQ(nullptr, QToolTip::visibleTip());  // no tip given there
    MoveTo(150, 40);
    EXPECT_TRUE(msgseq::PollFor([] { return QToolTip::visibleTip() != nullptr; }));
    // Leaving the widget hides it.
    SendMessageW(m_widget.winId(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(nullptr, QToolTip::visibleTip());
}

TEST_F(ToolTipTest, AWidgetThatGoesTakesItsTipsAlong)
{
    auto* w = new QWidget;
    QToolTip::add(w, QString(L"gone soon"));
    SendMessageW(w->winId(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    delete w;  // with the wake-up timer running
    Sleep(60);
    qttest::Pump();
    EXPECT_EQ(nullptr, QToolTip::visibleTip());
}

}  // namespace

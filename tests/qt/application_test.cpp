// The application object: posted events through its message-only window (inside any message loop,
// a modal dialog's included), timers, the active-window record, class palettes and fonts.
#include "platform/qt/QApplication.h"
#include "platform/qt/QEvent.h"
#include "platform/qt/QToolTip.h"
#include "platform/qt/QWidget.h"

#include "tests/support/TestSupport.h"
#include "QtTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

int g_liveEvents = 0;

class CountedEvent : public QCustomEvent {
public:
    explicit CountedEvent(int tag) : QCustomEvent(QEvent::User), m_nTag(tag) { ++g_liveEvents; }
    ~CountedEvent() override { --g_liveEvents; }
    int m_nTag;
};

class Collector : public QObject {
public:
    std::vector<int> m_tags;
    HWND m_hDialogToEnd = nullptr;
    int m_nRepost = 0;
    int m_nDepth = 0;
    int m_nMaxDepth = 0;
    std::vector<int> m_timers;

    bool event(QEvent* e) override
    {
        if (e->type() != QEvent::User)
            return QObject::event(e);
        ++m_nDepth;
        m_nMaxDepth = m_nDepth > m_nMaxDepth ? m_nDepth : m_nMaxDepth;
        m_tags.push_back(static_cast<CountedEvent*>(e)->m_nTag);
        if (m_hDialogToEnd)
            EndDialog(m_hDialogToEnd, 42);
        if (m_nRepost > 0) {
            --m_nRepost;
            QApplication::postEvent(this, new CountedEvent(100 + m_nRepost));
        }
        --m_nDepth;
        return true;
    }

protected:
    void timerEvent(QTimerEvent* e) override { m_timers.push_back(e->timerId()); }
};

TEST(ApplicationTest, PostedEventsArriveLaterInOrderThroughTheMessageQueue)
{
    ASSERT_NE(nullptr, qApp);
    ASSERT_NE(nullptr, qApp->internalWindow());
    // A message-only window: found among them, never on screen.
    EXPECT_EQ(qApp->internalWindow(), FindWindowExW(HWND_MESSAGE, nullptr, L"QtApplicationMessages", nullptr));
    Collector c;
    QApplication::postEvent(&c, new CountedEvent(1));
    QApplication::postEvent(&c, new CountedEvent(2));
    EXPECT_TRUE(c.m_tags.empty());  // nothing synchronous
    // Any plain loop delivers them.
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
    EXPECT_EQ((std::vector<int>{1, 2}), c.m_tags);
    EXPECT_EQ(0, g_liveEvents);
}

TEST(ApplicationTest, EventsPostedWhileDeliveringWaitForTheNextRound)
{
    Collector c;
    c.m_nRepost = 3;
    QApplication::postEvent(&c, new CountedEvent(1));
    qttest::Pump();
    EXPECT_EQ((std::vector<int>{1, 102, 101, 100}), c.m_tags);
    EXPECT_EQ(1, c.m_nMaxDepth);  // never delivered from inside a delivery
    EXPECT_EQ(0, g_liveEvents);
}

TEST(ApplicationTest, EventsOfADestroyedReceiverAreDroppedAndFreed)
{
    Collector keep;
    auto* gone = new Collector;
    QApplication::postEvent(gone, new CountedEvent(1));
    QApplication::postEvent(&keep, new CountedEvent(2));
    QApplication::postEvent(gone, new CountedEvent(3));
    delete gone;
    EXPECT_EQ(1, g_liveEvents);
    qttest::Pump();
    EXPECT_EQ(std::vector<int>{2}, keep.m_tags);
    EXPECT_EQ(0, g_liveEvents);
    // Nothing to deliver to: the event is freed, not kept.
    QApplication::postEvent(nullptr, new CountedEvent(4));
    EXPECT_EQ(0, g_liveEvents);
}

INT_PTR CALLBACK PostingDialogProc(HWND hDlg, UINT message, WPARAM, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* c = reinterpret_cast<Collector*>(lParam);
        c->m_hDialogToEnd = hDlg;
        QApplication::postEvent(c, new CountedEvent(7));
        return TRUE;
    }
    return FALSE;
}

TEST(ApplicationTest, PostedEventsArriveInsideAModalDialogsLoop)
{
    // An in-memory template: a plain dialog with no controls.
    struct {
        DLGTEMPLATE t;
        WORD menu, cls, title;
    } tmpl{};
    tmpl.t.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
    tmpl.t.cx = 100;
    tmpl.t.cy = 50;
    Collector c;
    const INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), &tmpl.t, nullptr, PostingDialogProc,
                                                   reinterpret_cast<LPARAM>(&c));
    EXPECT_EQ(42, result);  // the event ended the dialog from within its own loop
    EXPECT_EQ(std::vector<int>{7}, c.m_tags);
}

TEST(ApplicationTest, TimersFireUntilKilled)
{
    Collector c;
    const int id = c.startTimer(10);
    ASSERT_NE(0, id);
    EXPECT_TRUE(msgseq::PollFor([&] { return c.m_timers.size() >= 2; }));
    c.killTimer(id);
    qttest::Pump();
    const size_t n = c.m_timers.size();
    Sleep(50);
    qttest::Pump();
    EXPECT_EQ(n, c.m_timers.size());
    for (int t : c.m_timers)
        EXPECT_EQ(id, t);
    // A timer of a destroyed object never reaches it.
    auto* gone = new Collector;
    gone->startTimer(1);
    delete gone;
    Sleep(20);
    qttest::Pump();
}

TEST(ApplicationTest, ActiveWindowRecordIsClearedWhenItsWidgetGoes)
{
    auto* w = new QWidget;
    QApplication::setActiveWindowRecord(w);
    EXPECT_EQ(w, QApplication::activeWindow());
    EXPECT_TRUE(w->isActiveWindow());
    delete w;
    EXPECT_EQ(nullptr, QApplication::activeWindow());
}

TEST(ApplicationTest, ToolTipPaletteAndFontAreApplicationWideForTheTipAlone)
{
    const QPalette appPalette = QApplication::palette();
    QColorGroup g;
    g.setColor(QColorGroup::Background, QColor(222, 231, 254));
    g.setColor(QColorGroup::Foreground, QColor(0, 0, 0));
    QPalette tip;
    tip.setActive(g);
    tip.setInactive(g);
    QToolTip::setPalette(tip);
    QFont small(QString(L"Arial"), 6);
    QToolTip::setFont(small);
    EXPECT_EQ(tip, QToolTip::palette());
    EXPECT_EQ(small, QToolTip::font());
    QWidget plain;
    EXPECT_EQ(appPalette, plain.palette());
    EXPECT_NE(small, plain.font());
}

}  // namespace

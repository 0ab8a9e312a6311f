// Widgets as real windows: geometry and its record, state flags, the window property that leads
// back to the widget under another window procedure, painting that always validates, colour
// groups per state, mouse, key and drop events.
#include "platform/qt/QApplication.h"
#include "platform/qt/QFrame.h"
#include "platform/qt/QHeader.h"
#include "platform/qt/QPainter.h"
#include "platform/qt/QScrollView.h"
#include "platform/qt/QWidget.h"

#include "tests/support/TestSupport.h"
#include "QtTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using msgseq::Expected;
using msgseq::kLParam;
using msgseq::kWParam;

// Records its events in a log, with the event type as the message and x, y or key as parameters.
class Probe : public QWidget {
public:
    explicit Probe(QWidget* parent = nullptr, msgseq::Log* log = nullptr) : QWidget(parent, "probe"), m_pLog(log) {}
    msgseq::Log* m_pLog;
    int m_nPaints = 0;
    QRect m_lastPaint;
    bool m_bAcceptKeys = true;
    QStringList m_dropped;
    QPoint m_dropPos;

    using QWidget::clearWState;
    using QWidget::setWState;

protected:
    void Add(QEvent::Type t, WPARAM w = 0, LPARAM l = 0)
    {
        if (m_pLog)
            m_pLog->Add(name(), t, w, l);
    }
    void paintEvent(QPaintEvent* e) override
    {
        ++m_nPaints;
        m_lastPaint = e->rect();
    }
    void mousePressEvent(QMouseEvent* e) override { Add(QEvent::MouseButtonPress, e->button() | (e->state() << 16), e->x()); }
    void mouseReleaseEvent(QMouseEvent* e) override { Add(QEvent::MouseButtonRelease, e->button() | (e->state() << 16), e->x()); }
    void mouseDoubleClickEvent(QMouseEvent* e) override { Add(QEvent::MouseButtonDblClick, e->button() | (e->state() << 16), e->x()); }
    void mouseMoveEvent(QMouseEvent* e) override { Add(QEvent::MouseMove, e->state() << 16, e->x()); }
    void moveEvent(QMoveEvent* e) override { Add(QEvent::Move, static_cast<WPARAM>(e->pos().x()), e->oldPos().x()); }
    void resizeEvent(QResizeEvent* e) override { Add(QEvent::Resize, static_cast<WPARAM>(e->size().width()), e->oldSize().width()); }
    void keyPressEvent(QKeyEvent* e) override
    {
        Add(QEvent::KeyPress, static_cast<WPARAM>(e->key()), e->ascii());
        if (!m_bAcceptKeys)
            e->ignore();
    }
    void focusInEvent(QFocusEvent*) override { Add(QEvent::FocusIn); }
    void focusOutEvent(QFocusEvent*) override { Add(QEvent::FocusOut); }
    void dropEvent(QDropEvent* e) override
    {
        m_dropped = e->files();
        m_dropPos = e->pos();
        e->accept();
    }
};

RECT RectInParent(HWND hWnd)
{
    RECT r;
    GetWindowRect(hWnd, &r);
    MapWindowPoints(nullptr, GetParent(hWnd), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

TEST(WidgetTest, ChildGeometryIsTheWindowAndMovesReportOnce)
{
    msgseq::Log log;
    QWidget top;
    top.setGeometry(50, 50, 300, 200);
    Probe* child = new Probe(&top, &log);
    EXPECT_EQ(QWidget::find(child->winId()), child);
    EXPECT_EQ(top.winId(), GetParent(child->winId()));
    EXPECT_TRUE(GetWindowLongW(child->winId(), GWL_STYLE) & WS_CHILD);
    EXPECT_TRUE(GetClassLongW(child->winId(), GCL_STYLE) & CS_DBLCLKS);

    log.Clear();
    child->setGeometry(10, 20, 120, 40);
    const RECT r = RectInParent(child->winId());
    EXPECT_EQ(10, r.left);
    EXPECT_EQ(20, r.top);
    EXPECT_EQ(130, r.right);
    EXPECT_EQ(60, r.bottom);
    EXPECT_EQ(QRect(10, 20, 120, 40), child->geometry());
    // One move and one resize from the widget, none again from the window's own messages.
    EXPECT_TRUE(log.Matches({{"probe", QEvent::Move, kWParam | kLParam, 10, 0},
                             {"probe", QEvent::Resize, kWParam | kLParam, 120, 100}}));

    // Moved from outside: the record and the events follow the window.
    log.Clear();
    MoveWindow(child->winId(), 15, 20, 120, 40, TRUE);
    EXPECT_EQ(QRect(15, 20, 120, 40), child->geometry());
    EXPECT_TRUE(log.Matches({{"probe", QEvent::Move, kWParam | kLParam, 15, 10}}));

    // While a configuration is pending, the window's messages leave record and events alone.
    log.Clear();
    child->setWState(Qt::WState_ConfigPending);
    MoveWindow(child->winId(), 30, 30, 60, 60, TRUE);
    child->clearWState(Qt::WState_ConfigPending);
    EXPECT_EQ(QRect(15, 20, 120, 40), child->geometry());
    EXPECT_TRUE(log.Matches({}));

    // A top-level widget's geometry is its client area on the screen.
    POINT origin{0, 0};
    ClientToScreen(top.winId(), &origin);
    EXPECT_EQ(QPoint(origin.x, origin.y), top.pos());
    EXPECT_EQ(QSize(300, 200), top.size());
}

TEST(WidgetTest, ShowHideAndEnabledStateFlags)
{
    QWidget top;
    QWidget* early = new QWidget(&top);  // made while the parent is hidden: comes with it
    EXPECT_TRUE(top.isHidden());
    EXPECT_FALSE(early->isHidden());
    EXPECT_FALSE(early->isVisible());
    top.show();
    EXPECT_TRUE(top.isVisible());
    EXPECT_TRUE(early->isVisible());
    EXPECT_TRUE(IsWindowVisible(early->winId()));
    QWidget* late = new QWidget(&top);  // made while the parent is shown: waits for its own show()
    EXPECT_TRUE(late->isHidden());
    EXPECT_FALSE(IsWindowVisible(late->winId()));
    late->show();
    EXPECT_TRUE(late->isVisible());

    top.hide();
    EXPECT_FALSE(early->isVisible());
    EXPECT_FALSE(early->isHidden());
    early->hide();
    top.show();
    EXPECT_FALSE(early->isVisible());  // explicitly hidden stays hidden
    EXPECT_TRUE(late->isVisible());

    // Disabled parent: children count as disabled; an explicit disable outlives the parent's.
    late->setEnabled(false);
    top.setEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(top.winId()));
    EXPECT_FALSE(early->isEnabled());
    EXPECT_TRUE(early->testWState(Qt::WState_Disabled));
    EXPECT_FALSE(early->testWState(Qt::WState_ForceDisabled));
    top.setEnabled(true);
    EXPECT_TRUE(early->isEnabled());
    EXPECT_FALSE(late->isEnabled());
    EXPECT_TRUE(late->testWState(Qt::WState_ForceDisabled));

    // From outside: EnableWindow and ShowWindow keep the flags in step.
    EnableWindow(early->winId(), FALSE);
    EXPECT_FALSE(early->isEnabled());
    EnableWindow(early->winId(), TRUE);
    EXPECT_TRUE(early->isEnabled());
    ShowWindow(early->winId(), SW_SHOW);
    EXPECT_TRUE(early->isVisible());

    late->setMouseTracking(true);
    EXPECT_TRUE(late->hasMouseTracking());
    EXPECT_TRUE(late->testWState(Qt::WState_MouseTracking));
    late->setUpdatesEnabled(false);
    EXPECT_TRUE(late->testWState(Qt::WState_BlockUpdates));
}

LRESULT CALLBACK CountingProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto old = reinterpret_cast<WNDPROC>(GetPropW(hWnd, L"TestOldProc"));
    if (message == WM_LBUTTONDOWN)
        SetPropW(hWnd, L"TestSeen", reinterpret_cast<HANDLE>(1));
    return CallWindowProcW(old, hWnd, message, wParam, lParam);
}

TEST(WidgetTest, FoundThroughItsWindowPropertyUnderAnotherWindowProcedure)
{
    msgseq::Log log;
    Probe w(nullptr, &log);
    HWND h = w.winId();
    // Subclassing as MFC does it: another procedure in front, ours called for the rest.
    SetPropW(h, L"TestOldProc", reinterpret_cast<HANDLE>(GetWindowLongPtrW(h, GWLP_WNDPROC)));
    SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingProc));
    EXPECT_EQ(&w, QWidget::find(h));
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 6));
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(5, 6));
    EXPECT_TRUE(GetPropW(h, L"TestSeen"));
    EXPECT_TRUE(log.Matches({{"probe", QEvent::MouseButtonPress}, {"probe", QEvent::MouseButtonRelease}}));
    SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GetPropW(h, L"TestOldProc")));
    RemovePropW(h, L"TestOldProc");
    RemovePropW(h, L"TestSeen");
}

TEST(WidgetTest, WindowDestroyedFromOutsideLeavesASafeWidget)
{
    QWidget top;
    auto* child = new QWidget(&top);
    HWND h = top.winId();
    DestroyWindow(h);
    EXPECT_EQ(nullptr, top.winId());
    EXPECT_EQ(nullptr, child->winId());
    EXPECT_FALSE(top.testWState(Qt::WState_Created));
    EXPECT_EQ(nullptr, QWidget::find(h));
    top.repaint();
    top.update();
    top.setGeometry(0, 0, 10, 10);  // all harmless now; the destructor too
}

TEST(WidgetTest, PaintAlwaysValidatesAndRepaintIsImmediate)
{
    Probe w;
    w.setGeometry(100, 100, 80, 60);
    w.show();
    UpdateWindow(w.winId());
    qttest::Pump();
    const int base = w.m_nPaints;
    InvalidateRect(w.winId(), nullptr, FALSE);
    UpdateWindow(w.winId());
    EXPECT_EQ(base + 1, w.m_nPaints);
    RECT r;
    EXPECT_FALSE(GetUpdateRect(w.winId(), &r, FALSE));

    // Updates off: nothing painted, and still no endless WM_PAINT.
    w.setUpdatesEnabled(false);
    InvalidateRect(w.winId(), nullptr, FALSE);
    qttest::Pump();
    EXPECT_FALSE(GetUpdateRect(w.winId(), &r, FALSE));
    EXPECT_EQ(base + 1, w.m_nPaints);
    w.setUpdatesEnabled(true);
    qttest::Pump();

    const int before = w.m_nPaints;
    w.repaint(5, 5, 10, 10, false);
    EXPECT_EQ(before + 1, w.m_nPaints);  // at once, no message loop
    EXPECT_EQ(QRect(5, 5, 10, 10), w.m_lastPaint);
    w.update(0, 0, 20, 20);
    EXPECT_EQ(before + 1, w.m_nPaints);  // later
    EXPECT_TRUE(GetUpdateRect(w.winId(), &r, FALSE));
    qttest::Pump();
    EXPECT_EQ(before + 2, w.m_nPaints);
}

TEST(WidgetTest, BackgroundFollowsTheColourGroupOfTheState)
{
    QWidget w;
    w.setGeometry(0, 0, 20, 20);
    QPalette p;
    QColorGroup active, inactive, disabled;
    active.setColor(QColorGroup::Background, QColor(200, 0, 0));
    active.setColor(QColorGroup::Base, QColor(0, 0, 200));
    inactive.setColor(QColorGroup::Background, QColor(0, 200, 0));
    disabled.setColor(QColorGroup::Background, QColor(90, 90, 90));
    p.setActive(active);
    p.setInactive(inactive);
    p.setDisabled(disabled);
    w.setPalette(p);
    EXPECT_TRUE(w.ownPalette());
    DibSurface dib(20, 20);

    QApplication::setActiveWindowRecord(&w);
    qttest::Render(&w, dib);
    EXPECT_EQ(RGB(200, 0, 0), dib.At(10, 10));
    w.setBackgroundMode(QWidget::PaletteBase);
    qttest::Render(&w, dib);
    EXPECT_EQ(RGB(0, 0, 200), dib.At(10, 10));
    w.setBackgroundMode(QWidget::PaletteBackground);

    QApplication::setActiveWindowRecord(nullptr);
    qttest::Render(&w, dib);
    EXPECT_EQ(RGB(0, 200, 0), dib.At(10, 10));
    w.setEnabled(false);
    qttest::Render(&w, dib);
    EXPECT_EQ(RGB(90, 90, 90), dib.At(10, 10));

    // A child without its own palette takes its parent's; unsetting goes back to the application's.
    QWidget* child = new QWidget(&w);
    EXPECT_EQ(p, child->palette());
    w.unsetPalette();
    EXPECT_EQ(QApplication::palette(), child->palette());
}

TEST(WidgetTest, MouseEventsCarryButtonsStateAndGrabTheMouse)
{
    msgseq::Log log;
    Probe w(nullptr, &log);
    HWND h = w.winId();
    SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));  // no tracking, no button: not delivered
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 4));
    EXPECT_EQ(h, GetCapture());
    SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(7, 4));
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(7, 4));
    EXPECT_EQ(nullptr, GetCapture());
    SendMessageW(h, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(8, 4));
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(8, 4));
    w.setMouseTracking(true);
    SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(9, 9));
    // State is the one before the event: no button at the press, the left one at its release.
    const WPARAM left = Qt::LeftButton;
    EXPECT_TRUE(log.Matches({
        {"probe", QEvent::MouseButtonPress, kWParam | kLParam, left, 3},
        {"probe", QEvent::MouseMove, kWParam | kLParam, left << 16, 7},
        {"probe", QEvent::MouseButtonRelease, kWParam | kLParam, left | (left << 16), 7},
        {"probe", QEvent::MouseButtonDblClick, kWParam | kLParam, left, 8},
        {"probe", QEvent::MouseButtonRelease, kWParam, left | (left << 16)},
        {"probe", QEvent::MouseMove, kWParam | kLParam, 0, 9},
    }));
    ReleaseCapture();
}

TEST(WidgetTest, IgnoredKeysGoToTheParentWidget)
{
    msgseq::Log log;
    Probe parent(nullptr, &log);
    parent.setName("parent");
    auto* child = new Probe(&parent, &log);
    child->m_bAcceptKeys = false;
    SendMessageW(child->winId(), WM_KEYDOWN, VK_LEFT, 1);
    SendMessageW(child->winId(), WM_CHAR, 'q', 1);
    child->m_bAcceptKeys = true;
    SendMessageW(child->winId(), WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_TRUE(log.Matches({
        {"probe", QEvent::KeyPress, kWParam, Qt::Key_Left},
        {"parent", QEvent::KeyPress, kWParam, Qt::Key_Left},
        {"probe", QEvent::KeyPress, kWParam | kLParam, 'Q', 'q'},
        {"parent", QEvent::KeyPress, kWParam | kLParam, 'Q', 'q'},
        {"probe", QEvent::KeyPress, kWParam, Qt::Key_Return},
    }));
}

HGLOBAL MakeDrop(const std::wstring& names, DWORD pFiles, POINT pt)
{
    struct Header {
        DWORD pFiles;
        POINT pt;
        BOOL fNC;
        BOOL fWide;
    };
    const SIZE_T cb = sizeof(Header) + (names.size() + 1) * sizeof(wchar_t);
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, cb);
    auto* p = static_cast<BYTE*>(GlobalLock(h));
    auto* hdr = reinterpret_cast<Header*>(p);
    hdr->pFiles = pFiles;
    hdr->pt = pt;
    hdr->fWide = TRUE;
    memcpy(p + sizeof(Header), names.c_str(), names.size() * sizeof(wchar_t));
    GlobalUnlock(h);
    return h;
}

TEST(WidgetTest, DroppedFilesArriveAsADropEventAndBadRecordsAreSafe)
{
    Probe w;
    w.setAcceptDrops(true);
    EXPECT_TRUE(w.acceptDrops());
    EXPECT_TRUE(GetWindowLongW(w.winId(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    const std::wstring names(L"C:\\a.dvr\0C:\\b c.dvr\0", 21);
    SendMessageW(w.winId(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(names, 20, POINT{12, 34})), 0);
    ASSERT_EQ(2u, w.m_dropped.count());
    EXPECT_EQ(QString(L"C:\\a.dvr"), w.m_dropped[0]);
    EXPECT_EQ(QString(L"C:\\b c.dvr"), w.m_dropped[1]);
    EXPECT_EQ(QPoint(12, 34), w.m_dropPos);
    // A record whose names lie outside its block, and one without a terminator: nothing read past it.
    SendMessageW(w.winId(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(names, 0x7FFFFFF0, POINT{0, 0})), 0);
    EXPECT_EQ(0u, w.m_dropped.count());
    SendMessageW(w.winId(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(std::wstring(L"C:\\x"), 20, POINT{0, 0})), 0);
    ASSERT_EQ(1u, w.m_dropped.count());
    EXPECT_EQ(QString(L"C:\\x"), w.m_dropped[0]);
}

// Everything of this layer on screen at once, repainted again and again.
TEST(WidgetTest, GdiCountStaysFlatOverAThousandRepaints)
{
    QWidget top;
    top.setGeometry(20, 20, 400, 300);
    QFrame* frame = new QFrame(&top);
    frame->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    frame->setGeometry(5, 5, 100, 50);
    QHeader* header = new QHeader(&top);
    header->addLabel(QString(L"One"), 60);
    header->addLabel(QString(L"Two"), 60);
    header->setGeometry(5, 60, 200, 20);
    QScrollView* view = new QScrollView(&top);
    view->setGeometry(5, 90, 200, 150);
    view->resizeContents(1000, 1000);
    top.show();
    for (int i = 0; i < 10; ++i) {
        frame->repaint();
        header->repaint();
        view->repaintContents();
    }
    qttest::Pump();
    const DWORD before = qttest::GdiObjects();
    for (int i = 0; i < 1000; ++i) {
        frame->repaint();
        header->repaint(i % 2 == 0);
        view->repaintContents(i % 2 == 0);
        if (i % 10 == 0)
            view->setContentsPos(i % 50, i % 70);
    }
    qttest::Pump();
    EXPECT_EQ(before, qttest::GdiObjects());
}

}  // namespace

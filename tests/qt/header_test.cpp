// The header: sections and labels, clicks and resizes that emit their signals once each, in order.
#include "platform/qt/QHeader.h"

#include "tests/support/TestSupport.h"
#include "QtTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using msgseq::Expected;
using msgseq::kLParam;
using msgseq::kWParam;

constexpr UINT kClicked = WM_USER + 1, kPressed = WM_USER + 2, kReleased = WM_USER + 3, kSize = WM_USER + 4;

// Records the header's signals: wParam the section, lParam old * 1000 + new for size changes.
class Recorder : public QObject {
    Q_OBJECT
public:
    msgseq::Log m_log;
public slots:
    void clicked(int s) { m_log.Add("header", kClicked, static_cast<WPARAM>(s), 0); }
    void pressed(int s) { m_log.Add("header", kPressed, static_cast<WPARAM>(s), 0); }
    void released(int s) { m_log.Add("header", kReleased, static_cast<WPARAM>(s), 0); }
    void sizeChange(int s, int o, int n) { m_log.Add("header", kSize, static_cast<WPARAM>(s), o * 1000 + n); }
};

QMetaObject* Recorder::staticMetaObject()
{
    static const char* const slotTable[] = {"clicked(int)", "pressed(int)", "released(int)", "sizeChange(int,int,int)"};
    static QMetaObject meta("Recorder", QObject::staticMetaObject(), slotTable, 4, nullptr, 0);
    return &meta;
}
QMetaObject* Recorder::metaObject() const { return staticMetaObject(); }
const char* Recorder::className() const { return "Recorder"; }
void* Recorder::qt_cast(const char* n) { return n && !std::strcmp(n, "Recorder") ? this : QObject::qt_cast(n); }
bool Recorder::qt_invoke(int id, QUObject* o)
{
    switch (id - staticMetaObject()->slotOffset()) {
    case 0: clicked(qUArg<int>(o + 1)); return true;
    case 1: pressed(qUArg<int>(o + 1)); return true;
    case 2: released(qUArg<int>(o + 1)); return true;
    case 3: sizeChange(qUArg<int>(o + 1), qUArg<int>(o + 2), qUArg<int>(o + 3)); return true;
    default: return QObject::qt_invoke(id, o);
    }
}
bool Recorder::qt_emit(int id, QUObject* o) { return QObject::qt_emit(id, o); }

class HeaderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_header.setGeometry(30, 30, 400, 22);
        m_header.addLabel(QString(L"Name"), 100);
        m_header.addLabel(QString(L"Folder"), 120);
        m_header.addLabel(QString(L"Version"), 80);
        m_header.show();
        ASSERT_TRUE(QObject::connect(&m_header, SIGNAL(clicked(int)), &m_rec, SLOT(clicked(int))));
        ASSERT_TRUE(QObject::connect(&m_header, SIGNAL(pressed(int)), &m_rec, SLOT(pressed(int))));
        ASSERT_TRUE(QObject::connect(&m_header, SIGNAL(released(int)), &m_rec, SLOT(released(int))));
        ASSERT_TRUE(QObject::connect(&m_header, SIGNAL(sizeChange(int,int,int)), &m_rec, SLOT(sizeChange(int,int,int))));
    }
    void Mouse(UINT message, int x, WPARAM keys = 0)
    {
        SendMessageW(m_header.winId(), message, keys, MAKELPARAM(x, 10));
    }

    QHeader m_header;
    Recorder m_rec;
};

TEST_F(HeaderTest, SectionsLabelsAndPositions)
{
    EXPECT_EQ(3, m_header.count());
    EXPECT_EQ(100, m_header.sectionPos(1));
    EXPECT_EQ(300, m_header.headerWidth());
    EXPECT_EQ(0, m_header.sectionAt(99));
    EXPECT_EQ(1, m_header.sectionAt(100));
    EXPECT_EQ(-1, m_header.sectionAt(300));
    EXPECT_EQ(QRect(100, 0, 120, 22), m_header.sectionRect(1));
    m_header.setOffset(30);
    EXPECT_EQ(QRect(70, 0, 120, 22), m_header.sectionRect(1));
    m_header.setOffset(0);
    m_header.setLabel(2, QString(L"Ver."), 90);
    EXPECT_EQ(QString(L"Ver."), m_header.label(2));
    EXPECT_EQ(90, m_header.sectionSize(2));
    m_header.setSortIndicator(2, false);
    m_header.removeLabel(1);
    EXPECT_EQ(2, m_header.count());
    EXPECT_EQ(1, m_header.sortIndicatorSection());  // moved along with its section
    EXPECT_TRUE(m_header.label(5).isNull());
    const int auto_ = m_header.addLabel(QString(L"WWWWWWWW"));
    EXPECT_GT(m_header.sectionSize(auto_), m_header.fontMetrics().width(QString(L"WWWWWWWW")));
}

TEST_F(HeaderTest, ClickEmitsPressedReleasedClickedOnce)
{
    Mouse(WM_LBUTTONDOWN, 150, MK_LBUTTON);
    EXPECT_EQ(1, m_header.pressedSection());
    Mouse(WM_MOUSEMOVE, 160, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, 160);
    EXPECT_EQ(-1, m_header.pressedSection());
    // Pressed on one section, let go over another: no click.
    Mouse(WM_LBUTTONDOWN, 50, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, 250, MK_LBUTTON);
    EXPECT_EQ(-1, m_header.pressedSection());  // let up while the mouse is away
    Mouse(WM_LBUTTONUP, 250);
    EXPECT_TRUE(m_rec.m_log.Matches({{"header", kPressed, kWParam, 1},
                                     {"header", kReleased, kWParam, 1},
                                     {"header", kClicked, kWParam, 1},
                                     {"header", kPressed, kWParam, 0},
                                     {"header", kReleased, kWParam, 0}}));
    // Clicks switched off for one section: nothing from it.
    m_rec.m_log.Clear();
    m_header.setClickEnabled(false, 2);
    Mouse(WM_LBUTTONDOWN, 250, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, 250);
    EXPECT_TRUE(m_rec.m_log.Matches({}));
}

TEST_F(HeaderTest, DraggingAnEdgeResizesWithOneSignalPerChange)
{
    Mouse(WM_LBUTTONDOWN, 101, MK_LBUTTON);  // right edge of section 0
    EXPECT_EQ(-1, m_header.pressedSection());
    Mouse(WM_MOUSEMOVE, 121, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, 121, MK_LBUTTON);  // no change, no signal
    Mouse(WM_LBUTTONUP, 121);
    EXPECT_EQ(120, m_header.sectionSize(0));
    EXPECT_EQ(120, m_header.sectionPos(1));
    // Pulled past the left edge: zero, never negative.
    Mouse(WM_LBUTTONDOWN, 240, MK_LBUTTON);  // right edge of section 1 (120 + 120)
    Mouse(WM_MOUSEMOVE, 0, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, 0);
    EXPECT_EQ(0, m_header.sectionSize(1));
    EXPECT_TRUE(m_rec.m_log.Matches({{"header", kSize, kWParam | kLParam, 0, 100 * 1000 + 120},
                                     {"header", kSize, kWParam | kLParam, 1, 120 * 1000 + 0}}));
    // Resizing switched off: a press at the edge is a press on the section.
    m_rec.m_log.Clear();
    m_header.setResizeEnabled(false);
    Mouse(WM_LBUTTONDOWN, 119, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, 119);
    EXPECT_TRUE(m_rec.m_log.Matches({{"header", kPressed, kWParam, 0},
                                     {"header", kReleased, kWParam, 0},
                                     {"header", kClicked, kWParam, 0}}));
}

TEST_F(HeaderTest, APressedSectionIsDrawnSunken)
{
    QPalette p;
    QColorGroup g;
    g.setColor(QColorGroup::Button, QColor(120, 139, 169));
    g.setColor(QColorGroup::Light, QColor(255, 255, 255));
    g.setColor(QColorGroup::Shadow, QColor(0, 0, 0));
    g.setColor(QColorGroup::Dark, QColor(64, 64, 64));
    g.setColor(QColorGroup::Midlight, QColor(200, 200, 200));
    p.setActive(g);
    p.setInactive(g);
    m_header.setPalette(p);
    DibSurface dib(400, 22);
    qttest::Render(&m_header, dib);
    EXPECT_EQ(RGB(255, 255, 255), dib.At(100, 0));  // raised: light top-left edge
    EXPECT_EQ(RGB(0, 0, 0), dib.At(219, 21));       // shadow at the bottom right
    EXPECT_EQ(RGB(120, 139, 169), dib.At(104, 3));
    Mouse(WM_LBUTTONDOWN, 150, MK_LBUTTON);
    qttest::Render(&m_header, dib);
    EXPECT_EQ(RGB(0, 0, 0), dib.At(100, 0));  // sunken: shadow top-left
    EXPECT_EQ(RGB(255, 255, 255), dib.At(219, 21));
    EXPECT_EQ(RGB(255, 255, 255), dib.At(0, 0));  // the others stay raised
    Mouse(WM_LBUTTONUP, 150);
}

}  // namespace

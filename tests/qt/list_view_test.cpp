// The list view's model and painting: insertion order, sorting once per posted update through the
// virtual compare, taking and inserting, tree navigation, iterators that survive deletions, only the
// rows in view painted, pixels of the selection, GDI objects flat.
#include "platform/qt/QHeader.h"
#include "platform/qt/QListView.h"
#include "platform/qt/QPainter.h"

#include "ListViewRecorder.h"
#include "QtTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using qttest::ItemName;

// Counts compare calls and orders numerically through key, as the toolkit's items do.
int g_nCompares = 0;
int g_nPaintedCells = 0;

class NumberItem : public QListViewItem {
public:
    NumberItem(QListView* lv, QListViewItem* after, int n) : QListViewItem(lv, after)
    {
        setText(0, QString(std::to_wstring(n)));
        setText(1, QString(std::wstring(1, static_cast<wchar_t>(L'a' + n % 26))));
    }
    int compare(QListViewItem* other, int column, bool ascending) const override
    {
        ++g_nCompares;
        if (column == 0)
            return std::stoi(text(0).str()) - std::stoi(other->text(0).str());
        return QListViewItem::compare(other, column, ascending);
    }
    void paintCell(QPainter* p, const QColorGroup& cg, int column, int width, int alignment) override
    {
        ++g_nPaintedCells;
        QListViewItem::paintCell(p, cg, column, width, alignment);
    }
};

// Counts the scroll-bar layouts.
class CountingList : public QListView {
public:
    int m_nLayouts = 0;
    void updateScrollBars() override
    {
        ++m_nLayouts;
        QListView::updateScrollBars();
    }
};

std::vector<std::string> TopLevel(QListView& lv)
{
    std::vector<std::string> v;
    for (QListViewItem* i = lv.firstChild(); i; i = i->nextSibling())
        v.push_back(ItemName(i));
    return v;
}

std::vector<std::string> Rows(QListView& lv)
{
    std::vector<std::string> v;
    for (QListViewItem* i = lv.firstChild(); i; i = i->itemBelow())
        v.push_back(ItemName(i));
    return v;
}

class ListViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_list.setGeometry(40, 40, 300, 200);
        m_list.addColumn(QString(L"Name"), 120);
        m_list.addColumn(QString(L"Kind"), 80);
        m_list.show();
        qttest::Pump();
    }
    QListViewItem* Add(const wchar_t* text, QListViewItem* after = nullptr)
    {
        auto* i = new QListViewItem(&m_list, after);
        i->setText(0, QString(text));
        return i;
    }
    CountingList m_list;
};

TEST_F(ListViewTest, NewItemsGoFirstOrBehindTheGivenOneAndTheListKeepsThatOrderUnsorted)
{
    m_list.setSorting(-1);
    QListViewItem* a = Add(L"A");
    Add(L"B");                 // first: B A
    QListViewItem* c = Add(L"C", a);  // behind A: B A C
    Add(L"D", c);
    EXPECT_EQ((std::vector<std::string>{"B", "A", "C", "D"}), TopLevel(m_list));
    EXPECT_EQ(4, m_list.childCount());
    // An "after" from another level is no sibling: the item goes first.
    QListViewItem* child = new QListViewItem(a);
    child->setText(0, QString(L"a1"));
    QListViewItem* stray = new QListViewItem(&m_list, child);
    stray->setText(0, QString(L"S"));
    EXPECT_EQ("S", ItemName(m_list.firstChild()));
    EXPECT_EQ(nullptr, stray->parent());
    EXPECT_EQ(a, child->parent());
    EXPECT_EQ(1, child->depth());
    EXPECT_EQ(0, a->depth());
}

TEST_F(ListViewTest, SortingRunsOnceAtThePostedUpdateNotPerInsert)
{
    m_list.setSorting(0, true);
    qttest::Pump();
    const int layoutsBefore = m_list.m_nLayouts;
    g_nCompares = 0;
    QListViewItem* last = nullptr;
    for (int n = 500; n > 0; --n)
        last = new NumberItem(&m_list, last, n);
    EXPECT_EQ(0, g_nCompares) << "no sorting while items are inserted";
    EXPECT_EQ(layoutsBefore, m_list.m_nLayouts) << "no scroll-bar layout while items are inserted";
    qttest::Pump();
    EXPECT_GT(g_nCompares, 0);
    EXPECT_LT(g_nCompares, 500 * 12) << "one sort of 500 items, not one per insert";
    EXPECT_LE(m_list.m_nLayouts - layoutsBefore, 2);
    // Numeric order from the overridden compare: 1, 2, ..., not 1, 10, 100.
    QListViewItem* i = m_list.firstChild();
    for (int n = 1; n <= 5 && i; ++n, i = i->nextSibling())
        EXPECT_EQ(std::to_string(n), ItemName(i));
    EXPECT_EQ(500, m_list.childCount());
}

TEST_F(ListViewTest, HeaderClicksSortByTheSectionThenTurnTheDirection)
{
    m_list.setSorting(0, true);
    QListViewItem* last = nullptr;
    for (int n : {3, 1, 2})
        last = new NumberItem(&m_list, last, n);
    qttest::Pump();
    EXPECT_EQ((std::vector<std::string>{"1", "2", "3"}), TopLevel(m_list));
    // Column 1 holds b, c, d for 1, 2, 3: a click on its section sorts by it ascending ...
    HWND hHeader = m_list.header()->winId();
    const int x1 = m_list.header()->sectionPos(1) + 10;
    SendMessageW(hHeader, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x1, 5));
    SendMessageW(hHeader, WM_LBUTTONUP, 0, MAKELPARAM(x1, 5));
    EXPECT_EQ(1, m_list.sortColumn());
    EXPECT_EQ(Qt::Ascending, m_list.sortOrder());
    EXPECT_EQ((std::vector<std::string>{"1", "2", "3"}), TopLevel(m_list));
    // ... and a second click turns the direction.
    SendMessageW(hHeader, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x1, 5));
    SendMessageW(hHeader, WM_LBUTTONUP, 0, MAKELPARAM(x1, 5));
    EXPECT_EQ(Qt::Descending, m_list.sortOrder());
    EXPECT_EQ((std::vector<std::string>{"3", "2", "1"}), TopLevel(m_list));
    // Unsorted again: the order stays as it is.
    m_list.setSorting(-1);
    new NumberItem(&m_list, m_list.firstChild()->nextSibling()->nextSibling(), 9);
    EXPECT_EQ((std::vector<std::string>{"3", "2", "1", "9"}), TopLevel(m_list));
}

TEST_F(ListViewTest, ATextChangeInTheSortColumnReordersAtTheNextUpdate)
{
    m_list.setSorting(0, true);
    QListViewItem* b = Add(L"B");
    Add(L"A");
    Add(L"C");
    qttest::Pump();
    b->setText(0, QString(L"Z"));
    qttest::Pump();
    EXPECT_EQ((std::vector<std::string>{"A", "C", "Z"}), TopLevel(m_list));
}

TEST_F(ListViewTest, TakeAndInsertKeepTheItemAliveAndForgetItsSelection)
{
    m_list.setSorting(-1);
    QListViewItem* a = Add(L"A");
    QListViewItem* b = Add(L"B", a);
    QListViewItem* b1 = new QListViewItem(b);
    b1->setText(0, QString(L"b1"));
    m_list.setSelected(b, true);
    EXPECT_EQ(b, m_list.selectedItem());
    EXPECT_EQ(b, m_list.currentItem());
    m_list.takeItem(b);
    EXPECT_EQ(nullptr, m_list.selectedItem());
    EXPECT_EQ(nullptr, m_list.currentItem());
    EXPECT_EQ(nullptr, b->listView());
    EXPECT_EQ(1, m_list.childCount());
    EXPECT_EQ(b, b1->parent()) << "the children go with it";
    m_list.insertItem(b);
    EXPECT_EQ((std::vector<std::string>{"B", "A"}), TopLevel(m_list));
    EXPECT_EQ(&m_list, b1->listView());
    // An item cannot be inserted twice or into its own subtree.
    m_list.insertItem(b);
    b1->insertItem(b);
    EXPECT_EQ(2, m_list.childCount());
    EXPECT_EQ(1, b->childCount());
}

TEST_F(ListViewTest, TreeRowsFollowTheOpenStateAndMoveItemReorders)
{
    m_list.setSorting(-1);
    m_list.setRootIsDecorated(true);
    QListViewItem* a = Add(L"A");
    QListViewItem* b = Add(L"B", a);
    QListViewItem* c = Add(L"C", b);
    QListViewItem* a1 = new QListViewItem(a);
    a1->setText(0, QString(L"a1"));
    QListViewItem* a2 = new QListViewItem(a, a1);
    a2->setText(0, QString(L"a2"));
    EXPECT_EQ((std::vector<std::string>{"A", "B", "C"}), Rows(m_list));
    EXPECT_EQ(nullptr, a1->itemAbove()) << "a closed subtree has no rows";

    {
        qttest::ListRecorder rec(&m_list);
        a->setOpen(true);
        EXPECT_EQ((std::vector<std::string>{"expanded(A)"}), rec.m_log);
        a->setOpen(true);
        EXPECT_EQ(1u, rec.m_log.size()) << "opening an open item emits nothing";
    }
    EXPECT_EQ((std::vector<std::string>{"A", "a1", "a2", "B", "C"}), Rows(m_list));
    EXPECT_EQ(a2, b->itemAbove());
    EXPECT_EQ(b, a2->itemBelow());
    // moveItem: behind a sibling only.
    c->moveItem(a);
    EXPECT_EQ((std::vector<std::string>{"A", "C", "B"}), TopLevel(m_list));
    c->moveItem(a1);
    EXPECT_EQ((std::vector<std::string>{"A", "C", "B"}), TopLevel(m_list));
    a1->moveItem(a2);
    EXPECT_EQ((std::vector<std::string>{"A", "a2", "a1", "C", "B"}), Rows(m_list));
    // Closing the parent of the current item makes the parent current.
    m_list.setSelectionMode(QListView::Extended);
    m_list.setCurrentItem(a1);
    a->setOpen(false);
    EXPECT_EQ(a, m_list.currentItem());
    EXPECT_EQ(m_list.itemPos(b), 2 * a->height());
}

TEST_F(ListViewTest, IteratorsMoveOnWhenTheirItemIsDeletedOrTheListCleared)
{
    m_list.setSorting(-1);
    QListViewItem* a = Add(L"A");
    QListViewItem* b = Add(L"B", a);
    QListViewItem* b1 = new QListViewItem(b);
    b1->setText(0, QString(L"b1"));
    QListViewItem* c = Add(L"C", b);
    QListViewItemIterator all(&m_list);
    std::vector<std::string> seen;
    for (QListViewItemIterator it(&m_list); it.current(); ++it)
        seen.push_back(ItemName(it.current()));
    EXPECT_EQ((std::vector<std::string>{"A", "B", "b1", "C"}), seen);
    QListViewItemIterator onB1(b1);
    QListViewItemIterator onB(b);
    delete b;  // b1 goes with it
    EXPECT_EQ(c, onB1.current());
    EXPECT_EQ(c, onB.current());
    m_list.setSelected(c, true);
    QListViewItemIterator selected(&m_list, QListViewItemIterator::Selected);
    EXPECT_EQ(c, selected.current());
    ++selected;
    EXPECT_EQ(nullptr, selected.current());
    --onB;
    EXPECT_EQ(a, onB.current());
    m_list.clear();
    EXPECT_EQ(nullptr, all.current());
    EXPECT_EQ(nullptr, onB.current());
    EXPECT_EQ(0, m_list.childCount());
    EXPECT_EQ(nullptr, m_list.currentItem());
}

TEST_F(ListViewTest, RemovingAColumnMovesTheLaterTextsDown)
{
    QListViewItem* a = Add(L"A");
    a->setText(1, QString(L"one"));
    a->setText(2, QString(L"two"));
    m_list.addColumn(QString(L"Third"), 50);
    m_list.removeColumn(1);
    EXPECT_EQ(2, m_list.columns());
    EXPECT_EQ("two", a->text(1).utf8());
    EXPECT_EQ("Third", m_list.columnText(1).utf8());
    m_list.setColumnAlignment(1, Qt::AlignRight);
    EXPECT_EQ(Qt::AlignRight, m_list.columnAlignment(1));
    EXPECT_EQ(Qt::AlignAuto, m_list.columnAlignment(7));
}

TEST(ListViewHeaderTest, AHiddenHeaderLeavesNoRoomEvenWhenHiddenBeforeTheListIsShown)
{
    QListView lv;
    lv.setGeometry(20, 20, 240, 120);
    lv.addColumn(QString(L"Only"), -1);
    lv.header()->hide();
    lv.show();
    qttest::Pump();
    EXPECT_EQ(lv.frameWidth(), lv.viewport()->y());
    EXPECT_EQ(lv.height() - 2 * lv.frameWidth(), lv.viewport()->height());
    lv.header()->show();
    qttest::Pump();
    EXPECT_EQ(lv.frameWidth() + lv.header()->height(), lv.viewport()->y());
    EXPECT_GT(lv.header()->height(), 0);
    // A width of -1 follows the widest text.
    QListViewItem* i = new QListViewItem(&lv, QString(L"A text wider than the label of its column"));
    qttest::Pump();
    EXPECT_GE(lv.columnWidth(0), QFontMetrics(lv.font()).width(i->text(0)));
}

// ---- Painting --------------------------------------------------------------------------------------------

class ListPaintTest : public ListViewTest {
protected:
    void SetUp() override
    {
        ListViewTest::SetUp();
        QColorGroup g = m_list.palette().active();
        g.setColor(QColorGroup::Base, QColor(255, 255, 255));
        g.setColor(QColorGroup::Text, QColor(0, 0, 0));
        g.setColor(QColorGroup::Highlight, QColor(0, 0, 200));
        g.setColor(QColorGroup::HighlightedText, QColor(255, 255, 255));
        m_list.setPalette(QPalette(g, g, g));
        QApplication::setActiveWindowRecord(&m_list);
    }
};

TEST_F(ListPaintTest, OnlyTheRowsInViewArePaintedFromTenThousand)
{
    m_list.setSorting(-1);
    QListViewItem* last = nullptr;
    for (int n = 0; n < 10000; ++n)
        last = new NumberItem(&m_list, last, n);
    qttest::Pump();
    const int rowH = m_list.firstChild()->height();
    ASSERT_GT(rowH, 0);
    DibSurface dib(m_list.viewport()->width(), m_list.viewport()->height(), RGB(1, 2, 3));
    g_nPaintedCells = 0;
    qttest::Render(m_list.viewport(), dib);
    const int rowsInView = m_list.visibleHeight() / rowH + 1;
    EXPECT_GT(g_nPaintedCells, 0);
    EXPECT_LE(g_nPaintedCells, 2 * rowsInView) << "two columns of the rows in view, nothing more";
    // Scrolled to the end: the same small number, and the last item is there.
    m_list.ensureItemVisible(last);
    g_nPaintedCells = 0;
    qttest::Render(m_list.viewport(), dib);
    EXPECT_LE(g_nPaintedCells, 2 * rowsInView);
    const QRect r = m_list.itemRect(last);
    EXPECT_GE(r.y(), 0);
    EXPECT_LE(r.y() + r.height(), m_list.visibleHeight());
    EXPECT_EQ(last, m_list.itemAt(QPoint(5, r.y() + 1)));
}

TEST_F(ListPaintTest, SelectionHighlightsColumnZeroOrTheWholeRowAndEmptySpaceIsBase)
{
    m_list.setSorting(-1);
    QListViewItem* a = Add(L"");
    QListViewItem* b = Add(L"", a);
    b->setText(1, QString(L""));
    m_list.setSelected(b, true);
    qttest::Pump();
    DibSurface dib(m_list.viewport()->width(), m_list.viewport()->height(), RGB(1, 2, 3));
    qttest::Render(m_list.viewport(), dib);
    const QRect ra = m_list.itemRect(a), rb = m_list.itemRect(b);
    EXPECT_EQ(RGB(255, 255, 255), dib.At(60, ra.y() + ra.height() / 2));
    EXPECT_EQ(RGB(0, 0, 200), dib.At(60, rb.y() + rb.height() / 2)) << "selected row, column 0";
    EXPECT_EQ(RGB(255, 255, 255), dib.At(160, rb.y() + rb.height() / 2)) << "column 1 not highlighted";
    EXPECT_EQ(RGB(255, 255, 255), dib.At(60, rb.y() + rb.height() + 30)) << "below the rows";
    EXPECT_EQ(RGB(255, 255, 255), dib.At(250, ra.y() + 2)) << "right of the columns";
    m_list.setAllColumnsShowFocus(true);
    qttest::Render(m_list.viewport(), dib);
    EXPECT_EQ(RGB(0, 0, 200), dib.At(160, rb.y() + rb.height() / 2)) << "the whole row";
}

TEST_F(ListPaintTest, ACutTextEndsInAnEllipsisInsideItsCell)
{
    m_list.setSorting(-1);
    QListViewItem* a = Add(L"WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW");
    a->setText(1, QString(L""));
    qttest::Pump();
    DibSurface dib(m_list.viewport()->width(), m_list.viewport()->height(), RGB(1, 2, 3));
    qttest::Render(m_list.viewport(), dib);
    const QRect r = m_list.itemRect(a);
    // Nothing of column 0's text spills into column 1.
    for (int x = 121; x < 200; ++x) {
        for (int y = r.y(); y < r.y() + r.height(); ++y)
            ASSERT_EQ(RGB(255, 255, 255), dib.At(x, y)) << x << "," << y;
    }
    int dark = 0;
    for (int x = 0; x < 120; ++x)
        for (int y = r.y(); y < r.y() + r.height(); ++y)
            dark += dib.At(x, y) != RGB(255, 255, 255) ? 1 : 0;
    EXPECT_GT(dark, 0);
}

TEST_F(ListPaintTest, CellTextSitsInsideItsRowAroundTheMiddle)
{
    m_list.setSorting(-1);
    QListViewItem* a = Add(L"Hxy");
    QListViewItem* b = Add(L"Hxy", a);
    qttest::Pump();
    DibSurface dib(m_list.viewport()->width(), m_list.viewport()->height(), RGB(1, 2, 3));
    qttest::Render(m_list.viewport(), dib);
    const QRect r = m_list.itemRect(b);
    // The ink of the second row's first cell, searched over the first two rows.
    const RECT rcSearch{0, 0, 100, r.y() + r.height()};
    const RECT rcFirst{0, 0, 100, r.y()};
    const RECT inkFirst = dib.InkBounds(rcFirst, RGB(255, 255, 255));
    const RECT inkBoth = dib.InkBounds(rcSearch, RGB(255, 255, 255));
    ASSERT_LT(inkFirst.top, inkFirst.bottom) << "the first row shows its text";
    EXPECT_GT(inkFirst.bottom, r.y() / 2) << "text reaches below the first row's middle";
    EXPECT_GT(inkBoth.bottom, r.y() + r.height() / 2) << "the second row's text reaches below its middle";
}

TEST_F(ListPaintTest, GdiObjectsStayFlatOverRepaintsScrollsAndClears)
{
    m_list.setSorting(0);
    QListViewItem* last = nullptr;
    for (int n = 0; n < 2000; ++n)
        last = new NumberItem(&m_list, last, n);
    qttest::Pump();
    DibSurface dib(m_list.viewport()->width(), m_list.viewport()->height());
    qttest::Render(m_list.viewport(), dib);
    m_list.viewport()->repaint(false);
    const DWORD before = qttest::GdiObjects();
    for (int k = 0; k < 60; ++k) {
        m_list.scrollBy(0, 7);
        m_list.viewport()->repaint(false);
        qttest::Render(m_list.viewport(), dib);
    }
    m_list.setSorting(1);
    qttest::Pump();
    m_list.viewport()->repaint(false);
    EXPECT_EQ(before, qttest::GdiObjects());
}

}  // namespace

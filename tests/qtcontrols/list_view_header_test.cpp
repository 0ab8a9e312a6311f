// The list view's header on real windows: sorting by mouse clicks on its sections (each column
// ascending, then descending), QLM_HEADERCLICKED for every click whether it sorts or not, the
// header's colours and font on pixels, the header cell above the vertical scroll bar, label
// alignment and indentation, and resizing a section with the mouse.
#include "ViewTestFixture.h"

#include "platform/mfc/CGdiObject.h"
#include "toolkit/qtcontrols/QtConversions.h"
#include "support/DibSurface.h"
#include "tests/qt/QtTestSupport.h"

using msgseq::kLParam;
using msgseq::kWParam;

namespace {

// Each column orders the rows differently.
class HeaderTest : public viewtest::ViewTest {
protected:
    void SetUp() override
    {
        viewtest::ViewTest::SetUp();
        if (HasFatalFailure())
            return;
        m_view->AddColumn(L"Name", 90);
        m_view->AddColumn(L"Size", 70);
        m_view->AddColumn(L"Kind", 70);
        FillView({{L"Beta", L"3", L"x"}, {L"Alpha", L"1", L"z"}, {L"Delta", L"4", L"y"}, {L"Gamma", L"2", L"w"}});
    }
    using Order = std::vector<std::wstring>;
    const Order kByName{L"Alpha", L"Beta", L"Delta", L"Gamma"};
    const Order kBySize{L"Alpha", L"Gamma", L"Beta", L"Delta"};
    const Order kByKind{L"Gamma", L"Beta", L"Delta", L"Alpha"};
    const Order kInserted{L"Beta", L"Alpha", L"Delta", L"Gamma"};
    static Order Reversed(Order order)
    {
        std::reverse(order.begin(), order.end());
        return order;
    }
    // The one message a header click sends.
    ::testing::AssertionResult NotifiedOnce(int nSection)
    {
        return m_dlg->log().Matches({{"dlg", QLM_HEADERCLICKED, kWParam | kLParam, IDC_VIEW_LIST, nSection}});
    }
};

// A font of the given cell height, deleted with the object.
struct TestFont {
    explicit TestFont(int nHeight, int nWeight = FW_NORMAL)
    {
        LOGFONTW lf{};
        lf.lfHeight = nHeight;
        lf.lfWeight = nWeight;
        wcscpy_s(lf.lfFaceName, L"Tahoma");
        font.CreateFontIndirect(&lf);
    }
    CFont font;
};

}  // namespace

TEST_F(HeaderTest, EachSortableColumnSortsAscendingThenDescendingAndEveryClickNotifies)
{
    m_view->EnableColumnSorting(TRUE, 0);
    std::vector<int> sortable{0, 1, 2};
    m_view->SetSortableColumns(sortable);
    EXPECT_EQ((std::vector<int>{0}), sortable) << "the caller gets the old list back";
    EXPECT_TRUE(m_view->IsSortingEnabled());
    EXPECT_EQ(kByName, ViewOrder());

    struct Step {
        int section;
        const Order order;
        int sortColumn;
        Qt::SortOrder direction;
    };
    const Step steps[] = {
        {1, kBySize, 1, Qt::Ascending},
        {1, Reversed(kBySize), 1, Qt::Descending},
        {2, kByKind, 2, Qt::Ascending},
        {2, Reversed(kByKind), 2, Qt::Descending},
        {0, kByName, 0, Qt::Ascending},
        {0, Reversed(kByName), 0, Qt::Descending},
        {0, kByName, 0, Qt::Ascending},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(::testing::Message() << "click on section " << step.section);
        m_dlg->log().Clear();
        ClickSection(step.section);
        EXPECT_TRUE(NotifiedOnce(step.section));
        EXPECT_EQ(step.order, ViewOrder());
        EXPECT_EQ(step.sortColumn, m_view->sortColumn());
        EXPECT_EQ(step.direction, m_view->sortOrder());
    }
}

TEST_F(HeaderTest, ASectionThatIsNotSortableOnlyNotifies)
{
    m_view->EnableColumnSorting(TRUE, 0);
    std::vector<int> sortable{0, 1, 2};
    m_view->SetSortableColumns(sortable);
    ClickSection(1);
    ASSERT_EQ(kBySize, ViewOrder());
    std::vector<int> only{0};
    m_view->SetSortableColumns(only);
    EXPECT_EQ((std::vector<int>{0, 1, 2}), only);

    for (int section : {1, 2, 1}) {
        m_dlg->log().Clear();
        ClickSection(section);
        EXPECT_TRUE(NotifiedOnce(section));
        EXPECT_EQ(kBySize, ViewOrder()) << "still sorted by column 1, ascending";
        EXPECT_EQ(1, m_view->sortColumn());
    }
    m_dlg->log().Clear();
    ClickSection(0);
    EXPECT_TRUE(NotifiedOnce(0));
    EXPECT_EQ(kByName, ViewOrder());

    // EnableColumnSorting makes its column the only sortable one.
    m_view->EnableColumnSorting(TRUE, 2);
    EXPECT_EQ((std::vector<int>{2}), m_view->GetSortableColumns());
    EXPECT_EQ(kByKind, ViewOrder());
    // A column the list does not have leaves the sortable sections as they were.
    m_view->EnableColumnSorting(TRUE, 7);
    EXPECT_EQ((std::vector<int>{2}), m_view->GetSortableColumns());
    EXPECT_TRUE(m_view->IsSortingEnabled());
}

TEST_F(HeaderTest, WithSortingOffAClickOnlyNotifies)
{
    // Never switched on.
    for (int section : {0, 2}) {
        m_dlg->log().Clear();
        ClickSection(section);
        EXPECT_TRUE(NotifiedOnce(section));
        EXPECT_EQ(kInserted, ViewOrder());
        EXPECT_EQ(-1, m_view->sortColumn());
    }
    // Switched on, then off again: unsorted, whatever column is named.
    m_view->EnableColumnSorting(TRUE, 1);
    std::vector<int> all{0, 1, 2};
    m_view->SetSortableColumns(all);
    ASSERT_EQ(kBySize, ViewOrder());
    m_view->EnableColumnSorting(FALSE, 2);
    EXPECT_FALSE(m_view->IsSortingEnabled());
    EXPECT_EQ(-1, m_view->sortColumn());
    const Order unsorted = ViewOrder();
    m_dlg->log().Clear();
    ClickSection(2);
    EXPECT_TRUE(NotifiedOnce(2));
    EXPECT_EQ(-1, m_view->sortColumn());
    EXPECT_EQ(unsorted, ViewOrder()) << "the click sorted nothing";
}

TEST_F(HeaderTest, TheClickGoesToTheParentNotTheOwner)
{
    m_view->EnableColumnSorting(TRUE, 0);
    hosttest::TestDialog other(IDD_VIEW_FORM, false);
    m_view->SetOwnerWindow(other.wnd());
    m_dlg->log().Clear();
    ClickSection(1);
    EXPECT_TRUE(NotifiedOnce(1));
    EXPECT_TRUE(other.log().Entries().empty());
    m_view->SetOwnerWindow(nullptr);
}

TEST_F(HeaderTest, TheHeaderPaintsInItsOwnColoursAndFont)
{
    const COLORREF clrButton = RGB(146, 170, 232);
    const COLORREF clrFrame = m_view->GetColor(CVellQTControl::kClrMidlight);
    m_view->SetHeaderColors(clrButton, RGB(0, 0, 0));
    EXPECT_EQ(clrButton, m_view->GetHeaderButtonColor());
    const QColorGroup& active = m_view->HeaderPalette().active();
    EXPECT_EQ(QColor(146, 170, 232), active.button());
    EXPECT_EQ(QColor(0, 0, 0), active.base());
    EXPECT_EQ(ColorRefToQColor(m_view->GetColor(1)), active.text());
    EXPECT_EQ(ColorRefToQColor(clrFrame), active.shadow());
    EXPECT_EQ(m_view->HeaderPalette().active(), m_view->header()->palette().active());

    QHeader* pHeader = m_view->header();
    const int nSmallHeight = pHeader->height();
    auto render = [&](DibSurface& dib) { qttest::Render(pHeader, dib); };
    {
        DibSurface dib(pHeader->width(), pHeader->height(), RGB(1, 2, 3));
        render(dib);
        const QRect r = pHeader->sectionRect(1);
        const int xMid = r.x() + r.width() - 6;
        EXPECT_EQ(clrButton, dib.At(xMid, pHeader->height() / 2)) << "section fill: the Button colour";
        EXPECT_EQ(clrButton, dib.At(xMid, 2));
        EXPECT_EQ(clrFrame, dib.At(xMid, 0)) << "the frame in entry 7";
        EXPECT_EQ(clrFrame, dib.At(xMid, 1));
        EXPECT_EQ(clrFrame, dib.At(xMid, pHeader->height() - 1));
        EXPECT_EQ(clrFrame, dib.At(r.x(), pHeader->height() / 2)) << "left edge of a section";
    }
    {
        // The tree painted last, so Qt counts it as the active window: the header looks the same.
        SendMessageW(m_tree->hwnd(), WM_PAINT, 0, 0);
        ASSERT_FALSE(pHeader->isActiveWindow());
        DibSurface dib(pHeader->width(), pHeader->height(), RGB(1, 2, 3));
        render(dib);
        const QRect r = pHeader->sectionRect(1);
        EXPECT_EQ(clrButton, dib.At(r.x() + r.width() - 6, 2)) << "inactive for Qt, styled all the same";
        EXPECT_EQ(clrFrame, dib.At(r.x() + r.width() - 6, 0));
    }

    // A larger header font: the header grows, its labels with it, the rows start lower.
    TestFont big(-24, FW_BOLD);
    m_view->SetHeaderFont(&big.font);
    msgseq::PumpMessages();
    EXPECT_EQ(12, pHeader->font().pointSize()) << "a negative cell height is taken as 12 points";
    EXPECT_TRUE(pHeader->font().bold());
    TestFont tall(30);
    m_view->SetHeaderFont(&tall.font);
    msgseq::PumpMessages();
    EXPECT_EQ(30, pHeader->font().pointSize());
    EXPECT_GT(pHeader->height(), nSmallHeight);
    EXPECT_EQ(pHeader->y() + pHeader->height(), m_view->viewport()->y()) << "the viewport starts below the header";
    EXPECT_NE(pHeader->font().pointSize(), m_view->font().pointSize()) << "the list keeps its own font";
    DibSurface dib(pHeader->width(), pHeader->height(), RGB(1, 2, 3));
    render(dib);
    const QRect r0 = pHeader->sectionRect(0);
    const RECT label{r0.x() + 3, 3, r0.x() + r0.width() - 3, pHeader->height() - 3};
    const RECT ink = dib.InkBounds(label, clrButton);
    EXPECT_GE(ink.bottom - ink.top, 12) << "the label is drawn in the header font";

    // A later change of the list's own font keeps the header font.
    m_view->SetFontSize(8, 400);
    EXPECT_EQ(30, pHeader->font().pointSize());
    m_view->SetHeaderFont(nullptr);  // nothing to copy
    EXPECT_EQ(30, pHeader->font().pointSize());
}

TEST_F(HeaderTest, TheDisabledHeaderTakesTheDisabledEntries)
{
    m_view->SetDisabledBackColor(RGB(100, 110, 120));
    m_view->SetEnabled(FALSE);
    const QColorGroup& disabled = m_view->HeaderPalette().disabled();
    EXPECT_EQ(QColor(100, 110, 120), disabled.background());
    EXPECT_EQ(QColor(100, 110, 120), disabled.midlight());
    EXPECT_EQ(ColorRefToQColor(m_view->GetColor(15)), disabled.foreground());
    EXPECT_EQ(ColorRefToQColor(m_view->GetColor(16)), disabled.light());
    EXPECT_EQ(QColor(120, 139, 169), disabled.button()) << "the header colours stay";
    EXPECT_FALSE(m_view->header()->isEnabled());
    m_view->SetEnabled(TRUE);
    EXPECT_EQ(ColorRefToQColor(m_view->GetColor(0)), m_view->HeaderPalette().active().background());
}

TEST_F(HeaderTest, TheHeaderCellAboveTheScrollBar)
{
    std::vector<std::vector<const wchar_t*>> many(40, {L"row", L"1", L"a"});
    FillView(many);
    m_view->SetHeaderColors(RGB(146, 170, 232), RGB(0, 0, 0));
    InvalidateRect(m_view->hwnd(), nullptr, TRUE);
    UpdateWindow(m_view->hwnd());
    QScrollBar* pBar = m_view->verticalScrollBar();
    QHeader* pHeader = m_view->header();
    ASSERT_TRUE(pBar->isVisible());
    EXPECT_EQ(pHeader->y() + pHeader->height(), pBar->y()) << "the bar starts below the header";
    EXPECT_EQ(m_view->viewport()->y() + m_view->viewport()->height(), pBar->y() + pBar->height());
    EXPECT_EQ(pHeader->x() + pHeader->width(), pBar->x()) << "the header ends where the bar begins";

    auto cellPixels = [&](COLORREF clrButton) {
        HDC hdc = GetDC(m_view->hwnd());
        const int x = pBar->x() + pBar->width() / 2;
        const int y = pHeader->y();
        const int h = pHeader->height();
        EXPECT_EQ(m_view->GetColor(7), GetPixel(hdc, x, y)) << "top rim";
        EXPECT_EQ(m_view->GetColor(7), GetPixel(hdc, x, y + 1));
        EXPECT_EQ(clrButton, GetPixel(hdc, x, y + 2));
        EXPECT_EQ(clrButton, GetPixel(hdc, pBar->x(), y + h / 2)) << "middle";
        EXPECT_EQ(clrButton, GetPixel(hdc, pBar->x() + pBar->width() - 1, y + h - 3));
        EXPECT_EQ(m_view->GetColor(7), GetPixel(hdc, x, y + h - 2)) << "bottom rim";
        EXPECT_EQ(m_view->GetColor(7), GetPixel(hdc, x, y + h - 1));
        ReleaseDC(m_view->hwnd(), hdc);
    };
    cellPixels(RGB(146, 170, 232));

    // New colours reach the cell with the next paint.
    m_view->SetHeaderColors(RGB(200, 40, 40), RGB(255, 255, 255));
    InvalidateRect(m_view->hwnd(), nullptr, FALSE);
    UpdateWindow(m_view->hwnd());
    cellPixels(RGB(200, 40, 40));
    EXPECT_FALSE(GetUpdateRect(m_view->hwnd(), nullptr, FALSE)) << "the paint validated";

    // Without rows there is no bar, and the header takes the whole width.
    m_view->Clear();
    m_view->updateNow();
    msgseq::PumpMessages();
    EXPECT_FALSE(pBar->isVisible());
    EXPECT_EQ(m_view->viewport()->width(), pHeader->width());
}

TEST_F(HeaderTest, LabelsAreAlignedAndIndentedWithSpaces)
{
    const QFontMetrics fm(m_view->font());
    const int nAvailable = m_view->header()->sectionSize(0) - fm.width(QString(L"W"));
    auto label = [&](int c) { return m_view->header()->label(c); };

    m_view->AlignColumnLabel(CVellListView::kLabelRight, 0);
    QString right = label(0);
    EXPECT_GE(fm.width(right), nAvailable);
    EXPECT_EQ(QString(L"Name"), right.stripWhiteSpace());
    EXPECT_EQ(L' ', right.str().front());
    EXPECT_NE(L' ', right.str().back());
    // Fewer spaces would not reach: the last one added was needed.
    EXPECT_LT(fm.width(right.mid(1)), nAvailable);

    m_view->AlignColumnLabel(CVellListView::kLabelLeft, 0);
    const std::wstring left = label(0).str();
    EXPECT_EQ(0u, left.find(L"Name")) << "the old padding went first";
    EXPECT_EQ(L' ', left.back());
    EXPECT_GE(fm.width(label(0) + QString(L" ")), nAvailable);

    m_view->AlignColumnLabel(CVellListView::kLabelCenter, 0);
    const std::wstring centre = label(0).str();
    EXPECT_EQ(L' ', centre.front());
    EXPECT_EQ(L' ', centre.back());
    EXPECT_EQ(centre.find_first_not_of(L' '), centre.size() - 1 - centre.find_last_not_of(L' '));

    m_view->AlignColumnLabel(9, 0);
    EXPECT_EQ(QString(L"Name"), label(0)) << "an unknown mode strips and adds nothing";

    // A section too narrow for its label: nothing added.
    m_view->SetColumnWidth(2, 10);
    m_view->AlignColumnLabel(CVellListView::kLabelRight, 2);
    EXPECT_EQ(QString(L"Kind"), label(2));

    // Indentation adds up over calls.
    QString spaces;
    const int n = m_view->PadWithSpaces(9, spaces);
    const int nRedraws = m_view->m_nRedraws;
    m_view->IndentColumnLabel(9, 1);
    m_view->IndentColumnLabel(9, 1);
    EXPECT_EQ(std::wstring(static_cast<size_t>(2 * n), L' ') + L"Size", label(1).str());
    EXPECT_EQ(nRedraws + 2, m_view->m_nRedraws);
}

TEST_F(HeaderTest, DraggingASectionEdgeResizesTheColumnAndRepaints)
{
    std::vector<std::vector<const wchar_t*>> many(30, {L"row", L"1", L"a"});
    FillView(many);
    QHeader* pHeader = m_view->header();
    QScrollBar* pBar = m_view->verticalScrollBar();
    ASSERT_TRUE(pBar->isVisible());
    // Something else drew over the header cell above the bar; nothing asks for a paint.
    HDC hdc = GetDC(m_view->hwnd());
    RECT cell{pBar->x(), pHeader->y(), pBar->x() + pBar->width(), pHeader->y() + pHeader->height()};
    FillRect(hdc, &cell, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    ReleaseDC(m_view->hwnd(), hdc);
    ValidateRect(m_view->hwnd(), nullptr);
    HWND hHeader = pHeader->winId();
    m_dlg->log().Clear();
    const int nEdge = pHeader->sectionPos(1) + pHeader->sectionSize(1);
    const int y = pHeader->height() / 2;
    SendMessageW(hHeader, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(nEdge, y));
    SendMessageW(hHeader, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(nEdge + 30, y));
    SendMessageW(hHeader, WM_LBUTTONUP, 0, MAKELPARAM(nEdge + 30, y));
    hosttest::PumpDialog(m_dlg->hwnd());
    EXPECT_EQ(100, m_view->columnWidth(1));
    EXPECT_EQ(70, m_view->columnWidth(2));
    EXPECT_FALSE(GetUpdateRect(m_view->hwnd(), nullptr, FALSE)) << "repainted at once";
    hdc = GetDC(m_view->hwnd());
    EXPECT_EQ(m_view->GetHeaderButtonColor(), GetPixel(hdc, cell.left + 2, (cell.top + cell.bottom) / 2))
        << "the whole list was repainted with the resize, the header cell with it";
    ReleaseDC(m_view->hwnd(), hdc);
    EXPECT_FALSE(m_dlg->log().Contains("dlg", QLM_HEADERCLICKED)) << "a resize is no click";
}

TEST_F(HeaderTest, GdiCountStaysFlatThroughHeaderFontsColoursAndPaints)
{
    std::vector<std::vector<const wchar_t*>> many(30, {L"row", L"1", L"a"});
    FillView(many);
    auto cycle = [&](int i) {
        TestFont font(9 + i % 5, i % 2 ? FW_BOLD : FW_NORMAL);
        m_view->SetHeaderFont(&font.font);
        m_view->SetHeaderColors(RGB(i % 256, 100, 200), RGB(0, i % 256, 0));
        InvalidateRect(m_view->hwnd(), nullptr, TRUE);
        UpdateWindow(m_view->hwnd());
        UpdateWindow(m_view->header()->winId());
    };
    cycle(0);
    msgseq::PumpMessages();
    const DWORD nBefore = qttest::GdiObjects();
    for (int i = 0; i < 40; ++i)
        cycle(i);
    msgseq::PumpMessages();
    EXPECT_LE(qttest::GdiObjects(), nBefore);
}

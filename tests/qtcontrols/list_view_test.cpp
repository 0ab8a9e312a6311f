// The tree view and the list view in a form made from a real template: the placeholders' styles,
// the open/close, rename and focus notifications the dialog receives (with their parameters),
// indentation at every depth, the selection in depth-first order, exchanging children, and the
// list view's columns with their comparison functions.
#include "ViewTestFixture.h"

#include <algorithm>

using msgseq::kLParam;
using msgseq::kWParam;
using viewtest::L;

namespace {

class TreeViewTest : public viewtest::ViewTest {
protected:
    // A (A1, A2 (A2a, A2b)), B (B1), C: three levels, everything closed.
    void FillTree()
    {
        a = m_tree->CreateChildItem(nullptr, nullptr);
        b = m_tree->CreateChildItem(nullptr, a);
        c = m_tree->CreateChildItem(nullptr, b);
        a1 = m_tree->CreateChildItem(a, nullptr);
        a2 = m_tree->CreateChildItem(a, a1);
        a2a = m_tree->CreateChildItem(a2, nullptr);
        a2b = m_tree->CreateChildItem(a2, a2a);
        b1 = m_tree->CreateChildItem(b, nullptr);
        const std::pair<CVellListItem*, const wchar_t*> names[] = {
            {a, L"A"}, {b, L"B"}, {c, L"C"}, {a1, L"A1"}, {a2, L"A2"}, {a2a, L"A2a"}, {a2b, L"A2b"}, {b1, L"B1"}};
        for (const auto& [pItem, pszName] : names)
            pItem->setText(0, QString(pszName));
        m_tree->updateNow();
        msgseq::PumpMessages();
    }
    std::vector<std::wstring> ChildTexts(CVellListItem* pParent, int nColumn = 0)
    {
        std::vector<std::wstring> texts;
        for (CVellListItem* p = m_tree->GetFirstChild(pParent); p; p = m_tree->GetNextSibling(p))
            texts.push_back(p->text(nColumn).str());
        return texts;
    }
    WPARAM TreeId() const { return IDC_VIEW_TREE; }

    CVellListItem* a = nullptr;
    CVellListItem* b = nullptr;
    CVellListItem* c = nullptr;
    CVellListItem* a1 = nullptr;
    CVellListItem* a2 = nullptr;
    CVellListItem* a2a = nullptr;
    CVellListItem* a2b = nullptr;
    CVellListItem* b1 = nullptr;
};

using ListViewTest = viewtest::ViewTest;

int CompareReversed(const CString* x, const CString* y)
{
    return -wcscmp(x->GetString(), y->GetString());
}

int CompareByLength(const CString* x, const CString* y)
{
    return x->GetLength() - y->GetLength();
}

}  // namespace

TEST_F(TreeViewTest, ThePlaceholdersBecomeADecoratedTreeAndAListWithAHeader)
{
    EXPECT_TRUE(m_tree->rootIsDecorated()) << "top-level items show expand decorations";
    EXPECT_EQ(1, m_tree->columns());
    EXPECT_FALSE(m_tree->header()->isVisible());
    EXPECT_EQ(m_tree->hwnd(), m_dlg->Item(IDC_VIEW_TREE));
    const DWORD dwStyle = static_cast<DWORD>(GetWindowLongW(m_tree->hwnd(), GWL_STYLE));
    EXPECT_FALSE(dwStyle & WS_VSCROLL) << "the tree-view placeholder's scroll bar is dropped";
    EXPECT_FALSE(dwStyle & (WS_BORDER | WS_CAPTION | WS_THICKFRAME));
    EXPECT_TRUE(dwStyle & WS_CHILD);
    EXPECT_TRUE(dwStyle & WS_TABSTOP);

    // The list view: no columns, no comparison functions, a header shown, focus across the row.
    EXPECT_EQ(m_view->hwnd(), m_dlg->Item(IDC_VIEW_LIST));
    EXPECT_EQ(0, m_view->GetColumnCount());
    std::vector<ItemCompareFunc> compares{nullptr};
    EXPECT_TRUE(m_view->GetColumnCompares(compares).empty());
    EXPECT_TRUE(m_view->header()->isVisible());
    EXPECT_TRUE(m_view->allColumnsShowFocus());
    EXPECT_TRUE(m_view->rootIsDecorated());
    EXPECT_FALSE(m_view->IsSortingEnabled());
    EXPECT_EQ(-1, m_view->sortColumn());
    EXPECT_EQ(CVellListView::kDefaultHeaderButton, m_view->GetHeaderButtonColor());
    EXPECT_EQ(CVellListView::kDefaultHeaderBase, m_view->GetHeaderBaseColor());
    EXPECT_TRUE(m_view->GetSortableColumns().empty());
    EXPECT_EQ(0, m_view->AddColumn(L"Name", 100));
    EXPECT_EQ(1, m_view->AddColumn(L"Folder", -1));
    EXPECT_EQ(QListView::Manual, m_view->columnWidthMode(0));
    EXPECT_EQ(QListView::Maximum, m_view->columnWidthMode(1)) << "width -1 follows the widest text";
    EXPECT_EQ(100, m_view->columnWidth(0));
    EXPECT_EQ(2u, m_view->GetColumnCompares(compares).size());
}

TEST_F(TreeViewTest, WalkingChildrenAtEveryDepth)
{
    FillTree();
    EXPECT_EQ(3, m_tree->GetChildCount(nullptr)) << "a null item counts the top-level items";
    EXPECT_EQ(2, m_tree->GetChildCount(a));
    EXPECT_EQ(0, m_tree->GetChildCount(c));
    EXPECT_EQ(8, m_tree->GetItemCount());
    EXPECT_EQ(a2, m_tree->GetParentItem(a2b));
    EXPECT_EQ(nullptr, m_tree->GetParentItem(a));
    EXPECT_EQ(a2b, m_tree->GetChildAt(a2, 1));
    EXPECT_EQ(nullptr, m_tree->GetChildAt(a2, 2)) << "past the last child";
    EXPECT_EQ(nullptr, m_tree->GetChildAt(a2, -1));
    EXPECT_EQ(c, m_tree->GetChildAt(nullptr, 2)) << "the children of no item are the top-level items";
    EXPECT_EQ(nullptr, m_tree->GetFirstChild(c));
    EXPECT_EQ(b, m_tree->GetNextItem(a)) << "siblings only, as in the list box";
    EXPECT_EQ(nullptr, m_tree->GetNextSibling(nullptr));
    EXPECT_EQ((std::vector<std::wstring>{L"A1", L"A2"}), ChildTexts(a));
    EXPECT_FALSE(m_tree->IsItemOpen(a));
    EXPECT_FALSE(m_tree->IsItemOpen(nullptr));
}

TEST_F(TreeViewTest, OpeningAndClosingNotifyTheDialogWithTheItem)
{
    FillTree();
    const WPARAM id = TreeId();
    m_dlg->log().Clear();
    m_tree->SetItemOpen(a, TRUE);
    m_tree->SetItemOpen(a2, TRUE);
    m_tree->SetItemOpen(a, FALSE);
    EXPECT_TRUE(m_dlg->log().Matches({
        {"dlg", QLM_EXPANDED, kWParam | kLParam, id, L(a)},
        {"dlg", QLM_EXPANDED, kWParam | kLParam, id, L(a2)},
        {"dlg", QLM_COLLAPSED, kWParam | kLParam, id, L(a)},
    }));
    EXPECT_FALSE(m_tree->IsItemOpen(a));
    EXPECT_TRUE(m_tree->IsItemOpen(a2)) << "a closed parent keeps its children's state";

    // The mouse on B's decoration opens it, a second press closes it.
    m_tree->updateNow();
    const QRect r = m_tree->itemRect(b);
    ASSERT_FALSE(r.isEmpty());
    m_dlg->log().Clear();
    ClickViewport(m_tree.get(), m_tree->treeStepSize() / 2, r.y() + r.height() / 2);
    ClickViewport(m_tree.get(), m_tree->treeStepSize() / 2, r.y() + r.height() / 2);
    EXPECT_TRUE(m_dlg->log().Matches({
        {"dlg", QLM_CURRENTCHANGED, msgseq::kOptional | kWParam | kLParam, id, L(b)},
        {"dlg", QLM_SELECTIONCHANGED, msgseq::kOptional | kWParam, id, 0},
        {"dlg", QLM_SELECTIONCHANGED, msgseq::kOptional | kWParam, id, 0},
        {"dlg", QLM_EXPANDED, kWParam | kLParam, id, L(b)},
        {"dlg", QLM_PRESSED, kWParam | kLParam, id, L(b)},
        {"dlg", QLM_CLICKED, kWParam | kLParam, id, L(b)},
        {"dlg", QLM_COLLAPSED, kWParam | kLParam, id, L(b)},
        {"dlg", QLM_PRESSED, kWParam | kLParam, id, L(b)},
        {"dlg", QLM_CLICKED, kWParam | kLParam, id, L(b)},
    }));

    // A receiver that clears the tree while it hears of the opening is safe.
    m_dlg->onNotify = [&](UINT message, WPARAM, LPARAM) {
        if (message == QLM_EXPANDED)
            m_tree->Clear();
    };
    m_tree->SetItemOpen(b, TRUE);
    m_dlg->onNotify = nullptr;
    EXPECT_EQ(0, m_tree->GetItemCount());
}

TEST_F(TreeViewTest, OneFocusLossGivesOneKillFocusAndTheRenameEditorNone)
{
    FillTree();
    const WPARAM id = TreeId();
    SetFocus(m_tree->hwnd());
    msgseq::PumpMessages();
    ASSERT_EQ(IDC_VIEW_TREE, hosttest::FocusId(m_dlg->hwnd()));

    m_dlg->log().Clear();
    SetFocus(m_dlg->Item(IDC_VIEW_EDIT));
    msgseq::PumpMessages();
    EXPECT_TRUE(m_dlg->log().Matches({{"dlg", QLM_KILLFOCUS, kWParam | kLParam, id, 0}}));

    // Back into the tree, then into its own rename editor: the tree keeps the focus.
    SetFocus(m_tree->hwnd());
    a->setRenameEnabled(0, true);
    m_dlg->log().Clear();
    a->startRename(0);
    HWND hEdit = FindEditor(m_tree.get());
    ASSERT_NE(nullptr, hEdit);
    EXPECT_EQ(hEdit, GetFocus());
    EXPECT_TRUE(IsChild(m_tree->hwnd(), hEdit));
    EXPECT_FALSE(m_dlg->log().Contains("dlg", QLM_KILLFOCUS)) << "focus into a child is not lost";

    // The rename ends with Return: the dialog hears of it, the focus comes back to the tree quietly.
    SetWindowTextW(hEdit, L"Renamed");
    hosttest::PressKey(m_dlg->hwnd(), VK_RETURN);
    EXPECT_EQ(QString(L"Renamed"), a->text(0));
    EXPECT_TRUE(m_dlg->log().Matches({{"dlg", QLM_ITEMRENAMED, kWParam | kLParam, id, L(a)}}));
    EXPECT_EQ(m_tree->hwnd(), GetFocus());

    // Tab to the next control: one more QLM_KILLFOCUS.
    m_dlg->log().Clear();
    hosttest::PressKey(m_dlg->hwnd(), VK_TAB);
    EXPECT_NE(IDC_VIEW_TREE, hosttest::FocusId(m_dlg->hwnd()));
    EXPECT_TRUE(m_dlg->log().EndsWith({{"dlg", QLM_KILLFOCUS, kWParam | kLParam, id, 0}}));
    int nKills = 0;
    for (const auto& e : m_dlg->log().Entries())
        nKills += e.message == QLM_KILLFOCUS ? 1 : 0;
    EXPECT_EQ(1, nKills);

    // The focus leaves from inside the open editor: the rename is accepted and the tree has lost
    // the focus, once.
    SetFocus(m_tree->hwnd());
    b->setRenameEnabled(0, true);
    b->startRename(0);
    hEdit = FindEditor(m_tree.get());
    ASSERT_NE(nullptr, hEdit);
    SetWindowTextW(hEdit, L"Bee");
    m_dlg->log().Clear();
    SetFocus(m_dlg->Item(IDC_VIEW_EDIT));
    msgseq::PumpMessages();
    EXPECT_FALSE(IsWindow(hEdit));
    EXPECT_EQ(QString(L"Bee"), b->text(0));
    EXPECT_TRUE(m_dlg->log().Matches({
        {"dlg", QLM_ITEMRENAMED, kWParam | kLParam, id, L(b)},
        {"dlg", QLM_KILLFOCUS, kWParam | kLParam, id, 0},
    }));

    // The same with a dialog that destroys the tree when it hears of the rename.
    SetFocus(m_tree->hwnd());
    c->setRenameEnabled(0, true);
    c->startRename(0);
    ASSERT_NE(nullptr, FindEditor(m_tree.get()));
    m_dlg->onNotify = [&](UINT message, WPARAM, LPARAM) {
        if (message == QLM_ITEMRENAMED)
            m_tree.reset();
    };
    m_dlg->log().Clear();
    SetFocus(m_dlg->Item(IDC_VIEW_EDIT));
    msgseq::PumpMessages();
    m_dlg->onNotify = nullptr;
    EXPECT_EQ(nullptr, m_tree);
    EXPECT_EQ(nullptr, m_dlg->Item(IDC_VIEW_TREE));
    EXPECT_TRUE(m_dlg->log().Matches({{"dlg", QLM_ITEMRENAMED, kWParam | kLParam, id, L(c)}}));
}

TEST_F(TreeViewTest, TextIndentReachesEveryDepthAndIsReplacedNotAdded)
{
    FillTree();
    m_tree->addColumn(QString(L"Second"), 80);
    for (CVellListItem* p : {a, b, c, a1, a2, a2a, a2b, b1})
        p->setText(1, p->text(0) + QString(L"-x"));
    QString spaces;
    const int nWide = m_tree->PadWithSpaces(12, spaces);
    const int nNarrow = m_tree->PadWithSpaces(4, spaces);
    ASSERT_GT(nWide, nNarrow);
    ASSERT_GT(nNarrow, 0);

    m_tree->SetTextIndent(12, 1);
    for (CVellListItem* p : {a, b, c, a1, a2, a2a, a2b, b1}) {
        const std::wstring expected = std::wstring(static_cast<size_t>(nWide), L' ') + p->text(0).str() + L"-x";
        EXPECT_EQ(expected, p->text(1).str()) << "depth " << p->depth();
    }
    EXPECT_EQ(L"A2a", a2a->text(0).str()) << "other columns stay";

    m_tree->SetTextIndent(4, 1);
    for (CVellListItem* p : {a, b, c, a1, a2, a2a, a2b, b1}) {
        const std::wstring expected = std::wstring(static_cast<size_t>(nNarrow), L' ') + p->text(0).str() + L"-x";
        EXPECT_EQ(expected, p->text(1).str()) << "the old prefix went first, depth " << p->depth();
    }

    // Column 0 as well, and an item shorter than the old prefix loses only what it has.
    m_tree->SetTextIndent(4, 0);
    EXPECT_EQ(std::wstring(static_cast<size_t>(nNarrow), L' ') + L"A2b", a2b->text(0).str());
    a2b->setText(0, QString(L""));
    m_tree->SetTextIndent(0, 0);
    EXPECT_EQ(L"", a2b->text(0).str());
    EXPECT_EQ(L"A2a", a2a->text(0).str());
}

TEST_F(TreeViewTest, SelectedItemsComeParentFirstInDepthFirstOrder)
{
    FillTree();
    m_tree->SetMultiSelection(TRUE);
    for (CVellListItem* p : {b1, a2b, a, a2, c})
        m_tree->SetItemSelected(p, TRUE);
    std::vector<CVellListItem*> selected{b};  // replaced, not appended to
    m_tree->GetSelectedItems(selected);
    EXPECT_EQ((std::vector<CVellListItem*>{a, a2, a2b, b1, c}), selected);
}

TEST_F(TreeViewTest, SwappingChildrenOfOneParent)
{
    FillTree();
    CVellListItem* a3 = m_tree->CreateChildItem(a, a2);
    a3->setText(0, QString(L"A3"));
    EXPECT_EQ((std::vector<std::wstring>{L"A1", L"A2", L"A3"}), ChildTexts(a));
    EXPECT_TRUE(m_tree->SwapChildren(a, 0, 1));
    EXPECT_EQ((std::vector<std::wstring>{L"A2", L"A1", L"A3"}), ChildTexts(a));
    EXPECT_TRUE(m_tree->SwapChildren(a, 2, 0));
    EXPECT_EQ((std::vector<std::wstring>{L"A3", L"A1", L"A2"}), ChildTexts(a));
    EXPECT_FALSE(m_tree->SwapChildren(a, 1, 1));
    EXPECT_FALSE(m_tree->SwapChildren(a, 0, 3));
    EXPECT_FALSE(m_tree->SwapChildren(c, 0, 1)) << "no children";

    // A2 is open with children of its own between the two places: the grandchildren stay with it.
    m_tree->SetItemOpen(a, TRUE);
    m_tree->SetItemOpen(a2, TRUE);
    m_tree->updateNow();
    EXPECT_TRUE(m_tree->SwapChildren(a, 1, 2));
    EXPECT_EQ((std::vector<std::wstring>{L"A3", L"A2", L"A1"}), ChildTexts(a));
    EXPECT_EQ((std::vector<std::wstring>{L"A2a", L"A2b"}), ChildTexts(a2));
    EXPECT_TRUE(m_tree->SwapChildren(a, 2, 0));
    EXPECT_EQ((std::vector<std::wstring>{L"A1", L"A2", L"A3"}), ChildTexts(a));

    // Top-level items are the children of no item.
    EXPECT_TRUE(m_tree->SwapChildren(nullptr, 0, 2));
    EXPECT_EQ((std::vector<std::wstring>{L"C", L"B", L"A"}), ChildTexts(nullptr));
}

TEST_F(ListViewTest, ComparisonFunctionsStayWithTheirColumns)
{
    m_view->AddColumn(L"Name", 80);
    m_view->AddColumn(L"Folder", 80);
    m_view->AddColumn(L"Version", 80);
    ASSERT_TRUE(m_view->SetColumnCompare(&CompareByLength, 2));
    ASSERT_TRUE(m_view->SetColumnCompare(&CompareReversed, 0));
    m_view->RemoveColumn(1);
    std::vector<ItemCompareFunc> compares;
    m_view->GetColumnCompares(compares);
    ASSERT_EQ(2u, compares.size());
    EXPECT_EQ(&CompareReversed, compares[0]);
    EXPECT_EQ(&CompareByLength, compares[1]) << "the function moved with its column";
    EXPECT_EQ(QString(L"Version"), m_view->columnText(1));

    // Sorting by the new column 1 uses the function it brought along.
    FillView({{L"b", L"333"}, {L"a", L"1"}, {L"c", L"22"}});
    m_view->EnableColumnSorting(TRUE, 1);
    EXPECT_EQ((std::vector<std::wstring>{L"a", L"c", L"b"}), ViewOrder());
    m_view->EnableColumnSorting(TRUE, 0);
    EXPECT_EQ((std::vector<std::wstring>{L"c", L"b", L"a"}), ViewOrder()) << "column 0's own function";

    m_view->RemoveColumn(0);
    ASSERT_EQ(1u, m_view->GetColumnCompares(compares).size());
    EXPECT_EQ(&CompareByLength, compares[0]);
    m_view->RemoveColumn(5);  // no such column
    m_view->RemoveColumn(-1);
    EXPECT_EQ(1u, m_view->GetColumnCompares(compares).size());
    EXPECT_EQ(1, m_view->GetColumnCount());
}

TEST_F(ListViewTest, ColumnsAddedDirectlyLeaveNoFunctionOutOfPlace)
{
    // As the module list does: columns straight on the list view, then one through AddColumn.
    m_view->QListView::addColumn(QString(L"Name"));
    m_view->QListView::addColumn(QString(L"Folder"));
    std::vector<ItemCompareFunc> compares;
    EXPECT_TRUE(m_view->GetColumnCompares(compares).empty());
    EXPECT_EQ(2, m_view->AddColumn(L"Version", 60));
    ASSERT_TRUE(m_view->SetColumnCompare(&CompareByLength, 2));
    m_view->GetColumnCompares(compares);
    ASSERT_EQ(3u, compares.size());
    EXPECT_EQ(nullptr, compares[0]);
    EXPECT_EQ(&CompareByLength, compares[2]);
}

TEST_F(ListViewTest, ColumnTextsTakeTheirColumnsIndentation)
{
    m_view->AddColumn(L"Name", 80);
    m_view->AddColumn(L"Folder", 80);
    m_view->SetTextIndent(8, 1);
    const auto items = FillView({{L"One", L"C:\\"}});
    QString spaces;
    m_view->PadWithSpaces(8, spaces);
    EXPECT_EQ(L"One", items[0]->text(0).str());
    EXPECT_EQ((spaces + QString(L"C:\\")).str(), items[0]->text(1).str());
    m_view->SetItemColumnText(items[0], 0, nullptr);
    EXPECT_EQ(L"", items[0]->text(0).str());
}

TEST_F(ListViewTest, ARenameInAnyColumnReachesTheParentWithItsColumn)
{
    m_view->AddColumn(L"Name", 80);
    m_view->AddColumn(L"Folder", 80);
    const auto items = FillView({{L"One", L"first"}, {L"Two", L"second"}});
    // An owner window besides the parent: the parent is told all the same.
    CWnd owner;
    m_view->SetOwnerWindow(&owner);
    items[1]->setRenameEnabled(1, true);
    items[1]->startRename(1);
    HWND hEdit = FindEditor(m_view.get());
    ASSERT_NE(nullptr, hEdit);
    SetWindowTextW(hEdit, L"renamed");
    m_dlg->log().Clear();
    hosttest::PressKey(m_dlg->hwnd(), VK_RETURN);
    EXPECT_TRUE(m_dlg->log().Matches({{"dlg", QLM_ITEMRENAMED, kWParam | kLParam, IDC_VIEW_LIST, L(items[1])}}));
    EXPECT_EQ(L"renamed", items[1]->text(1).str());
    EXPECT_EQ(1, items[1]->GetClickColumn());
    m_view->SetOwnerWindow(nullptr);
}

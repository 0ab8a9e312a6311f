// The list box in a dialog made from a real template: its initial shape, the notifications the
// dialog receives (with their parameters) for mouse, keys, selection, renames, drops and scrolling,
// a dialog that clears the list while it is being notified, Tab order, sorting with comparison
// functions, item operations, item colours and pictures on pixels, and GDI resources.
#include "toolkit/qtcontrols/VellListBox.h"

#include "platform/qt/QApplication.h"
#include "platform/qt/QHeader.h"
#include "platform/qt/QScrollBar.h"

#include "HostTestSupport.h"
#include "support/MessageSequence.h"
#include "QtControlsTestIds.h"
#include "support/WineDifference.h"
#include "tests/qt/QtTestSupport.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <cwctype>
#include <memory>
#include <string>
#include <vector>

using msgseq::Expected;
using msgseq::kLParam;
using msgseq::kWParam;

namespace {

// The list box with what the tests look at from inside.
class CTestList : public CVellListBox {
public:
    using CVellListBox::vslide;
    void Redraw() override
    {
        ++m_nRedraws;
        CVellListBox::Redraw();
    }
    HWND hwnd() const { return CWnd::m_hWnd; }
    int m_nRedraws = 0;
};

LPARAM L(const void* p)
{
    return reinterpret_cast<LPARAM>(p);
}

class ListBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dlg = std::make_unique<hosttest::TestDialog>(IDD_HOST_FORM);
        ASSERT_NE(nullptr, m_dlg->hwnd());
        m_list = std::make_unique<CTestList>();
        ASSERT_TRUE(m_list->AttachDlgItem(IDC_FORM_LIST, m_dlg->wnd()));
        msgseq::PumpMessages();
    }
    void TearDown() override
    {
        m_list.reset();
        m_dlg.reset();
        msgseq::PumpMessages();
    }

    // Items A, B, C, ... at the end of the list.
    std::vector<CVellListItem*> Fill(const std::vector<const wchar_t*>& texts)
    {
        std::vector<CVellListItem*> items;
        CVellListItem* pLast = nullptr;
        for (CVellListItem* p = m_list->GetFirstItem(); p; p = m_list->GetNextItem(p))
            pLast = p;
        for (const wchar_t* psz : texts) {
            pLast = m_list->CreateItem(pLast);
            m_list->SetItemText(pLast, psz);
            items.push_back(pLast);
        }
        m_list->updateNow();
        msgseq::PumpMessages();
        return items;
    }
    std::vector<std::wstring> Texts()
    {
        std::vector<std::wstring> texts;
        for (CVellListItem* p = m_list->GetFirstItem(); p; p = m_list->GetNextItem(p))
            texts.push_back(p->text(0).str());
        return texts;
    }
    // A point inside the item's row, in viewport coordinates.
    POINT RowPoint(CVellListItem* pItem)
    {
        const QRect r = m_list->itemRect(pItem);
        return POINT{r.x() + 10, r.y() + r.height() / 2};
    }
    void Mouse(UINT message, POINT pt, WPARAM keys = 0)
    {
        SendMessageW(m_list->viewport()->winId(), message, keys, MAKELPARAM(pt.x, pt.y));
        hosttest::PumpDialog(m_dlg->hwnd());
    }
    void Click(POINT pt, WPARAM keys = 0)
    {
        Mouse(WM_LBUTTONDOWN, pt, keys | MK_LBUTTON);
        Mouse(WM_LBUTTONUP, pt, keys);
    }
    UINT Id() const { return IDC_FORM_LIST; }

    std::unique_ptr<hosttest::TestDialog> m_dlg;
    std::unique_ptr<CTestList> m_list;
};

int CompareNumbers(const CString* a, const CString* b)
{
    const long x = wcstol(a->GetString(), nullptr, 10);
    const long y = wcstol(b->GetString(), nullptr, 10);
    return x < y ? -1 : x > y ? 1 : 0;
}

int CompareReversed(const CString* a, const CString* b)
{
    return -wcscmp(a->GetString(), b->GetString());
}

int CompareByLength(const CString* a, const CString* b)
{
    return a->GetLength() - b->GetLength();
}

}  // namespace

TEST_F(ListBoxTest, ANewListBoxHasOneHiddenColumnAndNoItems)
{
    EXPECT_EQ(1, m_list->columns());
    EXPECT_EQ(QString(L"Workaround"), m_list->columnText(0));
    EXPECT_FALSE(m_list->header()->isVisible());
    EXPECT_FALSE(m_list->IsSortingEnabled());
    EXPECT_EQ(-1, m_list->sortColumn());
    EXPECT_EQ(QListView::Single, m_list->selectionMode());
    EXPECT_FALSE(m_list->rootIsDecorated());
    EXPECT_EQ(QListView::Accept, m_list->defaultRenameAction());
    EXPECT_EQ(0, m_list->GetItemCount());
    EXPECT_EQ(nullptr, m_list->GetItemAt(0));
    EXPECT_EQ(nullptr, m_list->GetFirstItem());
    std::vector<ItemCompareFunc> compares;
    EXPECT_EQ(1u, m_list->GetColumnCompares(compares).size());
    EXPECT_EQ(nullptr, compares[0]);

    // Its meta-object: 17 slots named after the list view's signals, in table order.
    QMetaObject* meta = m_list->metaObject();
    EXPECT_STREQ("CVellListBox", meta->className());
    EXPECT_STREQ("QListView", meta->superClassName());
    ASSERT_EQ(17, meta->numSlots());
    EXPECT_STREQ("itemRenamed(QListViewItem*,int,const QString&)", meta->slotSignature(meta->slotOffset()));
    EXPECT_STREQ("selectionChanged(QListViewItem*)", meta->slotSignature(meta->slotOffset() + 16));
    EXPECT_EQ(0, meta->numSignals());
    EXPECT_TRUE(m_list->inherits("QScrollView"));
}

TEST_F(ListBoxTest, StylesOfThePlaceholderAreFiltered)
{
    // A placeholder with a client edge, a caption bit and a scroll bar.
    CTestList list;
    HWND hItem = m_dlg->Item(IDC_FORM_DISABLED);
    SetWindowLongW(hItem, GWL_STYLE, GetWindowLongW(hItem, GWL_STYLE) | WS_VSCROLL | WS_THICKFRAME | WS_BORDER);
    SetWindowLongW(hItem, GWL_EXSTYLE, GetWindowLongW(hItem, GWL_EXSTYLE) | WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_TOPMOST);
    ASSERT_TRUE(list.AttachDlgItem(IDC_FORM_DISABLED, m_dlg->wnd()));
    const DWORD dwStyle = static_cast<DWORD>(GetWindowLongW(list.hwnd(), GWL_STYLE));
    const DWORD dwExStyle = static_cast<DWORD>(GetWindowLongW(list.hwnd(), GWL_EXSTYLE));
    EXPECT_TRUE(dwStyle & WS_VSCROLL) << "kept";
    EXPECT_TRUE(dwStyle & WS_CHILD);
    EXPECT_FALSE(dwStyle & (WS_THICKFRAME | WS_CAPTION));
    EXPECT_FALSE(dwExStyle & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE));
    EXPECT_FALSE(list.isEnabled()) << "the placeholder was disabled";
    CRect rcWindow, rcClient;
    GetWindowRect(list.hwnd(), &rcWindow);
    GetClientRect(list.hwnd(), &rcClient);
    EXPECT_EQ(rcWindow.Width(), rcClient.Width()) << "no room for a native scroll bar beside the list's own";
}

TEST_F(ListBoxTest, AClickNotifiesPressSelectionAndClickWithTheItem)
{
    const auto items = Fill({L"Alpha", L"Beta", L"Gamma"});
    m_dlg->log().Clear();
    const POINT pt = RowPoint(items[1]);
    Click(pt);
    const LPARAM b = L(items[1]);
    const WPARAM id = Id();
    // Single selection: both selection signals for one change, the list-wide one first. (Qt also
    // reports the new current item here; our list view does not yet, hence optional.)
    EXPECT_TRUE(m_dlg->log().Matches({
        {"dlg", QLM_CURRENTCHANGED, msgseq::kOptional | kWParam | kLParam, id, b},
        {"dlg", QLM_SELECTIONCHANGED, kWParam | kLParam, id, 0},
        {"dlg", QLM_SELECTIONCHANGED, kWParam | kLParam, id, b},
        {"dlg", QLM_PRESSED, kWParam | kLParam, id, b},
        {"dlg", QLM_CLICKED, kWParam | kLParam, id, b},
    }));
    EXPECT_EQ(items[1], m_list->GetSelectedItem());
    EXPECT_EQ(items[1], m_list->GetCurrentItem());
    EXPECT_EQ(0, items[1]->GetClickColumn());
    POINT global = pt;
    ClientToScreen(m_list->viewport()->winId(), &global);
    EXPECT_EQ(global.x, items[1]->GetClickPoint().x()) << "the signal's point, on the screen";
    EXPECT_EQ(global.y, items[1]->GetClickPoint().y());
    EXPECT_EQ(-1, items[0]->GetClickColumn()) << "untouched";

    // Below the last row: nothing is clicked, and no message carries an item.
    m_dlg->log().Clear();
    const QRect last = m_list->itemRect(items[2]);
    Click(POINT{10, last.y() + last.height() + 20});
    EXPECT_FALSE(m_dlg->log().Contains("dlg", QLM_CLICKED));
    EXPECT_FALSE(m_dlg->log().Contains("dlg", QLM_PRESSED));
    for (const auto& e : m_dlg->log().Entries())
        EXPECT_EQ(0, e.lParam) << msgseq::MessageName(e.message);
}

TEST_F(ListBoxTest, DoubleAndRightClicksNotifyWithTheItem)
{
    const auto items = Fill({L"Alpha", L"Beta"});
    const POINT pt = RowPoint(items[0]);
    Click(pt);
    m_dlg->log().Clear();
    Mouse(WM_LBUTTONDBLCLK, pt, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, pt);
    EXPECT_TRUE(m_dlg->log().Contains("dlg", QLM_DOUBLECLICKED));
    for (const auto& e : m_dlg->log().Entries()) {
        if (e.message == QLM_DOUBLECLICKED) {
            EXPECT_EQ(L(items[0]), e.lParam);
        }
    }

    m_dlg->log().Clear();
    const POINT pt2 = RowPoint(items[1]);
    Mouse(WM_RBUTTONDOWN, pt2, MK_RBUTTON);
    Mouse(WM_RBUTTONUP, pt2);
    EXPECT_TRUE(m_dlg->log().EndsWith({{"dlg", QLM_RIGHTBUTTONCLICKED, kWParam | kLParam, Id(), L(items[1])}}));
    EXPECT_EQ(0, items[1]->GetClickColumn());
}

TEST_F(ListBoxTest, KeysReachTheDialogBeforeTheList)
{
    const auto items = Fill({L"Alpha", L"Beta", L"Gamma"});
    SetFocus(m_dlg->Item(IDC_FORM_EDIT));
    hosttest::PressKey(m_dlg->hwnd(), VK_TAB);
    ASSERT_EQ(IDC_FORM_LIST, hosttest::FocusId(m_dlg->hwnd()));
    m_list->SetItemSelected(items[0], TRUE);
    m_list->setCurrentItem(items[0]);
    hosttest::PumpDialog(m_dlg->hwnd());
    m_dlg->log().Clear();

    hosttest::PressKey(m_dlg->hwnd(), VK_DOWN);
    EXPECT_TRUE(m_dlg->log().Matches({
        {"key", WM_KEYDOWN, kWParam, VK_DOWN},
        {"dlg", QLM_CURRENTCHANGED, msgseq::kOptional | kWParam | kLParam, Id(), L(items[1])},
        {"dlg", QLM_SELECTIONCHANGED, kWParam | kLParam, Id(), 0},
        {"dlg", QLM_SELECTIONCHANGED, kWParam | kLParam, Id(), L(items[1])},
    }));
    EXPECT_EQ(items[1], m_list->GetCurrentItem()) << "the arrow reached the list (DLGC_WANTARROWS)";

    // Return belongs to the dialog's default button while the dialog manager runs; a Return that
    // reaches the list goes to the dialog first and then reports the current item.
    m_dlg->log().Clear();
    SendMessageW(m_list->hwnd(), WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_TRUE(m_dlg->log().Matches({
        {"key", WM_KEYDOWN, kWParam | kLParam, VK_RETURN, 1},
        {"dlg", QLM_RETURNPRESSED, kWParam | kLParam, Id(), L(items[1])},
    }));
    EXPECT_EQ(static_cast<LRESULT>(DLGC_WANTARROWS | DLGC_WANTCHARS), SendMessageW(m_list->hwnd(), WM_GETDLGCODE, 0, 0));
}

TEST_F(ListBoxTest, ExtendedSelectionReportsWithoutAnItem)
{
    m_list->SetMultiSelection(TRUE);
    EXPECT_EQ(QListView::Extended, m_list->selectionMode());
    const auto items = Fill({L"Alpha", L"Beta", L"Gamma", L"Delta"});
    Click(RowPoint(items[0]));
    m_dlg->log().Clear();
    {
        testwin::KeysHeld shift{VK_SHIFT};
        Click(RowPoint(items[2]), MK_SHIFT);
    }
    // Only the list-wide signal: lParam 0 every time.
    bool bSelection = false;
    for (const auto& e : m_dlg->log().Entries()) {
        if (e.message == QLM_SELECTIONCHANGED) {
            bSelection = true;
            EXPECT_EQ(0, e.lParam);
        }
    }
    EXPECT_TRUE(bSelection);
    std::vector<CVellListItem*> selected{nullptr};
    m_list->GetSelectedItems(selected);
    EXPECT_EQ((std::vector<CVellListItem*>{items[0], items[1], items[2]}), selected);
    EXPECT_EQ(nullptr, m_list->GetSelectedItem()) << "single-selection only";

    EXPECT_EQ(QListView::Extended, m_list->SetCurrentItem(items[3]));
    EXPECT_EQ(items[3], m_list->GetCurrentItem());
    m_list->SetMultiSelection(FALSE);
    EXPECT_EQ(QListView::Single, m_list->SetCurrentItem(items[0]));
    EXPECT_EQ(items[3], m_list->GetCurrentItem()) << "nothing in single-selection mode";
}

TEST_F(ListBoxTest, ADialogThatClearsTheListWhileNotifiedIsSafe)
{
    auto items = Fill({L"Alpha", L"Beta", L"Gamma"});
    // Every item a message carries must still be in the list when the message arrives, unless the
    // list is being cleared right then (the list may say goodbye to an item it is about to delete).
    bool bClearing = false;
    int nStale = 0;
    m_dlg->onNotify = [&](UINT message, WPARAM, LPARAM lParam) {
        if (message == QLM_DROPPED || message == QLM_VSCROLL || !lParam || bClearing)
            return;
        bool bAlive = false;
        for (QListViewItemIterator it(m_list.get()); it.current(); ++it)
            bAlive = bAlive || L(it.current()) == lParam;
        nStale += bAlive ? 0 : 1;
        if (message == QLM_SELECTIONCHANGED) {
            bClearing = true;
            m_list->Clear();
            bClearing = false;
        }
    };
    m_dlg->log().Clear();
    Click(RowPoint(items[1]));
    EXPECT_EQ(0, m_list->GetItemCount());
    EXPECT_EQ(0, nStale) << "no message after the clear names a deleted item";
    EXPECT_FALSE(m_dlg->log().Contains("dlg", QLM_CLICKED));

    // Cleared by the key press the dialog sees first: the list handles the key on no items.
    items = Fill({L"One", L"Two"});
    m_dlg->onNotify = [&](UINT message, WPARAM, LPARAM) {
        if (message == WM_KEYDOWN)
            m_list->Clear();
    };
    SetFocus(m_list->hwnd());
    m_list->setCurrentItem(items[0]);
    hosttest::PressKey(m_dlg->hwnd(), VK_DOWN);
    hosttest::PressKey(m_dlg->hwnd(), VK_RETURN);
    EXPECT_EQ(0, m_list->GetItemCount());
    EXPECT_EQ(nullptr, m_list->GetCurrentItem());
    m_dlg->onNotify = nullptr;
    Fill({L"Again"});
    EXPECT_EQ(1, m_list->GetItemCount());
}

TEST_F(ListBoxTest, ARenameNotifiesWithTheItemAndItsColumn)
{
    const auto items = Fill({L"Alpha", L"Beta"});
    items[1]->setRenameEnabled(0, true);
    QString renamed;
    m_dlg->onNotify = [&](UINT message, WPARAM, LPARAM lParam) {
        if (message == QLM_ITEMRENAMED)
            renamed = reinterpret_cast<CVellListItem*>(lParam)->text(0);
    };
    items[1]->startRename(0);
    HWND hEdit = nullptr;
    msgseq::PollFor([&] {
        hEdit = FindWindowExW(m_list->viewport()->winId(), nullptr, L"Edit", nullptr);
        if (!hEdit)
            hEdit = FindWindowExW(m_list->hwnd(), nullptr, L"Edit", nullptr);
        return hEdit != nullptr;
    });
    ASSERT_NE(nullptr, hEdit) << "the native rename editor";
    SetWindowTextW(hEdit, L"Bravo");
    m_dlg->log().Clear();
    SetFocus(hEdit);
    hosttest::PressKey(m_dlg->hwnd(), VK_RETURN);  // the editor wants every key, the dialog passes it on
    EXPECT_TRUE(m_dlg->log().Contains("dlg", QLM_ITEMRENAMED));
    for (const auto& e : m_dlg->log().Entries()) {
        if (e.message == QLM_ITEMRENAMED) {
            EXPECT_EQ(static_cast<WPARAM>(Id()), e.wParam);
            EXPECT_EQ(L(items[1]), e.lParam);
        }
    }
    EXPECT_EQ(QString(L"Bravo"), renamed) << "the new text is the item's while the dialog is told";
    EXPECT_EQ(0, items[1]->GetClickColumn());
}

TEST_F(ListBoxTest, AFileDropNotifiesWithTheEventWhileItLasts)
{
    Fill({L"Alpha"});
    m_list->setAcceptDrops(true);
    std::vector<std::wstring> files;
    m_dlg->onNotify = [&](UINT message, WPARAM, LPARAM lParam) {
        if (message == QLM_DROPPED) {
            auto* e = reinterpret_cast<QDropEvent*>(lParam);
            for (const QString& f : e->files())
                files.push_back(f.str());
        }
    };
    // The shell's drop record: DROPFILES, then wide names each ending in a zero, then a zero.
    const std::wstring names = std::wstring(L"C:\\a.dvr") + L'\0' + L"C:\\b.dvr" + L'\0' + L'\0';
    const SIZE_T cb = sizeof(DROPFILES) + names.size() * sizeof(wchar_t);
    HGLOBAL hDrop = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, cb);
    auto* pDrop = static_cast<DROPFILES*>(GlobalLock(hDrop));
    pDrop->pFiles = sizeof(DROPFILES);
    pDrop->pt = POINT{5, 5};
    pDrop->fWide = TRUE;
    memcpy(reinterpret_cast<BYTE*>(pDrop) + sizeof(DROPFILES), names.data(), names.size() * sizeof(wchar_t));
    GlobalUnlock(hDrop);
    m_dlg->log().Clear();
    SendMessageW(m_list->hwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(hDrop), 0);
    EXPECT_TRUE(m_dlg->log().Contains("dlg", QLM_DROPPED));
    EXPECT_EQ((std::vector<std::wstring>{L"C:\\a.dvr", L"C:\\b.dvr"}), files);
}

TEST_F(ListBoxTest, ScrollingReportsThePositionInPercent)
{
    QScrollBar* pBar = m_list->verticalScrollBar();
    ASSERT_NE(nullptr, pBar);
    pBar->setRange(0, 40);
    m_dlg->log().Clear();
    m_list->vslide(10);
    m_list->vslide(39);
    m_list->vslide(40);
    EXPECT_TRUE(m_dlg->log().Matches({
        {"dlg", QLM_VSCROLL, kWParam | kLParam, Id(), 25},
        {"dlg", QLM_VSCROLL, kWParam | kLParam, Id(), 97},
        {"dlg", QLM_VSCROLL, kWParam | kLParam, Id(), 100},
    }));
    pBar->setRange(5, 5);
    m_dlg->log().Clear();
    m_list->vslide(5);  // an empty range: at the top, no division
    EXPECT_TRUE(m_dlg->log().Matches({{"dlg", QLM_VSCROLL, kWParam | kLParam, Id(), 0}}));

    // A real scroll of a long list reports as well.
    std::vector<const wchar_t*> many(60, L"row");
    Fill(many);
    m_dlg->log().Clear();
    SendMessageW(m_list->hwnd(), WM_KEYDOWN, VK_END, 0);
    hosttest::PumpDialog(m_dlg->hwnd());
    auto scrolledTo = [&](LPARAM nPercent) {
        const auto& entries = m_dlg->log().Entries();
        return std::any_of(entries.begin(), entries.end(),
                           [&](const msgseq::Entry& e) { return e.message == QLM_VSCROLL && e.lParam == nPercent; });
    };
    EXPECT_TRUE(scrolledTo(100)) << "the list scrolled itself to its end";
    EXPECT_EQ(pBar->maxValue(), pBar->value());
    m_dlg->log().Clear();
    SendMessageW(m_list->hwnd(), WM_KEYDOWN, VK_HOME, 0);
    hosttest::PumpDialog(m_dlg->hwnd());
    EXPECT_TRUE(scrolledTo(0));
}

TEST_F(ListBoxTest, SortingFollowsEachComparisonFunction)
{
    Fill({L"10", L"9", L"100", L"Apple", L"apple2"});
    m_list->EnableSorting(TRUE);
    EXPECT_TRUE(m_list->IsSortingEnabled());
    EXPECT_EQ(0, m_list->sortColumn());
    m_list->updateNow();
    const auto textOrder = Texts();
    EXPECT_EQ(L"10", textOrder[0]) << "Qt's text order without a function";

    ASSERT_TRUE(m_list->SetColumnCompare(CompareNumbers, 0));
    m_list->sort();
    m_list->updateNow();
    EXPECT_EQ((std::vector<std::wstring>{L"Apple", L"apple2", L"9", L"10", L"100"}), Texts());

    ASSERT_TRUE(m_list->SetColumnCompare(CompareReversed, 0));
    m_list->sort();
    m_list->updateNow();
    EXPECT_EQ((std::vector<std::wstring>{L"apple2", L"Apple", L"9", L"100", L"10"}), Texts());

    ASSERT_TRUE(m_list->SetColumnCompare(CompareByLength, 0));
    m_list->setSorting(0, false);
    m_list->updateNow();
    const auto byLength = Texts();
    EXPECT_EQ(L"apple2", byLength.front()) << "the list applies the direction";
    EXPECT_EQ(L"9", byLength.back());

    ASSERT_TRUE(m_list->SetColumnCompare(nullptr, 0));
    m_list->setSorting(0, true);
    m_list->updateNow();
    EXPECT_EQ(textOrder, Texts());

    m_list->EnableSorting(FALSE);
    EXPECT_EQ(-1, m_list->sortColumn());
}

TEST_F(ListBoxTest, ComparisonListsGrowWithColumnsAddedDirectly)
{
    EXPECT_FALSE(m_list->SetColumnCompare(CompareNumbers, 1)) << "no such column";
    EXPECT_FALSE(m_list->SetColumnCompare(CompareNumbers, -1));
    m_list->addColumn(QString(L"second"));
    m_list->addColumn(QString(L"third"));
    ASSERT_TRUE(m_list->SetColumnCompare(CompareNumbers, 2));
    std::vector<ItemCompareFunc> compares;
    m_list->GetColumnCompares(compares);
    ASSERT_EQ(3u, compares.size());
    EXPECT_EQ(nullptr, compares[1]);
    EXPECT_EQ(&CompareNumbers, compares[2]);

    const auto items = Fill({L"a", L"b", L"c"});
    items[0]->setText(2, QString(L"30"));
    items[1]->setText(2, QString(L"4"));
    items[2]->setText(2, QString(L"200"));
    m_list->setSorting(2, true);
    m_list->updateNow();
    EXPECT_EQ((std::vector<std::wstring>{L"b", L"a", L"c"}), Texts());
}

TEST_F(ListBoxTest, SwappingTopLevelItems)
{
    Fill({L"A", L"B", L"C"});
    EXPECT_FALSE(m_list->SwapItems(2, 2));
    EXPECT_FALSE(m_list->SwapItems(1, 3));
    EXPECT_TRUE(m_list->SwapItems(0, 1));
    m_list->updateNow();
    EXPECT_EQ((std::vector<std::wstring>{L"B", L"A", L"C"}), Texts());
    EXPECT_TRUE(m_list->SwapItems(2, 0));
    m_list->updateNow();
    EXPECT_EQ((std::vector<std::wstring>{L"C", L"A", L"B"}), Texts());
    EXPECT_TRUE(m_list->SwapItems(1, 2));
    m_list->updateNow();
    EXPECT_EQ((std::vector<std::wstring>{L"C", L"B", L"A"}), Texts());
    Fill({L"D"});
    EXPECT_TRUE(m_list->SwapItems(0, 3));
    m_list->updateNow();
    EXPECT_EQ((std::vector<std::wstring>{L"D", L"B", L"A", L"C"}), Texts());
    EXPECT_EQ(4, m_list->GetItemCount());
}

TEST_F(ListBoxTest, IndentingPadsWithSpacesOfTheListsFont)
{
    const int nSpace = QFontMetrics(m_list->font()).width(QString(L" "));
    ASSERT_GT(nSpace, 0);
    QString pad;
    EXPECT_EQ(3, m_list->PadWithSpaces(2 * nSpace + 1, pad));
    EXPECT_EQ(QString(L"   "), pad);
    EXPECT_EQ(0, m_list->PadWithSpaces(0, pad));
    EXPECT_TRUE(pad.isEmpty());
    EXPECT_GE(0, m_list->PadWithSpaces(-5, pad));
    EXPECT_TRUE(pad.isEmpty());

    const auto items = Fill({L"one", L"two"});
    m_list->SetTextIndent(2 * nSpace + 1, 0);
    EXPECT_EQ((std::vector<std::wstring>{L"   one", L"   two"}), Texts());
    m_list->SetTextIndent(nSpace, 0);
    EXPECT_EQ((std::vector<std::wstring>{L" one", L" two"}), Texts());
    auto* pNew = m_list->CreateItem(items[1]);
    m_list->SetItemText(pNew, L"three");
    EXPECT_EQ(QString(L" three"), pNew->text(0)) << "later texts get the same prefix";
    // A text shorter than the old prefix loses what it has, nothing more.
    items[0]->setText(0, QString(L""));
    m_list->SetTextIndent(0, 0);
    EXPECT_EQ((std::vector<std::wstring>{L"", L"two", L"three"}), Texts());
    m_list->SetTextIndent(4 * nSpace, 1);  // the list box indents column 0 only
    EXPECT_EQ((std::vector<std::wstring>{L"", L"two", L"three"}), Texts());
}

TEST_F(ListBoxTest, AlignmentModesAndRedraws)
{
    EXPECT_EQ(CVellListBox::kAlignLeft, m_list->GetColumnAlignment(0));
    m_list->SetColumnAlignment(CVellListBox::kAlignCenter, 0);
    EXPECT_EQ(Qt::AlignHCenter, m_list->columnAlignment(0));
    EXPECT_EQ(CVellListBox::kAlignCenter, m_list->GetColumnAlignment(0));
    m_list->m_nRedraws = 0;
    m_list->SetColumnAlignment(CVellListBox::kAlignCenter, 0);
    EXPECT_EQ(0, m_list->m_nRedraws) << "already centred: nothing happens";
    m_list->SetColumnAlignment(CVellListBox::kAlignRight, 0);
    EXPECT_EQ(CVellListBox::kAlignRight, m_list->GetColumnAlignment(0));
    EXPECT_EQ(1, m_list->m_nRedraws);
    m_list->SetColumnAlignment(7, 0);
    EXPECT_EQ(CVellListBox::kAlignRight, m_list->GetColumnAlignment(0)) << "not a mode: unchanged";
}

TEST_F(ListBoxTest, ItemsOpenCloseAndTakeTheirPictures)
{
    const auto items = Fill({L"A", L"B"});
    QPixmap closed(12, 12), open(14, 14);
    closed.fill(Qt::red);
    open.fill(Qt::blue);
    CVellListItem* p = items[0];
    EXPECT_TRUE(p->IsClosed());
    p->SetClosedPixmap(closed);
    p->SetOpenPixmap(open);
    ASSERT_NE(nullptr, p->pixmap(0));
    EXPECT_EQ(12, p->pixmap(0)->width());
    m_list->SetItemOpen(p, TRUE);
    EXPECT_FALSE(p->IsClosed());
    EXPECT_EQ(14, p->pixmap(0)->width());
    EXPECT_EQ(nullptr, p->pixmap(1));
    p->SetKeepClosed(TRUE);
    m_list->SetItemOpen(p, TRUE);
    EXPECT_TRUE(p->IsClosed());
    EXPECT_FALSE(p->isOpen());
    p->SetClosedPixmap(QPixmap());
    EXPECT_EQ(nullptr, p->pixmap(0)) << "no picture of its own: Qt's (none)";

    // Taken out and put back without being deleted.
    m_list->TakeItem(items[1]);
    EXPECT_EQ(1, m_list->GetItemCount());
    m_list->InsertItem(items[1]);
    EXPECT_EQ(2, m_list->GetItemCount());
    items[1]->SetData(42);
    EXPECT_EQ(42, items[1]->GetData());
    EXPECT_TRUE(m_list->IsItemVisible(items[1]));
    m_list->EnsureItemVisible(items[1]);
    m_list->EnsureItemVisible(nullptr);
}

TEST_F(ListBoxTest, ItemColoursAndSelectionOnPixels)
{
    const auto items = Fill({L"Plain", L"Coloured", L"Selected"});
    items[1]->SetBackColor(QString(L"#ffe0a0"));
    items[1]->SetTextColor(QString(L"#c00000"));
    items[2]->SetTextColor(QString(L"#008000"));
    items[2]->SetBackColor(QString(L"no such colour"));
    m_list->SetItemSelected(items[2], TRUE);
    m_list->updateNow();
    QWidget* vp = m_list->viewport();
    DibSurface dib(vp->width(), vp->height());
    qttest::Render(vp, dib);
    const QRect r0 = m_list->itemRect(items[0]);
    const QRect r1 = m_list->itemRect(items[1]);
    const QRect r2 = m_list->itemRect(items[2]);
    ASSERT_FALSE(r1.isEmpty());
    const int xRight = 0;  // the cell's left margin, before the text
    EXPECT_EQ(m_list->GetColor(2), dib.At(xRight, r0.y() + r0.height() / 2)) << "the list's base colour";
    EXPECT_EQ(RGB(0xff, 0xe0, 0xa0), dib.At(xRight, r1.y() + r1.height() / 2)) << "the item's own background";
    EXPECT_EQ(m_list->GetColor(11), dib.At(xRight, r2.y() + r2.height() / 2)) << "a selected item keeps the highlight";
    auto hasColour = [&](const QRect& r, COLORREF clr) {
        for (int y = r.y(); y < r.y() + r.height(); ++y)
            for (int x = 0; x < vp->width() / 2; ++x)
                if (dib.At(x, y) == clr)
                    return true;
        return false;
    };
    EXPECT_TRUE(hasColour(r1, RGB(0xc0, 0, 0))) << "the item's text colour";
    EXPECT_TRUE(hasColour(r2, RGB(0, 0x80, 0))) << "its own text colour on the highlight";
    EXPECT_FALSE(hasColour(r0, RGB(0xc0, 0, 0)));
}

TEST_F(ListBoxTest, DisabledColoursAndTheHighlightOfTheDisabledGroup)
{
    m_list->SetDisabledBackColor(RGB(100, 110, 120));
    m_list->SetEnabled(FALSE);
    const QPalette& pal = m_list->palette();
    EXPECT_EQ(QColor(100, 110, 120), pal.disabled().highlight()) << "entry 14, not 11";
    EXPECT_EQ(QColor(100, 110, 120), pal.disabled().base());
    EXPECT_EQ(pal.disabled(), pal.inactive()) << "also the inactive group";
    m_list->SetEnabled(TRUE);
    EXPECT_EQ(QColor(161, 177, 204), m_list->palette().active().background()) << "entry 0 behind the items";
}

TEST_F(ListBoxTest, TheScrollBarCornerTakesTheBackgroundColour)
{
    m_list->setHScrollBarMode(QScrollView::AlwaysOn);
    m_list->setVScrollBarMode(QScrollView::AlwaysOn);
    std::vector<const wchar_t*> many(40, L"a long row of text that needs a horizontal bar to be read");
    Fill(many);
    m_list->SetBackColor(RGB(10, 200, 30));  // the effective background is the ambient one
    m_list->SetAmbientBackColor(RGB(250, 40, 120));
    InvalidateRect(m_list->hwnd(), nullptr, TRUE);
    UpdateWindow(m_list->hwnd());
    QScrollBar* h = m_list->horizontalScrollBar();
    QScrollBar* v = m_list->verticalScrollBar();
    ASSERT_TRUE(h->isVisible() && v->isVisible());
    HDC hdc = GetDC(m_list->hwnd());
    const COLORREF clr = GetPixel(hdc, v->x() + v->width() / 2, h->y() + h->height() / 2);
    ReleaseDC(m_list->hwnd(), hdc);
    EXPECT_EQ(RGB(250, 40, 120), clr);
    EXPECT_FALSE(GetUpdateRect(m_list->hwnd(), nullptr, FALSE)) << "the paint validated";
}

TEST_F(ListBoxTest, GdiCountStaysFlat)
{
    std::vector<const wchar_t*> rows(50, L"row");
    Fill(rows);
    msgseq::PumpMessages();
    const DWORD nBefore = qttest::GdiObjects();
    for (int i = 0; i < 50; ++i) {
        m_list->Clear();
        Fill(rows);
        m_list->SetBackColor(RGB(i % 256, 0, 0));
        InvalidateRect(m_list->hwnd(), nullptr, TRUE);
        UpdateWindow(m_list->hwnd());
        UpdateWindow(m_list->viewport()->winId());
    }
    msgseq::PumpMessages();
    // No growth; an object cached before the loop may be released by it.
    EXPECT_LE(qttest::GdiObjects(), nBefore);
}

TEST_F(ListBoxTest, DeletingTheListWithAnOpenEditorEndsItsWindowFirst)
{
    const auto items = Fill({L"Alpha", L"Beta"});
    items[0]->setRenameEnabled(0, true);
    items[0]->startRename(0);
    msgseq::PumpMessages();
    HWND hList = m_list->hwnd();
    HWND hViewport = m_list->viewport()->winId();
    m_dlg->log().Clear();
    m_list.reset();  // the dialog still runs; the list's window and its children go first
    EXPECT_FALSE(IsWindow(hList));
    EXPECT_FALSE(IsWindow(hViewport));
    EXPECT_EQ(nullptr, m_dlg->Item(IDC_FORM_LIST));
    // Whatever the list reported while it went, no message carried an item that was deleted.
    for (const auto& e : m_dlg->log().Entries())
        EXPECT_TRUE(e.lParam == 0 || e.message == QLM_ITEMRENAMED) << msgseq::MessageName(e.message);
    msgseq::PumpMessages();
}

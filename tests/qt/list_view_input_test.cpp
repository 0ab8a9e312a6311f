// The list view's signals for mouse and keys, compared with expected tables; slots that clear or
// delete the list in the middle; renaming in the native edit; drops from the shell and by dragging.
#include "platform/qt/QListView.h"
#include "platform/qt/QToolTip.h"

#include "support/MessageSequence.h"

#include "ListViewRecorder.h"
#include "QtTestSupport.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

class ListInputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_pList = new QListView;
        m_pList->setGeometry(60, 60, 300, 200);
        m_pList->addColumn(QString(L"Name"), 120);
        m_pList->addColumn(QString(L"Kind"), 80);
        m_pList->setSorting(-1);
        QListViewItem* after = nullptr;
        for (const wchar_t* name : {L"A", L"B", L"C", L"D"}) {
            after = new QListViewItem(m_pList, after, QString(name), QString(L"x"));
        }
        m_pList->show();
        qttest::Pump();
        m_pRec = new qttest::ListRecorder(m_pList);
    }
    void TearDown() override
    {
        QListView* lv = m_pRec->m_pList ? m_pList : nullptr;  // a slot may have deleted it
        delete m_pRec;
        delete lv;
    }
    QListViewItem* Item(const char* name)
    {
        for (QListViewItem* i = m_pList->firstChild(); i; i = i->nextSibling())
            if (qttest::ItemName(i) == name)
                return i;
        return nullptr;
    }
    // A point in the viewport on the named item's row, in the given column.
    LPARAM At(const char* name, int column = 0)
    {
        const QRect r = m_pList->itemRect(Item(name));
        const int x = column == 0 ? 30 : 150;
        return MAKELPARAM(x, r.y() + r.height() / 2);
    }
    void Click(LPARAM pos, WPARAM keys = 0)
    {
        HWND h = m_pList->viewport()->winId();
        SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON | keys, pos);
        SendMessageW(h, WM_LBUTTONUP, keys, pos);
    }
    void Key(UINT vk)
    {
        SendMessageW(m_pList->winId(), WM_KEYDOWN, vk, 1);
        SendMessageW(m_pList->winId(), WM_KEYUP, vk, 0xC0000001);
    }

    QListView* m_pList = nullptr;
    qttest::ListRecorder* m_pRec = nullptr;
};

TEST_F(ListInputTest, ClickInSingleModeSelectsThenPressesThenClicks)
{
    Click(At("B"));
    EXPECT_EQ((Log{"currentChanged(B)", "selectionChanged()", "selectionChanged(B)", "pressed(B,0)", "clicked(B,0)",
                   "mouseButtonClicked(1,B,0)"}),
              m_pRec->m_log);
    // The point is the mouse on the screen.
    POINT pt{30, m_pList->itemRect(Item("B")).y() + m_pList->itemRect(Item("B")).height() / 2};
    ClientToScreen(m_pList->viewport()->winId(), &pt);
    EXPECT_EQ(QPoint(pt.x, pt.y), m_pRec->m_lastPoint);
    m_pRec->m_log.clear();
    Click(At("C", 1));
    EXPECT_EQ((Log{"currentChanged(C)", "selectionChanged()", "selectionChanged(C)", "pressed(C,1)", "clicked(C,1)",
                   "mouseButtonClicked(1,C,1)"}),
              m_pRec->m_log);
    EXPECT_FALSE(Item("B")->isSelected());
    EXPECT_EQ(Item("C"), m_pList->selectedItem());
    // Empty space below the rows: the selection goes, the click has no item.
    m_pRec->m_log.clear();
    Click(MAKELPARAM(30, 180));
    EXPECT_EQ((Log{"selectionChanged()", "pressed(null,0)", "clicked(null,0)", "mouseButtonClicked(1,null,0)"}),
              m_pRec->m_log);
    EXPECT_EQ(nullptr, m_pList->selectedItem());
}

TEST_F(ListInputTest, ExtendedSelectionWithControlAndShift)
{
    m_pList->setSelectionMode(QListView::Extended);
    Click(At("A"));
    Click(At("C"), MK_SHIFT);
    EXPECT_TRUE(Item("A")->isSelected());
    EXPECT_TRUE(Item("B")->isSelected());
    EXPECT_TRUE(Item("C")->isSelected());
    EXPECT_FALSE(Item("D")->isSelected());
    EXPECT_EQ(nullptr, m_pList->selectedItem()) << "selectedItem is for Single mode";
    m_pRec->m_log.clear();
    Click(At("B"), MK_CONTROL);
    EXPECT_EQ((Log{"currentChanged(B)", "selectionChanged()", "pressed(B,0)", "clicked(B,0)", "mouseButtonClicked(1,B,0)"}),
              m_pRec->m_log);
    EXPECT_FALSE(Item("B")->isSelected());
    // Keys: Shift+Down extends from the anchor (B), a plain Down selects one.
    Key(VK_DOWN);
    EXPECT_EQ(Item("C"), m_pList->currentItem());
    EXPECT_TRUE(Item("C")->isSelected());
    EXPECT_FALSE(Item("A")->isSelected());
    Key(VK_END);
    EXPECT_EQ(Item("D"), m_pList->currentItem());
    EXPECT_FALSE(Item("C")->isSelected());
}

TEST_F(ListInputTest, KeysMoveTheCurrentItemAndReturnReportsIt)
{
    Key(VK_DOWN);
    EXPECT_EQ(Item("A"), m_pList->currentItem()) << "the first Down lands on the first row";
    Key(VK_DOWN);
    Key(VK_DOWN);
    EXPECT_EQ(Item("C"), m_pList->selectedItem());
    Key(VK_HOME);
    EXPECT_EQ(Item("A"), m_pList->currentItem());
    m_pRec->m_log.clear();
    Key(VK_RETURN);
    EXPECT_EQ((Log{"returnPressed(A)"}), m_pRec->m_log);
    // Typing finds the row by its first letters.
    SendMessageW(m_pList->winId(), WM_CHAR, L'd', 1);
    EXPECT_EQ(Item("D"), m_pList->currentItem());
}

TEST_F(ListInputTest, DoubleClickReportsOnceAndOpensATree)
{
    QListViewItem* a = Item("A");
    (new QListViewItem(a))->setText(0, QString(L"a1"));
    HWND h = m_pList->viewport()->winId();
    const LPARAM p = At("A");
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, p);
    SendMessageW(h, WM_LBUTTONUP, 0, p);
    m_pRec->m_log.clear();
    SendMessageW(h, WM_LBUTTONDBLCLK, MK_LBUTTON, p);
    SendMessageW(h, WM_LBUTTONUP, 0, p);
    EXPECT_EQ((Log{"expanded(A)", "doubleClicked(A)"}), m_pRec->m_log);
    EXPECT_TRUE(a->isOpen());
}

TEST_F(ListInputTest, ASlotThatClearsTheListDuringASignalLeavesNoStalePointers)
{
    // Cleared at the first signal of the press: the rest still arrive, with the item gone (the
    // selection did change; the signal naming the selected item has nothing to name).
    m_pRec->m_clearOn = "currentChanged";
    Click(At("B"));
    EXPECT_EQ((Log{"currentChanged(B)", "selectionChanged()", "pressed(null,0)", "clicked(null,0)",
                   "mouseButtonClicked(1,null,0)"}),
              m_pRec->m_log);
    EXPECT_EQ(0, m_pList->childCount());
    EXPECT_EQ(nullptr, m_pList->currentItem());
    EXPECT_EQ(nullptr, m_pList->selectedItem());
    // The list is usable afterwards.
    QListViewItem* n = new QListViewItem(m_pList, QString(L"N"));
    qttest::Pump();
    m_pRec->m_log.clear();
    Click(MAKELPARAM(30, m_pList->itemRect(n).y() + 2));
    EXPECT_EQ(n, m_pList->currentItem());
    // Cleared in selectionChanged() of a key press, then Return on nothing.
    m_pRec->m_clearOn = "selectionChanged";
    new QListViewItem(m_pList, n, QString(L"M"));
    Key(VK_DOWN);
    EXPECT_EQ(0, m_pList->childCount());
    Key(VK_RETURN);
    Key(VK_DOWN);
}

TEST_F(ListInputTest, ASlotThatDeletesTheListDuringASignalEndsTheHandlingQuietly)
{
    m_pRec->m_deleteOn = "selectionChanged";
    Click(At("C"));
    EXPECT_EQ(nullptr, m_pRec->m_pList);
    EXPECT_EQ((Log{"currentChanged(C)", "selectionChanged()"}), m_pRec->m_log);
    m_pList = nullptr;
}

TEST_F(ListInputTest, RenamingInTheEditAcceptsWithReturnAndDropsWithEscape)
{
    QListViewItem* b = Item("B");
    b->setRenameEnabled(0, true);
    b->startRename(0);
    ASSERT_TRUE(m_pList->isRenaming());
    HWND hEdit = GetFocus();
    ASSERT_TRUE(IsChild(m_pList->winId(), hEdit));
    wchar_t cls[16] = {};
    GetClassNameW(hEdit, cls, 16);
    EXPECT_STREQ(L"Edit", cls);
    SetWindowTextW(hEdit, L"Bee");
    SendMessageW(hEdit, WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_FALSE(IsWindow(hEdit));
    EXPECT_EQ((Log{"itemRenamed(Bee,0,Bee)"}), m_pRec->m_log);
    EXPECT_EQ("Bee", b->text(0).utf8());
    EXPECT_EQ(m_pList->winId(), GetFocus());

    m_pRec->m_log.clear();
    b->startRename(0);
    hEdit = GetFocus();
    SetWindowTextW(hEdit, L"Nope");
    SendMessageW(hEdit, WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_TRUE(m_pRec->m_log.empty());
    EXPECT_EQ("Bee", b->text(0).utf8());
    // A column without renaming opens nothing.
    b->startRename(1);
    EXPECT_FALSE(m_pList->isRenaming());
}

TEST_F(ListInputTest, AnOpenEditorFollowsTheDefaultRenameActionWhenTheListChanges)
{
    QListViewItem* b = Item("B");
    b->setRenameEnabled(0, true);
    m_pList->setDefaultRenameAction(QListView::Accept);
    b->startRename(0);
    SetWindowTextW(GetFocus(), L"Kept");
    m_pList->scrollBy(0, 1);  // any scrolling ends the editor
    m_pList->setFocus();
    EXPECT_FALSE(m_pList->isRenaming());
    EXPECT_EQ("Kept", b->text(0).utf8());
    // Deleted under the editor: the editor goes, nothing is reported for the dead item.
    m_pRec->m_log.clear();
    b->startRename(0);
    HWND hEdit = GetFocus();
    delete b;
    EXPECT_FALSE(IsWindow(hEdit));
    EXPECT_FALSE(m_pList->isRenaming());
    EXPECT_TRUE(m_pRec->m_log.empty());
}

TEST_F(ListInputTest, ShellDropsArriveAsDroppedWithTheirFiles)
{
    m_pList->setAcceptDrops(true);
    const wchar_t files[] = L"C:\\a.txt\0C:\\b b.txt\0";
    const SIZE_T cb = sizeof(DROPFILES) + sizeof(files);
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, cb);
    auto* df = static_cast<DROPFILES*>(GlobalLock(h));
    df->pFiles = sizeof(DROPFILES);
    df->pt = POINT{20, 40};
    df->fWide = TRUE;
    memcpy(reinterpret_cast<BYTE*>(df) + sizeof(DROPFILES), files, sizeof(files));
    GlobalUnlock(h);
    SendMessageW(m_pList->winId(), WM_DROPFILES, reinterpret_cast<WPARAM>(h), 0);
    ASSERT_EQ((Log{"dropped(2)"}), m_pRec->m_log);
    EXPECT_EQ("C:\\b b.txt", m_pRec->m_droppedFiles[0][1].utf8());
}

TEST_F(ListInputTest, DraggingAnItemDropsItOnTheListUnderTheMouse)
{
    m_pList->setAcceptDrops(true);
    QListViewItem* a = Item("A");
    a->setDragEnabled(true);
    SetWindowPos(m_pList->winId(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    HWND h = m_pList->viewport()->winId();
    const LPARAM from = At("A");
    const LPARAM to = At("D");
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, from);
    SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(LOWORD(from) + 2, HIWORD(from) + 20));
    SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, to);
    m_pRec->m_log.clear();
    SendMessageW(h, WM_LBUTTONUP, 0, to);
    POINT pt{LOWORD(to), HIWORD(to)};
    ClientToScreen(h, &pt);
    if (m_pRec->m_log.empty() && GetAncestor(WindowFromPoint(pt), GA_ROOT) != m_pList->winId())
        GTEST_SKIP() << "another program's window covers the list on the shared screen";
    EXPECT_EQ((Log{"dropped(0)"}), m_pRec->m_log);
    EXPECT_NE(GetCapture(), h);
}

TEST_F(ListInputTest, ACutCellShowsItsWholeTextAsATipAndAWholeOneShowsNone)
{
    QToolTip::setWakeUpDelay(20);
    QListViewItem* a = Item("A");
    a->setText(0, QString(L"A name far too long for the hundred and twenty pixels of its column"));
    qttest::Pump();
    HWND h = m_pList->viewport()->winId();
    SendMessageW(h, WM_MOUSEMOVE, 0, At("B"));  // B fits: no tip
    Sleep(80);
    qttest::Pump();
    EXPECT_EQ(nullptr, QToolTip::visibleTip());
    SendMessageW(h, WM_MOUSEMOVE, 0, At("A"));
    EXPECT_TRUE(msgseq::PollFor([] { return QToolTip::visibleTip() != nullptr; }));
    QToolTip::hide();
    m_pList->setShowToolTips(false);
    SendMessageW(h, WM_MOUSEMOVE, 0, At("D"));
    SendMessageW(h, WM_MOUSEMOVE, 0, At("A"));
    Sleep(80);
    qttest::Pump();
    EXPECT_EQ(nullptr, QToolTip::visibleTip());
}

}  // namespace

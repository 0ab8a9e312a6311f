#pragma once
// The form of the tree view and list view tests: a tree view and a list view in place of their
// Win32 placeholders, the dialog recording what they send, and helpers that act as the mouse does
// (messages to the real header and viewport windows).
#include "toolkit/qtcontrols/VellListView.h"

#include "platform/qt/QHeader.h"
#include "platform/qt/QScrollBar.h"

#include "HostTestSupport.h"
#include "ListViewTestIds.h"
#include "support/MessageSequence.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace viewtest {

class CTestTree : public CVellTreeView {
public:
    HWND hwnd() const { return CWnd::m_hWnd; }
};

class CTestListView : public CVellListView {
public:
    using CVellListView::PaintHeaderCorner;
    void Redraw() override
    {
        ++m_nRedraws;
        CVellListView::Redraw();
    }
    HWND hwnd() const { return CWnd::m_hWnd; }
    const QPalette& HeaderPalette() const { return m_headerPalette; }
    int m_nRedraws = 0;
};

inline LPARAM L(const void* p)
{
    return reinterpret_cast<LPARAM>(p);
}

class ViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The placeholders' window classes.
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES};
        ASSERT_TRUE(InitCommonControlsEx(&icc));
        m_dlg = std::make_unique<hosttest::TestDialog>(IDD_VIEW_FORM);
        ASSERT_NE(nullptr, m_dlg->hwnd());
        m_tree = std::make_unique<CTestTree>();
        ASSERT_TRUE(m_tree->AttachDlgItem(IDC_VIEW_TREE, m_dlg->wnd()));
        m_view = std::make_unique<CTestListView>();
        ASSERT_TRUE(m_view->AttachDlgItem(IDC_VIEW_LIST, m_dlg->wnd()));
        msgseq::PumpMessages();
    }
    void TearDown() override
    {
        m_view.reset();
        m_tree.reset();
        m_dlg.reset();
        msgseq::PumpMessages();
    }

    // Rows of the list view, one text per column.
    std::vector<CVellListItem*> FillView(const std::vector<std::vector<const wchar_t*>>& rows)
    {
        std::vector<CVellListItem*> items;
        CVellListItem* pLast = nullptr;
        for (const auto& row : rows) {
            pLast = m_view->CreateItem(pLast);
            for (size_t c = 0; c < row.size(); ++c)
                m_view->SetItemColumnText(pLast, static_cast<int>(c), row[c]);
            items.push_back(pLast);
        }
        m_view->updateNow();
        msgseq::PumpMessages();
        return items;
    }
    // Column 0 of the list view's rows, top to bottom.
    std::vector<std::wstring> ViewOrder()
    {
        m_view->updateNow();
        std::vector<std::wstring> texts;
        for (CVellListItem* p = m_view->GetFirstItem(); p; p = m_view->GetNextItem(p))
            texts.push_back(p->text(0).str());
        return texts;
    }
    // A left click in the middle of a header section, as the mouse gives it.
    void ClickSection(int nSection)
    {
        const QRect r = m_view->header()->sectionRect(nSection);
        const LPARAM pt = MAKELPARAM(r.x() + r.width() / 2, r.y() + r.height() / 2);
        HWND hHeader = m_view->header()->winId();
        SendMessageW(hHeader, WM_LBUTTONDOWN, MK_LBUTTON, pt);
        SendMessageW(hHeader, WM_LBUTTONUP, 0, pt);
        hosttest::PumpDialog(m_dlg->hwnd());
    }
    // Mouse messages to a list's viewport at a viewport point.
    void ClickViewport(QListView* pList, int x, int y)
    {
        HWND hViewport = pList->viewport()->winId();
        SendMessageW(hViewport, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageW(hViewport, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        hosttest::PumpDialog(m_dlg->hwnd());
    }
    // The native rename editor of a list, once it shows.
    static HWND FindEditor(QListView* pList)
    {
        HWND hEdit = nullptr;
        msgseq::PollFor([&] {
            hEdit = FindWindowExW(pList->viewport()->winId(), nullptr, L"Edit", nullptr);
            return hEdit != nullptr;
        });
        return hEdit;
    }

    std::unique_ptr<hosttest::TestDialog> m_dlg;
    std::unique_ptr<CTestTree> m_tree;
    std::unique_ptr<CTestListView> m_view;
};

}  // namespace viewtest

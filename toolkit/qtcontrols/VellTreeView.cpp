// The tree view: construction with decorated top-level items, the tree-view placeholder and its
// styles, focus loss and open/close notifications, and walking the children of an item.
#include "toolkit/qtcontrols/VellTreeView.h"

IMPLEMENT_DYNAMIC(CVellTreeView, CVellListBox)

namespace {

// Caption, vertical scroll bar and sizing frame of the placeholder: the tree draws its own bar.
constexpr DWORD kRemovedStyles = WS_CAPTION | WS_VSCROLL | WS_THICKFRAME;
constexpr DWORD kRemovedExStyles = WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE | WS_EX_CONTEXTHELP | WS_EX_STATICEDGE | WS_EX_LAYOUTRTL;

}  // namespace

CVellTreeView::CVellTreeView(CWnd* pOwner) : CVellListBox(pOwner)
{
    setRootIsDecorated(true);
}

CVellTreeView::~CVellTreeView()
{
    // The window's last messages still reach the whole tree.
    DestroyHostWindow();
}

BOOL CVellTreeView::AttachDlgItem(UINT nID, CWnd* pParent)
{
    return ReplaceDlgItem(nID, pParent, L"SysTreeView32");
}

BOOL CVellTreeView::AdjustHostStyles(DWORD* pStyle, DWORD* pExStyle)
{
    if (pStyle)
        *pStyle &= ~kRemovedStyles;
    if (pExStyle)
        *pExStyle &= ~kRemovedExStyles;
    return SetStyles(pStyle, pExStyle);
}

BOOL CVellTreeView::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    // The host re-sends WM_KILLFOCUS with wParam 0: only the first one tells the dialog.
    if (message == WM_KILLFOCUS && wParam && CWnd::m_hWnd) {
        HWND hFocus = ::GetFocus();
        if (!hFocus || !::IsChild(CWnd::m_hWnd, hFocus)) {
            Notify(QLM_KILLFOCUS, 0);
            if (!::IsWindow(CWnd::m_hWnd))
                return TRUE;  // the dialog answered by destroying the tree
        }
    }
    return CVellListBox::OnWndMsg(message, wParam, lParam, pResult);
}

void CVellTreeView::collapsed(QListViewItem* item)
{
    Notify(QLM_COLLAPSED, reinterpret_cast<LPARAM>(AsItem(item)));
}

void CVellTreeView::expanded(QListViewItem* item)
{
    Notify(QLM_EXPANDED, reinterpret_cast<LPARAM>(AsItem(item)));
}

int CVellTreeView::GetChildCount(QListViewItem* pItem)
{
    return pItem ? pItem->childCount() : childCount();
}

BOOL CVellTreeView::IsItemOpen(QListViewItem* pItem)
{
    return pItem && pItem->isOpen();
}

CVellListItem* CVellTreeView::CreateChildItem(CVellListItem* pParent, CVellListItem* pAfter)
{
    if (!pParent)
        return CreateItem(pAfter);
    return pAfter ? new CVellListItem(pParent, pAfter) : new CVellListItem(pParent);
}

CVellListItem* CVellTreeView::GetParentItem(CVellListItem* pItem)
{
    return pItem ? AsItem(pItem->parent()) : nullptr;
}

CVellListItem* CVellTreeView::GetFirstChild(CVellListItem* pItem)
{
    // The children of no item are the top-level items.
    return pItem ? AsItem(pItem->firstChild()) : GetFirstItem();
}

CVellListItem* CVellTreeView::GetNextSibling(CVellListItem* pItem)
{
    return pItem ? AsItem(pItem->nextSibling()) : nullptr;
}

CVellListItem* CVellTreeView::GetNextItem(CVellListItem* pItem)
{
    return pItem ? AsItem(pItem->nextSibling()) : nullptr;
}

CVellListItem* CVellTreeView::GetChildAt(CVellListItem* pParent, int nIndex)
{
    if (nIndex < 0)
        return nullptr;
    CVellListItem* pItem = GetFirstChild(pParent);
    for (int i = 0; i < nIndex && pItem; ++i)
        pItem = GetNextSibling(pItem);
    return pItem;
}

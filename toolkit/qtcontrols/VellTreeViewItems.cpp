// The tree view's operations over items at every depth: text indentation of any column, the
// selected descendants in depth-first order, and exchanging two children of one parent.
#include "toolkit/qtcontrols/VellTreeView.h"

namespace {

// The text without its first nCount characters (all of it gone when it is shorter).
QString WithoutFront(const QString& text, int nCount)
{
    if (nCount <= 0)
        return text;
    const uint n = static_cast<uint>(nCount);
    return n < text.length() ? text.mid(n) : QString(L"");
}

}  // namespace

void CVellTreeView::PrefixChildTexts(CVellListItem* pParent, const QString& strPrefix, int nColumn)
{
    if (!pParent)
        return;
    for (CVellListItem* pChild = GetFirstChild(pParent); pChild; pChild = GetNextSibling(pChild)) {
        pChild->setText(nColumn, strPrefix + pChild->text(nColumn));
        PrefixChildTexts(pChild, strPrefix, nColumn);
    }
}

void CVellTreeView::StripChildTexts(CVellListItem* pParent, int nCount, int nColumn)
{
    if (!pParent)
        return;
    for (CVellListItem* pChild = GetFirstChild(pParent); pChild; pChild = GetNextSibling(pChild)) {
        pChild->setText(nColumn, WithoutFront(pChild->text(nColumn), nCount));
        StripChildTexts(pChild, nCount, nColumn);
    }
}

void CVellTreeView::SetTextIndent(int nPixels, int nColumn)
{
    if (nColumn < 0)
        return;
    const auto it = m_textIndent.find(nColumn);
    if (it == m_textIndent.end()) {
        m_textIndent[nColumn] = nPixels;
    } else {
        // The old prefix goes from every depth before the new one is put in front.
        QString scratch;
        const int nOld = PadWithSpaces(it->second, scratch);
        for (CVellListItem* pItem = GetFirstItem(); pItem; pItem = GetNextItem(pItem)) {
            pItem->setText(nColumn, WithoutFront(pItem->text(nColumn), nOld));
            StripChildTexts(pItem, nOld, nColumn);
        }
        it->second = nPixels;
    }
    QString prefix;
    PadWithSpaces(m_textIndent[nColumn], prefix);
    for (CVellListItem* pItem = GetFirstItem(); pItem; pItem = GetNextItem(pItem)) {
        pItem->setText(nColumn, prefix + pItem->text(nColumn));
        PrefixChildTexts(pItem, prefix, nColumn);
    }
    Redraw();
}

void CVellTreeView::CollectSelectedChildren(CVellListItem* pItem, std::vector<CVellListItem*>& items)
{
    if (!pItem)
        return;
    for (CVellListItem* pChild = GetFirstChild(pItem); pChild; pChild = GetNextSibling(pChild)) {
        if (pChild->isSelected())
            items.push_back(pChild);
        CollectSelectedChildren(pChild, items);
    }
}

BOOL CVellTreeView::SwapChildren(CVellListItem* pParent, int nIndex1, int nIndex2)
{
    const int nLow = nIndex1 < nIndex2 ? nIndex1 : nIndex2;
    const int nHigh = nIndex1 < nIndex2 ? nIndex2 : nIndex1;
    CVellListItem* p = GetChildAt(pParent, nLow);
    CVellListItem* q = GetChildAt(pParent, nHigh);
    if (!p || !q || p == q)
        return FALSE;
    // The siblings before each of them, taken before anything moves. (The rows shown above them
    // may be grandchildren of an open sibling, which moveItem does not take as a place.)
    CVellListItem* r = nLow > 0 ? GetChildAt(pParent, nLow - 1) : nullptr;
    CVellListItem* s = GetChildAt(pParent, nHigh - 1);
    ExchangeSiblings(p, q, r, s);
    return TRUE;
}

#include "toolkit/qtcontrols/VellListItem.h"

#include "platform/qt/QPainter.h"
#include "toolkit/qtcontrols/QtConversions.h"
#include "toolkit/qtcontrols/VellListBox.h"

namespace {

QListView* ListOf(CVellListBox* pList)
{
    return pList;
}

// A colour by name; an empty or unknown name gives the fallback.
QColor NamedOr(const QString& name, const QColor& fallback)
{
    if (name.isEmpty())
        return fallback;
    QColor color;
    color.setNamedColor(name);
    return color.isValid() ? color : fallback;
}

}  // namespace

CVellListItem::CVellListItem(CVellListBox* pList) : QListViewItem(ListOf(pList)) {}
CVellListItem::CVellListItem(CVellListBox* pList, QListViewItem* pAfter) : QListViewItem(ListOf(pList), pAfter) {}
CVellListItem::CVellListItem(QListViewItem* pParent) : QListViewItem(pParent) {}
CVellListItem::CVellListItem(QListViewItem* pParent, QListViewItem* pAfter) : QListViewItem(pParent, pAfter) {}
CVellListItem::~CVellListItem() = default;

int CVellListItem::compare(QListViewItem* other, int column, bool ascending) const
{
    if (auto* pList = dynamic_cast<CVellListBox*>(listView()); pList && other && column >= 0) {
        const std::vector<ItemCompareFunc>& compares = pList->ColumnCompares();
        if (static_cast<size_t>(column) < compares.size() && compares[static_cast<size_t>(column)]) {
            const CString strThis = QStringToCString(text(column));
            const CString strOther = QStringToCString(other->text(column));
            return compares[static_cast<size_t>(column)](&strThis, &strOther);
        }
    }
    return QListViewItem::compare(other, column, ascending);
}

void CVellListItem::setOpen(bool open)
{
    if (open && !m_bKeepClosed) {
        m_bClosed = FALSE;
        QListViewItem::setOpen(true);
    } else {
        m_bClosed = TRUE;
        QListViewItem::setOpen(false);
    }
}

const QPixmap* CVellListItem::pixmap(int column) const
{
    if (column == 0) {
        const QPixmapWithMask& picture = m_bClosed ? m_closedPixmap : m_openPixmap;
        if (picture.HasPicture())
            return picture.pixmap.Get();
    }
    return QListViewItem::pixmap(column);
}

void CVellListItem::paintCell(QPainter* p, const QColorGroup& cg, int column, int width, int alignment)
{
    QColorGroup group(cg);
    const QColor text = NamedOr(m_strTextColor, cg.text());
    group.setColor(QColorGroup::Base, NamedOr(m_strBackColor, cg.base()));
    group.setColor(QColorGroup::Text, text);
    group.setColor(QColorGroup::HighlightedText, text);
    // The cell's text is laid out from the top of its rectangle; the painter keeps text on a
    // baseline for its own drawText, which would lift the cell's text by its ascent.
    HDC hdc = p ? p->handle() : nullptr;
    const UINT nOldAlign = hdc ? ::GetTextAlign(hdc) : 0;
    if (hdc)
        ::SetTextAlign(hdc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    QListViewItem::paintCell(p, group, column, width, alignment);
    if (hdc && nOldAlign != GDI_ERROR)
        ::SetTextAlign(hdc, nOldAlign);
}

void CVellListItem::TakeChild(QListViewItem* pItem)
{
    QListViewItem::takeItem(pItem);
}

void CVellListItem::InsertChild(QListViewItem* pItem)
{
    QListViewItem::insertItem(pItem);
}

void CVellListItem::SetClickColumn(int nColumn)
{
    if (nColumn >= 0)
        m_nColumn = nColumn;
}

void CVellListItem::SetClickPoint(const QPoint& point)
{
    m_ptClick = POINT{point.x(), point.y()};
}

void CVellListItem::SetTextColor(const QString& name)
{
    m_strTextColor = name;
    RepaintIfShown();
}

void CVellListItem::SetBackColor(const QString& name)
{
    m_strBackColor = name;
    RepaintIfShown();
}

void CVellListItem::SetOpenPixmap(const QPixmap& picture, const QBitmap* pMask)
{
    if (picture.isNull())
        m_openPixmap.Clear();
    else
        m_openPixmap.SetCopy(picture, pMask);
    setup();  // the row height follows the picture
    RepaintIfShown();
}

void CVellListItem::SetClosedPixmap(const QPixmap& picture, const QBitmap* pMask)
{
    if (picture.isNull())
        m_closedPixmap.Clear();
    else
        m_closedPixmap.SetCopy(picture, pMask);
    setup();
    RepaintIfShown();
}

void CVellListItem::RepaintIfShown() const
{
    if (listView())
        repaint();
}

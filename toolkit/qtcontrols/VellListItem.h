#pragma once
// An item of the toolkit's Qt-hosted lists: a QListViewItem with the details of the last click or
// rename reported for it, the owner's value, optional text and background colours (by name) and
// optional pictures for column 0 while open and while closed.
#include "platform/mfc/CString.h"
#include "platform/qt/QListView.h"
#include "toolkit/qtcontrols/PixmapWithMask.h"

class CVellListBox;

class CVellListItem : public QListViewItem {
public:
    explicit CVellListItem(CVellListBox* pList);
    CVellListItem(CVellListBox* pList, QListViewItem* pAfter);
    explicit CVellListItem(QListViewItem* pParent);
    CVellListItem(QListViewItem* pParent, QListViewItem* pAfter);
    ~CVellListItem() override;

    // The column's comparison function of the list when it has one, else Qt's text order.
    int compare(QListViewItem* other, int column, bool ascending) const override;
    // Opens unless the item is kept closed; remembers which it did.
    void setOpen(bool open) override;
    // Column 0 shows the open or the closed picture when the item holds one.
    const QPixmap* pixmap(int column) const override;
    // The item's own text and background colours, when it has them; a selected item keeps the
    // list's highlight behind its own text colour.
    void paintCell(QPainter* p, const QColorGroup& cg, int column, int width, int alignment) override;

    virtual void TakeChild(QListViewItem* pItem);
    virtual void InsertChild(QListViewItem* pItem);

    void SetData(int nData) { m_nData = nData; }
    int GetData() const { return m_nData; }
    // Kept only for a column of 0 or more.
    void SetClickColumn(int nColumn);
    int GetClickColumn() const { return m_nColumn; }
    void SetClickPoint(const QPoint& point);
    QPoint GetClickPoint() const { return QPoint(m_ptClick.x, m_ptClick.y); }
    // Any name QColor::setNamedColor takes; empty: the list's own colour.
    void SetTextColor(const QString& name);
    void SetBackColor(const QString& name);
    const QString& GetTextColor() const { return m_strTextColor; }
    const QString& GetBackColor() const { return m_strBackColor; }
    // Copies of the pictures (and masks); a null picture removes it.
    void SetOpenPixmap(const QPixmap& picture, const QBitmap* pMask = nullptr);
    void SetClosedPixmap(const QPixmap& picture, const QBitmap* pMask = nullptr);
    void SetKeepClosed(BOOL bKeepClosed) { m_bKeepClosed = bKeepClosed; }
    BOOL GetKeepClosed() const { return m_bKeepClosed; }
    BOOL IsClosed() const { return m_bClosed; }
    CString& GetTag() { return m_strTag; }

private:
    void RepaintIfShown() const;

    int m_nColumn = -1;
    POINT m_ptClick{-1, -1};
    int m_nData = 0;
    QString m_strTextColor;
    QString m_strBackColor;
    QPixmapWithMask m_openPixmap;
    QPixmapWithMask m_closedPixmap;
    BOOL m_bClosed = TRUE;
    BOOL m_bKeepClosed = FALSE;
    CString m_strTag;
};

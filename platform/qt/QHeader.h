#pragma once
// A row of labelled sections (horizontal): click a section to press it, drag its right edge to
// resize it. Painted from an off-screen buffer.
#include "platform/qt/QPixmap.h"
#include "platform/qt/QWidget.h"

#include <vector>

class QPainter;

class QHeader : public QWidget {
    Q_OBJECT
public:
    explicit QHeader(QWidget* parent = nullptr, const char* name = nullptr);
    QHeader(int n, QWidget* parent = nullptr, const char* name = nullptr);

    int addLabel(const QString& label, int size = -1);
    void removeLabel(int section);
    virtual void setLabel(int section, const QString& label, int size = -1);
    QString label(int section) const;
    int count() const { return static_cast<int>(m_sections.size()); }
    Orientation orientation() const { return Horizontal; }

    int sectionSize(int section) const;
    int sectionPos(int section) const;  // in header coordinates, before the offset
    int sectionAt(int pos) const;       // the same coordinates; -1 outside every section
    QRect sectionRect(int section) const;  // in widget coordinates
    void resizeSection(int section, int size);
    int headerWidth() const;
    int offset() const { return m_nOffset; }
    int mapToSection(int index) const { return index; }
    int mapToIndex(int section) const { return section; }

    void setClickEnabled(bool enable, int section = -1);
    bool isClickEnabled(int section = -1) const;
    void setResizeEnabled(bool enable, int section = -1);
    bool isResizeEnabled(int section = -1) const;
    void setSortIndicator(int section, bool ascending = true);
    int sortIndicatorSection() const { return m_nSortSection; }
    bool sortIndicatorOrder() const { return m_bSortAscending; }
    // The section held down by the mouse, or -1.
    int pressedSection() const { return m_bPressedDown ? m_nPressed : -1; }

    QSize sizeHint() const override;

public slots:
    virtual void setOffset(int pos);

signals:
    void clicked(int section);
    void pressed(int section);
    void released(int section);
    void sizeChange(int section, int oldSize, int newSize);
    void sectionHandleDoubleClicked(int section);

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    bool winEvent(MSG* msg, LRESULT* result) override;
    virtual void paintSection(QPainter* p, int index, const QRect& fr);

private:
    struct Section {
        QString label;
        int size;
        bool clickable;
        bool resizable;
    };
    int HandleAt(int x) const;  // the section whose right edge is under widget x, or -1

    std::vector<Section> m_sections;
    int m_nOffset = 0;
    int m_nPressed = -1;
    bool m_bPressedDown = false;
    int m_nResizing = -1;
    int m_nResizeStartX = 0;
    int m_nResizeStartSize = 0;
    int m_nSortSection = -1;
    bool m_bSortAscending = true;
    bool m_bClickEnabled = true;
    bool m_bResizeEnabled = true;
    QPixmap m_buffer;
};

#pragma once
// A widget with a frame: a shape (box, panel, Windows panel, styled panel, lines) and a shadow
// (plain, raised, sunken). The contents lie inside the frame.
#include "platform/qt/QWidget.h"

class QPainter;

class QFrame : public QWidget {
    Q_OBJECT
public:
    // Shapes and shadows in one enumeration, so that StyledPanel | Sunken combines them.
    enum FrameStyle {
        NoFrame = 0, Box = 0x0001, Panel = 0x0002, WinPanel = 0x0003, HLine = 0x0004, VLine = 0x0005,
        StyledPanel = 0x0006, PopupPanel = 0x0007, MenuBarPanel = 0x0008, ToolBarPanel = 0x0009,
        LineEditPanel = 0x000a, TabWidgetPanel = 0x000b, GroupBoxPanel = 0x000c, MShape = 0x000f,
        Plain = 0x0010, Raised = 0x0020, Sunken = 0x0030, MShadow = 0x00f0
    };
    typedef FrameStyle Shape;
    typedef FrameStyle Shadow;

    explicit QFrame(QWidget* parent = nullptr, const char* name = nullptr, WFlags f = 0);

    int frameStyle() const { return m_nStyle; }
    virtual void setFrameStyle(int style);
    Shape frameShape() const { return static_cast<Shape>(m_nStyle & MShape); }
    void setFrameShape(Shape s) { setFrameStyle((m_nStyle & MShadow) | s); }
    Shadow frameShadow() const { return static_cast<Shadow>(m_nStyle & MShadow); }
    void setFrameShadow(Shadow s) { setFrameStyle((m_nStyle & MShape) | s); }
    int lineWidth() const { return m_nLineWidth; }
    virtual void setLineWidth(int w);
    int midLineWidth() const { return m_nMidLineWidth; }
    virtual void setMidLineWidth(int w);
    // Pixels that the frame takes on each side.
    int frameWidth() const;
    QRect frameRect() const { return rect(); }
    QRect contentsRect() const;

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    virtual void drawFrame(QPainter* p);
    virtual void drawContents(QPainter* p);
    // The frame changed its width: a chance to lay the contents out again.
    virtual void frameChanged();

private:
    int m_nStyle = NoFrame | Plain;
    int m_nLineWidth = 1;
    int m_nMidLineWidth = 0;
};

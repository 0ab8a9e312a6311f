#include "platform/qt/QFrame.h"

#include "platform/qt/QDrawUtil.h"

#include <cstring>

QMetaObject* QFrame::staticMetaObject()
{
    static QMetaObject meta("QFrame", QWidget::staticMetaObject(), nullptr, 0, nullptr, 0);
    return &meta;
}
QMetaObject* QFrame::metaObject() const { return staticMetaObject(); }
const char* QFrame::className() const { return "QFrame"; }
void* QFrame::qt_cast(const char* name)
{
    return name && std::strcmp(name, "QFrame") == 0 ? this : QWidget::qt_cast(name);
}
bool QFrame::qt_invoke(int id, QUObject* o) { return QWidget::qt_invoke(id, o); }
bool QFrame::qt_emit(int id, QUObject* o) { return QWidget::qt_emit(id, o); }

QFrame::QFrame(QWidget* parent, const char* name, WFlags f) : QWidget(parent, name, f) {}

void QFrame::setFrameStyle(int style)
{
    const int old = frameWidth();
    m_nStyle = style;
    if (old != frameWidth())
        frameChanged();
    update();
}

void QFrame::setLineWidth(int w)
{
    const int old = frameWidth();
    m_nLineWidth = w < 0 ? 0 : w;
    if (old != frameWidth())
        frameChanged();
    update();
}

void QFrame::setMidLineWidth(int w)
{
    const int old = frameWidth();
    m_nMidLineWidth = w < 0 ? 0 : w;
    if (old != frameWidth())
        frameChanged();
    update();
}

int QFrame::frameWidth() const
{
    switch (frameShape()) {
    case NoFrame:
    case HLine:
    case VLine:
        return 0;
    case WinPanel:
        return 2;
    case Box:
        return frameShadow() == Plain ? m_nLineWidth : 2 * m_nLineWidth + m_nMidLineWidth;
    case StyledPanel:
    case PopupPanel:
    case LineEditPanel:
        // The Windows look: a styled panel is two pixels deep unless drawn flat.
        return frameShadow() == Plain ? m_nLineWidth : 2;
    default:
        return m_nLineWidth;
    }
}

QRect QFrame::contentsRect() const
{
    const int fw = frameWidth();
    return QRect(fw, fw, width() - 2 * fw, height() - 2 * fw);
}

void QFrame::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    drawFrame(&p);
    drawContents(&p);
}

void QFrame::resizeEvent(QResizeEvent*) {}
void QFrame::frameChanged() {}
void QFrame::drawContents(QPainter*) {}

void QFrame::drawFrame(QPainter* p)
{
    const QColorGroup& g = colorGroup();
    const int w = width(), h = height();
    const Shadow shadow = frameShadow();
    const bool sunken = shadow == Sunken;
    switch (frameShape()) {
    case NoFrame:
        return;
    case Box:
        if (shadow == Plain)
            qDrawPlainRect(p, 0, 0, w, h, g.foreground(), m_nLineWidth);
        else
            qDrawShadeRect(p, 0, 0, w, h, g, sunken, m_nLineWidth, m_nMidLineWidth);
        return;
    case WinPanel:
        if (shadow == Plain)
            qDrawPlainRect(p, 0, 0, w, h, g.foreground(), 2);
        else
            qDrawWinPanel(p, 0, 0, w, h, g, sunken);
        return;
    case HLine:
    case VLine: {
        const bool horizontal = frameShape() == HLine;
        const int depth = shadow == Plain ? m_nLineWidth : 2 * m_nLineWidth + m_nMidLineWidth;
        if (horizontal) {
            const int y = (h - depth) / 2;
            if (shadow == Plain)
                p->fillRect(0, y, w, depth, QBrush(g.foreground()));
            else
                qDrawShadeLine(p, 0, y, w - 1, y, g, sunken, m_nLineWidth, m_nMidLineWidth);
        } else {
            const int x = (w - depth) / 2;
            if (shadow == Plain)
                p->fillRect(x, 0, depth, h, QBrush(g.foreground()));
            else
                qDrawShadeLine(p, x, 0, x, h - 1, g, sunken, m_nLineWidth, m_nMidLineWidth);
        }
        return;
    }
    case StyledPanel:
    case PopupPanel:
    case LineEditPanel:
        if (shadow == Plain)
            qDrawPlainRect(p, 0, 0, w, h, g.foreground(), m_nLineWidth);
        else
            qDrawWinPanel(p, 0, 0, w, h, g, sunken);
        return;
    default:
        if (shadow == Plain)
            qDrawPlainRect(p, 0, 0, w, h, g.foreground(), m_nLineWidth);
        else
            qDrawShadePanel(p, 0, 0, w, h, g, sunken, m_nLineWidth);
        return;
    }
}

#pragma once
// Tool tips: fixed texts for a widget or a part of it (add/remove), and dynamic tips that a subclass
// gives on request (maybeTip). A tip appears after the mouse rests on the widget and goes with the
// next mouse press, key press or when the mouse leaves. Palette and font are application-wide.
#include "platform/qt/QFont.h"
#include "platform/qt/QPalette.h"
#include "platform/qt/QWidget.h"

class QToolTip : public Qt {
public:
    explicit QToolTip(QWidget* parent);
    virtual ~QToolTip();
    QToolTip(const QToolTip&) = delete;
    QToolTip& operator=(const QToolTip&) = delete;

    static void add(QWidget* widget, const QString& text);
    static void add(QWidget* widget, const QRect& rect, const QString& text);
    static void remove(QWidget* widget);
    static void remove(QWidget* widget, const QRect& rect);
    static QFont font();
    static void setFont(const QFont& font);
    static QPalette palette();
    static void setPalette(const QPalette& palette);
    static void hide();
    static void setGloballyEnabled(bool enable);
    static bool isGloballyEnabled();
    static void setWakeUpDelay(int ms);
    // The tip on screen, or null (for tests and the gallery).
    static QWidget* visibleTip();

    QWidget* parentWidget() const { return m_pParent; }

protected:
    // Called when the mouse has rested at pos; call tip() to show one.
    virtual void maybeTip(const QPoint& pos) = 0;
    void tip(const QRect& rect, const QString& text);
    void clear();

private:
    friend class QTipManager;
    QWidget* m_pParent;
};

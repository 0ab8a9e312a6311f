#include "toolkit/qtcontrols/QtWidgetAccess.h"

#include "platform/qt/QApplication.h"

namespace {

// Qt keeps these members for its subclasses. A host is not one of them, but every hosted widget
// is: the members are reached the way a subclass names them.
struct StateAccess : QWidget {
    static constexpr void (QWidget::*kSet)(uint) = &StateAccess::setWState;
    static constexpr void (QWidget::*kClear)(uint) = &StateAccess::clearWState;
    static constexpr void (QWidget::*kSetRect)(const QRect&) = &StateAccess::setCRect;
};

}  // namespace

namespace QtWidgetAccess {

void SetStateFlags(QWidget* pWidget, uint nFlags)
{
    if (pWidget)
        (pWidget->*StateAccess::kSet)(nFlags);
}

void ClearStateFlags(QWidget* pWidget, uint nFlags)
{
    if (pWidget)
        (pWidget->*StateAccess::kClear)(nFlags);
}

void SetGeometryRecord(QWidget* pWidget, const QRect& rect)
{
    if (pWidget)
        (pWidget->*StateAccess::kSetRect)(rect);
}

void RecordActiveWindow(QWidget* pWidget)
{
    if (qApp)
        QApplication::setActiveWindowRecord(pWidget);
}

}  // namespace QtWidgetAccess

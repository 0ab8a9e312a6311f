#pragma once
// The parts of a Qt widget's inner state that a host changes directly, without the events that the
// public setters send: the widget state flags and the geometry record (what geometry() answers),
// plus Qt's record of the active window.
#include "platform/qt/QWidget.h"

namespace QtWidgetAccess {

void SetStateFlags(QWidget* pWidget, uint nFlags);
void ClearStateFlags(QWidget* pWidget, uint nFlags);
// Only the record: the window is not moved.
void SetGeometryRecord(QWidget* pWidget, const QRect& rect);
// What QApplication::activeWindow answers from now on; no activation events are sent.
void RecordActiveWindow(QWidget* pWidget);

}  // namespace QtWidgetAccess

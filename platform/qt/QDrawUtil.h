#pragma once
// Shaded lines, panels and Windows-style panels and buttons in the colours of a colour group.
#include "platform/qt/QPainter.h"
#include "platform/qt/QPalette.h"

void qDrawShadeLine(QPainter* p, int x1, int y1, int x2, int y2, const QColorGroup& g, bool sunken = true,
                    int lineWidth = 1, int midLineWidth = 0);
void qDrawShadeRect(QPainter* p, int x, int y, int w, int h, const QColorGroup& g, bool sunken = false,
                    int lineWidth = 1, int midLineWidth = 0, const QBrush* fill = nullptr);
void qDrawShadePanel(QPainter* p, int x, int y, int w, int h, const QColorGroup& g, bool sunken = false,
                     int lineWidth = 1, const QBrush* fill = nullptr);
// Two-pixel panel: Light and Midlight against Shadow and Dark.
void qDrawWinPanel(QPainter* p, int x, int y, int w, int h, const QColorGroup& g, bool sunken = false,
                   const QBrush* fill = nullptr);
void qDrawWinButton(QPainter* p, int x, int y, int w, int h, const QColorGroup& g, bool sunken = false,
                    const QBrush* fill = nullptr);
void qDrawPlainRect(QPainter* p, int x, int y, int w, int h, const QColor& c, int lineWidth = 1,
                    const QBrush* fill = nullptr);

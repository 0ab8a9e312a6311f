#pragma once
// One character of the "Marlett" symbol font, centred in a rectangle, in the DC's text colour.
#include "platform/mfc/CDC.h"

// The rectangle is shrunk by 2 on every side and the glyph fills its height.
void DrawMarlettGlyph(CDC* pDC, const RECT& rect, wchar_t ch, BOOL bBold);

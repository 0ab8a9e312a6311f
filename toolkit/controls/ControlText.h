#pragma once
// The toolkit's caption layout: a caption stays on one line cut to the width (optionally with a
// marker), or is word-wrapped into lines drawn from the top or from the bottom and cut at the last
// line that fits. Disabled captions are embossed in two shades of one colour. Also the dotted lines
// and rectangles of focus cues.
//
// Everything measures with the font selected into the DC and draws with its text colour and
// background mode; every routine leaves the DC as it found it.
#include "platform/mfc/CDC.h"
#include "platform/mfc/CString.h"

#include <vector>

using CVellLineList = std::vector<CString>;

// The marker that shows a cut.
inline constexpr wchar_t kTruncationMarker[] = L".";

// Draws text into rect with horizontal alignment 0 left, 1 centre, other right, and vertical alignment
// 0 top, 1 centre, other bottom (a wrapped text: 0 and 1 from the top, 2 from the bottom, any other
// value draws nothing). TRUE when not all of the text could be shown: it was cut, lines were dropped,
// a line did not fit the height or the width, or the font gave no line height.
BOOL DrawControlText(const CString& text, CDC* pDC, RECT rect, int nHAlign, int nVAlign, BOOL bSingleLine,
                     BOOL bMarker, BOOL bEnabled, COLORREF clrDisabled);

// Appends the lines of text word-wrapped to nWidth: breaks at white space (dropped at the break), a
// word longer than a line split at its last fitting character. FALSE when not one character fits;
// the lines appended until then stay.
BOOL WrapTextLines(const CString& text, CDC* pDC, int nWidth, CVellLineList& lines);

// The longest start (or end, with bKeepEnd) of text that is narrower than nWidth together with the
// marker; just the marker (or "") when nothing fits.
void TruncateText(CString& text, CDC* pDC, BOOL bKeepEnd, int nWidth, BOOL bMarker);

// One line, plain or (disabled) embossed: lighter at rect, darker one pixel up and left. Returns the
// first DrawText result.
int DrawTextLine(CDC* pDC, const CString& text, const RECT* pRect, UINT nFlags, BOOL bEnabled,
                 COLORREF clrDisabled);

// A one-pixel dotted rectangle on rect's edge pixels (right - 1 and bottom - 1 for the right and bottom
// edges); the pattern runs on around the corners. bDotFirstPixel sets the top left pixel.
void DrawDottedRect(CDC* pDC, const RECT* pRect, BOOL bDotFirstPixel, COLORREF clr);

// Every second pixel from nFrom towards nTo (at least one, at nFrom) on row (bHorizontal) or column
// nFixed. 1 when the pixel at nTo was skipped (the next edge of a rectangle starts one further on),
// else 0.
int DrawDottedLine(CDC* pDC, int nFrom, int nTo, int nFixed, BOOL bHorizontal, COLORREF clr);

#pragma once
// Conversions between the Win32/MFC side of a hosted control and its Qt widget: colours, fonts,
// rectangles, points and strings. They live with the host, not in the Qt layer, which knows nothing
// of either.
#include "platform/mfc/CString.h"
#include "platform/qt/QColor.h"
#include "platform/qt/QFont.h"
#include "platform/qt/QString.h"

#include <windows.h>

#include <string>

// The QColor with the colour's red, green and blue.
QColor ColorRefToQColor(COLORREF clr);
COLORREF QColorToColorRef(const QColor& color);

// The toolkit's font conversion: face name; a cell height of 0 or more taken as points unchanged,
// any negative height as 12 points; weights 300, 600, 700 and 900 as Light, DemiBold, Bold and Black,
// every other weight as Normal; never italic, underline or strike-out.
QFont LogFontToQFont(const LOGFONTW& lf);
// The same, read from a Win32 font; a font that cannot be read gives a default QFont.
QFont LogFontToQFont(HFONT hFont);

QRect RectToQRect(const RECT& rc);
RECT QRectToRect(const QRect& r);

QString CStringToQString(const CString& str);
CString QStringToCString(const QString& str);
// UTF-8 of a wide string (object names of the Qt side).
std::string WideToUtf8(const wchar_t* psz);

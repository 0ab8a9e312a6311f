#include "toolkit/qtcontrols/QtConversions.h"

QColor ColorRefToQColor(COLORREF clr)
{
    return QColor(GetRValue(clr), GetGValue(clr), GetBValue(clr));
}

COLORREF QColorToColorRef(const QColor& color)
{
    return RGB(color.red(), color.green(), color.blue());
}

QFont LogFontToQFont(const LOGFONTW& lf)
{
    wchar_t szFace[LF_FACESIZE + 1] = {};
    wcsncpy_s(szFace, lf.lfFaceName, LF_FACESIZE);  // a face name that fills the array has no terminator
    int nWeight;
    switch (lf.lfWeight) {
    case FW_LIGHT: nWeight = QFont::Light; break;
    case FW_SEMIBOLD: nWeight = QFont::DemiBold; break;
    case FW_BOLD: nWeight = QFont::Bold; break;
    case FW_HEAVY: nWeight = QFont::Black; break;
    default: nWeight = QFont::Normal; break;
    }
    const int nPoints = lf.lfHeight >= 0 ? static_cast<int>(lf.lfHeight) : 12;
    QFont font(QString(szFace), nPoints, nWeight, false);
    return font;
}

QFont LogFontToQFont(HFONT hFont)
{
    LOGFONTW lf{};
    if (!hFont || ::GetObjectW(hFont, sizeof(lf), &lf) != static_cast<int>(sizeof(lf)))
        return QFont();
    return LogFontToQFont(lf);
}

QRect RectToQRect(const RECT& rc)
{
    return QRect(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
}

RECT QRectToRect(const QRect& r)
{
    return RECT{r.x(), r.y(), r.x() + r.width(), r.y() + r.height()};
}

QString CStringToQString(const CString& str)
{
    return QString(std::wstring(str.GetString(), static_cast<size_t>(str.GetLength())));
}

CString QStringToCString(const QString& str)
{
    return CString(str.ucs2(), static_cast<int>(str.length()));
}

std::string WideToUtf8(const wchar_t* psz)
{
    if (!psz || !*psz)
        return std::string();
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, psz, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1)
        return std::string();
    std::string out(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, psz, -1, out.data(), n, nullptr, nullptr);
    out.resize(static_cast<size_t>(n - 1));
    return out;
}

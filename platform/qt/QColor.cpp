#include "platform/qt/QColor.h"

#include <cstdio>
#include <cwctype>

namespace {
const QColor color0(0, 0, 0), color1(255, 255, 255), black(0, 0, 0), white(255, 255, 255),
    darkGray(128, 128, 128), gray(160, 160, 164), lightGray(192, 192, 192), red(255, 0, 0), green(0, 255, 0),
    blue(0, 0, 255), cyan(0, 255, 255), magenta(255, 0, 255), yellow(255, 255, 0), darkRed(128, 0, 0),
    darkGreen(0, 128, 0), darkBlue(0, 0, 128), darkCyan(0, 128, 128), darkMagenta(128, 0, 128),
    darkYellow(128, 128, 0);
}

const QColor &Qt::color0 = ::color0, &Qt::color1 = ::color1, &Qt::black = ::black, &Qt::white = ::white,
             &Qt::darkGray = ::darkGray, &Qt::gray = ::gray, &Qt::lightGray = ::lightGray, &Qt::red = ::red,
             &Qt::green = ::green, &Qt::blue = ::blue, &Qt::cyan = ::cyan, &Qt::magenta = ::magenta,
             &Qt::yellow = ::yellow, &Qt::darkRed = ::darkRed, &Qt::darkGreen = ::darkGreen,
             &Qt::darkBlue = ::darkBlue, &Qt::darkCyan = ::darkCyan, &Qt::darkMagenta = ::darkMagenta,
             &Qt::darkYellow = ::darkYellow;

namespace {

struct NamedColor {
    const wchar_t* name;
    int r, g, b;
};

// The names a caller of this program writes; lower case, compared without case and blanks.
const NamedColor kNames[] = {
    {L"black", 0, 0, 0},         {L"white", 255, 255, 255},     {L"red", 255, 0, 0},
    {L"green", 0, 128, 0},       {L"lime", 0, 255, 0},          {L"blue", 0, 0, 255},
    {L"navy", 0, 0, 128},        {L"yellow", 255, 255, 0},      {L"cyan", 0, 255, 255},
    {L"magenta", 255, 0, 255},   {L"gray", 190, 190, 190},      {L"grey", 190, 190, 190},
    {L"darkgray", 169, 169, 169}, {L"lightgray", 211, 211, 211}, {L"darkred", 139, 0, 0},
    {L"darkgreen", 0, 100, 0},   {L"darkblue", 0, 0, 139},      {L"orange", 255, 165, 0},
    {L"purple", 160, 32, 240},   {L"brown", 165, 42, 42},       {L"maroon", 176, 48, 96},
    {L"silver", 192, 192, 192},  {L"teal", 0, 128, 128},        {L"olive", 128, 128, 0},
    {L"pink", 255, 192, 203},    {L"gold", 255, 215, 0},        {L"steelblue", 70, 130, 180},
    {L"lightblue", 173, 216, 230}, {L"lightyellow", 255, 255, 224}, {L"beige", 245, 245, 220},
};

int HexDigit(wchar_t c)
{
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (c >= L'a' && c <= L'f')
        return c - L'a' + 10;
    if (c >= L'A' && c <= L'F')
        return c - L'A' + 10;
    return -1;
}

int Clamp(int v)
{
    return v < 0 ? 0 : (v > 255 ? 255 : v);
}

}  // namespace

void QColor::setRgb(int r, int g, int b)
{
    m_r = Clamp(r);
    m_g = Clamp(g);
    m_b = Clamp(b);
    m_bValid = true;
}

void QColor::setNamedColor(const QString& name)
{
    *this = QColor();
    const std::wstring& s = name.str();
    if (!s.empty() && s[0] == L'#') {
        const size_t n = s.size() - 1;
        if (n != 3 && n != 6)
            return;
        int v[6];
        for (size_t i = 0; i < n; ++i) {
            v[i] = HexDigit(s[i + 1]);
            if (v[i] < 0)
                return;
        }
        if (n == 3)
            setRgb(v[0] * 17, v[1] * 17, v[2] * 17);
        else
            setRgb(v[0] * 16 + v[1], v[2] * 16 + v[3], v[4] * 16 + v[5]);
        return;
    }
    std::wstring key;
    for (wchar_t c : s) {
        if (!std::iswspace(c))
            key += static_cast<wchar_t>(std::towlower(c));
    }
    for (const NamedColor& c : kNames) {
        if (key == c.name) {
            setRgb(c.r, c.g, c.b);
            return;
        }
    }
}

QString QColor::name() const
{
    wchar_t buf[8];
    std::swprintf(buf, 8, L"#%02x%02x%02x", m_r, m_g, m_b);
    return QString(buf);
}

QColor QColor::light(int factor) const
{
    if (factor <= 0)
        return *this;
    return QColor(m_r * factor / 100, m_g * factor / 100, m_b * factor / 100);
}

QColor QColor::dark(int factor) const
{
    if (factor <= 0)
        return *this;
    return QColor(m_r * 100 / factor, m_g * 100 / factor, m_b * 100 / factor);
}

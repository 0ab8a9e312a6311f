#include "platform/qt/QFont.h"

#include <cwchar>

struct QFont::Handle {
    explicit Handle(HFONT h) : hFont(h) {}
    ~Handle()
    {
        if (hFont)
            DeleteObject(hFont);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HFONT hFont;
};

namespace {

int ScreenDpi()
{
    HDC hdc = GetDC(nullptr);
    const int dpi = hdc ? GetDeviceCaps(hdc, LOGPIXELSY) : 96;
    if (hdc)
        ReleaseDC(nullptr, hdc);
    return dpi > 0 ? dpi : 96;
}

// A screen-compatible DC with the font selected, released and restored with the object.
class FontDC {
public:
    explicit FontDC(HFONT hFont) : m_hdc(CreateCompatibleDC(nullptr)), m_hOld(m_hdc ? SelectObject(m_hdc, hFont) : nullptr) {}
    ~FontDC()
    {
        if (m_hdc) {
            SelectObject(m_hdc, m_hOld);
            DeleteDC(m_hdc);
        }
    }
    FontDC(const FontDC&) = delete;
    FontDC& operator=(const FontDC&) = delete;
    HDC get() const { return m_hdc; }

private:
    HDC m_hdc;
    HGDIOBJ m_hOld;
};

// Qt's weights 0..99 against GDI's 100..900, through the named weights of both.
const int kWeights[][2] = {{0, 100}, {25, 300}, {50, 400}, {63, 600}, {75, 700}, {87, 900}, {99, 900}};

int Interpolate(int v, int from, int to)
{
    for (size_t i = 1; i < sizeof(kWeights) / sizeof(kWeights[0]); ++i) {
        const int a0 = kWeights[i - 1][from], a1 = kWeights[i][from];
        if (v <= a1 || i + 1 == sizeof(kWeights) / sizeof(kWeights[0])) {
            const int b0 = kWeights[i - 1][to], b1 = kWeights[i][to];
            if (v <= a0 || a1 == a0)
                return v <= a0 ? b0 : b1;
            return b0 + (v - a0) * (b1 - b0) / (a1 - a0);
        }
    }
    return 400;
}

}  // namespace

QFont::QFont() : QFont(QString(L"MS Sans Serif"), 8) {}

QFont::QFont(const QString& family, int pointSize, int weight, bool italic)
    : m_family(family), m_nPointSize(pointSize < 1 ? 1 : pointSize), m_nWeight(weight), m_bItalic(italic),
      m_handle(std::make_shared<Handle>(nullptr))
{
}

void QFont::Changed()
{
    m_handle = std::make_shared<Handle>(nullptr);
}

void QFont::setFamily(const QString& family) { m_family = family; Changed(); }
void QFont::setPointSize(int points) { m_nPointSize = points < 1 ? 1 : points; Changed(); }
void QFont::setWeight(int weight) { m_nWeight = weight < 0 ? 0 : (weight > 99 ? 99 : weight); Changed(); }
void QFont::setItalic(bool b) { m_bItalic = b; Changed(); }
void QFont::setUnderline(bool b) { m_bUnderline = b; Changed(); }
void QFont::setStrikeOut(bool b) { m_bStrikeOut = b; Changed(); }

LOGFONTW QFont::toLogFont() const
{
    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(m_nPointSize, ScreenDpi(), 72);
    lf.lfWeight = Interpolate(m_nWeight, 0, 1);
    lf.lfItalic = m_bItalic;
    lf.lfUnderline = m_bUnderline;
    lf.lfStrikeOut = m_bStrikeOut;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    wcsncpy(lf.lfFaceName, m_family.ucs2(), LF_FACESIZE - 1);
    return lf;
}

QFont QFont::fromLogFont(const LOGFONTW& lf)
{
    int points = lf.lfHeight;
    if (lf.lfHeight < 0)
        points = MulDiv(-lf.lfHeight, 72, ScreenDpi());
    else if (lf.lfHeight > 0)
        points = MulDiv(lf.lfHeight, 72, ScreenDpi());
    int weight = Normal;
    if (lf.lfWeight != 0)
        weight = Interpolate(static_cast<int>(lf.lfWeight), 1, 0);
    QFont f(QString(std::wstring(lf.lfFaceName, wcsnlen(lf.lfFaceName, LF_FACESIZE))), points < 1 ? 8 : points,
            weight, lf.lfItalic != 0);
    f.setUnderline(lf.lfUnderline != 0);
    f.setStrikeOut(lf.lfStrikeOut != 0);
    return f;
}

HFONT QFont::handle() const
{
    if (!m_handle->hFont) {
        const LOGFONTW lf = toLogFont();
        m_handle->hFont = CreateFontIndirectW(&lf);
    }
    return m_handle->hFont;
}

bool operator==(const QFont& a, const QFont& b)
{
    return a.m_family == b.m_family && a.m_nPointSize == b.m_nPointSize && a.m_nWeight == b.m_nWeight &&
           a.m_bItalic == b.m_bItalic && a.m_bUnderline == b.m_bUnderline && a.m_bStrikeOut == b.m_bStrikeOut;
}

QFontMetrics::QFontMetrics(const QFont& font) : m_font(font)
{
    FontDC dc(m_font.handle());
    if (dc.get())
        GetTextMetricsW(dc.get(), &m_tm);
}

int QFontMetrics::width(const QString& text, int len) const
{
    const int n = len < 0 || len > static_cast<int>(text.length()) ? static_cast<int>(text.length()) : len;
    if (n == 0)
        return 0;
    FontDC dc(m_font.handle());
    SIZE sz{};
    if (!dc.get() || !GetTextExtentPoint32W(dc.get(), text.ucs2(), n, &sz))
        return 0;
    return sz.cx;
}

QSize QFontMetrics::size(int flags, const QString& text) const
{
    FontDC dc(m_font.handle());
    RECT r{0, 0, 0, 0};
    UINT fmt = DT_CALCRECT | DT_NOPREFIX;
    if (flags & Qt::SingleLine)
        fmt |= DT_SINGLELINE;
    if (dc.get())
        DrawTextW(dc.get(), text.ucs2(), static_cast<int>(text.length()), &r, fmt);
    return QSize(r.right - r.left, r.bottom - r.top);
}

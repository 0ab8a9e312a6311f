// Control text layout on DIB sections. Widths come from the test's own DC with the same font; what
// a layout draws is compared with the same lines drawn directly with DrawText where they belong.
#include "tests/support/TestSupport.h"
#include "toolkit/controls/ControlText.h"
#include "toolkit/controls/ToolkitFont.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <tuple>

namespace {

constexpr COLORREF kPaper = RGB(255, 255, 255);
constexpr UINT kLine = DT_SINGLELINE | DT_NOPREFIX;

// A white DIB with the toolkit's 12-pixel font selected (without antialiasing, so that every ink
// pixel has the text colour), black text, transparent background.
class TextSurface {
public:
    TextSurface(int cx, int cy) : m_dib(cx, cy, kPaper)
    {
        LOGFONTW lf = MakeLogFont(-12, FW_NORMAL);
        lf.lfQuality = NONANTIALIASED_QUALITY;
        m_hFont = CreateFontIndirectW(&lf);
        m_hOld = SelectObject(m_dib.dc(), m_hFont);
        SetTextColor(m_dib.dc(), RGB(0, 0, 0));
        SetBkMode(m_dib.dc(), TRANSPARENT);
        m_dc.Attach(m_dib.dc());
    }
    ~TextSurface()
    {
        m_dc.Detach();
        SelectObject(m_dib.dc(), m_hOld);
        DeleteObject(m_hFont);
    }
    CDC* dc() { return &m_dc; }
    HDC hdc() const { return m_dib.dc(); }
    DibSurface& dib() { return m_dib; }
    int Width(const wchar_t* psz) const
    {
        SIZE size{};
        GetTextExtentPoint32W(m_dib.dc(), psz, lstrlenW(psz), &size);
        return size.cx;
    }
    int LineHeight() const
    {
        TEXTMETRICW tm{};
        GetTextMetricsW(m_dib.dc(), &tm);
        return tm.tmHeight + tm.tmExternalLeading;
    }
    // Draws one line the way the layout should have.
    void Line(const wchar_t* psz, RECT rc, UINT nFlags) { DrawTextW(m_dib.dc(), psz, -1, &rc, nFlags); }

private:
    DibSurface m_dib;
    HFONT m_hFont = nullptr;
    HGDIOBJ m_hOld = nullptr;
    CDC m_dc;
};

// The first pixel where the two surfaces differ, or "" when they are equal.
std::string Difference(const DibSurface& a, const DibSurface& b)
{
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.At(x, y) != b.At(x, y)) {
                char sz[96];
                std::snprintf(sz, sizeof(sz), "(%d, %d): %s vs %s", x, y, RgbText(a.At(x, y)).c_str(),
                              RgbText(b.At(x, y)).c_str());
                return sz;
            }
    return "";
}

bool Blank(const DibSurface& s)
{
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x)
            if (s.At(x, y) != kPaper)
                return false;
    return true;
}

CVellLineList Wrap(TextSurface& s, const wchar_t* psz, int nWidth, BOOL* pResult = nullptr)
{
    CVellLineList lines;
    const BOOL bResult = WrapTextLines(psz, s.dc(), nWidth, lines);
    if (pResult)
        *pResult = bResult;
    return lines;
}

std::vector<std::wstring> Strings(const CVellLineList& lines)
{
    std::vector<std::wstring> out;
    for (const CString& line : lines)
        out.push_back(line.GetString());
    return out;
}

}  // namespace

TEST(ControlTextTest, SingleLineFitsOrIsCut)
{
    TextSurface s(200, 40), expected(200, 40);
    const wchar_t* text = L"Caption & more";
    const int w = s.Width(text);
    EXPECT_FALSE(DrawControlText(text, s.dc(), CRect(0, 0, 200, 40), 1, 1, TRUE, FALSE, TRUE, 0));
    expected.Line(text, CRect(0, 0, 200, 40), DT_CENTER | DT_VCENTER | kLine);
    EXPECT_EQ("", Difference(s.dib(), expected.dib())) << "drawn once, both alignments, the ampersand literal";

    // One pixel too wide: cut (keeping the start), reported.
    s.dib().Fill(kPaper);
    expected.dib().Fill(kPaper);
    EXPECT_TRUE(DrawControlText(text, s.dc(), CRect(0, 0, w - 1, 40), 0, 0, TRUE, TRUE, TRUE, 0));
    CString cut = text;
    TruncateText(cut, expected.dc(), FALSE, w - 1, TRUE);
    ASSERT_GT(cut.GetLength(), 1);
    EXPECT_EQ(L'.', cut[cut.GetLength() - 1]) << "the marker";
    EXPECT_EQ(CString(text).Left(cut.GetLength() - 1), cut.Left(cut.GetLength() - 1)) << "the start kept";
    expected.Line(cut, CRect(0, 0, w - 1, 40), DT_LEFT | DT_TOP | kLine);
    EXPECT_EQ("", Difference(s.dib(), expected.dib()));

    // Right-aligned text keeps its end.
    s.dib().Fill(kPaper);
    expected.dib().Fill(kPaper);
    EXPECT_TRUE(DrawControlText(text, s.dc(), CRect(0, 0, w / 2, 40), 2, 2, TRUE, FALSE, TRUE, 0));
    cut = text;
    TruncateText(cut, expected.dc(), TRUE, w / 2, FALSE);
    EXPECT_EQ(CString(text).Right(cut.GetLength()), cut);
    expected.Line(cut, CRect(0, 0, w / 2, 40), DT_RIGHT | DT_BOTTOM | kLine);
    EXPECT_EQ("", Difference(s.dib(), expected.dib()));

    // Taller than the rectangle: drawn, but reported.
    EXPECT_TRUE(DrawControlText(L"Low", s.dc(), CRect(0, 0, 200, s.LineHeight() - 2), 0, 0, TRUE, FALSE, TRUE, 0));
}

TEST(ControlTextTest, WithoutSingleLineTheLineFeedDecides)
{
    TextSurface s(200, 60), expected(200, 60);
    // No line feed, fits: one line with the vertical flag (centred).
    EXPECT_FALSE(DrawControlText(L"Centred", s.dc(), CRect(0, 0, 200, 60), 0, 1, FALSE, FALSE, TRUE, 0));
    expected.Line(L"Centred", CRect(0, 0, 200, 60), DT_LEFT | DT_VCENTER | kLine);
    EXPECT_EQ("", Difference(s.dib(), expected.dib()));

    // A line feed takes the multi-line path even when the text fits: lines from the top.
    s.dib().Fill(kPaper);
    expected.dib().Fill(kPaper);
    const int h = s.LineHeight();
    EXPECT_FALSE(DrawControlText(L"a\n\nb", s.dc(), CRect(0, 0, 200, 60), 0, 1, FALSE, FALSE, TRUE, 0));
    expected.Line(L"a", CRect(0, 0, 200, h), DT_LEFT | kLine);
    expected.Line(L"b", CRect(0, 2 * h, 200, 3 * h), DT_LEFT | kLine);
    EXPECT_EQ("", Difference(s.dib(), expected.dib())) << "a, an empty line, b";

    s.dib().Fill(kPaper);
    expected.dib().Fill(kPaper);
    EXPECT_FALSE(DrawControlText(L"a\n", s.dc(), CRect(0, 0, 200, h), 0, 0, FALSE, FALSE, TRUE, 0))
        << "a trailing line feed adds no line: one line fits one line's height";
    expected.Line(L"a", CRect(0, 0, 200, h), DT_LEFT | kLine);
    EXPECT_EQ("", Difference(s.dib(), expected.dib()));

    s.dib().Fill(kPaper);
    EXPECT_FALSE(DrawControlText(L"x\ny", s.dc(), CRect(0, 0, 200, 60), 0, 5, FALSE, FALSE, TRUE, 0));
    EXPECT_TRUE(Blank(s.dib())) << "an unknown vertical alignment draws no wrapped lines";
}

TEST(ControlTextTest, WrapTextLines)
{
    TextSurface s(10, 10);
    EXPECT_EQ((std::vector<std::wstring>{L"alpha beta", L"gamma"}),
              Strings(Wrap(s, L"alpha beta gamma", s.Width(L"alpha beta"))))
        << "the space at the break is dropped";
    EXPECT_EQ((std::vector<std::wstring>{L"alpha", L"beta", L"gamma"}),
              Strings(Wrap(s, L"alpha   beta gamma", s.Width(L"alpha bet"))));
    EXPECT_EQ((std::vector<std::wstring>{L"short"}), Strings(Wrap(s, L"short", s.Width(L"short"))));
    EXPECT_EQ((std::vector<std::wstring>{L""}), Strings(Wrap(s, L"", 5)));

    // A word wider than the line is split at its last character that fits.
    const int w = s.Width(L"1234") + 1;
    ASSERT_EQ(s.Width(L"1"), s.Width(L"9")) << "digits share one width";
    EXPECT_EQ((std::vector<std::wstring>{L"1234", L"5678", L"90"}), Strings(Wrap(s, L"1234567890", w)));

    // Not one character fits: FALSE, with the lines made so far.
    BOOL bResult = TRUE;
    ASSERT_LT(s.Width(L"i"), s.Width(L"W"));
    EXPECT_EQ((std::vector<std::wstring>{L"i"}), Strings(Wrap(s, L"i WWW", s.Width(L"i"), &bResult)));
    EXPECT_FALSE(bResult);
    EXPECT_TRUE(Wrap(s, L"abc", 0, &bResult).empty());
    EXPECT_FALSE(bResult);
}

TEST(ControlTextTest, WrappingIsALoopNotARecursionPerLine)
{
    // Thousands of lines on a small stack: one stack frame per line would not fit in it.
    std::wstring text;
    for (int i = 0; i < 3000; ++i)
        text += L"ab ";
    size_t nLines = 0;
    BOOL bResult = FALSE;
    HANDLE hThread = CreateThread(
        nullptr, 64 * 1024,
        [](void* p) -> DWORD {
            auto* args = static_cast<std::tuple<const std::wstring*, size_t*, BOOL*>*>(p);
            TextSurface s(10, 10);
            CVellLineList lines;
            *std::get<2>(*args) = WrapTextLines(std::get<0>(*args)->c_str(), s.dc(), s.Width(L"ab"), lines);
            *std::get<1>(*args) = lines.size();
            return 0;
        },
        new std::tuple<const std::wstring*, size_t*, BOOL*>(&text, &nLines, &bResult),
        STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
    ASSERT_NE(nullptr, hThread);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(hThread, 60000));
    DWORD exitCode = 1;
    GetExitCodeThread(hThread, &exitCode);
    CloseHandle(hThread);
    EXPECT_EQ(0u, exitCode);
    EXPECT_TRUE(bResult);
    EXPECT_EQ(3000u, nLines);
}

TEST(ControlTextTest, TruncateText)
{
    TextSurface s(10, 10);
    const int w = s.Width(L"1234");
    ASSERT_LT(s.Width(L"."), s.Width(L"1"));
    CString text = L"123456";
    TruncateText(text, s.dc(), TRUE, w, TRUE);
    EXPECT_EQ(CString(L".456"), text) << "the marker counts towards the width";
    text = L"123456";
    TruncateText(text, s.dc(), FALSE, w, FALSE);
    EXPECT_EQ(CString(L"123"), text) << "strictly narrower than the width";
    text = L"123456";
    TruncateText(text, s.dc(), FALSE, w + 1, FALSE);
    EXPECT_EQ(CString(L"1234"), text);
    text = L"123";
    TruncateText(text, s.dc(), FALSE, 1, TRUE);
    EXPECT_EQ(CString(L"."), text) << "nothing fits: just the marker";
    text = L"123";
    TruncateText(text, s.dc(), TRUE, 1, FALSE);
    EXPECT_EQ(CString(L""), text);
}

TEST(ControlTextTest, ThreeLinesInTwoLinesHeight)
{
    TextSurface s(200, 60), expected(200, 60);
    const int h = s.LineHeight();
    const wchar_t* text = L"first\nsecond\nthird";
    const CRect rc(0, 0, 200, 2 * h + h / 2);
    EXPECT_TRUE(DrawControlText(text, s.dc(), rc, 0, 0, FALSE, TRUE, TRUE, 0));
    CString second = L"second";
    TruncateText(second, expected.dc(), FALSE, 200, TRUE);
    EXPECT_EQ(CString(L"second."), second) << "the last visible line shows the marker";
    expected.Line(L"first", CRect(0, 0, 200, h), DT_LEFT | kLine);
    expected.Line(second, CRect(0, h, 200, 2 * h), DT_LEFT | kLine);
    EXPECT_EQ("", Difference(s.dib(), expected.dib())) << "top-down: lines 1 and 2";

    s.dib().Fill(kPaper);
    expected.dib().Fill(kPaper);
    EXPECT_TRUE(DrawControlText(text, s.dc(), rc, 2, 2, FALSE, TRUE, TRUE, 0));
    second = L"second";
    TruncateText(second, expected.dc(), TRUE, 200, TRUE);
    expected.Line(L"third", CRect(0, rc.bottom - h, 200, rc.bottom), DT_RIGHT | kLine);
    expected.Line(second, CRect(0, rc.bottom - 2 * h, 200, rc.bottom - h), DT_RIGHT | kLine);
    EXPECT_EQ("", Difference(s.dib(), expected.dib())) << "bottom-up: lines 3 and 2";
}

TEST(ControlTextTest, RectangleLowerThanOneLineShowsOneLine)
{
    TextSurface s(200, 60), expected(200, 60);
    const int h = s.LineHeight();
    EXPECT_TRUE(DrawControlText(L"one\ntwo\nthree", s.dc(), CRect(0, 0, 200, h / 2), 0, 0, FALSE, TRUE, TRUE, 0));
    CString first = L"one";
    TruncateText(first, expected.dc(), FALSE, 200, TRUE);
    expected.Line(first, CRect(0, 0, 200, h), DT_LEFT | kLine);
    EXPECT_EQ("", Difference(s.dib(), expected.dib())) << "not every line";

    // One line in a rectangle lower than itself is not shown whole either, from the top or the bottom.
    for (int nVAlign : {0, 2}) {
        s.dib().Fill(kPaper);
        EXPECT_TRUE(DrawControlText(L"one\n", s.dc(), CRect(0, 0, 200, h / 2), 0, nVAlign, FALSE, TRUE, TRUE, 0))
            << "vertical alignment " << nVAlign;
    }
    EXPECT_FALSE(DrawControlText(L"one\n", s.dc(), CRect(0, 0, 200, h), 0, 0, FALSE, TRUE, TRUE, 0))
        << "exactly one line high";
}

TEST(ControlTextTest, FailuresReportTruncatedAndDrawNothing)
{
    TextSurface s(200, 60);
    // Not one character fits the width: the wrap fails, which is not "all shown".
    EXPECT_TRUE(DrawControlText(L"ab\ncd", s.dc(), CRect(0, 0, 1, 60), 0, 0, FALSE, FALSE, TRUE, 0));
    EXPECT_TRUE(DrawControlText(L"wide text", s.dc(), CRect(0, 0, 0, 60), 0, 0, FALSE, FALSE, TRUE, 0));

    // A DC whose metrics cannot be read gives no line height: nothing is drawn, nothing divides by 0.
    HDC hGone = CreateCompatibleDC(nullptr);
    DeleteDC(hGone);
    CDC gone;
    gone.m_hDC = gone.m_hAttribDC = hGone;
    EXPECT_TRUE(DrawControlText(L"x\ny", &gone, CRect(0, 0, 200, 60), 0, 0, FALSE, FALSE, TRUE, 0));
    gone.m_hDC = gone.m_hAttribDC = nullptr;
    EXPECT_TRUE(DrawControlText(L"x", nullptr, CRect(0, 0, 200, 60), 0, 0, FALSE, FALSE, TRUE, 0));
}

TEST(ControlTextTest, DisabledTextIsEmbossed)
{
    TextSurface s(60, 30), plain(60, 30);
    SetTextColor(s.hdc(), RGB(1, 2, 3));
    const COLORREF grey = RGB(100, 100, 100);
    const CRect rc(10, 5, 50, 25);
    const int nResult = DrawTextLine(s.dc(), L"Hi", &rc, DT_LEFT | DT_TOP | kLine, FALSE, grey);
    EXPECT_EQ(s.LineHeight(), nResult) << "the first draw's result: the height";
    EXPECT_EQ(RGB(1, 2, 3), GetTextColor(s.hdc())) << "the DC's text colour is restored";

    // The same text drawn plainly gives the ink; the embossed picture is that ink in the light shade
    // with the ink moved one pixel up and left on top of it in the dark shade.
    plain.Line(L"Hi", rc, DT_LEFT | DT_TOP | kLine);
    auto ink = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < 60 && y < 30 && plain.dib().At(x, y) == RGB(0, 0, 0);
    };
    int nLight = 0, nDark = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 60; ++x) {
            const COLORREF expected = ink(x + 1, y + 1) ? RGB(50, 50, 50) : ink(x, y) ? RGB(177, 177, 177) : kPaper;
            nLight += expected == RGB(177, 177, 177);
            nDark += expected == RGB(50, 50, 50);
            ASSERT_EQ(RgbText(expected), RgbText(s.dib().At(x, y))) << "at " << x << ", " << y;
        }
    EXPECT_GT(nLight, 0);
    EXPECT_GT(nDark, 0);

    TextSurface enabled(60, 30);
    DrawTextLine(enabled.dc(), L"Hi", &rc, DT_LEFT | DT_TOP | kLine, TRUE, grey);
    EXPECT_EQ("", Difference(enabled.dib(), plain.dib())) << "enabled: once, in the DC's colour";
}

TEST(ControlTextTest, DottedRectanglePixels)
{
    const COLORREF blue = RGB(0, 0, 255);
    auto draw = [&](BOOL bDotFirstPixel) {
        DibSurface dib(7, 7, kPaper);
        CDC dc;
        dc.Attach(dib.dc());
        DrawDottedRect(&dc, CRect(1, 1, 6, 6), bDotFirstPixel, blue);
        dc.Detach();
        std::vector<std::string> rows;
        for (int y = 0; y < 7; ++y) {
            std::string row;
            for (int x = 0; x < 7; ++x)
                row += dib.At(x, y) == blue ? '#' : dib.At(x, y) == kPaper ? '.' : '?';
            rows.push_back(row);
        }
        return rows;
    };
    // One on, one off, running on around the corners; nothing outside the edge pixels.
    EXPECT_EQ((std::vector<std::string>{".......",
                                        "..#.#..",
                                        ".#...#.",
                                        ".......",
                                        ".#...#.",
                                        "..#.#..",
                                        "......."}),
              draw(FALSE));
    EXPECT_EQ((std::vector<std::string>{".......",
                                        ".#.#.#.",
                                        ".......",
                                        ".#...#.",
                                        ".......",
                                        ".#.#.#.",
                                        "......."}),
              draw(TRUE));

    DibSurface dib(8, 2, kPaper);
    CDC dc;
    dc.Attach(dib.dc());
    EXPECT_EQ(1, DrawDottedLine(&dc, 1, 4, 0, TRUE, blue)) << "the pixel at the end was skipped";
    EXPECT_EQ(0, DrawDottedLine(&dc, 1, 3, 1, TRUE, blue));
    EXPECT_EQ(0, DrawDottedLine(&dc, 6, 6, 1, TRUE, blue)) << "at least one pixel";
    dc.Detach();
    EXPECT_EQ(blue, dib.At(6, 1));
    EXPECT_EQ(blue, dib.At(3, 0));
    EXPECT_EQ(kPaper, dib.At(4, 0));
}

// Transparent copies and disabled-look silhouettes, read back from 32-bit DIB sections. Test colours
// are pure enough that every way of reducing them to black and white agrees: black, red and navy are
// dark (the shape), white is light.
#include "toolkit/bitmaps/TransparentBlit.h"

#include "tests/support/TestSupport.h"
#include "TestBitmaps.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr COLORREF R = RGB(255, 0, 0);
constexpr COLORREF M = RGB(255, 0, 255);
constexpr COLORREF K = RGB(0, 0, 0);
constexpr COLORREF W = RGB(255, 255, 255);
constexpr COLORREF N = RGB(21, 59, 99);
constexpr COLORREF G = RGB(0, 160, 0);     // what dest had
constexpr COLORREF Y = RGB(250, 220, 40);  // background
constexpr COLORREF L = RGB(230, 235, 245); // light shade
constexpr COLORREF D = RGB(60, 70, 90);    // dark shade

// The surface's pixels as colour names, row by row, for whole-picture comparisons.
std::vector<std::string> Pixels(const DibSurface& s)
{
    std::vector<std::string> out;
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x)
            out.push_back(RgbText(s.At(x, y)));
    return out;
}

std::vector<std::string> Expected(std::initializer_list<COLORREF> colors)
{
    std::vector<std::string> out;
    for (COLORREF c : colors)
        out.push_back(RgbText(c));
    return out;
}

// A 3 × 2 source:  R M K
//                  W M N
class Source {
public:
    Source() : m_surface(3, 2)
    {
        const COLORREF colors[] = {R, M, K, W, M, N};
        for (int i = 0; i < 6; ++i)
            SetPixelV(m_surface.dc(), i % 3, i / 3, colors[i]);
    }
    HDC dc() const { return m_surface.dc(); }

private:
    DibSurface m_surface;
};

// What a drawing routine must leave in a DC as it was.
struct DcState {
    explicit DcState(HDC hdc)
        : back(GetBkColor(hdc)), text(GetTextColor(hdc)), mode(GetBkMode(hdc)),
          brush(GetCurrentObject(hdc, OBJ_BRUSH)), bitmap(GetCurrentObject(hdc, OBJ_BITMAP)),
          pen(GetCurrentObject(hdc, OBJ_PEN))
    {
    }
    bool operator==(const DcState&) const = default;
    COLORREF back, text;
    int mode;
    HGDIOBJ brush, bitmap, pen;
};

// Gives the DCs colours of their own, so a routine that forgets to put them back is seen.
void MarkColors(HDC hdc)
{
    SetBkColor(hdc, RGB(1, 2, 3));
    SetTextColor(hdc, RGB(4, 5, 6));
}

}  // namespace

TEST(BlitTransparentTest, KeyOverWhatDestHad)
{
    Source src;
    DibSurface dest(3, 2, G);
    MarkColors(dest.dc());
    MarkColors(src.dc());
    const DcState destBefore(dest.dc()), srcBefore(src.dc());
    const COLORREF key = M;
    EXPECT_TRUE(BlitTransparent(dest.dc(), 0, 0, 3, 2, src.dc(), 0, 0, &key, nullptr, nullptr, nullptr, FALSE));
    EXPECT_EQ(Expected({R, G, K, W, G, N}), Pixels(dest));
    EXPECT_TRUE(destBefore == DcState(dest.dc()));
    EXPECT_TRUE(srcBefore == DcState(src.dc()));
}

TEST(BlitTransparentTest, KeyOverBackgroundAtAnOffset)
{
    Source src;
    DibSurface dest(4, 3, G);
    MarkColors(dest.dc());
    const DcState before(dest.dc());
    const COLORREF key = M, back = Y;
    // Source column 1 onwards, to (1, 1).
    EXPECT_TRUE(BlitTransparent(dest.dc(), 1, 1, 2, 2, src.dc(), 1, 0, &key, &back, nullptr, nullptr, FALSE));
    EXPECT_EQ(Expected({G, G, G, G,  //
                        G, Y, K, G,  //
                        G, Y, N, G}),
              Pixels(dest));
    EXPECT_TRUE(before == DcState(dest.dc()));
}

TEST(BlitTransparentTest, WithoutKeyAPlainCopy)
{
    Source src;
    DibSurface dest(3, 2, G);
    EXPECT_TRUE(BlitTransparent(dest.dc(), 0, 0, 3, 2, src.dc(), 0, 0, nullptr, nullptr, nullptr, nullptr, FALSE));
    EXPECT_EQ(Expected({R, M, K, W, M, N}), Pixels(dest));
}

TEST(BlitTransparentTest, FlatDisabledLookWithKeyAndBackground)
{
    Source src;
    DibSurface dest(3, 2, G);
    MarkColors(dest.dc());
    const DcState before(dest.dc());
    const COLORREF key = M, back = Y, light = L, dark = D;
    EXPECT_TRUE(BlitTransparent(dest.dc(), 0, 0, 3, 2, src.dc(), 0, 0, &key, &back, &light, &dark, FALSE));
    EXPECT_EQ(Expected({D, Y, D, L, Y, D}), Pixels(dest));
    EXPECT_TRUE(before == DcState(dest.dc()));
}

TEST(BlitTransparentTest, FlatDisabledLookWithKeyOnly)
{
    Source src;
    DibSurface dest(3, 2, G);
    const COLORREF key = M, light = L, dark = D;
    EXPECT_TRUE(BlitTransparent(dest.dc(), 0, 0, 3, 2, src.dc(), 0, 0, &key, nullptr, &light, &dark, FALSE));
    EXPECT_EQ(Expected({D, G, D, L, G, D}), Pixels(dest));
}

TEST(BlitTransparentTest, EmbossedWithKey)
{
    Source src;
    const COLORREF key = M, back = Y, light = L, dark = D;
    {
        // The shape (R, K, N at (0,0), (2,0), (2,1)) in light one pixel down and right, dark over it;
        // white and key pixels are not part of it.
        DibSurface dest(5, 4, G);
        MarkColors(dest.dc());
        const DcState before(dest.dc());
        EXPECT_TRUE(BlitTransparent(dest.dc(), 0, 0, 3, 2, src.dc(), 0, 0, &key, nullptr, &light, &dark, TRUE));
        EXPECT_EQ(Expected({D, G, D, G, G,  //
                            G, L, D, L, G,  //
                            G, G, G, L, G,  //
                            G, G, G, G, G}),
                  Pixels(dest));
        EXPECT_TRUE(before == DcState(dest.dc()));
    }
    {
        // With a background the picture's rectangle is filled first; the light shade may reach past it.
        DibSurface dest(5, 4, G);
        EXPECT_TRUE(BlitTransparent(dest.dc(), 0, 0, 3, 2, src.dc(), 0, 0, &key, &back, &light, &dark, TRUE));
        EXPECT_EQ(Expected({D, Y, D, G, G,  //
                            Y, L, D, L, G,  //
                            G, G, G, L, G,  //
                            G, G, G, G, G}),
                  Pixels(dest));
    }
}

TEST(BlitTransparentTest, EmbossedWithoutKeyOverBackground)
{
    // No key: the white pixel is the only one outside the shape.
    DibSurface src(2, 1);
    SetPixelV(src.dc(), 0, 0, N);
    SetPixelV(src.dc(), 1, 0, W);
    DibSurface dest(3, 2, G);
    MarkColors(dest.dc());
    const DcState before(dest.dc());
    const COLORREF back = Y, light = L, dark = D;
    EXPECT_TRUE(BlitTransparent(dest.dc(), 0, 0, 2, 1, src.dc(), 0, 0, nullptr, &back, &light, &dark, TRUE));
    EXPECT_EQ(Expected({D, Y, G,  //
                        G, L, G}),
              Pixels(dest));
    EXPECT_TRUE(before == DcState(dest.dc()));
}

TEST(BlitTransparentTest, InvalidCallsDrawNothing)
{
    Source src;
    DibSurface dest(3, 2, G);
    const COLORREF key = M, back = Y, light = L, dark = D;
    struct Case {
        const char* what;
        HDC dest;
        HDC src;
        int cx, cy;
        const COLORREF *key, *back, *light, *dark;
        BOOL emboss;
    };
    const Case cases[] = {
        {"only light", dest.dc(), src.dc(), 3, 2, &key, nullptr, &light, nullptr, FALSE},
        {"only dark", dest.dc(), src.dc(), 3, 2, &key, nullptr, nullptr, &dark, FALSE},
        {"emboss without shades", dest.dc(), src.dc(), 3, 2, &key, nullptr, nullptr, nullptr, TRUE},
        {"emboss with one shade", dest.dc(), src.dc(), 3, 2, nullptr, nullptr, &light, nullptr, TRUE},
        {"background without key or emboss", dest.dc(), src.dc(), 3, 2, nullptr, &back, nullptr, nullptr, FALSE},
        {"flat disabled background without key", dest.dc(), src.dc(), 3, 2, nullptr, &back, &light, &dark, FALSE},
        {"no width", dest.dc(), src.dc(), 0, 2, &key, nullptr, nullptr, nullptr, FALSE},
        {"negative height", dest.dc(), src.dc(), 3, -2, nullptr, nullptr, nullptr, nullptr, FALSE},
        {"no dest", nullptr, src.dc(), 3, 2, &key, nullptr, nullptr, nullptr, FALSE},
        {"no source", dest.dc(), nullptr, 3, 2, nullptr, nullptr, nullptr, nullptr, FALSE},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(BlitTransparent(c.dest, 0, 0, c.cx, c.cy, c.src, 0, 0, c.key, c.back, c.light, c.dark, c.emboss))
            << c.what;
        EXPECT_EQ(Expected({G, G, G, G, G, G}), Pixels(dest)) << c.what;
    }
    EXPECT_FALSE(DrawMonochromeImage(dest.dc(), 0, 0, 3, 0, src.dc(), 0, 0, L, D, FALSE));
    EXPECT_FALSE(DrawMonochromeImage(dest.dc(), 0, 0, 3, 2, nullptr, 0, 0, L, D, TRUE));
    EXPECT_EQ(Expected({G, G, G, G, G, G}), Pixels(dest));
}

TEST(DrawMonochromeImageTest, PlainAndEmbossed)
{
    // K W
    // N W   (at source offset (1, 0) of a wider picture)
    DibSurface src(3, 2, W);
    SetPixelV(src.dc(), 1, 0, K);
    SetPixelV(src.dc(), 1, 1, N);
    {
        DibSurface dest(4, 4, G);
        MarkColors(dest.dc());
        const DcState before(dest.dc());
        EXPECT_TRUE(DrawMonochromeImage(dest.dc(), 1, 1, 2, 2, src.dc(), 1, 0, L, D, FALSE));
        EXPECT_EQ(Expected({G, G, G, G,  //
                            G, D, L, G,  //
                            G, D, L, G,  //
                            G, G, G, G}),
                  Pixels(dest));
        EXPECT_TRUE(before == DcState(dest.dc()));
    }
    {
        DibSurface dest(4, 4, G);
        MarkColors(dest.dc());
        const DcState before(dest.dc());
        EXPECT_TRUE(DrawMonochromeImage(dest.dc(), 1, 1, 2, 2, src.dc(), 1, 0, L, D, TRUE));
        EXPECT_EQ(Expected({G, G, G, G,  //
                            G, D, G, G,  //
                            G, D, L, G,  //
                            G, G, L, G}),
                  Pixels(dest));
        EXPECT_TRUE(before == DcState(dest.dc()));
    }
}

TEST(DrawBitmapTransparentTest, FromABitmap)
{
    HBITMAP hBitmap = MakeBitmap(BitmapLayout::ScreenCompatible, 3, 1, {R, M, N});
    DibSurface dest(3, 1, G);
    MarkColors(dest.dc());
    const DcState before(dest.dc());
    const COLORREF key = M, back = Y;
    EXPECT_TRUE(DrawBitmapTransparent(dest.dc(), 0, 0, 3, 1, hBitmap, 0, 0, &key, &back, nullptr, nullptr, FALSE));
    EXPECT_EQ(Expected({R, Y, N}), Pixels(dest));
    EXPECT_TRUE(before == DcState(dest.dc()));

    dest.Fill(G);
    EXPECT_FALSE(DrawBitmapTransparent(dest.dc(), 0, 0, 3, 1, nullptr, 0, 0, &key, &back, nullptr, nullptr, FALSE))
        << "no bitmap";
    EXPECT_FALSE(DrawBitmapTransparent(dest.dc(), 0, 0, 3, 1, hBitmap, 0, 0, nullptr, &back, nullptr, nullptr, FALSE))
        << "invalid combination";
    EXPECT_EQ(Expected({G, G, G}), Pixels(dest));
    DeleteObject(hBitmap);
}

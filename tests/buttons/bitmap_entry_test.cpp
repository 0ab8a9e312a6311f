// The bitmap entry: ownership of its bitmaps, the keying colour and the hit-test region, built from
// pictures of every layout the scan reads (in bulk for 16 and 24 bits, pixel by pixel otherwise).
#include "toolkit/buttons/BitmapEntry.h"
#include "toolkit/buttons/BitmapGeometry.h"
#include "platform/mfc/AfxState.h"

#include "TestBitmaps.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr COLORREF R = RGB(255, 0, 0);
constexpr COLORREF M = RGB(255, 0, 255);
constexpr COLORREF B = RGB(0, 0, 255);

using Rects = std::vector<std::string>;

Rects EntryRegion(const CVellBitmapEntry& entry)
{
    CRgn rgn;
    if (entry.CopyRegion(&rgn) == ERROR)
        return {"<no region>"};
    return RegionRects(rgn);
}

// Hands a new bitmap to the entry, which owns it from then on.
void GiveBitmap(CVellBitmapEntry& entry, HBITMAP hBitmap)
{
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.Attach(hBitmap));
    entry.SetBitmaps(&bitmap, nullptr, TRUE);
    EXPECT_EQ(nullptr, bitmap.GetSafeHandle()) << "the entry took the handle over";
}

bool HitTest(const CVellBitmapEntry& entry, int x, int y)
{
    const POINT pt{x, y};
    return entry.HitTestRegion(&pt) != FALSE;
}

}  // namespace

class BitmapEntryLayoutTest : public testing::TestWithParam<BitmapLayout> {};

TEST_P(BitmapEntryLayoutTest, RunsOfVisiblePixels)
{
    {
        CVellBitmapEntry entry;
        GiveBitmap(entry, MakeBitmap(GetParam(), 3, 1, {R, M, R}));
        EXPECT_NE(ERROR, entry.BuildRegion(FALSE));
        EXPECT_EQ((Rects{"(0, 0, 1, 1)", "(2, 0, 3, 1)"}), EntryRegion(entry));
        EXPECT_TRUE(HitTest(entry, 0, 0));
        EXPECT_FALSE(HitTest(entry, 1, 0));
        EXPECT_TRUE(HitTest(entry, 2, 0));
        EXPECT_FALSE(HitTest(entry, 3, 0));
        EXPECT_FALSE(entry.IsDirty());
    }
    {
        // Odd widths pad the 24-bit rows; rows that end visible close their run at the width.
        CVellBitmapEntry entry;
        GiveBitmap(entry, MakeBitmap(GetParam(), 5, 3,
                                     {M, R, R, M, B,  //
                                      B, B, B, B, B,  //
                                      M, M, M, M, M}));
        entry.BuildRegion(FALSE);
        EXPECT_EQ((Rects{"(1, 0, 3, 1)", "(4, 0, 5, 1)", "(0, 1, 5, 2)"}), EntryRegion(entry));
    }
}

INSTANTIATE_TEST_SUITE_P(Layouts, BitmapEntryLayoutTest,
                         testing::Values(BitmapLayout::ScreenCompatible, BitmapLayout::Dib32, BitmapLayout::Dib24,
                                         BitmapLayout::Dib16_565, BitmapLayout::Dib16_555),
                         [](const testing::TestParamInfo<BitmapLayout>& info) { return LayoutName(info.param); });

TEST(BitmapEntryTest, SixteenBitPicturesCompareAtTheirOwnPrecision)
{
    // RGB(250, 2, 250) and magenta are the same 5-6-5 pixel: the bulk read of a 16-bit picture sees
    // the keying colour there, a 32-bit picture keeps them apart.
    CVellBitmapEntry entry16;
    GiveBitmap(entry16, MakeBitmap(BitmapLayout::Dib16_565, 3, 1, {R, M, R}));
    entry16.SetKeyingColor(RGB(250, 2, 250));
    entry16.BuildRegion(FALSE);
    EXPECT_EQ((Rects{"(0, 0, 1, 1)", "(2, 0, 3, 1)"}), EntryRegion(entry16));

    CVellBitmapEntry entry32;
    GiveBitmap(entry32, MakeBitmap(BitmapLayout::Dib32, 3, 1, {R, M, R}));
    entry32.SetKeyingColor(RGB(250, 2, 250));
    entry32.BuildRegion(FALSE);
    EXPECT_EQ((Rects{"(0, 0, 3, 1)"}), EntryRegion(entry32));
}

TEST(BitmapEntryTest, RegionBeforeAndWithoutVisiblePixels)
{
    CVellBitmapEntry entry;
    EXPECT_TRUE(entry.IsDirty());
    EXPECT_EQ(RGB(255, 0, 255), entry.GetKeyingColor());
    EXPECT_FALSE(entry.HasBitmap());
    EXPECT_EQ(nullptr, entry.GetBitmap());
    EXPECT_FALSE(HitTest(entry, 0, 0)) << "never built";
    CRgn copy;
    EXPECT_EQ(ERROR, entry.CopyRegion(&copy));

    // Only the keying colour: no runs, so the first region, the 50 × 50 square, stays.
    GiveBitmap(entry, MakeBitmap(BitmapLayout::ScreenCompatible, 4, 4, std::vector<COLORREF>(16, M)));
    EXPECT_EQ(ERROR, entry.BuildRegion(FALSE));
    EXPECT_FALSE(entry.IsDirty());
    EXPECT_TRUE(HitTest(entry, 0, 0));
    EXPECT_TRUE(HitTest(entry, 49, 49));
    EXPECT_FALSE(HitTest(entry, 50, 10));
    EXPECT_EQ((Rects{"(0, 0, 50, 50)"}), EntryRegion(entry));

    // A later all-key picture keeps the region of the one before.
    GiveBitmap(entry, MakeBitmap(BitmapLayout::ScreenCompatible, 3, 1, {R, M, R}));
    entry.BuildRegion(FALSE);
    GiveBitmap(entry, MakeBitmap(BitmapLayout::ScreenCompatible, 3, 1, {M, M, M}));
    EXPECT_TRUE(entry.IsDirty());
    entry.BuildRegion(FALSE);
    EXPECT_EQ((Rects{"(0, 0, 1, 1)", "(2, 0, 3, 1)"}), EntryRegion(entry));
}

TEST(BitmapEntryTest, RegionIsRebuiltOnlyWhenOutOfDateOrForced)
{
    CVellBitmapEntry entry;
    HBITMAP hBitmap = MakeBitmap(BitmapLayout::ScreenCompatible, 3, 1, {R, M, R});
    GiveBitmap(entry, hBitmap);
    entry.BuildRegion(FALSE);

    // The picture changes behind the entry's back: nothing notices until a forced build.
    PaintBitmap(hBitmap, 3, 1, {M, R, M});
    EXPECT_EQ(M, entry.SetKeyingColor(M));
    EXPECT_FALSE(entry.IsDirty()) << "the same keying colour again";
    entry.BuildRegion(FALSE);
    EXPECT_EQ((Rects{"(0, 0, 1, 1)", "(2, 0, 3, 1)"}), EntryRegion(entry));
    entry.BuildRegion(TRUE);
    EXPECT_EQ((Rects{"(1, 0, 2, 1)"}), EntryRegion(entry));

    // A new keying colour marks it; the next build follows.
    EXPECT_EQ(R, entry.SetKeyingColor(R));
    EXPECT_TRUE(entry.IsDirty());
    entry.BuildRegion(FALSE);
    EXPECT_EQ((Rects{"(0, 0, 1, 1)", "(2, 0, 3, 1)"}), EntryRegion(entry));
}

TEST(BitmapEntryTest, OwnedBitmapsAreDeletedAndBorrowedOnesKept)
{
    HBITMAP hOwned = MakeBitmap(BitmapLayout::ScreenCompatible, 7, 5, std::vector<COLORREF>(35, R));
    HBITMAP hBorrowed = MakeBitmap(BitmapLayout::ScreenCompatible, 2, 2, std::vector<COLORREF>(4, R));
    {
        CVellBitmapEntry entry;
        GiveBitmap(entry, hOwned);
        SIZE size{};
        EXPECT_TRUE(entry.GetBitmapSize(&size));
        EXPECT_EQ(7, size.cx);
        EXPECT_EQ(5, size.cy);
        ASSERT_NE(nullptr, entry.GetBitmap());
        EXPECT_EQ(hOwned, static_cast<HBITMAP>(*entry.GetBitmap()));

        // Its own bitmap handed back in stays alive.
        entry.SetBitmaps(entry.GetBitmap(), nullptr, TRUE);
        EXPECT_EQ(OBJ_BITMAP, static_cast<int>(GetObjectType(hOwned)));
        EXPECT_EQ(hOwned, entry.GetBitmapHandle());

        // Replacing it deletes it; a bitmap lent without ownership stays with its owner.
        CBitmap lent;
        ASSERT_TRUE(lent.Attach(hBorrowed));
        entry.SetBitmaps(&lent, nullptr, FALSE);
        EXPECT_EQ(0, GetObjectType(hOwned));
        EXPECT_EQ(hBorrowed, lent.GetSafeHandle());
        entry.ResetBitmaps();
        EXPECT_FALSE(entry.HasBitmap());
        EXPECT_TRUE(entry.IsDirty());
        EXPECT_FALSE(entry.GetBitmapSize(&size));
        EXPECT_EQ(OBJ_BITMAP, static_cast<int>(GetObjectType(hBorrowed)));
    }
}

TEST(BitmapEntryTest, BitmapHandedOverThroughATemporaryWrapperStaysFindable)
{
    // The store hands bitmaps around as temporary wrappers (GetBitmap); an entry that takes one over
    // detaches it, and the wrapper the map hands out next must still be that bitmap's.
    HBITMAP hBitmap = MakeBitmap(BitmapLayout::ScreenCompatible, 3, 2, std::vector<COLORREF>(6, R));
    {
        CVellBitmapEntry owner;
        owner.SetBitmaps(CBitmap::FromHandle(hBitmap), nullptr, TRUE);
        EXPECT_EQ(hBitmap, owner.GetBitmapHandle());
        ASSERT_NE(nullptr, owner.GetBitmap());
        EXPECT_EQ(hBitmap, owner.GetBitmap()->GetSafeHandle());

        CVellBitmapEntry lent;
        lent.SetBitmaps(owner.GetBitmap(), nullptr, FALSE);
        EXPECT_EQ(hBitmap, lent.GetBitmapHandle());
        SIZE size{};
        EXPECT_TRUE(lent.GetBitmapSize(&size));
        EXPECT_EQ(3, size.cx);
        AfxDeleteTempMaps();
        EXPECT_EQ(OBJ_BITMAP, static_cast<int>(GetObjectType(hBitmap))) << "temporaries delete nothing";
    }
    EXPECT_EQ(0, GetObjectType(hBitmap)) << "the owning entry deleted it";
}

TEST(BitmapGeometryTest, DimensionsAndCentring)
{
    HBITMAP hBitmap = MakeBitmap(BitmapLayout::ScreenCompatible, 10, 6, std::vector<COLORREF>(60, R));
    const SIZE size = GetBitmapDimensions(hBitmap);
    EXPECT_EQ(10, size.cx);
    EXPECT_EQ(6, size.cy);

    const RECT outer{0, 0, 25, 21};
    const RECT r = CenterBitmapRect(hBitmap, &outer);
    EXPECT_EQ(7, r.left);
    EXPECT_EQ(7, r.top);
    EXPECT_EQ(17, r.right);
    EXPECT_EQ(13, r.bottom);

    // Offsets carry through; a smaller rectangle than the picture gives a larger centred one.
    const RECT shifted{100, 40, 104, 44};
    const RECT s = CenterBitmapRect(hBitmap, &shifted);
    EXPECT_EQ(97, s.left);
    EXPECT_EQ(39, s.top);
    EXPECT_EQ(107, s.right);
    EXPECT_EQ(45, s.bottom);
    DeleteObject(hBitmap);

    const SIZE none = GetBitmapDimensions(nullptr);
    EXPECT_EQ(0, none.cx);
    EXPECT_EQ(0, none.cy);
}

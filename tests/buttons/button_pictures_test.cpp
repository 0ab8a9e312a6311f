// The application's button pictures as the buttons find them in the resources, and which picture's
// region a click is measured against.
#include "ButtonTestSupport.h"

#include "resources/ButtonSampleIds.h"
#include "resources/ResourceIds.h"
#include "toolkit/controls/BitmapAllocator.h"

#include <gtest/gtest.h>

using namespace buttontest;

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);

// The picture of id copied unkeyed into a DIB of its own size.
struct LoadedPicture {
    SIZE size{};
    std::unique_ptr<DibSurface> pixels;
};

LoadedPicture Load(int nId)
{
    CVellBitmapAllocator& store = CVellBitmapAllocator::GetInstance();
    store.SetControlBitmap(nId, TRUE, nullptr);
    LoadedPicture picture;
    if (!store.GetControlBitmapSize(nId, &picture.size))
        return picture;
    picture.pixels = std::make_unique<DibSurface>(picture.size.cx, picture.size.cy, RGB(1, 2, 3));
    HDC hdcSource = ::CreateCompatibleDC(picture.pixels->dc());
    HGDIOBJ hOld = ::SelectObject(hdcSource, store.GetControlBitmap(nId)->GetSafeHandle());
    ::BitBlt(picture.pixels->dc(), 0, 0, picture.size.cx, picture.size.cy, hdcSource, 0, 0, SRCCOPY);
    ::SelectObject(hdcSource, hOld);
    ::DeleteDC(hdcSource);
    return picture;
}

class ButtonPicturesTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(parent.m_hWnd); }
    CRecordingParent parent;
};

TEST_F(ButtonPicturesTest, CheckBoxPicturesAreKeyedFifteenPixelSquares)
{
    for (int nId : {IDB_CHECK_CHECKED, IDB_CHECK_DISABLED_CHECKED, IDB_CHECK_CLEARED, IDB_CHECK_DISABLED}) {
        const LoadedPicture picture = Load(nId);
        ASSERT_TRUE(picture.pixels) << "bitmap " << nId << " is in the resources";
        EXPECT_EQ(15, picture.size.cx) << nId;
        EXPECT_EQ(15, picture.size.cy) << nId;
        for (POINT corner : {POINT{0, 0}, POINT{14, 0}, POINT{0, 14}, POINT{14, 14}})
            EXPECT_EQ(kMagenta, picture.pixels->At(corner.x, corner.y)) << nId << ": rounded, keyed corner";
        int nKeyed = 0;
        for (int y = 0; y < 15; ++y)
            for (int x = 0; x < 15; ++x) {
                const COLORREF clr = picture.pixels->At(x, y);
                nKeyed += clr == kMagenta;
                // A pink fringe would show on every background: near-magenta must not exist.
                const bool bNearKey = GetRValue(clr) > 200 && GetGValue(clr) < 80 && GetBValue(clr) > 200;
                EXPECT_TRUE(clr == kMagenta || !bNearKey) << nId << " at " << x << "," << y;
            }
        EXPECT_GT(nKeyed, 0);
        EXPECT_LT(nKeyed, 20) << nId << ": only the corners are transparent";

        CVellBitmapAllocator& store = CVellBitmapAllocator::GetInstance();
        store.BuildBitmapRegion(nId, FALSE);
        POINT corner{0, 0}, centre{7, 7};
        EXPECT_FALSE(store.BitmapHitTest(nId, &corner)) << nId;
        EXPECT_TRUE(store.BitmapHitTest(nId, &centre)) << nId;
    }
}

TEST_F(ButtonPicturesTest, DefaultPicturesArePlaceholdersAndAWidePlate)
{
    for (int nId : {IDB_BUTTON_DEFAULT_DISABLED, IDB_BUTTON_DEFAULT_SELECTED, IDB_BUTTON_DEFAULT_UP}) {
        const LoadedPicture picture = Load(nId);
        ASSERT_TRUE(picture.pixels) << nId;
        EXPECT_EQ(1, picture.size.cx) << nId;
        EXPECT_EQ(1, picture.size.cy) << nId;
        EXPECT_EQ(RGB(0, 0, 255), picture.pixels->At(0, 0)) << nId;
    }
    const LoadedPicture plate = Load(IDB_BUTTON_DEFAULT_DISABLED_SELECTED);
    ASSERT_TRUE(plate.pixels);
    EXPECT_EQ(150, plate.size.cx);
    EXPECT_EQ(48, plate.size.cy);

    // A button left with its default pictures, switched to picture mode, is the one-pixel placeholder.
    CVellBitmapButton button;
    const RECT rc{10, 10, 70, 34};
    ASSERT_TRUE(button.Create(kButtonId, &rc, &parent));
    button.SetUseDrawFrame(FALSE);
    CRect client;
    ::GetClientRect(button.m_hWnd, &client);
    EXPECT_EQ(CSize(1, 1), client.Size());
    EXPECT_TRUE(button.HitTestButton(CPoint(0, 0)));
    DibSurface s(1, 1);
    PaintInto(button, s);
    EXPECT_EQ(RGB(0, 0, 255), s.At(0, 0));
}

// The round up picture (a 40-pixel disc) with the pill-shaped toggle as the down picture: the pill
// covers (39, 14), the disc does not.
class AllRegionsTest : public ButtonPicturesTest {
protected:
    void Make(BOOL bUseAllRegions)
    {
        button.SetUseDrawFrame(FALSE);
        button.SetUseAllButtonRegions(bUseAllRegions);
        button.SetPictureUp(IDB_SAMPLE_ROUND_UP);
        button.SetPictureDown(IDB_SAMPLE_TOGGLE_DOWN);
        const RECT rc{10, 10, 50, 50};
        ASSERT_TRUE(button.Create(kButtonId, &rc, &parent));
        ASSERT_FALSE(button.HitTestButton(kOnlyInDown)) << "the up picture's region";
        ::SetFocus(button.m_hWnd);
        SpaceDown(button.m_hWnd);
        DibSurface s(40, 40);
        PaintInto(button, s);  // shows the down picture
    }

    const CPoint kOnlyInDown{39, 14};
    CVellBitmapButton button;
};

TEST_F(AllRegionsTest, OffHitTestsTheUpPictureWhateverIsShown)
{
    Make(FALSE);
    EXPECT_FALSE(button.HitTestButton(kOnlyInDown));
    EXPECT_TRUE(button.HitTestButton(CPoint(20, 20)));
    SpaceUp(button.m_hWnd);
}

TEST_F(AllRegionsTest, OnHitTestsThePictureShownLast)
{
    Make(TRUE);
    EXPECT_TRUE(button.HitTestButton(kOnlyInDown)) << "the down picture's region";
    SpaceUp(button.m_hWnd);
    DibSurface s(40, 40);
    PaintInto(button, s);
    EXPECT_FALSE(button.HitTestButton(kOnlyInDown)) << "up again";
}

TEST_F(ButtonPicturesTest, IndeterminateAndRolloverPicturesShowInTheirStates)
{
    CVellBitmapButton toggle;
    toggle.SetUseDrawFrame(FALSE);
    toggle.SetButtonStyle(CVellBitmapButton::StyleCheck);
    toggle.SetPictureUp(IDB_SAMPLE_TOGGLE_UP);
    const RECT rc{10, 10, 106, 38};
    ASSERT_TRUE(toggle.Create(kButtonId, &rc, &parent));
    DibSurface up(96, 28), stateTwoWithoutPicture(96, 28), indeterminate(96, 28);
    PaintInto(toggle, up);
    toggle.SetCheck(2);
    PaintInto(toggle, stateTwoWithoutPicture);
    EXPECT_EQ(up.At(20, 14), stateTwoWithoutPicture.At(20, 14)) << "no intermediate picture: the up one";
    toggle.SetPictureIntermediate(IDB_SAMPLE_TOGGLE_INTERMEDIATE);
    PaintInto(toggle, indeterminate);
    EXPECT_NE(up.At(20, 14), indeterminate.At(20, 14)) << "left half filled";
    EXPECT_EQ(up.At(75, 14), indeterminate.At(75, 14)) << "right half as the up picture";

    CVellBitmapButton round;
    round.SetUseDrawFrame(FALSE);
    round.SetPictureUp(IDB_SAMPLE_ROUND_UP);
    round.SetPictureRollover(IDB_SAMPLE_ROUND_ROLLOVER);
    const RECT rc2{120, 10, 160, 50};
    ASSERT_TRUE(round.Create(kButtonId + 1, &rc2, &parent));
    DibSurface normal(40, 40), hot(40, 40), left(40, 40);
    PaintInto(round, normal);
    MouseMove(round.m_hWnd, 20, 20, false);
    PaintInto(round, hot);
    MouseMove(round.m_hWnd, 200, 20, false);
    PaintInto(round, left);
    EXPECT_NE(normal.At(20, 30), hot.At(20, 30)) << "rollover picture while over it";
    EXPECT_EQ(normal.At(20, 30), left.At(20, 30)) << "up picture once the cursor left";
}

}  // namespace

// What the about picture paints: the splash bitmap, then the title, the legal line and the version
// at their places and in their colours. Text is checked by position, extent and colour only.
#include "toolkit/dialogs/VellSplashDlg.h"

#include "resources/ResourceIds.h"

#include "AboutTestSupport.h"
#include "tests/support/RectPrinting.h"

#include <gtest/gtest.h>

namespace {

using CAboutBitmap = CVellAboutDlg::CAboutBitmap;

// Where a rendering differs from the picture alone; all of it must lie inside rcAllowed.
InkBox InkInside(const DibSurface& pictureOnly, const DibSurface& rendering, const CRect& rcAllowed)
{
    const InkBox all = Difference(pictureOnly, rendering, CRect(0, 0, rendering.Width(), rendering.Height()));
    EXPECT_EQ(all.nCount, Difference(pictureOnly, rendering, rcAllowed).nCount)
        << "ink outside " << ::testing::PrintToString(rcAllowed);
    EXPECT_FALSE(all.Empty());
    return all;
}

}  // namespace

TEST(AboutPaintingTest, TextsAtTheirPlacesOverTheSplashPicture)
{
    CVellSplashDlg splash(L"Orvane Lumbra");
    ASSERT_NE(nullptr, splash.m_hWnd);
    CAboutBitmap& picture = splash.m_bitmap;
    CRect rc;
    picture.GetClientRect(&rc);
    const auto pictureOnly = RenderPictureOnly(picture);

    // The picture is bitmap 2045 as it is.
    HBITMAP hBitmap = LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_SPLASH));
    HDC hDC = CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = SelectObject(hDC, hBitmap);
    for (const CPoint pt : {CPoint(0, 0), CPoint(100, 70), CPoint(479, 319)})
        EXPECT_EQ(GetPixel(hDC, pt.x, pt.y), pictureOnly->At(pt.x, pt.y)) << pt.x << "," << pt.y;
    SelectObject(hDC, hOld);
    DeleteDC(hDC);
    DeleteObject(hBitmap);

    // Everything together: ink only in the title band and the bottom band.
    const auto whole = RenderWhole(picture);
    CRect rcBottom = CAboutBitmap::LegalRect(rc);
    rcBottom.bottom = rc.bottom;
    EXPECT_EQ(Difference(*pictureOnly, *whole, rc).nCount,
              Difference(*pictureOnly, *whole, CAboutBitmap::TitleRect(rc)).nCount +
                  Difference(*pictureOnly, *whole, rcBottom).nCount);

    // The title: large, white, from the left margin.
    const CString title = picture.m_strTitle;
    auto rendering = RenderWithTexts(picture, title, nullptr, nullptr, nullptr);
    InkBox ink = InkInside(*pictureOnly, *rendering, CAboutBitmap::TitleRect(rc));
    auto columns = InkColumns(title, CAboutBitmap::kLargeFontHeight);
    EXPECT_EQ(18 + columns.first, ink.box.left);
    EXPECT_EQ(18 + columns.second, ink.box.right);
    EXPECT_GT(ink.box.Height(), 12);
    EXPECT_TRUE(HasColor(*rendering, ink.box, RGB(255, 255, 255)));

    // The legal line: small, navy, bottom left.
    const CString legal = picture.m_strLegal;
    rendering = RenderWithTexts(picture, nullptr, nullptr, legal, nullptr);
    ink = InkInside(*pictureOnly, *rendering, CAboutBitmap::LegalRect(rc));
    columns = InkColumns(legal, CAboutBitmap::kSmallFontHeight);
    EXPECT_EQ(18 + columns.first, ink.box.left);
    EXPECT_EQ(18 + columns.second, ink.box.right);
    EXPECT_LE(ink.box.Height(), 16);
    EXPECT_TRUE(HasColor(*rendering, ink.box, RGB(21, 59, 99)));

    // The version: small, navy, its advance widths ending 18 pixels from the right edge.
    const CString version = picture.m_strVersion;
    const int nWidth = TextWidth(version, CAboutBitmap::kSmallFontHeight);
    const CRect rcVersion = CAboutBitmap::VersionRect(rc, nWidth);
    EXPECT_EQ(480 - 18 - nWidth, rcVersion.left);
    rendering = RenderWithTexts(picture, nullptr, nullptr, nullptr, version);
    ink = InkInside(*pictureOnly, *rendering, rcVersion);
    columns = InkColumns(version, CAboutBitmap::kSmallFontHeight);
    EXPECT_EQ(rcVersion.left + columns.first, ink.box.left);
    EXPECT_EQ(rcVersion.left + columns.second, ink.box.right);
    EXPECT_LE(ink.box.right, 480 - 18);
    EXPECT_TRUE(HasColor(*rendering, ink.box, RGB(21, 59, 99)));
}

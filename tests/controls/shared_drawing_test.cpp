// The toolkit's font description, its colour adjustments, the default font and the ambient objects
// that end it.
#include "toolkit/controls/Ambient.h"
#include "toolkit/controls/ColorAdjust.h"
#include "toolkit/controls/FontAllocator.h"
#include "toolkit/controls/ToolkitFont.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

std::string Rgb(COLORREF c)
{
    return "RGB(" + std::to_string(GetRValue(c)) + ", " + std::to_string(GetGValue(c)) + ", " +
           std::to_string(GetBValue(c)) + ")";
}

// The face a DC really uses for the font (Arial comes through the prefix's replacement).
std::wstring FaceOf(HFONT hFont)
{
    HDC hdc = CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = SelectObject(hdc, hFont);
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(hdc, LF_FACESIZE, face);
    SelectObject(hdc, hOld);
    DeleteDC(hdc);
    return face;
}

}  // namespace

TEST(ToolkitFontTest, MakeLogFont)
{
    const LOGFONTW lf = MakeLogFont(24, 300);
    EXPECT_EQ(24, lf.lfHeight);
    EXPECT_EQ(300, lf.lfWeight);
    EXPECT_EQ(0, lf.lfWidth);
    EXPECT_EQ(0, lf.lfEscapement);
    EXPECT_EQ(0, lf.lfOrientation);
    EXPECT_EQ(0, lf.lfItalic + lf.lfUnderline + lf.lfStrikeOut);
    EXPECT_EQ(DEFAULT_CHARSET, lf.lfCharSet);
    EXPECT_EQ(0, lf.lfOutPrecision + lf.lfClipPrecision + lf.lfQuality);
    EXPECT_EQ(0x20, lf.lfPitchAndFamily);
    EXPECT_STREQ(L"Arial", lf.lfFaceName);

    HFONT hFont = CreateFontIndirectW(&lf);
    const std::wstring face = FaceOf(hFont);
    EXPECT_TRUE(face == L"Arial" || face == L"Liberation Sans") << "the face resolves";
    DeleteObject(hFont);
}

TEST(ColorAdjustTest, FourAdjustmentsAndTheRest)
{
    const COLORREF c = RGB(200, 100, 51);
    EXPECT_EQ(Rgb(RGB(227, 177, 153)), Rgb(AdjustColor(kAdjustLighten, c)));
    EXPECT_EQ(Rgb(RGB(255, 255, 255)), Rgb(AdjustColor(kAdjustWhite, c)));
    EXPECT_EQ(Rgb(RGB(21, 59, 99)), Rgb(AdjustColor(kAdjustNavy, c)));
    EXPECT_EQ(Rgb(RGB(100, 50, 25)), Rgb(AdjustColor(kAdjustDarken, c)));
    EXPECT_EQ(Rgb(RGB(50, 25, 12)), Rgb(AdjustColor(3, AdjustColor(3, c)))) << "a quarter, rounded down";
    EXPECT_EQ(Rgb(RGB(255, 255, 255)), Rgb(AdjustColor(0, RGB(255, 255, 255))));
    EXPECT_EQ(Rgb(RGB(127, 127, 127)), Rgb(AdjustColor(0, RGB(0, 0, 0))));
    EXPECT_EQ(c, AdjustColor(4, c));
    EXPECT_EQ(c, AdjustColor(-1, c));
}

TEST(DefaultFontTest, LivesAsLongAsAmbientObjectsAndIsMadeAgain)
{
    ASSERT_EQ(0, CVellAmbient::GetLiveCount());
    auto pFirst = std::make_unique<CVellAmbient>();
    auto pSecond = std::make_unique<CVellAmbient>();
    EXPECT_EQ(2, CVellAmbient::GetLiveCount());

    CFont* pFont = CVellFontAllocator::GetDefaultFontObject();
    ASSERT_NE(nullptr, pFont);
    EXPECT_EQ(pFont, CVellFontAllocator::GetDefaultFontObject()) << "one shared font";
    const HFONT hFont = *pFont;
    LOGFONTW lf{};
    ASSERT_TRUE(pFont->GetLogFont(&lf));
    EXPECT_EQ(-11, lf.lfHeight);
    EXPECT_EQ(FW_NORMAL, lf.lfWeight);
    EXPECT_STREQ(L"Arial", lf.lfFaceName);

    pFirst.reset();
    EXPECT_TRUE(CVellFontAllocator::HasDefaultFont()) << "one ambient object is still there";
    EXPECT_EQ(OBJ_FONT, static_cast<int>(GetObjectType(hFont)));

    pSecond.reset();
    EXPECT_EQ(0, CVellAmbient::GetLiveCount());
    EXPECT_FALSE(CVellFontAllocator::HasDefaultFont());
    EXPECT_EQ(0, GetObjectType(hFont)) << "the font was deleted with the last ambient object";

    CFont* pAgain = CVellFontAllocator::GetDefaultFontObject();
    ASSERT_NE(nullptr, pAgain);
    EXPECT_EQ(OBJ_FONT, static_cast<int>(GetObjectType(*pAgain)));
    ASSERT_TRUE(pAgain->GetLogFont(&lf));
    EXPECT_EQ(-11, lf.lfHeight);

    // Without ambient objects nothing ends it; a new one that goes ends it again.
    { CVellAmbient passing; }
    EXPECT_FALSE(CVellFontAllocator::HasDefaultFont());
}

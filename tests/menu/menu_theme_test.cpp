// Menu themes: item sizes, and every kind of item drawn into a DIB section and read back.
#include "MenuTestSupport.h"

#include "support/DibSurface.h"
#include "tests/support/WineDifference.h"
#include "toolkit/menu/MenuColors.h"
#include "toolkit/menu/MenuTheme.h"

#include <gtest/gtest.h>

using namespace vell_menu;

namespace {

constexpr COLORREF kBackground = RGB(1, 2, 3);

// A menu bar with one popup of sample items: plain, with accelerator, checked, separator, disabled,
// and a system command.
class ThemeTest : public testing::Test {
protected:
    void SetUp() override
    {
        CMenu bar, popup;
        bar.CreateMenu();
        popup.CreatePopupMenu();
        popup.AppendMenu(MF_STRING, 10, L"&Plain");
        popup.AppendMenu(MF_STRING, 11, L"&Open\tCtrl+O");
        popup.AppendMenu(MF_STRING | MF_CHECKED, 12, L"&Checked");
        popup.AppendMenu(MF_SEPARATOR);
        popup.AppendMenu(MF_STRING | MF_GRAYED, 13, L"&Disabled");
        popup.AppendMenu(MF_STRING, SC_CLOSE, L"&Close");
        bar.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(popup.Detach()), L"&File");
        ASSERT_TRUE(m_menu.Convert(bar.Detach()));
        m_pPopup = CVellMenu::FromHandleThemed(::GetSubMenu(m_menu, 0));
        ASSERT_TRUE(m_pPopup);
    }

    MEASUREITEMSTRUCT Measure(MenuMeasureFn pfn, CVellMenu* pMenu, int nPos, BOOL bBar)
    {
        CVellMenuItemData* pData = pMenu->GetRecord(nPos);
        MEASUREITEMSTRUCT mis{};
        mis.CtlType = ODT_MENU;
        mis.itemID = static_cast<UINT>(pData->m_nCommandId);
        mis.itemData = reinterpret_cast<ULONG_PTR>(pData);
        pfn(pMenu, &mis, bBar);
        return mis;
    }

    // Draws item nPos of pMenu into (0, 0, cx, cy) of the surface.
    void Draw(MenuDrawFn pfn, CVellMenu* pMenu, int nPos, BOOL bBar, UINT nState, int cx = 160, int cy = 23)
    {
        CVellMenuItemData* pData = pMenu->GetRecord(nPos);
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_MENU;
        dis.itemID = static_cast<UINT>(pData->m_nCommandId);
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = nState;
        dis.hwndItem = reinterpret_cast<HWND>(pMenu->m_hMenu);
        dis.hDC = m_surface.dc();
        dis.rcItem = RECT{0, 0, cx, cy};
        dis.itemData = reinterpret_cast<ULONG_PTR>(pData);
        pfn(pMenu, &dis, bBar);
    }

    CVellMenu m_menu;
    CVellMenu* m_pPopup = nullptr;
    DibSurface m_surface{200, 40, kBackground};
};

}  // namespace

TEST(MenuColors, NamedColoursFollowFromTheOperations)
{
    EXPECT_EQ(kLight, BlendMostly(kPale, kNavy));
    EXPECT_EQ(kDark, BlendMostly(kNavy, kPale));
    EXPECT_EQ(kOpenBarItemPen, DarkenBy(128, kNavy));
    EXPECT_EQ(RGB(179, 179, 217), ToneDown(RGB(255, 255, 255)));  // MulDiv rounds
}

TEST_F(ThemeTest, ItemSizes)
{
    EXPECT_EQ(23u, Measure(MeasureItemXP, m_pPopup, 0, FALSE).itemHeight);
    EXPECT_EQ(19u, Measure(MeasureItemClassic, m_pPopup, 0, FALSE).itemHeight);
    EXPECT_EQ(3u, Measure(MeasureItemXP, m_pPopup, 3, FALSE).itemHeight);
    EXPECT_EQ(3u, Measure(MeasureItemClassic, m_pPopup, 3, FALSE).itemHeight);

    // The width: the whole text, the icon column twice plus 2 on popups, 15 more with a tab.
    HDC hDC = ::GetDC(nullptr);
    CFont font;
    CreateMenuItemFont(font, FALSE);
    HGDIOBJ hOld = ::SelectObject(hDC, font);
    SIZE sizeOpen{}, sizeFile{};
    ::GetTextExtentPoint32W(hDC, L"&Open\tCtrl+O", 12, &sizeOpen);
    ::GetTextExtentPoint32W(hDC, L"&File", 5, &sizeFile);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(nullptr, hDC);
    EXPECT_EQ(static_cast<UINT>(sizeOpen.cx + 2 * 16 + 2 + 15), Measure(MeasureItemXP, m_pPopup, 1, FALSE).itemWidth);
    EXPECT_EQ(static_cast<UINT>(sizeFile.cx), Measure(MeasureItemXP, &m_menu, 0, TRUE).itemWidth);

    // A system command is 19 high and as wide as the widest of it and the next command.
    EXPECT_EQ(19u, Measure(MeasureItemXP, m_pPopup, 5, FALSE).itemHeight);
}

TEST_F(ThemeTest, XpPopupItemsByKind)
{
    // Plain: dark icon column, light text area.
    Draw(DrawItemXP, m_pPopup, 0, FALSE, 0);
    EXPECT_EQ(kDark, m_surface.At(5, 10));
    EXPECT_EQ(kLight, m_surface.At(150, 3));
    EXPECT_EQ(kBackground, m_surface.At(0, 10));  // the first column is left alone

    // Selected: a white box outlined by the frame pen, from the icon column's edge.
    Draw(DrawItemXP, m_pPopup, 0, FALSE, ODS_SELECTED);
    const int w = 1 + 16 + 8;
    EXPECT_EQ(kXpFramePen, m_surface.At(w, 10));
    EXPECT_EQ(kWhite, m_surface.At(150, 3));
    EXPECT_EQ(kXpFramePen, m_surface.At(150, 0));

    // Checked: a toned-down box in the icon column with the check glyph.
    Draw(DrawItemXP, m_pPopup, 2, FALSE, ODS_CHECKED);
    EXPECT_EQ(ToneDown(kLight), m_surface.At(3, 3));
    EXPECT_EQ(kXpFramePen, m_surface.At(2, 2));

    // Separator: one navy line across the middle.
    m_surface.Fill(kBackground);
    Draw(DrawItemXP, m_pPopup, 3, FALSE, 0, 160, 3);
    EXPECT_EQ(kNavy, m_surface.At(100, 1));
    EXPECT_EQ(kLight, m_surface.At(100, 0));

    // Disabled: grey text, never black.
    m_surface.Fill(kBackground);
    Draw(DrawItemXP, m_pPopup, 4, FALSE, ODS_GRAYED | ODS_DISABLED);
    bool bGrey = false, bBlack = false;
    for (int x = 30; x < 100; ++x)
        for (int y = 4; y < 19; ++y) {
            bGrey |= m_surface.At(x, y) == kGreyText;
            bBlack |= m_surface.At(x, y) == kBlack;
        }
    EXPECT_TRUE(bGrey);
    EXPECT_FALSE(bBlack);
}

TEST_F(ThemeTest, AcceleratorIsRightAlignedLabelLeftAligned)
{
    Draw(DrawItemXP, m_pPopup, 1, FALSE, 0, 200, 23);
    int nLeftmost = 200, nRightmost = -1;
    for (int x = 26; x < 200; ++x)
        for (int y = 0; y < 23; ++y)
            if (m_surface.At(x, y) == kBlack) {
                nLeftmost = std::min(nLeftmost, x);
                nRightmost = std::max(nRightmost, x);
            }
    EXPECT_LT(nLeftmost, 26 + 4 + 4);      // the label starts at the text area's left
    EXPECT_GT(nRightmost, 200 - 1 - 4 - 8);  // the accelerator ends at its right
}

TEST_F(ThemeTest, SubmenuItemsShowTheirArrowAndKeepTheSystemsOff)
{
    for (MenuDrawFn pfn : {DrawItemXP, DrawItemClassic}) {
        m_surface.Fill(kBackground);
        ::SelectClipRgn(m_surface.dc(), nullptr);
        // "&File" holds a submenu; drawn here as an item of a popup.
        Draw(pfn, &m_menu, 0, FALSE, 0);
        int nArrow = 0;
        for (int x = 160 - 25; x < 160 - 2; ++x)
            for (int y = 0; y < 23; ++y)
                nArrow += m_surface.At(x, y) == kBlack;
        EXPECT_GT(nArrow, 8);
        // Whatever the system draws into the DC after the owner stays off the item.
        EXPECT_FALSE(::PtVisible(m_surface.dc(), 150, 10));
        EXPECT_TRUE(::PtVisible(m_surface.dc(), 180, 30));
    }
}

TEST_F(ThemeTest, XpMenuBarItemsNormalHotAndOpen)
{
    Draw(DrawItemXP, &m_menu, 0, TRUE, 0, 40, 20);
    EXPECT_EQ(kNavy, m_surface.At(2, 2));

    Draw(DrawItemXP, &m_menu, 0, TRUE, ODS_HOTLIGHT, 40, 20);
    EXPECT_EQ(kWhite, m_surface.At(3, 3));
    EXPECT_EQ(kXpFramePen, m_surface.At(1, 0));

    // Selected without an open popup counts as hot.
    Draw(DrawItemXP, &m_menu, 0, TRUE, ODS_SELECTED, 40, 20);
    EXPECT_EQ(kWhite, m_surface.At(3, 3));

    // Open: a dark box, the darker pen, and the shadow at the right end.
    m_menu.m_openCount = 1;
    Draw(DrawItemXP, &m_menu, 0, TRUE, ODS_SELECTED, 40, 20);
    m_menu.m_openCount = 0;
    EXPECT_EQ(kDark, m_surface.At(3, 3));
    EXPECT_EQ(kOpenBarItemPen, m_surface.At(1, 0));
    EXPECT_EQ(Scale(kNavy, 240), m_surface.At(38, 10));     // column 0, rows 8 and below
    EXPECT_EQ(Scale(kNavy, 240 - 15), m_surface.At(37, 10)); // column 1 (the box covers 2 and 3)
    EXPECT_EQ(Scale(kNavy, 252), m_surface.At(38, 4));
}

TEST_F(ThemeTest, ClassicAndFlatBarLooks)
{
    Draw(DrawItemClassic, m_pPopup, 0, FALSE, 0);
    EXPECT_EQ(kPale, m_surface.At(150, 3));
    Draw(DrawItemClassic, m_pPopup, 0, FALSE, ODS_SELECTED);
    EXPECT_EQ(kWhite, m_surface.At(150, 3));
    Draw(DrawItemClassic, &m_menu, 0, TRUE, 0, 40, 20);
    EXPECT_EQ(kNavy, m_surface.At(20, 1));

    Draw(DrawItemFlatBar, &m_menu, 0, TRUE, ODS_HOTLIGHT, 40, 20);
    EXPECT_EQ(kPale, m_surface.At(2, 2));
    Draw(DrawItemFlatBar, &m_menu, 0, TRUE, 0, 40, 20);
    EXPECT_EQ(kNavy, m_surface.At(2, 2));
    // Flat-bar popups are classic.
    Draw(DrawItemFlatBar, m_pPopup, 0, FALSE, ODS_SELECTED);
    EXPECT_EQ(kWhite, m_surface.At(150, 3));
}

TEST_F(ThemeTest, HundredDrawsLeaveGdiObjectsAndTheDcAsTheyWere)
{
    const HDC hDC = m_surface.dc();
    ::SetTextColor(hDC, RGB(9, 8, 7));
    ::SetBkMode(hDC, OPAQUE);
    const HGDIOBJ hFont = ::GetCurrentObject(hDC, OBJ_FONT);
    const HGDIOBJ hPen = ::GetCurrentObject(hDC, OBJ_PEN);
    const HGDIOBJ hBrush = ::GetCurrentObject(hDC, OBJ_BRUSH);
    const DWORD nBefore = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    for (int i = 0; i < 100; ++i) {
        const int nPos = i % m_pPopup->GetRecordCount();
        Draw(DrawItemXP, m_pPopup, nPos, FALSE, (i & 1) ? ODS_SELECTED | ODS_CHECKED : 0);
        Draw(DrawItemClassic, m_pPopup, nPos, FALSE, (i & 1) ? ODS_SELECTED | ODS_CHECKED : ODS_GRAYED);
        m_menu.m_openCount = i & 1;
        Draw(DrawItemXP, &m_menu, 0, TRUE, ODS_SELECTED, 40, 20);
        Draw(DrawItemFlatBar, &m_menu, 0, TRUE, ODS_HOTLIGHT, 40, 20);
    }
    m_menu.m_openCount = 0;
    EXPECT_EQ(nBefore, ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS));
    if (nBefore == 0) {
        WINE_KNOWN_DIFFERENCE("GetGuiResources counts the process's GDI objects; the handle table's limit checks instead");
        // One object lost per draw would use up the GDI handles (65,536 under Wine) long before
        // the end: objects can still be made afterwards.
        for (int i = 0; i < 17000; ++i) {
            Draw(DrawItemXP, m_pPopup, 2, FALSE, ODS_SELECTED | ODS_CHECKED);
            Draw(DrawItemXP, m_pPopup, 5, FALSE, ODS_GRAYED);
            Draw(DrawItemClassic, m_pPopup, 2, FALSE, ODS_CHECKED);
            Draw(DrawItemFlatBar, &m_menu, 0, TRUE, ODS_HOTLIGHT, 40, 20);
        }
        CBrush brush;
        EXPECT_TRUE(brush.CreateSolidBrush(RGB(1, 2, 3)));
    }
    EXPECT_EQ(RGB(9, 8, 7), ::GetTextColor(hDC));
    EXPECT_EQ(OPAQUE, ::GetBkMode(hDC));
    EXPECT_EQ(hFont, ::GetCurrentObject(hDC, OBJ_FONT));
    EXPECT_EQ(hPen, ::GetCurrentObject(hDC, OBJ_PEN));
    EXPECT_EQ(hBrush, ::GetCurrentObject(hDC, OBJ_BRUSH));
}

TEST_F(ThemeTest, DisplayThatCannotTellLightFromDarkGetsPaleAndNavy)
{
    // An 8-bit surface whose colours are black, white and one grey-blue: light and dark both come
    // out grey-blue there, while pale comes out white and navy black.
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[3];
    } info{};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = 100;
    info.header.biHeight = -23;
    info.header.biPlanes = 1;
    info.header.biBitCount = 8;
    info.header.biClrUsed = 3;
    info.colours[0] = RGBQUAD{0, 0, 0, 0};
    info.colours[1] = RGBQUAD{255, 255, 255, 0};
    info.colours[2] = RGBQUAD{165, 140, 120, 0};
    void* pBits = nullptr;
    CBitmap bitmap;
    bitmap.Attach(::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &pBits, nullptr, 0));
    ASSERT_TRUE(bitmap.m_hObject);
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CSelectGuard select(dc.m_hDC, bitmap);
    ASSERT_EQ(::GetNearestColor(dc, kLight), ::GetNearestColor(dc, kDark));

    CVellMenuItemData* pData = m_pPopup->GetRecord(0);
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_MENU;
    dis.itemID = static_cast<UINT>(pData->m_nCommandId);
    dis.itemAction = ODA_DRAWENTIRE;
    dis.hwndItem = reinterpret_cast<HWND>(m_pPopup->m_hMenu);
    dis.hDC = dc;
    dis.rcItem = RECT{0, 0, 100, 23};
    dis.itemData = reinterpret_cast<ULONG_PTR>(pData);
    DrawItemXP(m_pPopup, &dis, FALSE);
    const auto* pIndexes = static_cast<const BYTE*>(pBits);
    const auto At = [pIndexes](int x, int y) { return pIndexes[y * 100 + x]; };
    EXPECT_EQ(0, At(5, 10));   // the icon column is navy (black here), not dark
    EXPECT_EQ(1, At(92, 3));   // the background is pale (white here), not light
}

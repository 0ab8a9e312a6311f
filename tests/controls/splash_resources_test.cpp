// The launcher's splash resources as linked into it: the picture 2045 and the dialog template 1550.
#include "resources/ResourceIds.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const BYTE* ResourceBytes(const wchar_t* type, int id, DWORD* pcb)
{
    HRSRC hInfo = FindResourceW(nullptr, MAKEINTRESOURCEW(id), type);
    if (!hInfo)
        return nullptr;
    *pcb = SizeofResource(nullptr, hInfo);
    return static_cast<const BYTE*>(LockResource(LoadResource(nullptr, hInfo)));
}

// The picture's pixels as (red, green, blue) rows, top row first.
struct Picture {
    int cx = 0, cy = 0;
    std::vector<std::vector<RGBTRIPLE>> rows;
    double Brightness(int left, int top, int right, int bottom) const
    {
        double sum = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) {
                const RGBTRIPLE& p = rows[y][x];
                sum += 0.299 * p.rgbtRed + 0.587 * p.rgbtGreen + 0.114 * p.rgbtBlue;
            }
        return sum / ((right - left) * (bottom - top));
    }
};

// Reads a sz_Or_Ord field of a dialog template: an ordinal (0xFFFF, n) or a zero-ended string.
std::wstring ReadNameOrOrdinal(const WORD*& p)
{
    if (*p == 0xFFFF) {
        const std::wstring ordinal = L"#" + std::to_wstring(p[1]);
        p += 2;
        return ordinal;
    }
    std::wstring text(reinterpret_cast<const wchar_t*>(p));
    p += text.size() + 1;
    return text;
}

// The fields of an extended dialog template that the splash relies on.
struct DialogTemplate {
    DWORD exStyle = 0, style = 0;
    WORD items = 0;
    short cx = 0, cy = 0;
    std::wstring menu, windowClass, title, face;
    WORD pointSize = 0;
    DWORD itemStyle = 0, itemId = 0;
    short itemX = -1, itemY = -1;
    std::wstring itemClass, itemTitle;
};

#pragma pack(push, 1)
struct DlgTemplateExHead {
    WORD dlgVer, signature;
    DWORD helpID, exStyle, style;
    WORD cDlgItems;
    short x, y, cx, cy;
};
struct DlgItemTemplateExHead {
    DWORD helpID, exStyle, style;
    short x, y, cx, cy;
    DWORD id;
};
#pragma pack(pop)

bool ParseDialog(const BYTE* pData, DialogTemplate& out)
{
    const auto* pHead = reinterpret_cast<const DlgTemplateExHead*>(pData);
    if (pHead->dlgVer != 1 || pHead->signature != 0xFFFF)
        return false;
    out.exStyle = pHead->exStyle;
    out.style = pHead->style;
    out.items = pHead->cDlgItems;
    out.cx = pHead->cx;
    out.cy = pHead->cy;
    const auto* p = reinterpret_cast<const WORD*>(pHead + 1);
    out.menu = ReadNameOrOrdinal(p);
    out.windowClass = ReadNameOrOrdinal(p);
    out.title = ReadNameOrOrdinal(p);
    if (out.style & DS_SETFONT) {
        out.pointSize = p[0];
        p += 3;  // point size, weight, italic and character set
        out.face = ReadNameOrOrdinal(p);
    }
    // Items start on a DWORD boundary.
    const auto offset = reinterpret_cast<uintptr_t>(p) - reinterpret_cast<uintptr_t>(pData);
    const auto* pItem = reinterpret_cast<const DlgItemTemplateExHead*>(pData + ((offset + 3) & ~uintptr_t(3)));
    out.itemStyle = pItem->style;
    out.itemId = pItem->id;
    out.itemX = pItem->x;
    out.itemY = pItem->y;
    p = reinterpret_cast<const WORD*>(pItem + 1);
    out.itemClass = ReadNameOrOrdinal(p);
    out.itemTitle = ReadNameOrOrdinal(p);
    return true;
}

INT_PTR CALLBACK QuietDialogProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

}  // namespace

TEST(SplashResourcesTest, PictureIs480By320At24BitsWithoutTheKeyColour)
{
    DWORD cb = 0;
    const BYTE* pData = ResourceBytes(RT_BITMAP, IDB_SPLASH, &cb);
    ASSERT_NE(nullptr, pData);
    const auto* pInfo = reinterpret_cast<const BITMAPINFOHEADER*>(pData);
    ASSERT_EQ(480, pInfo->biWidth);
    ASSERT_EQ(320, std::abs(pInfo->biHeight));
    ASSERT_EQ(24, pInfo->biBitCount);
    ASSERT_EQ(static_cast<DWORD>(BI_RGB), pInfo->biCompression);
    const DWORD stride = (480 * 3 + 3) & ~3u;
    ASSERT_GE(cb, pInfo->biSize + stride * 320);

    Picture picture;
    picture.cx = 480;
    picture.cy = 320;
    const BYTE* pBits = pData + pInfo->biSize;
    int nMagenta = 0;
    for (int y = 0; y < 320; ++y) {
        const int row = pInfo->biHeight > 0 ? 319 - y : y;
        const auto* pRow = reinterpret_cast<const RGBTRIPLE*>(pBits + row * stride);
        picture.rows.emplace_back(pRow, pRow + 480);
        for (int x = 0; x < 480; ++x)
            nMagenta += pRow[x].rgbtRed == 255 && pRow[x].rgbtGreen == 0 && pRow[x].rgbtBlue == 255;
    }
    EXPECT_EQ(0, nMagenta) << "RGB(255, 0, 255) is the transparent key";

    // Dark behind the white title, light behind the black and navy lines of the bottom band.
    EXPECT_LT(picture.Brightness(18, 62, 300, 86), 70.0);
    EXPECT_GT(picture.Brightness(0, 320 - 42, 480, 320), 200.0);

    // The application loads it as any bitmap.
    HBITMAP hBitmap = LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_SPLASH));
    ASSERT_NE(nullptr, hBitmap);
    BITMAP bm{};
    ASSERT_TRUE(GetObjectW(hBitmap, sizeof(bm), &bm));
    EXPECT_EQ(480, bm.bmWidth);
    EXPECT_EQ(320, bm.bmHeight);
    DeleteObject(hBitmap);
}

TEST(SplashResourcesTest, DialogTemplate)
{
    DWORD cb = 0;
    const BYTE* pData = ResourceBytes(RT_DIALOG, IDD_ABOUT_SPLASH, &cb);
    ASSERT_NE(nullptr, pData);
    DialogTemplate dlg;
    ASSERT_TRUE(ParseDialog(pData, dlg));
    EXPECT_EQ(static_cast<DWORD>(WS_POPUP | DS_MODALFRAME | DS_SETFONT), dlg.style);
    EXPECT_EQ(static_cast<DWORD>(WS_EX_TOOLWINDOW), dlg.exStyle);
    EXPECT_EQ(321, dlg.cx);
    EXPECT_EQ(198, dlg.cy);
    EXPECT_EQ(L"", dlg.menu);
    EXPECT_EQ(L"", dlg.windowClass);
    EXPECT_EQ(L"", dlg.title);
    EXPECT_EQ(8, dlg.pointSize);
    EXPECT_EQ(L"MS Sans Serif", dlg.face);

    ASSERT_EQ(1, dlg.items);
    EXPECT_EQ(static_cast<DWORD>(IDC_ABOUT_PICTURE), dlg.itemId);
    // The predefined static class, by ordinal (0x82) or by name (windres writes the name).
    EXPECT_TRUE(dlg.itemClass == L"#130" || _wcsicmp(dlg.itemClass.c_str(), L"Static") == 0)
        << std::string(dlg.itemClass.begin(), dlg.itemClass.end());
    EXPECT_EQ(static_cast<DWORD>(WS_CHILD | WS_VISIBLE | SS_BITMAP), dlg.itemStyle);
    EXPECT_EQ(0, dlg.itemX);
    EXPECT_EQ(0, dlg.itemY);
}

TEST(SplashResourcesTest, DialogComesUpAsABorderlessToolWindowAroundThePicture)
{
    HWND hDlg = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ABOUT_SPLASH), nullptr,
                                   QuietDialogProc, 0);
    ASSERT_NE(nullptr, hDlg);
    const LONG_PTR style = GetWindowLongPtrW(hDlg, GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & WS_CAPTION);
    EXPECT_TRUE(GetWindowLongPtrW(hDlg, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);

    HWND hPicture = GetDlgItem(hDlg, IDC_ABOUT_PICTURE);
    ASSERT_NE(nullptr, hPicture);
    wchar_t className[32] = {};
    GetClassNameW(hPicture, className, 32);
    EXPECT_STREQ(L"Static", className);
    EXPECT_EQ(SS_BITMAP, GetWindowLongPtrW(hPicture, GWL_STYLE) & SS_TYPEMASK);

    // 321 × 198 dialog units of 8-point MS Sans Serif make about the picture's 480 × 320 pixels.
    RECT client{};
    GetClientRect(hDlg, &client);
    EXPECT_NEAR(480, client.right, 8) << "client width";
    EXPECT_NEAR(320, client.bottom, 8) << "client height";
    RecordProperty("client", std::to_string(client.right) + "x" + std::to_string(client.bottom));
    DestroyWindow(hDlg);
}

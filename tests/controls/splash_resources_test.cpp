// The launcher's splash resources as linked into it: the picture 2045 and the dialog template 1550.
#include "resources/ResourceIds.h"

#include <windows.h>

#include <gtest/gtest.h>

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

TEST(SplashResourcesTest, DialogIsABorderlessToolWindowWithOnlyThePicture)
{
    HWND hDlg = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ABOUT_SPLASH), nullptr,
                                   QuietDialogProc, 0);
    ASSERT_NE(nullptr, hDlg);
    const LONG_PTR style = GetWindowLongPtrW(hDlg, GWL_STYLE);
    EXPECT_EQ(static_cast<LONG_PTR>(WS_POPUP | DS_MODALFRAME | DS_SETFONT),
              style & (WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | DS_MODALFRAME | DS_SETFONT));
    EXPECT_TRUE(GetWindowLongPtrW(hDlg, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    wchar_t title[8] = L"x";
    EXPECT_EQ(0, GetWindowTextW(hDlg, title, 8));

    LOGFONTW lf{};
    ASSERT_TRUE(GetObjectW(reinterpret_cast<HFONT>(SendMessageW(hDlg, WM_GETFONT, 0, 0)), sizeof(lf), &lf));
    EXPECT_STREQ(L"MS Sans Serif", lf.lfFaceName);
    EXPECT_EQ(-MulDiv(8, 96, 72), lf.lfHeight) << "8 points at 96 dpi";

    HWND hPicture = GetDlgItem(hDlg, IDC_ABOUT_PICTURE);
    ASSERT_NE(nullptr, hPicture);
    EXPECT_EQ(hPicture, GetWindow(hDlg, GW_CHILD));
    EXPECT_EQ(nullptr, GetWindow(hPicture, GW_HWNDNEXT)) << "one control";
    RECT picture{};
    GetWindowRect(hPicture, &picture);
    MapWindowPoints(nullptr, hDlg, reinterpret_cast<POINT*>(&picture), 2);
    EXPECT_EQ(0, picture.left);
    EXPECT_EQ(0, picture.top);
    EXPECT_TRUE(GetWindowLongPtrW(hPicture, GWL_STYLE) & WS_VISIBLE);
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

// The gallery's pictures: the BMP file image (row order, padding, channel order) and a capture of a
// window whose colours are known.
#include "gallery/ScreenCapture.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

template <typename T>
T ReadAt(const std::vector<BYTE>& file, size_t offset)
{
    T value;
    std::memcpy(&value, file.data() + offset, sizeof(T));
    return value;
}

}  // namespace

TEST(ScreenCaptureTest, BmpIsBottomUpBgrWithPaddedRows)
{
    // 3 × 2 pixels, top row red green blue, bottom row white black grey (0x00RRGGBB as in a DIB).
    const DWORD pixels[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0x808080};
    const std::vector<BYTE> file = EncodeBmp24(pixels, 3, 2);

    const DWORD nOffset = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    const size_t nStride = 12;  // 9 bytes of pixels padded to a multiple of 4
    ASSERT_EQ(nOffset + 2 * nStride, file.size());
    EXPECT_EQ(0x4D42, ReadAt<WORD>(file, 0));
    EXPECT_EQ(file.size(), ReadAt<DWORD>(file, 2));
    EXPECT_EQ(nOffset, ReadAt<DWORD>(file, 10));
    const auto ih = ReadAt<BITMAPINFOHEADER>(file, sizeof(BITMAPFILEHEADER));
    EXPECT_EQ(3, ih.biWidth);
    EXPECT_EQ(2, ih.biHeight) << "positive: bottom-up";
    EXPECT_EQ(24, ih.biBitCount);

    // The first row in the file is the bottom row of the picture.
    const BYTE* pBottom = file.data() + nOffset;
    const BYTE expectedBottom[] = {0xFF, 0xFF, 0xFF, 0, 0, 0, 0x80, 0x80, 0x80, 0, 0, 0};
    EXPECT_EQ(0, std::memcmp(expectedBottom, pBottom, nStride));
    const BYTE* pTop = pBottom + nStride;
    const BYTE expectedTop[] = {0, 0, 0xFF, 0, 0xFF, 0, 0xFF, 0, 0, 0, 0, 0};
    EXPECT_EQ(0, std::memcmp(expectedTop, pTop, nStride));
}

TEST(ScreenCaptureTest, CapturesWhatAWindowShowsAndRefusesEmptyRectangles)
{
    // A window painted plain green by its class brush, on top.
    const HBRUSH hGreen = ::CreateSolidBrush(RGB(0, 160, 0));
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hbrBackground = hGreen;
    wc.lpszClassName = L"CaptureTestGreen";
    ASSERT_NE(0, ::RegisterClassW(&wc));
    const HWND hWnd = ::CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 40, 40, 64, 48,
                                        nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(nullptr, hWnd);
    ::UpdateWindow(hWnd);
    MSG msg;
    for (int i = 0; i < 20; ++i) {
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&msg);
        ::Sleep(10);
    }

    const RECT rcBounds = ThreadWindowsBounds();
    EXPECT_EQ(40, rcBounds.left);
    EXPECT_EQ(104, rcBounds.right);

    wchar_t szPath[MAX_PATH];
    ::GetTempPathW(MAX_PATH, szPath);
    wcscat_s(szPath, L"capture_test.bmp");
    ASSERT_TRUE(CaptureScreenToBmp(rcBounds, szPath));
    const HANDLE hFile = ::CreateFileW(szPath, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
    std::vector<BYTE> file(::GetFileSize(hFile, nullptr));
    DWORD nRead = 0;
    ::ReadFile(hFile, file.data(), static_cast<DWORD>(file.size()), &nRead, nullptr);
    ::CloseHandle(hFile);
    ::DeleteFileW(szPath);
    ASSERT_EQ(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + 64 * 3 * 48, nRead);
    // The middle pixel, blue-green-red.
    const size_t nMiddle = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + 24 * 64 * 3 + 32 * 3;
    EXPECT_EQ(0, file[nMiddle]);
    EXPECT_EQ(160, file[nMiddle + 1]);
    EXPECT_EQ(0, file[nMiddle + 2]);

    EXPECT_FALSE(CaptureScreenToBmp(RECT{10, 10, 10, 20}, szPath)) << "empty rectangle";
    ::DestroyWindow(hWnd);
    ::DeleteObject(hGreen);
}

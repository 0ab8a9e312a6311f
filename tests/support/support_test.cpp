// The test support itself: a comparison that passes wrongly hides faults in every test using it.
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using msgseq::kLParam;
using msgseq::kOptional;
using msgseq::kWineMissing;
using msgseq::kWParam;

TEST(MessageTableTest, MasksCompareOnlyTheirBits)
{
    msgseq::Log log;
    log.Add("wnd", WM_SYSCOMMAND, SC_MINIMIZE | 0x0002, MAKELPARAM(10, 20));
    EXPECT_FALSE(log.Matches({{"wnd", WM_SYSCOMMAND, kWParam, SC_MINIMIZE}})) << "all bits without a mask";
    EXPECT_TRUE(log.Matches({{"wnd", WM_SYSCOMMAND, kWParam, SC_MINIMIZE, 0, 0xFFF0}}));
    EXPECT_FALSE(log.Matches({{"wnd", WM_SYSCOMMAND, kWParam, SC_RESTORE, 0, 0xFFF0}}));
    EXPECT_TRUE(log.Matches({{"wnd", WM_SYSCOMMAND, kLParam, 0, MAKELPARAM(99, 20), ~WPARAM(0), 0xFFFF0000}}))
        << "the y half only";
    EXPECT_FALSE(log.Matches({{"wnd", WM_SYSCOMMAND, kLParam, 0, MAKELPARAM(99, 20)}}));
}

TEST(MessageTableTest, OptionalEntriesAndNoise)
{
    msgseq::Log log;
    log.Add("wnd", WM_GETICON, 0, 0);  // noise
    log.Add("wnd", WM_SIZE, 0, 0);
    log.Add("wnd", 0xC123, 0, 0);  // a registered message: noise
    log.Add("wnd", WM_MOVE, 0, 0);
    EXPECT_TRUE(log.Matches({{"wnd", WM_WINDOWPOSCHANGED, kOptional}, {"wnd", WM_SIZE}, {"wnd", WM_MOVE}}));
    EXPECT_FALSE(log.Matches({{"wnd", WM_SIZE}})) << "a message left over";
    EXPECT_TRUE(log.StartsWith({{"wnd", WM_SIZE}}));
    EXPECT_TRUE(log.EndsWith({{"wnd", WM_MOVE}}));
    EXPECT_FALSE(log.Matches({{"wnd", WM_MOVE}, {"wnd", WM_SIZE}})) << "order counts";
    EXPECT_FALSE(log.Matches({{"hook", WM_SIZE}, {"hook", WM_MOVE}})) << "and the source";
}

TEST(MessageTableTest, AMessageOnlyWineLeavesOutIsReportedThere)
{
    msgseq::Log log;
    log.Add("wnd", WM_SIZE, 0, 0);
    const int nBefore = testsupport::WineDifferenceCount();
    const bool bMatched = log.Matches({{"wnd", WM_SIZE}, {"wnd", WM_MOVE, kWineMissing}});
    if (RunningOnWine()) {
        EXPECT_TRUE(bMatched);
        EXPECT_EQ(nBefore + 1, testsupport::WineDifferenceCount()) << "said in the output, not skipped silently";
    } else {
        EXPECT_FALSE(bMatched) << "required on Windows";
    }

    log.Add("wnd", WM_MOVE, 0, 0);
    const int nPresent = testsupport::WineDifferenceCount();
    EXPECT_TRUE(log.Matches({{"wnd", WM_SIZE}, {"wnd", WM_MOVE, kWineMissing}}));
    EXPECT_EQ(nPresent, testsupport::WineDifferenceCount()) << "nothing to report when it comes";
    EXPECT_FALSE(log.Matches({{"wnd", WM_SIZE}, {"wnd", WM_MOVE, kWineMissing}, {"wnd", WM_CLOSE}}));
    EXPECT_EQ(nPresent, testsupport::WineDifferenceCount()) << "a sequence that fails reports nothing";
}

TEST(LastErrorTest, SentinelTellsSetFromUntouched)
{
    ArmLastError();
    EXPECT_TRUE(LastErrorUntouched());
    EXPECT_FALSE(LastErrorSet());
    EXPECT_FALSE(LastErrorIs(ERROR_FILE_NOT_FOUND));

    ArmLastError();
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(L"C:\\no such folder\\no such file"));
    EXPECT_TRUE(LastErrorSet());
    EXPECT_TRUE(LastErrorIs(ERROR_PATH_NOT_FOUND));
    EXPECT_FALSE(LastErrorUntouched());
}

TEST(WineTest, DetectorAgreesWithNtdll)
{
    const bool bExport = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    EXPECT_EQ(bExport, RunningOnWine());
}

TEST(DibSurfaceTest, CountsAndBounds)
{
    DibSurface s(10, 8, RGB(1, 2, 3));
    RECT rc{2, 3, 5, 6};
    HBRUSH hBrush = CreateSolidBrush(RGB(200, 0, 0));
    FillRect(s.dc(), &rc, hBrush);
    DeleteObject(hBrush);
    EXPECT_EQ(9, s.Count(RECT{0, 0, 10, 8}, RGB(200, 0, 0)));
    EXPECT_EQ(0, s.Count(RECT{5, 0, 10, 8}, RGB(200, 0, 0)));
    const RECT bounds = s.Bounds(RECT{0, 0, 10, 8}, RGB(200, 0, 0));
    EXPECT_TRUE(EqualRect(&rc, &bounds));
    const RECT ink = s.InkBounds(RECT{0, 0, 4, 8}, RGB(1, 2, 3));
    const RECT inkExpected{2, 3, 4, 6};
    EXPECT_TRUE(EqualRect(&inkExpected, &ink)) << "clipped to the rectangle examined";
    EXPECT_EQ("RGB(200, 0, 0)", RgbText(s.At(2, 3)));
    EXPECT_EQ(CLR_INVALID, s.At(10, 0));
}

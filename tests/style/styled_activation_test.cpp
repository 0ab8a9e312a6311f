// Plain styled dialogs keep the toolkit's frame, caption and buttons on screen while the activation
// moves to another window and back (the system's default handling of the activation would paint
// its own frame).
#include "toolkit/style/VellDialog.h"

#include "DibSurface.h"
#include "MessageSequence.h"
#include "TestWindows.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

namespace {

constexpr UINT IDD_STYLED = 200;
constexpr UINT IDD_RESIZABLE = 201;

std::unique_ptr<DibSurface> ReadWindowNow(HWND hWnd)
{
    msgseq::PumpMessages();
    RECT rc{};
    GetWindowRect(hWnd, &rc);
    auto surface = std::make_unique<DibSurface>(rc.right - rc.left, rc.bottom - rc.top);
    HDC hDC = GetWindowDC(hWnd);
    BitBlt(surface->dc(), 0, 0, surface->Width(), surface->Height(), hDC, 0, 0, SRCCOPY);
    ReleaseDC(hWnd, hDC);
    return surface;
}

std::string Rgb(COLORREF c)
{
    std::ostringstream out;
    out << "RGB(" << int(GetRValue(c)) << ", " << int(GetGValue(c)) << ", " << int(GetBValue(c)) << ")";
    return out.str();
}

// Every pixel of the non-client area (outside rcClient) alike in both pictures.
::testing::AssertionResult SameFrame(const DibSurface& a, const DibSurface& b, const RECT& rcClient)
{
    int nDiffer = 0;
    std::ostringstream first;
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x) {
            if (PtInRect(&rcClient, POINT{x, y}) || a.At(x, y) == b.At(x, y))
                continue;
            if (nDiffer++ == 0)
                first << "first at (" << x << ", " << y << "): " << Rgb(a.At(x, y)) << " became " << Rgb(b.At(x, y));
        }
    }
    if (nDiffer == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << nDiffer << " frame pixels changed, " << first.str();
}

void ExpectToolkitBorder(const DibSurface& s, const char* pszWhen)
{
    const int w = s.Width(), h = s.Height();
    EXPECT_EQ(Rgb(RGB(199, 207, 220)), Rgb(s.At(0, h / 2))) << pszWhen << ": left, outer light line";
    EXPECT_EQ(Rgb(RGB(146, 160, 185)), Rgb(s.At(2, h / 2))) << pszWhen << ": left, third line";
    EXPECT_EQ(Rgb(RGB(20, 25, 35)), Rgb(s.At(w - 1, h / 2))) << pszWhen << ": right, outer dark line";
    EXPECT_EQ(Rgb(RGB(21, 59, 99)), Rgb(s.At(w - 3, h / 2))) << pszWhen << ": right, third line";
    EXPECT_EQ(Rgb(RGB(20, 25, 35)), Rgb(s.At(w / 2, h - 1))) << pszWhen << ": bottom";
    EXPECT_EQ(Rgb(RGB(80, 101, 138)), Rgb(s.At(w / 3, 10))) << pszWhen << ": caption band";
}

void CheckActivationRoundTrip(UINT nTemplate)
{
    SCOPED_TRACE(nTemplate == IDD_RESIZABLE ? "with a sizing frame" : "with a dialog frame");
    CVellDialog dlg(nTemplate);
    ASSERT_TRUE(dlg.Create(nTemplate));
    dlg.ShowWindow(SW_SHOW);
    dlg.SetActiveWindow();
    ASSERT_EQ(dlg.m_hWnd, GetActiveWindow());
    CRect rcClient;
    dlg.GetClientRect(&rcClient);
    dlg.ClientToScreen(&rcClient);
    CRect rcWindow;
    dlg.GetWindowRect(&rcWindow);
    rcClient.OffsetRect(-rcWindow.left, -rcWindow.top);

    const auto active = ReadWindowNow(dlg.m_hWnd);
    ExpectToolkitBorder(*active, "active");
    const CRect& rcClose = dlg.m_styleHook.m_rcClose;
    EXPECT_EQ(Rgb(RGB(120, 139, 169)), Rgb(active->At(rcClose.left + 3, 8))) << "close button face";

    testwin::RawWindow other(WS_POPUP | WS_VISIBLE);
    SetActiveWindow(other);
    ASSERT_EQ(other.get(), GetActiveWindow());
    const auto inactive = ReadWindowNow(dlg.m_hWnd);
    ExpectToolkitBorder(*inactive, "inactive");
    EXPECT_TRUE(SameFrame(*active, *inactive, rcClient)) << "after losing the activation";

    SetActiveWindow(dlg.m_hWnd);
    ASSERT_EQ(dlg.m_hWnd, GetActiveWindow());
    const auto again = ReadWindowNow(dlg.m_hWnd);
    EXPECT_TRUE(SameFrame(*active, *again, rcClient)) << "after getting it back";
    EXPECT_TRUE(dlg.m_styleHook.m_bActive);
}

}  // namespace

TEST(StyledActivationTest, DialogFrameStaysThroughActivationChanges)
{
    CheckActivationRoundTrip(IDD_STYLED);
}

TEST(StyledActivationTest, SizingFrameStaysThroughActivationChanges)
{
    CheckActivationRoundTrip(IDD_RESIZABLE);
}

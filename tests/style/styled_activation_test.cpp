// Plain styled dialogs keep the toolkit's frame, caption and buttons on screen while the activation
// moves to another window and back (the system's default handling of the activation would paint
// its own frame).
#include "toolkit/style/VellDialog.h"

#include "tests/support/TestSupport.h"

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
    return CopyOfWindow(hWnd);
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
                first << "first at (" << x << ", " << y << "): " << RgbText(a.At(x, y)) << " became " << RgbText(b.At(x, y));
        }
    }
    if (nDiffer == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << nDiffer << " frame pixels changed, " << first.str();
}

void ExpectToolkitBorder(const DibSurface& s, const char* pszWhen)
{
    const int w = s.Width(), h = s.Height();
    EXPECT_EQ(RgbText(RGB(199, 207, 220)), RgbText(s.At(0, h / 2))) << pszWhen << ": left, outer light line";
    EXPECT_EQ(RgbText(RGB(146, 160, 185)), RgbText(s.At(2, h / 2))) << pszWhen << ": left, third line";
    EXPECT_EQ(RgbText(RGB(20, 25, 35)), RgbText(s.At(w - 1, h / 2))) << pszWhen << ": right, outer dark line";
    EXPECT_EQ(RgbText(RGB(21, 59, 99)), RgbText(s.At(w - 3, h / 2))) << pszWhen << ": right, third line";
    EXPECT_EQ(RgbText(RGB(20, 25, 35)), RgbText(s.At(w / 2, h - 1))) << pszWhen << ": bottom";
    EXPECT_EQ(RgbText(RGB(80, 101, 138)), RgbText(s.At(w / 3, 10))) << pszWhen << ": caption band";
}

// Records the activation messages as they arrive at the window, above its styled hook (so it also
// sees what the hook sends the window itself); removed again before the window goes.
class ActivationSpy {
public:
    ActivationSpy(HWND hWnd, msgseq::Log& log) : m_hWnd(hWnd)
    {
        s_pLog = &log;
        s_pfnOld = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
    }
    ~ActivationSpy()
    {
        SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(s_pfnOld));
        s_pLog = nullptr;
    }
    ActivationSpy(const ActivationSpy&) = delete;
    ActivationSpy& operator=(const ActivationSpy&) = delete;

private:
    static LRESULT CALLBACK Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (s_pLog && (message == WM_NCACTIVATE || message == WM_NCPAINT || message == WM_ACTIVATE))
            s_pLog->Add("dlg", message, wParam, lParam);
        return CallWindowProcW(s_pfnOld, hWnd, message, wParam, lParam);
    }
    static inline msgseq::Log* s_pLog = nullptr;
    static inline WNDPROC s_pfnOld = nullptr;
    HWND m_hWnd;
};

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
    EXPECT_EQ(RgbText(RGB(120, 139, 169)), RgbText(active->At(rcClose.left + 3, 8))) << "close button face";

    msgseq::Log log;
    auto spy = std::make_unique<ActivationSpy>(dlg.m_hWnd, log);
    testwin::RawWindow other(WS_POPUP | WS_VISIBLE);  // shown at creation, so it takes the activation
    SetActiveWindow(other);
    ASSERT_EQ(other.get(), GetActiveWindow());
    msgseq::PumpMessages();
    // The hook repaints the toolkit's frame itself while the activation message is handled.
    EXPECT_TRUE(log.Matches({{"dlg", WM_NCACTIVATE, msgseq::kWParam, FALSE},
                             {"dlg", WM_NCPAINT, msgseq::kWParam, 1},
                             {"dlg", WM_ACTIVATE, msgseq::kWParam, WA_INACTIVE, 0, 0xFFFF}}));
    EXPECT_FALSE(dlg.m_styleHook.m_bActive);
    const auto inactive = ReadWindowNow(dlg.m_hWnd);
    ExpectToolkitBorder(*inactive, "inactive");
    EXPECT_TRUE(SameFrame(*active, *inactive, rcClient)) << "after losing the activation";

    log.Clear();
    SetActiveWindow(dlg.m_hWnd);
    ASSERT_EQ(dlg.m_hWnd, GetActiveWindow());
    msgseq::PumpMessages();
    EXPECT_TRUE(log.StartsWith({{"dlg", WM_NCACTIVATE, msgseq::kWParam, TRUE},
                                {"dlg", WM_NCPAINT, msgseq::kWParam, 1},
                                {"dlg", WM_ACTIVATE, msgseq::kWParam, WA_ACTIVE, 0, 0xFFFF}}));
    spy.reset();
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

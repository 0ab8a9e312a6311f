// The picture control on its own: created with a tool tip or bound to an existing static, its
// pictures (keying colour, alternation, a picture that does not load) and its click notifications.
#include "toolkit/controls/FontAllocator.h"
#include "toolkit/dialogs/VellStaticBitmap.h"

#include "AboutTestSupport.h"
#include "tests/support/TestSupport.h"
#include "tests/support/RectPrinting.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr UINT IDB_RED_MAGENTA_RED = 3001;
constexpr UINT IDB_BLUE = 3002;
constexpr UINT kControlId = 77;

// A popup that records the notifications of its children.
class NotifiedParent : public CWnd {
public:
    NotifiedParent()
    {
        CreateEx(0, nullptr, L"parent", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr);
    }
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        const auto* pHeader = reinterpret_cast<const NMHDR*>(lParam);
        m_codes.push_back(static_cast<int>(pHeader->code));
        m_bHeaderRight = m_bHeaderRight && pHeader->idFrom == kControlId && wParam == kControlId;
        m_hFrom = pHeader->hwndFrom;
        return CWnd::OnNotify(wParam, lParam, pResult);
    }
    std::vector<int> m_codes;
    bool m_bHeaderRight = true;
    HWND m_hFrom = nullptr;
};

COLORREF Pixel(CVellStaticBitmap& control, int x, int y)
{
    return RenderWhole(control)->At(x, y);
}

}  // namespace

TEST(StaticBitmapTest, CreatedControlHasItsToolTipAndNavyBackground)
{
    NotifiedParent parent;
    CVellStaticBitmap control;
    ASSERT_TRUE(control.Create(L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 30, 20), &parent, kControlId));
    EXPECT_EQ(RGB(21, 59, 99), control.m_clrBack);
    EXPECT_EQ(DWORD(0x000F), control.GetStyle() & 0x000F);
    ASSERT_NE(nullptr, control.m_toolTip.m_hWnd);
    EXPECT_EQ(LRESULT(RGB(222, 231, 254)), control.m_toolTip.SendMessage(TTM_GETTIPBKCOLOR));
    EXPECT_EQ(LRESULT(RGB(36, 54, 102)), control.m_toolTip.SendMessage(TTM_GETTIPTEXTCOLOR));
    // The tool tip keeps a font of its own made after the toolkit's default font.
    LOGFONTW lfDefault{}, lfTip{};
    CVellFontAllocator::GetDefaultFontObject()->GetLogFont(&lfDefault);
    ASSERT_TRUE(GetObjectW(reinterpret_cast<HFONT>(control.m_toolTip.SendMessage(WM_GETFONT)), sizeof(lfTip), &lfTip));
    EXPECT_EQ(lfDefault.lfHeight, lfTip.lfHeight);
    EXPECT_STREQ(lfDefault.lfFaceName, lfTip.lfFaceName);
    // Without a picture the control is its background colour.
    EXPECT_EQ(RGB(21, 59, 99), Pixel(control, 15, 10));
}

TEST(StaticBitmapTest, BoundDialogItemShowsPicturesWithTheKeyColourTransparent)
{
    NotifiedParent parent;
    HWND hStatic = CreateWindowExW(0, L"Static", L"", WS_CHILD | WS_VISIBLE | SS_BITMAP, 5, 6, 40, 30, parent.m_hWnd,
                                   reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kControlId)), nullptr, nullptr);
    CVellStaticBitmap control;
    ASSERT_TRUE(control.SubclassWindow(hStatic));
    EXPECT_EQ(nullptr, control.m_toolTip.m_hWnd) << "only a created control gets a tool tip";
    EXPECT_EQ(RGB(80, 101, 138), control.m_clrBack);
    EXPECT_EQ(DWORD(0x000F), control.GetStyle() & SS_TYPEMASK);

    ASSERT_TRUE(control.SetBitmap(IDB_RED_MAGENTA_RED, IDB_BLUE));
    CRect rc;
    control.GetWindowRect(&rc);
    parent.ScreenToClient(&rc);
    EXPECT_EQ(CRect(5, 6, 8, 7), rc) << "sized to the picture where it was";
    EXPECT_EQ(IDB_RED_MAGENTA_RED, control.m_nBitmapId);
    EXPECT_EQ(RGB(255, 0, 0), Pixel(control, 0, 0));
    EXPECT_EQ(RGB(80, 101, 138), Pixel(control, 1, 0)) << "magenta shows the background";
    control.m_clrBack = RGB(255, 0, 255);
    EXPECT_EQ(RGB(1, 2, 3), Pixel(control, 1, 0)) << "no background when it is the key colour itself";
    control.m_clrBack = RGB(80, 101, 138);

    // The timer alternates the two pictures; other timers leave them.
    control.m_nTimerId = 5;
    control.SendMessage(WM_TIMER, 6);
    EXPECT_EQ(RGB(255, 0, 0), Pixel(control, 0, 0));
    control.SendMessage(WM_TIMER, 5);
    EXPECT_EQ(RGB(0, 0, 255), Pixel(control, 0, 0));
    control.SendMessage(WM_TIMER, 5);
    EXPECT_EQ(RGB(255, 0, 0), Pixel(control, 0, 0));

    // Dropping the alternate picture while it is shown goes back to the main one.
    control.SendMessage(WM_TIMER, 5);
    control.SetBitmap(0, 0);
    EXPECT_EQ(nullptr, control.m_bmpAlt.m_hObject);
    EXPECT_EQ(static_cast<HBITMAP>(control.m_bmpMain), control.m_hShown);
    control.SendMessage(WM_TIMER, 5);
    EXPECT_EQ(RGB(255, 0, 0), Pixel(control, 0, 0)) << "nothing to alternate with";

    // A picture that cannot be loaded leaves the background and the size.
    EXPECT_FALSE(control.SetBitmap(9999, 0));
    EXPECT_EQ(nullptr, control.m_hShown);
    EXPECT_EQ(RGB(80, 101, 138), Pixel(control, 0, 0));
    control.GetClientRect(&rc);
    EXPECT_EQ(CRect(0, 0, 3, 1), rc);
}

TEST(StaticBitmapTest, ClicksAndDoubleClicksNotifyTheParent)
{
    NotifiedParent parent;
    CVellStaticBitmap control;
    ASSERT_TRUE(control.Create(L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 30, 20), &parent, kControlId));
    const LPARAM inside = MAKELPARAM(10, 10);
    const LPARAM outside = MAKELPARAM(40, 10);

    control.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, inside);
    EXPECT_EQ(control.m_hWnd, GetCapture());
    control.SendMessage(WM_LBUTTONUP, 0, inside);
    EXPECT_EQ(nullptr, GetCapture());
    control.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, inside);
    control.SendMessage(WM_LBUTTONUP, 0, outside);  // released elsewhere: no click
    EXPECT_EQ(nullptr, GetCapture());
    control.SendMessage(WM_LBUTTONUP, 0, inside);  // without the capture: no click
    control.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, outside);
    control.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, inside);

    EXPECT_EQ((std::vector<int>{-2, -3}), parent.m_codes) << "NM_CLICK, then NM_DBLCLK";
    EXPECT_TRUE(parent.m_bHeaderRight);
    EXPECT_EQ(control.m_hWnd, parent.m_hFrom);
}

// Mouse and keyboard on real bitmap buttons, with the notifications their parent receives.
#include "ButtonTestSupport.h"

#include "resources/ButtonSampleIds.h"
#include "resources/ResourceIds.h"

#include <gtest/gtest.h>

#include <memory>

using namespace buttontest;

namespace {

constexpr UINT kClick = WM_USER + 20;
constexpr UINT kPress = WM_USER + 21;
constexpr UINT kCheck = WM_USER + 22;
constexpr UINT kRelay = WM_USER + 23;

class ButtonInputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.m_hWnd);
        other.CreateEx(0, nullptr, L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 480, 40, 100, 100, nullptr, nullptr);
    }

    // A 60 x 24 frame-mode button of the given style (hit area: the whole client area).
    void Make(CVellBitmapButton& button, int nStyle)
    {
        const RECT rc{10, 10, 70, 34};
        ASSERT_TRUE(button.Create(kButtonId, &rc, &parent));
        button.SetButtonStyle(nStyle);
        parent.log.Clear();
    }

    CRecordingParent parent;
    CWnd other;
};

TEST_F(ButtonInputTest, PushButtonClicksOnlyWhenReleasedOverIt)
{
    CVellBitmapButton button;
    Make(button, CVellBitmapButton::StylePush);
    HWND h = button.m_hWnd;

    Click(h, 5, 5);
    EXPECT_TRUE(parent.log.Matches(Notes({{kClick, 0}})));

    parent.log.Clear();
    MouseDown(h, 5, 5);
    EXPECT_TRUE(button.IsPressed());
    MouseMove(h, 100, 5, true);
    EXPECT_FALSE(button.IsPressed()) << "drawn pressed only while over the hit area";
    MouseUp(h, 100, 5);
    EXPECT_TRUE(parent.log.Matches({})) << "released outside: no click";
    EXPECT_NE(h, ::GetCapture());

    MouseDown(h, 5, 5);
    MouseMove(h, 100, 5, true);
    MouseMove(h, 6, 6, true);
    EXPECT_TRUE(button.IsPressed());
    MouseUp(h, 6, 6);
    EXPECT_TRUE(parent.log.Matches(Notes({{kClick, 0}}))) << "out and back in: one click";
    EXPECT_NE(h, ::GetCapture());
}

TEST_F(ButtonInputTest, PressReleaseButtonReportsEveryPressChangeAndNoClick)
{
    CVellBitmapButton button;
    Make(button, CVellBitmapButton::StylePressRelease);
    HWND h = button.m_hWnd;
    MouseDown(h, 5, 5);
    MouseMove(h, 100, 5, true);
    MouseMove(h, 5, 5, true);
    MouseMove(h, 7, 5, true);  // no change of hover: nothing
    MouseUp(h, 5, 5);
    EXPECT_TRUE(parent.log.Matches(Notes({{kPress, 1}, {kPress, 0}, {kPress, 1}, {kPress, 0}})));
}

TEST_F(ButtonInputTest, CheckStylesToggleAndReportTheNewState)
{
    for (int nStyle : {1, 3, 4}) {
        CVellBitmapButton button;
        Make(button, nStyle);
        Click(button.m_hWnd, 5, 5);
        Click(button.m_hWnd, 5, 5);
        EXPECT_TRUE(parent.log.Matches(Notes({{kCheck, 1}, {kCheck, 0}}))) << "style " << nStyle;

        parent.log.Clear();
        EXPECT_EQ(-1, ::SendMessageW(button.m_hWnd, BM_SETCHECK, 2, 0));
        EXPECT_EQ(2, ::SendMessageW(button.m_hWnd, BM_GETCHECK, 0, 0));
        Click(button.m_hWnd, 5, 5);
        EXPECT_TRUE(parent.log.Matches(Notes({{kCheck, 2}, {kCheck, 1}}))) << "indeterminate, then a click";
        EXPECT_EQ(-1, ::SendMessageW(button.m_hWnd, BM_SETCHECK, 7, 0));
        EXPECT_EQ(1, button.GetCheck()) << "values other than 0, 1, 2 change nothing";
    }
}

TEST_F(ButtonInputTest, CheckMessagesDoNothingOnAPushButton)
{
    CVellBitmapButton button;
    Make(button, CVellBitmapButton::StylePush);
    EXPECT_EQ(-1, ::SendMessageW(button.m_hWnd, BM_SETCHECK, 1, 0));
    EXPECT_EQ(0, button.GetCheck());
    EXPECT_EQ(-1, ::SendMessageW(button.m_hWnd, BM_GETCHECK, 0, 0));
    EXPECT_TRUE(parent.log.Matches({}));
}

TEST_F(ButtonInputTest, SecondReceiverGetsTheCheckAfterTheParent)
{
    CVellBitmapButton button;
    Make(button, CVellBitmapButton::StyleCheck);
    CRecordingParent relay;
    button.m_hNotifyWnd = relay.m_hWnd;
    ::SendMessageW(button.m_hWnd, BM_SETCHECK, 1, 0);
    EXPECT_TRUE(parent.log.Matches(Notes({{kCheck, 1}})));
    EXPECT_TRUE(relay.log.Matches(Notes({{kRelay, 1}})));
}

TEST_F(ButtonInputTest, SpaceBarPressesOnceAndCompletesOnKeyUpOrFocusLoss)
{
    CVellBitmapButton push;
    Make(push, CVellBitmapButton::StylePressRelease);
    ::SetFocus(push.m_hWnd);
    SpaceDown(push.m_hWnd);
    EXPECT_TRUE(push.IsPressed());
    SpaceDown(push.m_hWnd, true);
    SpaceDown(push.m_hWnd, true);
    SpaceUp(push.m_hWnd);
    EXPECT_FALSE(push.IsPressed());
    EXPECT_TRUE(parent.log.Matches(Notes({{kPress, 1}, {kPress, 0}}))) << "auto-repeat sends no second press";

    CVellBitmapButton click;
    Make(click, CVellBitmapButton::StylePush);
    ::SetFocus(click.m_hWnd);
    SpaceDown(click.m_hWnd);
    SpaceUp(click.m_hWnd);
    SpaceDown(click.m_hWnd);
    ::SetFocus(other.m_hWnd);
    EXPECT_FALSE(click.IsPressed());
    EXPECT_TRUE(parent.log.Matches(Notes({{kClick, 0}, {kClick, 0}}))) << "key up, then focus loss";

    CVellBitmapButton check;
    Make(check, CVellBitmapButton::StyleCheckBox);
    ::SetFocus(check.m_hWnd);
    SpaceDown(check.m_hWnd);
    SpaceUp(check.m_hWnd);
    SpaceUp(check.m_hWnd);  // no key down before it: nothing
    EXPECT_TRUE(parent.log.Matches(Notes({{kCheck, 1}})));
    EXPECT_EQ(1, check.GetCheck());
}

TEST_F(ButtonInputTest, FocusLossOrCaptureTakenWhileHeldEndsTheHoldWithoutAClick)
{
    CVellBitmapButton button;
    Make(button, CVellBitmapButton::StylePressRelease);
    HWND h = button.m_hWnd;

    MouseDown(h, 5, 5);
    ASSERT_EQ(h, ::GetCapture());
    ::SetCapture(other.m_hWnd);
    EXPECT_FALSE(button.IsPressed());
    ::ReleaseCapture();
    MouseUp(h, 5, 5);
    EXPECT_TRUE(parent.log.Matches(Notes({{kPress, 1}, {kPress, 0}}))) << "capture taken: released, no more";

    parent.log.Clear();
    MouseDown(h, 5, 5);
    ASSERT_EQ(h, ::GetFocus());
    ::SetFocus(other.m_hWnd);
    EXPECT_FALSE(button.IsPressed());
    EXPECT_NE(h, ::GetCapture());
    MouseUp(h, 5, 5);
    EXPECT_TRUE(parent.log.Matches(Notes({{kPress, 1}, {kPress, 0}}))) << "focus lost: released, no more";
}

TEST_F(ButtonInputTest, CaptureReleasedWhileHeldWithTheFocusIsTakenBack)
{
    CVellBitmapButton button;
    Make(button, CVellBitmapButton::StylePush);
    HWND h = button.m_hWnd;
    MouseDown(h, 5, 5);
    ASSERT_EQ(h, ::GetFocus());
    ::ReleaseCapture();
    EXPECT_EQ(h, ::GetCapture());
    MouseUp(h, 5, 5);
    EXPECT_TRUE(parent.log.Matches(Notes({{kClick, 0}})));
}

TEST_F(ButtonInputTest, DisabledButtonsSendNothing)
{
    for (bool bThroughWindow : {false, true}) {
        CVellBitmapButton push, check;
        Make(push, CVellBitmapButton::StylePush);
        const RECT rc{80, 10, 140, 34};
        ASSERT_TRUE(check.Create(kButtonId + 1, &rc, &parent));
        check.SetButtonStyle(CVellBitmapButton::StyleCheck);
        parent.log.Clear();
        for (CVellBitmapButton* p : {&push, &check}) {
            if (bThroughWindow)
                ::EnableWindow(p->m_hWnd, FALSE);
            else
                p->SetEnabled(FALSE);
            EXPECT_FALSE(p->GetEnabled()) << "EnableWindow counts as the property";
            Click(p->m_hWnd, 5, 5);
            SpaceDown(p->m_hWnd);
            SpaceUp(p->m_hWnd);
            ::SendMessageW(p->m_hWnd, BM_SETCHECK, 1, 0);
        }
        EXPECT_TRUE(parent.log.Matches({}));
        EXPECT_EQ(0, push.GetCheck());

        ::EnableWindow(check.m_hWnd, TRUE);
        EXPECT_TRUE(check.GetEnabled());
    }
}

TEST_F(ButtonInputTest, ShapedButtonIgnoresClicksOnTransparentPixels)
{
    CVellBitmapButton button;
    button.SetUseDrawFrame(FALSE);
    button.SetPictureUp(IDB_SAMPLE_ROUND_UP);
    button.SetPictureDown(IDB_SAMPLE_ROUND_DOWN);
    const RECT rc{10, 10, 50, 50};
    ASSERT_TRUE(button.Create(kButtonId, &rc, &parent));
    parent.log.Clear();
    EXPECT_FALSE(button.HitTestButton(CPoint(1, 1)));
    EXPECT_TRUE(button.HitTestButton(CPoint(20, 20)));
    Click(button.m_hWnd, 1, 1);
    Click(button.m_hWnd, 38, 2);
    EXPECT_TRUE(parent.log.Matches({}));
    Click(button.m_hWnd, 20, 20);
    EXPECT_TRUE(parent.log.Matches(Notes({{kClick, 0}})));
}

TEST_F(ButtonInputTest, RolloverKeepsTheCaptureWhileOverAndLetsGoOutside)
{
    CVellBitmapButton button;
    button.SetUseDrawFrame(FALSE);
    button.SetPictureUp(IDB_SAMPLE_ROUND_UP);
    button.SetPictureRollover(IDB_SAMPLE_ROUND_ROLLOVER);
    const RECT rc{10, 10, 50, 50};
    ASSERT_TRUE(button.Create(kButtonId, &rc, &parent));
    HWND h = button.m_hWnd;
    MouseMove(h, 20, 20, false);
    EXPECT_EQ(h, ::GetCapture()) << "captured to notice the cursor leaving";
    MouseMove(h, 1, 1, false);
    EXPECT_NE(h, ::GetCapture()) << "transparent corner: out, released";
}

TEST_F(ButtonInputTest, CheckBoxCaptionAndGapAreClickable)
{
    CVellBitmapButton button;
    button.SetButtonStyle(CVellBitmapButton::StyleCheckBox);
    button.SetUseDrawFrame(FALSE);
    button.SetPictureUp(IDB_CHECK_CLEARED);
    button.SetPictureSelected(IDB_CHECK_CHECKED);
    const RECT rc{10, 10, 160, 30};
    ASSERT_TRUE(button.Create(kButtonId, &rc, &parent));
    button.SetText(L"All modules");
    ::UpdateWindow(button.m_hWnd);  // lays the caption out
    const CRect rcText = button.GetTextRect();
    ASSERT_FALSE(rcText.IsRectEmpty());
    parent.log.Clear();
    Click(button.m_hWnd, rcText.left + 3, 10);  // on the caption
    Click(button.m_hWnd, 17, 10);               // in the gap
    Click(button.m_hWnd, 7, 9);                 // on the picture
    Click(button.m_hWnd, rcText.right + 3, 10); // past the caption
    EXPECT_TRUE(parent.log.Matches(Notes({{kCheck, 1}, {kCheck, 0}, {kCheck, 1}})));
    EXPECT_TRUE(button.HitTestButton(CPoint(7, 2))) << "the picture's top row, two pixels down";
    EXPECT_FALSE(button.HitTestButton(CPoint(0, 2))) << "its transparent corner";
}

TEST_F(ButtonInputTest, NotificationHandlerMayDestroyTheButton)
{
    for (int nStyle : {0, 1, 2}) {
        auto pButton = std::make_unique<CVellBitmapButton>();
        Make(*pButton, nStyle);
        HWND h = pButton->m_hWnd;
        parent.onNotify = [&](UINT, WPARAM, LPARAM) { pButton.reset(); };
        Click(h, 5, 5);
        EXPECT_FALSE(::IsWindow(h)) << "style " << nStyle;
        EXPECT_EQ(1u, parent.log.Entries().size());

        pButton = std::make_unique<CVellBitmapButton>();
        Make(*pButton, nStyle);
        h = pButton->m_hWnd;
        ::SetFocus(h);
        SpaceDown(h);
        SpaceUp(h);
        EXPECT_FALSE(::IsWindow(h)) << "style " << nStyle;
        parent.onNotify = nullptr;
    }
}

}  // namespace

// Bitmap button properties: persistence by name, picture ids, sizes after a picture change, taking
// over dialog items, and GDI objects over many paints.
#include "ButtonTestSupport.h"

#include "resources/ButtonSampleIds.h"
#include "resources/ResourceIds.h"
#include "toolkit/buttons/VellButton.h"

#include <gtest/gtest.h>

#include <string>

using namespace buttontest;

namespace {

// The real exchange, remembering the names asked for, in order.
class CRecordingExchange : public CPropExchange {
public:
    using CPropExchange::CPropExchange;
    BOOL ExchangeProp(const wchar_t* pszName, VARTYPE vt, void* pv, const void* pvDefault) override
    {
        m_names.push_back(pszName);
        return CPropExchange::ExchangeProp(pszName, vt, pv, pvDefault);
    }
    std::vector<std::wstring> m_names;
};

class ButtonPropertiesTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(parent.m_hWnd); }
    CRecordingParent parent;
};

TEST_F(ButtonPropertiesTest, ButtonNamesFollowTheControlsInTheirOrder)
{
    CVellBitmapButton button;
    CPropertyBag bag;
    CRecordingExchange px(bag, FALSE);
    button.ExchangeProperties(&px);
    const std::vector<std::wstring> order{L"UseAllButtonRegions", L"UseDrawFrame", L"ButtonStyle",
                                          L"PictureDisabled", L"PictureSelected", L"PictureUp", L"PictureDown",
                                          L"PictureRollover", L"PictureDisabledAndSelected",
                                          L"PictureDownAndSelected", L"PictureIntermediate", L"PictureFrame",
                                          L"ShiftText"};
    ASSERT_EQ(16u + order.size(), px.m_names.size()) << "the control's 16 names first";
    EXPECT_EQ(L"Text", px.m_names[15]);
    EXPECT_EQ(order, std::vector<std::wstring>(px.m_names.begin() + 16, px.m_names.end()));

    // A set without the button's names leaves them as they are.
    button.SetPictureUp(IDB_CHECK_CLEARED);
    CPropertyBag empty;
    CPropExchange load(empty, TRUE);
    button.ExchangeProperties(&load);
    EXPECT_EQ(UINT{IDB_CHECK_CLEARED}, button.GetPictureUp());
}

TEST_F(ButtonPropertiesTest, PictureIdsOutsideTheResourceRangeMeanNoPicture)
{
    CVellBitmapButton button;
    button.SetPictureUp(0x10000 + IDB_CHECK_CLEARED);
    EXPECT_EQ(0u, button.GetPictureUp()) << "never cut to 16 bits";
    CPropertyBag bag;
    bag.SetLong(L"PictureUp", -5);
    bag.SetLong(L"PictureFrame", 70000);
    bag.SetLong(L"PictureDown", IDB_CHECK_CHECKED);
    CPropExchange px(bag, TRUE);
    button.ExchangeProperties(&px);
    EXPECT_EQ(0u, button.GetPictureUp());
    EXPECT_EQ(0u, button.GetPictureFrame());
    EXPECT_EQ(UINT{IDB_CHECK_CHECKED}, button.GetPictureForKind(CVellBitmapButton::KindDown));
}

TEST_F(ButtonPropertiesTest, LoadingAPictureResizesALiveButton)
{
    CVellBitmapButton button;
    button.SetUseDrawFrame(FALSE);
    button.SetPictureUp(IDB_SAMPLE_ROUND_UP);
    const RECT rc{10, 10, 200, 100};
    ASSERT_TRUE(button.Create(kButtonId, &rc, &parent));
    CRect client;
    ::GetClientRect(button.m_hWnd, &client);
    EXPECT_EQ(CSize(40, 40), client.Size());

    CPropertyBag bag;
    bag.SetLong(L"PictureUp", IDB_SAMPLE_TOGGLE_UP);
    CPropExchange px(bag, TRUE);
    button.ExchangeProperties(&px);
    ::GetClientRect(button.m_hWnd, &client);
    EXPECT_EQ(CSize(96, 28), client.Size());

    button.SetUseDrawFrame(TRUE);
    ::GetClientRect(button.m_hWnd, &client);
    EXPECT_EQ(CSize(190, 90), client.Size()) << "frame mode: the size given at creation";
}

TEST_F(ButtonPropertiesTest, TakenOverItemsBecomeOwnerDrawnWhateverTheirType)
{
    struct Item {
        DWORD dwType;
        const char* pszName;
    };
    for (const Item& item : {Item{BS_PUSHBUTTON, "push"}, Item{BS_DEFPUSHBUTTON, "default push"},
                             Item{BS_AUTOCHECKBOX, "check box"}, Item{BS_AUTO3STATE, "three-state"},
                             Item{BS_AUTORADIOBUTTON, "radio"}, Item{BS_GROUPBOX, "group box"}}) {
        HWND hItem = ::CreateWindowExW(0, L"BUTTON", L"Item", WS_CHILD | WS_VISIBLE | item.dwType, 10, 10, 80, 20,
                                       parent.m_hWnd, reinterpret_cast<HMENU>(UINT_PTR{kButtonId}), nullptr,
                                       nullptr);
        ASSERT_TRUE(hItem);
        CVellButton button;
        EXPECT_TRUE(button.AttachDlgItem(kButtonId, &parent));
        ASSERT_EQ(hItem, button.m_hWnd);
        const DWORD dwStyle = static_cast<DWORD>(::GetWindowLongPtrW(hItem, GWL_STYLE));
        EXPECT_EQ(static_cast<DWORD>(BS_OWNERDRAW), dwStyle & BS_TYPEMASK) << item.pszName;
        EXPECT_TRUE(dwStyle & WS_TABSTOP) << item.pszName;
        EXPECT_EQ(kButtonId, ::GetDlgCtrlID(hItem));

        // The system asks the owner-drawn item to draw itself: the parent hands it to DrawItem.
        ::InvalidateRect(hItem, nullptr, TRUE);
        ::UpdateWindow(hItem);
        HDC hdc = ::GetDC(hItem);
        const COLORREF clrOutline = ::GetPixel(hdc, 40, 0);
        ::ReleaseDC(hItem, hdc);
        EXPECT_EQ(RGB(21, 59, 99), clrOutline) << item.pszName << ": the toolkit's frame outline";
        button.DestroyWindow();
    }
}

TEST_F(ButtonPropertiesTest, GdiObjectsStayFlatOverManyPaintsAndHitTests)
{
    CVellBitmapButton frame, picture;
    const RECT rc{10, 10, 70, 34};
    ASSERT_TRUE(frame.Create(kButtonId, &rc, &parent));
    frame.SetText(L"Paint");
    frame.SetPictureFrame(IDB_SAMPLE_ROUND_UP);
    picture.SetUseDrawFrame(FALSE);
    picture.SetPictureUp(IDB_SAMPLE_ROUND_UP);
    const RECT rc2{100, 10, 140, 50};
    ASSERT_TRUE(picture.Create(kButtonId + 1, &rc2, &parent));

    DibSurface s(60, 40);
    auto paintAll = [&](int n) {
        for (int i = 0; i < n; ++i) {
            PaintInto(frame, s);
            PaintInto(picture, s);
            picture.HitTestButton(CPoint(i % 40, i % 40));
            // Rebuilds the regions; every tenth time only, as a rebuild reads the picture pixel by pixel
            // on a 32-bit screen (a hundred rebuilds still show a leaked region).
            if (i % 10 == 0)
                picture.SetKeyingColor(i % 20 ? RGB(255, 0, 255) : RGB(255, 0, 254));
            ::RedrawWindow(frame.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        }
        picture.SetKeyingColor(RGB(255, 0, 255));
    };
    paintAll(10);  // shared objects (fonts, brushes of the system) made once
    const int nBefore = CountGdiObjects();
    ASSERT_GT(nBefore, 0) << "no way to count GDI objects";
    paintAll(1000);
    const int nAfter = CountGdiObjects();
    EXPECT_LE(nAfter, nBefore + 2) << "before " << nBefore << ", after " << nAfter;
}

}  // namespace

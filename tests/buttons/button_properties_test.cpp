// Bitmap button properties: persistence by name, picture ids, sizes after a picture change, taking
// over dialog items, and GDI objects over many paints.
#include "ButtonTestSupport.h"

#include "resources/ButtonSampleIds.h"
#include "resources/ResourceIds.h"
#include "toolkit/buttons/VellButton.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

using namespace buttontest;

namespace {

// A property set in memory, saved and loaded by name.
class CMemoryExchange : public CPropExchange {
public:
    BOOL IsLoading() const override { return m_bLoading; }
    BOOL ExchangeLong(const wchar_t* pszName, long& nValue, long nDefault) override
    {
        if (!m_bLoading) {
            m_values[pszName] = nValue;
            m_names.push_back(pszName);
            return TRUE;
        }
        const auto it = m_values.find(pszName);
        nValue = it == m_values.end() ? nDefault : it->second;
        return TRUE;
    }

    bool m_bLoading = false;
    std::map<std::wstring, long> m_values;
    std::vector<std::wstring> m_names;
};

class ButtonPropertiesTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(parent.m_hWnd); }
    CRecordingParent parent;
};

TEST_F(ButtonPropertiesTest, EveryButtonPropertyRoundTripsInItsOrder)
{
    CVellBitmapButton saved;
    saved.SetUseAllButtonRegions(TRUE);
    saved.SetUseDrawFrame(FALSE);
    saved.SetButtonStyle(CVellBitmapButton::StyleCheckBox);
    saved.SetPictureDisabled(IDB_CHECK_DISABLED);
    saved.SetPictureSelected(IDB_CHECK_CHECKED);
    saved.SetPictureUp(IDB_CHECK_CLEARED);
    saved.SetPictureDown(IDB_SAMPLE_TOGGLE_DOWN);
    saved.SetPictureRollover(IDB_SAMPLE_ROUND_ROLLOVER);
    saved.SetPictureDisabledAndSelected(IDB_CHECK_DISABLED_CHECKED);
    saved.SetPictureDownAndSelected(IDB_SAMPLE_TOGGLE_SELECTED);
    saved.SetPictureIntermediate(IDB_SAMPLE_TOGGLE_INTERMEDIATE);
    saved.SetPictureFrame(IDB_SAMPLE_ROUND_UP);
    saved.SetShiftText(9);
    CMemoryExchange px;
    saved.ExchangeProperties(&px);
    const std::vector<std::wstring> order{L"UseAllButtonRegions", L"UseDrawFrame", L"ButtonStyle",
                                          L"PictureDisabled", L"PictureSelected", L"PictureUp", L"PictureDown",
                                          L"PictureRollover", L"PictureDisabledAndSelected",
                                          L"PictureDownAndSelected", L"PictureIntermediate", L"PictureFrame",
                                          L"ShiftText"};
    std::vector<std::wstring> tail(px.m_names.end() - static_cast<long>(order.size()), px.m_names.end());
    EXPECT_EQ(order, tail);

    CVellBitmapButton loaded;
    px.m_bLoading = true;
    loaded.ExchangeProperties(&px);
    EXPECT_TRUE(loaded.GetUseAllButtonRegions());
    EXPECT_FALSE(loaded.GetUseDrawFrame());
    EXPECT_EQ(CVellBitmapButton::StyleCheckBox, loaded.GetButtonStyle());
    EXPECT_EQ(9, loaded.GetShiftText());
    for (int nKind = 0; nKind <= CVellBitmapButton::KindIntermediate; ++nKind)
        EXPECT_EQ(saved.GetPictureForKind(nKind), loaded.GetPictureForKind(nKind)) << "kind " << nKind;
    EXPECT_EQ(saved.GetPictureFrame(), loaded.GetPictureFrame());

    // A set without the names leaves everything as it is.
    CMemoryExchange empty;
    empty.m_bLoading = true;
    loaded.ExchangeProperties(&empty);
    EXPECT_EQ(UINT{IDB_CHECK_CLEARED}, loaded.GetPictureUp());
}

TEST_F(ButtonPropertiesTest, PictureIdsOutsideTheResourceRangeMeanNoPicture)
{
    CVellBitmapButton button;
    button.SetPictureUp(0x10000 + IDB_CHECK_CLEARED);
    EXPECT_EQ(0u, button.GetPictureUp()) << "never cut to 16 bits";
    CMemoryExchange px;
    px.m_bLoading = true;
    px.m_values[L"PictureUp"] = -5;
    px.m_values[L"PictureFrame"] = 70000;
    px.m_values[L"PictureDown"] = IDB_CHECK_CHECKED;
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

    CMemoryExchange px;
    px.m_bLoading = true;
    px.m_values[L"PictureUp"] = IDB_SAMPLE_TOGGLE_UP;
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
            picture.SetKeyingColor(i % 2 ? RGB(255, 0, 255) : RGB(255, 0, 254));  // rebuilds the regions
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

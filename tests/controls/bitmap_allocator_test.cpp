// The process-wide bitmap store: one entry per id, loaded from the application or from the module of
// a host window, shared keying colour and region. Test programs carry bitmap 3001 (red, magenta, red).
#include "toolkit/controls/BitmapAllocator.h"

#include <gtest/gtest.h>

namespace {

constexpr int kPicture = 3001;
constexpr int kMissing = 3999;

// A host that answers GetWindow with a given window.
class TestHost : public IOleWindow {
public:
    explicit TestHost(HWND hWnd) : m_hWnd(hWnd) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown || riid == IID_IOleWindow) {
            *ppv = static_cast<IOleWindow*>(this);
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* phWnd) override
    {
        ++m_nCalls;
        *phWnd = m_hWnd;
        return m_hWnd ? S_OK : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    int m_nCalls = 0;

private:
    HWND m_hWnd;
};

// A top-level window of this program's module.
class HostWindow {
public:
    HostWindow()
        : m_hWnd(CreateWindowExW(0, L"STATIC", L"host", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr))
    {
    }
    ~HostWindow()
    {
        if (m_hWnd)
            DestroyWindow(m_hWnd);
    }
    HWND hwnd() const { return m_hWnd; }

private:
    HWND m_hWnd;
};

bool HitTest(const CVellBitmapAllocator& allocator, int nId, int x, int y)
{
    const POINT pt{x, y};
    return allocator.BitmapHitTest(nId, &pt) != FALSE;
}

}  // namespace

TEST(BitmapAllocatorTest, RegistersOnceAndSharesTheEntry)
{
    CVellBitmapAllocator allocator;
    EXPECT_TRUE(allocator.SetControlBitmap(kPicture, TRUE, nullptr));
    ASSERT_TRUE(allocator.HasControlBitmap(kPicture));
    SIZE size{};
    EXPECT_TRUE(allocator.GetControlBitmapSize(kPicture, &size));
    EXPECT_EQ(3, size.cx);
    EXPECT_EQ(1, size.cy);
    const HBITMAP hFirst = *allocator.GetControlBitmap(kPicture);

    EXPECT_EQ(RGB(255, 0, 0), allocator.SetBitmapKeyingColor(kPicture, RGB(255, 0, 0)));
    allocator.BuildBitmapRegion(kPicture, FALSE);
    EXPECT_TRUE(HitTest(allocator, kPicture, 1, 0)) << "red is transparent now";
    EXPECT_FALSE(HitTest(allocator, kPicture, 0, 0));

    // A second registration changes nothing: same bitmap, keying colour and region.
    EXPECT_FALSE(allocator.SetControlBitmap(kPicture, TRUE, nullptr));
    EXPECT_EQ(hFirst, static_cast<HBITMAP>(*allocator.GetControlBitmap(kPicture)));
    EXPECT_EQ(RGB(255, 0, 0), allocator.FindEntry(kPicture)->GetKeyingColor());
    EXPECT_TRUE(HitTest(allocator, kPicture, 1, 0));

    // Back to the default keying colour: the picture's own magenta pixel is the hole.
    allocator.SetBitmapKeyingColor(kPicture, RGB(255, 0, 255));
    EXPECT_EQ(COMPLEXREGION, allocator.BuildBitmapRegion(kPicture, FALSE)) << "two rectangles";
    EXPECT_FALSE(HitTest(allocator, kPicture, 1, 0));
    EXPECT_TRUE(HitTest(allocator, kPicture, 2, 0));
    CRgn copy;
    EXPECT_EQ(COMPLEXREGION, allocator.CopyBitmapRegion(kPicture, &copy));
    EXPECT_TRUE(copy.PtInRegion(0, 0));
    EXPECT_FALSE(copy.PtInRegion(1, 0));
}

TEST(BitmapAllocatorTest, EntriesWithoutBitmaps)
{
    CVellBitmapAllocator allocator;
    EXPECT_FALSE(allocator.SetControlBitmap(0, TRUE, nullptr)) << "id 0 loads nothing";
    EXPECT_NE(nullptr, allocator.FindEntry(0));
    EXPECT_FALSE(allocator.HasControlBitmap(0));
    EXPECT_EQ(nullptr, allocator.GetControlBitmap(0));
    EXPECT_FALSE(allocator.SetControlBitmap(0, TRUE, nullptr)) << "already registered";

    EXPECT_FALSE(allocator.SetControlBitmap(kMissing, TRUE, nullptr)) << "no such resource";
    EXPECT_NE(nullptr, allocator.FindEntry(kMissing));
    EXPECT_FALSE(allocator.HasControlBitmap(kMissing));

    EXPECT_FALSE(allocator.SetControlBitmap(kPicture, FALSE, nullptr)) << "not asked to load";
    EXPECT_FALSE(allocator.HasControlBitmap(kPicture));

    // An entry without a bitmap answers from the first square once built.
    EXPECT_FALSE(HitTest(allocator, 0, 10, 10));
    allocator.BuildBitmapRegion(0, FALSE);
    EXPECT_TRUE(HitTest(allocator, 0, 10, 10));
}

TEST(BitmapAllocatorTest, UnregisteredIdsAnswerNothingAndGetNoEntry)
{
    CVellBitmapAllocator allocator;
    EXPECT_EQ(nullptr, allocator.GetControlBitmap(42));
    EXPECT_EQ(CLR_INVALID, allocator.SetBitmapKeyingColor(42, RGB(1, 2, 3)));
    EXPECT_EQ(ERROR, allocator.BuildBitmapRegion(42, TRUE));
    EXPECT_EQ(nullptr, allocator.FindEntry(42));
}

TEST(BitmapAllocatorTest, LoadsFromTheHostWindowsModule)
{
    HostWindow window;
    ASSERT_NE(nullptr, window.hwnd());
    {
        CVellBitmapAllocator allocator;
        TestHost host(window.hwnd());
        EXPECT_TRUE(allocator.SetControlBitmap(kPicture, TRUE, &host));
        EXPECT_EQ(1, host.m_nCalls);
        EXPECT_TRUE(allocator.HasControlBitmap(kPicture));
        EXPECT_FALSE(allocator.SetControlBitmap(kMissing, TRUE, &host)) << "a failed load is not a success";
        EXPECT_FALSE(allocator.HasControlBitmap(kMissing));
    }
    {
        // A host without a live window: nothing to load from.
        CVellBitmapAllocator allocator;
        HWND hGone = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        DestroyWindow(hGone);
        TestHost gone(hGone);
        EXPECT_FALSE(allocator.SetControlBitmap(kPicture, TRUE, &gone));
        EXPECT_FALSE(allocator.HasControlBitmap(kPicture));
        TestHost none(nullptr);
        EXPECT_FALSE(allocator.SetControlBitmap(kPicture + 1, TRUE, &none));
    }
}

#include "app/SplashProgress.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<UINT> g_seen;

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= WM_USER || (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
        (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
        (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK))
        g_seen.push_back(message);
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

class PlainWindow {
public:
    PlainWindow()
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = RecordingProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"SplashProgressTestWindow";
        RegisterClassW(&wc);
        m_hwnd = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                 wc.hInstance, nullptr);
    }
    ~PlainWindow() { DestroyWindow(m_hwnd); }
    HWND hwnd() const { return m_hwnd; }

private:
    HWND m_hwnd;
};

}  // namespace

TEST(SplashProgress, StatusText)
{
    EXPECT_STREQ(L"Preparing \u2026 3 of 5 (42 %)", FormatProgressText(3, 5, 42, 100));
    EXPECT_STREQ(L"Preparing \u2026 1 of 5 (0 %)", FormatProgressText(1, 5, 0, 0));
    EXPECT_STREQ(L"Preparing \u2026 5 of 5 (100 %)", FormatProgressText(5, 5, 7, 5));
    // Large payloads do not overflow the share.
    EXPECT_STREQ(L"Preparing \u2026 2 of 5 (50 %)", FormatProgressText(2, 5, 1ull << 40, 1ull << 41));
}

TEST(SplashProgress, PumpHandlesMessagesButDropsKeysAndClicks)
{
    PlainWindow window;
    g_seen.clear();
    PostMessageW(window.hwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageW(window.hwnd(), WM_SYSKEYDOWN, VK_F4, 1 << 29);
    PostMessageW(window.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(window.hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(5, 5));
    PostMessageW(window.hwnd(), WM_USER + 7, 0, 0);
    PumpMessagesWithoutInput();
    EXPECT_EQ(std::vector<UINT>{WM_USER + 7}, g_seen);
    MSG msg;
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) << "queue left with " << msg.message;
}

TEST(SplashProgress, ShowsArchivesAndBytesWithoutFloodingTheWindow)
{
    PlainWindow window;
    std::vector<CString> shown;
    SplashProgress progress(window.hwnd(), [&](const CString& text) { shown.push_back(text); }, 1000, 5);
    progress.OnArchiveStarted(L"ZOLT");
    ASSERT_EQ(1u, shown.size());
    EXPECT_STREQ(L"Preparing \u2026 1 of 5 (0 %)", shown.back());
    // A burst of writes within one refresh interval changes nothing on screen.
    for (int i = 0; i < 100; ++i)
        progress.OnBytesWritten(1);
    EXPECT_EQ(1u, shown.size());
    EXPECT_EQ(100u, progress.BytesWritten());
    Sleep(60);
    progress.OnBytesWritten(320);
    ASSERT_EQ(2u, shown.size());
    EXPECT_STREQ(L"Preparing \u2026 1 of 5 (42 %)", shown.back());
    progress.OnArchiveStarted(L"VC");
    EXPECT_STREQ(L"Preparing \u2026 2 of 5 (42 %)", shown.back());
    // The last writes come faster than the refresh; the end is shown all the same.
    progress.OnBytesWritten(580);
    EXPECT_STREQ(L"Preparing \u2026 2 of 5 (42 %)", shown.back());
    progress.Finish();
    EXPECT_STREQ(L"Preparing \u2026 2 of 5 (100 %)", shown.back());
}

TEST(SplashProgress, WithoutSplashNothingIsShown)
{
    int calls = 0;
    SplashProgress progress(nullptr, [&](const CString&) { ++calls; }, 10, 5);
    progress.OnArchiveStarted(L"ZOLT");
    progress.OnBytesWritten(10);
    EXPECT_EQ(0, calls);
}

// The launcher's splash as the user sees it: on screen while the archives unpack, answering and
// showing progress all the while, hidden once the viewer is ready, gone when the launcher ends.
#include "support/ChildProcess.h"
#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

struct FindSplash {
    DWORD processId;
    HWND found = nullptr;
};

BOOL CALLBACK FindSplashWindow(HWND hwnd, LPARAM lParam)
{
    auto* search = reinterpret_cast<FindSplash*>(lParam);
    DWORD processId = 0;
    GetWindowThreadProcessId(hwnd, &processId);
    wchar_t className[32] = {};
    GetClassNameW(hwnd, className, 32);
    if (processId == search->processId && std::wstring(className) == L"#32770") {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND SplashOf(DWORD processId)
{
    FindSplash search{processId};
    EnumWindows(FindSplashWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The pixels of the status band at the bottom of the splash, read from the window itself.
std::vector<DWORD> StatusBand(HWND hwnd)
{
    RECT rc;
    GetClientRect(hwnd, &rc);
    const int width = rc.right, height = 24;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, dib);
    HDC window = GetDC(hwnd);
    BitBlt(memory, 0, 0, width, height, window, 0, rc.bottom - 44, SRCCOPY);
    ReleaseDC(hwnd, window);
    std::vector<DWORD> pixels(static_cast<const DWORD*>(bits), static_cast<const DWORD*>(bits) + width * height);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(dib);
    ReleaseDC(nullptr, screen);
    return pixels;
}

}  // namespace

TEST(Splash, AnswersAndShowsProgressWhileALargePayloadUnpacks)
{
    ScratchFolder scratch;
    const std::wstring temp = scratch / L"temp\\";
    CreateDirectoryW(temp.c_str(), nullptr);
    const std::wstring report = scratch / L"spy.txt";
    PROCESS_INFORMATION pi;
    ASSERT_TRUE(StartChild(L"\"" + ExecutableFolder() + L"LumbraLarge.exe\"",
                           {{L"TEMP", temp}, {L"TMP", temp}, {L"LUMBRA_SPY_REPORT", report},
                            {L"LUMBRA_SPY_SLEEP_MS", L"1500"}},
                           pi));

    // The splash is created hidden and shown before its constructor returns.
    HWND splash = nullptr;
    for (int i = 0; i < 2000 && !(splash && IsWindowVisible(splash)); ++i) {
        splash = SplashOf(pi.dwProcessId);
        Sleep(5);
    }
    ASSERT_TRUE(splash && IsWindowVisible(splash)) << "no splash on screen";

    int answered = 0, unanswered = 0;
    std::set<std::vector<DWORD>> statusLines;
    bool viewerRanWhenHidden = false;
    const ULONGLONG shown = GetTickCount64();
    while (WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) {
        if (!IsWindowVisible(splash)) {
            // Hidden: the viewer must be running by now (it reports only when it ends).
            viewerRanWhenHidden = IsWindow(splash) && !PathExists(report);
            std::printf("[ splash   ] hidden after %llu ms; window %d, report %d\n", GetTickCount64() - shown,
                        IsWindow(splash), PathExists(report));
            break;
        }
        DWORD_PTR result = 0;
        if (SendMessageTimeoutW(splash, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, 1000, &result))
            ++answered;
        else if (IsWindowVisible(splash))
            ++unanswered;
        statusLines.insert(StatusBand(splash));
        Sleep(20);
    }
    EXPECT_TRUE(viewerRanWhenHidden) << "the splash must stay until the viewer is ready";
    EXPECT_GE(answered, 5);
    EXPECT_EQ(0, unanswered);
    EXPECT_GE(statusLines.size(), 3u) << "the status line should advance";
    std::printf("[ splash   ] answered %d times while visible, %zu different status lines\n", answered,
                statusLines.size());

    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(pi.hProcess, 60000));
    DWORD exitCode = 0xFFFF;
    GetExitCodeProcess(pi.hProcess, &exitCode);
    EXPECT_EQ(0u, exitCode);
    EXPECT_FALSE(IsWindow(splash));
    EXPECT_TRUE(PathExists(report));
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

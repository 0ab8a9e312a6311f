// The launcher's splash as the user sees it: on screen while the archives unpack, answering and
// showing progress all the while, hidden once the viewer is ready, gone when the launcher ends.
#include "tests/support/TestSupport.h"
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
std::vector<COLORREF> StatusBand(HWND hwnd)
{
    RECT rc;
    GetClientRect(hwnd, &rc);
    DibSurface band(rc.right, 24);
    HDC window = GetDC(hwnd);
    BitBlt(band.dc(), 0, 0, band.Width(), band.Height(), window, 0, rc.bottom - 44, SRCCOPY);
    ReleaseDC(hwnd, window);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < band.Height(); ++y)
        for (int x = 0; x < band.Width(); ++x)
            pixels.push_back(band.At(x, y));
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
    std::set<std::vector<COLORREF>> statusLines;
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

// Whichever way a run ends (viewer closed, extract only, an archive missing, no viewer to start), its
// splash is gone with it; while it lasts, it is on screen.
TEST(Splash, GoneAfterEveryWayARunEnds)
{
    struct Path {
        const wchar_t* launcher;
        const wchar_t* arguments;
        DWORD exitCode;
    };
    const Path paths[] = {{L"LumbraSpy.exe", L"/lEN", 0}, {L"LumbraSpy.exe", L"/e", 0}, {L"LumbraSpy.exe", L"/lXX", 1},
                          {L"LumbraNoViewer.exe", L"", 2}, {L"LumbraNoViewer.exe", L"/e /lXX", 1}};
    for (const Path& path : paths) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(path.launcher) + L" " + path.arguments));
        ScratchFolder scratch;
        PROCESS_INFORMATION pi;
        ASSERT_TRUE(StartChild(L"\"" + ExecutableFolder() + path.launcher + L"\" " + path.arguments,
                               {{L"TEMP", scratch.path()}, {L"TMP", scratch.path()}, {L"LUMBRA_SPY_SLEEP_MS", L"300"}},
                               pi));
        HWND splash = nullptr;
        while (!splash && WaitForSingleObject(pi.hProcess, 1) == WAIT_TIMEOUT)
            splash = SplashOf(pi.dwProcessId);
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(pi.hProcess, 60000));
        DWORD exitCode = 0xFFFF;
        GetExitCodeProcess(pi.hProcess, &exitCode);
        EXPECT_EQ(path.exitCode, exitCode);
        ASSERT_NE(nullptr, splash) << "no splash seen";
        EXPECT_FALSE(IsWindow(splash));
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
}

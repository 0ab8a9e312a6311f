// Baseline for the splash timing: the least a Windows program can do to put a painted 480 x 320
// picture window on screen (first window of the process, shown and painted), timed like the launcher.
#include <windows.h>

#include <cstdio>

namespace {

LRESULT CALLBACK PaintProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT rc;
        GetClientRect(hwnd, &rc);
        HBRUSH brush = CreateSolidBrush(RGB(21, 59, 99));
        FillRect(dc, &rc, brush);
        DeleteObject(brush);
        EndPaint(hwnd, &ps);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

long long Ticks(const FILETIME& ft)
{
    return static_cast<long long>((static_cast<unsigned long long>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime);
}

}  // namespace

struct Entry {
    LARGE_INTEGER counter{};
    FILETIME time{};
    Entry()
    {
        QueryPerformanceCounter(&counter);
        GetSystemTimePreciseAsFileTime(&time);
    }
};
const Entry g_entry __attribute__((init_priority(101)));

int wmain()
{
    LARGE_INTEGER frequency, painted;
    QueryPerformanceFrequency(&frequency);
    const LARGE_INTEGER start = g_entry.counter;
    const FILETIME startTime = g_entry.time;

    WNDCLASSW wc = {};
    wc.lpfnWndProc = PaintProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"FirstWindowBaseline";
    RegisterClassW(&wc);
    HWND hwnd = CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"", WS_POPUP, 272, 224, 480, 320, nullptr,
                                nullptr, wc.hInstance, nullptr);
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);
    QueryPerformanceCounter(&painted);

    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    std::printf("Timing: window painted %.1f ms (process start %.1f ms before)\n",
                static_cast<double>(painted.QuadPart - start.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart),
                static_cast<double>(Ticks(startTime) - Ticks(created)) / 10000.0);
    DestroyWindow(hwnd);
    return 0;
}

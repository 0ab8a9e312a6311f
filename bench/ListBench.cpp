// Our list view against the system's SysListView32 doing the same work in the same process:
//   fill   insert N rows of three columns, sort by column 0, paint (native: redraw off while filling,
//          then LVM_SORTITEMS; a second native run fills 1,000 rows with redraw on)
//   resort a click on header section 1 re-sorts by it and the list repaints
//   scroll 100 line steps through WM_VSCROLL, each painted at once
// Best of RUNS, the contenders alternating; GDI handle counts of ours before and after every run.
// Prints "phase=<name> ours_ms=<t> native_ms=<t> ratio=<ours/native>" lines.
#include "platform/qt/QApplication.h"
#include "platform/qt/QHeader.h"
#include "platform/qt/QListView.h"
#include "platform/qt/QScrollBar.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Row {
    std::wstring text[3];
};

std::vector<Row> MakeRows(int n)
{
    std::vector<Row> rows(static_cast<size_t>(n));
    unsigned seed = 12345;
    auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) & 0xFFFFFF;
    };
    static const wchar_t* const words[] = {L"alpha", L"bravo", L"charlie", L"delta", L"echo", L"foxtrot", L"golf"};
    for (auto& r : rows) {
        r.text[0] = L"module_" + std::to_wstring(next() % 1000000) + L".dll";
        r.text[1] = std::to_wstring(next() % 10) + L"." + std::to_wstring(next() % 100) + L"." +
                    std::to_wstring(next() % 10000);
        r.text[2] = std::wstring(L"C:\\Program Files\\") + words[next() % 7] + L"\\" + words[next() % 7];
    }
    return rows;
}

double Ms(const LARGE_INTEGER& a, const LARGE_INTEGER& b)
{
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(b.QuadPart - a.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}

LARGE_INTEGER Now()
{
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t;
}

void Pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

DWORD Gdi()
{
    const DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (n != 0)
        return n;
    // Wine's GetGuiResources is a stub answering 0; Wine takes a handle's index alone, so count those.
    DWORD live = 0;
    for (ULONG_PTR h = 1; h < 0x10000; ++h)
        live += GetObjectType(reinterpret_cast<HGDIOBJ>(h)) != 0 ? 1 : 0;
    return live;
}

struct Times {
    double fill = 1e9, resort = 1e9, scroll = 1e9;
    void Keep(double f, double r, double s)
    {
        fill = std::min(fill, f);
        resort = std::min(resort, r);
        scroll = std::min(scroll, s);
    }
};

double g_clickMs = 1e9;  // of the re-sort: the header's press and release alone

// ---- Ours ----------------------------------------------------------------------------------------------

void RunOurs(const std::vector<Row>& rows, int n, Times& t, DWORD& gdiBefore, DWORD& gdiAfter)
{
    gdiBefore = Gdi();
    auto* lv = new QListView;
    lv->setGeometry(40, 40, 600, 400);
    lv->addColumn(QString(L"Name"), 200);
    lv->addColumn(QString(L"Version"), 120);
    lv->addColumn(QString(L"Folder"), 240);
    lv->setSorting(0, true);
    lv->show();
    Pump();

    const LARGE_INTEGER t0 = Now();
    QListViewItem* after = nullptr;
    for (int i = 0; i < n; ++i) {
        const Row& r = rows[static_cast<size_t>(i)];
        after = new QListViewItem(lv, after, QString(r.text[0]), QString(r.text[1]), QString(r.text[2]));
    }
    QApplication::sendPostedEvents();  // the one update: sort, rows, scroll bars
    UpdateWindow(lv->viewport()->winId());
    GdiFlush();
    const LARGE_INTEGER t1 = Now();

    HWND hHeader = lv->header()->winId();
    const int x = lv->header()->sectionPos(1) + 20;
    SendMessageW(hHeader, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 5));
    SendMessageW(hHeader, WM_LBUTTONUP, 0, MAKELPARAM(x, 5));
    const LARGE_INTEGER tClick = Now();
    QApplication::sendPostedEvents();
    UpdateWindow(lv->viewport()->winId());
    GdiFlush();
    const LARGE_INTEGER t2 = Now();

    HWND hBar = lv->verticalScrollBar()->winId();
    for (int k = 0; k < 100; ++k) {
        SendMessageW(lv->winId(), WM_VSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(hBar));
        UpdateWindow(lv->viewport()->winId());
    }
    GdiFlush();
    const LARGE_INTEGER t3 = Now();
    t.Keep(Ms(t0, t1), Ms(t1, t2), Ms(t2, t3));
    g_clickMs = std::min(g_clickMs, Ms(t1, tClick));
    if (lv->sortColumn() != 1 || lv->contentsY() == 0)
        std::printf("warning: ours did not sort by the clicked section or did not scroll\n");
    delete lv;
    Pump();
    gdiAfter = Gdi();
}

// ---- Native --------------------------------------------------------------------------------------------

struct NativeState {
    HWND hList = nullptr;
    const std::vector<Row>* rows = nullptr;
    int sortColumn = 0;
    bool clicked = false;
};
NativeState g_native;

int CALLBACK CompareRows(LPARAM a, LPARAM b, LPARAM column)
{
    const Row& ra = (*g_native.rows)[static_cast<size_t>(a)];
    const Row& rb = (*g_native.rows)[static_cast<size_t>(b)];
    const std::wstring& x = ra.text[column];
    const std::wstring& y = rb.text[column];
    return CompareStringW(LOCALE_USER_DEFAULT, 0, x.c_str(), static_cast<int>(x.size()), y.c_str(),
                          static_cast<int>(y.size())) - CSTR_EQUAL;
}

LRESULT CALLBACK HostProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY) {
        const auto* nm = reinterpret_cast<const NMHDR*>(lParam);
        if (nm->hwndFrom == g_native.hList && nm->code == LVN_COLUMNCLICK) {
            const auto* lv = reinterpret_cast<const NMLISTVIEW*>(lParam);
            g_native.clicked = true;
            g_native.sortColumn = lv->iSubItem;
            SendMessageW(g_native.hList, LVM_SORTITEMS, static_cast<WPARAM>(lv->iSubItem),
                         reinterpret_cast<LPARAM>(&CompareRows));
            return 0;
        }
    }
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

void RunNative(const std::vector<Row>& rows, int n, bool redrawOff, Times& t)
{
    HWND hHost = CreateWindowExW(0, L"ListBenchHost", L"native", WS_OVERLAPPED | WS_VISIBLE, 660, 40, 620, 440,
                                 nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    RECT rc;
    GetClientRect(hHost, &rc);
    HWND hList = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0,
                                 rc.right, rc.bottom, hHost, nullptr, GetModuleHandleW(nullptr), nullptr);
    g_native.hList = hList;
    g_native.rows = &rows;
    g_native.clicked = false;
    const wchar_t* labels[] = {L"Name", L"Version", L"Folder"};
    const int widths[] = {200, 120, 240};
    for (int c = 0; c < 3; ++c) {
        LVCOLUMNW col{};
        col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        col.pszText = const_cast<wchar_t*>(labels[c]);
        col.cx = widths[c];
        col.iSubItem = c;
        SendMessageW(hList, LVM_INSERTCOLUMNW, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&col));
    }
    Pump();

    const LARGE_INTEGER t0 = Now();
    if (redrawOff)
        SendMessageW(hList, WM_SETREDRAW, FALSE, 0);
    for (int i = 0; i < n; ++i) {
        const Row& r = rows[static_cast<size_t>(i)];
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = i;
        item.pszText = const_cast<wchar_t*>(r.text[0].c_str());
        item.lParam = i;
        const int index = static_cast<int>(SendMessageW(hList, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
        for (int c = 1; c < 3; ++c) {
            LVITEMW sub{};
            sub.iSubItem = c;
            sub.pszText = const_cast<wchar_t*>(r.text[c].c_str());
            SendMessageW(hList, LVM_SETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&sub));
        }
    }
    SendMessageW(hList, LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(&CompareRows));
    if (redrawOff)
        SendMessageW(hList, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hList, nullptr, TRUE);
    UpdateWindow(hList);
    GdiFlush();
    const LARGE_INTEGER t1 = Now();

    HWND hHeader = reinterpret_cast<HWND>(SendMessageW(hList, LVM_GETHEADER, 0, 0));
    const int x = widths[0] + 20;
    SendMessageW(hHeader, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 5));
    SendMessageW(hHeader, WM_LBUTTONUP, 0, MAKELPARAM(x, 5));
    Pump();
    if (!g_native.clicked)  // the header click did not come through: sort as the click would
        SendMessageW(hList, LVM_SORTITEMS, 1, reinterpret_cast<LPARAM>(&CompareRows));
    UpdateWindow(hList);
    GdiFlush();
    const LARGE_INTEGER t2 = Now();

    for (int k = 0; k < 100; ++k) {
        SendMessageW(hList, WM_VSCROLL, SB_LINEDOWN, 0);
        UpdateWindow(hList);
    }
    GdiFlush();
    const LARGE_INTEGER t3 = Now();
    t.Keep(Ms(t0, t1), Ms(t1, t2), Ms(t2, t3));
    DestroyWindow(hHost);
    Pump();
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const int n = argc > 1 ? _wtoi(argv[1]) : 10000;
    const int runs = argc > 2 ? _wtoi(argv[2]) : 3;
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    WNDCLASSW wc{};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"ListBenchHost";
    RegisterClassW(&wc);
    int qargc = 1;
    char arg0[] = "list_bench";
    char* qargv[] = {arg0, nullptr};
    QApplication app(qargc, qargv);

    const std::vector<Row> rows = MakeRows(n);
    const int small = std::min(n, 1000);
    Times ours, oursSmall, nativeOff, nativeOnSmall;
    std::vector<DWORD> gdi;
    // One list of ours first, so that what stays for the process (the application's fonts, the tip
    // window, Wine's own caches) is made before counting.
    {
        Times warm;
        DWORD before = 0, after = 0;
        RunOurs(rows, small, warm, before, after);
    }
    for (int run = 0; run < runs; ++run) {
        DWORD before = 0, after = 0;
        RunOurs(rows, n, ours, before, after);
        gdi.push_back(before);
        gdi.push_back(after);
        RunNative(rows, n, true, nativeOff);
        RunOurs(rows, small, oursSmall, before, after);
        gdi.push_back(before);
        gdi.push_back(after);
        RunNative(rows, small, false, nativeOnSmall);
    }
    auto line = [](const char* phase, int rowsN, const char* native, double o, double nt) {
        std::printf("phase=%s rows=%d ours_ms=%.1f native_ms=%.1f (%s) ratio=%.2f\n", phase, rowsN, o, nt, native,
                    nt > 0 ? o / nt : 0.0);
    };
    line("fill_sort_paint", n, "redraw off", ours.fill, nativeOff.fill);
    line("resort_on_header_click", n, "redraw off", ours.resort, nativeOff.resort);
    line("scroll_100_steps", n, "redraw off", ours.scroll, nativeOff.scroll);
    line("fill_sort_paint", small, "redraw on", oursSmall.fill, nativeOnSmall.fill);
    line("resort_on_header_click", small, "redraw on", oursSmall.resort, nativeOnSmall.resort);
    line("scroll_100_steps", small, "redraw on", oursSmall.scroll, nativeOnSmall.scroll);
    std::printf("of the re-sort, the header click alone: %.1f ms\n", g_clickMs);
    // Before and after each of our runs: what a list view takes it gives back.
    std::printf("gdi_objects_ours (before, after each run):");
    bool flat = true;
    for (size_t k = 0; k + 1 < gdi.size(); k += 2) {
        std::printf(" %lu/%lu", static_cast<unsigned long>(gdi[k]), static_cast<unsigned long>(gdi[k + 1]));
        flat = flat && gdi[k] == gdi[k + 1];
    }
    std::printf(" (%s)\n", flat ? "constant" : "NOT constant");
    return flat ? 0 : 1;
}

#include "gallery/pages/ButtonRegionsWindow.h"

#include "resources/ButtonSampleIds.h"
#include "resources/ResourceIds.h"
#include "toolkit/controls/BitmapAllocator.h"
#include "toolkit/controls/ToolkitFont.h"

namespace {

constexpr COLORREF kBack = RGB(236, 240, 247);
constexpr COLORREF kChequerLight = RGB(250, 250, 250);
constexpr COLORREF kChequerDark = RGB(214, 218, 224);
constexpr COLORREF kRegionLine = RGB(0, 170, 60);
constexpr COLORREF kKey = RGB(255, 0, 255);

struct Shown {
    int nId;
    int nScale;
    int x, y;
    const wchar_t* pszName;
};

const Shown kShown[] = {
    {IDB_CHECK_CHECKED, 8, 16, 40, L"709 checked"},
    {IDB_CHECK_DISABLED_CHECKED, 8, 156, 40, L"710 disabled, checked"},
    {IDB_CHECK_CLEARED, 8, 296, 40, L"711 cleared"},
    {IDB_CHECK_DISABLED, 8, 436, 40, L"712 disabled"},
    {IDB_SAMPLE_ROUND_UP, 5, 16, 210, L"round push button"},
    {IDB_SAMPLE_TOGGLE_UP, 4, 236, 210, L"toggle"},
};

constexpr int kWidth = 640;
constexpr int kHeight = 440;

void Fill(HDC hdc, int x, int y, int cx, int cy, COLORREF clr)
{
    CDC::FromHandle(hdc)->FillSolidRect(x, y, cx, cy, clr);
}

void DrawEnlarged(HDC hdc, const Shown& shown)
{
    CVellBitmapAllocator& store = CVellBitmapAllocator::GetInstance();
    store.SetControlBitmap(shown.nId, TRUE, nullptr);
    store.SetBitmapKeyingColor(shown.nId, kKey);
    store.BuildBitmapRegion(shown.nId, FALSE);
    const CBitmap* pBitmap = store.GetControlBitmap(shown.nId);
    SIZE size{};
    if (!pBitmap || !store.GetControlBitmapSize(shown.nId, &size))
        return;
    CDC memDC;
    if (!memDC.Attach(::CreateCompatibleDC(hdc)))
        return;
    CSelectGuard selBitmap(memDC, pBitmap->GetSafeHandle());
    const int s = shown.nScale;
    auto inside = [&](int x, int y) {
        POINT pt{x, y};
        return x >= 0 && y >= 0 && x < size.cx && y < size.cy && store.BitmapHitTest(shown.nId, &pt);
    };
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x) {
            COLORREF clr = ::GetPixel(memDC, x, y);
            if (clr == kKey)
                clr = (x + y) % 2 ? kChequerDark : kChequerLight;
            Fill(hdc, shown.x + x * s, shown.y + y * s, s, s, clr);
        }
    // The region's outline: an edge wherever a pixel of the region meets one outside it.
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x) {
            if (!inside(x, y))
                continue;
            const int px = shown.x + x * s, py = shown.y + y * s;
            if (!inside(x, y - 1))
                Fill(hdc, px, py, s, 2, kRegionLine);
            if (!inside(x, y + 1))
                Fill(hdc, px, py + s - 2, s, 2, kRegionLine);
            if (!inside(x - 1, y))
                Fill(hdc, px, py, 2, s, kRegionLine);
            if (!inside(x + 1, y))
                Fill(hdc, px + s - 2, py, 2, s, kRegionLine);
        }
    RECT rcLabel{shown.x, shown.y + size.cy * s + 4, shown.x + 200, shown.y + size.cy * s + 22};
    ::DrawTextW(hdc, shown.pszName, -1, &rcLabel, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace

BEGIN_MESSAGE_MAP(CButtonRegionsWindow, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CButtonRegionsWindow::~CButtonRegionsWindow()
{
    if (m_hWnd)
        DestroyWindow();
}

BOOL CButtonRegionsWindow::Open(int x, int y)
{
    RECT rc{0, 0, kWidth, kHeight};
    ::AdjustWindowRectEx(&rc, WS_POPUP | WS_CAPTION, FALSE, WS_EX_TOOLWINDOW);
    if (!CreateEx(WS_EX_TOOLWINDOW, nullptr, L"Bitmap buttons: pictures and hit regions", WS_POPUP | WS_CAPTION, x,
                  y, rc.right - rc.left, rc.bottom - rc.top, nullptr, nullptr))
        return FALSE;
    ShowWindow(SW_SHOWNOACTIVATE);
    UpdateWindow();
    return TRUE;
}

BOOL CButtonRegionsWindow::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CButtonRegionsWindow::OnPaint()
{
    PAINTSTRUCT ps;
    HDC hdc = ::BeginPaint(m_hWnd, &ps);
    Fill(hdc, 0, 0, kWidth, kHeight, kBack);
    const LOGFONTW lf = MakeLogFont(-12, 700);
    CFont font;
    font.CreateFontIndirect(&lf);
    {
        CSelectGuard selFont(hdc, font.GetSafeHandle());
        CSaveDCGuard saved(hdc);
        ::SetBkMode(hdc, TRANSPARENT);
        ::SetTextColor(hdc, RGB(21, 59, 99));
        RECT rcTitle{16, 10, kWidth - 16, 30};
        ::DrawTextW(hdc, L"Green: the outline of the hit region (visible pixels); chequers: transparent pixels", -1,
                    &rcTitle, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
        for (const Shown& shown : kShown)
            DrawEnlarged(hdc, shown);
    }
    ::EndPaint(m_hWnd, &ps);
}

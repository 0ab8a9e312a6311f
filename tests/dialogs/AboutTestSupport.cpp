#include "AboutTestSupport.h"

#include "toolkit/controls/ToolkitFont.h"

#include <algorithm>

InkBox Difference(const DibSurface& a, const DibSurface& b, const CRect& within)
{
    InkBox ink;
    const int right = std::min(static_cast<int>(within.right), a.Width());
    const int bottom = std::min(static_cast<int>(within.bottom), a.Height());
    for (int y = std::max(0, static_cast<int>(within.top)); y < bottom; ++y)
        for (int x = std::max(0, static_cast<int>(within.left)); x < right; ++x) {
            if (a.At(x, y) == b.At(x, y))
                continue;
            if (ink.nCount++ == 0)
                ink.box = CRect(x, y, x + 1, y + 1);
            ink.box.left = std::min(ink.box.left, static_cast<LONG>(x));
            ink.box.top = std::min(ink.box.top, static_cast<LONG>(y));
            ink.box.right = std::max(ink.box.right, static_cast<LONG>(x + 1));
            ink.box.bottom = std::max(ink.box.bottom, static_cast<LONG>(y + 1));
        }
    return ink;
}

std::unique_ptr<DibSurface> RenderWhole(CWnd& control)
{
    CRect rc;
    control.GetClientRect(&rc);
    auto surface = std::make_unique<DibSurface>(rc.Width(), rc.Height(), RGB(1, 2, 3));
    control.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface->dc()), PRF_CLIENT);
    return surface;
}

std::unique_ptr<DibSurface> RenderPictureOnly(CVellStaticBitmap& control)
{
    CRect rc;
    control.GetClientRect(&rc);
    auto surface = std::make_unique<DibSurface>(rc.Width(), rc.Height(), RGB(1, 2, 3));
    control.PaintPicture(surface->dc());
    return surface;
}

std::unique_ptr<DibSurface> RenderWithTexts(CVellAboutDlg::CAboutBitmap& bitmap, const wchar_t* pszTitle,
                                            const wchar_t* pszStatus, const wchar_t* pszLegal,
                                            const wchar_t* pszVersion)
{
    CString* texts[] = {&bitmap.m_strTitle, &bitmap.m_strStatus, &bitmap.m_strLegal, &bitmap.m_strVersion};
    const wchar_t* wanted[] = {pszTitle, pszStatus, pszLegal, pszVersion};
    CString saved[4];
    for (int i = 0; i < 4; ++i) {
        saved[i] = *texts[i];
        *texts[i] = wanted[i] ? wanted[i] : L"";
    }
    auto surface = RenderWhole(bitmap);
    for (int i = 0; i < 4; ++i)
        *texts[i] = saved[i];
    return surface;
}

int TextWidth(const CString& str, int nFontHeight)
{
    const LOGFONTW lf = MakeLogFont(nFontHeight, CVellAboutDlg::CAboutBitmap::kFontWeight);
    HFONT hFont = CreateFontIndirectW(&lf);
    HDC hDC = CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = SelectObject(hDC, hFont);
    SIZE size{};
    GetTextExtentPoint32W(hDC, str.GetString(), str.GetLength(), &size);
    SelectObject(hDC, hOld);
    DeleteDC(hDC);
    DeleteObject(hFont);
    return size.cx;
}

std::pair<int, int> InkColumns(const CString& str, int nFontHeight)
{
    const int cx = TextWidth(str, nFontHeight) + 20;
    DibSurface white(cx, 40, RGB(255, 255, 255)), text(cx, 40, RGB(255, 255, 255));
    const LOGFONTW lf = MakeLogFont(nFontHeight, CVellAboutDlg::CAboutBitmap::kFontWeight);
    HFONT hFont = CreateFontIndirectW(&lf);
    HGDIOBJ hOld = SelectObject(text.dc(), hFont);
    SetBkMode(text.dc(), TRANSPARENT);
    RECT rc{0, 0, cx, 40};
    DrawTextW(text.dc(), str.GetString(), str.GetLength(), &rc, 0);
    SelectObject(text.dc(), hOld);
    DeleteObject(hFont);
    const InkBox ink = Difference(white, text, CRect(0, 0, cx, 40));
    return {ink.box.left, ink.box.right};
}

std::unique_ptr<DibSurface> ReadWindow(HWND hWnd)
{
    return CopyOfWindow(hWnd);
}

bool HasColor(const DibSurface& s, const CRect& rect, COLORREF clr)
{
    for (int y = std::max(0, static_cast<int>(rect.top)); y < std::min(static_cast<int>(rect.bottom), s.Height()); ++y)
        for (int x = std::max(0, static_cast<int>(rect.left)); x < std::min(static_cast<int>(rect.right), s.Width());
             ++x)
            if (s.At(x, y) == clr)
                return true;
    return false;
}

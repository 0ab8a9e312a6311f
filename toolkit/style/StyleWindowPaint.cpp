// The styled window hook: painting of the frame, caption, icon, texts and caption buttons.
#include "toolkit/draw/DrawFrame.h"
#include "toolkit/draw/MarlettGlyph.h"
#include "toolkit/draw/StyleColors.h"
#include "toolkit/style/StyleWindowHook.h"

namespace {

struct FaceColors {
    COLORREF light;  // top and left lines
    COLORREF fill;
    COLORREF dark;   // right and bottom lines
};

constexpr FaceColors kCloseFaces[3] = {
    {RGB(199, 207, 220), RGB(120, 139, 169), RGB(21, 59, 99)},  // normal
    {RGB(242, 147, 146), RGB(217, 76, 74), RGB(84, 55, 88)},    // hot
    {RGB(161, 60, 62), RGB(211, 56, 61), RGB(46, 89, 141)},     // pushed
};
constexpr FaceColors kOtherFaces[3] = {
    {RGB(199, 207, 220), RGB(120, 139, 169), RGB(21, 59, 99)},
    {RGB(235, 238, 243), RGB(161, 177, 204), RGB(21, 59, 99)},
    {RGB(21, 59, 99), RGB(146, 160, 185), RGB(146, 160, 185)},
};

constexpr int kChamferLeft = 1;
constexpr int kChamferRight = 2;

wchar_t GlyphFor(UINT nState)
{
    switch (nState & 0xFF) {
    case DFCS_CAPTIONCLOSE: return L'r';
    case DFCS_CAPTIONMIN: return L'0';
    case DFCS_CAPTIONMAX: return L'1';
    case DFCS_CAPTIONRESTORE: return L'2';
    case DFCS_CAPTIONHELP: return L's';
    default: return L' ';
    }
}

// Selects the stock DC pen and gives the DC its pen and pen colour back afterwards.
class DcPen {
public:
    explicit DcPen(HDC hDC) : m_hDC(hDC), m_select(hDC, ::GetStockObject(DC_PEN)), m_clrOld(::GetDCPenColor(hDC)) {}
    ~DcPen() { ::SetDCPenColor(m_hDC, m_clrOld); }
    DcPen(const DcPen&) = delete;
    DcPen& operator=(const DcPen&) = delete;
    void Color(COLORREF clr) { ::SetDCPenColor(m_hDC, clr); }

private:
    HDC m_hDC;
    CSelectGuard m_select;
    COLORREF m_clrOld;
};

}  // namespace

void CVellStyleWindowHook::CreateCaptionFont(CFont& font) const
{
    font.CreateFont(CaptionRect().Height(), 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, FF_SWISS, L"Arial");
}

int CVellStyleWindowHook::TextWidth(CDC* pDC, const CString& str) const
{
    return pDC->GetTextExtent(str, str.GetLength()).cx;
}

void CVellStyleWindowHook::OnNcPaint(HRGN)
{
    if (!m_hooked || !m_hooked->m_hWnd)
        return;
    CWindowDC dc(m_hooked);
    if (dc.m_hDC)
        PaintNonClient(&dc);
}

void CVellStyleWindowHook::PaintNonClient(CDC* pDC)
{
    if (!m_hooked || !m_hooked->m_hWnd || !pDC || !pDC->m_hDC)
        return;
    CDC& dc = *pDC;
    CRect rcWindow, rcClient;
    m_hooked->GetWindowRect(&rcWindow);
    m_hooked->GetClientRect(&rcClient);
    m_hooked->ClientToScreen(&rcClient);
    rcClient.OffsetRect(-rcWindow.left, -rcWindow.top);
    rcWindow.OffsetRect(-rcWindow.left, -rcWindow.top);

    CSelectGuard selectDefault(dc, ::GetStockObject(DEVICE_DEFAULT_FONT));
    CFont captionFont;
    CreateCaptionFont(captionFont);
    CSelectGuard selectCaption(dc, captionFont);

    const DWORD dwStyle = EffectiveStyle();
    // A modal dialog frame without a caption gets the toolkit's border as well.
    if ((dwStyle & WS_BORDER) || (m_hooked->GetExStyle() & WS_EX_DLGMODALFRAME)) {
        DrawWindowBorder(dc, rcWindow);
        rcWindow.DeflateRect(kMargin, kMargin);
    }
    {
        CRgn frame, client;
        frame.CreateRectRgnIndirect(&rcWindow);
        client.CreateRectRgnIndirect(&rcClient);
        frame.CombineRgn(&frame, &client, RGN_XOR);
        ::FillRgn(dc, frame, vell::FrameBrush());
    }
    PaintMenuBar(&dc);
    if (!HasWholeCaption())
        return;

    const CRect rcCaption = CaptionRect();
    ::FillRect(dc, &rcCaption, vell::FrameBrush());
    if (dwStyle & WS_SYSMENU) {
        HICON hIcon = SmallIcon();
        if (!hIcon && !IsDialogWindow()) {
            hIcon = ::LoadIconW(nullptr, MAKEINTRESOURCEW(32517));  // IDI_WINLOGO
            m_hooked->SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(hIcon));
            m_hooked->SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(hIcon));
        }
        if (hIcon) {
            const int nTop = rcCaption.top + (rcCaption.Height() - kIconSize) / 2;
            m_rcIcon = CRect(rcCaption.left + 2, nTop, rcCaption.left + 2 + kIconSize, nTop + kIconSize);
            ::DrawIconEx(dc, m_rcIcon.left, m_rcIcon.top, hIcon, kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
        }
    }
    DrawCaptionButtons(&dc);
    const CRect rcText = CaptionTextRect();
    DrawCaptionText(rcText, &dc);
    DrawSecondaryText(rcText, &dc);
}

void CVellStyleWindowHook::DrawCaptionButtons(CDC* pDC)
{
    LayoutCaptionButtons();
    if (!pDC || !pDC->m_hDC || !HasWholeCaption())
        return;
    const bool bZoomed = m_hooked && m_hooked->IsZoomed();
    const bool bIconic = m_hooked && m_hooked->IsIconic();
    auto exists = [](const CRect& r) { return r.left != -1; };
    auto stateFor = [&](UINT nBase, UINT nPart) {
        UINT nState = nBase;
        if (m_nHotPart == nPart && m_nPressedPart != nPart)
            nState |= DFCS_HOT;
        if (m_nHotPart == nPart && m_nPressedPart == nPart)
            nState |= DFCS_PUSHED;
        return nState;
    };
    const bool bAnyOther = exists(m_rcMaximize) || exists(m_rcMinimize) || exists(m_rcHelp);
    int nGroupWidth = 0;
    if (exists(m_rcClose)) {
        DrawCaptionButtonFace(pDC, m_rcClose, stateFor(DFCS_CAPTIONCLOSE, HTCLOSE),
                              kChamferRight | (bAnyOther ? 0 : kChamferLeft));
        nGroupWidth += m_rcClose.Width();
    }
    if (exists(m_rcMaximize)) {
        const bool bLeftmost = !exists(m_rcMinimize) && !exists(m_rcHelp);
        DrawCaptionButtonFace(pDC, m_rcMaximize,
                              stateFor(bZoomed ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMAX, HTMAXBUTTON),
                              bLeftmost ? kChamferLeft : 0);
        nGroupWidth += m_rcMaximize.Width();
    }
    if (exists(m_rcMinimize)) {
        DrawCaptionButtonFace(pDC, m_rcMinimize,
                              stateFor(bIconic ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMIN, HTMINBUTTON),
                              exists(m_rcHelp) ? 0 : kChamferLeft);
        nGroupWidth += m_rcMinimize.Width();
    }
    if (exists(m_rcHelp)) {
        DrawCaptionButtonFace(pDC, m_rcHelp, stateFor(DFCS_CAPTIONHELP, HTHELP), kChamferLeft);
        nGroupWidth += m_rcHelp.Width();
    }
    if (nGroupWidth > 0) {
        const int R = CaptionRect().right;
        DrawButtonGroupOutline(pDC, CRect(R - 12 - nGroupWidth, 0, R - 10, 17));
    }
}

void CVellStyleWindowHook::DrawCaptionButtonFace(CDC* pDC, CRect b, UINT nState, int nCorners)
{
    const bool bClose = (nState & 0xFF) == DFCS_CAPTIONCLOSE;
    const int nLook = (nState & DFCS_PUSHED) ? 2 : ((nState & DFCS_HOT) ? 1 : 0);
    const FaceColors& colors = (bClose ? kCloseFaces : kOtherFaces)[nLook];
    HDC hDC = pDC->m_hDC;
    CSaveDCGuard saved(hDC);

    pDC->FillSolidRect(&b, colors.fill);
    {
        DcPen pen(hDC);
        pen.Color(colors.light);
        ::MoveToEx(hDC, b.left, b.top, nullptr);
        if (nCorners & kChamferLeft) {
            ::LineTo(hDC, b.left, b.bottom - 2);
            ::LineTo(hDC, b.left + 3, b.bottom + 1);
        } else {
            ::LineTo(hDC, b.left, b.bottom);
        }
        ::MoveToEx(hDC, b.left, b.top, nullptr);
        ::LineTo(hDC, b.right, b.top);
        ::MoveToEx(hDC, b.left, b.top + 1, nullptr);
        ::LineTo(hDC, b.right - 1, b.top + 1);

        pen.Color(colors.dark);
        ::MoveToEx(hDC, b.right - 1, b.top, nullptr);
        if (nCorners & kChamferRight) {
            ::LineTo(hDC, b.right - 1, b.bottom - 2);
            ::LineTo(hDC, b.right - 3, b.bottom);
        } else {
            ::LineTo(hDC, b.right - 1, b.bottom);
        }
        int xEnd = b.left - 1;
        if (nCorners & kChamferLeft)
            xEnd = (nCorners & kChamferRight) ? b.left + 1 : b.left;
        ::LineTo(hDC, xEnd, b.bottom);
    }
    b.OffsetRect(1, 1);
    if (nState & DFCS_PUSHED)
        b.OffsetRect(1, 1);
    pDC->SetTextColor(vell::kWhite);
    DrawMarlettGlyph(pDC, b, GlyphFor(nState), FALSE);
}

void CVellStyleWindowHook::DrawButtonGroupOutline(CDC* pDC, const RECT& g)
{
    HDC hDC = pDC->m_hDC;
    CSaveDCGuard saved(hDC);  // current position
    DcPen pen(hDC);
    pen.Color(vell::kNavy);
    ::MoveToEx(hDC, g.left, g.top, nullptr);
    ::LineTo(hDC, g.left, g.bottom - 3);
    ::LineTo(hDC, g.left + 4, g.bottom + 1);
    pen.Color(vell::kControlBack);
    ::MoveToEx(hDC, g.right - 1, g.top, nullptr);
    ::LineTo(hDC, g.right - 1, g.bottom - 3);
    ::LineTo(hDC, g.right - 4, g.bottom);
    ::LineTo(hDC, g.left + 2, g.bottom);
}

void CVellStyleWindowHook::DrawCaptionText(const RECT& rect, CDC* pDC)
{
    if (!pDC || !pDC->m_hDC)
        return;
    CRect t = rect;
    if (!m_strSecondary.IsEmpty())
        t.right -= TextWidth(pDC, m_strSecondary) + 2;
    if (t.right < t.left)
        t.right = t.left;
    CSaveDCGuard saved(pDC->m_hDC);
    pDC->FillSolidRect(&t, vell::kFrameBlue);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(vell::kWhite);
    if (!m_strCaption.IsEmpty())
        pDC->DrawText(m_strCaption, m_strCaption.GetLength(), &t, DT_SINGLELINE | DT_NOPREFIX | DT_WORD_ELLIPSIS);
}

void CVellStyleWindowHook::DrawSecondaryText(const RECT& rect, CDC* pDC)
{
    if (!pDC || !pDC->m_hDC)
        return;
    CRect t = rect;
    const int w = TextWidth(pDC, m_strCaption);
    if (w < t.Width())
        t.left += w;
    else
        t.left = t.right;
    CSaveDCGuard saved(pDC->m_hDC);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(vell::kWhite);
    pDC->FillSolidRect(&t, vell::kFrameBlue);
    if (!m_strSecondary.IsEmpty()) {
        t.left = t.right - TextWidth(pDC, m_strSecondary);
        pDC->DrawText(m_strSecondary, m_strSecondary.GetLength(), &t, DT_SINGLELINE | DT_NOPREFIX | DT_WORD_ELLIPSIS);
    }
}

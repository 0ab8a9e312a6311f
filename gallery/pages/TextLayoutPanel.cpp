#include "gallery/pages/TextLayoutPanel.h"

#include "toolkit/controls/ControlText.h"
#include "toolkit/controls/ToolkitFont.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr COLORREF kPanelBack = RGB(235, 238, 243);
constexpr COLORREF kBoxBack = RGB(255, 255, 255);
constexpr COLORREF kDisabledBack = RGB(161, 177, 204);  // a control's background; its disabled colour too
constexpr COLORREF kBoxFrame = RGB(80, 101, 138);
constexpr COLORREF kLabel = RGB(21, 59, 99);
constexpr COLORREF kReportedCut = RGB(170, 40, 40);

struct LayoutCase {
    const wchar_t* pszLabel;
    const wchar_t* pszText;
    int nHAlign;
    int nVAlign;
    BOOL bSingleLine;
    BOOL bMarker;
    BOOL bEnabled;
    int nLines;       // box height in lines
    int nBoxPercent;  // box width in percent of the cell
};

const wchar_t kLongCaption[] =
    L"Every caption of a toolkit control goes through one layout routine, word by word, line by line.";

const LayoutCase kCases[] = {
    {L"One line that fits, centred", L"Centred caption", 1, 1, TRUE, FALSE, TRUE, 1, 100},
    {L"Cut without the marker", L"A caption too long for its box", 0, 1, TRUE, FALSE, TRUE, 1, 70},
    {L"Cut with the marker", L"A caption too long for its box", 0, 1, TRUE, TRUE, TRUE, 1, 70},
    {L"Cut keeping the end", L"C:\\Program Files\\Orvane\\Lumbra.exe", 2, 1, TRUE, TRUE, TRUE, 1, 70},
    {L"Wrapped top-down", kLongCaption, 0, 0, FALSE, TRUE, TRUE, 3, 80},
    {L"Wrapped bottom-up", kLongCaption, 2, 2, FALSE, TRUE, TRUE, 3, 80},
    {L"Empty lines (line feeds)", L"First line\n\nThird, after an empty one", 0, 0, FALSE, FALSE, TRUE, 3, 100},
    {L"Disabled: embossed", L"Disabled caption", 1, 1, TRUE, FALSE, FALSE, 2, 100},
};

void FillRect(HDC hDC, const RECT& rc, COLORREF clr)
{
    CBrush brush(clr);
    ::FillRect(hDC, &rc, brush);
}

void FrameAround(HDC hDC, const RECT& rc, COLORREF clr)
{
    CBrush brush(clr);
    RECT outer = rc;
    ::InflateRect(&outer, 1, 1);
    ::FrameRect(hDC, &outer, brush);
}

}  // namespace

BEGIN_MESSAGE_MAP(CTextLayoutPanel, CWnd)
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

BOOL CTextLayoutPanel::Create(CWnd* pParent, const CRect& rc)
{
    return CWnd::Create(nullptr, L"", WS_CHILD | WS_VISIBLE, rc, pParent, 0xFFFF);
}

void CTextLayoutPanel::OnPaint()
{
    CPaintDC dc(this);
    Paint(dc);
}

LRESULT CTextLayoutPanel::OnPrintClient(WPARAM wParam, LPARAM)
{
    if (HDC hDC = reinterpret_cast<HDC>(wParam))
        Paint(hDC);
    return 0;
}

void CTextLayoutPanel::Paint(HDC hDC)
{
    CSaveDCGuard saved(hDC);
    CRect rcClient;
    GetClientRect(&rcClient);
    FillRect(hDC, rcClient, kPanelBack);

    CFont labelFont, textFont;
    const LOGFONTW lfLabel = MakeLogFont(-11, FW_BOLD);
    const LOGFONTW lfText = MakeLogFont(-12, FW_NORMAL);
    labelFont.CreateFontIndirect(&lfLabel);
    textFont.CreateFontIndirect(&lfText);
    CDC* pDC = CDC::FromHandle(hDC);
    ::SetBkMode(hDC, TRANSPARENT);
    TEXTMETRICW tm{};
    {
        CSelectGuard select(hDC, textFont);
        ::GetTextMetricsW(hDC, &tm);
    }
    const int nLineHeight = tm.tmHeight + tm.tmExternalLeading;
    const int nColumns = 2, nGap = 12, nLabelHeight = 16;
    const int nCellWidth = (rcClient.Width() - nGap * (nColumns + 1)) / nColumns;
    int y = nGap;
    for (size_t i = 0; i < std::size(kCases); i += nColumns) {
        int nRowHeight = 0;
        for (size_t c = 0; c < static_cast<size_t>(nColumns) && i + c < std::size(kCases); ++c) {
            const LayoutCase& layout = kCases[i + c];
            const int x = nGap + static_cast<int>(c) * (nCellWidth + nGap);
            const CRect box(x, y + nLabelHeight, x + nCellWidth * layout.nBoxPercent / 100,
                            y + nLabelHeight + layout.nLines * nLineHeight + 4);
            FillRect(hDC, box, layout.bEnabled ? kBoxBack : kDisabledBack);
            FrameAround(hDC, box, kBoxFrame);
            BOOL bCut = FALSE;
            {
                CSelectGuard select(hDC, textFont);
                ::SetTextColor(hDC, RGB(0, 0, 0));
                bCut = DrawControlText(layout.pszText, pDC, box, layout.nHAlign, layout.nVAlign, layout.bSingleLine,
                                       layout.bMarker, layout.bEnabled, kDisabledBack);
            }
            CSelectGuard select(hDC, labelFont);
            ::SetTextColor(hDC, kLabel);
            CRect rcLabel(x, y, x + nCellWidth, y + nLabelHeight - 2);
            ::DrawTextW(hDC, layout.pszLabel, -1, &rcLabel, DT_LEFT | DT_BOTTOM | DT_SINGLELINE | DT_NOPREFIX);
            if (bCut) {
                // What the layout reported, in its own colour after the label.
                SIZE size{};
                ::GetTextExtentPoint32W(hDC, layout.pszLabel, lstrlenW(layout.pszLabel), &size);
                CRect rcCut(x + size.cx, y, x + nCellWidth, y + nLabelHeight - 2);
                ::SetTextColor(hDC, kReportedCut);
                ::DrawTextW(hDC, L"  reported: cut", -1, &rcCut, DT_LEFT | DT_BOTTOM | DT_SINGLELINE | DT_NOPREFIX);
            }
            nRowHeight = std::max(nRowHeight, nLabelHeight + box.Height() + nGap);
        }
        y += nRowHeight;
    }

    // Focus cues: the dotted rectangle in both phases around a caption, and a dotted line.
    CSelectGuard select(hDC, labelFont);
    ::SetTextColor(hDC, kLabel);
    CRect rcLabel(nGap, y, rcClient.right - nGap, y + nLabelHeight - 2);
    ::DrawTextW(hDC, L"Dotted focus rectangles (first pixel off, on) and a dotted line", -1, &rcLabel,
                DT_LEFT | DT_BOTTOM | DT_SINGLELINE | DT_NOPREFIX);
    const int yBox = y + nLabelHeight + 2;
    for (int k = 0; k < 2; ++k) {
        const CRect box(nGap + k * 110, yBox, nGap + k * 110 + 100, yBox + 28);
        FillRect(hDC, box, kBoxBack);
        FrameAround(hDC, box, kBoxFrame);
        CRect cue = box;
        cue.DeflateRect(3, 3);
        DrawDottedRect(pDC, cue, k == 1, RGB(0, 0, 0));
        ::DrawTextW(hDC, k == 1 ? L"Dot first" : L"Focus", -1, &cue, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    DrawDottedLine(pDC, nGap + 230, rcClient.right - nGap, yBox + 14, TRUE, kLabel);
}

#include "toolkit/controls/ControlText.h"

#include "toolkit/controls/ColorAdjust.h"

#include <algorithm>
#include <cwctype>
#include <vector>

namespace {

constexpr UINT kLineFlags = DT_SINGLELINE | DT_NOPREFIX;

SIZE Extent(CDC* pDC, const wchar_t* psz, int nCount)
{
    SIZE size{};
    if (nCount > 0 && !::GetTextExtentPoint32W(pDC->GetSafeHdc(), psz, nCount, &size))
        size = SIZE{};
    return size;
}

int Width(CDC* pDC, const CString& text, int nCount)
{
    return Extent(pDC, text.GetString(), nCount).cx;
}

// The widths of every start of text: element k is the width of its first k characters.
std::vector<int> PrefixWidths(CDC* pDC, const CString& text)
{
    const int nLength = text.GetLength();
    std::vector<int> widths(static_cast<size_t>(nLength) + 1, 0);
    SIZE size{};
    if (nLength > 0 &&
        !::GetTextExtentExPointW(pDC->GetSafeHdc(), text.GetString(), nLength, 0, nullptr, widths.data() + 1, &size))
        std::fill(widths.begin(), widths.end(), 0);
    return widths;
}

bool IsSpace(wchar_t ch)
{
    return std::iswspace(static_cast<wint_t>(ch)) != 0;
}

UINT HorizontalFlag(int nHAlign)
{
    return nHAlign == 0 ? DT_LEFT : nHAlign == 1 ? DT_CENTER : DT_RIGHT;
}

UINT VerticalFlag(int nVAlign)
{
    return nVAlign == 0 ? DT_TOP : nVAlign == 1 ? DT_VCENTER : DT_BOTTOM;
}

// Splits text at its line feeds and wraps each part; FALSE when a part could not be wrapped (the
// other parts are still wrapped). An empty part between two line feeds is an empty line; a line feed
// at the very end adds none.
BOOL SplitAndWrap(const CString& text, CDC* pDC, int nWidth, CVellLineList& lines)
{
    BOOL bWrapped = TRUE;
    int nStart = 0;
    for (int nFeed = text.Find(L'\n'); nFeed >= 0; nFeed = text.Find(L'\n', nStart)) {
        if (!WrapTextLines(text.Mid(nStart, nFeed - nStart), pDC, nWidth, lines))
            bWrapped = FALSE;
        nStart = nFeed + 1;
    }
    if (nStart < text.GetLength() && !WrapTextLines(text.Mid(nStart), pDC, nWidth, lines))
        bWrapped = FALSE;
    return bWrapped;
}

BOOL DrawWrapped(const CString& text, CDC* pDC, const RECT& rect, UINT nHFlag, int nVAlign, BOOL bMarker,
                 BOOL bEnabled, COLORREF clrDisabled)
{
    TEXTMETRICW tm{};
    const int nLineHeight = ::GetTextMetricsW(pDC->GetSafeHdc(), &tm) ? tm.tmHeight + tm.tmExternalLeading : 0;
    if (nLineHeight <= 0)
        return TRUE;  // no metrics, no lines: nothing is shown
    CVellLineList lines;
    const int nWidth = rect.right - rect.left;
    const BOOL bWrapped = SplitAndWrap(text, pDC, nWidth, lines);
    const int nLines = static_cast<int>(lines.size());
    // A rectangle lower than one line still shows one (cut) line rather than all of them, and that
    // line is not shown whole.
    int nVisible = (rect.bottom - rect.top) / nLineHeight;
    const bool bTooLow = nVisible < 1;
    if (bTooLow)
        nVisible = 1;
    const bool bDropped = nVisible < nLines;

    if (nVAlign == 0 || nVAlign == 1) {
        CRect line(rect.left, rect.top, rect.right, rect.top + nLineHeight);
        for (int k = 0; k < nLines; ++k) {
            if (bDropped && k + 1 == nVisible) {
                CString cut = lines[static_cast<size_t>(k)];
                TruncateText(cut, pDC, FALSE, line.Width(), bMarker);
                DrawTextLine(pDC, cut, &line, nHFlag, bEnabled, clrDisabled);
                break;
            }
            DrawTextLine(pDC, lines[static_cast<size_t>(k)], &line, nHFlag, bEnabled, clrDisabled);
            line.OffsetRect(0, nLineHeight);
        }
    } else if (nVAlign == 2) {
        CRect line(rect.left, rect.bottom - nLineHeight, rect.right, rect.bottom);
        for (int j = nLines - 1; j >= 0; --j) {
            if (bDropped && nLines - j == nVisible) {
                CString cut = lines[static_cast<size_t>(j)];
                TruncateText(cut, pDC, TRUE, line.Width(), bMarker);
                DrawTextLine(pDC, cut, &line, nHFlag, bEnabled, clrDisabled);
                break;
            }
            DrawTextLine(pDC, lines[static_cast<size_t>(j)], &line, nHFlag, bEnabled, clrDisabled);
            line.OffsetRect(0, -nLineHeight);
        }
    }
    return bDropped || bTooLow || !bWrapped;
}

}  // namespace

BOOL DrawControlText(const CString& text, CDC* pDC, RECT rect, int nHAlign, int nVAlign, BOOL bSingleLine,
                     BOOL bMarker, BOOL bEnabled, COLORREF clrDisabled)
{
    if (!pDC || !pDC->GetSafeHdc())
        return TRUE;
    const UINT nHFlag = HorizontalFlag(nHAlign) | kLineFlags;
    const UINT nVFlag = VerticalFlag(nVAlign);
    const SIZE size = Extent(pDC, text.GetString(), text.GetLength());
    const int nWidth = rect.right - rect.left;

    const bool bMultiLine = !bSingleLine && (size.cx > nWidth || text.Find(L'\n') >= 0);
    if (bMultiLine)
        return DrawWrapped(text, pDC, rect, nHFlag, nVAlign, bMarker, bEnabled, clrDisabled);

    if (size.cx > nWidth) {
        // Right-aligned text keeps its end.
        CString cut = text;
        TruncateText(cut, pDC, nHAlign != 0 && nHAlign != 1, nWidth, bMarker);
        DrawTextLine(pDC, cut, &rect, nVFlag | nHFlag, bEnabled, clrDisabled);
        return TRUE;
    }
    DrawTextLine(pDC, text, &rect, nVFlag | nHFlag, bEnabled, clrDisabled);
    return size.cy > rect.bottom - rect.top;
}

BOOL WrapTextLines(const CString& text, CDC* pDC, int nWidth, CVellLineList& lines)
{
    if (!pDC)
        return FALSE;
    // One line per turn of the loop (no recursion, however many lines), each measured with one call.
    CString rest = text;
    for (;;) {
        const int nLength = rest.GetLength();
        const std::vector<int> prefix = PrefixWidths(pDC, rest);
        if (prefix[static_cast<size_t>(nLength)] <= nWidth) {
            lines.push_back(rest);
            return TRUE;
        }
        auto widthOf = [&](int nCount) { return prefix[static_cast<size_t>(nCount)]; };
        int nWordEnd = 0;
        while (nWordEnd < nLength && IsSpace(rest[nWordEnd]))
            ++nWordEnd;
        while (nWordEnd < nLength && !IsSpace(rest[nWordEnd]))
            ++nWordEnd;

        int nCut = 0;
        if (widthOf(nWordEnd) > nWidth) {
            // The first word alone is too wide: split it before its first character that reaches the
            // width.
            int j = 1;
            while (j < nWordEnd && widthOf(j) < nWidth)
                ++j;
            if (j == 1)
                return FALSE;
            nCut = j - 1;
        } else {
            // Break after the last word (followed by white space) whose line still fits; the first
            // word is one such break.
            nCut = nWordEnd;
            for (int k = nWordEnd; k < nLength;) {
                while (k < nLength && IsSpace(rest[k]))
                    ++k;
                while (k < nLength && !IsSpace(rest[k]))
                    ++k;
                if (k < nLength && widthOf(k) <= nWidth)
                    nCut = k;
            }
        }
        lines.push_back(rest.Left(nCut));
        int nNext = nCut;
        while (nNext < nLength && IsSpace(rest[nNext]))
            ++nNext;
        if (nNext >= nLength)
            return TRUE;
        rest = rest.Mid(nNext);
    }
}

void TruncateText(CString& text, CDC* pDC, BOOL bKeepEnd, int nWidth, BOOL bMarker)
{
    if (!pDC)
        return;
    const CString marker = bMarker ? kTruncationMarker : L"";
    CString candidate;
    for (int n = text.GetLength(); n >= 0; --n) {
        candidate = bKeepEnd ? marker + text.Right(n) : text.Left(n) + marker;
        if (Width(pDC, candidate, candidate.GetLength()) < nWidth)
            break;
    }
    text = candidate;
}

int DrawTextLine(CDC* pDC, const CString& text, const RECT* pRect, UINT nFlags, BOOL bEnabled,
                 COLORREF clrDisabled)
{
    if (!pDC || !pRect)
        return 0;
    CRect rc = *pRect;
    if (bEnabled)
        return pDC->DrawText(text.GetString(), text.GetLength(), &rc, nFlags);
    const COLORREF clrOld = pDC->SetTextColor(AdjustColor(kAdjustLighten, clrDisabled));
    const int nResult = pDC->DrawText(text.GetString(), text.GetLength(), &rc, nFlags);
    pDC->SetTextColor(AdjustColor(kAdjustDarken, clrDisabled));
    rc.OffsetRect(-1, -1);
    pDC->DrawText(text.GetString(), text.GetLength(), &rc, nFlags);
    pDC->SetTextColor(clrOld);
    return nResult;
}

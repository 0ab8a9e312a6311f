// Drawing the bitmap button: off screen into one bitmap, then one copy to the window.
#include "toolkit/buttons/VellBitmapButton.h"

#include "toolkit/buttons/BitmapGeometry.h"
#include "toolkit/buttons/DcGuards.h"
#include "toolkit/buttons/TransparentBlit.h"
#include "toolkit/controls/ColorAdjust.h"

void CVellBitmapButton::DrawItem(LPDRAWITEMSTRUCT pDrawItemStruct)
{
    HDC hdcTarget = pDrawItemStruct->hDC;
    CRect rc;
    CVellControl::GetClientRect(&rc);
    if (!GetEnabled()) {
        m_bMouseDown = FALSE;
        m_bKeyDown = FALSE;
    }
    {
        CVellColorsGuard colors(hdcTarget);
        CDC::FromHandle(hdcTarget)->FillSolidRect(&rc, GetBackColor());
    }

    CDC memDC;
    if (!memDC.Attach(::CreateCompatibleDC(hdcTarget)))
        return;
    CBitmap bitmap;
    if (!bitmap.CreateCompatibleBitmap(hdcTarget, rc.Width(), rc.Height()))
        return;
    CVellSelection selBitmap(memDC, bitmap);
    if (!selBitmap.ok())
        return;
    ::BitBlt(memDC, 0, 0, rc.Width(), rc.Height(), hdcTarget, rc.left, rc.top, SRCCOPY);

    PaintButton(&memDC, rc);
    if (GetEnabled() && UpdateFocusCue(static_cast<int>(pDrawItemStruct->itemAction), m_bMouseDown)) {
        if (!IsCheckBoxStyle(m_nButtonStyle))
            DrawFocusCue(&memDC, rc);
        else if (!m_rcText.IsRectEmpty())
            DrawDottedRect(&memDC, &m_rcText, TRUE, GetColor(-2));
    }
    ::BitBlt(hdcTarget, 0, 0, rc.Width(), rc.Height(), memDC, 0, 0, SRCCOPY);
}

void CVellBitmapButton::DrawFocusCue(CDC* pDC, const CRect& rc)
{
    const int m = rc.Width() < rc.Height() ? rc.Width() : rc.Height();
    const int d = m < 21 ? m / 5 : 4;
    CRect rcCue = rc;
    rcCue.DeflateRect(d, d);
    DrawDottedRect(pDC, &rcCue, FALSE, GetColor(-2));
}

void CVellBitmapButton::PaintButton(CDC* pDC, const CRect& rc)
{
    const CString strText = GetTextRef();
    CRect w = rc;
    if (m_bUseDrawFrame) {
        DrawFramedButton(pDC, rc);
    } else {
        const UINT nShown = GetPictureForKind(m_nShownKind);
        SIZE size{};
        if (HasControlBitmap(nShown) && GetControlBitmapSize(nShown, &size)) {
            w.SetRect(rc.left, rc.top, rc.left + size.cx, rc.top + size.cy);
            if (IsCheckBoxStyle(m_nButtonStyle) && !strText.IsEmpty()) {
                w.OffsetRect(PictureOrigin());
                pDC->FillSolidRect(&rc, GetColor(-1));
            }
            DrawPicture(pDC, w);
        }
    }
    if (IsPressed() && !IsCheckBoxStyle(m_nButtonStyle))
        w.OffsetRect(1, 1);

    LOGFONTW lf{};
    CVellControl::GetFont(&lf);
    CFont font;
    font.CreateFontIndirect(&lf);
    CSaveDCGuard saved(*pDC);
    CVellSelection selFont(*pDC, font.GetSafeHandle());
    pDC->SetTextColor(GetColor(-2));
    pDC->SetBkMode(TRANSPARENT);

    int nHorzAlign = 1;
    if (IsCheckBoxStyle(m_nButtonStyle) && !m_bUseDrawFrame) {
        SIZE extent{};
        ::GetTextExtentPoint32W(*pDC, strText, strText.GetLength(), &extent);
        CRect rcText(w.right + m_nShiftText, w.top, w.right + m_nShiftText + extent.cx, w.bottom);
        const int d = extent.cy - w.Height();
        const int h = d > 0 ? (d + 1) / 2 : d / 2;
        if (h > 0) {
            rcText.top -= h;
            rcText.bottom += h;
        }
        m_rcText = rcText;
        w = rcText;
        nHorzAlign = 0;
    } else {
        m_rcText.SetRectEmpty();
    }

    const BOOL bEnabled = GetEnabled();
    COLORREF clrDisabled = 0;
    if (!bEnabled)
        clrDisabled = m_nButtonStyle == StyleCheck && m_nCheck == 1 ? GetColor(1) : GetColor(-1);
    if (!IsCheckBoxStyle(m_nButtonStyle)) {
        const int nGrow = bEnabled ? 1 : 2;  // room for the embossed disabled caption
        w.right += nGrow;
        w.bottom += nGrow;
    }
    DrawControlText(strText, pDC, w, nHorzAlign, 1, GetSingleLine(), FALSE, bEnabled, clrDisabled);
}

void CVellBitmapButton::DrawPicture(CDC* pDC, const CRect& rcPicture)
{
    const BOOL bCheckStyle = IsCheckStyle();
    UINT nId;
    if (GetEnabled()) {
        const BOOL bPressed = IsPressed();
        int nKind;
        if (bCheckStyle && m_nCheck == 1) {
            nId = bPressed && m_nPictureDownAndSelected ? m_nPictureDownAndSelected : m_nPictureSelected;
            nKind = KindSelected;
        } else if (bPressed) {
            if (!bCheckStyle || m_nPictureDown) {
                nId = m_nPictureDown;
                nKind = KindDown;
            } else {
                nId = m_nPictureSelected;
                nKind = KindSelected;
            }
        } else if (m_nPictureRollover && m_bHover) {
            nId = m_nPictureRollover;
            nKind = KindUp;
        } else if (bCheckStyle && m_nCheck == 2 && m_nPictureIntermediate) {
            nId = m_nPictureIntermediate;
            nKind = KindIntermediate;
        } else {
            nId = m_nPictureUp;
            nKind = KindUp;
        }
        m_nShownKind = nKind;
    } else {
        nId = bCheckStyle && m_nCheck == 1 ? m_nPictureDisabledAndSelected : m_nPictureDisabled;
    }
    if (!m_bUseAllButtonRegions)
        m_nShownKind = KindUp;

    const CBitmap* pBitmap = GetControlBitmap(nId);
    if (!pBitmap || !pBitmap->GetSafeHandle())
        return;
    const COLORREF clrKey = GetKeyingColor();
    const COLORREF clrBack = GetColor(-1);
    DrawBitmapTransparent(*pDC, rcPicture.left, rcPicture.top, rcPicture.Width(), rcPicture.Height(), *pBitmap, 0, 0,
                          &clrKey, &clrBack, nullptr, nullptr, FALSE);
}

void CVellBitmapButton::DrawFramedButton(CDC* pDC, const CRect& rc)
{
    const BOOL bPressed = IsPressed();
    const BOOL bCheckStyle = IsCheckStyle();
    int o = 0;
    COLORREF c = GetColor(-1);
    CVellDrawFrame* pFrame = nullptr;
    if (bCheckStyle && (m_nCheck == 1 || bPressed)) {
        o = 1;
        c = GetColor(1);
        pFrame = &m_frameChecked;
    } else if (bPressed) {
        o = 1;
        pFrame = &m_framePressed;
    } else if (!HasRollover() || !m_bHover) {
        pFrame = &m_frameNormal;
    }
    const BOOL bDisabled = !GetEnabled();
    const COLORREF clrLight = AdjustColor(kAdjustLighten, c);
    const COLORREF clrDark = AdjustColor(kAdjustDarken, c);
    if (bDisabled)
        pFrame = bCheckStyle && m_nCheck == 1 ? &m_frameDisabledChecked : &m_frameDisabled;
    if (pFrame)
        pFrame->Paint(*pDC);

    if (!HasControlBitmap(m_nPictureFrame))
        return;
    const CBitmap* pBitmap = GetControlBitmap(m_nPictureFrame);
    if (!pBitmap || !pBitmap->GetSafeHandle())
        return;
    const CRect p = CenterBitmapRect(*pBitmap, &rc);
    const COLORREF clrKey = GetKeyingColor();
    DrawBitmapTransparent(*pDC, p.left + o, p.top + o, p.Width(), p.Height(), *pBitmap, rc.left, rc.top, &clrKey, &c,
                          bDisabled ? &clrLight : nullptr, bDisabled ? &clrDark : nullptr, FALSE);
}

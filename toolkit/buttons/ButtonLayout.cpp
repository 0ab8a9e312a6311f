// The bitmap button's size, frames, picture regions and hit testing.
#include "toolkit/buttons/VellBitmapButton.h"

void CVellBitmapButton::UpdateLayout()
{
    if (!WindowExists() || m_nRedrawLock > 0)
        return;
    ++m_nRedrawLock;
    constexpr UINT kResize = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
    if (m_bUseDrawFrame) {
        SetWindowPos(nullptr, 0, 0, m_rcCreate.Width(), m_rcCreate.Height(), kResize);
        // The frames follow the size the window has now, not the one it had before.
        CRect rc;
        CVellControl::GetClientRect(&rc);
        SetupFrames(rc);
    } else if (!IsCheckBoxStyle(m_nButtonStyle)) {
        SIZE size{};
        if (HasControlBitmap(m_nPictureUp) && GetControlBitmapSize(m_nPictureUp, &size))
            SetWindowPos(nullptr, 0, 0, size.cx, size.cy, kResize);
    } else {
        SetWindowPos(nullptr, 0, 0, m_rcCreate.Width(), m_rcCreate.Height(), kResize);
    }
    ApplyKeyingColor();
    BuildRegions();
    --m_nRedrawLock;
}

void CVellBitmapButton::SetupFrames(const CRect& rc)
{
    const COLORREF clrBack = GetColor(-1);
    const COLORREF clrChecked = GetColor(1);
    const COLORREF clrOutline = GetColor(0);
    m_frameNormal.Setup(clrBack, rc, clrOutline, TRUE, CVellDrawFrame::Raised, TRUE);
    m_frameChecked.Setup(clrChecked, rc, clrOutline, TRUE, CVellDrawFrame::Sunken, TRUE);
    m_frameDisabled.Setup(clrBack, rc, clrOutline, TRUE, 2, TRUE);
    m_frameDisabledChecked.Setup(clrChecked, rc, clrOutline, TRUE, 2, TRUE);
    m_framePressed.Setup(clrBack, rc, RGB(0, 0, 0), TRUE, CVellDrawFrame::DarkLine, TRUE);
}

void CVellBitmapButton::ApplyKeyingColor()
{
    const COLORREF clrKey = GetKeyingColor();
    for (UINT nId : {m_nPictureUp, m_nPictureDown, m_nPictureSelected, m_nPictureDownAndSelected,
                     m_nPictureIntermediate})
        SetBitmapKeyingColor(nId, clrKey);
}

void CVellBitmapButton::BuildRegions()
{
    if (m_bUseDrawFrame)
        return;
    BuildBitmapRegion(m_nPictureUp, FALSE);
    if (!m_bUseAllButtonRegions)
        return;
    for (UINT nId : {m_nPictureDown, m_nPictureSelected, m_nPictureDownAndSelected, m_nPictureIntermediate})
        BuildBitmapRegion(nId, FALSE);
}

CPoint CVellBitmapButton::PictureOrigin()
{
    if (!m_bUseDrawFrame && IsCheckBoxStyle(m_nButtonStyle) && !GetTextRef().IsEmpty())
        return CPoint(0, 2);
    return CPoint(0, 0);
}

BOOL CVellBitmapButton::HitTestButton(POINT point)
{
    if (m_bUseDrawFrame) {
        CRect rc;
        CVellControl::GetClientRect(&rc);
        return rc.PtInRect(point);
    }
    CRect rcText = m_rcText;
    if (!rcText.IsRectEmpty())
        rcText.left -= m_nShiftText;
    // The region is in the picture's own coordinates; the picture may sit below the client's top.
    const CPoint origin = PictureOrigin();
    POINT ptPicture{point.x - origin.x, point.y - origin.y};
    if (BitmapHitTest(GetPictureForKind(m_nShownKind), &ptPicture))
        return TRUE;
    return rcText.PtInRect(point);
}

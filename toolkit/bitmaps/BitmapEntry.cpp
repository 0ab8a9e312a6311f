#include "toolkit/bitmaps/BitmapEntry.h"

#include "toolkit/bitmaps/BitmapRuns.h"

CVellBitmapEntry::~CVellBitmapEntry()
{
    ResetBitmaps();
    if (m_hRgn)
        ::DeleteObject(m_hRgn);
}

void CVellBitmapEntry::SetBitmaps(CBitmap* pBitmap, CBitmap* pSecond, BOOL bOwns)
{
    HBITMAP hBitmap = pBitmap ? static_cast<HBITMAP>(*pBitmap) : nullptr;
    HBITMAP hSecond = pSecond ? static_cast<HBITMAP>(*pSecond) : nullptr;
    // Handing the entry its own bitmap again (say through GetBitmap) must not delete it on the way.
    if (m_bOwnsBitmaps) {
        if (m_hBitmap == hBitmap || m_hBitmap == hSecond)
            m_hBitmap = nullptr;
        if (m_hSecond == hBitmap || m_hSecond == hSecond)
            m_hSecond = nullptr;
    }
    ResetBitmaps();
    m_bOwnsBitmaps = bOwns;
    m_hBitmap = hBitmap;
    m_hSecond = hSecond;
    if (bOwns) {
        if (pBitmap)
            pBitmap->Detach();
        if (pSecond)
            pSecond->Detach();
    }
}

void CVellBitmapEntry::ResetBitmaps()
{
    if (m_bOwnsBitmaps) {
        if (m_hBitmap)
            ::DeleteObject(m_hBitmap);
        if (m_hSecond && m_hSecond != m_hBitmap)
            ::DeleteObject(m_hSecond);
    }
    m_hBitmap = nullptr;
    m_hSecond = nullptr;
    m_bDirty = TRUE;
}

COLORREF CVellBitmapEntry::SetKeyingColor(COLORREF clrKeying)
{
    if (clrKeying != m_clrKeying) {
        m_clrKeying = clrKeying;
        m_bDirty = TRUE;
    }
    return m_clrKeying;
}

CBitmap* CVellBitmapEntry::GetBitmap() const
{
    return m_hBitmap ? CBitmap::FromHandle(m_hBitmap) : nullptr;
}

BOOL CVellBitmapEntry::GetBitmapSize(SIZE* pSize) const
{
    BITMAP bm{};
    if (!m_hBitmap || !pSize || ::GetObjectW(m_hBitmap, sizeof(bm), &bm) != sizeof(bm))
        return FALSE;
    pSize->cx = bm.bmWidth;
    pSize->cy = bm.bmHeight;
    return TRUE;
}

BOOL CVellBitmapEntry::HitTestRegion(const POINT* pPoint) const
{
    if (!m_hRgn || !pPoint)
        return FALSE;
    return ::PtInRegion(m_hRgn, pPoint->x, pPoint->y);
}

int CVellBitmapEntry::CopyRegion(CRgn* pRgn) const
{
    if (!pRgn)
        return ERROR;
    if (!pRgn->GetSafeHandle() && !pRgn->CreateRectRgn(0, 0, 0, 0))
        return ERROR;
    return ::CombineRgn(*pRgn, m_hRgn, nullptr, RGN_COPY);
}

int CVellBitmapEntry::BuildRegion(BOOL bForce)
{
    if (!m_hRgn && !(m_hRgn = ::CreateRectRgn(0, 0, 50, 50)))
        return ERROR;
    RECT box;
    if ((!m_bDirty && !bForce) || !m_hBitmap)
        return ::GetRgnBox(m_hRgn, &box);

    CRgn visible;
    if (!CollectVisibleRuns(m_hBitmap, m_clrKeying, visible))
        return ERROR;  // still out of date: the next call tries again
    m_bDirty = FALSE;
    if (!visible.GetSafeHandle())
        return ERROR;  // nothing visible: the previous region stays
    return ::CombineRgn(m_hRgn, visible, nullptr, RGN_COPY);
}

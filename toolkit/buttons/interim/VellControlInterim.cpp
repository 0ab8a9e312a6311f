// STAND-IN, to be deleted with VellControlInterim.h.
#include "toolkit/buttons/interim/VellControlInterim.h"

#include "toolkit/controls/ColorAdjust.h"
#include "toolkit/controls/ToolkitFont.h"

BOOL PX_Bool(CPropExchange* pPX, const wchar_t* pszName, BOOL& bValue, BOOL bDefault)
{
    long n = bValue;
    const BOOL bOk = pPX->ExchangeLong(pszName, n, bDefault);
    bValue = n != 0;
    return bOk;
}

BOOL PX_Long(CPropExchange* pPX, const wchar_t* pszName, long& nValue, long nDefault)
{
    return pPX->ExchangeLong(pszName, nValue, nDefault);
}

CVellControl::CVellControl(CWnd* pOwner) : m_pOwner(pOwner)
{
    m_ambientFont = MakeLogFont(-12, 400);
}

CVellControl::~CVellControl() = default;

LOGFONTW* CVellControl::GetFont(LOGFONTW* pLogFont)
{
    *pLogFont = m_bUseAmbientFont ? m_ambientFont : m_logFont;
    return pLogFont;
}

void CVellControl::SetFontSize(int nHeight, int nWeight)
{
    m_logFont = MakeLogFont(nHeight < 0 ? -8 : nHeight, nWeight);
    Redraw();
}

BOOL CVellControl::UpdateFocusCue(int nItemAction, BOOL bMouseDown)
{
    if (nItemAction == ODA_FOCUS || nItemAction == ODA_SELECT) {
        if (m_nUseFocus == 0)
            m_bShowFocus = FALSE;
        else if (m_nUseFocus == 1)
            m_bShowFocus = nItemAction == ODA_FOCUS && !bMouseDown;
        else if (m_nUseFocus == 2)
            m_bShowFocus = TRUE;
    }
    return m_bShowFocus && HasFocus();
}

BOOL CVellControl::HasFocus()
{
    if (!WindowExists())
        return FALSE;
    HWND hFocus = ::GetFocus();
    return hFocus && (hFocus == OwnerHwnd() || ::IsChild(OwnerHwnd(), hFocus));
}

BOOL CVellControl::SetStyles(DWORD* pStyle, DWORD* pExStyle)
{
    const int nId = ::GetDlgCtrlID(OwnerHwnd());
    CWnd::ModifyStyle(OwnerHwnd(), 0xFFFFFFFF, *pStyle, 0);
    ::SetWindowLongPtrW(OwnerHwnd(), GWL_EXSTYLE, static_cast<LONG>(*pExStyle));
    ::SetWindowLongPtrW(OwnerHwnd(), GWLP_ID, nId);
    return TRUE;
}

void CVellControl::ExchangeProperties(CPropExchange*)
{
}

void CVellControl::Redraw()
{
    if (++m_nRedrawLock == 1 && WindowExists() && m_bRedrawControl)
        ::InvalidateRect(OwnerHwnd(), nullptr, TRUE);
    --m_nRedrawLock;
}

BOOL CVellControl::AttachDlgItemOfClass(UINT nID, CWnd* pParent, const wchar_t*)
{
    if (pParent && m_pOwner)
        m_pOwner->SubclassWindow(::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID)));
    return TRUE;
}

COLORREF CVellControl::GetColor(int nIndex)
{
    if (nIndex == -1)
        return m_bUseAmbientBackColor ? m_clrAmbientBack : m_clrBack;
    if (nIndex == -2)
        return m_bUseAmbientForeColor ? m_clrAmbientFore : m_clrFore;
    return nIndex >= 0 && static_cast<size_t>(nIndex) < m_colorTable.size() ? m_colorTable[nIndex] : 0;
}

BOOL CVellControl::OnWndMsg(UINT, WPARAM, LPARAM, LRESULT*)
{
    return FALSE;
}

BOOL CVellControl::SetControlBitmap(UINT nId)
{
    return CVellBitmapAllocator::GetInstance().SetControlBitmap(static_cast<int>(nId), CanLoadBitmaps(), nullptr);
}
CBitmap* CVellControl::GetControlBitmap(UINT nId)
{
    return CVellBitmapAllocator::GetInstance().GetControlBitmap(static_cast<int>(nId));
}
BOOL CVellControl::GetControlBitmapSize(UINT nId, SIZE* pSize)
{
    return CVellBitmapAllocator::GetInstance().GetControlBitmapSize(static_cast<int>(nId), pSize);
}
COLORREF CVellControl::SetBitmapKeyingColor(UINT nId, COLORREF clr)
{
    return CVellBitmapAllocator::GetInstance().SetBitmapKeyingColor(static_cast<int>(nId), clr);
}
BOOL CVellControl::HasControlBitmap(UINT nId)
{
    return CVellBitmapAllocator::GetInstance().HasControlBitmap(static_cast<int>(nId));
}
BOOL CVellControl::BitmapHitTest(UINT nId, POINT* pPoint)
{
    return CVellBitmapAllocator::GetInstance().BitmapHitTest(static_cast<int>(nId), pPoint);
}
int CVellControl::BuildBitmapRegion(UINT nId, BOOL bForce)
{
    return CVellBitmapAllocator::GetInstance().BuildBitmapRegion(static_cast<int>(nId), bForce);
}

BOOL DrawControlText(const CString& strText, CDC* pDC, RECT rect, int nHorzAlign, int, BOOL, BOOL, BOOL bEnabled,
                     COLORREF clrDisabled)
{
    const UINT nFlags = DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER |
                        (nHorzAlign == 0 ? DT_LEFT : nHorzAlign == 1 ? DT_CENTER : DT_RIGHT);
    if (bEnabled) {
        pDC->DrawText(strText, strText.GetLength(), &rect, nFlags);
        return FALSE;
    }
    pDC->SetTextColor(AdjustColor(kAdjustLighten, clrDisabled));
    pDC->DrawText(strText, strText.GetLength(), &rect, nFlags);
    pDC->SetTextColor(AdjustColor(kAdjustDarken, clrDisabled));
    ::OffsetRect(&rect, -1, -1);
    pDC->DrawText(strText, strText.GetLength(), &rect, nFlags);
    return FALSE;
}

namespace {
int DottedLine(CDC* pDC, int nFrom, int nTo, int nFixed, BOOL bHorizontal, COLORREF clr)
{
    int p = nFrom, s;
    auto set = [&](int v) { bHorizontal ? pDC->SetPixel(v, nFixed, clr) : pDC->SetPixel(nFixed, v, clr); };
    if (nFrom < nTo) {
        for (; p <= nTo; p += 2)
            set(p);
        s = -1;
    } else {
        do {
            set(p);
            p -= 2;
        } while (p >= nTo);
        s = 1;
    }
    return p == nTo ? 2 : p + s == nTo ? 1 : 0;
}
}  // namespace

void DrawDottedRect(CDC* pDC, const RECT* pRect, BOOL bDotFirstPixel, COLORREF clr)
{
    const int l = pRect->left, t = pRect->top, r = pRect->right - 1, b = pRect->bottom - 1;
    const int r1 = DottedLine(pDC, bDotFirstPixel ? l : l + 1, r, t, TRUE, clr);
    const int r2 = DottedLine(pDC, t + r1, b, r, FALSE, clr);
    const int r3 = DottedLine(pDC, r - r2, l, b, TRUE, clr);
    DottedLine(pDC, b - r3, t, l, FALSE, clr);
}

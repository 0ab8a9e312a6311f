#include "toolkit/dialogs/VellStaticBitmap.h"

#include "toolkit/bitmaps/TransparentBlit.h"
#include "toolkit/controls/FontAllocator.h"

IMPLEMENT_DYNAMIC(CVellStaticBitmap, CStatic)

BEGIN_MESSAGE_MAP(CVellStaticBitmap, CStatic)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_WM_TIMER()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

BOOL CVellStaticBitmap::SetBitmap(UINT nMainId, UINT nAltId)
{
    BOOL bAttached = m_bmpMain.GetSafeHandle() != nullptr;
    const HBITMAP hOldAlt = m_bmpAlt;
    if (nMainId != 0) {
        CBitmap old;
        old.Attach(m_bmpMain.Detach());
        HBITMAP hNew = ::LoadBitmapW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nMainId));
        bAttached = hNew && m_bmpMain.Attach(hNew);
        if (hNew && !bAttached)
            ::DeleteObject(hNew);
        BITMAP bm{};
        if (bAttached && m_bmpMain.GetBitmap(&bm) && m_hWnd)
            SetWindowPos(nullptr, 0, 0, bm.bmWidth, bm.bmHeight, SWP_NOMOVE | SWP_NOZORDER);
        m_hShown = m_bmpMain;
        m_nBitmapId = nMainId;
        // the old picture goes with `old`, now that nothing shows it any more
    }
    m_bmpAlt.DeleteObject();
    if (nAltId != 0)
        m_bmpAlt.Attach(::LoadBitmapW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nAltId)));
    if (m_hShown && m_hShown == hOldAlt)
        m_hShown = m_bmpMain;  // the alternate picture that was shown is gone
    if (m_hWnd)
        CStatic::SetBitmap(m_bmpMain);
    return bAttached;
}

void CVellStaticBitmap::PaintPicture(HDC hDC)
{
    CRect rc;
    GetClientRect(&rc);
    if (m_hShown) {
        const COLORREF* pBack = m_clrBack != m_clrTransparent ? &m_clrBack : nullptr;
        DrawBitmapTransparent(hDC, 0, 0, rc.Width(), rc.Height(), m_hShown, 0, 0, &m_clrTransparent, pBack, nullptr,
                              nullptr, FALSE);
    } else {
        CBrush back(m_clrBack);
        ::FillRect(hDC, &rc, back);
    }
}

void CVellStaticBitmap::Paint(HDC hDC)
{
    PaintPicture(hDC);
}

void CVellStaticBitmap::OnPaint()
{
    CPaintDC dc(this);
    Paint(dc);
}

LRESULT CVellStaticBitmap::OnPrintClient(WPARAM wParam, LPARAM)
{
    if (HDC hDC = reinterpret_cast<HDC>(wParam))
        Paint(hDC);
    return 0;
}

void CVellStaticBitmap::PreSubclassWindow()
{
    CStatic::PreSubclassWindow();
    ModifyStyle(0, kPictureStyleBits);
}

int CVellStaticBitmap::OnCreate(LPCREATESTRUCTW pCreateStruct)
{
    m_clrBack = kCreatedBackColor;
    // The window has the bits from PreSubclassWindow already; the default handling sees them here too.
    pCreateStruct->style |= static_cast<LONG>(kPictureStyleBits);
    if (CStatic::OnCreate(pCreateStruct) == -1)
        return -1;
    if (!m_toolTip.Create(this))
        return -1;
    m_toolTip.Activate(FALSE);
    m_toolTip.SetTipBkColor(kTipBackColor);
    m_toolTip.SetTipTextColor(kTipTextColor);
    m_toolTip.SetFont(CVellFontAllocator::GetDefaultFontObject(), TRUE);
    return 0;
}

void CVellStaticBitmap::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != m_nTimerId || m_nTimerId == 0) {
        CStatic::OnTimer(nIDEvent);
        return;
    }
    // Without an alternate picture the main one stays.
    const HBITMAP hMain = m_bmpMain;
    const HBITMAP hAlt = m_bmpAlt;
    m_hShown = (m_hShown == hMain && hAlt) ? hAlt : hMain;
    Invalidate();
}

BOOL CVellStaticBitmap::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MBUTTONUP && pMsg->message != WM_LBUTTONDBLCLK &&
        pMsg->message != WM_RBUTTONDBLCLK && m_toolTip.m_hWnd)
        m_toolTip.RelayEvent(pMsg);
    return CStatic::PreTranslateMessage(pMsg);
}

void CVellStaticBitmap::NotifyParent(int nCode)
{
    NMHDR header{};
    header.hwndFrom = m_hWnd;
    header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    header.code = static_cast<UINT>(nCode);
    ::SendMessageW(::GetParent(m_hWnd), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

void CVellStaticBitmap::OnLButtonDown(UINT, CPoint)
{
    SetCapture();
}

void CVellStaticBitmap::OnLButtonUp(UINT, CPoint point)
{
    if (::GetCapture() != m_hWnd)
        return;
    ::ReleaseCapture();
    CRect rc;
    GetClientRect(&rc);
    if (rc.PtInRect(point))
        NotifyParent(NM_CLICK);
}

void CVellStaticBitmap::OnLButtonDblClk(UINT, CPoint point)
{
    CRect rc;
    GetClientRect(&rc);
    if (rc.PtInRect(point))
        NotifyParent(NM_DBLCLK);
}

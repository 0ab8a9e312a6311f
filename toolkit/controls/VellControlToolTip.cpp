// The control property interface: the tool tip with its mouse relay, and the bitmaps of the shared
// store.
#include "toolkit/controls/VellControl.h"

#include "platform/mfc/OleAutomation.h"
#include "toolkit/controls/BitmapAllocator.h"

BSTR CVellControl::GetToolTip()
{
    return AfxSysAllocStringLen(m_strToolTip.GetString(), static_cast<UINT>(m_strToolTip.GetLength()));
}

void CVellControl::SetToolTip(const wchar_t* pszText)
{
    m_strToolTip = pszText ? pszText : L"";
    ApplyToolTip();
}

void CVellControl::ApplyToolTip()
{
    if (!m_toolTip.m_hWnd)
        return;
    if (m_strToolTip.IsEmpty()) {
        if (WindowExists())
            m_toolTip.DelTool(m_pOwner, 0);
        m_toolTip.Activate(FALSE);
        return;
    }
    // Without a window there is nothing to register yet: OnOwnerWindowBound does it later.
    if (!WindowExists())
        return;
    if (m_toolTip.HasTool(m_pOwner, 0))
        m_toolTip.UpdateTipText(m_strToolTip, m_pOwner, 0);
    else
        m_toolTip.AddTool(m_pOwner, m_strToolTip, nullptr, 0);
    m_toolTip.Activate(TRUE);
}

void CVellControl::OnOwnerWindowBound()
{
    if (!m_strToolTip.IsEmpty())
        ApplyToolTip();
}

void CVellControl::OnOwnerWindowDestroying()
{
    if (m_toolTip.m_hWnd && OwnerHwnd())
        m_toolTip.DelTool(m_pOwner, 0);
}

BOOL CVellControl::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT*)
{
    switch (message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        if (m_toolTip.m_hWnd) {
            MSG msg{};
            msg.hwnd = OwnerHwnd();
            msg.message = message;
            msg.wParam = wParam;
            msg.lParam = lParam;
            msg.time = static_cast<DWORD>(::GetMessageTime());
            const DWORD dwPos = ::GetMessagePos();
            msg.pt = {static_cast<short>(LOWORD(dwPos)), static_cast<short>(HIWORD(dwPos))};
            m_toolTip.RelayEvent(&msg);
        }
        break;
    default: break;
    }
    return FALSE;
}

BOOL CVellControl::SetControlBitmap(UINT nId)
{
    return CVellBitmapAllocator::GetInstance().SetControlBitmap(static_cast<int>(nId), CanLoadBitmaps(),
                                                                 m_pHostWindow);
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

int CVellControl::CopyBitmapRegion(UINT nId, CRgn* pRgn)
{
    return CVellBitmapAllocator::GetInstance().CopyBitmapRegion(static_cast<int>(nId), pRgn);
}

// The control property interface: its window in a dialog (taking over or replacing a dialog item,
// z-order, styles, placement) and the fitting of its text to its width.
#include "toolkit/controls/VellControl.h"

#include "platform/mfc/OleAutomation.h"

#include <cwchar>

namespace {

constexpr UINT kZOrderOnly = SWP_NOMOVE | SWP_NOSIZE;

}  // namespace

BOOL CVellControl::CheckDlgItemClass(UINT nID, CWnd* pParent, const wchar_t* pszClassName)
{
    if (!pParent || !pszClassName)
        return FALSE;
    HWND hItem = ::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID));
    if (!hItem)
        return FALSE;
    wchar_t szClass[40] = {};
    if (!::GetClassNameW(hItem, szClass, 40))
        return FALSE;
    return std::wcscmp(szClass, pszClassName) == 0;
}

void CVellControl::MoveTo(const RECT* pRect)
{
    if (pRect && WindowExists())
        m_pOwner->MoveWindow(pRect->left, pRect->top, pRect->right - pRect->left, pRect->bottom - pRect->top, TRUE);
}

void CVellControl::GetClientRect(RECT* pRect)
{
    if (!pRect)
        return;
    if (!WindowExists() || !::GetClientRect(OwnerHwnd(), pRect))
        ::SetRectEmpty(pRect);
}

void CVellControl::GetWindowRect(RECT* pRect)
{
    if (!pRect)
        return;
    if (!WindowExists() || !::GetWindowRect(OwnerHwnd(), pRect))
        ::SetRectEmpty(pRect);
}

void CVellControl::Show(int nCmdShow)
{
    if (WindowExists())
        m_pOwner->ShowWindow(nCmdShow);
}

int CVellControl::SplitTextToFit(CString& strFull, CString& strFitted, int nMargin)
{
    strFull.Empty();
    strFitted.Empty();
    if (!WindowExists())
        return -1;
    const CBstr text(GetText());
    const int nLength = static_cast<int>(text.Length());
    CRect rcClient;
    GetClientRect(&rcClient);
    LOGFONTW lf{};
    GetFont(&lf);
    CFont font;
    font.CreateFontIndirect(&lf);
    CClientDC dc(m_pOwner);
    CSelectGuard selectFont(dc, font.GetSafeHandle());  // nothing is selected when the font failed

    const int nAvailable = rcClient.right - 2 * nMargin - rcClient.left;
    SIZE size{};
    ::GetTextExtentPoint32W(dc, text.c_str(), nLength, &size);
    if (size.cx <= nAvailable)
        return -1;
    strFull = CString(text.c_str(), nLength);
    for (int n = nLength; n >= 1; --n) {
        ::GetTextExtentPoint32W(dc, text.c_str(), n, &size);
        if (size.cx < nAvailable) {
            strFitted = strFull.Left(n);
            break;
        }
    }
    return m_pOwner->GetDlgCtrlID();
}

BOOL CVellControl::AttachDlgItemOfClass(UINT nID, CWnd* pParent, const wchar_t* pszClassName)
{
    if (!m_pOwner || !pParent || !CheckDlgItemClass(nID, pParent, pszClassName))
        return FALSE;
    // Subclassing runs the owner's PreSubclassWindow, which sets the control's styles: only for an item
    // that really is taken over.
    return m_pOwner->SubclassWindow(::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID)));
}

BOOL CVellControl::ReplaceDlgItem(UINT nID, CWnd* pParent, const wchar_t* pszClassName)
{
    if (!m_pOwner || !pParent || !CheckDlgItemClass(nID, pParent, pszClassName))
        return FALSE;
    CWnd* pItem = pParent->GetDlgItem(static_cast<int>(nID));
    CRect rc;
    pItem->GetWindowRect(&rc);
    pParent->ScreenToClient(&rc);
    if (!Create(nID, &rc, pParent))
        return FALSE;  // the placeholder stays where it is
    // The control goes right after the placeholder and so takes its place in the tab order once the
    // placeholder is gone, wherever it stood (also first).
    SetZOrder(pItem, nullptr);
    MoveTo(&rc);
    SetEnabled(pItem->IsWindowEnabled());
    return pItem->DestroyWindow();
}

BOOL CVellControl::SetZOrder(CWnd* pAfter, CWnd* pBefore)
{
    if (!WindowExists())
        return FALSE;
    BOOL bResult = TRUE;
    if (pAfter)
        bResult = m_pOwner->SetWindowPos(pAfter, 0, 0, 0, 0, kZOrderOnly);
    if (pBefore)
        return pBefore->SetWindowPos(m_pOwner, 0, 0, 0, 0, kZOrderOnly);
    return bResult;
}

BOOL CVellControl::SetStyles(DWORD* pStyle, DWORD* pExStyle)
{
    if (!WindowExists())
        return FALSE;
    const int nID = m_pOwner->GetDlgCtrlID();
    if (pStyle)
        m_pOwner->ModifyStyle(~DWORD(0), *pStyle, 0);
    if (pExStyle)
        m_pOwner->ModifyStyleEx(~DWORD(0), *pExStyle, 0);
    m_pOwner->SetDlgCtrlID(nID);
    return TRUE;
}

BOOL CVellControl::AdjustHostStyles(DWORD*, DWORD*)
{
    return FALSE;
}

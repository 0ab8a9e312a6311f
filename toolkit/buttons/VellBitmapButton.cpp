// The bitmap button's creation, properties and message routing.
#include "toolkit/buttons/VellBitmapButton.h"

IMPLEMENT_DYNAMIC(CVellBitmapButton, CButton)

BEGIN_MESSAGE_MAP(CVellBitmapButton, CButton)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_KEYDOWN()
    ON_MESSAGE(WM_KEYUP, OnKeyUp)
    ON_WM_KILLFOCUS()
    ON_MESSAGE(WM_CAPTURECHANGED, OnCaptureChanged)
    ON_WM_SETFOCUS()
    ON_MESSAGE(WM_ENABLE, OnEnable)
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_MESSAGE(BM_SETCHECK, OnSetCheckMessage)
    ON_MESSAGE(BM_GETCHECK, OnGetCheckMessage)
END_MESSAGE_MAP()

namespace {

constexpr DWORD kCreateStyle = WS_CHILD | WS_VISIBLE | BS_OWNERDRAW;
constexpr DWORD kAttachStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;

// A stored picture id names a bitmap resource, whose ids are 16 bits: anything else is no picture
// (a wider value would otherwise be cut to some unrelated resource).
UINT PictureIdOrNone(UINT nId)
{
    return nId <= 0xFFFF ? nId : 0;
}

UINT PictureIdOrNone(LONG nId)
{
    return nId >= 1 && nId <= 0xFFFF ? static_cast<UINT>(nId) : 0;
}

}  // namespace

CVellBitmapButton::CVellBitmapButton(CWnd* pOwner) : CVellControlWnd<CButton>(pOwner)
{
    // Every default picture gets its entry in the shared store (id 0 too), so the store's questions
    // about any of them have an answer from the start.
    for (UINT nId : {kDefaultPictureDisabled, m_nPictureDisabledAndSelected, m_nPictureDown, m_nPictureSelected,
                     m_nPictureUp, m_nPictureFrame, m_nPictureRollover, m_nPictureDownAndSelected,
                     m_nPictureIntermediate})
        SetControlBitmap(nId);
    SetAmbientBackColor(RGB(120, 139, 169));
    SetAmbientForeColor(RGB(0, 0, 0));
    SetUseFocus(0);
    SetColorTable({RGB(21, 59, 99), RGB(146, 160, 185), RGB(155, 158, 165), RGB(0, 0, 0), RGB(80, 101, 138)});
    m_rcText.SetRectEmpty();
}

CVellBitmapButton::~CVellBitmapButton()
{
    // The window goes while the object is still whole, so no late message meets a half-destroyed one.
    if (m_hWnd && CWnd::FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
}

BOOL CVellBitmapButton::Create(UINT nID, const RECT* pRect, CWnd* pParent)
{
    const RECT rc = pRect ? *pRect : RECT{};
    return Create(L"VellBitmapButton", kCreateStyle, rc, pParent, nID);
}

BOOL CVellBitmapButton::Create(const wchar_t* pszCaption, DWORD, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return Create(L"BUTTON", pszCaption, kCreateStyle, rect, pParentWnd, nID);
}

BOOL CVellBitmapButton::Create(const wchar_t*, const wchar_t* pszWindowName, DWORD, const RECT& rect,
                               CWnd* pParentWnd, UINT nID)
{
    m_bCreated = TRUE;
    m_rcCreate = rect;
    if (!CWnd::Create(L"BUTTON", pszWindowName, kCreateStyle, rect, pParentWnd, nID))
        return FALSE;
    // The layout that ran while the window was being made saw an empty client area, and creation
    // then gave the window the size asked for: lay it out again now that it has its real size.
    UpdateLayout();
    return TRUE;
}

BOOL CVellBitmapButton::AttachDlgItem(UINT nID, CWnd* pParent)
{
    const BOOL bResult = AttachDlgItemOfClass(nID, pParent, L"Button");
    if (!m_hWnd)
        return bResult;
    // The button type is a 4-bit number, not a set of flags: it is replaced, so that a three-state
    // box, radio button or group box becomes owner-drawn as well.
    DWORD dwStyle = (GetStyle() & ~static_cast<DWORD>(BS_TYPEMASK)) | kAttachStyle;
    DWORD dwExStyle = GetExStyle();
    SetStyles(&dwStyle, &dwExStyle);
    return bResult;
}

void CVellBitmapButton::PreSubclassWindow()
{
    if (!m_bCreated) {
        RECT rc{};
        ::GetClientRect(m_hWnd, &rc);
        m_rcCreate = rc;
    }
    UpdateLayout();
    CVellControlWnd<CButton>::PreSubclassWindow();
}

void CVellBitmapButton::SetKeyingColor(COLORREF clr)
{
    CVellControl::SetKeyingColor(clr);
    ApplyKeyingColor();
    BuildRegions();
}

void CVellBitmapButton::ExchangeProperties(CPropExchange* pPX)
{
    CVellControl::ExchangeProperties(pPX);

    BOOL b = m_bUseAllButtonRegions;
    PX_Bool(pPX, L"UseAllButtonRegions", b, b);
    SetUseAllButtonRegions(b);
    b = m_bUseDrawFrame;
    PX_Bool(pPX, L"UseDrawFrame", b, b);
    SetUseDrawFrame(b);
    LONG n = m_nButtonStyle;
    PX_Long(pPX, L"ButtonStyle", n, n);
    SetButtonStyle(static_cast<int>(n));

    struct PictureRow {
        const wchar_t* pszName;
        UINT CVellBitmapButton::*pField;
        void (CVellBitmapButton::*pfnSet)(UINT);
    };
    static const PictureRow kPictures[] = {
        {L"PictureDisabled", &CVellBitmapButton::m_nPictureDisabled, &CVellBitmapButton::SetPictureDisabled},
        {L"PictureSelected", &CVellBitmapButton::m_nPictureSelected, &CVellBitmapButton::SetPictureSelected},
        {L"PictureUp", &CVellBitmapButton::m_nPictureUp, &CVellBitmapButton::SetPictureUp},
        {L"PictureDown", &CVellBitmapButton::m_nPictureDown, &CVellBitmapButton::SetPictureDown},
        {L"PictureRollover", &CVellBitmapButton::m_nPictureRollover, &CVellBitmapButton::SetPictureRollover},
        {L"PictureDisabledAndSelected", &CVellBitmapButton::m_nPictureDisabledAndSelected,
         &CVellBitmapButton::SetPictureDisabledAndSelected},
        {L"PictureDownAndSelected", &CVellBitmapButton::m_nPictureDownAndSelected,
         &CVellBitmapButton::SetPictureDownAndSelected},
        {L"PictureIntermediate", &CVellBitmapButton::m_nPictureIntermediate,
         &CVellBitmapButton::SetPictureIntermediate},
        {L"PictureFrame", &CVellBitmapButton::m_nPictureFrame, &CVellBitmapButton::SetPictureFrame},
    };
    for (const PictureRow& row : kPictures) {
        n = static_cast<LONG>(this->*row.pField);
        PX_Long(pPX, row.pszName, n, n);
        (this->*row.pfnSet)(PictureIdOrNone(n));
    }
    n = m_nShiftText;
    PX_Long(pPX, L"ShiftText", n, n);
    SetShiftText(static_cast<int>(n));
}

void CVellBitmapButton::Redraw()
{
    if (WindowExists()) {
        if (++m_nRedrawLock > 1) {
            --m_nRedrawLock;
            return;
        }
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        --m_nRedrawLock;
    }
    CVellControl::Redraw();
}

void CVellBitmapButton::SetButtonStyle(int nStyle)
{
    m_nButtonStyle = nStyle;
    UpdateLayout();
    Redraw();
}

void CVellBitmapButton::SetUseDrawFrame(BOOL bUse)
{
    m_bUseDrawFrame = bUse;
    UpdateLayout();
    Redraw();
}

void CVellBitmapButton::SetUseAllButtonRegions(BOOL bUse)
{
    m_bUseAllButtonRegions = bUse;
    BuildRegions();
    Redraw();
}

void CVellBitmapButton::SetPictureUp(UINT nId)
{
    m_nPictureUp = PictureIdOrNone(nId);
    if (CanLoadBitmaps()) {
        SetControlBitmap(m_nPictureUp);
        if (!m_bUseDrawFrame)
            BuildBitmapRegion(m_nPictureUp, FALSE);
    }
    if (WindowExists())
        Redraw();
    UpdateLayout();
}

void CVellBitmapButton::SetPictureDown(UINT nId)
{
    m_nPictureDown = PictureIdOrNone(nId);
    if (CanLoadBitmaps()) {
        SetControlBitmap(m_nPictureDown);
        if (m_bUseAllButtonRegions && !m_bUseDrawFrame)
            BuildBitmapRegion(m_nPictureDown, FALSE);
    }
    if (WindowExists())
        Redraw();
}

void CVellBitmapButton::SetPictureSelected(UINT nId)
{
    m_nPictureSelected = PictureIdOrNone(nId);
    if (CanLoadBitmaps()) {
        SetControlBitmap(m_nPictureSelected);
        if (m_bUseAllButtonRegions && !m_bUseDrawFrame)
            BuildBitmapRegion(m_nPictureSelected, FALSE);
    }
    if (WindowExists())
        Redraw();
}

void CVellBitmapButton::SetPictureDownAndSelected(UINT nId)
{
    m_nPictureDownAndSelected = PictureIdOrNone(nId);
    if (CanLoadBitmaps()) {
        SetControlBitmap(m_nPictureDownAndSelected);
        if (m_bUseAllButtonRegions && !m_bUseDrawFrame)
            BuildBitmapRegion(m_nPictureDownAndSelected, FALSE);
    }
    if (WindowExists())
        Redraw();
}

void CVellBitmapButton::SetPictureIntermediate(UINT nId)
{
    m_nPictureIntermediate = PictureIdOrNone(nId);
    if (CanLoadBitmaps()) {
        SetControlBitmap(m_nPictureIntermediate);
        if (m_bUseAllButtonRegions && !m_bUseDrawFrame)
            BuildBitmapRegion(m_nPictureIntermediate, FALSE);
    }
    if (WindowExists())
        Redraw();
}

void CVellBitmapButton::SetPictureRollover(UINT nId)
{
    m_nPictureRollover = PictureIdOrNone(nId);
    if (CanLoadBitmaps())
        SetControlBitmap(m_nPictureRollover);
    if (WindowExists())
        Redraw();
}

void CVellBitmapButton::SetPictureDisabled(UINT nId)
{
    m_nPictureDisabled = PictureIdOrNone(nId);
    if (CanLoadBitmaps())
        SetControlBitmap(m_nPictureDisabled);
    if (WindowExists())
        Redraw();
}

void CVellBitmapButton::SetPictureDisabledAndSelected(UINT nId)
{
    m_nPictureDisabledAndSelected = PictureIdOrNone(nId);
    if (CanLoadBitmaps())
        SetControlBitmap(m_nPictureDisabledAndSelected);
    if (WindowExists())
        Redraw();
}

void CVellBitmapButton::SetPictureFrame(UINT nId)
{
    m_nPictureFrame = PictureIdOrNone(nId);
    SetControlBitmap(m_nPictureFrame);
    UpdateLayout();
    Redraw();
}

void CVellBitmapButton::SetShiftText(int nShift)
{
    m_nShiftText = nShift;
    Redraw();
}

void CVellBitmapButton::SetCheck(int nCheck)
{
    if (nCheck == m_nCheck)
        return;
    m_nCheck = nCheck;
    Redraw();
}

UINT CVellBitmapButton::GetPictureForKind(int nKind) const
{
    switch (nKind) {
    case KindUp: return m_nPictureUp;
    case KindDown: return m_nPictureDown;
    case KindSelected: return m_nPictureSelected;
    case KindRollover: return m_nPictureRollover;
    case KindDisabled: return m_nPictureDisabled;
    case KindDisabledAndSelected: return m_nPictureDisabledAndSelected;
    case KindDownAndSelected: return m_nPictureDownAndSelected;
    case KindIntermediate: return m_nPictureIntermediate;
    default: return 0;
    }
}

LRESULT CVellBitmapButton::OnSetCheckMessage(WPARAM wParam, LPARAM)
{
    if (IsCheckStyle() && wParam <= 2) {
        SetCheck(static_cast<int>(wParam));
        NotifyCheck();
    }
    return -1;
}

LRESULT CVellBitmapButton::OnGetCheckMessage(WPARAM, LPARAM)
{
    if (IsCheckStyle() && m_nCheck >= 0 && m_nCheck <= 2)
        return m_nCheck;
    return -1;
}

BOOL CVellBitmapButton::OnEraseBkgnd(CDC*)
{
    return TRUE;  // DrawItem paints every pixel
}

void CVellBitmapButton::OnSize(UINT, int, int)
{
    Default();
    if (WindowExists())
        Redraw();
}

LRESULT CVellBitmapButton::OnEnable(WPARAM wParam, LPARAM)
{
    const LRESULT lResult = Default();
    // EnableWindow from outside changes the look too, as the property would.
    const BOOL bEnabled = wParam != 0;
    if (bEnabled != GetEnabled())
        SetEnabled(bEnabled);
    return lResult;
}

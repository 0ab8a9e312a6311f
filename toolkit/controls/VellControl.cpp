// The control property interface: construction, the property accessors, colours, palettes, redraw
// and the focus cue.
#include "toolkit/controls/VellControl.h"

#include "platform/mfc/OleAutomation.h"
#include "toolkit/controls/Ambient.h"
#include "toolkit/controls/ColorAdjust.h"
#include "toolkit/controls/FontAllocator.h"
#include "toolkit/controls/Localization.h"
#include "toolkit/controls/ToolkitFont.h"

CVellControl::CVellControl(CWnd* pOwner) : m_pOwner(pOwner)
{
    m_toolTip.Create(pOwner, 0);
    m_pAmbient = std::make_unique<CVellAmbient>();
    if (m_toolTip.m_hWnd) {
        m_toolTip.Activate(FALSE);
        m_toolTip.SetTipBkColor(kTipBackColor);
        m_toolTip.SetTipTextColor(kTipTextColor);
        // The ambient object made above keeps this font alive as long as the tip exists.
        m_toolTip.SetFont(CVellFontAllocator::GetDefaultFontObject(), TRUE);
    }
    m_pLocalization = std::make_unique<CVellLocalization>();
    m_strDecimalSep = m_pLocalization->GetDecimalSeparator();
    m_strThousandSep = m_pLocalization->GetThousandSeparator();
    m_numberFormat.NumDigits = static_cast<UINT>(m_pLocalization->GetFractionDigits());
    m_numberFormat.LeadingZero = 0;
    m_numberFormat.Grouping = static_cast<UINT>(m_pLocalization->GetGrouping());
    // The two strings are never changed again, so their buffers stay where they are.
    m_numberFormat.lpDecimalSep = const_cast<wchar_t*>(m_strDecimalSep.GetString());
    m_numberFormat.lpThousandSep = const_cast<wchar_t*>(m_strThousandSep.GetString());
    m_numberFormat.NegativeOrder = static_cast<UINT>(m_pLocalization->GetNegativeOrder());
}

CVellControl::~CVellControl()
{
    // The tip uses the default font, which may end with this control's ambient object: the tip goes
    // first.
    m_toolTip.DestroyWindow();
    m_pAmbient.reset();
}

BOOL CVellControl::GetUseAmbientFont()
{
    return m_bUseAmbientFont;
}

void CVellControl::SetUseAmbientFont(BOOL bValue)
{
    if (m_bUseAmbientFont == bValue)
        return;
    m_bUseAmbientFont = bValue;
    Redraw();
}

BOOL CVellControl::GetUseAmbientForeColor()
{
    return m_bUseAmbientForeColor;
}

void CVellControl::SetUseAmbientForeColor(BOOL bValue)
{
    if (m_bUseAmbientForeColor == bValue)
        return;
    m_bUseAmbientForeColor = bValue;
    Redraw();
}

BOOL CVellControl::GetUseAmbientBackColor()
{
    return m_bUseAmbientBackColor;
}

void CVellControl::SetUseAmbientBackColor(BOOL bValue)
{
    if (m_bUseAmbientBackColor == bValue)
        return;
    m_bUseAmbientBackColor = bValue;
    Redraw();
}

void CVellControl::SetAmbientBackColor(COLORREF clr)
{
    m_clrAmbientBack = clr;
    Redraw();
}

void CVellControl::SetAmbientForeColor(COLORREF clr)
{
    m_clrAmbientFore = clr;
    Redraw();
}

void CVellControl::SetAmbientFont(CFont* pFont)
{
    LOGFONTW lf{};
    if (pFont && pFont->GetSafeHandle() && ::GetObjectW(pFont->GetSafeHandle(), sizeof(lf), &lf) == sizeof(lf))
        m_pAmbient->SetFont(lf);
    Redraw();
}

LOGFONTW* CVellControl::GetFont(LOGFONTW* pLogFont)
{
    if (!pLogFont)
        return pLogFont;
    if (m_bUseAmbientFont)
        m_pAmbient->GetFont(pLogFont);
    else
        *pLogFont = m_logFont;
    return pLogFont;
}

void CVellControl::SetFont(CFont* pFont)
{
    LOGFONTW lf{};
    if (pFont && pFont->GetSafeHandle() && ::GetObjectW(pFont->GetSafeHandle(), sizeof(lf), &lf) == sizeof(lf))
        m_logFont = lf;
    Redraw();
}

void CVellControl::SetFontSize(int nHeight, int nWeight)
{
    m_logFont = MakeLogFont(nHeight < 0 ? -8 : nHeight, nWeight);
    Redraw();
}

void CVellControl::SetFocusCue(BOOL bForce)
{
    m_bFocusForced = bForce;
    if (bForce && WindowExists())
        m_pOwner->SetFocus();
}

CString& CVellControl::GetTextRef()
{
    return m_strText;
}

COLORREF CVellControl::GetForeColor()
{
    return m_clrFore;
}

void CVellControl::SetForeColor(COLORREF clr)
{
    m_clrFore = clr;
    Redraw();
}

COLORREF CVellControl::GetBackColor()
{
    return m_clrBack;
}

void CVellControl::SetBackColor(COLORREF clr)
{
    m_clrBack = clr;
    Redraw();
}

BOOL CVellControl::GetContainerValidate()
{
    return m_bContainerValidate;
}

void CVellControl::SetContainerValidate(BOOL bValue)
{
    m_bContainerValidate = bValue;
}

BOOL CVellControl::GetEnabled()
{
    return m_bEnabled;
}

void CVellControl::SetEnabled(BOOL bValue)
{
    m_bEnabled = bValue;
    EnableWindowIfExists(bValue);
    Redraw();
}

COLORREF CVellControl::GetKeyingColor()
{
    return m_clrKeying;
}

void CVellControl::SetKeyingColor(COLORREF clr)
{
    m_clrKeying = clr;
    Redraw();
}

int CVellControl::GetUseFocus()
{
    return m_nUseFocus;
}

void CVellControl::SetUseFocus(int nValue)
{
    m_nUseFocus = nValue;
    Redraw();
}

BOOL CVellControl::UpdateFocusCue(int nItemAction, BOOL bMouseDown)
{
    if (m_bFocusForced) {
        m_bShowFocus = TRUE;
        if (nItemAction == ODA_FOCUS)
            m_bFocusForced = FALSE;
    } else if (nItemAction == ODA_FOCUS || nItemAction == ODA_SELECT) {
        switch (m_nUseFocus) {
        case 0: m_bShowFocus = FALSE; break;
        case 1: m_bShowFocus = nItemAction == ODA_FOCUS && !bMouseDown; break;
        case 2: m_bShowFocus = TRUE; break;
        default: break;  // the previous decision stands
        }
    }
    return m_bShowFocus && HasFocus();
}

BOOL CVellControl::HasFocus()
{
    if (!WindowExists())
        return FALSE;
    HWND hFocus = ::GetFocus();
    if (!hFocus)
        return FALSE;
    return hFocus == OwnerHwnd() || ::IsChild(OwnerHwnd(), hFocus);
}

BOOL CVellControl::GetUsePalette()
{
    return m_bUsePalette;
}

void CVellControl::SetUsePalette(BOOL bValue)
{
    m_bUsePalette = bValue;
    Redraw();
}

BOOL CVellControl::GetBuildInactiveFromActivePalette()
{
    return m_bBuildInactiveFromActivePalette;
}

void CVellControl::SetBuildInactiveFromActivePalette(BOOL bValue)
{
    m_bBuildInactiveFromActivePalette = bValue;
    Redraw();
}

BOOL CVellControl::GetBuildDisabledFromActivePalette()
{
    return m_bBuildDisabledFromActivePalette;
}

void CVellControl::SetBuildDisabledFromActivePalette(BOOL bValue)
{
    m_bBuildDisabledFromActivePalette = bValue;
    Redraw();
}

BOOL CVellControl::GetSingleLine()
{
    return m_bSingleLine;
}

void CVellControl::SetSingleLine(BOOL bValue)
{
    m_bSingleLine = bValue;
    Redraw();
}

long CVellControl::GetStringId()
{
    return 0;
}

void CVellControl::SetStringId(long)
{
}

void CVellControl::SetInactive(BOOL bValue)
{
    m_bInactive = bValue;
    Redraw();
}

BOOL CVellControl::GetInactive()
{
    return m_bInactive;
}

BOOL CVellControl::GetRedrawControl()
{
    return m_bRedrawControl;
}

void CVellControl::SetRedrawControl(BOOL bValue)
{
    m_bRedrawControl = bValue;
    Redraw();
}

void CVellControl::SetPalette(int nWhich, CVellColorList colors)
{
    switch (nWhich) {
    case kActivePalette: m_activePalette = std::move(colors); break;
    case kInactivePalette: m_inactivePalette = std::move(colors); break;
    case kDisabledPalette: m_disabledPalette = std::move(colors); break;
    default: break;
    }
    Redraw();
}

void CVellControl::SetText(const wchar_t* pszText)
{
    m_strText = pszText ? pszText : L"";
    Redraw();
}

BSTR CVellControl::GetText()
{
    return AfxSysAllocStringLen(m_strText.GetString(), static_cast<UINT>(m_strText.GetLength()));
}

void CVellControl::Redraw()
{
    CRedrawLock lock(*this);
    if (lock.Depth() == 1 && WindowExists() && m_bRedrawControl)
        ::InvalidateRect(OwnerHwnd(), nullptr, TRUE);
}

BOOL CVellControl::WindowExists()
{
    return m_pOwner && ::IsWindow(m_pOwner->m_hWnd);
}

void CVellControl::EnableWindowIfExists(BOOL bEnable)
{
    if (WindowExists())
        m_pOwner->EnableWindow(bEnable);
}

BOOL CVellControl::CanLoadBitmaps()
{
    return TRUE;
}

COLORREF CVellControl::TableColor(int nIndex)
{
    if (nIndex >= 0 && static_cast<size_t>(nIndex) < m_colorTable.size())
        return m_colorTable[static_cast<size_t>(nIndex)];
    return GetColor(kEffectiveFore);
}

COLORREF CVellControl::GetPaletteColor(int nIndex)
{
    const CVellColorList* pPalette = &m_activePalette;
    bool bDerive = false;
    if (!GetEnabled()) {
        if (!m_disabledPalette.empty() && !GetBuildDisabledFromActivePalette())
            pPalette = &m_disabledPalette;
        else
            bDerive = true;
    } else if (GetInactive()) {
        if (!m_inactivePalette.empty() && !GetBuildInactiveFromActivePalette())
            pPalette = &m_inactivePalette;
        else
            bDerive = true;
    }
    // Palettes are not persisted: a loaded "UsePalette" may meet a palette without this entry. The
    // colour table answers then.
    if (nIndex < 0 || static_cast<size_t>(nIndex) >= pPalette->size())
        return TableColor(nIndex);
    COLORREF clr = (*pPalette)[static_cast<size_t>(nIndex)];
    if (bDerive)
        clr = AdjustColor(kAdjustDarken, AdjustColor(kAdjustDarken, clr));
    return clr;
}

COLORREF CVellControl::GetColor(int nIndex)
{
    if (nIndex == kEffectiveBack)
        return m_bUseAmbientBackColor ? m_clrAmbientBack : m_clrBack;
    if (nIndex == kEffectiveFore)
        return m_bUseAmbientForeColor ? m_clrAmbientFore : m_clrFore;
    if (GetUsePalette())
        return GetPaletteColor(nIndex);
    return TableColor(nIndex);
}

void CVellControl::SetColorTable(const CVellColorList& colors)
{
    m_colorTable = colors;
}

CFont* CVellControl::GetDefaultFont()
{
    return CVellFontAllocator::GetDefaultFontObject();
}

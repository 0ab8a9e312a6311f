// The control property interface: the persisted properties, exchanged by name in a fixed order.
#include "toolkit/controls/VellControl.h"

#include "platform/mfc/CPropExchange.h"
#include "platform/mfc/OleAutomation.h"

namespace {

struct BoolRow {
    const wchar_t* pszName;
    BOOL (CVellControl::*pfnGet)();
    void (CVellControl::*pfnSet)(BOOL);
};

constexpr BoolRow kBoolRows[] = {
    {L"UseAmbientFont", &CVellControl::GetUseAmbientFont, &CVellControl::SetUseAmbientFont},
    {L"UseAmbientForeColor", &CVellControl::GetUseAmbientForeColor, &CVellControl::SetUseAmbientForeColor},
    {L"UseAmbientBackColor", &CVellControl::GetUseAmbientBackColor, &CVellControl::SetUseAmbientBackColor},
    {L"ContainerValidate", &CVellControl::GetContainerValidate, &CVellControl::SetContainerValidate},
    {L"Enabled", &CVellControl::GetEnabled, &CVellControl::SetEnabled},
    {L"UsePalette", &CVellControl::GetUsePalette, &CVellControl::SetUsePalette},
    {L"BuildInactiveFromActivePalette", &CVellControl::GetBuildInactiveFromActivePalette,
     &CVellControl::SetBuildInactiveFromActivePalette},
    {L"BuildDisabledFromActivePalette", &CVellControl::GetBuildDisabledFromActivePalette,
     &CVellControl::SetBuildDisabledFromActivePalette},
    {L"RedrawControl", &CVellControl::GetRedrawControl, &CVellControl::SetRedrawControl},
};

// Exchanges a string property read as a BSTR; the value (loaded or unchanged) goes to pfnSet. Without
// OLE automation there is no BSTR: the stored string stands in, so nothing is saved empty by mistake.
void ExchangeString(CPropExchange* pPX, const wchar_t* pszName, CVellControl& control,
                    BSTR (CVellControl::*pfnGet)(), const CString& strStored,
                    void (CVellControl::*pfnSet)(const wchar_t*))
{
    const CBstr current((control.*pfnGet)());
    CString str = current.Get() ? CString(current.c_str(), static_cast<int>(current.Length())) : strStored;
    const CString strDefault = str;
    PX_String(pPX, pszName, str, strDefault);
    (control.*pfnSet)(str);
}

}  // namespace

void CVellControl::ExchangeProperties(CPropExchange* pPX)
{
    // The default of each row is the current value, so a missing name leaves the property as it is.
    for (const BoolRow& row : kBoolRows) {
        BOOL bValue = (this->*row.pfnGet)();
        PX_Bool(pPX, row.pszName, bValue, bValue);
        (this->*row.pfnSet)(bValue);
    }

    LONG nStringId = GetStringId();
    PX_Long(pPX, L"StringId", nStringId, 0);
    SetStringId(nStringId);

    LONG nUseFocus = GetUseFocus();
    PX_Long(pPX, L"UseFocus", nUseFocus, nUseFocus);
    SetUseFocus(nUseFocus);

    struct ColorRow {
        const wchar_t* pszName;
        COLORREF (CVellControl::*pfnGet)();
        void (CVellControl::*pfnSet)(COLORREF);
    };
    static constexpr ColorRow kColorRows[] = {
        {L"KeyingColor", &CVellControl::GetKeyingColor, &CVellControl::SetKeyingColor},
        {L"BackColor", &CVellControl::GetBackColor, &CVellControl::SetBackColor},
        {L"ForeColor", &CVellControl::GetForeColor, &CVellControl::SetForeColor},
    };
    for (const ColorRow& row : kColorRows) {
        LONG nColor = static_cast<LONG>((this->*row.pfnGet)());
        PX_Long(pPX, row.pszName, nColor, nColor);
        (this->*row.pfnSet)(static_cast<COLORREF>(nColor));
    }

    ExchangeString(pPX, L"ToolTip", *this, &CVellControl::GetToolTip, m_strToolTip, &CVellControl::SetToolTip);
    ExchangeString(pPX, L"Text", *this, &CVellControl::GetText, m_strText, &CVellControl::SetText);
}

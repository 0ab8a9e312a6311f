// The control property interface: times, dates and the number format.
#include "toolkit/controls/VellControl.h"

#include "platform/mfc/COleDateTime.h"
#include "platform/mfc/OleAutomation.h"
#include "toolkit/controls/Localization.h"

namespace {

enum TimeKind { kHoursOnly = 0, kHoursMinutes = 1, kHoursMinutesSeconds = 2 };

// A date is valid when it is a real calendar day and the system's OLE date conversion gives it back
// unchanged; the converted-back date is returned.
bool ValidDate(short nDay, short nMonth, short nYear, SYSTEMTIME& converted)
{
    COleDateTime check;
    if (check.SetDateTime(nYear, nMonth, nDay, 0, 0, 0) != 0)
        return false;
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(nYear);
    st.wMonth = static_cast<WORD>(nMonth);
    st.wDay = static_cast<WORD>(nDay);
    DATE date = 0.0;
    SYSTEMTIME back{};
    if (!AfxSystemTimeToVariantTime(st, &date) || !AfxVariantTimeToSystemTime(date, &back))
        return false;
    if (back.wYear != st.wYear || back.wMonth != st.wMonth || back.wDay != st.wDay || back.wHour != 0 ||
        back.wMinute != 0 || back.wSecond != 0)
        return false;
    converted = back;
    return true;
}

}  // namespace

CString& CVellControl::FormatTime(CString& out, short nHour, short nMinute, short nSecond, int nPrecision,
                                  BOOL bUseLocale, BOOL b24Hour)
{
    out.Empty();
    COleDateTime check;
    if (check.SetDateTime(100, 1, 1, nHour, nMinute, nSecond) != 0 || check.GetStatus() != COleDateTime::valid)
        return out;
    if (bUseLocale) {
        SYSTEMTIME st{};
        st.wYear = 100;
        st.wMonth = 1;
        st.wDay = 1;
        st.wHour = static_cast<WORD>(nHour);
        st.wMinute = static_cast<WORD>(nMinute);
        st.wSecond = static_cast<WORD>(nSecond);
        const int nKind = nPrecision == 2 ? kHoursMinutesSeconds : nPrecision == 1 ? kHoursMinutes : kHoursOnly;
        m_pLocalization->FormatTimeText(st, nKind, out);
        return out;
    }
    const wchar_t* pszSuffix = L"";
    unsigned nShownHour = static_cast<unsigned>(nHour);
    if (!b24Hour) {
        pszSuffix = nHour >= 12 ? L"  PM" : L"  AM";
        nShownHour %= 12;
        if (nShownHour == 0)
            nShownHour = 12;
    }
    if (nPrecision == 2)
        out.Format(L"%02u:%02u:%02u", nShownHour, static_cast<unsigned>(nMinute), static_cast<unsigned>(nSecond));
    else if (nPrecision == 1)
        out.Format(L"%02u:%02u", nShownHour, static_cast<unsigned>(nMinute));
    else
        out.Format(L"%02u", nShownHour);
    out += pszSuffix;
    return out;
}

CString& CVellControl::FormatDate(CString& out, short nDay, short nMonth, short nYear, int nOrder, BOOL bUseLocale,
                                  BOOL bShortFormat)
{
    out.Empty();
    SYSTEMTIME date{};
    if (!ValidDate(nDay, nMonth, nYear, date))
        return out;
    if (bUseLocale) {
        m_pLocalization->FormatDateText(date, bShortFormat ? 0 : 1, out);
        return out;
    }
    const unsigned nY = date.wYear, nM = date.wMonth, nD = date.wDay;
    switch (nOrder) {
    case 0: out.Format(L"%02u-%02u-%04u", nM, nD, nY); break;
    case 1: out.Format(L"%02u-%02u-%04u", nD, nM, nY); break;
    case 2: out.Format(L"%04u-%02u-%02u", nY, nM, nD); break;
    default: break;
    }
    return out;
}

void CVellControl::SetNumberGrouping(int nGrouping)
{
    m_numberFormat.Grouping = static_cast<UINT>(nGrouping);
}

NUMBERFMTW* CVellControl::GetNumberFormatInfo(NUMBERFMTW* pFormat)
{
    if (pFormat)
        *pFormat = m_numberFormat;
    return pFormat;
}

int CVellControl::GetLocaleGrouping()
{
    return m_pLocalization->GetGrouping();
}

int CVellControl::SetNumberDigits(int nDigits)
{
    if (nDigits < 0)
        nDigits = m_pLocalization->GetFractionDigits();
    m_numberFormat.NumDigits = static_cast<UINT>(nDigits);
    return nDigits;
}

#include "platform/mfc/COleDateTime.h"

#include "platform/mfc/OleAutomation.h"

namespace {

constexpr int kMinYear = 100;
constexpr int kMaxYear = 9999;

bool InRange(int nValue, int nLow, int nHigh)
{
    return nValue >= nLow && nValue <= nHigh;
}

}  // namespace

int COleDateTime::DaysInMonth(int nYear, int nMonth)
{
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (!InRange(nMonth, 1, 12))
        return 0;
    const bool bLeap = (nYear % 4 == 0 && nYear % 100 != 0) || nYear % 400 == 0;
    return kDays[nMonth - 1] + (nMonth == 2 && bLeap ? 1 : 0);
}

int COleDateTime::SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec)
{
    const bool bValid = InRange(nYear, kMinYear, kMaxYear) && InRange(nMonth, 1, 12) &&
                        InRange(nDay, 1, DaysInMonth(nYear, nMonth)) && InRange(nHour, 0, 23) &&
                        InRange(nMin, 0, 59) && InRange(nSec, 0, 59);
    SYSTEMTIME st{};
    if (bValid) {
        st.wYear = static_cast<WORD>(nYear);
        st.wMonth = static_cast<WORD>(nMonth);
        st.wDay = static_cast<WORD>(nDay);
        st.wHour = static_cast<WORD>(nHour);
        st.wMinute = static_cast<WORD>(nMin);
        st.wSecond = static_cast<WORD>(nSec);
    }
    DATE date = 0.0;
    if (!bValid || !AfxSystemTimeToVariantTime(st, &date)) {
        m_dt = 0.0;
        m_status = invalid;
        return 1;
    }
    m_dt = date;
    m_status = valid;
    return 0;
}

BOOL COleDateTime::GetAsSystemTime(SYSTEMTIME& st) const
{
    if (m_status != valid)
        return FALSE;
    SYSTEMTIME converted{};
    if (!AfxVariantTimeToSystemTime(m_dt, &converted))
        return FALSE;
    st = converted;
    return TRUE;
}

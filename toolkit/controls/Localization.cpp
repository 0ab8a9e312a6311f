#include "toolkit/controls/Localization.h"

#include <cstdlib>
#include <iterator>

namespace {

// Number items fit in 16 characters (a longer answer reads as "").
CString LocaleText(LCTYPE item)
{
    wchar_t buffer[16] = {};
    if (!::GetLocaleInfoW(::GetUserDefaultLCID(), item, buffer, static_cast<int>(std::size(buffer))))
        buffer[0] = L'\0';
    return CString(buffer);
}

int LocaleNumber(LCTYPE item)
{
    return _wtoi(LocaleText(item).GetString());
}

}  // namespace

CVellLocalization::~CVellLocalization() = default;

short CVellLocalization::GetFractionDigits() const
{
    return static_cast<short>(LocaleNumber(LOCALE_IDIGITS));
}

CString CVellLocalization::GetDecimalSeparator() const
{
    return LocaleText(LOCALE_SDECIMAL);
}

CString CVellLocalization::GetThousandSeparator() const
{
    return LocaleText(LOCALE_STHOUSAND);
}

short CVellLocalization::GetGrouping() const
{
    return static_cast<short>(LocaleNumber(LOCALE_SGROUPING));
}

int CVellLocalization::GetNegativeOrder() const
{
    return LocaleNumber(LOCALE_INEGNUMBER);
}

LCID CVellLocalization::GetDateTimeLocale()
{
    static LCID s_lcid = 0;
    if (!s_lcid)
        s_lcid = ::GetUserDefaultLCID();
    return s_lcid;
}

void CVellLocalization::FormatDateText(const SYSTEMTIME& date, int nKind, CString& out) const
{
    DWORD flags = 0;
    switch (nKind) {
    case 0: flags = DATE_SHORTDATE | DATE_USE_ALT_CALENDAR; break;
    case 1: flags = DATE_LONGDATE | DATE_USE_ALT_CALENDAR; break;
    default: return;
    }
    wchar_t buffer[100] = {};
    if (!::GetDateFormatW(GetDateTimeLocale(), flags, &date, nullptr, buffer, static_cast<int>(std::size(buffer))))
        buffer[0] = L'\0';
    out = buffer;
}

void CVellLocalization::FormatTimeText(const SYSTEMTIME& time, int nKind, CString& out) const
{
    DWORD flags = 0;
    switch (nKind) {
    case 0: flags = TIME_NOMINUTESORSECONDS; break;
    case 1: flags = TIME_NOSECONDS; break;
    case 2: flags = 0; break;
    default: return;
    }
    wchar_t buffer[100] = {};
    if (!::GetTimeFormatW(GetDateTimeLocale(), flags, &time, nullptr, buffer, static_cast<int>(std::size(buffer))))
        buffer[0] = L'\0';
    out = buffer;
}

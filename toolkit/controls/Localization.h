#pragma once
// Number format questions answered from the user's default locale, and dates and times formatted by
// the system's locale functions.
#include "platform/mfc/CString.h"

class CVellLocalization {
public:
    CVellLocalization() = default;
    virtual ~CVellLocalization();

    // Each asks the user's default locale anew; an item the locale does not give reads as "" (so 0).
    short GetFractionDigits() const;
    CString GetDecimalSeparator() const;
    CString GetThousandSeparator() const;
    // The leading group size ("3;0" gives 3).
    short GetGrouping() const;
    int GetNegativeOrder() const;

    // Kind 0 short date, 1 long date; any other kind leaves out unchanged. A failed call gives "".
    void FormatDateText(const SYSTEMTIME& date, int nKind, CString& out) const;
    // Kind 0 hours only, 1 hours and minutes, 2 with seconds; any other kind leaves out unchanged.
    void FormatTimeText(const SYSTEMTIME& time, int nKind, CString& out) const;

    // The locale of dates and times: the user's default at the first date or time request, kept for
    // the rest of the run.
    static LCID GetDateTimeLocale();
};

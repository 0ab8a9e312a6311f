#pragma once
// A point in time as an OLE date (days since 30 December 1899, the time as the day's fraction) with a
// status. Values are checked here before the system converts them: the system's conversion may take
// an hour of 24 or a 30 February and carry it over into the next day or month.
#include <windows.h>

#include <wtypes.h>

class COleDateTime {
public:
    enum DateTimeStatus { error = -1, valid = 0, invalid = 1, null = 2 };

    // 30 December 1899, 00:00:00, valid.
    COleDateTime() = default;

    // 0 when the date and time are valid (year 100..9999, a day that the month has, hour 0..23,
    // minute and second 0..59) and converted; otherwise 1, and the status is invalid.
    int SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec);
    DateTimeStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeStatus status) { m_status = status; }
    // The value as a SYSTEMTIME; FALSE (and nothing written) unless the status is valid.
    BOOL GetAsSystemTime(SYSTEMTIME& st) const;

    // The number of days of the month (0 for a month outside 1..12), Gregorian leap years.
    static int DaysInMonth(int nYear, int nMonth);

    DATE m_dt = 0.0;
    DateTimeStatus m_status = valid;
};

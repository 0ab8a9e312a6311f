// Times, dates and numbers of the control property interface: the fixed formats, the locale's
// formats (compared with the system's own answer for the user's locale) and the en-US values.
#include "TestControl.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring LocaleInfo(LCTYPE item)
{
    wchar_t buffer[32] = {};
    GetLocaleInfoW(GetUserDefaultLCID(), item, buffer, 32);
    return buffer;
}

std::wstring SystemTime(const SYSTEMTIME& st, DWORD flags)
{
    wchar_t buffer[100] = {};
    GetTimeFormatW(GetUserDefaultLCID(), flags, &st, nullptr, buffer, 100);
    return buffer;
}

std::wstring SystemDate(const SYSTEMTIME& st, DWORD flags)
{
    wchar_t buffer[100] = {};
    GetDateFormatW(GetUserDefaultLCID(), flags, &st, nullptr, buffer, 100);
    return buffer;
}

}  // namespace

TEST(ControlFormatsTest, FixedTimeFormats)
{
    CTestControl control;
    struct Row {
        short h, m, s;
        int nPrecision;
        BOOL b24;
        const wchar_t* pszExpected;
    };
    const Row rows[] = {
        {13, 5, 9, 2, FALSE, L"01:05:09  PM"}, {13, 5, 9, 1, TRUE, L"13:05"},     {0, 30, 0, 1, FALSE, L"12:30  AM"},
        {0, 0, 0, 0, FALSE, L"12  AM"},        {12, 0, 0, 0, FALSE, L"12  PM"},   {23, 59, 59, 2, TRUE, L"23:59:59"},
        {7, 8, 9, 5, TRUE, L"07"},             {11, 59, 0, 1, FALSE, L"11:59  AM"},
        {24, 0, 0, 1, TRUE, L""},              {0, 60, 0, 1, TRUE, L""},          {0, 0, 60, 2, TRUE, L""},
        {-1, 0, 0, 0, TRUE, L""},
    };
    for (const Row& row : rows) {
        CString out = L"stale";
        EXPECT_EQ(&out, &control.FormatTime(out, row.h, row.m, row.s, row.nPrecision, FALSE, row.b24));
        EXPECT_EQ(CString(row.pszExpected), out) << row.h << ":" << row.m << ":" << row.s << " p" << row.nPrecision;
    }
}

TEST(ControlFormatsTest, FixedDateFormats)
{
    CTestControl control;
    struct Row {
        short d, m, y;
        int nOrder;
        const wchar_t* pszExpected;
    };
    const Row rows[] = {
        {7, 3, 2024, 0, L"03-07-2024"}, {7, 3, 2024, 1, L"07-03-2024"}, {7, 3, 2024, 2, L"2024-03-07"},
        {7, 3, 2024, 3, L""},           {29, 2, 2024, 2, L"2024-02-29"}, {1, 1, 100, 2, L"0100-01-01"},
        {30, 2, 2023, 0, L""},          {29, 2, 2023, 0, L""},           {31, 4, 2024, 0, L""},
        {0, 1, 2024, 0, L""},           {1, 13, 2024, 0, L""},           {31, 12, 99, 0, L""},
    };
    for (const Row& row : rows) {
        CString out = L"stale";
        control.FormatDate(out, row.d, row.m, row.y, row.nOrder, FALSE, TRUE);
        EXPECT_EQ(CString(row.pszExpected), out) << row.d << "." << row.m << "." << row.y << " order " << row.nOrder;
    }
}

TEST(ControlFormatsTest, LocaleFormatsAreTheSystemsForTheUsersLocale)
{
    CTestControl control;
    SYSTEMTIME time{};
    time.wYear = 100;
    time.wMonth = 1;
    time.wDay = 1;
    time.wHour = 15;
    time.wMinute = 4;
    time.wSecond = 5;
    CString out;
    EXPECT_EQ(CString(SystemTime(time, 0).c_str()), control.FormatTime(out, 15, 4, 5, 2, TRUE, FALSE));
    EXPECT_EQ(CString(SystemTime(time, TIME_NOSECONDS).c_str()), control.FormatTime(out, 15, 4, 5, 1, TRUE, FALSE));
    EXPECT_EQ(CString(SystemTime(time, TIME_NOMINUTESORSECONDS).c_str()),
              control.FormatTime(out, 15, 4, 5, 0, TRUE, TRUE));
    EXPECT_FALSE(out.IsEmpty());
    EXPECT_TRUE(control.FormatTime(out, 24, 0, 0, 2, TRUE, TRUE).IsEmpty());

    SYSTEMTIME date{};
    date.wYear = 2024;
    date.wMonth = 3;
    date.wDay = 7;
    EXPECT_EQ(CString(SystemDate(date, DATE_SHORTDATE | DATE_USE_ALT_CALENDAR).c_str()),
              control.FormatDate(out, 7, 3, 2024, 0, TRUE, TRUE));
    EXPECT_EQ(CString(SystemDate(date, DATE_LONGDATE | DATE_USE_ALT_CALENDAR).c_str()),
              control.FormatDate(out, 7, 3, 2024, 0, TRUE, FALSE));
    EXPECT_TRUE(control.FormatDate(out, 30, 2, 2023, 0, TRUE, TRUE).IsEmpty());
}

TEST(ControlFormatsTest, NumberFormatFromTheLocale)
{
    CTestControl control;
    NUMBERFMTW fmt{};
    ASSERT_EQ(&fmt, control.GetNumberFormatInfo(&fmt));
    EXPECT_EQ(static_cast<UINT>(_wtoi(LocaleInfo(LOCALE_IDIGITS).c_str())), fmt.NumDigits);
    EXPECT_EQ(0u, fmt.LeadingZero);
    EXPECT_EQ(static_cast<UINT>(_wtoi(LocaleInfo(LOCALE_SGROUPING).c_str())), fmt.Grouping);
    EXPECT_EQ(LocaleInfo(LOCALE_SDECIMAL), fmt.lpDecimalSep);
    EXPECT_EQ(LocaleInfo(LOCALE_STHOUSAND), fmt.lpThousandSep);
    EXPECT_EQ(static_cast<UINT>(_wtoi(LocaleInfo(LOCALE_INEGNUMBER).c_str())), fmt.NegativeOrder);
    EXPECT_EQ(_wtoi(LocaleInfo(LOCALE_SGROUPING).c_str()), control.GetLocaleGrouping());

    EXPECT_EQ(4, control.SetNumberDigits(4));
    EXPECT_EQ(4u, control.GetNumberFormatInfo(&fmt)->NumDigits);
    EXPECT_EQ(_wtoi(LocaleInfo(LOCALE_IDIGITS).c_str()), control.SetNumberDigits(-1));
    control.SetNumberGrouping(0);
    EXPECT_EQ(0u, control.GetNumberFormatInfo(&fmt)->Grouping);

    if (GetUserDefaultLCID() == MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT)) {
        // English (United States): the format works with the system's number formatting.
        control.SetNumberGrouping(3);
        control.SetNumberDigits(-1);
        control.GetNumberFormatInfo(&fmt);
        EXPECT_EQ(2u, fmt.NumDigits);
        EXPECT_EQ(3u, fmt.Grouping);
        EXPECT_STREQ(L".", fmt.lpDecimalSep);
        EXPECT_STREQ(L",", fmt.lpThousandSep);
        wchar_t buffer[64] = {};
        ASSERT_GT(GetNumberFormatW(GetUserDefaultLCID(), 0, L"-1234567.891", &fmt, buffer, 64), 0);
        EXPECT_STREQ(L"-1,234,567.89", buffer);
        ASSERT_GT(GetNumberFormatW(GetUserDefaultLCID(), 0, L"0.5", &fmt, buffer, 64), 0);
        EXPECT_STREQ(L".50", buffer) << "no leading zero";
    } else {
        ADD_FAILURE() << "the en-US number format needs the user locale 0x409; this run has 0x" << std::hex
                      << GetUserDefaultLCID();
    }
}

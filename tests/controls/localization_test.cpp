// Number formats and dates and times of the user's locale (the test prefix runs English (United
// States); elsewhere the checks that need it are skipped).
#include "toolkit/controls/Localization.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring Text(const CString& s)
{
    return s.GetString();
}

bool EnglishUnitedStates()
{
    return GetUserDefaultLCID() == MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT);
}

SYSTEMTIME At(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second)
{
    SYSTEMTIME st{};
    st.wYear = year;
    st.wMonth = month;
    st.wDay = day;
    st.wHour = hour;
    st.wMinute = minute;
    st.wSecond = second;
    return st;
}

}  // namespace

TEST(LocalizationTest, NumberFormatOfEnglishUnitedStates)
{
    if (!EnglishUnitedStates())
        GTEST_SKIP() << "user locale is not en-US";
    CVellLocalization loc;
    EXPECT_EQ(3, loc.GetGrouping()) << "3;0 read as a number";
    EXPECT_EQ(L".", Text(loc.GetDecimalSeparator()));
    EXPECT_EQ(L",", Text(loc.GetThousandSeparator()));
    EXPECT_EQ(2, loc.GetFractionDigits());
    EXPECT_EQ(1, loc.GetNegativeOrder());
}

TEST(LocalizationTest, DatesAndTimesOfEnglishUnitedStates)
{
    if (!EnglishUnitedStates())
        GTEST_SKIP() << "user locale is not en-US";
    CVellLocalization loc;
    const SYSTEMTIME st = At(2024, 3, 7, 15, 4, 9);
    CString out;
    loc.FormatDateText(st, 0, out);
    EXPECT_EQ(L"3/7/2024", Text(out));
    loc.FormatDateText(st, 1, out);
    EXPECT_EQ(L"Thursday, March 7, 2024", Text(out));
    loc.FormatTimeText(st, 0, out);
    EXPECT_EQ(L"3 PM", Text(out));
    loc.FormatTimeText(st, 1, out);
    EXPECT_EQ(L"3:04 PM", Text(out));
    loc.FormatTimeText(st, 2, out);
    EXPECT_EQ(L"3:04:09 PM", Text(out));
}

TEST(LocalizationTest, OtherKindsAndBadDatesLeaveOrClearTheText)
{
    CVellLocalization loc;
    const SYSTEMTIME st = At(2024, 3, 7, 15, 4, 9);
    CString out = L"kept";
    loc.FormatDateText(st, 2, out);
    EXPECT_EQ(L"kept", Text(out));
    loc.FormatDateText(st, -1, out);
    EXPECT_EQ(L"kept", Text(out));
    loc.FormatTimeText(st, 3, out);
    EXPECT_EQ(L"kept", Text(out));

    // A date the system refuses gives an empty text.
    loc.FormatDateText(At(2023, 2, 30, 0, 0, 0), 0, out);
    EXPECT_EQ(L"", Text(out));
    out = L"kept";
    loc.FormatTimeText(At(2024, 1, 1, 24, 0, 0), 2, out);
    EXPECT_EQ(L"", Text(out));

    EXPECT_EQ(CVellLocalization::GetDateTimeLocale(), CVellLocalization::GetDateTimeLocale());
    EXPECT_NE(0u, CVellLocalization::GetDateTimeLocale());
}

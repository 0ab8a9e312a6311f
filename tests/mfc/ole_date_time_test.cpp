// OLE dates with their own range checks, and BSTRs from the automation library.
#include "platform/mfc/COleDateTime.h"
#include "platform/mfc/OleAutomation.h"

#include <gtest/gtest.h>

#include <string>

TEST(OleDateTimeTest, ValidDatesConvert)
{
    COleDateTime dt;
    EXPECT_EQ(COleDateTime::valid, dt.GetStatus());
    EXPECT_EQ(0.0, dt.m_dt);

    EXPECT_EQ(0, dt.SetDateTime(2000, 1, 1, 0, 0, 0));
    EXPECT_EQ(COleDateTime::valid, dt.GetStatus());
    EXPECT_DOUBLE_EQ(36526.0, dt.m_dt);
    EXPECT_EQ(0, dt.SetDateTime(1899, 12, 30, 18, 0, 0));
    EXPECT_DOUBLE_EQ(0.75, dt.m_dt);
    EXPECT_EQ(0, dt.SetDateTime(2024, 2, 29, 23, 59, 59)) << "a leap day";
    EXPECT_EQ(0, dt.SetDateTime(2000, 2, 29, 0, 0, 0)) << "every 400 years";
    EXPECT_EQ(0, dt.SetDateTime(100, 1, 1, 0, 0, 0)) << "the first day";
    EXPECT_EQ(0, dt.SetDateTime(9999, 12, 31, 23, 59, 59)) << "the last second";

    SYSTEMTIME st{};
    ASSERT_TRUE(dt.GetAsSystemTime(st));
    EXPECT_EQ(9999, st.wYear);
    EXPECT_EQ(12, st.wMonth);
    EXPECT_EQ(31, st.wDay);
    EXPECT_EQ(23, st.wHour);
    EXPECT_EQ(59, st.wMinute);
    EXPECT_EQ(59, st.wSecond);
}

TEST(OleDateTimeTest, OutOfRangeValuesAreInvalidWhateverTheSystemTakes)
{
    struct Case {
        int y, mo, d, h, mi, s;
    };
    // The system's conversion carries some of these over (Wine's takes hour 24 and 30 February).
    const Case invalid[] = {
        {2023, 2, 30, 0, 0, 0}, {2023, 2, 29, 0, 0, 0}, {1900, 2, 29, 0, 0, 0}, {2023, 4, 31, 0, 0, 0},
        {2023, 1, 1, 24, 0, 0}, {2023, 1, 1, 0, 60, 0}, {2023, 1, 1, 0, 0, 60}, {2023, 0, 1, 0, 0, 0},
        {2023, 13, 1, 0, 0, 0}, {2023, 1, 0, 0, 0, 0},  {2023, 1, 32, 0, 0, 0}, {99, 12, 31, 0, 0, 0},
        {10000, 1, 1, 0, 0, 0}, {2023, 1, 1, -1, 0, 0},
    };
    for (const Case& c : invalid) {
        COleDateTime dt;
        EXPECT_EQ(1, dt.SetDateTime(c.y, c.mo, c.d, c.h, c.mi, c.s))
            << c.y << "-" << c.mo << "-" << c.d << " " << c.h << ":" << c.mi << ":" << c.s;
        EXPECT_EQ(COleDateTime::invalid, dt.GetStatus());
        SYSTEMTIME st{};
        EXPECT_FALSE(dt.GetAsSystemTime(st));
    }
    COleDateTime dt;
    ASSERT_EQ(1, dt.SetDateTime(2023, 1, 1, 24, 0, 0));
    EXPECT_EQ(0, dt.SetDateTime(2023, 1, 1, 23, 0, 0)) << "an invalid value can be set again";
    EXPECT_EQ(COleDateTime::valid, dt.GetStatus());
}

TEST(OleAutomationTest, BstrOwnership)
{
    CBstr text(AfxSysAllocStringLen(L"abc\0de", 6));
    ASSERT_NE(nullptr, text.Get());
    EXPECT_EQ(6u, text.Length()) << "the length prefix counts an embedded null";
    EXPECT_EQ(std::wstring(L"abc\0de", 6), std::wstring(text.Get(), text.Length()));

    CBstr moved(std::move(text));
    EXPECT_EQ(nullptr, text.Get());  // NOLINT: checking the moved-from state
    EXPECT_EQ(6u, moved.Length());
    CBstr empty(AfxSysAllocString(nullptr));
    ASSERT_NE(nullptr, empty.Get());
    EXPECT_EQ(0u, empty.Length());
    CBstr none;
    EXPECT_STREQ(L"", none.c_str());
    EXPECT_EQ(0u, none.Length());
    AfxSysFreeString(nullptr);

    // The library came from the system folder.
    HMODULE hOle = GetModuleHandleW(L"oleaut32.dll");
    ASSERT_NE(nullptr, hOle);
    wchar_t path[MAX_PATH] = {}, system[MAX_PATH] = {};
    GetModuleFileNameW(hOle, path, MAX_PATH);
    GetSystemDirectoryW(system, MAX_PATH);
    EXPECT_EQ(0, _wcsnicmp(path, system, wcslen(system))) << "loaded from the system folder";
}

#include "platform/mfc/CString.h"

#include <gtest/gtest.h>

TEST(CStringTest, FormatUsesWindowsRules)
{
    CString s;
    s.Format(L"%s: %s/%d: %s (e:%08x)", L"Assertion", L".\\Lumbra", 239, L"NULL != hrsrc", 0x716u);
    EXPECT_STREQ(L"Assertion: .\\Lumbra/239: NULL != hrsrc (e:00000716)", s);
    s.Format(L"%I64d.%I64d", 18LL, 0x100000000LL);
    EXPECT_STREQ(L"18.4294967296", s);
    s.Format(L"LM%02d%02d%02d%02d%02d%d%d", 12, 8, 13, 25, 7, 0, 10);
    EXPECT_STREQ(L"LM1208132507010", s);
}

TEST(CStringTest, FormatGrowsPastFirstBuffer)
{
    std::wstring longText(5000, L'x');
    CString s;
    s.Format(L"[%s]", longText.c_str());
    EXPECT_EQ(5002, s.GetLength());
    s.AppendFormat(L"%d", 42);
    EXPECT_EQ(L"42", std::wstring(s.Right(2)));
}

TEST(CStringTest, FindReplaceAndSlices)
{
    CString s(L"a/../b/../c");
    EXPECT_EQ(1, s.Find(L'/'));
    EXPECT_EQ(1, s.Find(L"/../"));
    EXPECT_EQ(6, s.Find(L"/../", 2));
    EXPECT_EQ(-1, s.Find(L'z'));
    EXPECT_EQ(-1, s.Find(L'a', 99));
    EXPECT_EQ(9, s.ReverseFind(L'/'));
    EXPECT_EQ(2, s.Replace(L"/../", L"\\"));
    EXPECT_STREQ(L"a\\b\\c", s);
    EXPECT_EQ(0, s.Replace(L"", L"x"));
    EXPECT_STREQ(L"a\\", s.Left(2));
    EXPECT_STREQ(L"\\c", s.Right(2));
    EXPECT_STREQ(L"b\\c", s.Mid(2));
    EXPECT_STREQ(L"b", s.Mid(2, 1));
    EXPECT_STREQ(L"", s.Mid(50, 3));
    EXPECT_STREQ(L"a\\b\\c", s.Left(99));
}

TEST(CStringTest, CaseAndTrimming)
{
    CString s(L"  Lumbra de \t");
    s.Trim();
    EXPECT_STREQ(L"Lumbra de", s);
    EXPECT_STREQ(L"LUMBRA DE", CString(s).MakeUpper());
    EXPECT_STREQ(L"lumbra de", CString(s).MakeLower());
    EXPECT_EQ(0, s.CompareNoCase(L"LUMBRA DE"));
    EXPECT_NE(0, s.Compare(L"LUMBRA DE"));
    CString path(L"C:\\temp\\\\");
    path.TrimRight(L"\\");
    EXPECT_STREQ(L"C:\\temp", path);
    CString all(L"////");
    all.TrimLeft(L"/");
    EXPECT_TRUE(all.IsEmpty());
}

TEST(CStringTest, BufferAccess)
{
    CString s;
    wchar_t* p = s.GetBuffer(260);
    DWORD n = GetTempPathW(260, p);
    s.ReleaseBuffer();
    EXPECT_EQ(static_cast<int>(n), s.GetLength());
    EXPECT_EQ(L'\\', s[s.GetLength() - 1]);

    CString t(L"abcdef");
    t.GetBuffer(0)[2] = L'\0';
    t.ReleaseBuffer();
    EXPECT_STREQ(L"ab", t);
    t.GetBufferSetLength(4);
    t.ReleaseBuffer(1);
    EXPECT_STREQ(L"a", t);
}

TEST(CStringTest, MissingStringResourceIsEmpty)
{
    CString s(L"stale");
    EXPECT_FALSE(s.LoadString(50101));
    EXPECT_TRUE(s.IsEmpty());
}

#include "platform/mfc/AfxSystemModule.h"

TEST(SystemModule, FunctionsAreFoundWhenFirstNeeded)
{
    using SplitFn = wchar_t**(WINAPI*)(const wchar_t*, int*);
    const auto pfnSplit = AfxSystemProc<SplitFn>(L"shell32.dll", "CommandLineToArgvW");
    ASSERT_NE(nullptr, pfnSplit);
    int argc = 0;
    wchar_t** argv = pfnSplit(L"Lumbra.exe /lDE \"a b.bin\"", &argc);
    ASSERT_EQ(3, argc);
    EXPECT_STREQ(L"a b.bin", argv[2]);
    LocalFree(argv);
    EXPECT_NE(nullptr, GetModuleHandleW(L"shell32.dll"));

    EXPECT_EQ(nullptr, AfxSystemProc<SplitFn>(L"shell32.dll", "NoSuchFunction"));
    EXPECT_EQ(nullptr, AfxSystemProc<SplitFn>(L"no-such-module-lumbra.dll", "CommandLineToArgvW"));
}

#include "app/Language.h"

#include <gtest/gtest.h>

TEST(Language, CommandLineValueWinsUnchanged)
{
    EXPECT_STREQ(L"FR", ChooseLanguageCode(L"FR"));
    EXPECT_STREQ(L"de", ChooseLanguageCode(L"de"));
    EXPECT_STREQ(L"XX", ChooseLanguageCode(L"XX"));
}

TEST(Language, EmptyValueFallsBackToCurrentLanguage)
{
    EXPECT_STREQ(L"EN", ZebGetCurrentLanguage());
    EXPECT_STREQ(L"EN", ChooseLanguageCode(L""));
}

TEST(Language, InterfaceLanguageIsUsedOnlyWithoutCurrentLanguage)
{
    ZebSetCurrentLanguage(L"");
    const CString code = ChooseLanguageCode(L"");
    ZebSetCurrentLanguage(L"EN");
    EXPECT_STREQ(LanguageCodeForLangId(GetUserDefaultUILanguage()), code);
    EXPECT_EQ(2, code.GetLength());
}

TEST(Language, InterfaceLanguageTable)
{
    const struct {
        LANGID id;
        const wchar_t* code;
    } cases[] = {
        {MAKELANGID(LANG_CZECH, SUBLANG_DEFAULT), L"CS"},
        {MAKELANGID(LANG_DANISH, SUBLANG_DEFAULT), L"DA"},
        {MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), L"DE"},
        {MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN_AUSTRIAN), L"DE"},
        {MAKELANGID(LANG_GREEK, SUBLANG_DEFAULT), L"EL"},
        {MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_UK), L"EN"},
        {MAKELANGID(LANG_SPANISH, SUBLANG_SPANISH_MEXICAN), L"ES"},
        {MAKELANGID(LANG_FINNISH, SUBLANG_DEFAULT), L"FI"},
        {MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH_CANADIAN), L"FR"},
        {MAKELANGID(LANG_HUNGARIAN, SUBLANG_DEFAULT), L"HU"},
        {MAKELANGID(LANG_ITALIAN, SUBLANG_DEFAULT), L"IT"},
        {MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT), L"JP"},
        {MAKELANGID(LANG_DUTCH, SUBLANG_DUTCH_BELGIAN), L"NL"},
        {MAKELANGID(LANG_NORWEGIAN, SUBLANG_NORWEGIAN_NYNORSK), L"NO"},
        {MAKELANGID(LANG_POLISH, SUBLANG_DEFAULT), L"PL"},
        {MAKELANGID(LANG_PORTUGUESE, SUBLANG_PORTUGUESE_BRAZILIAN), L"PT"},
        {MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT), L"RU"},
        {MAKELANGID(LANG_SWEDISH, SUBLANG_DEFAULT), L"SV"},
        {MAKELANGID(LANG_TURKISH, SUBLANG_DEFAULT), L"TR"},
        {MAKELANGID(LANG_CHINESE, SUBLANG_DEFAULT), L"EN"},
        {MAKELANGID(LANG_KOREAN, SUBLANG_DEFAULT), L"EN"},
        {0, L"EN"},
        // Only the low 10 bits are the primary language, whatever the sublanguage bits say.
        {static_cast<LANGID>(0x7C07), L"DE"},
        {static_cast<LANGID>(0x7C09), L"EN"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(c.code, LanguageCodeForLangId(c.id)) << "langid 0x" << std::hex << c.id;
}

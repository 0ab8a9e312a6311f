#include "app/Language.h"

namespace {

CString& ZebCurrentLanguage()
{
    static CString s_strLanguage(L"EN");
    return s_strLanguage;
}

struct LanguageCode {
    WORD primaryLanguage;
    const wchar_t* code;
};

constexpr LanguageCode kLanguageCodes[] = {
    {5, L"CS"},  {6, L"DA"},  {7, L"DE"},  {8, L"EL"},  {10, L"ES"}, {11, L"FI"},
    {12, L"FR"}, {14, L"HU"}, {16, L"IT"}, {17, L"JP"}, {19, L"NL"}, {20, L"NO"},
    {21, L"PL"}, {22, L"PT"}, {25, L"RU"}, {29, L"SV"}, {31, L"TR"},
};

}  // namespace

CString ZebGetCurrentLanguage()
{
    return ZebCurrentLanguage();
}

void ZebSetCurrentLanguage(const CString& strLanguage)
{
    ZebCurrentLanguage() = strLanguage;
}

const wchar_t* LanguageCodeForLangId(LANGID langId)
{
    const WORD primary = langId & 0x3FF;
    for (const LanguageCode& entry : kLanguageCodes) {
        if (entry.primaryLanguage == primary)
            return entry.code;
    }
    return L"EN";
}

CString ChooseLanguageCode(const CString& strCommandLineLanguage)
{
    CString strCode = strCommandLineLanguage;
    if (strCode.IsEmpty())
        strCode = ZebGetCurrentLanguage();
    if (strCode.IsEmpty())
        strCode = LanguageCodeForLangId(GetUserDefaultUILanguage());
    return strCode;
}

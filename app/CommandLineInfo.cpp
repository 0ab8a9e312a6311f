#include "app/CommandLineInfo.h"

IMPLEMENT_DYNAMIC(CMyCommandLineInfo, CCommandLineInfo)

void CMyCommandLineInfo::ParseParam(const wchar_t* pszParam, BOOL bFlag, BOOL bLast)
{
    CCommandLineInfo::ParseParam(pszParam, bFlag, bLast);
    if (!bFlag)
        return;
    // Only the first character after the switch character counts, and it is case-sensitive.
    switch (pszParam[0]) {
    case L'e':
        m_bExtractOnly = TRUE;
        break;
    case L'l':
        m_strLanguage = pszParam + 1;
        break;
    default:
        break;
    }
}

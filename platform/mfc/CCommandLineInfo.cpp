#include "platform/mfc/CCommandLineInfo.h"

IMPLEMENT_DYNAMIC(CCommandLineInfo, CObject)

void CCommandLineInfo::ParseParam(const wchar_t* pszParam, BOOL bFlag, BOOL bLast)
{
    if (bFlag)
        ParseParamFlag(pszParam);
    else
        ParseParamNotFlag(pszParam);
    ParseLast(bLast);
}

void CCommandLineInfo::ParseParamFlag(const wchar_t* pszParam)
{
    const CString param(pszParam);
    if (param.CompareNoCase(L"pt") == 0)
        m_nShellCommand = FilePrintTo;
    else if (param.CompareNoCase(L"p") == 0)
        m_nShellCommand = FilePrint;
    else if (param.CompareNoCase(L"Register") == 0 || param.CompareNoCase(L"Regserver") == 0)
        m_nShellCommand = AppRegister;
    else if (param.CompareNoCase(L"Unregister") == 0 || param.CompareNoCase(L"Unregserver") == 0)
        m_nShellCommand = AppUnregister;
    else if (param.CompareNoCase(L"dde") == 0)
        m_nShellCommand = FileDDE;
    else if (param.CompareNoCase(L"Embedding") == 0)
        m_bRunEmbedded = TRUE;
    else if (param.CompareNoCase(L"Automation") == 0)
        m_bRunAutomated = TRUE;
}

void CCommandLineInfo::ParseParamNotFlag(const wchar_t* pszParam)
{
    if (m_strFileName.IsEmpty())
        m_strFileName = pszParam;
    else if (m_nShellCommand == FilePrintTo && m_strPrinterName.IsEmpty())
        m_strPrinterName = pszParam;
    else if (m_nShellCommand == FilePrintTo && m_strDriverName.IsEmpty())
        m_strDriverName = pszParam;
    else if (m_nShellCommand == FilePrintTo && m_strPortName.IsEmpty())
        m_strPortName = pszParam;
}

void CCommandLineInfo::ParseLast(BOOL bLast)
{
    if (!bLast)
        return;
    if (m_nShellCommand == FileNew && !m_strFileName.IsEmpty())
        m_nShellCommand = FileOpen;
    m_bShowSplash = !m_bRunEmbedded && !m_bRunAutomated;
}

void ParseCommandLineArguments(CCommandLineInfo& rCmdInfo, int argc, const wchar_t* const* argv)
{
    for (int i = 1; i < argc; ++i) {
        const wchar_t* pszParam = argv[i];
        BOOL bFlag = FALSE;
        const BOOL bLast = (i == argc - 1);
        if (pszParam[0] == L'-' || pszParam[0] == L'/') {
            bFlag = TRUE;
            ++pszParam;
        }
        rCmdInfo.ParseParam(pszParam, bFlag, bLast);
    }
}

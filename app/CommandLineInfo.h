#pragma once
// The launcher's own switches: /e (extract only) and /l<code> (language).
#include "platform/mfc/CCommandLineInfo.h"

class CMyCommandLineInfo : public CCommandLineInfo {
    DECLARE_DYNAMIC(CMyCommandLineInfo)
public:
    CMyCommandLineInfo() = default;
    ~CMyCommandLineInfo() override = default;

    void ParseParam(const wchar_t* pszParam, BOOL bFlag, BOOL bLast) override;

    // 16-bit, as the launcher has always kept it.
    SHORT m_bExtractOnly = FALSE;
    CString m_strLanguage;
};

#pragma once
// The framework's command-line object: ParseCommandLine hands it every argument.
#include "platform/mfc/CObject.h"
#include "platform/mfc/CString.h"

class CCommandLineInfo : public CObject {
    DECLARE_DYNAMIC(CCommandLineInfo)
public:
    enum {
        FileNew,
        FileOpen,
        FilePrint,
        FilePrintTo,
        FileDDE,
        AppRegister,
        AppUnregister,
        FileNothing = -1
    };

    CCommandLineInfo() = default;
    ~CCommandLineInfo() override = default;

    // pszParam is the argument without its leading '/' or '-' when bFlag is TRUE.
    virtual void ParseParam(const wchar_t* pszParam, BOOL bFlag, BOOL bLast);

    BOOL m_bShowSplash = TRUE;
    BOOL m_bRunEmbedded = FALSE;
    BOOL m_bRunAutomated = FALSE;
    int m_nShellCommand = FileNew;
    CString m_strFileName;
    CString m_strPrinterName;
    CString m_strDriverName;
    CString m_strPortName;

protected:
    void ParseParamFlag(const wchar_t* pszParam);
    void ParseParamNotFlag(const wchar_t* pszParam);
    void ParseLast(BOOL bLast);
};

// Walks argv[1..argc-1] as CWinApp::ParseCommandLine does: '/' or '-' starts a flag.
void ParseCommandLineArguments(CCommandLineInfo& rCmdInfo, int argc, const wchar_t* const* argv);

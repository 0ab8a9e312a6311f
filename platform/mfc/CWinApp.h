#pragma once
// The application object: one static instance; the framework entry runs InitInstance.
#include "platform/mfc/CCommandLineInfo.h"
#include "platform/mfc/CObject.h"

class CWinApp : public CObject {
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(const wchar_t* pszAppName = nullptr);
    ~CWinApp() override;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance();
    // The process's exit code when InitInstance returns FALSE: 0 unless SetExitCode said otherwise.
    virtual int ExitInstance();
    void SetExitCode(int nExitCode) { m_nExitCode = nExitCode; }

    // Hands every argument of the process's wide argument vector to rCmdInfo.ParseParam.
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);

    void OnHelp();

    const wchar_t* m_pszAppName;
    HINSTANCE m_hInstance = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;

private:
    int m_nExitCode = 0;
};

CWinApp* AfxGetApp();

// The body of wWinMain: binds the instance, runs InitInstance and returns the exit code.
int AfxWinMain(HINSTANCE hInstance, int nCmdShow);

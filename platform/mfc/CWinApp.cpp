#include "platform/mfc/CWinApp.h"

#include "platform/mfc/AfxSystemModule.h"
#include <cstdlib>

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

namespace {
CWinApp* g_pApp = nullptr;
}

CWinApp::CWinApp(const wchar_t* pszAppName) : m_pszAppName(pszAppName)
{
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    if (g_pApp == this)
        g_pApp = nullptr;
}

CWinApp* AfxGetApp()
{
    return g_pApp;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    // No recent-file list or profile settings exist to be saved.
    return m_nExitCode;
}

void CWinApp::OnHelp()
{
    // The launcher carries no help of its own; the viewer brings its help files.
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    if (__wargv) {
        ParseCommandLineArguments(rCmdInfo, __argc, __wargv);
        return;
    }
    // A narrow-entry program has no wide vector from the runtime: split the wide command line.
    using SplitFn = wchar_t**(WINAPI*)(const wchar_t*, int*);
    const auto pfnSplit = AfxSystemProc<SplitFn>(L"shell32.dll", "CommandLineToArgvW");
    int argc = 0;
    wchar_t** argv = pfnSplit ? pfnSplit(GetCommandLineW(), &argc) : nullptr;
    if (argv) {
        ParseCommandLineArguments(rCmdInfo, argc, argv);
        LocalFree(argv);
    }
}

int AfxWinMain(HINSTANCE hInstance, int nCmdShow)
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return -1;
    pApp->m_hInstance = hInstance;
    pApp->m_nCmdShow = nCmdShow;
    // Without a message loop an application that returns TRUE ends here as well.
    pApp->InitInstance();
    return pApp->ExitInstance();
}

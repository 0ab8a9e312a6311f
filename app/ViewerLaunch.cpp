#include "app/ViewerLaunch.h"

#include <vector>

CString BuildViewerCommandLine(const CString& strFolder, const CString& strLanguage, const CString& strFile)
{
    return L"\"" + strFolder + L"Tavisk.exe\" /l" + strLanguage + L" \"" + strFile + L"\"";
}

DWORD RunViewer(const CString& strCommandLine, HWND hSplash)
{
    // CreateProcessW may write into the command line: hand it a private copy.
    std::vector<wchar_t> commandLine(strCommandLine.GetString(),
                                     strCommandLine.GetString() + strCommandLine.GetLength() + 1);
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    DWORD dwStartError = 0;
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        dwStartError = GetLastError();
    // ERROR_SUCCESS from a failed start would read as success: keep it a failure.
    if (pi.hProcess == nullptr && dwStartError == 0)
        dwStartError = ERROR_GEN_FAILURE;

    if (pi.hProcess)
        WaitForInputIdle(pi.hProcess, INFINITE);
    if (hSplash)
        ShowWindow(hSplash, SW_HIDE);
    if (pi.hProcess) {
        WaitForSingleObject(pi.hProcess, INFINITE);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    return dwStartError;
}

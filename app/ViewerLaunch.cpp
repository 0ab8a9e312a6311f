#include "app/ViewerLaunch.h"

#include "app/ViewerJob.h"

#include <vector>

CString BuildViewerCommandLine(const CString& strFolder, const CString& strLanguage, const CString& strFile)
{
    return L"\"" + strFolder + L"Tavisk.exe\" /l" + strLanguage + L" \"" + strFile + L"\"";
}

DWORD RunViewer(const CString& strCommandLine, HWND hSplash, HANDLE hKeepAlive)
{
    // CreateProcessW may write into the command line: hand it a private copy.
    std::vector<wchar_t> commandLine(strCommandLine.GetString(),
                                     strCommandLine.GetString() + strCommandLine.GetLength() + 1);
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    DWORD dwStartError = 0;
    // Created suspended, so the viewer is in the job before its first instruction: nothing it starts
    // can escape the wait.
    ViewerJob job;
    const DWORD dwFlags = job.Usable() ? CREATE_SUSPENDED : 0;
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, dwFlags, nullptr, nullptr, &si, &pi))
        dwStartError = GetLastError();
    if (pi.hProcess) {
        if (dwFlags & CREATE_SUSPENDED) {
            job.Assign(pi.hProcess);  // refused: the viewer alone is waited for
            ResumeThread(pi.hThread);
        }
        // The viewer holds a copy of the handle that marks the folder as in use: should the launcher
        // die, the folder stays until the viewer has ended too.
        HANDLE hCopy = nullptr;
        if (hKeepAlive)
            DuplicateHandle(GetCurrentProcess(), hKeepAlive, pi.hProcess, &hCopy, 0, FALSE, DUPLICATE_SAME_ACCESS);
    }
    // ERROR_SUCCESS from a failed start would read as success: keep it a failure.
    if (pi.hProcess == nullptr && dwStartError == 0)
        dwStartError = ERROR_GEN_FAILURE;

    if (pi.hProcess)
        WaitForInputIdle(pi.hProcess, INFINITE);
    if (hSplash)
        ShowWindow(hSplash, SW_HIDE);
    if (pi.hProcess) {
        WaitForSingleObject(pi.hProcess, INFINITE);
        job.WaitUntilEmpty();
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    return dwStartError;
}

#include "app/Lumbra.h"

#include "app/CommandLineInfo.h"
#include "app/Language.h"
#include "app/SplashProgress.h"
#include "app/StaleFolders.h"
#include "app/StartupTiming.h"
#include "app/ViewerLaunch.h"
#include "app/WorkingFolder.h"
#include "platform/mfc/CWnd.h"
#include "toolkit/dialogs/VellSplashDlg.h"
#include "toolkit/menu/MenuHook.h"
#include "unpack/ReportAssertion.h"
#include "unpack/ReportLines.h"
#include "unpack/ResourceArchive.h"
#include "unpack/UnpackProgress.h"

#include <iterator>

IMPLEMENT_DYNAMIC(CLumbra, CWinApp)

BEGIN_MESSAGE_MAP(CLumbra, CWinApp)
    ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

namespace {

CString ReadTempPath()
{
    CString strTempPath;
    const DWORD n = GetTempPathW(MAX_PATH, strTempPath.GetBuffer(MAX_PATH));
    strTempPath.ReleaseBuffer(n < MAX_PATH ? static_cast<int>(n) : 0);
    if (strTempPath.IsEmpty())
        ReportAssertion(kAssertionKind, kLauncherSource, kLineTempPath, L"0 != GetTempPath(MAX_PATH, szTempPath)");
    return strTempPath;
}

WorkingFolder PrepareWorkingFolder(const CString& strTempPath, BOOL bExtractOnly)
{
    if (bExtractOnly)
        return PrepareExtractFolder(strTempPath);
    WorkingFolder folder;
    DWORD dwLastError = ERROR_SUCCESS;
    if (!CreateFreshWorkingFolder(strTempPath, TakeFolderTimeStamp(_time64(nullptr)), folder, &dwLastError)) {
        SetLastError(dwLastError);
        ReportAssertion(kAssertionKind, kLauncherSource, kLineWorkingFolder, L"CreateDirectory(szWorkDir, NULL)");
    }
    return folder;
}

}  // namespace

BOOL CLumbra::InitInstance()
{
    StartupTiming timing;
    timing.Note(CurrentThreadMenuHook() ? L"menu hook ready" : L"no menu hook");
    CMyCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);

    // Shown and painted before the constructor returns: the user sees at once that something happens.
    CVellSplashDlg* pSplash = new CVellSplashDlg(L"Orvane Lumbra");
    timing.Note(L"splash painted");

    const CString strTempPath = ReadTempPath();
    const WorkingFolder folder = PrepareWorkingFolder(strTempPath, cmdInfo.m_bExtractOnly);
    // A fresh folder is marked as in use for as long as this run (and its viewer) lasts; the fixed
    // extract folder belongs to nobody and is never swept.
    FolderLiveness liveness(cmdInfo.m_bExtractOnly ? CString() : folder.path);
    // Folders of earlier runs that were killed go on a thread of their own meanwhile.
    StaleFolderSweep sweep(strTempPath, folder.path);
    const CString strLanguage = ChooseLanguageCode(cmdInfo.m_strLanguage);

    const CString strArchives[] = {L"ZOLT", L"VC", L"RUNTIME", L"LANG_" + strLanguage, L"HELP_" + strLanguage};
    uint64_t nTotalBytes = 0;
    for (const CString& strArchive : strArchives)
        nTotalBytes += UnpackedSizeOfArchive(GetModuleHandleW(nullptr), strArchive);
    SplashProgress progress(
        pSplash->GetSafeHwnd(), [pSplash](const CString& strStatus) { pSplash->SetStatus(strStatus); }, nTotalBytes,
        static_cast<int>(std::size(strArchives)));
    for (const CString& strArchive : strArchives)
        UnpackArchive(strArchive, folder.path, &progress);
    progress.Finish();
    timing.Note(L"unpacked");

    if (!cmdInfo.m_bExtractOnly) {
        const DWORD dwStartError = RunViewer(BuildViewerCommandLine(folder.path, strLanguage, cmdInfo.m_strFileName),
                                             pSplash->GetSafeHwnd(), liveness.Handle());
        timing.Note(L"viewer ended");
        Sleep(100);
        // The marker goes last: should a file stay in use, a later run still knows the rest as stale.
        // It is held while the rest goes, so no other run's sweep takes the folder for stale and
        // removes it alongside.
        if (folder.created) {
            DeleteFolderTreeLast(folder.path, kLivenessMarkerName, [&liveness] { liveness.Release(); });
            liveness.Release();  // also when something stayed
        } else {
            liveness.Release();
            DeleteFolderTree(folder.path, FALSE);
        }
        if (dwStartError != 0) {
            // A viewer that never ran is no success: say why, and end with a code of its own.
            WriteAssertionLine(kAssertionKind, kLauncherSource, kLineStartViewer, L"CreateProcess(NULL, szCmdLine, ...)", dwStartError);
            SetExitCode(2);
        }
    }

    pSplash->DestroyWindow();
    delete pSplash;
    return FALSE;
}

void CLumbra::UnpackArchive(const wchar_t* pszName, const wchar_t* pszFolder, UnpackProgress* pProgress)
{
    UnpackResourceArchive(GetModuleHandleW(nullptr), pszName, pszFolder, pProgress);
}

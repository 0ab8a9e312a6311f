#include "app/Lumbra.h"

#include "app/CommandLineInfo.h"
#include "app/Language.h"
#include "app/ViewerLaunch.h"
#include "app/WorkingFolder.h"
#include "unpack/ReportAssertion.h"
#include "unpack/ResourceArchive.h"

IMPLEMENT_DYNAMIC(CLumbra, CWinApp)

namespace {

CString ReadTempPath()
{
    CString strTempPath;
    const DWORD n = GetTempPathW(MAX_PATH, strTempPath.GetBuffer(MAX_PATH));
    strTempPath.ReleaseBuffer(n < MAX_PATH ? static_cast<int>(n) : 0);
    if (strTempPath.IsEmpty())
        ReportAssertion(L"Assertion", L".\\Lumbra", 201, L"0 != GetTempPath(MAX_PATH, szTempPath)");
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
        ReportAssertion(L"Assertion", L".\\Lumbra", 218, L"CreateDirectory(szWorkDir, NULL)");
    }
    return folder;
}

}  // namespace

BOOL CLumbra::InitInstance()
{
    CMyCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);

    const CString strTempPath = ReadTempPath();
    const WorkingFolder folder = PrepareWorkingFolder(strTempPath, cmdInfo.m_bExtractOnly);
    const CString strLanguage = ChooseLanguageCode(cmdInfo.m_strLanguage);

    UnpackArchive(L"ZOLT", folder.path);
    UnpackArchive(L"VC", folder.path);
    UnpackArchive(L"RUNTIME", folder.path);
    UnpackArchive(L"LANG_" + strLanguage, folder.path);
    UnpackArchive(L"HELP_" + strLanguage, folder.path);

    if (!cmdInfo.m_bExtractOnly) {
        const DWORD dwStartError =
            RunViewer(BuildViewerCommandLine(folder.path, strLanguage, cmdInfo.m_strFileName), nullptr);
        Sleep(100);
        DeleteFolderTree(folder.path, folder.created);
        if (dwStartError != 0) {
            // A viewer that never ran is no success: say why, and end with a code of its own.
            WriteAssertionLine(L"Assertion", L".\\Lumbra", 301, L"CreateProcess(NULL, szCmdLine, ...)", dwStartError);
            SetExitCode(2);
        }
    }
    return FALSE;
}

void CLumbra::UnpackArchive(const wchar_t* pszName, const wchar_t* pszFolder)
{
    UnpackResourceArchive(GetModuleHandleW(nullptr), pszName, pszFolder);
}

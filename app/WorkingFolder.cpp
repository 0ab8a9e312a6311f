#include "app/WorkingFolder.h"

#include "app/FindHandle.h"
#include "platform/mfc/AfxSystemModule.h"

#include <oleauto.h>

FolderTimeStamp TakeFolderTimeStamp(__time64_t now)
{
    FolderTimeStamp stamp;
    struct tm local = {};
    if (_localtime64_s(&local, &now) != 0)
        return stamp;

    SYSTEMTIME st = {};
    st.wYear = static_cast<WORD>(local.tm_year + 1900);
    st.wMonth = static_cast<WORD>(local.tm_mon + 1);
    st.wDay = static_cast<WORD>(local.tm_mday);
    st.wHour = static_cast<WORD>(local.tm_hour);
    st.wMinute = static_cast<WORD>(local.tm_min);
    st.wSecond = static_cast<WORD>(local.tm_sec);

    // The OLE date conversion lives in oleaut32, which nothing else of a run needs.
    using ToDateFn = INT(WINAPI*)(LPSYSTEMTIME, DOUBLE*);
    using FromDateFn = INT(WINAPI*)(DOUBLE, LPSYSTEMTIME);
    const auto pfnToDate = AfxSystemProc<ToDateFn>(L"oleaut32.dll", "SystemTimeToVariantTime");
    const auto pfnFromDate = AfxSystemProc<FromDateFn>(L"oleaut32.dll", "VariantTimeToSystemTime");
    SYSTEMTIME back = st;
    DATE date = 0;
    if (pfnToDate && pfnFromDate && pfnToDate(&st, &date) && pfnFromDate(date, &back)) {
        const bool same = back.wYear == st.wYear && back.wMonth == st.wMonth && back.wDay == st.wDay &&
                          back.wHour == st.wHour && back.wMinute == st.wMinute &&
                          back.wSecond == st.wSecond;
        if (!same)
            back = st;
    }
    stamp.month = back.wMonth;
    stamp.day = back.wDay;
    stamp.hour = back.wHour;
    stamp.minute = back.wMinute;
    stamp.second = back.wSecond;
    stamp.milliseconds = 0;
    return stamp;
}

CString FormatWorkingFolderName(const FolderTimeStamp& stamp, int nRetry)
{
    CString strName;
    strName.Format(L"LM%02d%02d%02d%02d%02d%d%d", stamp.month, stamp.day, stamp.hour, stamp.minute,
                   stamp.second, stamp.milliseconds, nRetry);
    return strName;
}

BOOL CreateFreshWorkingFolder(const CString& strTempPath, const FolderTimeStamp& stamp,
                              WorkingFolder& folder, DWORD* pLastError, int maxAttempts)
{
    DWORD lastError = ERROR_SUCCESS;
    for (int nRetry = 0; nRetry < maxAttempts; ++nRetry) {
        const CString strPath = strTempPath + FormatWorkingFolderName(stamp, nRetry) + L"\\";
        if (CreateDirectoryW(strPath, nullptr)) {
            folder.path = strPath;
            folder.created = TRUE;
            return TRUE;
        }
        lastError = GetLastError();
    }
    if (pLastError)
        *pLastError = lastError;
    return FALSE;
}

WorkingFolder PrepareExtractFolder(const CString& strTempPath)
{
    WorkingFolder folder;
    folder.path = strTempPath + L"LM\\";
    folder.created = CreateDirectoryW(folder.path, nullptr) ? TRUE : FALSE;
    return folder;
}

namespace {

bool IsDotEntry(const wchar_t* name)
{
    return (name[0] == L'.' && name[1] == L'\0') ||
           (name[0] == L'.' && name[1] == L'.' && name[2] == L'\0');
}

// An entry that another removal of the same tree took away first (another run's sweep, say) is gone
// all the same.
bool IsGoneError(DWORD dwError)
{
    return dwError == ERROR_FILE_NOT_FOUND || dwError == ERROR_PATH_NOT_FOUND;
}

BOOL DeleteFileEntry(const CString& strPath)
{
    const DWORD attributes = GetFileAttributesW(strPath);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesW(strPath, attributes & ~FILE_ATTRIBUTE_READONLY);
    return DeleteFileW(strPath) || IsGoneError(GetLastError());
}

// A folder that another process has open for a moment (another removal listing it, a virus scanner)
// cannot be removed until it lets go: tried again for a short while.
BOOL RemoveEmptyFolder(const wchar_t* pszFolder)
{
    constexpr int kSharingRetries = 25;
    constexpr DWORD kSharingRetryMs = 10;
    for (int nTry = 0;; ++nTry) {
        if (RemoveDirectoryW(pszFolder))
            return TRUE;
        const DWORD dwError = GetLastError();
        // Asked again: for a folder that has just gone, not every system names the error the same.
        if (IsGoneError(dwError) ||
            (GetFileAttributesW(pszFolder) == INVALID_FILE_ATTRIBUTES && IsGoneError(GetLastError())))
            return TRUE;
        if (dwError != ERROR_SHARING_VIOLATION || nTry == kSharingRetries) {
            SetLastError(dwError);
            return FALSE;
        }
        Sleep(kSharingRetryMs);
    }
}

// A symbolic link to a file, removed as a link. Its own read-only bit is cleared through a handle to
// the link itself: the path functions would follow it and change the file it points to.
BOOL DeleteFileLink(const CString& strPath, DWORD dwLinkAttributes)
{
    if (DeleteFileW(strPath))
        return TRUE;
    if (!(dwLinkAttributes & FILE_ATTRIBUTE_READONLY))
        return FALSE;
    HANDLE hLink = CreateFileW(strPath, FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (hLink == INVALID_HANDLE_VALUE)
        return FALSE;
    FILE_BASIC_INFO info = {};
    info.FileAttributes = dwLinkAttributes & ~FILE_ATTRIBUTE_READONLY;
    const BOOL bCleared = SetFileInformationByHandle(hLink, FileBasicInfo, &info, sizeof(info));
    CloseHandle(hLink);
    return bCleared && DeleteFileW(strPath);
}

// Removes what one listing of pszFolder shows, but the entry pszKeep; FALSE when an entry stays.
BOOL DeleteListedEntries(const wchar_t* pszFolder, const wchar_t* pszKeep);

// While another removal of the same tree runs, a listing may miss entries that still exist: a folder
// found not empty after everything listed went is listed again, a few times at most.
constexpr int kListingPasses = 4;

// DeleteFolderTree; with pszLast, that entry directly inside pszFolder goes only after everything
// else has gone (and beforeLast has run), right before the folder itself.
BOOL DeleteTree(const wchar_t* pszFolder, BOOL bRemoveFolder, const wchar_t* pszLast,
                const std::function<void()>& beforeLast)
{
    bool bBeforeLastDone = false;
    for (int nPass = 1;; ++nPass) {
        const BOOL bResult = DeleteListedEntries(pszFolder, pszLast);
        if (!bRemoveFolder)
            return bResult;
        if (!bResult)
            return FALSE;  // something stays: the folder (and the last entry) with it
        if (pszLast) {
            if (beforeLast && !bBeforeLastDone) {
                beforeLast();
                bBeforeLastDone = true;
            }
            const CString strLast = CString(pszFolder) + L"\\" + pszLast;
            if (!DeleteFileEntry(strLast) && GetFileAttributesW(strLast) != INVALID_FILE_ATTRIBUTES)
                return FALSE;
        }
        if (RemoveEmptyFolder(pszFolder))
            return TRUE;
        if (GetLastError() != ERROR_DIR_NOT_EMPTY || nPass == kListingPasses)
            return FALSE;
    }
}

BOOL DeleteListedEntries(const wchar_t* pszFolder, const wchar_t* pszKeep)
{
    const CString strPrefix = CString(pszFolder) + L"\\";
    BOOL bResult = TRUE;
    WIN32_FIND_DATAW data;
    FindHandle find(FindFirstFileW(strPrefix + L"*", &data));
    if (!find.valid())
        return TRUE;
    do {
        if (IsDotEntry(data.cFileName) || (pszKeep && lstrcmpiW(data.cFileName, pszKeep) == 0))
            continue;
        const CString strPath = strPrefix + data.cFileName;
        BOOL bEntry;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
            // A junction or symbolic link: remove the link, never walk into its target.
            bEntry = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? RemoveDirectoryW(strPath)
                                                                       : DeleteFileLink(strPath, data.dwFileAttributes);
        } else if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            bEntry = DeleteTree(strPath, TRUE, nullptr, nullptr);
        } else {
            bEntry = DeleteFileEntry(strPath);
        }
        // One file still in use keeps itself and its folders, not everything after it.
        if (!bEntry)
            bResult = FALSE;
    } while (FindNextFileW(find.get(), &data));
    return bResult;
}

}  // namespace

BOOL DeleteFolderTree(const wchar_t* pszFolder, BOOL bRemoveFolder)
{
    return DeleteTree(pszFolder, bRemoveFolder, nullptr, nullptr);
}

BOOL DeleteFolderTreeLast(const wchar_t* pszFolder, const wchar_t* pszLast, const std::function<void()>& beforeLast)
{
    return DeleteTree(pszFolder, TRUE, pszLast, beforeLast);
}

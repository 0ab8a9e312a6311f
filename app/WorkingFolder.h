#pragma once
// The folder a run unpacks into: fresh and time-stamped, or the fixed "LM" folder with /e.
#include "platform/mfc/CString.h"

#include <ctime>
#include <functional>

// The parts of the local time that go into a folder name; milliseconds are always 0.
struct FolderTimeStamp {
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int milliseconds = 0;
};

struct WorkingFolder {
    CString path;          // ends with "\\"
    BOOL created = FALSE;  // TRUE when this run created the folder
};

// Attempts before a fresh folder is given up (a temp folder we cannot write to, a full disk).
constexpr int kMaxFolderAttempts = 10000;

// Local time of 'now' at whole-second resolution, passed through an OLE date. Falls back to the
// broken-down local time when the date conversion does not give the same fields back.
FolderTimeStamp TakeFolderTimeStamp(__time64_t now);

// "LM" + month, day, hour, minute, second (two digits each) + milliseconds + retry counter.
CString FormatWorkingFolderName(const FolderTimeStamp& stamp, int nRetry);

// Creates tempPath + name + "\\" with the next free counter. FALSE after maxAttempts failures;
// *pLastError then holds the last creation error.
BOOL CreateFreshWorkingFolder(const CString& strTempPath, const FolderTimeStamp& stamp,
                              WorkingFolder& folder, DWORD* pLastError,
                              int maxAttempts = kMaxFolderAttempts);

// tempPath + "LM\\", created when missing and reused otherwise.
WorkingFolder PrepareExtractFolder(const CString& strTempPath);

// Removes everything below pszFolder, and the folder itself when bRemoveFolder is TRUE. An entry that
// cannot be removed (a file still in use) stays with the folders above it; every other entry goes, and
// the result is FALSE. Links (junctions, symbolic links) are removed as links: what
// they point to is never touched.
BOOL DeleteFolderTree(const wchar_t* pszFolder, BOOL bRemoveFolder);

// Removes pszFolder with everything in it, the file pszLast (directly inside it) only after
// everything else has gone, and beforeLast (when given) run just before it goes: when something
// cannot be removed, pszLast stays with it. An entry that is already gone (another removal of the
// same tree was quicker) counts as removed.
BOOL DeleteFolderTreeLast(const wchar_t* pszFolder, const wchar_t* pszLast,
                          const std::function<void()>& beforeLast = nullptr);

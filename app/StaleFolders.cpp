#include "app/StaleFolders.h"

#include "app/FindHandle.h"
#include "app/WorkingFolder.h"

#include <cwchar>

namespace {

// "LM" + month, day, hour, minute, second (10 digits) + milliseconds (at least one) + retry counter
// (at least one): 12 digits and more. Bounded, so that no other program's names qualify by accident.
constexpr size_t kMinStampDigits = 12;
constexpr size_t kMaxStampDigits = 20;

// True when the folder's marker exists as a plain file and nobody holds it: its run is gone.
bool IsOwnerGone(const CString& strFolder)
{
    // Opened without sharing: a live run's handle makes this fail with a sharing violation. A marker
    // that is a link is opened as the link, never followed.
    HANDLE hMarker = CreateFileW(strFolder + kLivenessMarkerName, GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                 FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (hMarker == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION info = {};
    const bool plainFile = GetFileInformationByHandle(hMarker, &info) &&
                           !(info.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY));
    CloseHandle(hMarker);
    return plainFile;
}

}  // namespace

FolderLiveness::FolderLiveness(const CString& strFolder)
{
    if (strFolder.IsEmpty())
        return;
    HANDLE h = CreateFileW(strFolder + kLivenessMarkerName, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_HIDDEN, nullptr);
    m_hMarker = h == INVALID_HANDLE_VALUE ? nullptr : h;
}

void FolderLiveness::Release()
{
    if (m_hMarker) {
        CloseHandle(m_hMarker);
        m_hMarker = nullptr;
    }
}

bool IsWorkingFolderName(const wchar_t* pszName)
{
    if (pszName[0] != L'L' || pszName[1] != L'M')
        return false;
    size_t digits = 0;
    for (const wchar_t* p = pszName + 2; *p; ++p, ++digits)
        if (*p < L'0' || *p > L'9')
            return false;
    return digits >= kMinStampDigits && digits <= kMaxStampDigits;
}

void SweepStaleWorkingFolders(const CString& strTempPath, const CString& strOwnFolder)
{
    WIN32_FIND_DATAW data;
    FindHandle find(FindFirstFileW(strTempPath + L"LM*", &data));
    if (!find.valid())
        return;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
            continue;
        if (!IsWorkingFolderName(data.cFileName))
            continue;
        const CString strFolder = strTempPath + data.cFileName + L"\\";
        if (strFolder.CompareNoCase(strOwnFolder) == 0 || !IsOwnerGone(strFolder))
            continue;
        // The marker goes last: a folder that cannot be removed whole stays recognisable as stale.
        DeleteFolderTreeLast(strFolder, kLivenessMarkerName);
    } while (FindNextFileW(find.get(), &data));
}

StaleFolderSweep::StaleFolderSweep(const CString& strTempPath, const CString& strOwnFolder)
    : m_strTempPath(strTempPath), m_strOwnFolder(strOwnFolder)
{
    m_hThread = CreateThread(nullptr, 0, ThreadMain, this, 0, nullptr);
}

StaleFolderSweep::~StaleFolderSweep()
{
    if (m_hThread) {
        WaitForSingleObject(m_hThread, INFINITE);
        CloseHandle(m_hThread);
    }
}

DWORD WINAPI StaleFolderSweep::ThreadMain(void* pParam)
{
    auto* pSweep = static_cast<StaleFolderSweep*>(pParam);
    // Low processor and disk priority: the unpacking and the viewer come first.
    SetThreadPriority(GetCurrentThread(), THREAD_MODE_BACKGROUND_BEGIN);
    SweepStaleWorkingFolders(pSweep->m_strTempPath, pSweep->m_strOwnFolder);
    return 0;
}

#pragma once
// Working folders that no run owns any more: a run that was killed (power cut, task manager, log-off)
// leaves its folder behind. Each run marks its folder as alive with a marker file that it holds open
// without sharing; the handle dies with the process. A later run removes every folder of the
// launcher's name pattern whose marker nobody holds.
#include "platform/mfc/CString.h"

// The marker's name inside a working folder.
constexpr wchar_t kLivenessMarkerName[] = L"Lumbra.run";

// Holds the marker of one working folder for as long as it lives.
class FolderLiveness {
public:
    // Creates and holds <folder>Lumbra.run (folder ends with "\\"); an empty folder path marks
    // nothing. A folder without its marker is simply never swept.
    explicit FolderLiveness(const CString& strFolder);
    ~FolderLiveness() { Release(); }
    FolderLiveness(const FolderLiveness&) = delete;
    FolderLiveness& operator=(const FolderLiveness&) = delete;

    // The held handle (null when the marker could not be made).
    HANDLE Handle() const { return m_hMarker; }
    // Lets go of the marker, so that the folder can be removed.
    void Release();

private:
    HANDLE m_hMarker = nullptr;
};

// "LM" followed by the digits of a time-stamped working folder (never the fixed "LM" folder).
bool IsWorkingFolderName(const wchar_t* pszName);

// Removes every folder directly under strTempPath with a working folder's name whose marker exists
// and is held by nobody. Skips links and junctions, folders without a marker, and strOwnFolder.
// Reports nothing; what cannot be removed stays, with its marker, for a later run.
void SweepStaleWorkingFolders(const CString& strTempPath, const CString& strOwnFolder);

// Runs the sweep on a thread of its own at background priority, so that it never delays the run.
// The destructor waits for it.
class StaleFolderSweep {
public:
    StaleFolderSweep(const CString& strTempPath, const CString& strOwnFolder);
    ~StaleFolderSweep();
    StaleFolderSweep(const StaleFolderSweep&) = delete;
    StaleFolderSweep& operator=(const StaleFolderSweep&) = delete;

private:
    static DWORD WINAPI ThreadMain(void* pParam);
    CString m_strTempPath;
    CString m_strOwnFolder;
    HANDLE m_hThread = nullptr;
};

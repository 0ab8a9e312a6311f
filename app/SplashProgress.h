#pragma once
// Keeps the splash alive while the archives are unpacked: its status line shows how far the
// unpacking has come, and it repaints and answers the system between writes. Keys and clicks
// meanwhile are dropped: nothing on the splash may act before the viewer runs.
#include "platform/mfc/CString.h"
#include "unpack/UnpackProgress.h"

#include <functional>

// "Preparing … 3 of 5 (42 %)": the archive being unpacked and the share of all bytes written.
CString FormatProgressText(int nArchive, int nArchives, uint64_t nWritten, uint64_t nTotal);

// Handles the messages waiting for this thread's windows, dropping keyboard and mouse input.
void PumpMessagesWithoutInput();

class SplashProgress final : public UnpackProgress {
public:
    using StatusSink = std::function<void(const CString&)>;

    // hSplash may be null (nothing to keep alive); setStatus shows a text on it.
    SplashProgress(HWND hSplash, StatusSink setStatus, uint64_t nTotalBytes, int nArchives);

    void OnArchiveStarted(const wchar_t* pszName) override;
    void OnBytesWritten(uint64_t nBytes) override;
    // Shows the final state, which the last writes may not have shown yet.
    void Finish() { Refresh(true); }

    uint64_t BytesWritten() const { return m_nWritten; }

private:
    void Refresh(bool bForce);

    HWND m_hSplash;
    StatusSink m_setStatus;
    uint64_t m_nTotal;
    uint64_t m_nWritten = 0;
    int m_nArchives;
    int m_nArchive = 0;
    ULONGLONG m_lastRefresh = 0;
    CString m_strShown;
};

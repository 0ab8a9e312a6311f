#include "app/SplashProgress.h"

#include <algorithm>

namespace {

// Often enough to look smooth and to answer the system, rarely enough to cost nothing.
constexpr ULONGLONG kRefreshIntervalMs = 40;

bool IsInputMessage(UINT message)
{
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
           (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK) || message == WM_NCMOUSEHOVER ||
           message == WM_NCMOUSELEAVE || message == WM_MOUSEHOVER || message == WM_MOUSELEAVE;
}

}  // namespace

CString FormatProgressText(int nArchive, int nArchives, uint64_t nWritten, uint64_t nTotal)
{
    const unsigned percent =
        nTotal == 0 ? 0u : static_cast<unsigned>(std::min<uint64_t>(100, nWritten * 100 / nTotal));
    CString text;
    text.Format(L"Preparing \u2026 %d of %d (%u %%)", nArchive, nArchives, percent);
    return text;
}

void PumpMessagesWithoutInput()
{
    // Sent messages (another program asking whether we answer) are handled inside PeekMessage.
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (IsInputMessage(msg.message))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

SplashProgress::SplashProgress(HWND hSplash, StatusSink setStatus, uint64_t nTotalBytes, int nArchives)
    : m_hSplash(hSplash), m_setStatus(std::move(setStatus)), m_nTotal(nTotalBytes), m_nArchives(nArchives)
{
}

void SplashProgress::OnArchiveStarted(const wchar_t*)
{
    m_nArchive = std::min(m_nArchive + 1, m_nArchives);
    Refresh(true);
}

void SplashProgress::OnBytesWritten(uint64_t nBytes)
{
    m_nWritten += nBytes;
    Refresh(false);
}

void SplashProgress::Refresh(bool bForce)
{
    const ULONGLONG now = GetTickCount64();
    if (!bForce && now - m_lastRefresh < kRefreshIntervalMs)
        return;
    m_lastRefresh = now;
    if (!m_hSplash)
        return;
    const CString text = FormatProgressText(m_nArchive, m_nArchives, m_nWritten, m_nTotal);
    if (!(text == m_strShown)) {
        m_strShown = text;
        if (m_setStatus)
            m_setStatus(text);
        UpdateWindow(m_hSplash);
    }
    PumpMessagesWithoutInput();
}

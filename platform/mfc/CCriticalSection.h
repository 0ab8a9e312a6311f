#pragma once
// A Win32 critical section, and a guard that holds it for a scope.
#include <windows.h>

class CCriticalSection {
public:
    CCriticalSection() { ::InitializeCriticalSection(&m_sect); }
    ~CCriticalSection() { ::DeleteCriticalSection(&m_sect); }
    CCriticalSection(const CCriticalSection&) = delete;
    CCriticalSection& operator=(const CCriticalSection&) = delete;

    BOOL Lock()
    {
        ::EnterCriticalSection(&m_sect);
        return TRUE;
    }
    BOOL Unlock()
    {
        ::LeaveCriticalSection(&m_sect);
        return TRUE;
    }
    operator CRITICAL_SECTION*() { return &m_sect; }  // NOLINT: as in MFC

    CRITICAL_SECTION m_sect;
};

// Locks a critical section for the lifetime of the guard.
class CSingleLock {
public:
    explicit CSingleLock(CCriticalSection* pSection, BOOL bInitialLock = FALSE) : m_pSection(pSection)
    {
        if (bInitialLock)
            Lock();
    }
    ~CSingleLock() { Unlock(); }
    CSingleLock(const CSingleLock&) = delete;
    CSingleLock& operator=(const CSingleLock&) = delete;

    BOOL Lock()
    {
        if (!m_bLocked && m_pSection)
            m_bLocked = m_pSection->Lock();
        return m_bLocked;
    }
    BOOL Unlock()
    {
        if (m_bLocked && m_pSection)
            m_pSection->Unlock();
        m_bLocked = FALSE;
        return TRUE;
    }
    BOOL IsLocked() const { return m_bLocked; }

private:
    CCriticalSection* m_pSection;
    BOOL m_bLocked = FALSE;
};

#pragma once
// With the environment variable LUMBRA_TIMING set, the launcher writes how long the steps of its
// start took to the debugger output, as one line: "Timing: <step> <ms> ms, ... (process start
// <ms> ms before)". Steps count from the entry of the program's own code (its first static
// initialisation); "process start" is the system's creation of the process. Without the variable
// nothing is written.
#include "platform/mfc/CString.h"

class StartupTiming {
public:
    StartupTiming();
    ~StartupTiming();
    StartupTiming(const StartupTiming&) = delete;
    StartupTiming& operator=(const StartupTiming&) = delete;

    // Milliseconds since the program's entry, recorded under pszStep.
    void Note(const wchar_t* pszStep);

private:
    bool m_bEnabled;
    LARGE_INTEGER m_start{};
    LARGE_INTEGER m_frequency{};
    FILETIME m_startTime{};
    CString m_strSteps;
};

#include "app/StartupTiming.h"

namespace {

// The first of our code that runs: before any other static object of the program is constructed.
struct ProcessEntry {
    LARGE_INTEGER counter{};
    FILETIME time{};
    ProcessEntry()
    {
        QueryPerformanceCounter(&counter);
        GetSystemTimePreciseAsFileTime(&time);
    }
};
const ProcessEntry g_processEntry __attribute__((init_priority(101)));

}  // namespace

StartupTiming::StartupTiming() : m_bEnabled(GetEnvironmentVariableW(L"LUMBRA_TIMING", nullptr, 0) > 0)
{
    if (!m_bEnabled)
        return;
    QueryPerformanceFrequency(&m_frequency);
    m_start = g_processEntry.counter;
    m_startTime = g_processEntry.time;
}

StartupTiming::~StartupTiming()
{
    if (!m_bEnabled)
        return;
    // How long the system took from creating the process to our first step.
    FILETIME created, exited, kernel, user;
    double beforeMs = 0;
    if (GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) {
        const auto ticks = [](const FILETIME& ft) {
            return static_cast<long long>((static_cast<unsigned long long>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime);
        };
        beforeMs = static_cast<double>(ticks(m_startTime) - ticks(created)) / 10000.0;
    }
    CString line;
    line.Format(L"Timing: %s (process start %.1f ms before)\r\n", m_strSteps.GetString(), beforeMs);
    OutputDebugStringW(line);
}

void StartupTiming::Note(const wchar_t* pszStep)
{
    if (!m_bEnabled)
        return;
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    const double ms = static_cast<double>(now.QuadPart - m_start.QuadPart) * 1000.0 /
                      static_cast<double>(m_frequency.QuadPart);
    if (!m_strSteps.IsEmpty())
        m_strSteps += L", ";
    m_strSteps.AppendFormat(L"%s %.1f ms", pszStep, ms);
}

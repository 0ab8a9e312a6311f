#include "app/ViewerJob.h"

namespace {

// How often the job is asked whether any of its processes still runs: a viewer's helper is a window
// the user closes, so a tenth of a second is soon enough.
constexpr DWORD kPollMs = 100;

}  // namespace

ViewerJob::ViewerJob() : m_hJob(CreateJobObjectW(nullptr, nullptr)) {}

ViewerJob::~ViewerJob()
{
    if (m_hJob)
        CloseHandle(m_hJob);
}

bool ViewerJob::Assign(HANDLE hProcess)
{
    if (!m_hJob)
        return false;
    if (AssignProcessToJobObject(m_hJob, hProcess))
        return true;
    CloseHandle(m_hJob);
    m_hJob = nullptr;
    return false;
}

void ViewerJob::WaitUntilEmpty() const
{
    if (!m_hJob)
        return;
    for (;;) {
        JOBOBJECT_BASIC_ACCOUNTING_INFORMATION info = {};
        if (!QueryInformationJobObject(m_hJob, JobObjectBasicAccountingInformation, &info, sizeof(info), nullptr) ||
            info.ActiveProcesses == 0)
            return;
        Sleep(kPollMs);
    }
}

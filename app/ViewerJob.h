#pragma once
// A job object around the viewer: the processes the viewer starts (a help window on a help file of
// the working folder, ...) belong to it too, so the launcher can wait for all of them before it
// removes the folder.
#include <windows.h>

class ViewerJob {
public:
    // Creates the job; where that fails, the job is unusable and the caller waits for the viewer alone.
    ViewerJob();
    ~ViewerJob();
    ViewerJob(const ViewerJob&) = delete;
    ViewerJob& operator=(const ViewerJob&) = delete;

    bool Usable() const { return m_hJob != nullptr; }

    // Puts a process (created suspended, before its first instruction) into the job. A launcher that
    // itself runs in a job that forbids this gets false, and the job stays unusable from then on.
    bool Assign(HANDLE hProcess);

    // Returns once no process of the job runs any more (at once when the job is unusable).
    void WaitUntilEmpty() const;

private:
    HANDLE m_hJob;
};

// The job around the viewer: waits for every process in it, and gives way to waiting for the viewer
// alone when a process cannot be put into it.
#include "app/ViewerJob.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A process of our own that lives for ms milliseconds, started suspended.
PROCESS_INFORMATION StartSleeper(DWORD ms)
{
    std::wstring line = L"cmd.exe /c ping -n " + std::to_wstring(ms / 1000 + 1) + L" 127.0.0.1 >nul";
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED | CREATE_NO_WINDOW, nullptr,
                   nullptr, &si, &pi);
    return pi;
}

void Close(PROCESS_INFORMATION& pi)
{
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

}  // namespace

TEST(ViewerJob, WaitsUntilTheLastProcessOfTheJobHasEnded)
{
    ViewerJob job;
    ASSERT_TRUE(job.Usable());
    PROCESS_INFORMATION pi = StartSleeper(1000);
    ASSERT_NE(nullptr, pi.hProcess);
    ASSERT_TRUE(job.Assign(pi.hProcess));
    ResumeThread(pi.hThread);
    job.WaitUntilEmpty();
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(pi.hProcess, 0)) << "returned while a process of the job ran";
    Close(pi);
}

TEST(ViewerJob, AProcessThatCannotJoinMakesTheJobUnusableAndTheWaitImmediate)
{
    ViewerJob job;
    ASSERT_TRUE(job.Usable());
    PROCESS_INFORMATION pi = StartSleeper(3000);
    ASSERT_NE(nullptr, pi.hProcess);
    // A handle without the rights a job needs stands for a process that may not join.
    HANDLE limited = nullptr;
    ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), pi.hProcess, GetCurrentProcess(), &limited, SYNCHRONIZE, FALSE, 0));
    EXPECT_FALSE(job.Assign(limited));
    EXPECT_FALSE(job.Usable());
    ResumeThread(pi.hThread);
    const ULONGLONG start = GetTickCount64();
    job.WaitUntilEmpty();
    EXPECT_LT(GetTickCount64() - start, 500u);
    EXPECT_FALSE(job.Assign(pi.hProcess)) << "an unusable job stays unusable";
    TerminateProcess(pi.hProcess, 0);
    CloseHandle(limited);
    Close(pi);
}

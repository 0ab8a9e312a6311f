#pragma once
// The thread's last error as part of a call's contract. Put the sentinel in before the call, then
// check what the call left: a code it set, or the sentinel untouched where it must not set one.
//
//     ArmLastError();
//     EXPECT_FALSE(DoSomething());
//     EXPECT_TRUE(LastErrorIs(ERROR_FILE_NOT_FOUND));
#include <windows.h>

#include <gtest/gtest.h>

constexpr DWORD kLastErrorSentinel = 0xdeadbeef;

inline void ArmLastError()
{
    ::SetLastError(kLastErrorSentinel);
}

// GetLastError() equals dwExpected (read first thing, before anything else can change it).
::testing::AssertionResult LastErrorIs(DWORD dwExpected);
// The call left the sentinel in place.
::testing::AssertionResult LastErrorUntouched();
// The call set some code other than the sentinel (for a failure whose code the system chooses).
::testing::AssertionResult LastErrorSet();

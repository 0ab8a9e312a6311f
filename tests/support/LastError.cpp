#include "tests/support/LastError.h"

#include <cstdio>
#include <string>

namespace {

std::string Code(DWORD dw)
{
    char buf[48];
    if (dw == kLastErrorSentinel)
        std::snprintf(buf, sizeof(buf), "0x%08lx (the sentinel)", static_cast<unsigned long>(dw));
    else
        std::snprintf(buf, sizeof(buf), "%lu (0x%lx)", static_cast<unsigned long>(dw), static_cast<unsigned long>(dw));
    return buf;
}

}  // namespace

::testing::AssertionResult LastErrorIs(DWORD dwExpected)
{
    const DWORD dw = ::GetLastError();
    if (dw == dwExpected)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "last error " << Code(dw) << ", expected " << Code(dwExpected);
}

::testing::AssertionResult LastErrorUntouched()
{
    const DWORD dw = ::GetLastError();
    if (dw == kLastErrorSentinel)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "last error changed to " << Code(dw);
}

::testing::AssertionResult LastErrorSet()
{
    const DWORD dw = ::GetLastError();
    if (dw != kLastErrorSentinel && dw != 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "no last error set: " << Code(dw);
}

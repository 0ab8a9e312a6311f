#pragma once
// Telling Wine from Windows, and the marker for a known difference: a test states what Windows
// does, checks what Wine does instead, and says so in its output, in its XML result and in the
// summary at the end of the program (never a silent skip).
#include <gtest/gtest.h>

// True when the program runs under Wine (ntdll exports wine_get_version).
bool RunningOnWine();

namespace testsupport {
// Prints and records one known difference; the summary at the end of the program lists them all.
void ReportWineDifference(const char* pszFile, int nLine, const char* pszWindowsBehaviour);
// How many differences this program has reported so far.
int WineDifferenceCount();
}  // namespace testsupport

// windowsBehaviour: what Windows does where Wine does not.
#define WINE_KNOWN_DIFFERENCE(windowsBehaviour) \
    ::testsupport::ReportWineDifference(__FILE__, __LINE__, windowsBehaviour)

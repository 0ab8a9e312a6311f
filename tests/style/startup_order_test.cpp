// The process-wide values of the styled windows are right for a static object that is constructed
// before every other one (as the popup-menu hook and the application object are, in some link
// order): they are made on first use, not by the order of static construction.
#include "toolkit/draw/StyleGlobals.h"

#include <gtest/gtest.h>

namespace {

struct EarlyReader {
    EarlyReader() : nDialogStack(WM_DIALOGSTACK), nOsClass(OsClassCode()) {}
    UINT nDialogStack;
    int nOsClass;
};

// Priority 101 is the first a program may use: this object is constructed before any static object
// of default priority, the toolkit's own included.
__attribute__((init_priority(101))) const EarlyReader g_early;

}  // namespace

TEST(StartupOrderTest, StaticObjectsSeeTheRegisteredMessageAndTheSystemCode)
{
    EXPECT_EQ(RegisterWindowMessageW(L"WM_DIALOGSTACK"), g_early.nDialogStack);
    EXPECT_EQ(OsClassCode(), g_early.nOsClass);
    EXPECT_NE(0, g_early.nOsClass) << "a real system code, not the zero of a variable not yet initialised";
}

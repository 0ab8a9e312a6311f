#pragma once
// Forwarding header only: moved to tests/support/TestWindows.h (see tests/support/TestSupport.h).
#include "tests/support/TestWindows.h"

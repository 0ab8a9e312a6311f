#pragma once
// Forwarding header only: moved to tests/support/RectPrinting.h (see tests/support/TestSupport.h).
#include "tests/support/RectPrinting.h"

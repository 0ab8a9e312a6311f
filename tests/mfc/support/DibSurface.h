#pragma once
// Forwarding header only: moved to tests/support/DibSurface.h (see tests/support/TestSupport.h).
#include "tests/support/DibSurface.h"

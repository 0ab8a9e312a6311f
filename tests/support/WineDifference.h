#pragma once
// Forwarding header only: the marker lives in tests/support/Wine.h (see tests/support/TestSupport.h).
#include "tests/support/Wine.h"

#pragma once
// Forwarding header only: moved to tests/support/MessageSequence.h (see tests/support/TestSupport.h).
#include "tests/support/MessageSequence.h"

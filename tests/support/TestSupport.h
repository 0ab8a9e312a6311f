#pragma once
// What window and system tests share, in one include: message-sequence tables with optional and
// masked entries, DIB sections to read pixels back, plain test windows, last-error sentinels, and
// the Wine detector with the marker for known differences.
#include "tests/support/DibSurface.h"
#include "tests/support/LastError.h"
#include "tests/support/MessageSequence.h"
#include "tests/support/TestWindows.h"
#include "tests/support/Wine.h"

#pragma once
// What the bitmap buttons build on: the control property interface (their second base), the
// control text layout and the property exchange.
#include "toolkit/buttons/interim/VellControlInterim.h"

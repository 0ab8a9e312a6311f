#pragma once
// What the bitmap buttons build on: the control property interface joined to the window class, the
// control text layout and the property exchange.
#include "platform/mfc/CPropExchange.h"
#include "toolkit/controls/ControlText.h"
#include "toolkit/controls/VellControlWnd.h"

#pragma once
// Shared pieces of the themed-menu tests: the thread's menu hook, dialogs with and without a menu
// bar, and a message pump.
#include "toolkit/menu/MenuHook.h"
#include "toolkit/menu/VellMenu.h"
#include "toolkit/style/VellDialog.h"

#include <memory>

constexpr UINT kMenuResource = 300;
constexpr UINT kMenuDialog = 310;
constexpr UINT kPlainDialog = 311;

// The test thread's hook (made on first use, as the launcher's static object is at start-up).
CVellMenuHook& TestMenuHook();

// Processes the messages waiting for this thread.
void PumpMessages();

// A modeless styled dialog, created and shown.
std::unique_ptr<CVellDialog> OpenDialog(UINT nTemplate);

// A record's text and flags for messages.
const CVellMenuItemData* RecordOf(const CVellMenu& menu, int nPosition);

#pragma once
// Shared pieces of the themed-menu tests: the thread's menu hook, dialogs with and without a menu
// bar, and a message pump.
#include "toolkit/menu/MenuHook.h"
#include "toolkit/menu/VellMenu.h"
#include "toolkit/style/VellDialog.h"

#include <functional>
#include <memory>
#include <vector>

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

// The visible popup menu windows of this thread.
std::vector<HWND> VisiblePopups();

// Calls open (which starts a menu loop, or posts what starts one), then runs step from a timer
// every 150 ms inside that loop until it returns false, and ends the menu. Returns once the menu
// has ended, or after 10 s when step never ran to its end (then false).
bool RunInMenuLoop(const std::function<void()>& open, std::function<bool()> step);

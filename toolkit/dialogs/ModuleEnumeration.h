#pragma once
// The modules loaded in a process, read through one of the two system interfaces that list them:
// Tool Help (a snapshot of the process's modules) or the process status library. Both are looked
// up at run time, from the system folder only.
#include <windows.h>

#include <list>

#include "platform/mfc/CString.h"

// Tool Help on every platform that has it (Windows 95 family, NT 5 and later); the process status
// library on NT 4 and older.
BOOL UseToolHelpForModules(const OSVERSIONINFOW& version);

// Tool Help: every module's full path, upper-cased, in ascending order of character codes. TRUE
// when at least one module was read; the list is emptied first.
BOOL EnumerateModulesWithToolHelp(DWORD dwProcessId, std::list<CString>& modules);

// The process status library: every module's full path as the system gives it, in the library's
// order. TRUE when the process could be read; the list is emptied first.
BOOL EnumerateModulesWithProcessStatus(DWORD dwProcessId, std::list<CString>& modules);

// Puts strPath before the first entry that compares greater than or equal to it (plain character
// codes), at the end when there is none.
void InsertModuleSorted(std::list<CString>& modules, const CString& strPath);

// A module path as the list shows it: "NAME.EXT" and "D:\FOLDER\" (drive and folder, ending with
// the separator). Paths of any length are split whole.
struct ModulePathParts {
    CString strName;
    CString strFolder;
};
ModulePathParts SplitModulePath(const CString& strPath);

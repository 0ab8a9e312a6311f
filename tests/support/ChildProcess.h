#pragma once
// Starting programs under test: as a debugger would, to read what they write with OutputDebugString.
#include <windows.h>

#include "tests/support/Wine.h"

#include <map>
#include <string>
#include <vector>

struct ChildResult {
    DWORD exitCode = 0xFFFFFFFF;
    bool started = false;
    bool timedOut = false;
    unsigned long long exitTime = 0;  // FILETIME of the process's end, as the system recorded it
    std::vector<std::wstring> debugOutput;  // one entry per OutputDebugString call
};

// Environment changes for the child: a value replaces the variable, an empty value removes it.
using EnvironmentChanges = std::map<std::wstring, std::wstring>;

// Runs commandLine as a debuggee until it exits (or the timeout passes: then it is terminated).
ChildResult RunUnderDebugger(const std::wstring& commandLine, const EnvironmentChanges& env = {},
                             DWORD timeoutMs = 60000);

// Starts commandLine normally; the caller owns the returned process information's handles.
bool StartChild(const std::wstring& commandLine, const EnvironmentChanges& env, PROCESS_INFORMATION& pi);
bool StartChildWithFlags(const std::wstring& commandLine, const EnvironmentChanges& env, DWORD flags,
                         PROCESS_INFORMATION& pi);

// The folder of the running test executable, with a trailing backslash.
std::wstring ExecutableFolder();

// A launcher built next to the tests: <bin>\Lumbra.exe.
std::wstring LauncherPath();

// Runs a program under a debugger loop, as many times as asked, and prints what it wrote to the
// debugger output and how long each run took from outside.
//   launch_timing <runs> <command line...>
#include "support/ChildProcess.h"

#include <shellapi.h>

#include <chrono>
#include <cstdio>
#include <string>

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3) {
        std::fwprintf(stderr, L"usage: launch_timing <runs> <command line>\n");
        return 2;
    }
    const int runs = _wtoi(argv[1]);
    std::wstring commandLine;
    for (int i = 2; i < argc; ++i) {
        if (!commandLine.empty())
            commandLine += L' ';
        const std::wstring arg = argv[i];
        commandLine += arg.find(L' ') == std::wstring::npos ? arg : L"\"" + arg + L"\"";
    }
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const ChildResult result = RunUnderDebugger(commandLine, {{L"LUMBRA_TIMING", L"1"}});
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        for (const std::wstring& line : result.debugOutput)
            std::wprintf(L"run %d: %ls", run + 1, line.c_str());
        std::wprintf(L"run %d: exit code %lu, %.1f ms from outside\n", run + 1, result.exitCode, ms);
    }
    return 0;
}

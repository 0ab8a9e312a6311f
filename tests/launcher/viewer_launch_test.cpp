// Starting and awaiting the viewer, seen from a spy that is packed as Tavisk.exe.
#include "support/ChildProcess.h"
#include "support/LauncherArchives.h"
#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <set>
#include <sstream>

namespace {

const std::vector<std::wstring> kResourcesEN = {L"ZOLT", L"VC", L"RUNTIME", L"LANG_EN", L"HELP_EN"};

// What the viewer finds in its folder: the archives' files and the marker that keeps the folder alive.
std::vector<std::wstring> ViewerFiles(const std::vector<std::wstring>& resources)
{
    std::vector<std::wstring> files = ArchiveFileNames(ExecutableFolder() + L"LumbraSpy.exe", resources);
    files.push_back(L"Lumbra.run");
    std::sort(files.begin(), files.end());
    return files;
}

std::wstring SpyLauncher()
{
    return ExecutableFolder() + L"LumbraSpy.exe";
}

std::wstring Wide(const std::string& utf8)
{
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

// One viewer run as the spy recorded it.
struct SpyRecord {
    std::wstring commandLine;
    std::wstring folder;
    std::vector<std::wstring> args;
    std::vector<std::wstring> files;
    unsigned long long started = 0;
    unsigned long long ended = 0;
};

std::vector<SpyRecord> ReadSpyReport(const std::wstring& path)
{
    std::vector<SpyRecord> records;
    std::istringstream in(ReadWholeFile(path));
    SpyRecord current;
    for (std::string line; std::getline(in, line);) {
        const size_t colon = line.find(": ");
        const std::string key = line.substr(0, colon);
        const std::string value = colon == std::string::npos ? "" : line.substr(colon + 2);
        if (key == "cmdline")
            current.commandLine = Wide(value);
        else if (key == "folder")
            current.folder = Wide(value);
        else if (key == "arg")
            current.args.push_back(Wide(value));
        else if (key == "file")
            current.files.push_back(Wide(value));
        else if (key == "started")
            current.started = std::stoull(value);
        else if (key == "ended")
            current.ended = std::stoull(value);
        else if (key == "end") {
            std::sort(current.files.begin(), current.files.end());
            records.push_back(current);
            current = SpyRecord();
        }
    }
    return records;
}

struct LauncherRun {
    ChildResult result;
    std::vector<SpyRecord> spies;
};

// Runs a launcher with its own %TEMP% and the spy reporting into the scratch folder.
LauncherRun RunLauncher(const std::wstring& launcher, const std::wstring& arguments, const std::wstring& temp,
                const ScratchFolder& scratch, EnvironmentChanges env = {})
{
    const std::wstring report = scratch / L"spy-report.txt";
    DeleteFileW(report.c_str());
    env[L"TEMP"] = temp;
    env[L"TMP"] = temp;
    env[L"LUMBRA_SPY_REPORT"] = report;
    LauncherRun run;
    run.result = RunUnderDebugger(L"\"" + launcher + L"\" " + arguments, env);
    run.spies = ReadSpyReport(report);
    return run;
}

std::wstring MakeTemp(const ScratchFolder& scratch, const std::wstring& name)
{
    const std::wstring temp = scratch / (name + L"\\");
    CreateDirectoryW(temp.c_str(), nullptr);
    return temp;
}

bool StartsWith(const std::wstring& text, const std::wstring& prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

TEST(ViewerLaunch, QuotedViewerPathLanguageAndFile)
{
    ScratchFolder scratch;
    const std::wstring temp = MakeTemp(scratch, L"temp");
    const LauncherRun run = RunLauncher(SpyLauncher(), L"/lDE \"C:\\Recordings\\Hall 2\\cam 1.dvr\"", temp, scratch);
    EXPECT_EQ(0u, run.result.exitCode);
    EXPECT_TRUE(run.result.debugOutput.empty());
    ASSERT_EQ(1u, run.spies.size());
    const SpyRecord& spy = run.spies[0];
    EXPECT_TRUE(StartsWith(spy.folder, temp + L"LM")) << testing::PrintToString(spy.folder);
    EXPECT_EQ(L"\"" + spy.folder + L"Tavisk.exe\" /lDE \"C:\\Recordings\\Hall 2\\cam 1.dvr\"", spy.commandLine);
    EXPECT_EQ((std::vector<std::wstring>{L"/lDE", L"C:\\Recordings\\Hall 2\\cam 1.dvr"}), spy.args);
    EXPECT_EQ(ViewerFiles({L"ZOLT", L"VC", L"RUNTIME", L"LANG_DE", L"HELP_DE"}), spy.files);
    EXPECT_TRUE(FolderNames(temp).empty()) << "the working folder must be gone";
}

TEST(ViewerLaunch, WithoutFileTheViewerGetsAnEmptyQuotedArgument)
{
    ScratchFolder scratch;
    const std::wstring temp = MakeTemp(scratch, L"temp");
    const LauncherRun run = RunLauncher(SpyLauncher(), L"", temp, scratch);
    EXPECT_EQ(0u, run.result.exitCode);
    ASSERT_EQ(1u, run.spies.size());
    EXPECT_EQ(L"\"" + run.spies[0].folder + L"Tavisk.exe\" /lEN \"\"", run.spies[0].commandLine);
    EXPECT_EQ((std::vector<std::wstring>{L"/lEN", L""}), run.spies[0].args);
}

TEST(ViewerLaunch, LanguageCodeIsPassedAsTyped)
{
    ScratchFolder scratch;
    const std::wstring temp = MakeTemp(scratch, L"temp");
    for (const std::wstring code : {L"de", L"FR"}) {
        const LauncherRun run = RunLauncher(SpyLauncher(), L"-l" + code + L" a.bin", temp, scratch);
        EXPECT_EQ(0u, run.result.exitCode);
        ASSERT_EQ(1u, run.spies.size());
        EXPECT_EQ((std::vector<std::wstring>{L"/l" + code, L"a.bin"}), run.spies[0].args);
        std::wstring upper = code;
        CharUpperW(upper.data());
        EXPECT_NE(run.spies[0].files.end(),
                  std::find(run.spies[0].files.begin(), run.spies[0].files.end(), L"Lumbra_" + upper + L".dll"));
    }
    EXPECT_TRUE(FolderNames(temp).empty());
}

TEST(ViewerLaunch, TempFolderWithBlanksAndNonAsciiLetters)
{
    ScratchFolder scratch;
    const std::wstring temp = MakeTemp(scratch, L"Ann L\u00e9e \u03a9\u03bc\u03ad\u03b3\u03b1 \u4e2d");
    const LauncherRun run = RunLauncher(SpyLauncher(), L"\"D:\\a b.bin\"", temp, scratch);
    EXPECT_EQ(0u, run.result.exitCode);
    ASSERT_EQ(1u, run.spies.size());
    EXPECT_TRUE(StartsWith(run.spies[0].folder, temp)) << testing::PrintToString(run.spies[0].folder);
    EXPECT_EQ(L"\"" + run.spies[0].folder + L"Tavisk.exe\" /lEN \"D:\\a b.bin\"", run.spies[0].commandLine);
    EXPECT_EQ(ViewerFiles(kResourcesEN), run.spies[0].files);
    EXPECT_TRUE(FolderNames(temp).empty());
}

TEST(ViewerLaunch, LauncherEndsAtLeast100msAfterTheViewer)
{
    ScratchFolder scratch;
    const std::wstring temp = MakeTemp(scratch, L"temp");
    const LauncherRun run = RunLauncher(SpyLauncher(), L"", temp, scratch, {{L"LUMBRA_SPY_SLEEP_MS", L"400"}});
    FILETIME nowFt;
    GetSystemTimePreciseAsFileTime(&nowFt);
    const unsigned long long now = (static_cast<unsigned long long>(nowFt.dwHighDateTime) << 32) | nowFt.dwLowDateTime;
    EXPECT_EQ(0u, run.result.exitCode);
    ASSERT_EQ(1u, run.spies.size());
    ASSERT_NE(0u, run.result.exitTime);
    EXPECT_GE(run.result.exitTime, run.spies[0].ended + 100 * 10000ull)
        << "launcher ended " << (static_cast<long long>(run.result.exitTime) - static_cast<long long>(run.spies[0].ended)) / 10000
        << " ms after the viewer";
    EXPECT_LE(run.result.exitTime, now + 10000ull * 50);
}

TEST(ViewerLaunch, AHelperThatOutlivesTheViewerIsWaitedForBeforeTheFolderGoes)
{
    ScratchFolder scratch;
    const std::wstring temp = MakeTemp(scratch, L"temp");
    // The viewer starts a helper that keeps one of the folder's files open for 5 s after its start;
    // the viewer itself ends at most 2.3 s after starting it.
    const LauncherRun run = RunLauncher(SpyLauncher(), L"", temp, scratch,
                                        {{L"LUMBRA_SPY_HOLD", L"reader.dll"}, {L"LUMBRA_SPY_HOLD_MS", L"5000"}});
    EXPECT_EQ(0u, run.result.exitCode);
    EXPECT_TRUE(run.result.debugOutput.empty());
    ASSERT_EQ(1u, run.spies.size());
    EXPECT_TRUE(FolderNames(temp).empty()) << "left: " << testing::PrintToString(FilesBelow(run.spies[0].folder));
    const long long afterViewerMs =
        (static_cast<long long>(run.result.exitTime) - static_cast<long long>(run.spies[0].ended)) / 10000;
    EXPECT_GE(afterViewerMs, 2500) << "the launcher did not wait for the helper";
    std::printf("[ helper   ] launcher ended %lld ms after the viewer\n", afterViewerMs);
}

// A launcher inside a job of someone else's: where it cannot put the viewer into a job of its own
// (a system without nested jobs, or an outer job that forbids them), it waits for the viewer alone.
TEST(ViewerLaunch, InsideAnOuterJobTheViewerIsStillAwaitedAndTheFolderRemoved)
{
    ScratchFolder scratch;
    const std::wstring temp = MakeTemp(scratch, L"temp");
    const std::wstring report = scratch / L"spy-report.txt";
    HANDLE outer = CreateJobObjectW(nullptr, nullptr);
    ASSERT_NE(nullptr, outer);
    PROCESS_INFORMATION pi;
    ASSERT_TRUE(StartChildWithFlags(L"\"" + SpyLauncher() + L"\"",
                                    {{L"TEMP", temp}, {L"TMP", temp}, {L"LUMBRA_SPY_REPORT", report},
                                     {L"LUMBRA_SPY_SLEEP_MS", L"300"}},
                                    CREATE_SUSPENDED, pi));
    ASSERT_TRUE(AssignProcessToJobObject(outer, pi.hProcess));
    ResumeThread(pi.hThread);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(pi.hProcess, 60000));
    DWORD exitCode = 0xFFFF;
    GetExitCodeProcess(pi.hProcess, &exitCode);
    EXPECT_EQ(0u, exitCode);
    EXPECT_EQ(1u, ReadSpyReport(report).size());
    EXPECT_TRUE(FolderNames(temp).empty());
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    CloseHandle(outer);
}

TEST(ViewerLaunch, MissingViewerIsReportedWithExitCode2AfterCleaningUp)
{
    ScratchFolder scratch;
    const std::wstring temp = MakeTemp(scratch, L"temp");
    const LauncherRun run = RunLauncher(ExecutableFolder() + L"LumbraNoViewer.exe", L"/lDE x.bin", temp, scratch);
    EXPECT_EQ(2u, run.result.exitCode);
    EXPECT_TRUE(run.spies.empty());
    ASSERT_EQ(1u, run.result.debugOutput.size());
    EXPECT_EQ(L"Assertion: .\\Lumbra/301: CreateProcess(NULL, szCmdLine, ...) (e:00000002)\r\n",
              run.result.debugOutput[0]);
    EXPECT_TRUE(FolderNames(temp).empty());
}

TEST(ViewerLaunch, SixteenLaunchersAtOnceKeepToTheirOwnFolders)
{
    constexpr int kLaunchers = 16;
    ScratchFolder scratch;
    const std::wstring temp = MakeTemp(scratch, L"temp");
    const std::wstring report = scratch / L"stress-report.txt";
    const EnvironmentChanges env = {{L"TEMP", temp}, {L"TMP", temp}, {L"LUMBRA_SPY_REPORT", report},
                                    {L"LUMBRA_SPY_SLEEP_MS", L"300"}};
    const auto start = std::chrono::steady_clock::now();
    std::vector<PROCESS_INFORMATION> launchers(kLaunchers);
    for (auto& pi : launchers)
        ASSERT_TRUE(StartChild(L"\"" + SpyLauncher() + L"\" /lEN stress.bin", env, pi));
    for (auto& pi : launchers) {
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(pi.hProcess, 120000));
        DWORD code = 0xFFFF;
        GetExitCodeProcess(pi.hProcess, &code);
        EXPECT_EQ(0u, code);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    const std::vector<SpyRecord> spies = ReadSpyReport(report);
    ASSERT_EQ(static_cast<size_t>(kLaunchers), spies.size());
    std::set<std::wstring> folders;
    const std::vector<std::wstring> expected = ViewerFiles(kResourcesEN);
    for (const SpyRecord& spy : spies) {
        folders.insert(spy.folder);
        EXPECT_EQ(expected, spy.files) << testing::PrintToString(spy.folder);
    }
    // A folder removed by a finished run may be taken again by a later one in the same second;
    // two viewers that ran at the same time never share one.
    for (size_t i = 0; i < spies.size(); ++i) {
        for (size_t j = i + 1; j < spies.size(); ++j) {
            if (spies[i].folder == spies[j].folder) {
                EXPECT_TRUE(spies[i].ended < spies[j].started || spies[j].ended < spies[i].started)
                    << "two viewers at once in " << testing::PrintToString(spies[i].folder);
            }
        }
    }
    EXPECT_TRUE(FolderNames(temp).empty()) << "left in %TEMP%: " << testing::PrintToString(FolderNames(temp));
    std::printf("[ stress   ] %d launchers at once, %zu distinct folders, %.2f s in all\n", kLaunchers,
                folders.size(), seconds);
}

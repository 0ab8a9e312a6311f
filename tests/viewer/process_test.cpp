// Tavisk.exe started as the launcher starts it: "<folder>Tavisk.exe /l<code> "<file>"", from a
// freshly filled folder, with the report and auto-close switches of unattended runs.
#include "TestSupport.h"
#include "tests/support/Wine.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

using namespace viewer_test;

namespace {

constexpr DWORD kWaitMs = 20000;

// The report as key -> value, the file lines as path -> size.
struct Report {
    std::map<std::string, std::string> values;
    std::map<std::string, std::string> files;
    bool complete = false;
};

Report ParseReport(const std::string& text)
{
    Report report;
    std::istringstream lines(text);
    std::string line;
    bool inFiles = false;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (inFiles) {
            const size_t tab = line.find('\t');
            report.files[line.substr(0, tab)] = tab == std::string::npos ? "" : line.substr(tab + 1);
        } else if (line == "files:") {
            inFiles = report.complete = true;
        } else if (const size_t colon = line.find(": "); colon != std::string::npos) {
            report.values[line.substr(0, colon)] = line.substr(colon + 2);
        } else if (const size_t bare = line.find(':'); bare != std::string::npos) {
            report.values[line.substr(0, bare)] = "";
        }
    }
    return report;
}

std::string Utf8(const std::wstring& text)
{
    const int needed = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                             nullptr, nullptr);
    std::string result(static_cast<size_t>(needed), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), result.data(), needed, nullptr,
                          nullptr);
    return result;
}

// One viewer process; killed if a test leaves it running.
class ViewerProcess {
public:
    // Starts it exactly as the launcher does: unquoted program path, no current folder of its own.
    ViewerProcess(const std::wstring& commandLine, const std::wstring& reportPath, int autoCloseMs)
    {
        ::SetEnvironmentVariableW(L"TAVISK_REPORT", reportPath.c_str());
        ::SetEnvironmentVariableW(L"TAVISK_AUTOCLOSE_MS",
                                  autoCloseMs > 0 ? std::to_wstring(autoCloseMs).c_str() : nullptr);
        std::wstring line = commandLine;
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        m_started = ::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                     &m_info) != FALSE;
        ::SetEnvironmentVariableW(L"TAVISK_REPORT", nullptr);
        ::SetEnvironmentVariableW(L"TAVISK_AUTOCLOSE_MS", nullptr);
    }
    ~ViewerProcess()
    {
        if (!m_started)
            return;
        if (::WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT) {
            ::TerminateProcess(m_info.hProcess, 99);
            ::WaitForSingleObject(m_info.hProcess, kWaitMs);
        }
        ::CloseHandle(m_info.hThread);
        ::CloseHandle(m_info.hProcess);
    }
    ViewerProcess(const ViewerProcess&) = delete;
    ViewerProcess& operator=(const ViewerProcess&) = delete;

    bool Started() const { return m_started; }
    DWORD WaitIdle() const { return ::WaitForInputIdle(m_info.hProcess, kWaitMs); }
    bool Running() const { return ::WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT; }

    // The exit code, or STILL_ACTIVE when it did not end in time.
    DWORD WaitExit(DWORD ms = kWaitMs) const
    {
        if (::WaitForSingleObject(m_info.hProcess, ms) != WAIT_OBJECT_0)
            return STILL_ACTIVE;
        DWORD code = STILL_ACTIVE;
        ::GetExitCodeProcess(m_info.hProcess, &code);
        return code;
    }

    HWND MainWindow() const
    {
        struct Search {
            DWORD pid;
            HWND found;
        } search{m_info.dwProcessId, nullptr};
        ::EnumWindows(
            [](HWND hwnd, LPARAM param) -> BOOL {
                auto* s = reinterpret_cast<Search*>(param);
                DWORD pid = 0;
                ::GetWindowThreadProcessId(hwnd, &pid);
                if (pid == s->pid && ::IsWindowVisible(hwnd) && !::GetParent(hwnd)) {
                    s->found = hwnd;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

private:
    PROCESS_INFORMATION m_info{};
    bool m_started = false;
};

// Waits until the report file exists (it appears whole, by rename).
Report WaitForReport(const std::wstring& path, const ViewerProcess& viewer)
{
    for (int i = 0; i < 400; ++i) {
        if (::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES)
            return ParseReport(ReadBytes(path));
        if (!viewer.Running() && i > 0 && ::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES)
            break;
        ::Sleep(50);
    }
    return {};
}

std::vector<std::wstring> ChildTexts(HWND parent)
{
    std::vector<std::wstring> texts;
    ::EnumChildWindows(
        parent,
        [](HWND child, LPARAM param) -> BOOL {
            wchar_t buffer[512];
            const int length = ::GetWindowTextW(child, buffer, 512);
            reinterpret_cast<std::vector<std::wstring>*>(param)->emplace_back(buffer, static_cast<size_t>(length));
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&texts));
    return texts;
}

bool Contains(const std::vector<std::wstring>& texts, const std::wstring& text)
{
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

// A run folder like the launcher's, with the viewer, some unpacked files and optionally a language.
std::wstring FillRunFolder(const std::wstring& folder, const wchar_t* languageCode)
{
    const std::wstring viewer = folder + L"Tavisk.exe";
    EXPECT_TRUE(::CopyFileW((BinFolder() + L"Tavisk.exe").c_str(), viewer.c_str(), FALSE));
    if (languageCode) {
        const std::wstring name = std::wstring(L"Lumbra_") + languageCode + L".dll";
        EXPECT_TRUE(::CopyFileW((LanguageFolder() + name).c_str(), (folder + name).c_str(), FALSE));
    }
    ::CreateDirectoryW((folder + L"ZoltSDK").c_str(), nullptr);
    WriteBytes(folder + L"ZoltSDK\\zoltmux.ax", {'S', 't', 'a', 'n', 'd'});
    return viewer;
}

}  // namespace

class ViewerProcessTest : public ::testing::Test {
protected:
    ScratchFolder m_outside{L"outside"};  // the report and the files to show live here
    std::wstring ReportPath() const { return m_outside.Path() + L"report.txt"; }
};

TEST_F(ViewerProcessTest, ShowsAFileInGermanFromAFolderWithBlanks)
{
    ScratchFolder run(L"run dir LM1208");
    const std::wstring viewer = FillRunFolder(run.Path(), L"DE");
    const std::wstring file = m_outside.Path() + L"Pr\u00fcfung clip 1.bin";
    WriteBytes(file, std::vector<std::uint8_t>(1234, 0x41));

    // As the launcher builds it: the program path is not quoted even though it has blanks.
    const std::wstring commandLine = viewer + L" /lDE \"" + file + L"\"";
    ViewerProcess process(commandLine, ReportPath(), 1500);
    ASSERT_TRUE(process.Started());
    EXPECT_EQ(0u, process.WaitIdle());
    const Report report = WaitForReport(ReportPath(), process);
    ASSERT_TRUE(report.complete);

    // Windows hands the line over as it was given. Wine quotes an unquoted program path that has
    // blanks; the arguments after it arrive unchanged either way.
    const std::string quoted = "\"" + Utf8(viewer) + "\"" + Utf8(commandLine.substr(viewer.size()));
    if (RunningOnWine() && report.values.at("cmdline") == quoted)
        WINE_KNOWN_DIFFERENCE("the command line arrives as given, the program path with blanks unquoted");
    else
        EXPECT_EQ(Utf8(commandLine), report.values.at("cmdline"));
    EXPECT_TRUE(Utf8(viewer) == report.values.at("module") ||
                ::CompareStringOrdinal(viewer.c_str(), -1, Widen(report.values.at("module")).c_str(), -1, TRUE) ==
                    CSTR_EQUAL);
    EXPECT_EQ("DE", report.values.at("language"));
    EXPECT_EQ("Deutsch", report.values.at("language-name"));
    EXPECT_NE(std::string::npos, report.values.at("title").find("Tavisk Archivbetrachter"));
    EXPECT_EQ(Utf8(file), report.values.at("file"));  // blanks and the umlaut intact
    EXPECT_EQ("1234", report.values.at("size"));

    const std::map<std::string, std::string> expected = {
        {"Lumbra_DE.dll", std::to_string(SizeOf(run.Path() + L"Lumbra_DE.dll"))},
        {"Tavisk.exe", std::to_string(SizeOf(viewer))},
        {"ZoltSDK\\zoltmux.ax", "5"},
    };
    EXPECT_EQ(expected, report.files);

    EXPECT_EQ(0u, process.WaitExit()) << "TAVISK_AUTOCLOSE_MS ends it with exit code 0";
    EXPECT_TRUE(DeleteTree(run.Path()));
}

TEST_F(ViewerProcessTest, NoFileAndNoLanguageLibraryFallBackToEnglish)
{
    ScratchFolder run(L"nolang");
    const std::wstring viewer = FillRunFolder(run.Path(), nullptr);

    ViewerProcess process(viewer + L" /lFR \"\"", ReportPath(), 1000);
    ASSERT_TRUE(process.Started());
    EXPECT_EQ(0u, process.WaitIdle());
    const Report report = WaitForReport(ReportPath(), process);
    ASSERT_TRUE(report.complete);
    EXPECT_EQ("FR", report.values.at("language"));
    EXPECT_EQ("English", report.values.at("language-name"));
    EXPECT_EQ("built-in", report.values.at("strings"));
    EXPECT_EQ("Tavisk Archive Viewer", report.values.at("title"));
    EXPECT_EQ("", report.values.at("file"));
    EXPECT_EQ("-", report.values.at("size"));
    EXPECT_EQ(2u, report.files.size());
    EXPECT_EQ(0u, process.WaitExit());
}

TEST_F(ViewerProcessTest, WithoutLanguageSwitchUsesEnglishLibrary)
{
    ScratchFolder run(L"nocode");
    const std::wstring viewer = FillRunFolder(run.Path(), L"EN");
    const std::wstring file = m_outside.Path() + L"missing.bin";

    ViewerProcess process(viewer + L" \"" + file + L"\" /q", ReportPath(), 1000);
    ASSERT_TRUE(process.Started());
    const Report report = WaitForReport(ReportPath(), process);
    ASSERT_TRUE(report.complete);
    EXPECT_EQ("EN", report.values.at("language"));
    EXPECT_EQ(Utf8(run.Path() + L"Lumbra_EN.dll"), report.values.at("strings"));
    EXPECT_EQ(Utf8(file), report.values.at("file"));
    EXPECT_EQ("-", report.values.at("size")) << "a missing file has no size";
    EXPECT_EQ(0u, process.WaitExit());
}

TEST_F(ViewerProcessTest, HoldsNoFileOpenAndClosesOnEscape)
{
    ScratchFolder run(L"esc");
    const std::wstring viewer = FillRunFolder(run.Path(), L"DE");
    const std::wstring file = run.Path() + L"ZoltSDK\\zoltmux.ax";  // a file inside its own folder

    ViewerProcess process(viewer + L" /lDE \"" + file + L"\"", ReportPath(), 0);
    ASSERT_TRUE(process.Started());
    EXPECT_EQ(0u, process.WaitIdle());
    ASSERT_TRUE(WaitForReport(ReportPath(), process).complete);
    ASSERT_TRUE(process.Running());

    // While it runs, nothing but its own executable is held open.
    EXPECT_TRUE(OpenedByNobody(run.Path() + L"Lumbra_DE.dll"));
    EXPECT_TRUE(OpenedByNobody(file));

    const HWND window = process.MainWindow();
    ASSERT_NE(nullptr, window);
    wchar_t title[256];
    ::GetWindowTextW(window, title, 256);
    EXPECT_EQ(std::wstring(L"zoltmux.ax \u2013 Tavisk Archivbetrachter"), title);
    const std::vector<std::wstring> texts = ChildTexts(window);
    EXPECT_TRUE(Contains(texts, L"Datei:"));
    EXPECT_TRUE(Contains(texts, L"Gr\u00f6\u00dfe:"));
    EXPECT_TRUE(Contains(texts, L"5 Byte"));
    EXPECT_TRUE(Contains(texts, L"Deutsch (DE)"));
    EXPECT_TRUE(Contains(texts, L"Schlie\u00dfen"));

    ::PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(0u, process.WaitExit());
    EXPECT_TRUE(DeleteTree(run.Path())) << "the launcher must be able to remove the folder";
}

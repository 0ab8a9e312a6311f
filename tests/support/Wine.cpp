#include "tests/support/Wine.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::vector<std::string>& Differences()
{
    static std::vector<std::string> s_differences;
    return s_differences;
}

// Lists every known difference once more after the last test, where a reader of the log looks.
class DifferenceSummary : public ::testing::EmptyTestEventListener {
public:
    void OnTestProgramEnd(const ::testing::UnitTest&) override
    {
        if (Differences().empty())
            return;
        std::printf("[ wine diff] %zu known Wine difference(s) in this program:\n", Differences().size());
        for (const std::string& s : Differences())
            std::printf("[ wine diff]   %s\n", s.c_str());
        std::fflush(stdout);
    }
};

void InstallSummaryOnce()
{
    static const bool s_installed = [] {
        ::testing::UnitTest::GetInstance()->listeners().Append(new DifferenceSummary);
        return true;
    }();
    (void)s_installed;
}

}  // namespace

bool RunningOnWine()
{
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

namespace testsupport {

void ReportWineDifference(const char* pszFile, int nLine, const char* pszWindowsBehaviour)
{
    InstallSummaryOnce();
    const char* pszTest = "";
    if (const ::testing::TestInfo* pInfo = ::testing::UnitTest::GetInstance()->current_test_info())
        pszTest = pInfo->name();
    std::string line = std::string(pszTest) + " (" + pszFile + ":" + std::to_string(nLine) +
                       "): on Windows: " + pszWindowsBehaviour;
    std::printf("[ wine diff] %s\n", line.c_str());
    std::fflush(stdout);
    Differences().push_back(line);
    if (::testing::UnitTest::GetInstance()->current_test_info()) {
        // One property per difference: a second one in the same test must not replace the first.
        const std::string key = "wine_known_difference_" + std::to_string(Differences().size());
        ::testing::Test::RecordProperty(key, pszWindowsBehaviour);
    }
}

int WineDifferenceCount()
{
    return static_cast<int>(Differences().size());
}

}  // namespace testsupport

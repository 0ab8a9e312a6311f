// Bitmap button properties saved to a property file by one process and loaded by another: the test
// starts itself a second time (--load-and-save), which loads the file into a new button, reports
// every property that came back wrong in its exit code, and saves what it loaded for the way back.
#include "resources/ButtonSampleIds.h"
#include "resources/ResourceIds.h"
#include "support/ChildProcess.h"
#include "toolkit/buttons/VellButton.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#include <shellapi.h>

namespace {

constexpr DWORD kChildLoadFailed = 0x10000;
constexpr DWORD kChildSaveFailed = 0x20000;

// Values other than every default, so that a property that is not stored shows.
void SetNonDefaults(CVellBitmapButton& button)
{
    button.SetUseAllButtonRegions(TRUE);
    button.SetUseDrawFrame(FALSE);
    button.SetButtonStyle(CVellBitmapButton::StyleCheckBox);
    button.SetPictureDisabled(IDB_CHECK_DISABLED);
    button.SetPictureSelected(IDB_CHECK_CHECKED);
    button.SetPictureUp(IDB_CHECK_CLEARED);
    button.SetPictureDown(IDB_SAMPLE_TOGGLE_DOWN);
    button.SetPictureRollover(IDB_SAMPLE_ROUND_ROLLOVER);
    button.SetPictureDisabledAndSelected(IDB_CHECK_DISABLED_CHECKED);
    button.SetPictureDownAndSelected(IDB_SAMPLE_TOGGLE_SELECTED);
    button.SetPictureIntermediate(IDB_SAMPLE_CHECK_INTERMEDIATE);
    button.SetPictureFrame(IDB_SAMPLE_ROUND_UP);
    button.SetShiftText(9);
    button.SetText(L"All modules");
    button.SetKeyingColor(RGB(255, 0, 254));
}

// One bit per button property (in the order of the exchange) that does not have its non-default value.
DWORD MismatchesOfNonDefaults(CVellBitmapButton& button)
{
    using B = CVellBitmapButton;
    const bool ok[] = {
        button.GetUseAllButtonRegions() == TRUE,
        button.GetUseDrawFrame() == FALSE,
        button.GetButtonStyle() == B::StyleCheckBox,
        button.GetPictureForKind(B::KindDisabled) == IDB_CHECK_DISABLED,
        button.GetPictureForKind(B::KindSelected) == IDB_CHECK_CHECKED,
        button.GetPictureUp() == IDB_CHECK_CLEARED,
        button.GetPictureForKind(B::KindDown) == IDB_SAMPLE_TOGGLE_DOWN,
        button.GetPictureForKind(B::KindRollover) == IDB_SAMPLE_ROUND_ROLLOVER,
        button.GetPictureForKind(B::KindDisabledAndSelected) == IDB_CHECK_DISABLED_CHECKED,
        button.GetPictureForKind(B::KindDownAndSelected) == IDB_SAMPLE_TOGGLE_SELECTED,
        button.GetPictureForKind(B::KindIntermediate) == IDB_SAMPLE_CHECK_INTERMEDIATE,
        button.GetPictureFrame() == IDB_SAMPLE_ROUND_UP,
        button.GetShiftText() == 9,
        button.GetTextRef() == CString(L"All modules"),
        button.GetKeyingColor() == RGB(255, 0, 254),
    };
    DWORD dwMismatches = 0;
    for (size_t i = 0; i < sizeof(ok) / sizeof(ok[0]); ++i)
        if (!ok[i])
            dwMismatches |= 1u << i;
    return dwMismatches;
}

int LoadAndSave(const wchar_t* pszFrom, const wchar_t* pszTo)
{
    CPropertyBag bag;
    if (bag.LoadFromFile(pszFrom) != CPropertyBag::LoadResult::ok)
        return static_cast<int>(kChildLoadFailed);
    CVellButton button;
    CPropExchange load(bag, TRUE);
    button.ExchangeProperties(&load);
    DWORD dwResult = MismatchesOfNonDefaults(button);
    CPropertyBag out;
    CPropExchange save(out, FALSE);
    button.ExchangeProperties(&save);
    if (!out.SaveToFile(pszTo))
        dwResult |= kChildSaveFailed;
    return static_cast<int>(dwResult);
}

std::wstring TempFile(const wchar_t* pszName)
{
    wchar_t szDir[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, szDir);
    return std::wstring(szDir) + L"vell_button_" + pszName;
}

TEST(ButtonPersistenceTest, EveryNameSavedByOneProcessLoadsInAnother)
{
    const std::wstring first = TempFile(L"first.lpb");
    const std::wstring second = TempFile(L"second.lpb");
    ::DeleteFileW(second.c_str());
    {
        CVellButton button;
        SetNonDefaults(button);
        ASSERT_EQ(0u, MismatchesOfNonDefaults(button)) << "the values are set";
        CPropertyBag bag;
        CPropExchange save(bag, FALSE);
        button.ExchangeProperties(&save);
        ASSERT_TRUE(bag.SaveToFile(first.c_str())) << ::GetLastError();
    }

    wchar_t szSelf[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, szSelf, MAX_PATH);
    const std::wstring commandLine =
        L"\"" + std::wstring(szSelf) + L"\" --load-and-save \"" + first + L"\" \"" + second + L"\"";
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(StartChild(commandLine, {}, pi));
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(pi.hProcess, 60000));
    DWORD dwExit = 0xFFFFFFFF;
    ::GetExitCodeProcess(pi.hProcess, &dwExit);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    EXPECT_EQ(0u, dwExit & kChildLoadFailed) << "the second process read the file";
    EXPECT_EQ(0u, dwExit & 0xFFFF) << "a bit per property that came back wrong";
    ASSERT_EQ(0u, dwExit & kChildSaveFailed);

    CPropertyBag bag;
    ASSERT_EQ(CPropertyBag::LoadResult::ok, bag.LoadFromFile(second.c_str()));
    CVellButton button;
    CPropExchange load(bag, TRUE);
    button.ExchangeProperties(&load);
    EXPECT_EQ(0u, MismatchesOfNonDefaults(button)) << "and back again";
    ::DeleteFileW(first.c_str());
    ::DeleteFileW(second.c_str());
}

}  // namespace

int main(int argc, char** argv)
{
    int nArgs = 0;
    LPWSTR* args = ::CommandLineToArgvW(::GetCommandLineW(), &nArgs);
    if (args && nArgs == 4 && std::wcscmp(args[1], L"--load-and-save") == 0) {
        const int nResult = LoadAndSave(args[2], args[3]);
        ::LocalFree(args);
        return nResult;
    }
    ::LocalFree(args);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// The persisted control properties: their names, order and initial values, and a property file
// saved by this process and loaded by a second one (this executable started again on itself).
//
// Started as "control_property_tests.exe --load-and-save <in> <out>", the program loads <in> into a
// fresh control, checks every property against the values the first process saved, saves the control
// into <out> and exits with a bit per property that did not match (0: all did).
#include "TestControl.h"

#include "support/ChildProcess.h"
#include "platform/mfc/CPropExchange.h"
#include "platform/mfc/OleAutomation.h"

#include <gtest/gtest.h>
#include <shellapi.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// The names in the order the exchange must see them.
const std::vector<std::wstring> kNames = {
    L"UseAmbientFont",  L"UseAmbientForeColor", L"UseAmbientBackColor",           L"ContainerValidate",
    L"Enabled",         L"UsePalette",          L"BuildInactiveFromActivePalette", L"BuildDisabledFromActivePalette",
    L"RedrawControl",   L"StringId",            L"UseFocus",                      L"KeyingColor",
    L"BackColor",       L"ForeColor",           L"ToolTip",                       L"Text",
};

constexpr DWORD kChildLoadFailed = 0x10000;
constexpr DWORD kChildSaveFailed = 0x20000;
constexpr DWORD kChildAutomationEarly = 0x40000;
constexpr DWORD kChildAutomationMissing = 0x80000;

const wchar_t kToolTip[] = L"Tip \u00FC\u2603";
const wchar_t kText[] = L"Text\nwith two lines";

// Every property to a value other than its initial one ("StringId" cannot have another).
void SetNonDefaults(CVellControl& control)
{
    control.SetUseAmbientFont(FALSE);
    control.SetUseAmbientForeColor(FALSE);
    control.SetUseAmbientBackColor(FALSE);
    control.SetContainerValidate(TRUE);
    control.SetEnabled(FALSE);
    control.SetUsePalette(TRUE);
    control.SetBuildInactiveFromActivePalette(FALSE);
    control.SetBuildDisabledFromActivePalette(FALSE);
    control.SetRedrawControl(FALSE);
    control.SetUseFocus(2);
    control.SetKeyingColor(0x00123456);
    control.SetBackColor(0x00ABCDEF);
    control.SetForeColor(0x00FEDCBA);
    control.SetToolTip(kToolTip);
    control.SetText(kText);
}

std::wstring Str(BSTR bstr)
{
    const CBstr owned(bstr);
    return std::wstring(owned.c_str(), owned.Length());
}

// A bit per property (in exchange order) whose value is not the one SetNonDefaults gives.
DWORD MismatchesOfNonDefaults(CVellControl& c)
{
    const bool ok[] = {
        c.GetUseAmbientFont() == FALSE,
        c.GetUseAmbientForeColor() == FALSE,
        c.GetUseAmbientBackColor() == FALSE,
        c.GetContainerValidate() == TRUE,
        c.GetEnabled() == FALSE,
        c.GetUsePalette() == TRUE,
        c.GetBuildInactiveFromActivePalette() == FALSE,
        c.GetBuildDisabledFromActivePalette() == FALSE,
        c.GetRedrawControl() == FALSE,
        c.GetStringId() == 0,
        c.GetUseFocus() == 2,
        c.GetKeyingColor() == 0x00123456,
        c.GetBackColor() == 0x00ABCDEF,
        c.GetForeColor() == 0x00FEDCBA,
        Str(c.GetToolTip()) == kToolTip,
        Str(c.GetText()) == kText,
    };
    DWORD mask = 0;
    for (size_t i = 0; i < std::size(ok); ++i)
        if (!ok[i])
            mask |= 1u << i;
    return mask;
}

// Records the names it is asked for; fails the one named pszFail without touching its value.
class CRecordingExchange : public CPropExchange {
public:
    CRecordingExchange(CPropertyBag& bag, BOOL bLoading, const wchar_t* pszFail = nullptr)
        : CPropExchange(bag, bLoading), m_pszFail(pszFail)
    {
    }
    BOOL ExchangeProp(const wchar_t* pszPropName, VARTYPE vtProp, void* pvProp, const void* pvDefault) override
    {
        m_names.push_back(pszPropName);
        m_types.push_back(vtProp);
        if (m_pszFail && std::wcscmp(m_pszFail, pszPropName) == 0)
            return FALSE;
        return CPropExchange::ExchangeProp(pszPropName, vtProp, pvProp, pvDefault);
    }
    std::vector<std::wstring> m_names;
    std::vector<VARTYPE> m_types;

private:
    const wchar_t* m_pszFail;
};

std::wstring TempFile(const wchar_t* pszName)
{
    wchar_t dir[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, dir);
    return std::wstring(dir) + L"lumbra-ctlprops-" + std::to_wstring(GetCurrentProcessId()) + L"-" + pszName;
}

// The second process: load, check, save.
int LoadAndSave(const wchar_t* pszIn, const wchar_t* pszOut)
{
    DWORD result = 0;
    if (GetModuleHandleW(L"oleaut32.dll"))
        result |= kChildAutomationEarly;  // loaded before anything asked for a BSTR
    CTestControl control;
    CPropertyBag in;
    if (in.LoadFromFile(pszIn) != CPropertyBag::LoadResult::ok)
        return static_cast<int>(result | kChildLoadFailed);
    CPropExchange load(in, TRUE);
    control.ExchangeProperties(&load);
    if (!GetModuleHandleW(L"oleaut32.dll"))
        result |= kChildAutomationMissing;
    result |= MismatchesOfNonDefaults(control);
    CPropertyBag out;
    CPropExchange save(out, FALSE);
    control.ExchangeProperties(&save);
    if (!out.SaveToFile(pszOut))
        result |= kChildSaveFailed;
    return static_cast<int>(result);
}

}  // namespace

TEST(ControlPropertiesTest, InitialValuesOfEveryName)
{
    CTestControl control;
    CPropertyBag bag;
    CRecordingExchange save(bag, FALSE);
    control.ExchangeProperties(&save);
    EXPECT_EQ(kNames, save.m_names) << "every name, in this order";
    const std::vector<VARTYPE> types = {VT_BOOL, VT_BOOL, VT_BOOL, VT_BOOL, VT_BOOL, VT_BOOL, VT_BOOL, VT_BOOL,
                                        VT_BOOL, VT_I4,   VT_I4,   VT_I4,   VT_I4,   VT_I4,   VT_BSTR, VT_BSTR};
    EXPECT_EQ(types, save.m_types);
    ASSERT_EQ(kNames.size(), bag.GetCount());

    const std::pair<const wchar_t*, BOOL> bools[] = {
        {L"UseAmbientFont", TRUE}, {L"UseAmbientForeColor", TRUE}, {L"UseAmbientBackColor", TRUE},
        {L"ContainerValidate", FALSE}, {L"Enabled", TRUE}, {L"UsePalette", FALSE},
        {L"BuildInactiveFromActivePalette", TRUE}, {L"BuildDisabledFromActivePalette", TRUE},
        {L"RedrawControl", TRUE},
    };
    for (const auto& [name, value] : bools) {
        BOOL b = 7;
        EXPECT_EQ(CPropertyBag::Lookup::found, bag.GetBool(name, b)) << name;
        EXPECT_EQ(value, b) << name;
    }
    const std::pair<const wchar_t*, LONG> longs[] = {
        {L"StringId", 0}, {L"UseFocus", 1}, {L"KeyingColor", 0xFF00FF}, {L"BackColor", 0xCCB1A1}, {L"ForeColor", 0},
    };
    for (const auto& [name, value] : longs) {
        LONG n = -7;
        EXPECT_EQ(CPropertyBag::Lookup::found, bag.GetLong(name, n)) << name;
        EXPECT_EQ(value, n) << name;
    }
    for (const wchar_t* name : {L"ToolTip", L"Text"}) {
        std::wstring s = L"x";
        EXPECT_EQ(CPropertyBag::Lookup::found, bag.GetString(name, s)) << name;
        EXPECT_EQ(L"", s) << name;
    }
}

TEST(ControlPropertiesTest, SavedByOneProcessLoadedByAnother)
{
    const std::wstring first = TempFile(L"first.lpb");
    const std::wstring second = TempFile(L"second.lpb");
    DeleteFileW(second.c_str());
    {
        CTestControl control;
        SetNonDefaults(control);
        ASSERT_EQ(0u, MismatchesOfNonDefaults(control)) << "the values are set";
        CPropertyBag bag;
        CPropExchange save(bag, FALSE);
        control.ExchangeProperties(&save);
        ASSERT_TRUE(bag.SaveToFile(first.c_str())) << GetLastError();
    }

    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::wstring commandLine =
        L"\"" + std::wstring(self) + L"\" --load-and-save \"" + first + L"\" \"" + second + L"\"";
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(StartChild(commandLine, {}, pi));
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(pi.hProcess, 60000));
    DWORD exitCode = 0xFFFFFFFF;
    GetExitCodeProcess(pi.hProcess, &exitCode);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    EXPECT_EQ(0u, exitCode & kChildAutomationEarly) << "OLE automation is loaded on first use only";
    EXPECT_EQ(0u, exitCode & kChildAutomationMissing);
    EXPECT_EQ(0u, exitCode & kChildLoadFailed) << "the second process read the file";
    EXPECT_EQ(0u, exitCode & 0xFFFF) << "bit per property loaded wrongly (exchange order)";
    ASSERT_EQ(0u, exitCode & kChildSaveFailed);

    // And back: what the second process saved is what this one loads.
    CPropertyBag bag;
    ASSERT_EQ(CPropertyBag::LoadResult::ok, bag.LoadFromFile(second.c_str()));
    CTestControl control;
    CPropExchange load(bag, TRUE);
    control.ExchangeProperties(&load);
    EXPECT_EQ(0u, MismatchesOfNonDefaults(control));
    LONG n = -1;
    bag.GetLong(L"StringId", n);
    EXPECT_EQ(0, n);
    DeleteFileW(first.c_str());
    DeleteFileW(second.c_str());
}

TEST(ControlPropertiesTest, MissingNamesKeepWrongTypesDefaultUnknownNamesIgnored)
{
    CTestControl control;
    control.SetEnabled(FALSE);
    control.SetUseFocus(2);
    control.SetBackColor(RGB(9, 8, 7));
    control.SetText(L"kept");

    CPropertyBag bag;
    bag.SetString(L"UseFocus", L"2");   // wrong type: the default, here the current value
    bag.SetBool(L"BackColor", TRUE);     // wrong type
    bag.SetLong(L"StringId", 5);        // never anything but 0
    bag.SetLong(L"ForeColor", 0x010203);
    bag.SetBool(L"SomethingElse", TRUE);
    bag.SetLong(L"Text", 3);            // wrong type
    CRecordingExchange load(bag, TRUE);
    control.ExchangeProperties(&load);

    EXPECT_FALSE(control.GetEnabled()) << "a missing name leaves the property as it is";
    EXPECT_EQ(2, control.GetUseFocus());
    EXPECT_EQ(RGB(9, 8, 7), control.GetBackColor());
    EXPECT_EQ(0, control.GetStringId());
    EXPECT_EQ(0x010203u, control.GetForeColor());
    EXPECT_EQ(L"kept", Str(control.GetText()));
    EXPECT_EQ(kNames, load.m_names) << "only the control's own names are asked for";
}

TEST(ControlPropertiesTest, RowsAfterAFailedOneStillRun)
{
    CPropertyBag bag;
    {
        CTestControl source;
        SetNonDefaults(source);
        CPropExchange save(bag, FALSE);
        source.ExchangeProperties(&save);
    }
    CTestControl control;
    CRecordingExchange load(bag, TRUE, L"Enabled");
    control.ExchangeProperties(&load);
    EXPECT_EQ(kNames, load.m_names);
    EXPECT_EQ(1u << 4, MismatchesOfNonDefaults(control)) << "only the failed row kept its value";
    EXPECT_TRUE(control.GetEnabled());

    // The loaded "UsePalette" meets a control without palettes: its colours come from the table.
    control.SetColorTable({RGB(21, 59, 99)});
    EXPECT_EQ(RGB(21, 59, 99), control.GetColor(0));
}

int main(int argc, char** argv)
{
    int nArgs = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &nArgs);
    if (args && nArgs == 4 && std::wcscmp(args[1], L"--load-and-save") == 0) {
        const int result = LoadAndSave(args[2], args[3]);
        LocalFree(args);
        return result;
    }
    LocalFree(args);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// No DLL planted beside the launcher, in its current folder or in the folder it unpacks into ever
// loads into it, under Wine set to prefer a DLL found beside the program (as Windows does for every
// DLL that is not a known DLL).
#include "support/ChildProcess.h"
#include "support/LauncherArchives.h"
#include "support/PrivateTemp.h"
#include "support/ScratchFolder.h"
#include "support/Wine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

static testing::Environment* const kPrivateTemp = testing::AddGlobalTestEnvironment(new PrivateTempEnvironment);

namespace {

// System DLLs outside the known-DLL list that a window program or the system's own libraries load on
// its behalf. version.dll is planted on its own below: Wine's own libraries load it at start-up.
const wchar_t* const kPlanted[] = {L"comctl32", L"uxtheme", L"msimg32", L"dwmapi",  L"winmm",   L"propsys", L"cryptbase",
                                   L"wintrust", L"userenv", L"dbghelp", L"mpr",     L"netapi32", L"oleacc", L"windowscodecs"};

// Under Wine, the preference for a DLL beside the program comes from WINEDLLOVERRIDES as this test
// program was started with (CTest sets it for the planted names): Wine reads it from the environment
// its first process inherited, not from the environment block handed to a child.
bool WinePrefersPlantedDlls()
{
    wchar_t buffer[1024] = {};
    GetEnvironmentVariableW(L"WINEDLLOVERRIDES", buffer, 1024);
    const std::wstring overrides = buffer;
    for (const wchar_t* name : kPlanted)
        if (overrides.find(name) == std::wstring::npos || overrides.find(L"version") == std::wstring::npos)
            return false;
    return overrides.find(L"=n,b") != std::wstring::npos;
}

void Plant(const std::wstring& folder, const wchar_t* name)
{
    ASSERT_TRUE(CopyFileW((ExecutableFolder() + L"planted.dll").c_str(), (folder + name + L".dll").c_str(), FALSE));
}

void Plant(const std::wstring& folder)
{
    for (const wchar_t* name : kPlanted)
        Plant(folder, name);
}

// The markers that a program named exe left in folder.
std::vector<std::wstring> MarkersOf(const std::wstring& folder, const std::wstring& exe)
{
    std::vector<std::wstring> found;
    for (const std::wstring& name : FolderNames(folder))
        if (name.size() > exe.size() + 7 && name.find(L"-" + exe + L".loaded") != std::wstring::npos)
            found.push_back(name);
    return found;
}

class CurrentFolder {
public:
    explicit CurrentFolder(const std::wstring& folder)
    {
        wchar_t buffer[MAX_PATH];
        m_old.assign(buffer, GetCurrentDirectoryW(MAX_PATH, buffer));
        SetCurrentDirectoryW(folder.c_str());
    }
    ~CurrentFolder() { SetCurrentDirectoryW(m_old.c_str()); }
    CurrentFolder(const CurrentFolder&) = delete;
    CurrentFolder& operator=(const CurrentFolder&) = delete;

private:
    std::wstring m_old;
};

struct PlantedSetup {
    ScratchFolder scratch;
    std::wstring app, current, temp;
    PlantedSetup()
    {
        app = scratch / L"stick\\";
        current = scratch / L"current\\";
        temp = scratch / L"temp\\";
        for (const std::wstring& folder : {app, current, temp})
            CreateDirectoryW(folder.c_str(), nullptr);
    }
};

}  // namespace

TEST(DllSearch, PlantedDllsBesideTheLauncherOrInTheCurrentFolderNeverLoad)
{
    if (RunningOnWine()) {
        ASSERT_TRUE(WinePrefersPlantedDlls());
    }
    PlantedSetup setup;
    Plant(setup.app);
    Plant(setup.current);
    // The fixed extract folder, which an /e run unpacks into and works in.
    const std::wstring extract = setup.temp + L"LM\\";
    CreateDirectoryW(extract.c_str(), nullptr);
    Plant(extract);
    const std::wstring launcher = setup.app + L"Lumbra.exe";
    ASSERT_TRUE(CopyFileW((ExecutableFolder() + L"LumbraSpy.exe").c_str(), launcher.c_str(), FALSE));
    const EnvironmentChanges env = {{L"TEMP", setup.temp}, {L"TMP", setup.temp}, {L"LUMBRA_SPY_SLEEP_MS", L"200"}};
    struct Run {
        const wchar_t* arguments;
        std::wstring currentFolder;
    };
    for (const Run& r : {Run{L"", setup.current}, Run{L" /e", setup.current}, Run{L" /e", extract}}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(r.arguments) + L" in " + r.currentFolder));
        CurrentFolder current(r.currentFolder);
        const ChildResult run = RunUnderDebugger(L"\"" + launcher + L"\"" + r.arguments, env);
        EXPECT_EQ(0u, run.exitCode);
        EXPECT_TRUE(run.debugOutput.empty());
        for (const std::wstring& folder : {setup.app, setup.current, extract})
            EXPECT_EQ(std::vector<std::wstring>(), MarkersOf(folder, L"Lumbra.exe")) << testing::PrintToString(folder);
    }
    EXPECT_TRUE(FolderNames(setup.temp) == std::vector<std::wstring>{L"LM"});
}

// The settings above do make Wine load a planted DLL: version.dll beside the program, which Wine's
// own libraries load during start-up, before the program's first line. The launcher does not import
// it (the import table check), so on Windows nothing loads it there.
TEST(DllSearch, WineItselfLoadsAVersionDllPlantedBesideTheProgram)
{
    if (!RunningOnWine())
        GTEST_SKIP() << "shows a Wine behaviour only";
    ASSERT_TRUE(WinePrefersPlantedDlls());
    PlantedSetup setup;
    Plant(setup.app, L"version");
    const std::wstring launcher = setup.app + L"Lumbra.exe";
    ASSERT_TRUE(CopyFileW((ExecutableFolder() + L"LumbraSpy.exe").c_str(), launcher.c_str(), FALSE));
    const ChildResult run = RunUnderDebugger(L"\"" + launcher + L"\" /e", {{L"TEMP", setup.temp}, {L"TMP", setup.temp}});
    WINE_KNOWN_DIFFERENCE("a version.dll beside a program that does not import it is never loaded at start-up");
    EXPECT_EQ(std::vector<std::wstring>{L"version.dll-Lumbra.exe.loaded"}, MarkersOf(setup.app, L"Lumbra.exe"));
    EXPECT_EQ(0xC0000142u, run.exitCode) << "the stand-in refuses to load, so the process cannot start";
}

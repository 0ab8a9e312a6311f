// LumbraPack as a maker runs it: the demo payload into a built launcher that then does the whole job;
// every bad input refused with its message and nothing written; the same input packed twice alike.
#include "support/ChildProcess.h"
#include "support/LauncherArchives.h"
#include "support/PrivateTemp.h"
#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

static testing::Environment* const kPrivateTemp = testing::AddGlobalTestEnvironment(new PrivateTempEnvironment);

namespace {

const wchar_t* const kCodes[] = {L"CS", L"DA", L"DE", L"EL", L"EN", L"ES", L"FI", L"FR", L"HU",
                                 L"IT", L"JP", L"NL", L"NO", L"PL", L"PT", L"RU", L"SV", L"TR"};

struct ToolResult {
    DWORD exitCode = 0xFFFFFFFF;
    std::string output;  // standard output and error together
};

ToolResult RunTool(const std::wstring& arguments)
{
    ToolResult result;
    SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &sa, 0))
        return result;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = writeEnd;
    si.hStdError = writeEnd;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION pi = {};
    std::wstring line = L"\"" + ExecutableFolder() + L"LumbraPack.exe\" " + arguments;
    const BOOL started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                                        nullptr, &si, &pi);
    CloseHandle(writeEnd);
    if (started) {
        char buffer[4096];
        DWORD read = 0;
        while (ReadFile(readEnd, buffer, sizeof(buffer), &read, nullptr) && read > 0)
            result.output.append(buffer, read);
        WaitForSingleObject(pi.hProcess, 120000);
        GetExitCodeProcess(pi.hProcess, &result.exitCode);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    CloseHandle(readEnd);
    return result;
}

std::wstring SourceFolder()
{
    wchar_t buffer[MAX_PATH] = {};
    GetEnvironmentVariableW(L"LUMBRA_SOURCE", buffer, MAX_PATH);
    std::wstring path = buffer;
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path[0] == L'\\' ? L"Z:" + path : path;  // Wine shows the Linux root as drive Z:
}

void CopyTree(const std::wstring& from, const std::wstring& to)
{
    CreateDirectoryW(to.c_str(), nullptr);
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((from + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..")
            continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            CopyTree(from + L"\\" + name, to + L"\\" + name);
        else
            CopyFileW((from + L"\\" + name).c_str(), (to + L"\\" + name).c_str(), FALSE);
    } while (FindNextFileW(find, &data));
    FindClose(find);
}

// The demo payload as a maker would lay it out: the demo folder, a viewer (the spy, which reports
// what it finds) and a language library for every code.
std::wstring MakeMakerPayload(const ScratchFolder& scratch)
{
    const std::wstring payload = scratch / L"payload";
    CopyTree(SourceFolder() + L"\\payload\\demo", payload);
    CreateDirectoryW((payload + L"\\RUNTIME").c_str(), nullptr);
    CopyFileW((ExecutableFolder() + L"spy_viewer.exe").c_str(), (payload + L"\\RUNTIME\\Tavisk.exe").c_str(), FALSE);
    for (const wchar_t* code : kCodes) {
        const std::wstring lang = payload + L"\\LANG_" + code;
        CreateDirectoryW(lang.c_str(), nullptr);
        WriteTextFile(lang + L"\\Lumbra_" + code + L".dll", "language library " + std::string(code, code + 2));
    }
    return payload;
}

std::wstring Quoted(const std::wstring& s)
{
    return L"\"" + s + L"\"";
}

// The payload the test launchers were built from (tests/data/payload), with the spy as the viewer, as
// LumbraSpy.exe carries it, and stand-ins for the languages it lacks.
std::wstring MakeSpyPayload(const ScratchFolder& scratch)
{
    const std::wstring payload = scratch / L"spy-payload";
    CopyTree(SourceFolder() + L"\\tests\\data\\payload", payload);
    CopyFileW((ExecutableFolder() + L"spy_viewer.exe").c_str(), (payload + L"\\RUNTIME\\Tavisk.exe").c_str(), FALSE);
    for (const wchar_t* code : kCodes) {
        for (const std::wstring prefix : {L"LANG_", L"HELP_"}) {
            const std::wstring folder = payload + L"\\" + prefix + code;
            if (CreateDirectoryW(folder.c_str(), nullptr))
                WriteTextFile(folder + L"\\" + prefix + code + L".txt", "stand-in");
        }
    }
    return payload;
}

// A copy of a program whose headers say that a signature is attached.
bool WriteSignedLookingCopy(const std::wstring& from, const std::wstring& to)
{
    std::string bytes = ReadWholeFile(from);
    if (bytes.size() < 4096)
        return false;
    IMAGE_DOS_HEADER dos;
    memcpy(&dos, bytes.data(), sizeof(dos));
    const size_t directory = static_cast<size_t>(dos.e_lfanew) + offsetof(IMAGE_NT_HEADERS64, OptionalHeader) +
                             offsetof(IMAGE_OPTIONAL_HEADER64, DataDirectory) +
                             IMAGE_DIRECTORY_ENTRY_SECURITY * sizeof(IMAGE_DATA_DIRECTORY);
    const IMAGE_DATA_DIRECTORY certificates = {static_cast<DWORD>(bytes.size()), 8};
    memcpy(bytes.data() + directory, &certificates, sizeof(certificates));
    bytes.append("\x08\0\0\0\0\x02\x02\0", 8);  // an empty WIN_CERTIFICATE
    return WriteTextFile(to, bytes);
}

LONGLONG FileSize(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<LONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::wstring InputLauncher()
{
    return ExecutableFolder() + L"LumbraNoViewer.exe";
}

// The bytes of every "FILE" resource of a program, by name.
std::vector<std::pair<std::wstring, std::string>> Archives(const std::wstring& program)
{
    std::vector<std::pair<std::wstring, std::string>> archives;
    HMODULE module = LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!module)
        return archives;
    std::vector<std::wstring> names;
    EnumResourceNamesW(
        module, L"FILE",
        [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR param) -> BOOL {
            if (!IS_INTRESOURCE(name))
                reinterpret_cast<std::vector<std::wstring>*>(param)->push_back(name);
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&names));
    for (const std::wstring& name : names) {
        HRSRC res = FindResourceW(module, name.c_str(), L"FILE");
        const char* data = static_cast<const char*>(LockResource(LoadResource(module, res)));
        archives.emplace_back(name, std::string(data, SizeofResource(module, res)));
    }
    FreeLibrary(module);
    std::sort(archives.begin(), archives.end());
    return archives;
}

}  // namespace

TEST(LumbraPack, PacksTheDemoPayloadIntoALauncherThatDoesTheWholeJob)
{
    ScratchFolder scratch;
    const std::wstring payload = MakeMakerPayload(scratch);
    const std::wstring packed = scratch / L"Packed.exe";
    const ToolResult pack = RunTool(Quoted(InputLauncher()) + L" " + Quoted(payload) + L" " + Quoted(packed));
    ASSERT_EQ(0u, pack.exitCode) << pack.output;

    // 3 fixed archives and two per language; the input launcher's own archives are gone.
    const auto archives = Archives(packed);
    EXPECT_EQ(3u + 2 * std::size(kCodes), archives.size());

    // /e: every file of the payload unpacked byte for byte.
    const std::wstring temp = scratch / L"temp\\";
    CreateDirectoryW(temp.c_str(), nullptr);
    const ChildResult extract = RunUnderDebugger(Quoted(packed) + L" /e /lDE", {{L"TEMP", temp}, {L"TMP", temp}});
    EXPECT_EQ(0u, extract.exitCode);
    EXPECT_TRUE(extract.debugOutput.empty());
    std::vector<std::wstring> expected;
    for (const wchar_t* archive : {L"ZOLT", L"VC", L"RUNTIME", L"LANG_DE", L"HELP_DE"}) {
        for (const std::wstring& file : FilesBelow(payload + L"\\" + archive + L"\\")) {
            expected.push_back(file);
            EXPECT_EQ(ReadWholeFile(payload + L"\\" + archive + L"\\" + file), ReadWholeFile(temp + L"LM\\" + file))
                << testing::PrintToString(file);
        }
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, FilesBelow(temp + L"LM\\"));
    RemoveTreeForTest(temp + L"LM");

    // A normal run starts the packed viewer and removes its folder afterwards.
    const std::wstring report = scratch / L"spy.txt";
    const ChildResult run = RunUnderDebugger(Quoted(packed) + L" /lFR",
                                             {{L"TEMP", temp}, {L"TMP", temp}, {L"LUMBRA_SPY_REPORT", report}});
    EXPECT_EQ(0u, run.exitCode);
    EXPECT_NE(std::string::npos, ReadWholeFile(report).find("file: Lumbra_FR.dll"));
    EXPECT_TRUE(FolderNames(temp).empty());
}

TEST(LumbraPack, TheSameInputGivesByteIdenticalArchives)
{
    ScratchFolder scratch;
    const std::wstring payload = MakeMakerPayload(scratch);
    const std::wstring one = scratch / L"one.exe", two = scratch / L"two.exe";
    ASSERT_EQ(0u, RunTool(Quoted(InputLauncher()) + L" " + Quoted(payload) + L" " + Quoted(one)).exitCode);
    // Newer file times change nothing unless the maker asks to keep them.
    HANDLE h = CreateFileW((payload + L"\\ZOLT\\ZoltSDK\\readme.txt").c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    SetFileTime(h, nullptr, nullptr, &now);
    CloseHandle(h);
    ASSERT_EQ(0u, RunTool(Quoted(InputLauncher()) + L" " + Quoted(payload) + L" " + Quoted(two)).exitCode);
    const auto archivesOne = Archives(one);
    ASSERT_FALSE(archivesOne.empty());
    EXPECT_TRUE(archivesOne == Archives(two));

    const std::wstring kept = scratch / L"kept.exe";
    ASSERT_EQ(0u,
              RunTool(L"--keep-times " + Quoted(InputLauncher()) + L" " + Quoted(payload) + L" " + Quoted(kept)).exitCode);
    EXPECT_FALSE(archivesOne == Archives(kept));
}

// The build packs with payload/pack_zip.py (Python's zipfile): the same folders give the same bytes.
TEST(LumbraPack, ArchivesAreTheOnesTheBuildMakesFromTheSameFolders)
{
    ScratchFolder scratch;
    const std::wstring payload = MakeSpyPayload(scratch);
    const std::wstring packed = scratch / L"Packed.exe";
    const ToolResult pack = RunTool(Quoted(InputLauncher()) + L" " + Quoted(payload) + L" " + Quoted(packed));
    ASSERT_EQ(0u, pack.exitCode) << pack.output;

    const auto built = Archives(ExecutableFolder() + L"LumbraSpy.exe");
    const auto archives = Archives(packed);
    ASSERT_EQ(9u, built.size());  // ZOLT, VC, RUNTIME and three languages
    for (const auto& [name, bytes] : built) {
        SCOPED_TRACE(testing::PrintToString(name));
        const auto it = std::find_if(archives.begin(), archives.end(), [&](const auto& a) { return a.first == name; });
        ASSERT_NE(archives.end(), it);
        EXPECT_EQ(bytes.size(), it->second.size());
        EXPECT_TRUE(bytes == it->second);
    }
}

TEST(LumbraPack, RefusesBadInputWithAMessageAndWritesNothing)
{
    ScratchFolder scratch;
    const std::wstring good = MakeMakerPayload(scratch);
    const std::wstring output = scratch / L"out.exe";
    const std::wstring input = scratch / L"Lumbra.exe";
    ASSERT_TRUE(CopyFileW(InputLauncher().c_str(), input.c_str(), FALSE));
    const std::string inputBytes = ReadWholeFile(input);

    auto variant = [&](const wchar_t* name) {
        const std::wstring folder = scratch / name;
        CopyTree(good, folder);
        return folder;
    };
    const std::wstring noHelp = variant(L"no-help");
    RemoveTreeForTest(noHelp + L"\\HELP_DE");
    const std::wstring noEnglish = variant(L"no-english");
    RemoveTreeForTest(noEnglish + L"\\LANG_EN");
    RemoveTreeForTest(noEnglish + L"\\HELP_EN");
    const std::wstring noViewer = variant(L"no-viewer");
    DeleteFileW((noViewer + L"\\RUNTIME\\Tavisk.exe").c_str());
    const std::wstring unknown = variant(L"unknown");
    CreateDirectoryW((unknown + L"\\LANG_XX").c_str(), nullptr);
    const std::wstring device = variant(L"device-name");
    // A device name is a plain file only when written through the long-path prefix.
    ASSERT_TRUE(WriteTextFile(L"\\\\?\\" + device + L"\\ZOLT\\ZoltSDK\\aux.txt", "x"));
    // 259 bytes of name fit the launcher's reader; one more does not (the folders' entries end in "/").
    const std::wstring longName = variant(L"long-name");
    const std::wstring deep = L"\\\\?\\" + longName + L"\\ZOLT\\" + std::wstring(200, L'd');
    ASSERT_TRUE(CreateDirectoryW(deep.c_str(), nullptr));
    ASSERT_TRUE(WriteTextFile(deep + L"\\" + std::wstring(54, L'f') + L".txt", "fits"));  // 200 + 1 + 58 bytes
    ASSERT_TRUE(WriteTextFile(deep + L"\\" + std::wstring(55, L'f') + L".txt", "one byte too many"));
    const std::wstring signedInput = scratch / L"Signed.exe";
    ASSERT_TRUE(WriteSignedLookingCopy(input, signedInput));
    const std::wstring notALauncher = scratch / L"notes.exe";
    ASSERT_TRUE(WriteTextFile(notALauncher, "MZ but nothing else"));

    struct Case {
        const char* what;
        std::wstring payload;
        std::wstring extraArguments;
        std::wstring output;
        std::string message;
        std::wstring input;
    };
    const Case cases[] = {
        {"a language without its help", noHelp, L"", output, "missing language folders", input},
        {"no English", noEnglish, L"", output, "missing language folders", input},
        {"no viewer", noViewer, L"", output, "missing the viewer", input},
        {"an unknown language folder", unknown, L"", output, "unknown archive folder", input},
        {"a name the reader refuses", device, L"", output, "would refuse to unpack this name", input},
        {"a name too long for the reader", longName, L"", output, "longer than 259 bytes", input},
        {"over the size limit", good, L"--max-size 100000 ", output, "over the limit", input},
        {"the input as output", good, L"", input, "would overwrite the input", input},
        {"the input as output, spelt otherwise", good, L"", scratch / L".\\LUMBRA.EXE", "would overwrite the input", input},
        {"a signed launcher", good, L"", output, "is signed: pack the unsigned", signedInput},
        {"no launcher", good, L"", output, "not a launcher", notALauncher},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ToolResult result =
            RunTool(c.extraArguments + Quoted(c.input) + L" " + Quoted(c.payload) + L" " + Quoted(c.output));
        EXPECT_EQ(1u, result.exitCode) << result.output;
        EXPECT_NE(std::string::npos, result.output.find(c.message)) << result.output;
        EXPECT_FALSE(PathExists(output));
        EXPECT_FALSE(PathExists(c.output + L".packing"));
    }
    EXPECT_EQ(inputBytes, ReadWholeFile(input));

    const ToolResult usage = RunTool(Quoted(input));
    EXPECT_EQ(1u, usage.exitCode);
    EXPECT_NE(std::string::npos, usage.output.find("usage: LumbraPack.exe"));

    // Without the name that is one byte too long, the payload is packed.
    DeleteFileW((deep + L"\\" + std::wstring(55, L'f') + L".txt").c_str());
    const ToolResult fits = RunTool(Quoted(input) + L" " + Quoted(longName) + L" " + Quoted(output));
    EXPECT_EQ(0u, fits.exitCode) << fits.output;
    DeleteFileW(output.c_str());
}

// The limit holds for the file as written (its resource directory and alignment included), not only
// for the estimate made before writing it.
TEST(LumbraPack, TheWrittenFileIsWhatMustFitTheLimit)
{
    ScratchFolder scratch;
    const std::wstring payload = MakeMakerPayload(scratch);
    const std::wstring first = scratch / L"first.exe", second = scratch / L"second.exe";
    ASSERT_EQ(0u, RunTool(Quoted(InputLauncher()) + L" " + Quoted(payload) + L" " + Quoted(first)).exitCode);
    const LONGLONG size = FileSize(first);
    ASSERT_GT(size, 0);

    const ToolResult over = RunTool(L"--max-size " + std::to_wstring(size - 1) + L" " + Quoted(InputLauncher()) +
                                    L" " + Quoted(payload) + L" " + Quoted(second));
    EXPECT_EQ(1u, over.exitCode) << over.output;
    EXPECT_NE(std::string::npos, over.output.find("over the limit")) << over.output;
    EXPECT_FALSE(PathExists(second));
    EXPECT_FALSE(PathExists(second + L".packing"));

    const ToolResult exact = RunTool(L"--max-size " + std::to_wstring(size) + L" " + Quoted(InputLauncher()) + L" " +
                                     Quoted(payload) + L" " + Quoted(second));
    EXPECT_EQ(0u, exact.exitCode) << exact.output;
    EXPECT_EQ(size, FileSize(second));

    // A folder that does not exist is a write failure, not a refusal.
    const ToolResult nowhere = RunTool(Quoted(InputLauncher()) + L" " + Quoted(payload) + L" " +
                                       Quoted(scratch / L"missing\\out.exe"));
    EXPECT_EQ(2u, nowhere.exitCode) << nowhere.output;
    EXPECT_NE(std::string::npos, nowhere.output.find("cannot write")) << nowhere.output;
}

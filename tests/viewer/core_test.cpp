// The viewer's parts without its window: command line, texts, preview, listing, report.
#include "TestSupport.h"

#include "viewer/CommandLine.h"
#include "viewer/FilePreview.h"
#include "viewer/FolderListing.h"
#include "viewer/Report.h"
#include "viewer/TextUtil.h"
#include "viewer/ViewerStrings.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace tavisk;
using namespace viewer_test;

namespace {

char Letter(PluralCategory category)
{
    return category == PluralCategory::One ? 'o' : category == PluralCategory::Few ? 'f' : 'm';
}

std::string Categories(const wchar_t* rule)
{
    std::string result;
    for (std::uint64_t n : {0, 1, 2, 4, 5, 11, 12, 14, 21, 22, 25, 101, 111, 112, 122})
        result += Letter(SelectPlural(rule, n));
    return result;
}

}  // namespace

TEST(ViewerText, PluralRulesPickTheRightWording)
{
    //                          0  1  2  4  5 11 12 14 21 22 25 101 111 112 122
    EXPECT_EQ("mommmmmmmmmmmmm", Categories(L"one"));
    EXPECT_EQ("oommmmmmmmmmmmm", Categories(L"zero-one"));
    EXPECT_EQ("mmmmmmmmmmmmmmm", Categories(L"none"));
    EXPECT_EQ("moffmmmmofmommf", Categories(L"ru"));
    EXPECT_EQ("moffmmmmmmmmmmm", Categories(L"cs"));
    EXPECT_EQ("moffmmmmmfmmmmf", Categories(L"pl"));
    EXPECT_EQ(Categories(L"one"), Categories(L"unknown"));
}

TEST(ViewerText, NumbersAndPlaceholders)
{
    EXPECT_EQ(L"0", GroupDigits(0, L","));
    EXPECT_EQ(L"999", GroupDigits(999, L","));
    EXPECT_EQ(L"1.000", GroupDigits(1000, L"."));
    EXPECT_EQ(L"18\u00a0446\u00a0744\u00a0073\u00a0709\u00a0551\u00a0615", GroupDigits(UINT64_MAX, L"\u00a0"));
    EXPECT_EQ(L"3 bajty", FillPlaceholder(L"%s bajty", L"3"));
    EXPECT_EQ(L"3 Byte", FillPlaceholder(L"Byte", L"3"));  // a translation that lost its %s
    EXPECT_EQ(L"100%s", FillPlaceholder(L"%s%s", L"100"));

    const ViewerStrings english = ViewerStrings::BuiltIn();
    EXPECT_EQ(L"1 byte", english.Bytes(1));
    EXPECT_EQ(L"0 bytes", english.Bytes(0));
    EXPECT_EQ(L"1,234,567 bytes", english.Bytes(1234567));
    EXPECT_FALSE(english.FromLibrary());
}

TEST(ViewerCommandLine, FindsTheArgumentsAfterAnUnquotedProgramPathWithBlanks)
{
    const std::wstring module = L"C:\\Documents and Settings\\me\\Temp\\LM1208\\Tavisk.exe";
    EXPECT_EQ(L" /lEN \"D:\\a b.bin\"",
              ArgumentsAfterProgram(L"C:\\Documents and Settings\\me\\Temp\\LM1208\\Tavisk.exe /lEN \"D:\\a b.bin\"",
                                    module));
    // Case and a missing ".exe" do not matter, as for the system's own search.
    EXPECT_EQ(L" /lDE \"\"",
              ArgumentsAfterProgram(L"c:\\documents and settings\\me\\temp\\lm1208\\TAVISK /lDE \"\"", module));
    EXPECT_EQ(L" /lDE", ArgumentsAfterProgram(L"\"C:\\x y\\Tavisk.exe\" /lDE", L"C:\\x y\\Tavisk.exe"));
    EXPECT_EQ(L" a", ArgumentsAfterProgram(L"me\\Temp\\LM1208\\Tavisk.exe a", module));
    EXPECT_EQ(L" b c", ArgumentsAfterProgram(L"Other.exe b c", module));
    EXPECT_EQ(L"", ArgumentsAfterProgram(module, module));
    EXPECT_EQ(L"", ArgumentsAfterProgram(L"", module));
}

TEST(ViewerCommandLine, TakesLanguageAndFile)
{
    ViewerArguments args = ParseViewerArguments(L" /lDE \"C:\\x y\\clip 1.bin\"");
    EXPECT_EQ(L"DE", args.language);
    EXPECT_EQ(L"C:\\x y\\clip 1.bin", args.file);

    args = ParseViewerArguments(L" /lEN \"\"");
    EXPECT_EQ(L"EN", args.language);
    EXPECT_EQ(L"", args.file);

    args = ParseViewerArguments(L"");
    EXPECT_EQ(L"EN", args.language);
    EXPECT_EQ(L"", args.file);

    // Lower case is accepted, the last /l wins, unknown switches and later files are ignored.
    args = ParseViewerArguments(L"a.bin /lde -x /Q -lfr b.bin");
    EXPECT_EQ(L"FR", args.language);
    EXPECT_EQ(L"a.bin", args.file);

    EXPECT_EQ(L"EN", ParseViewerArguments(L"/l x").language);
    EXPECT_EQ(L"x", ParseViewerArguments(L"/l x").file);
}

TEST(ViewerCommandLine, RejectsCodesThatCouldLeaveTheFolder)
{
    EXPECT_EQ(L"EN", NormalizeLanguageCode(L"..\\..\\Windows\\evil"));
    EXPECT_EQ(L"EN", NormalizeLanguageCode(L"DE.dll"));
    EXPECT_EQ(L"EN", NormalizeLanguageCode(L"D E"));
    EXPECT_EQ(L"EN", NormalizeLanguageCode(L"ABCDEFGHI"));
    EXPECT_EQ(L"XX", NormalizeLanguageCode(L"xx"));
    EXPECT_EQ(L"PTBR2", NormalizeLanguageCode(L"ptBR2"));
}

TEST(ViewerPreview, HexDumpLines)
{
    std::vector<std::uint8_t> bytes = {'M', 'Z', 0x90, 0x00, 0x7F, 0x20, '~', 0xFF, 'A', 'B', 'C', 'D', 'E', 'F', 'G',
                                       'H', 'x', 0x0A};
    EXPECT_EQ(L"00000000  4D 5A 90 00 7F 20 7E FF  41 42 43 44 45 46 47 48  MZ... ~.ABCDEFGH\r\n"
              L"00000010  78 0A                                             x.",
              FormatHexDump(bytes));
    EXPECT_EQ(L"", FormatHexDump({}));

    std::vector<std::uint8_t> full(256, 0x41);
    const std::wstring dump = FormatHexDump(full);
    EXPECT_EQ(15u, static_cast<size_t>(std::count(dump.begin(), dump.end(), L'\n')));
    EXPECT_NE(std::wstring::npos, dump.find(L"000000F0  41"));
}

TEST(ViewerPreview, ReadsTheHeadAndLetsGoOfTheFile)
{
    ScratchFolder folder(L"preview");
    std::vector<std::uint8_t> bytes(300);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(i);
    const std::wstring path = folder.Path() + L"clip \u00e4.bin";
    WriteBytes(path, bytes);

    FilePreview preview = ReadFilePreview(path);
    EXPECT_EQ(PreviewStatus::Read, preview.status);
    EXPECT_EQ(300u, preview.size);
    ASSERT_EQ(256u, preview.head.size());
    EXPECT_EQ(255, preview.head[255]);
    EXPECT_TRUE(OpenedByNobody(path));

    WriteBytes(folder.Path() + L"empty.bin", {});
    preview = ReadFilePreview(folder.Path() + L"empty.bin");
    EXPECT_EQ(PreviewStatus::Empty, preview.status);
    EXPECT_TRUE(preview.HasSize());

    preview = ReadFilePreview(folder.Path() + L"missing.bin");
    EXPECT_EQ(PreviewStatus::Unreadable, preview.status);
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), preview.error);
    EXPECT_FALSE(preview.HasSize());

    ::CreateDirectoryW((folder.Path() + L"sub").c_str(), nullptr);
    EXPECT_EQ(PreviewStatus::Folder, ReadFilePreview(folder.Path() + L"sub").status);
    EXPECT_EQ(PreviewStatus::NoFile, ReadFilePreview(L"").status);
}

TEST(ViewerListing, ListsNestedFilesSortedAndStopsAtTheLimit)
{
    ScratchFolder folder(L"listing");
    ::CreateDirectoryW((folder.Path() + L"ZoltSDK").c_str(), nullptr);
    ::CreateDirectoryW((folder.Path() + L"ZoltSDK\\Microsoft.VC80.ATL").c_str(), nullptr);
    ::CreateDirectoryW((folder.Path() + L"empty").c_str(), nullptr);
    WriteBytes(folder.Path() + L"b.dll", {1, 2, 3});
    WriteBytes(folder.Path() + L"A.txt", {1});
    WriteBytes(folder.Path() + L"ZoltSDK\\zoltmux.ax", std::vector<std::uint8_t>(70000, 7));
    WriteBytes(folder.Path() + L"ZoltSDK\\Microsoft.VC80.ATL\\ATL80.dll", {});

    const FolderListing listing = ListFolderFiles(folder.Path());
    ASSERT_EQ(4u, listing.files.size());
    EXPECT_FALSE(listing.truncated);
    EXPECT_EQ(L"A.txt", listing.files[0].relativePath);
    EXPECT_EQ(L"b.dll", listing.files[1].relativePath);
    EXPECT_EQ(3u, listing.files[1].size);
    EXPECT_EQ(L"ZoltSDK\\Microsoft.VC80.ATL\\ATL80.dll", listing.files[2].relativePath);
    EXPECT_EQ(L"ZoltSDK\\zoltmux.ax", listing.files[3].relativePath);
    EXPECT_EQ(70000u, listing.files[3].size);

    const FolderListing cut = ListFolderFiles(folder.Path(), 2);
    EXPECT_EQ(2u, cut.files.size());
    EXPECT_TRUE(cut.truncated);
}

TEST(ViewerReport, FormatAndAtomicReplace)
{
    ReportData data;
    data.commandLine = L"C:\\t\\Tavisk.exe /lRU \"\"";
    data.modulePath = L"C:\\t\\Tavisk.exe";
    data.language = L"RU";
    data.languageName = L"\u0420\u0443\u0441\u0441\u043a\u0438\u0439";
    data.strings = L"built-in";
    data.title = L"two\r\nlines";
    data.size = L"-";
    data.listing.files = {{L"Tavisk.exe", 12}, {L"sub\\\u00e4.txt", 0}};
    EXPECT_EQ("cmdline: C:\\t\\Tavisk.exe /lRU \"\"\r\n"
              "module: C:\\t\\Tavisk.exe\r\n"
              "language: RU\r\n"
              "language-name: \xd0\xa0\xd1\x83\xd1\x81\xd1\x81\xd0\xba\xd0\xb8\xd0\xb9\r\n"
              "strings: built-in\r\n"
              "title: two  lines\r\n"
              "file: \r\n"
              "size: -\r\n"
              "files:\r\n"
              "Tavisk.exe\t12\r\n"
              "sub\\\xc3\xa4.txt\t0\r\n",
              BuildReport(data));

    ScratchFolder folder(L"report");
    const std::wstring path = folder.Path() + L"report.txt";
    WriteBytes(path, std::vector<std::uint8_t>(5000, 'x'));
    ASSERT_TRUE(WriteFileAtomically(path, "new\r\n"));
    EXPECT_EQ("new\r\n", ReadBytes(path));
    EXPECT_EQ(1u, ListFolderFiles(folder.Path()).files.size());  // no temporary file left behind
    EXPECT_FALSE(WriteFileAtomically(folder.Path() + L"no such folder\\r.txt", "x"));
}

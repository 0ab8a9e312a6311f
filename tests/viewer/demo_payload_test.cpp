// The committed demo payload: the layout the launcher's archives are packed from, and nothing in it
// that is a real program module.
#include "TestSupport.h"

#include "viewer/FolderListing.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

using namespace viewer_test;

namespace {

std::wstring DemoFolder()
{
    const char* source = std::getenv("LUMBRA_SOURCE");
    return source ? WindowsFolder(source) + L"payload\\demo\\" : std::wstring();
}

std::set<std::wstring> Files(const std::wstring& folder)
{
    std::set<std::wstring> names;
    for (const tavisk::ListedFile& file : tavisk::ListFolderFiles(folder).files)
        names.insert(file.relativePath);
    return names;
}

const wchar_t* const kCodes[] = {L"CS", L"DA", L"DE", L"EL", L"EN", L"ES", L"FI", L"FR", L"HU",
                                 L"IT", L"JP", L"NL", L"NO", L"PL", L"PT", L"RU", L"SV", L"TR"};

}  // namespace

TEST(DemoPayload, HasTheArchiveLayout)
{
    const std::wstring demo = DemoFolder();
    ASSERT_FALSE(demo.empty());

    // ZOLT: one top folder, a nested assembly folder, 16 files (18 entries with the two folders).
    const std::set<std::wstring> zolt = Files(demo + L"ZOLT\\");
    EXPECT_EQ(16u, zolt.size());
    for (const std::wstring& name : zolt)
        EXPECT_EQ(0u, name.rfind(L"ZoltSDK\\", 0)) << "outside the top folder";
    EXPECT_EQ(1u, zolt.count(L"ZoltSDK\\Microsoft.VC80.ATL\\ATL80.dll"));
    EXPECT_EQ(1u, zolt.count(L"ZoltSDK\\Microsoft.VC80.ATL\\Microsoft.VC80.ATL.manifest"));

    EXPECT_EQ((std::set<std::wstring>{L"Microsoft.VC80.ATL\\ATL80.dll", L"Microsoft.VC80.ATL\\Microsoft.VC80.ATL.manifest"}),
              Files(demo + L"VC\\"));

    // RUNTIME: four libraries; the build adds Tavisk.exe as the fifth entry.
    const std::set<std::wstring> runtime = Files(demo + L"RUNTIME\\");
    EXPECT_EQ(4u, runtime.size());
    EXPECT_EQ(0u, runtime.count(L"Tavisk.exe"));

    for (const wchar_t* code : kCodes) {
        SCOPED_TRACE(code);
        const std::wstring name = std::wstring(L"Lumbra_") + code + L".htm";
        EXPECT_EQ(std::set<std::wstring>{name}, Files(demo + L"HELP_" + code + L"\\"));
        const std::string page = ReadBytes(demo + L"HELP_" + code + L"\\" + name);
        EXPECT_NE(std::string::npos, page.find("<meta charset=\"utf-8\">"));
        EXPECT_NE(std::string::npos, page.find("/l" + std::string(code, code + 2)));
        EXPECT_GT(::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, page.data(), static_cast<int>(page.size()),
                                        nullptr, 0),
                  0)
            << "valid UTF-8";
    }
}

TEST(DemoPayload, HoldsOnlySmallTextStandIns)
{
    const std::wstring demo = DemoFolder();
    ASSERT_FALSE(demo.empty());
    const tavisk::FolderListing listing = tavisk::ListFolderFiles(demo);
    ASSERT_GT(listing.files.size(), 40u);
    for (const tavisk::ListedFile& file : listing.files) {
        SCOPED_TRACE(::testing::PrintToString(file.relativePath));
        EXPECT_LT(file.size, 8192u);
        const std::string content = ReadBytes(demo + file.relativePath);
        EXPECT_NE(0u, content.rfind("MZ", 0)) << "an executable image";
        EXPECT_EQ(std::string::npos, content.find('\0')) << "binary content";
    }
}

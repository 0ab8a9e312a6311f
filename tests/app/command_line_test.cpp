#include "app/CommandLineInfo.h"

#include <gtest/gtest.h>
#include <shellapi.h>

#include <vector>

namespace {

// Splits a command line by the runtime's rules and parses it as the launcher does.
CMyCommandLineInfo Parse(const wchar_t* pszCommandLine)
{
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(pszCommandLine, &argc);
    CMyCommandLineInfo info;
    ParseCommandLineArguments(info, argc, argv);
    LocalFree(argv);
    return info;
}

}  // namespace

TEST(CommandLine, NoArgumentsLeaveDefaults)
{
    CMyCommandLineInfo info = Parse(L"Lumbra.exe");
    EXPECT_FALSE(info.m_bExtractOnly);
    EXPECT_TRUE(info.m_strLanguage.IsEmpty());
    EXPECT_TRUE(info.m_strFileName.IsEmpty());
    EXPECT_TRUE(info.IsKindOf(RUNTIME_CLASS(CCommandLineInfo)));
}

TEST(CommandLine, ExtractSwitchIsLowerCaseEOnly)
{
    EXPECT_TRUE(Parse(L"Lumbra.exe /e").m_bExtractOnly);
    EXPECT_TRUE(Parse(L"Lumbra.exe -e").m_bExtractOnly);
    EXPECT_TRUE(Parse(L"Lumbra.exe /extract").m_bExtractOnly);
    EXPECT_TRUE(Parse(L"Lumbra.exe -eX /e").m_bExtractOnly);
    EXPECT_FALSE(Parse(L"Lumbra.exe /E").m_bExtractOnly);
    EXPECT_FALSE(Parse(L"Lumbra.exe e").m_bExtractOnly);
}

TEST(CommandLine, LanguageValueIsTakenAsTyped)
{
    EXPECT_STREQ(L"DE", Parse(L"Lumbra.exe /lDE").m_strLanguage);
    EXPECT_STREQ(L"de", Parse(L"Lumbra.exe /lde").m_strLanguage);
    EXPECT_STREQ(L"anguage", Parse(L"Lumbra.exe /language").m_strLanguage);
    EXPECT_STREQ(L"", Parse(L"Lumbra.exe /l").m_strLanguage);
    EXPECT_STREQ(L"FR", Parse(L"Lumbra.exe /lDE -lFR").m_strLanguage);
    EXPECT_STREQ(L"", Parse(L"Lumbra.exe /LDE").m_strLanguage);
}

TEST(CommandLine, FirstPlainArgumentIsTheFile)
{
    CMyCommandLineInfo info = Parse(L"Lumbra.exe a.bin b.bin");
    EXPECT_STREQ(L"a.bin", info.m_strFileName);

    info = Parse(L"Lumbra.exe -lFR \"C:\\x y\\a.bin\"");
    EXPECT_STREQ(L"FR", info.m_strLanguage);
    EXPECT_STREQ(L"C:\\x y\\a.bin", info.m_strFileName);

    // Flags between or after the file do not disturb it.
    info = Parse(L"Lumbra.exe /e D:\\video.dvr /lIT");
    EXPECT_TRUE(info.m_bExtractOnly);
    EXPECT_STREQ(L"IT", info.m_strLanguage);
    EXPECT_STREQ(L"D:\\video.dvr", info.m_strFileName);
}

// Records what the framework hands to ParseParam.
class RecordingInfo : public CCommandLineInfo {
public:
    struct Call {
        std::wstring param;
        BOOL flag;
        BOOL last;
    };
    void ParseParam(const wchar_t* pszParam, BOOL bFlag, BOOL bLast) override
    {
        calls.push_back({pszParam, bFlag, bLast});
        CCommandLineInfo::ParseParam(pszParam, bFlag, bLast);
    }
    std::vector<Call> calls;
};

TEST(CommandLine, FrameworkStripsTheSwitchCharacterAndMarksTheLastArgument)
{
    const wchar_t* argv[] = {L"Lumbra.exe", L"/lDE", L"-e", L"file.bin", L"/"};
    RecordingInfo info;
    ParseCommandLineArguments(info, 5, argv);
    ASSERT_EQ(4u, info.calls.size());
    EXPECT_EQ(L"lDE", info.calls[0].param);
    EXPECT_TRUE(info.calls[0].flag);
    EXPECT_FALSE(info.calls[0].last);
    EXPECT_EQ(L"e", info.calls[1].param);
    EXPECT_EQ(L"file.bin", info.calls[2].param);
    EXPECT_FALSE(info.calls[2].flag);
    EXPECT_EQ(L"", info.calls[3].param);
    EXPECT_TRUE(info.calls[3].flag);
    EXPECT_TRUE(info.calls[3].last);
    EXPECT_EQ(CCommandLineInfo::FileOpen, info.m_nShellCommand);
}

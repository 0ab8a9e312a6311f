#include "toolkit/version/ZebFileVersion.h"

#include "test_paths.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr WORD kUkEnglish = 2057;  // 0x0809
constexpr WORD kUsEnglish = 0x0409;
constexpr WORD kGerman = 0x0407;
constexpr DWORD kUnicode = 1200;

std::wstring Module(const wchar_t* name)
{
    return ExecutableFolder() + name;
}

std::wstring Text(const CString& s)
{
    return std::wstring(s.GetString());
}

class ScopedCurrentDirectory {
public:
    explicit ScopedCurrentDirectory(const std::wstring& folder)
    {
        wchar_t buffer[MAX_PATH] = {};
        GetCurrentDirectoryW(MAX_PATH, buffer);
        m_saved = buffer;
        EXPECT_TRUE(SetCurrentDirectoryW(folder.c_str()));
    }
    ~ScopedCurrentDirectory() { SetCurrentDirectoryW(m_saved.c_str()); }

private:
    std::wstring m_saved;
};

class ScopedFolder {
public:
    explicit ScopedFolder(std::wstring path) : m_path(std::move(path))
    {
        EXPECT_TRUE(CreateDirectoryW(m_path.c_str(), nullptr)) << GetLastError();
    }
    ~ScopedFolder() { RemoveDirectoryW(m_path.c_str()); }
    const std::wstring& path() const { return m_path; }

private:
    std::wstring m_path;
};

std::wstring UniqueTempName(const wchar_t* stem)
{
    return TempFolder() + stem + std::to_wstring(GetCurrentProcessId());
}

void ExpectEmpty(const CZeb_FileVersion& v)
{
    EXPECT_TRUE(v.IsEmpty());
    EXPECT_EQ(L"", Text(v.m_strPath));
    EXPECT_EQ(0u, v.m_fileVersionMS);
    EXPECT_EQ(0u, v.m_fileVersionLS);
    EXPECT_EQ(0u, v.m_productVersionMS);
    EXPECT_EQ(0u, v.m_productVersionLS);
    EXPECT_EQ(L"", Text(v.m_strCompanyName));
    EXPECT_EQ(L"", Text(v.m_strFileDescription));
    EXPECT_EQ(L"", Text(v.m_strLegalCopyright));
    EXPECT_EQ(L"", Text(v.m_strProductName));
    EXPECT_EQ(L"0.0.0.0", Text(v.GetFileVersionText()));
    EXPECT_EQ(L"0.0", Text(v.GetProductVersionText()));
}

void ExpectUkModule(const CZeb_FileVersion& v)
{
    EXPECT_EQ(Module(L"zebver_uk.dll"), Text(v.m_strPath));
    EXPECT_EQ(L"65535.1.4660.0", Text(v.GetFileVersionText()));
    EXPECT_EQ(L"2.16", Text(v.GetProductVersionText()));
    EXPECT_EQ(L"Zeb UK", Text(v.m_strProductName));
}

} // namespace

TEST(ZebFileVersionTest, FilesWithoutVersionResourceStayEmpty)
{
    ExpectEmpty(CZeb_FileVersion(Module(L"zebver_none.dll").c_str(), kUnicode, kUkEnglish));

    // Not a program at all.
    const std::wstring text = UniqueTempName(L"zebver_text") + L".txt";
    HANDLE file = CreateFileW(text.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD written = 0;
    WriteFile(file, "not a module", 12, &written, nullptr);
    CloseHandle(file);
    ExpectEmpty(CZeb_FileVersion(text.c_str(), kUnicode, kUkEnglish));
    DeleteFileW(text.c_str());

    // This test program carries no version resource either.
    ExpectEmpty(CZeb_FileVersion(nullptr, kUnicode, kUkEnglish));
    ExpectEmpty(CZeb_FileVersion(L"", kUnicode, kUkEnglish));
}

TEST(ZebFileVersionTest, StringsComeOnlyFromTheRequestedTable)
{
    // The file lists only 0409/1200 in its translations; that list is never consulted.
    CZeb_FileVersion uk(Module(L"zebver_us.dll").c_str(), kUnicode, kUkEnglish);
    EXPECT_FALSE(uk.IsEmpty());
    EXPECT_EQ(Module(L"zebver_us.dll"), Text(uk.m_strPath));
    EXPECT_EQ(0x00010002u, uk.m_fileVersionMS);
    EXPECT_EQ(0x00030004u, uk.m_fileVersionLS);
    EXPECT_EQ(0x00050006u, uk.m_productVersionMS);
    EXPECT_EQ(0x00070008u, uk.m_productVersionLS);
    EXPECT_EQ(L"1.2.3.4", Text(uk.GetFileVersionText()));
    EXPECT_EQ(L"5.6", Text(uk.GetProductVersionText()));
    EXPECT_EQ(L"", Text(uk.m_strCompanyName));
    EXPECT_EQ(L"", Text(uk.m_strFileDescription));
    EXPECT_EQ(L"", Text(uk.m_strLegalCopyright));
    EXPECT_EQ(L"", Text(uk.m_strProductName));

    CZeb_FileVersion us(Module(L"zebver_us.dll").c_str(), kUnicode, kUsEnglish);
    EXPECT_EQ(L"Ferrund US", Text(us.m_strCompanyName));
    EXPECT_EQ(L"US strings module", Text(us.m_strFileDescription));
    EXPECT_EQ(L"Copyright 2020", Text(us.m_strLegalCopyright));
    EXPECT_EQ(L"Zeb US", Text(us.m_strProductName));

    CZeb_FileVersion german(Module(L"zebver_uk.dll").c_str(), kUnicode, kGerman);
    EXPECT_EQ(L"Ferrund Deutschland", Text(german.m_strCompanyName));
    EXPECT_EQ(L"Zeb DE", Text(german.m_strProductName));

    // Same language, other code page: "080904e4" is not there.
    CZeb_FileVersion ansi(Module(L"zebver_uk.dll").c_str(), 1252, kUkEnglish);
    EXPECT_EQ(L"65535.1.4660.0", Text(ansi.GetFileVersionText()));
    EXPECT_EQ(L"", Text(ansi.m_strProductName));
}

TEST(ZebFileVersionTest, DisplayTexts)
{
    CZeb_FileVersion uk(Module(L"zebver_uk.dll").c_str(), kUnicode, kUkEnglish);
    ExpectUkModule(uk);
    EXPECT_EQ(L"Ferrund Test", Text(uk.m_strCompanyName));
    EXPECT_EQ(L"(C) 2003 Ferrund, portions (C) 2011 Others", Text(uk.m_strLegalCopyright));
    EXPECT_EQ(L"\u00A9 2003 Ferrund, portions \u00A9 2011 Others Ferrund Test", Text(uk.GetCopyrightText()));

    CZeb_FileVersion us(Module(L"zebver_us.dll").c_str(), kUnicode, kUsEnglish);
    EXPECT_EQ(L"Copyright 2020 Ferrund US", Text(us.GetCopyrightText()));

    // Each of the four version words is shown on its own, unsigned.
    CZeb_FileVersion v(nullptr);
    v.m_fileVersionMS = 0xFFFF0000;
    v.m_fileVersionLS = 0x0001FFFE;
    v.m_productVersionMS = 0x00000012;
    EXPECT_EQ(L"65535.0.1.65534", Text(v.GetFileVersionText()));
    EXPECT_EQ(L"0.18", Text(v.GetProductVersionText()));
}

TEST(ZebFileVersionTest, LongStringValuesAreCutAt255Characters)
{
    CZeb_FileVersion uk(Module(L"zebver_uk.dll").c_str(), kUnicode, kUkEnglish);
    ASSERT_EQ(255, uk.m_strFileDescription.GetLength());
    EXPECT_EQ(L"A long description xxx", Text(uk.m_strFileDescription.Left(22)));
    EXPECT_EQ(L'x', uk.m_strFileDescription[254]);
}

TEST(ZebFileVersionTest, NamesWithoutAnExistingFileAreLookedUpNextToTheExecutable)
{
    // Run from elsewhere so that nothing is found through the current folder.
    ScopedCurrentDirectory cd(TempFolder());

    ExpectUkModule(CZeb_FileVersion(L"zebver_uk.dll", kUnicode, kUkEnglish));
    ExpectUkModule(CZeb_FileVersion(L"  zebver_uk.dll\t", kUnicode, kUkEnglish));
    ExpectUkModule(CZeb_FileVersion(L"C:\\no\\such\\folder\\zebver_uk.dll", kUnicode, kUkEnglish));
    ExpectUkModule(CZeb_FileVersion(L"no/such/folder/zebver_uk.dll", kUnicode, kUkEnglish));

    ExpectEmpty(CZeb_FileVersion(L"C:\\no\\such\\folder\\missing_module.dll", kUnicode, kUkEnglish));
    ExpectEmpty(CZeb_FileVersion(L"missing_module.dll", kUnicode, kUkEnglish));
}

TEST(ZebFileVersionTest, ExistingFilesAreReadWhereTheyAre)
{
    // A copy elsewhere is read there, not next to the executable.
    const std::wstring copy = UniqueTempName(L"zebver_copy") + L".dll";
    ASSERT_TRUE(CopyFileW(Module(L"zebver_us.dll").c_str(), copy.c_str(), FALSE));
    {
        CZeb_FileVersion v(copy.c_str(), kUnicode, kUsEnglish);
        EXPECT_EQ(copy, Text(v.m_strPath));
        EXPECT_EQ(L"Zeb US", Text(v.m_strProductName));
    }
    DeleteFileW(copy.c_str());

    // A relative path to an existing file is recorded in full.
    ScopedCurrentDirectory cd(ExecutableFolder());
    CZeb_FileVersion relative(L".\\zebver_uk.dll", kUnicode, kUkEnglish);
    ExpectUkModule(relative);
}

TEST(ZebFileVersionTest, FolderPathsNameAFileNextToTheExecutable)
{
    // A folder is never read itself: its last name is looked up beside the executable like a bare name.
    ScopedFolder twin(UniqueTempName(L"zebver_dir"));
    ScopedFolder namedLikeModule(twin.path() + L"\\zebver_uk.dll");
    ExpectUkModule(CZeb_FileVersion(namedLikeModule.path().c_str(), kUnicode, kUkEnglish));

    ExpectEmpty(CZeb_FileVersion(twin.path().c_str(), kUnicode, kUkEnglish));
    ExpectEmpty(CZeb_FileVersion((namedLikeModule.path() + L"\\").c_str(), kUnicode, kUkEnglish));
    ExpectEmpty(CZeb_FileVersion(ExecutableFolder().c_str(), kUnicode, kUkEnglish));
}

TEST(ZebFileVersionTest, ThreadLocaleIsTheSameAfterConstruction)
{
    const LCID original = GetThreadLocale();
    const bool ukInstalled = IsValidLocale(MAKELCID(kUkEnglish, SORT_DEFAULT), LCID_INSTALLED) != FALSE;
    RecordProperty("uk_locale_installed", ukInstalled ? 1 : 0);
    printf("IsValidLocale(2057, LCID_INSTALLED) = %d, thread locale 0x%04lx\n", ukInstalled ? 1 : 0,
           static_cast<unsigned long>(original));

    for (WORD language : {kUkEnglish, kUsEnglish, kGerman, WORD(0x0C7F), WORD(0x7FFF), WORD(0)}) {
        SCOPED_TRACE(language);
        CZeb_FileVersion v(Module(L"zebver_uk.dll").c_str(), kUnicode, language);
        EXPECT_EQ(original, GetThreadLocale());
        EXPECT_EQ(original, v.m_lcidSaved);
        EXPECT_EQ(L"65535.1.4660.0", Text(v.GetFileVersionText()));
    }

    // Languages that are not installed locales leave the thread's own locale in use, and the string
    // table key still follows the requested language.
    CZeb_FileVersion invalid(Module(L"zebver_uk.dll").c_str(), kUnicode, 0x0C7F);
    EXPECT_EQ(original, invalid.m_lcidUsed);
    EXPECT_EQ(L"", Text(invalid.m_strProductName));
    CZeb_FileVersion uk(Module(L"zebver_uk.dll").c_str(), kUnicode, kUkEnglish);
    EXPECT_EQ(ukInstalled ? LCID(kUkEnglish) : original, uk.m_lcidUsed);
    EXPECT_EQ(L"Zeb UK", Text(uk.m_strProductName));

    // A thread running under another locale keeps it, also when nothing can be read.
    if (SetThreadLocale(MAKELCID(kGerman, SORT_DEFAULT))) {
        CZeb_FileVersion german(Module(L"zebver_uk.dll").c_str(), kUnicode, 0x7FFF);
        EXPECT_EQ(LCID(kGerman), german.m_lcidSaved);
        EXPECT_EQ(LCID(kGerman), german.m_lcidUsed);
        EXPECT_EQ(LCID(kGerman), GetThreadLocale());
        CZeb_FileVersion missing(L"missing_module.dll", kUnicode, kUkEnglish);
        EXPECT_EQ(LCID(kGerman), GetThreadLocale());
        SetThreadLocale(original);
    } else {
        ADD_FAILURE() << "SetThreadLocale(0x0407) failed: " << GetLastError();
    }
}

TEST(ZebFileVersionTest, ClearIsEmptyAndAssign)
{
    CZeb_FileVersion uk(Module(L"zebver_uk.dll").c_str(), kUnicode, kUkEnglish);
    CZeb_FileVersion target(Module(L"zebver_us.dll").c_str(), 1252, kUsEnglish);
    target.Assign(uk);
    ExpectUkModule(target);
    EXPECT_EQ(uk.m_strCompanyName, target.m_strCompanyName);
    EXPECT_EQ(uk.m_strFileDescription, target.m_strFileDescription);
    EXPECT_EQ(uk.m_strLegalCopyright, target.m_strLegalCopyright);
    EXPECT_EQ(uk.m_fileVersionLS, target.m_fileVersionLS);
    EXPECT_EQ(uk.m_productVersionLS, target.m_productVersionLS);
    EXPECT_EQ(kUsEnglish, target.m_wLanguage);
    EXPECT_EQ(1252u, target.m_dwCodePage);

    target.Clear();
    ExpectEmpty(target);
    EXPECT_EQ(kUsEnglish, target.m_wLanguage);
    EXPECT_EQ(1252u, target.m_dwCodePage);
    uk.Assign(target);
    ExpectEmpty(uk);

    // Any single field makes the object non-empty.
    const auto single = [](auto set) {
        CZeb_FileVersion v(L"missing_module.dll");
        set(v);
        return v.IsEmpty();
    };
    EXPECT_FALSE(single([](CZeb_FileVersion& v) { v.m_strPath = L"x"; }));
    EXPECT_FALSE(single([](CZeb_FileVersion& v) { v.m_productVersionMS = 1; }));
    EXPECT_FALSE(single([](CZeb_FileVersion& v) { v.m_productVersionLS = 1; }));
    EXPECT_FALSE(single([](CZeb_FileVersion& v) { v.m_fileVersionMS = 1; }));
    EXPECT_FALSE(single([](CZeb_FileVersion& v) { v.m_fileVersionLS = 1; }));
    EXPECT_FALSE(single([](CZeb_FileVersion& v) { v.m_strCompanyName = L"x"; }));
    EXPECT_FALSE(single([](CZeb_FileVersion& v) { v.m_strFileDescription = L"x"; }));
    EXPECT_FALSE(single([](CZeb_FileVersion& v) { v.m_strLegalCopyright = L"x"; }));
    EXPECT_FALSE(single([](CZeb_FileVersion& v) { v.m_strProductName = L"x"; }));
}

#include "toolkit/version/ZebFileVersion.h"

#include "test_paths.h"
#include "tests/support/Wine.h"

#include <shlwapi.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::wstring Text(const CString& s)
{
    return std::wstring(s.GetString());
}

// Version strings the reader class does not keep, read straight from the file's block.
class VersionBlock {
public:
    explicit VersionBlock(const std::wstring& path)
    {
        DWORD handle = 0;
        DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
        m_block.resize(size);
        if (size == 0 || !GetFileVersionInfoW(path.c_str(), 0, size, m_block.data()))
            m_block.clear();
    }
    bool valid() const { return !m_block.empty(); }
    std::wstring String(const wchar_t* name)
    {
        void* pValue = nullptr;
        UINT length = 0;
        std::wstring key = std::wstring(L"\\StringFileInfo\\080904b0\\") + name;
        if (!VerQueryValueW(m_block.data(), key.c_str(), &pValue, &length) || !pValue)
            return L"<missing>";
        return std::wstring(static_cast<const wchar_t*>(pValue));
    }
    std::vector<DWORD> Translations()
    {
        void* pValue = nullptr;
        UINT length = 0;
        if (!VerQueryValueW(m_block.data(), L"\\VarFileInfo\\Translation", &pValue, &length) || !pValue)
            return {};
        const auto* pWords = static_cast<const WORD*>(pValue);
        std::vector<DWORD> pairs;
        for (UINT i = 0; i + 1 < length / sizeof(WORD); i += 2)
            pairs.push_back(MAKELONG(pWords[i + 1], pWords[i]));
        return pairs;
    }
    const VS_FIXEDFILEINFO* Fixed()
    {
        void* pValue = nullptr;
        UINT length = 0;
        if (!VerQueryValueW(m_block.data(), L"\\", &pValue, &length) || length < sizeof(VS_FIXEDFILEINFO))
            return nullptr;
        return static_cast<const VS_FIXEDFILEINFO*>(pValue);
    }

private:
    std::vector<BYTE> m_block;
};

void ExpectLauncherVersion(const std::wstring& path, const CZeb_FileVersion& v)
{
    EXPECT_EQ(path, Text(v.m_strPath));
    EXPECT_EQ(L"Orvane Lumbra", Text(v.m_strProductName));
    EXPECT_EQ(L"3.30", Text(v.GetProductVersionText()));
    EXPECT_EQ(L"Orvane Lumbra 3.30", Text(v.m_strProductName + L" " + v.GetProductVersionText()));
    EXPECT_EQ(L"18.10.115.0", Text(v.GetFileVersionText()));
    EXPECT_NE(-1, v.m_strCompanyName.Find(L"Ferrund")) << Text(v.m_strCompanyName);
    EXPECT_FALSE(v.m_strFileDescription.IsEmpty());
    EXPECT_EQ(L"(C)", Text(v.m_strLegalCopyright.Left(3)));
    const CString copyright = v.GetCopyrightText();
    EXPECT_EQ(L'\u00A9', copyright[0]) << Text(copyright);
    EXPECT_EQ(-1, copyright.Find(L"(C)"));
    EXPECT_EQ(Text(v.m_strCompanyName), Text(copyright.Right(v.m_strCompanyName.GetLength())));

    VersionBlock block(path);
    ASSERT_TRUE(block.valid());
    EXPECT_EQ(std::vector<DWORD>{0x080904b0}, block.Translations());
    EXPECT_EQ(L"Lumbra.exe", block.String(L"OriginalFilename"));
    EXPECT_EQ(L"Lumbra", block.String(L"InternalName"));
    EXPECT_EQ(Text(v.GetFileVersionText()), block.String(L"FileVersion"));
    EXPECT_EQ(Text(v.GetProductVersionText()), block.String(L"ProductVersion"));
    const VS_FIXEDFILEINFO* pFixed = block.Fixed();
    ASSERT_NE(nullptr, pFixed);
    EXPECT_EQ(0xFEEF04BDu, pFixed->dwSignature);
    EXPECT_EQ(DWORD(VFT_APP), pFixed->dwFileType);
    EXPECT_EQ(0u, pFixed->dwFileFlags);
}

// The manifest of a module, as the loader sees it.
std::string ManifestOf(HMODULE module)
{
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(1), RT_MANIFEST);
    if (!resource)
        return {};
    HGLOBAL loaded = LoadResource(module, resource);
    const char* data = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    return data ? std::string(data, SizeofResource(module, resource)) : std::string();
}

void ExpectLauncherManifest(const std::string& manifest)
{
    ASSERT_FALSE(manifest.empty());
    EXPECT_NE(std::string::npos, manifest.find("level=\"asInvoker\""));
    EXPECT_NE(std::string::npos, manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""));
    for (const char* os : {"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
                           "{1f676c76-80e1-4239-95bb-83d0f6d0da78}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}) {
        EXPECT_NE(std::string::npos, manifest.find(std::string("<supportedOS Id=\"") + os + "\"/>")) << os;
    }
    EXPECT_EQ(std::string::npos, manifest.find("dpiAware"));
}

} // namespace

TEST(LauncherResourcesTest, VersionReadsBackFromOwnExecutable)
{
    ExpectLauncherVersion(ExecutablePath(), CZeb_FileVersion(nullptr, 1200, 2057));
    ExpectLauncherVersion(ExecutablePath(), CZeb_FileVersion(L"", 1200, 2057));
    ExpectLauncherVersion(ExecutablePath(), CZeb_FileVersion());
}

TEST(LauncherResourcesTest, ManifestIsPresentAndApplied)
{
    ExpectLauncherManifest(ManifestOf(nullptr));

    // The loader took the manifest: the process context sends comctl32 to the version 6 assembly.
    ACTCTX_SECTION_KEYED_DATA redirection{};
    redirection.cbSize = sizeof(redirection);
    EXPECT_TRUE(FindActCtxSectionStringW(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION, L"comctl32.dll",
                                         &redirection))
        << GetLastError();

    HMODULE comctl = LoadLibraryW(L"comctl32.dll");
    ASSERT_NE(nullptr, comctl);
    using DllGetVersionProc = HRESULT(CALLBACK*)(DLLVERSIONINFO*);
    auto getVersion = reinterpret_cast<DllGetVersionProc>(
        reinterpret_cast<void (*)()>(GetProcAddress(comctl, "DllGetVersion")));
    ASSERT_NE(nullptr, getVersion);
    DLLVERSIONINFO info{};
    info.cbSize = sizeof(info);
    ASSERT_EQ(S_OK, getVersion(&info));
    if (RunningOnWine() && info.dwMajorVersion != 6) {
        // Its version 6 assembly (loaded from winsxs) still reports 5.81 here.
        WINE_KNOWN_DIFFERENCE("the version 6 common controls named in the manifest report major version 6");
    } else {
        EXPECT_EQ(6u, info.dwMajorVersion);
    }
    FreeLibrary(comctl);
}

TEST(LauncherResourcesTest, LauncherExecutable)
{
    const std::wstring path = LumbraBinFolder() + L"Lumbra.exe";
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "no launcher built yet";

    ExpectLauncherVersion(path, CZeb_FileVersion(path.c_str(), 1200, 2057));

    HMODULE image = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(nullptr, image) << GetLastError();
    ExpectLauncherManifest(ManifestOf(image));
    FreeLibrary(image);
}

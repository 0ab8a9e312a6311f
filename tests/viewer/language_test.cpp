// The language libraries Lumbra_<code>.dll: complete, translated, tagged and free of code.
#include "TestSupport.h"

#include "viewer/StringIds.h"
#include "viewer/ViewerStrings.h"

#include <gtest/gtest.h>


using namespace tavisk;
using namespace viewer_test;

namespace {

struct Language {
    const wchar_t* code;
    const wchar_t* ownName;
    WORD langId;
};

const Language kLanguages[] = {
    {L"CS", L"\u010ce\u0161tina", 0x0405},
    {L"DA", L"Dansk", 0x0406},
    {L"DE", L"Deutsch", 0x0407},
    {L"EL", L"\u0395\u03bb\u03bb\u03b7\u03bd\u03b9\u03ba\u03ac", 0x0408},
    {L"EN", L"English", 0x0409},
    {L"ES", L"Espa\u00f1ol", 0x0C0A},
    {L"FI", L"Suomi", 0x040B},
    {L"FR", L"Fran\u00e7ais", 0x040C},
    {L"HU", L"Magyar", 0x040E},
    {L"IT", L"Italiano", 0x0410},
    {L"JP", L"\u65e5\u672c\u8a9e", 0x0411},
    {L"NL", L"Nederlands", 0x0413},
    {L"NO", L"Norsk", 0x0414},
    {L"PL", L"Polski", 0x0415},
    {L"PT", L"Portugu\u00eas", 0x0816},
    {L"RU", L"\u0420\u0443\u0441\u0441\u043a\u0438\u0439", 0x0419},
    {L"SV", L"Svenska", 0x041D},
    {L"TR", L"T\u00fcrk\u00e7e", 0x041F},
};

std::wstring LoadText(HMODULE module, unsigned id)
{
    wchar_t buffer[512];
    const int length = ::LoadStringW(module, id, buffer, static_cast<int>(std::size(buffer)));
    return std::wstring(buffer, static_cast<size_t>(length > 0 ? length : 0));
}

size_t Count(const std::wstring& text, const wchar_t* what)
{
    size_t count = 0;
    for (size_t at = text.find(what); at != std::wstring::npos; at = text.find(what, at + 1))
        ++count;
    return count;
}

// Reads the PE headers of a library mapped with LOAD_LIBRARY_AS_IMAGE_RESOURCE (sections at their
// addresses): the entry point and the number of libraries it imports.
void ReadPeFacts(HMODULE mapped, DWORD& entryPoint, int& importedLibraries)
{
    const auto* base = reinterpret_cast<const BYTE*>(reinterpret_cast<ULONG_PTR>(mapped) & ~ULONG_PTR(3));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    ASSERT_EQ(IMAGE_DOS_SIGNATURE, dos->e_magic);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS64*>(base + dos->e_lfanew);
    ASSERT_EQ(static_cast<DWORD>(IMAGE_NT_SIGNATURE), nt->Signature);
    EXPECT_TRUE(nt->FileHeader.Characteristics & IMAGE_FILE_DLL);
    entryPoint = nt->OptionalHeader.AddressOfEntryPoint;
    importedLibraries = 0;
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (imports.VirtualAddress == 0)
        return;
    for (const auto* d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); d->Name;
         ++d)
        ++importedLibraries;
}

}  // namespace

TEST(LanguageLibraries, EveryLanguageHasEveryTextTranslated)
{
    const std::wstring folder = LanguageFolder();
    HMODULE english = ::LoadLibraryExW((folder + L"Lumbra_EN.dll").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, english);

    for (const Language& language : kLanguages) {
        SCOPED_TRACE(language.code);
        const std::wstring path = folder + ViewerStrings::LibraryFileName(language.code);
        HMODULE module = ::LoadLibraryExW(path.c_str(), nullptr,
                                          LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(nullptr, module);

        // The own name came through windres intact (UTF-8 source, UTF-16 resource).
        EXPECT_EQ(std::wstring(language.ownName), LoadText(module, IDS_LANGUAGE_NAME));
        wchar_t separator[8];
        EXPECT_GT(::GetLocaleInfoEx(LoadText(module, IDS_LOCALE_NAME).c_str(), LOCALE_STHOUSAND, separator, 8), 0);
        const std::wstring rule = LoadText(module, IDS_PLURAL_RULE);
        EXPECT_TRUE(rule == L"one" || rule == L"zero-one" || rule == L"none" || rule == L"ru" || rule == L"cs" ||
                    rule == L"pl")
            << "unknown plural rule";

        for (unsigned id = IDS_FIRST_TEXT; id <= IDS_LAST_TEXT; ++id) {
            SCOPED_TRACE(id);
            const std::wstring text = LoadText(module, id);
            EXPECT_FALSE(text.empty());
            const bool byteCount = id == IDS_BYTES_ONE || id == IDS_BYTES_FEW || id == IDS_BYTES_MANY;
            EXPECT_EQ(byteCount ? 1u : 0u, Count(text, L"%s")) << "placeholder";
            EXPECT_EQ(0u, Count(text, L"%") - Count(text, L"%s"));
        }

        // Translated, not copied: sentences always differ from the English ones.
        if (std::wstring(language.code) != L"EN") {
            for (unsigned id : {IDS_APP_TITLE, IDS_LABEL_FILES, IDS_PREVIEW_NO_FILE, IDS_FILE_UNREADABLE})
                EXPECT_NE(LoadText(english, id), LoadText(module, id)) << "id " << id;
        }

        // The string table is tagged with the language (block of IDS_APP_TITLE).
        EXPECT_NE(nullptr, ::FindResourceExW(module, RT_STRING, MAKEINTRESOURCEW(IDS_APP_TITLE / 16 + 1),
                                             language.langId));

        DWORD entryPoint = 1;
        int importedLibraries = -1;
        ReadPeFacts(module, entryPoint, importedLibraries);
        EXPECT_EQ(0u, entryPoint) << "a resource-only library runs no code";
        EXPECT_EQ(0, importedLibraries);
        ::FreeLibrary(module);
    }
    ::FreeLibrary(english);
}

TEST(LanguageLibraries, EnglishLibraryMatchesTheBuiltInTexts)
{
    const ViewerStrings builtIn = ViewerStrings::BuiltIn();
    const ViewerStrings library = ViewerStrings::FromFolder(LanguageFolder(), L"EN");
    ASSERT_TRUE(library.FromLibrary());
    for (unsigned id = IDS_FIRST_META; id <= IDS_LAST_TEXT; ++id)
        EXPECT_EQ(builtIn.Get(id), library.Get(id)) << "id " << id;
}

TEST(LanguageLibraries, ViewerStringsUseTheLanguage)
{
    const ViewerStrings polish = ViewerStrings::FromFolder(LanguageFolder(), L"PL");
    ASSERT_TRUE(polish.FromLibrary());
    EXPECT_EQ(L"Zamknij", polish.Get(IDS_CLOSE));
    EXPECT_EQ(L"1 bajt", polish.Bytes(1));
    EXPECT_EQ(L"22 bajty", polish.Bytes(22));
    EXPECT_EQ(L"12 bajt\u00f3w", polish.Bytes(12));

    const ViewerStrings russian = ViewerStrings::FromFolder(LanguageFolder(), L"RU");
    EXPECT_EQ(L"21 \u0431\u0430\u0439\u0442", russian.Bytes(21));
    EXPECT_EQ(L"3 \u0431\u0430\u0439\u0442\u0430", russian.Bytes(3));

    // No library: English, and nothing pretends to come from a file.
    const ViewerStrings missing = ViewerStrings::FromFolder(LanguageFolder(), L"XX");
    EXPECT_FALSE(missing.FromLibrary());
    EXPECT_EQ(L"Close", missing.Get(IDS_CLOSE));
}

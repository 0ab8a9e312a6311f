#include "viewer/ViewerStrings.h"

#include "viewer/Handles.h"
#include "viewer/StringIds.h"
#include "viewer/TextUtil.h"

#include <windows.h>

namespace tavisk {

namespace {

struct BuiltInText {
    unsigned id;
    const wchar_t* text;
};

constexpr BuiltInText kEnglish[] = {
    {IDS_LANGUAGE_NAME, L"English"},
    {IDS_LOCALE_NAME, L"en-US"},
    {IDS_PLURAL_RULE, L"one"},
    {IDS_UI_FONT, L""},
    {IDS_APP_TITLE, L"Tavisk Archive Viewer"},
    {IDS_LABEL_FILE, L"File:"},
    {IDS_LABEL_SIZE, L"Size:"},
    {IDS_LABEL_LANGUAGE, L"Language:"},
    {IDS_NO_FILE, L"no file given"},
    {IDS_LABEL_PREVIEW, L"Beginning of the file:"},
    {IDS_LABEL_FILES, L"Files next to the viewer:"},
    {IDS_CLOSE, L"Close"},
    {IDS_BYTES_ONE, L"%s byte"},
    {IDS_BYTES_FEW, L"%s bytes"},
    {IDS_BYTES_MANY, L"%s bytes"},
    {IDS_COLUMN_NAME, L"Name"},
    {IDS_COLUMN_SIZE, L"Size"},
    {IDS_FILE_EMPTY, L"The file is empty."},
    {IDS_FILE_UNREADABLE, L"The file could not be opened."},
    {IDS_FILE_IS_FOLDER, L"This is a folder, not a file."},
    {IDS_PREVIEW_NO_FILE, L"Start the viewer with a file to see its contents."},
    {IDS_LIST_TRUNCATED, L"More files are not shown."},
};

}  // namespace

ViewerStrings ViewerStrings::BuiltIn()
{
    ViewerStrings strings;
    for (const BuiltInText& entry : kEnglish)
        strings.m_texts[entry.id] = entry.text;
    strings.ResolveThousandSeparator();
    return strings;
}

ViewerStrings ViewerStrings::FromFolder(const std::wstring& folder, const std::wstring& code)
{
    ViewerStrings strings = BuiltIn();
    const std::wstring path = folder + LibraryFileName(code);
    // As a data file: no code of the library runs, and the mapping ends with FreeLibrary below.
    ModuleHandle library(::LoadLibraryExW(path.c_str(), nullptr,
                                          LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    if (!library)
        return strings;

    bool any = false;
    wchar_t buffer[512];
    for (const BuiltInText& entry : kEnglish) {
        const int length = ::LoadStringW(library.Get(), entry.id, buffer, static_cast<int>(std::size(buffer)));
        if (length > 0) {
            strings.m_texts[entry.id].assign(buffer, static_cast<size_t>(length));
            any = true;
        }
    }
    if (!any)
        return BuiltIn();  // not one of our language libraries
    strings.m_libraryPath = path;
    strings.ResolveThousandSeparator();
    return strings;
}

const std::wstring& ViewerStrings::Get(unsigned id) const
{
    static const std::wstring empty;
    const auto it = m_texts.find(id);
    return it == m_texts.end() ? empty : it->second;
}

void ViewerStrings::ResolveThousandSeparator()
{
    wchar_t separator[8] = {};
    const std::wstring& locale = Get(IDS_LOCALE_NAME);
    if (!locale.empty() &&
        ::GetLocaleInfoEx(locale.c_str(), LOCALE_STHOUSAND, separator, static_cast<int>(std::size(separator))) > 0)
        m_thousandSeparator = separator;
    else
        m_thousandSeparator = L",";
}

std::wstring ViewerStrings::Number(std::uint64_t value) const
{
    return GroupDigits(value, m_thousandSeparator);
}

std::wstring ViewerStrings::Bytes(std::uint64_t value) const
{
    unsigned id = IDS_BYTES_MANY;
    switch (SelectPlural(Get(IDS_PLURAL_RULE), value)) {
    case PluralCategory::One: id = IDS_BYTES_ONE; break;
    case PluralCategory::Few: id = IDS_BYTES_FEW; break;
    case PluralCategory::Many: id = IDS_BYTES_MANY; break;
    }
    return FillPlaceholder(Get(id), Number(value));
}

}  // namespace tavisk

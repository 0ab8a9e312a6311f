#include "viewer/ViewerModel.h"

#include "viewer/StringIds.h"
#include "viewer/TextUtil.h"

#include <windows.h>

namespace tavisk {

namespace {

std::wstring FullPathOf(const std::wstring& path)
{
    if (path.empty())
        return {};
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
        if (length == 0)
            return path;
        if (length < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        buffer.resize(length);
    }
}

std::wstring SystemMessage(DWORD error)
{
    wchar_t* text = nullptr;
    const DWORD length =
        ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                         nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring result;
    if (length > 0 && text)
        result.assign(text, length);
    if (text)
        ::LocalFree(text);
    while (!result.empty() && (result.back() == L'\r' || result.back() == L'\n' || result.back() == L' '))
        result.pop_back();
    return result;
}

}  // namespace

std::wstring OwnModulePath()
{
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return {};
        if (length < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        buffer.resize(buffer.size() * 2);
    }
}

ViewerModel ViewerModel::Gather(const std::wstring& commandLine, const std::wstring& modulePath)
{
    ViewerModel model;
    model.commandLine = commandLine;
    model.modulePath = modulePath;
    model.folder = FolderOf(modulePath);
    model.args = ParseViewerArguments(ArgumentsAfterProgram(commandLine, modulePath));
    model.strings = ViewerStrings::FromFolder(model.folder, model.args.language);
    model.fullPath = FullPathOf(model.args.file);
    model.preview = ReadFilePreview(model.args.file);
    model.listing = ListFolderFiles(model.folder);
    return model;
}

std::wstring ViewerModel::WindowTitle() const
{
    const std::wstring& app = strings.Get(IDS_APP_TITLE);
    if (args.file.empty())
        return app;
    return FileNameOf(args.file) + L" \u2013 " + app;
}

std::wstring ViewerModel::Heading() const
{
    return args.file.empty() ? strings.Get(IDS_APP_TITLE) : FileNameOf(args.file);
}

std::wstring ViewerModel::FileText() const
{
    return args.file.empty() ? strings.Get(IDS_NO_FILE) : fullPath;
}

std::wstring ViewerModel::SizeText() const
{
    return preview.HasSize() ? strings.Bytes(preview.size) : std::wstring(L"\u2013");
}

std::wstring ViewerModel::LanguageText() const
{
    std::wstring text = strings.Get(IDS_LANGUAGE_NAME) + L" (" + args.language + L")";
    if (!strings.FromLibrary())
        text = L"English (" + ViewerStrings::LibraryFileName(args.language) + L" not found, built-in texts shown)";
    return text;
}

std::wstring ViewerModel::PreviewNote() const
{
    switch (preview.status) {
    case PreviewStatus::Read: return {};
    case PreviewStatus::NoFile: return strings.Get(IDS_PREVIEW_NO_FILE);
    case PreviewStatus::Empty: return strings.Get(IDS_FILE_EMPTY);
    case PreviewStatus::Folder: return strings.Get(IDS_FILE_IS_FOLDER);
    case PreviewStatus::Unreadable: break;
    }
    std::wstring note = strings.Get(IDS_FILE_UNREADABLE);
    const std::wstring reason = SystemMessage(preview.error);
    if (!reason.empty())
        note += L"\r\n" + reason;
    return note;
}

ReportData ViewerModel::Report() const
{
    ReportData data;
    data.commandLine = commandLine;
    data.modulePath = modulePath;
    data.language = args.language;
    data.languageName = strings.Get(IDS_LANGUAGE_NAME);
    data.strings = strings.FromLibrary() ? strings.LibraryPath() : std::wstring(L"built-in");
    data.title = WindowTitle();
    data.file = args.file;
    data.size = preview.HasSize() ? std::to_wstring(preview.size) : std::wstring(L"-");
    data.listing = listing;
    return data;
}

}  // namespace tavisk

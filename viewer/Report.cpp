#include "viewer/Report.h"

#include "viewer/Handles.h"
#include "viewer/TextUtil.h"

#include <windows.h>

namespace tavisk {

namespace {

// One value per line: a line break inside a value would split the record.
std::string Line(const char* key, const std::wstring& value)
{
    std::wstring flat = value;
    for (wchar_t& ch : flat)
        if (ch == L'\r' || ch == L'\n')
            ch = L' ';
    return std::string(key) + ": " + ToUtf8(flat) + "\r\n";
}

}  // namespace

std::string BuildReport(const ReportData& data)
{
    std::string text;
    text += Line("cmdline", data.commandLine);
    text += Line("module", data.modulePath);
    text += Line("language", data.language);
    text += Line("language-name", data.languageName);
    text += Line("strings", data.strings);
    text += Line("title", data.title);
    text += Line("file", data.file);
    text += Line("size", data.size);
    if (data.listing.truncated)
        text += "files-truncated: yes\r\n";
    text += "files:\r\n";
    for (const ListedFile& file : data.listing.files)
        text += ToUtf8(file.relativePath) + "\t" + std::to_string(file.size) + "\r\n";
    return text;
}

bool WriteFileAtomically(const std::wstring& path, const std::string& content)
{
    const std::wstring temporary = path + L"." + std::to_wstring(::GetCurrentProcessId()) + L".tmp";
    {
        FileHandle file(::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file)
            return false;
        size_t written = 0;
        while (written < content.size()) {
            DWORD chunk = 0;
            if (!::WriteFile(file.Get(), content.data() + written, static_cast<DWORD>(content.size() - written), &chunk,
                             nullptr) ||
                chunk == 0) {
                file.Reset();
                ::DeleteFileW(temporary.c_str());
                return false;
            }
            written += chunk;
        }
        ::FlushFileBuffers(file.Get());
    }
    if (!::MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ::DeleteFileW(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace tavisk

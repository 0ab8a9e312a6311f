#pragma once
// The run report for unattended runs: what the viewer received and found, as UTF-8 text lines.
#include "viewer/FolderListing.h"

#include <string>

namespace tavisk {

struct ReportData {
    std::wstring commandLine;
    std::wstring modulePath;
    std::wstring language;       // the code, e.g. DE
    std::wstring languageName;   // the name the texts give, e.g. Deutsch
    std::wstring strings;        // the language library's path, or "built-in"
    std::wstring title;          // the window title
    std::wstring file;           // as given, may be empty
    std::wstring size;           // number of bytes, or "-"
    FolderListing listing;
};

// "cmdline: ...", "module: ...", "language: ...", "language-name: ...", "strings: ...", "title: ...",
// "file: ...", "size: ...", then "files:" and one line "<relative path>\t<size>" per file
// ("files-truncated: yes" before "files:" when the listing was cut). Lines end with "\r\n".
std::string BuildReport(const ReportData& data);

// Writes a temporary file beside the target and renames it over the target, so a reader sees the
// old content or the whole new one, never a part.
bool WriteFileAtomically(const std::wstring& path, const std::string& content);

}  // namespace tavisk

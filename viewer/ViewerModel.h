#pragma once
// Everything the viewer shows, gathered once at start; the window only presents it.
#include "viewer/CommandLine.h"
#include "viewer/FilePreview.h"
#include "viewer/FolderListing.h"
#include "viewer/Report.h"
#include "viewer/ViewerStrings.h"

#include <string>

namespace tavisk {

struct ViewerModel {
    std::wstring commandLine;
    std::wstring modulePath;
    std::wstring folder;    // the viewer's own folder, ending with a backslash
    ViewerArguments args;
    std::wstring fullPath;  // the file's full path; empty without a file
    ViewerStrings strings = ViewerStrings::BuiltIn();
    FilePreview preview;
    FolderListing listing;

    // Reads the command line, the language library, the file's head and the folder listing. No file
    // stays open afterwards.
    static ViewerModel Gather(const std::wstring& commandLine, const std::wstring& modulePath);

    std::wstring WindowTitle() const;  // "clip.bin – Tavisk Archive Viewer"
    std::wstring Heading() const;      // the file's name, or the program's title without a file
    std::wstring FileText() const;     // full path or "no file given"
    std::wstring SizeText() const;     // "1,234 bytes" or a dash
    std::wstring LanguageText() const; // "Deutsch (DE)"; tells when the library was missing
    std::wstring PreviewNote() const;  // why there is no hex dump; empty when there is one

    ReportData Report() const;
};

// The path of the running executable.
std::wstring OwnModulePath();

}  // namespace tavisk

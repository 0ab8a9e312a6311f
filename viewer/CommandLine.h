#pragma once
// The viewer's command line: <program> /l<code> "<file>".
#include <string>
#include <string_view>

namespace tavisk {

struct ViewerArguments {
    std::wstring language = L"EN";  // upper case; EN when missing or not a plausible code
    std::wstring file;              // as given; empty when none was given (or "" was given)
};

// The text after the program name. The launcher does not quote the program path, so a path with
// blanks ("C:\Documents and Settings\...\Tavisk.exe") is recognised by comparing with our own module
// path instead of stopping at the first blank.
std::wstring ArgumentsAfterProgram(std::wstring_view commandLine, std::wstring_view modulePath);

// Splits with the system's rules (CommandLineToArgvW). "/l<code>" or "-l<code>" sets the language
// (the last one wins), the first plain argument is the file, other switches and arguments are ignored.
ViewerArguments ParseViewerArguments(std::wstring_view arguments);

// Upper-cases a language code; returns EN for an empty code and for anything that is not 1 to 8
// letters or digits, so that a code can never lead the library path out of our folder.
std::wstring NormalizeLanguageCode(std::wstring_view code);

}  // namespace tavisk

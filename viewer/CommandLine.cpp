#include "viewer/CommandLine.h"

#include "viewer/TextUtil.h"

#include <windows.h>
#include <shellapi.h>

#include <vector>

namespace tavisk {

namespace {

bool IsBlank(wchar_t ch) { return ch == L' ' || ch == L'\t'; }

bool NamesModule(std::wstring_view candidate, std::wstring_view modulePath)
{
    if (candidate.empty() || modulePath.empty())
        return false;
    const std::wstring withExe = std::wstring(candidate) + L".exe";
    for (std::wstring_view name : {candidate, std::wstring_view(withExe)}) {
        if (EqualsNoCase(name, modulePath))
            return true;
        // A relative program path such as "sub dir\Tavisk.exe".
        if (name.size() < modulePath.size() && modulePath[modulePath.size() - name.size() - 1] == L'\\' &&
            EqualsNoCase(name, modulePath.substr(modulePath.size() - name.size())))
            return true;
    }
    return false;
}

std::vector<std::wstring> SplitArguments(std::wstring_view arguments)
{
    // A placeholder program name: CommandLineToArgvW reads its first element by other rules, and an
    // empty line would give our own path back.
    const std::wstring line = L"x " + std::wstring(arguments);
    int count = 0;
    LPWSTR* argv = ::CommandLineToArgvW(line.c_str(), &count);
    std::vector<std::wstring> result;
    if (!argv)
        return result;
    for (int i = 1; i < count; ++i)
        result.emplace_back(argv[i]);
    ::LocalFree(argv);
    return result;
}

}  // namespace

std::wstring ArgumentsAfterProgram(std::wstring_view commandLine, std::wstring_view modulePath)
{
    size_t start = 0;
    while (start < commandLine.size() && IsBlank(commandLine[start]))
        ++start;
    std::wstring_view line = commandLine.substr(start);
    if (line.empty())
        return {};

    if (line.front() == L'"') {
        const size_t close = line.find(L'"', 1);
        return close == std::wstring_view::npos ? std::wstring() : std::wstring(line.substr(close + 1));
    }

    // Try every blank as the end of the program path; the whole line may be the path as well.
    for (size_t i = 0; i <= line.size(); ++i) {
        if (i < line.size() && !IsBlank(line[i]))
            continue;
        if (NamesModule(line.substr(0, i), modulePath))
            return std::wstring(line.substr(i));
    }
    size_t end = 0;
    while (end < line.size() && !IsBlank(line[end]))
        ++end;
    return std::wstring(line.substr(end));
}

ViewerArguments ParseViewerArguments(std::wstring_view arguments)
{
    ViewerArguments result;
    bool haveFile = false;
    for (const std::wstring& arg : SplitArguments(arguments)) {
        const bool isSwitch = arg.size() >= 2 && (arg[0] == L'/' || arg[0] == L'-');
        if (isSwitch) {
            if (arg[1] == L'l' || arg[1] == L'L')
                result.language = NormalizeLanguageCode(std::wstring_view(arg).substr(2));
            continue;
        }
        if (!haveFile) {
            result.file = arg;
            haveFile = true;
        }
    }
    return result;
}

std::wstring NormalizeLanguageCode(std::wstring_view code)
{
    if (code.empty() || code.size() > 8)
        return L"EN";
    std::wstring result;
    for (wchar_t ch : code) {
        if (ch >= L'a' && ch <= L'z')
            ch = static_cast<wchar_t>(ch - L'a' + L'A');
        const bool ok = (ch >= L'A' && ch <= L'Z') || (ch >= L'0' && ch <= L'9');
        if (!ok)
            return L"EN";
        result += ch;
    }
    return result;
}

}  // namespace tavisk

#include "viewer/TextUtil.h"

#include <windows.h>

namespace tavisk {

std::string ToUtf8(std::wstring_view text)
{
    if (text.empty())
        return {};
    const int length = static_cast<int>(text.size());
    const int needed = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0)
        return {};
    std::string result(static_cast<size_t>(needed), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), length, result.data(), needed, nullptr, nullptr);
    return result;
}

std::wstring GroupDigits(std::uint64_t value, std::wstring_view separator)
{
    const std::wstring digits = std::to_wstring(value);
    std::wstring result;
    const size_t count = digits.size();
    for (size_t i = 0; i < count; ++i) {
        if (i > 0 && (count - i) % 3 == 0)
            result += separator;
        result += digits[i];
    }
    return result;
}

PluralCategory SelectPlural(std::wstring_view rule, std::uint64_t value)
{
    const std::uint64_t mod10 = value % 10;
    const std::uint64_t mod100 = value % 100;
    const bool teen = mod100 >= 11 && mod100 <= 14;
    if (rule == L"none")
        return PluralCategory::Many;
    if (rule == L"zero-one")
        return value <= 1 ? PluralCategory::One : PluralCategory::Many;
    if (rule == L"ru") {
        if (mod10 == 1 && !teen)
            return PluralCategory::One;
        if (mod10 >= 2 && mod10 <= 4 && !teen)
            return PluralCategory::Few;
        return PluralCategory::Many;
    }
    if (rule == L"cs") {
        if (value == 1)
            return PluralCategory::One;
        if (value >= 2 && value <= 4)
            return PluralCategory::Few;
        return PluralCategory::Many;
    }
    if (rule == L"pl") {
        if (value == 1)
            return PluralCategory::One;
        if (mod10 >= 2 && mod10 <= 4 && !teen)
            return PluralCategory::Few;
        return PluralCategory::Many;
    }
    return value == 1 ? PluralCategory::One : PluralCategory::Many;
}

std::wstring FillPlaceholder(std::wstring_view pattern, std::wstring_view value)
{
    const size_t at = pattern.find(L"%s");
    if (at == std::wstring_view::npos) {
        std::wstring result(value);
        if (!pattern.empty())
            result.append(L" ").append(pattern);
        return result;
    }
    std::wstring result(pattern.substr(0, at));
    result.append(value).append(pattern.substr(at + 2));
    return result;
}

static size_t LastSeparator(std::wstring_view path)
{
    return path.find_last_of(L"\\/");
}

std::wstring FileNameOf(std::wstring_view path)
{
    const size_t at = LastSeparator(path);
    return std::wstring(at == std::wstring_view::npos ? path : path.substr(at + 1));
}

std::wstring FolderOf(std::wstring_view path)
{
    const size_t at = LastSeparator(path);
    return at == std::wstring_view::npos ? std::wstring() : std::wstring(path.substr(0, at + 1));
}

bool EqualsNoCase(std::wstring_view a, std::wstring_view b)
{
    return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()),
                                  TRUE) == CSTR_EQUAL;
}

}  // namespace tavisk

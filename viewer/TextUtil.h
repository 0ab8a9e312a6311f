#pragma once
// Small text helpers of the viewer: UTF-8, digit grouping, plural choice, path pieces.
#include <cstdint>
#include <string>
#include <string_view>

namespace tavisk {

std::string ToUtf8(std::wstring_view text);

// 1234567 with separator "." gives "1.234.567".
std::wstring GroupDigits(std::uint64_t value, std::wstring_view separator);

// Which of the three byte-count wordings a language uses for a number. Rules:
//   "one"      one for 1, many otherwise (English, German, ...)
//   "zero-one" one for 0 and 1 (French)
//   "none"     always many: the noun does not change after a number (Hungarian, Turkish, Japanese)
//   "ru"       one for 1, 21, 31 ...; few for 2-4, 22-24 ...; many otherwise (also for 11-14)
//   "cs"       one for 1; few for 2-4; many otherwise
//   "pl"       one for 1 only; few for 2-4, 22-24 ... but not 12-14; many otherwise
// An unknown rule behaves like "one".
enum class PluralCategory { One, Few, Many };
PluralCategory SelectPlural(std::wstring_view rule, std::uint64_t value);

// Replaces the first "%s" of a pattern. A translation without "%s" still shows the value, in front.
std::wstring FillPlaceholder(std::wstring_view pattern, std::wstring_view value);

// "C:\a\b.bin" -> "b.bin"; a path without separator is returned whole.
std::wstring FileNameOf(std::wstring_view path);
// "C:\a\b.bin" -> "C:\a\"; empty when the path has no separator.
std::wstring FolderOf(std::wstring_view path);

bool EqualsNoCase(std::wstring_view a, std::wstring_view b);

}  // namespace tavisk

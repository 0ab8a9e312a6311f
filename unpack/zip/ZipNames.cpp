#include "unpack/zip/ZipNames.h"

#include "unpack/zip/ZipPaths.h"

#include <array>

namespace zip {
namespace {

constexpr wchar_t kReplacement = 0xFFFD;

wchar_t ToUpperAscii(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - 32) : c; }

bool EqualsNoCase(std::wstring_view a, std::wstring_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (ToUpperAscii(a[i]) != ToUpperAscii(b[i]))
            return false;
    return true;
}

// Windows opens these as devices in any folder, with any extension, trailing blanks ignored.
bool IsDeviceName(std::wstring_view component)
{
    std::wstring_view stem = component.substr(0, component.find(L'.'));
    while (!stem.empty() && stem.back() == L' ')
        stem.remove_suffix(1);
    static constexpr std::array<std::wstring_view, 6> kPlain{L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$",
                                                             L"CONOUT$"};
    for (std::wstring_view name : kPlain)
        if (EqualsNoCase(stem, name))
            return true;
    if (stem.size() == 4 && (EqualsNoCase(stem.substr(0, 3), L"COM") || EqualsNoCase(stem.substr(0, 3), L"LPT"))) {
        const wchar_t digit = stem[3];
        return (digit >= L'1' && digit <= L'9') || digit == 0x00B9 || digit == 0x00B2 || digit == 0x00B3;
    }
    return false;
}

// "..", "...", ".. " and the like: Windows trims trailing dots and blanks, so treat them all as parent steps.
bool IsDotsComponent(std::wstring_view component)
{
    size_t dots = 0;
    for (wchar_t c : component) {
        if (c == L'.')
            ++dots;
        else if (c != L' ')
            return false;
    }
    return dots >= 2;
}

}  // namespace

std::wstring DecodeUtf8(Bytes text)
{
    std::wstring out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        const uint8_t lead = text[i];
        if (lead < 0x80) {
            out += static_cast<wchar_t>(lead);
            ++i;
            continue;
        }
        size_t length = 0;
        uint32_t code = 0, minimum = 0;
        if ((lead & 0xE0) == 0xC0) {
            length = 2, code = lead & 0x1F, minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3, code = lead & 0x0F, minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4, code = lead & 0x07, minimum = 0x10000;
        }
        size_t taken = 1;
        while (length != 0 && taken < length && i + taken < text.size() && (text[i + taken] & 0xC0) == 0x80)
            code = code << 6 | (text[i + taken++] & 0x3F);
        if (length == 0 || taken != length || code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            out += kReplacement;
            i += taken;
            continue;
        }
        if (code >= 0x10000) {
            code -= 0x10000;
            out += static_cast<wchar_t>(0xD800 + (code >> 10));
            out += static_cast<wchar_t>(0xDC00 + (code & 0x3FF));
        } else {
            out += static_cast<wchar_t>(code);
        }
        i += taken;
    }
    return out;
}

std::wstring CleanEntryName(std::wstring name)
{
    static constexpr std::array<std::wstring_view, 4> kParentSteps{L"\\..\\", L"\\../", L"/../", L"/..\\"};
    for (;;) {
        if (name.size() >= 2 && name[1] == L':') {
            name.erase(0, 2);
            continue;
        }
        if (!name.empty() && IsSeparator(name[0])) {
            name.erase(0, 1);
            continue;
        }
        bool dropped = false;
        for (std::wstring_view step : kParentSteps) {
            const size_t at = name.find(step);
            if (at != std::wstring::npos) {
                name.erase(0, at + step.size());
                dropped = true;
                break;
            }
        }
        if (!dropped)
            return name;
    }
}

bool IsAbsoluteTarget(std::wstring_view target)
{
    return (!target.empty() && IsSeparator(target[0])) || (target.size() >= 2 && target[1] == L':');
}

bool IsSafeRelativeTarget(std::wstring_view target)
{
    if (IsAbsoluteTarget(target))
        return false;
    for (wchar_t c : target)
        if (c < 0x20 || c == 0x7F || c == L':')
            return false;
    size_t start = 0;
    while (start <= target.size()) {
        size_t end = start;
        while (end < target.size() && !IsSeparator(target[end]))
            ++end;
        const std::wstring_view component = target.substr(start, end - start);
        if (IsDotsComponent(component) || IsDeviceName(component))
            return false;
        start = end + 1;
    }
    return true;
}

}  // namespace zip

#pragma once
// Entry names: UTF-8 decoding, the path cleaning applied to every name, and the test that a relative
// target stays inside the base folder.
#include "unpack/zip/ZipStatus.h"

#include <string>
#include <string_view>

namespace zip {

// Decodes UTF-8 into UTF-16; each invalid, overlong or surrogate sequence becomes one U+FFFD.
std::wstring DecodeUtf8(Bytes text);

// Drops drive letters, leading separators and everything up to a "\..\"-style parent step, repeatedly.
// A name that starts with a bare ".." component keeps it; IsSafeRelativeTarget refuses such a name.
std::wstring CleanEntryName(std::wstring name);

// A target is absolute when it starts with a separator or its second character is ':'.
bool IsAbsoluteTarget(std::wstring_view target);

// True when target, appended to a base folder, names something inside it: no parent component (nor a
// dots-and-spaces one that Windows may read as such), no ':' (drive or stream), no control character,
// and no component that is a reserved device name.
bool IsSafeRelativeTarget(std::wstring_view target);

}  // namespace zip

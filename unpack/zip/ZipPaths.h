#pragma once
// Path text that the reader, its outputs and the launcher's unpacking share: either slash separates,
// and a folder that names are appended to ends in a separator.
#include <string>
#include <string_view>

namespace zip {

inline bool IsSeparator(wchar_t c)
{
    return c == L'\\' || c == L'/';
}

inline bool EndsWithSeparator(std::wstring_view path)
{
    return !path.empty() && IsSeparator(path.back());
}

// Appends a backslash to a folder path unless it is empty or ends in a separator already.
inline void AddTrailingSeparator(std::wstring& folder)
{
    if (!folder.empty() && !EndsWithSeparator(folder))
        folder += L'\\';
}

}  // namespace zip

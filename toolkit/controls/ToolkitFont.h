#pragma once
// The toolkit's font description: Arial, swiss family, default character set.
#include <windows.h>

inline constexpr wchar_t kToolkitFaceName[] = L"Arial";

// A LOGFONTW of the toolkit's face with the given height (negative: character height in pixels)
// and weight; everything else zero or default.
LOGFONTW MakeLogFont(int nHeight, int nWeight);

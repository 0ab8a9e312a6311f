#pragma once
// The toolkit's recurring colours.
#include <windows.h>

namespace vell {

constexpr COLORREF kNavy = RGB(21, 59, 99);
constexpr COLORREF kFrameBlue = RGB(80, 101, 138);
constexpr COLORREF kControlBack = RGB(161, 177, 204);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// A solid brush of the frame colour, made on first use and kept for the process.
HBRUSH FrameBrush();

}  // namespace vell

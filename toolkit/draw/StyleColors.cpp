#include "toolkit/draw/StyleColors.h"

namespace vell {

HBRUSH FrameBrush()
{
    static const HBRUSH s_hBrush = ::CreateSolidBrush(kFrameBlue);
    return s_hBrush;
}

}  // namespace vell

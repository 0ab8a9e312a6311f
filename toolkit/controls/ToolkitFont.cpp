#include "toolkit/controls/ToolkitFont.h"

#include <cwchar>

LOGFONTW MakeLogFont(int nHeight, int nWeight)
{
    LOGFONTW lf{};
    lf.lfHeight = nHeight;
    lf.lfWeight = nWeight;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfPitchAndFamily = FF_SWISS | DEFAULT_PITCH;
    std::wcsncpy(lf.lfFaceName, kToolkitFaceName, LF_FACESIZE - 1);
    return lf;
}

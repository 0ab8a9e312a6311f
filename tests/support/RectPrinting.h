#pragma once
// Readable rectangles and points in test failure messages.
#include "platform/mfc/AfxTypes.h"

#include <ostream>

inline void PrintTo(const RECT& r, std::ostream* os)
{
    *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}
inline void PrintTo(const CRect& r, std::ostream* os)
{
    PrintTo(static_cast<const RECT&>(r), os);
}
inline void PrintTo(const POINT& p, std::ostream* os)
{
    *os << "(" << p.x << ", " << p.y << ")";
}
inline void PrintTo(const CPoint& p, std::ostream* os)
{
    PrintTo(static_cast<const POINT&>(p), os);
}

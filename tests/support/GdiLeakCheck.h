#pragma once
// GDI leak checks for tests that repeat an action. Windows counts the process's GDI objects
// (GetGuiResources); Wine's GetGuiResources counts none, so there a leak is caught by using up the
// handle table instead: with the table filled up to a small headroom, an action that leaks even one
// object per run exhausts it within a few thousand runs, and objects can no longer be made.
#include "WineDifference.h"

#include <windows.h>

#include <functional>
#include <vector>

namespace gdileak {

// The process's GDI objects as the system counts them; 0 where it counts none.
inline DWORD CountedObjects()
{
    return ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
}

// Runs action often enough to use up the headroom of a filled handle table when it leaks one object
// per run, and reports whether a brush and a memory DC can still be made afterwards. The filler
// objects are deleted again before returning. False as well when the table does not fill up (then
// nothing could be told).
inline bool HandlesLastThrough(const std::function<void()>& action)
{
    constexpr size_t kHeadroom = 2000;  // far more than one run holds at a time
    constexpr size_t kMostFiller = 70000;  // above Wine's 65,536 handles and Windows' 10,000 quota
    std::vector<HRGN> filler;
    filler.reserve(kMostFiller);
    while (filler.size() < kMostFiller) {
        HRGN h = ::CreateRectRgn(0, 0, 1, 1);
        if (!h)
            break;
        filler.push_back(h);
    }
    const bool bFilled = filler.size() < kMostFiller;
    for (size_t i = 0; i < kHeadroom && !filler.empty(); ++i) {
        ::DeleteObject(filler.back());
        filler.pop_back();
    }
    for (size_t i = 0; i < kHeadroom + kHeadroom / 2; ++i)
        action();
    HBRUSH hBrush = ::CreateSolidBrush(RGB(1, 2, 3));
    HDC hDC = ::CreateCompatibleDC(nullptr);
    const bool bLasted = bFilled && hBrush && hDC;
    if (hBrush)
        ::DeleteObject(hBrush);
    if (hDC)
        ::DeleteDC(hDC);
    for (HRGN h : filler)
        ::DeleteObject(h);
    return bLasted;
}

}  // namespace gdileak

// Expects the GDI object count to be the same after nRuns more runs of action (run a few times first,
// so that objects made once on first use are there already). Where the system counts nothing (Wine),
// says so and checks through the handle table instead.
#define EXPECT_GDI_OBJECTS_FLAT(nRuns, action)                                                          \
    do {                                                                                                \
        const DWORD nGdiBefore_ = gdileak::CountedObjects();                                            \
        for (int iRun_ = 0; iRun_ < (nRuns); ++iRun_)                                                   \
            (action)();                                                                                 \
        EXPECT_EQ(nGdiBefore_, gdileak::CountedObjects()) << "GDI objects after " << (nRuns) << " runs"; \
        if (nGdiBefore_ == 0) {                                                                         \
            WINE_KNOWN_DIFFERENCE("GetGuiResources counts the process's GDI objects; "                 \
                                  "a leak is caught through the handle table here instead");            \
            EXPECT_TRUE(gdileak::HandlesLastThrough(action)) << "the GDI handle table was used up (or never filled)";     \
        }                                                                                               \
    } while (0)

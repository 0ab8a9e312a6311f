#pragma once
// Small scope guards for the drawing routines of this folder: each puts back what it changed in a
// device context, so a routine leaves every DC it was given as it found it.
#include "platform/mfc/CDC.h"

// The drawing routines' earlier name for the framework's select-and-restore guard.
using CVellSelection = CSelectGuard;

// Background and text colour of a DC, put back at the end of the scope.
class CVellColorsGuard {
public:
    explicit CVellColorsGuard(HDC hDC)
        : m_hDC(hDC), m_clrBack(::GetBkColor(hDC)), m_clrText(::GetTextColor(hDC))
    {
    }
    ~CVellColorsGuard()
    {
        ::SetBkColor(m_hDC, m_clrBack);
        ::SetTextColor(m_hDC, m_clrText);
    }
    CVellColorsGuard(const CVellColorsGuard&) = delete;
    CVellColorsGuard& operator=(const CVellColorsGuard&) = delete;

private:
    HDC m_hDC;
    COLORREF m_clrBack;
    COLORREF m_clrText;
};

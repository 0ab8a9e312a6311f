#pragma once
// Small scope guards for the drawing routines of this folder: each puts back what it changed in a
// device context, so a routine leaves every DC it was given as it found it.
#include <windows.h>

// Selects an object and reports whether that worked (a bitmap that is already selected into another
// DC cannot be selected); the previous object goes back in at the end of the scope.
class CVellSelection {
public:
    CVellSelection(HDC hDC, HGDIOBJ hObject)
        : m_hDC(hDC), m_hOld(hDC && hObject ? ::SelectObject(hDC, hObject) : nullptr)
    {
        if (m_hOld == HGDI_ERROR)
            m_hOld = nullptr;
    }
    ~CVellSelection()
    {
        if (m_hOld)
            ::SelectObject(m_hDC, m_hOld);
    }
    CVellSelection(const CVellSelection&) = delete;
    CVellSelection& operator=(const CVellSelection&) = delete;

    bool ok() const { return m_hOld != nullptr; }

private:
    HDC m_hDC;
    HGDIOBJ m_hOld;
};

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

#pragma once
// The viewer's fonts: the language's preferred face if installed, else Segoe UI, else Tahoma, else the
// system's message font; a fixed-pitch face for the hex dump.
#include "viewer/Handles.h"

#include <string>

namespace tavisk {

struct UiFonts {
    FontHandle text;     // 9 pt
    FontHandle heading;  // 12 pt
    FontHandle mono;     // 9 pt fixed pitch

    // preferredFaces: face names separated by ';', tried first (may be empty).
    static UiFonts Create(HDC hdc, const std::wstring& preferredFaces);
};

// True when a font family of that name is installed.
bool FontFamilyExists(HDC hdc, const std::wstring& face);

}  // namespace tavisk

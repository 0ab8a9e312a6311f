#pragma once
// The viewer's fonts: the language's preferred face if installed, else Segoe UI, else Tahoma, else the
// system's message font; a fixed-pitch face for the hex dump. A face that lacks letters of the texts
// (Tahoma without Greek, say) gives way to the next installed face that has them all.
#include "viewer/Handles.h"

#include <string>

namespace tavisk {

struct UiFonts {
    FontHandle text;     // 9 pt
    FontHandle heading;  // 12 pt
    FontHandle mono;     // 9 pt fixed pitch

    // preferredFaces: face names separated by ';', tried first (may be empty). sampleText: the texts
    // the fonts are going to show.
    static UiFonts Create(HDC hdc, const std::wstring& preferredFaces, const std::wstring& sampleText);
};

// True when a font family of that name is installed.
bool FontFamilyExists(HDC hdc, const std::wstring& face);

// True when the face has a glyph for every character of the text.
bool FontCoversText(HDC hdc, const std::wstring& face, const std::wstring& text);

}  // namespace tavisk

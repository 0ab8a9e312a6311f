#include "viewer/UiFonts.h"

#include <vector>

namespace tavisk {

namespace {

int CALLBACK StopAtFirst(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found)
{
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

std::vector<std::wstring> SplitFaces(const std::wstring& faces)
{
    std::vector<std::wstring> result;
    size_t start = 0;
    while (start <= faces.size()) {
        size_t end = faces.find(L';', start);
        if (end == std::wstring::npos)
            end = faces.size();
        std::wstring face = faces.substr(start, end - start);
        while (!face.empty() && face.front() == L' ')
            face.erase(face.begin());
        while (!face.empty() && face.back() == L' ')
            face.pop_back();
        if (!face.empty() && face.size() < LF_FACESIZE)
            result.push_back(face);
        start = end + 1;
    }
    return result;
}

LOGFONTW FontOf(const LOGFONTW& base, HDC hdc, int points, const std::wstring& face)
{
    LOGFONTW lf = base;
    lf.lfHeight = -::MulDiv(points, ::GetDeviceCaps(hdc, LOGPIXELSY), 72);
    lf.lfWidth = 0;
    lf.lfWeight = FW_NORMAL;
    lf.lfItalic = FALSE;
    lf.lfQuality = CLEARTYPE_QUALITY;
    if (!face.empty())
        lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
    return lf;
}

std::wstring FirstInstalled(HDC hdc, const std::vector<std::wstring>& faces)
{
    for (const std::wstring& face : faces)
        if (FontFamilyExists(hdc, face))
            return face;
    return {};
}

// The first installed face that can show the whole text, else the first installed one.
std::wstring FirstCovering(HDC hdc, const std::vector<std::wstring>& faces, const std::wstring& text)
{
    for (const std::wstring& face : faces)
        if (FontFamilyExists(hdc, face) && FontCoversText(hdc, face, text))
            return face;
    return FirstInstalled(hdc, faces);
}

}  // namespace

bool FontFamilyExists(HDC hdc, const std::wstring& face)
{
    LOGFONTW lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
    bool found = false;
    ::EnumFontFamiliesExW(hdc, &lf, StopAtFirst, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

bool FontCoversText(HDC hdc, const std::wstring& face, const std::wstring& text)
{
    LOGFONTW lf{};
    lf.lfHeight = -12;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
    FontHandle font(::CreateFontIndirectW(&lf));
    if (!font)
        return false;
    std::wstring letters;
    for (wchar_t ch : text)
        if (ch > L' ' && ch != 0x00A0)
            letters += ch;
    if (letters.empty())
        return true;
    std::vector<WORD> glyphs(letters.size());
    SelectGuard select(hdc, font.Get());
    const DWORD got = ::GetGlyphIndicesW(hdc, letters.c_str(), static_cast<int>(letters.size()), glyphs.data(),
                                         GGI_MARK_NONEXISTING_GLYPHS);
    if (got == GDI_ERROR)
        return false;
    for (WORD glyph : glyphs)
        if (glyph == 0xFFFF)
            return false;
    return true;
}

UiFonts UiFonts::Create(HDC hdc, const std::wstring& preferredFaces, const std::wstring& sampleText)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);

    // After the usual Windows faces come those a Wine desktop tends to have, for scripts that its
    // Tahoma lacks.
    std::vector<std::wstring> faces = SplitFaces(preferredFaces);
    faces.insert(faces.end(), {L"Segoe UI", L"Tahoma", L"Microsoft Sans Serif", L"Arial", L"Liberation Sans",
                               L"DejaVu Sans", L"Droid Sans Fallback"});
    const std::wstring face = FirstCovering(hdc, faces, sampleText);  // empty: keep the message font's face

    UiFonts fonts;
    const LOGFONTW text = FontOf(metrics.lfMessageFont, hdc, 9, face);
    fonts.text.Reset(::CreateFontIndirectW(&text));
    const LOGFONTW heading = FontOf(metrics.lfMessageFont, hdc, 12, face);
    fonts.heading.Reset(::CreateFontIndirectW(&heading));

    const std::wstring monoFace = FirstInstalled(hdc, {L"Consolas", L"Lucida Console", L"Courier New"});
    LOGFONTW mono = FontOf(metrics.lfMessageFont, hdc, 9, monoFace);
    mono.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    if (monoFace.empty())
        mono.lfFaceName[0] = 0;  // let the font mapper pick any fixed-pitch face
    fonts.mono.Reset(::CreateFontIndirectW(&mono));
    return fonts;
}

}  // namespace tavisk

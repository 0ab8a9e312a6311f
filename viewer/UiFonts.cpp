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

UiFonts UiFonts::Create(HDC hdc, const std::wstring& preferredFaces)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);

    std::vector<std::wstring> faces = SplitFaces(preferredFaces);
    faces.insert(faces.end(), {L"Segoe UI", L"Tahoma"});
    const std::wstring face = FirstInstalled(hdc, faces);  // empty: keep the message font's face

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

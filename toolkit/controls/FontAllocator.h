#pragma once
// The toolkit's default font (Arial, 11 pixels, normal weight), made on the first request and shared
// by every control's tool tip. It lives until the last CVellAmbient goes away; the next request then
// makes it anew.
#include "platform/mfc/CGdiObject.h"

class CVellFontAllocator {
public:
    virtual ~CVellFontAllocator();
    CVellFontAllocator(const CVellFontAllocator&) = delete;
    CVellFontAllocator& operator=(const CVellFontAllocator&) = delete;

    // The font of the single instance, which is made first when there is none.
    static CFont* GetDefaultFontObject();
    // Deletes the single instance and its font (CVellAmbient does this when the last one goes).
    static void DestroyDefaultFont();
    static bool HasDefaultFont() { return s_pInstance != nullptr; }

private:
    CVellFontAllocator();

    CFont m_font;

    static CVellFontAllocator* s_pInstance;
};

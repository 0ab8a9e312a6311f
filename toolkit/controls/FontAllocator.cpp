#include "toolkit/controls/FontAllocator.h"

#include "toolkit/controls/ToolkitFont.h"

CVellFontAllocator* CVellFontAllocator::s_pInstance = nullptr;

CVellFontAllocator::CVellFontAllocator()
{
    const LOGFONTW lf = MakeLogFont(-11, FW_NORMAL);
    m_font.CreateFontIndirect(&lf);
}

CVellFontAllocator::~CVellFontAllocator() = default;

CFont* CVellFontAllocator::GetDefaultFontObject()
{
    if (!s_pInstance)
        s_pInstance = new CVellFontAllocator;
    return &s_pInstance->m_font;
}

void CVellFontAllocator::DestroyDefaultFont()
{
    delete s_pInstance;
    s_pInstance = nullptr;
}

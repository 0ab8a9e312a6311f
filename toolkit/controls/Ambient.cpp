#include "toolkit/controls/Ambient.h"

#include "toolkit/controls/FontAllocator.h"
#include "toolkit/controls/ToolkitFont.h"

int CVellAmbient::s_nLive = 0;

CVellAmbient::CVellAmbient() : m_logFont(MakeLogFont(-12, FW_NORMAL))
{
    ++s_nLive;
}

CVellAmbient::~CVellAmbient()
{
    if (--s_nLive == 0)
        CVellFontAllocator::DestroyDefaultFont();
}

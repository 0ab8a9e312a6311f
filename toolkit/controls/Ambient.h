#pragma once
// The ambient font of a control. Live ambient objects are counted: when the last one goes, the
// toolkit's default font goes with it (see CVellFontAllocator).
#include <windows.h>

class CVellAmbient {
public:
    CVellAmbient();
    virtual ~CVellAmbient();
    CVellAmbient(const CVellAmbient&) = delete;
    CVellAmbient& operator=(const CVellAmbient&) = delete;

    void SetFont(const LOGFONTW& lf) { m_logFont = lf; }
    void GetFont(LOGFONTW* pLogFont) const
    {
        if (pLogFont)
            *pLogFont = m_logFont;
    }

    static int GetLiveCount() { return s_nLive; }

private:
    LOGFONTW m_logFont;

    static int s_nLive;
};

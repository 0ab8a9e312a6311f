#pragma once
// The process-wide store of the bitmaps that controls show, keyed by resource id. Each bitmap is
// loaded once and kept with its keying colour and hit-test region until the process ends; controls
// that name the same id share all three.
#include "toolkit/bitmaps/BitmapEntry.h"

#include <map>
#include <memory>

#include <oleidl.h>

class CVellBitmapAllocator {
public:
    CVellBitmapAllocator() = default;
    virtual ~CVellBitmapAllocator();
    CVellBitmapAllocator(const CVellBitmapAllocator&) = delete;
    CVellBitmapAllocator& operator=(const CVellBitmapAllocator&) = delete;

    // The single store of the process.
    static CVellBitmapAllocator& GetInstance();

    // Registers nId once: FALSE and no change when it is already registered. With bLoad and a non-zero
    // id the bitmap is loaded from the module of the host's window (pHost), else from the application's
    // resources. An entry is made even when nothing was loaded; the result tells whether a bitmap was.
    BOOL SetControlBitmap(int nId, BOOL bLoad, IOleWindow* pHost);

    // These need an earlier SetControlBitmap for the id; without one they give FALSE, null, ERROR or
    // CLR_INVALID (and a debug build says so on the debugger output).
    CBitmap* GetControlBitmap(int nId) const;
    BOOL GetControlBitmapSize(int nId, SIZE* pSize) const;
    COLORREF SetBitmapKeyingColor(int nId, COLORREF clrKeying);
    BOOL HasControlBitmap(int nId) const;
    BOOL BitmapHitTest(int nId, const POINT* pPoint) const;
    int BuildBitmapRegion(int nId, BOOL bForce);
    int CopyBitmapRegion(int nId, CRgn* pRgn) const;

    // The entry of the id, null when there is none.
    CVellBitmapEntry* FindEntry(int nId) const;

private:
    std::map<int, std::unique_ptr<CVellBitmapEntry>> m_entries;
};

#pragma once
// One picture of the shared bitmap store: the bitmap, its transparent (keying) colour and the region
// of its visible pixels. The region is rebuilt only when the owner asks (BuildRegion), so hit tests and
// repaints never rescan the bitmap.
#include "platform/mfc/CGdiObject.h"

class CVellBitmapEntry {
public:
    static constexpr COLORREF kDefaultKeyingColor = RGB(255, 0, 255);

    CVellBitmapEntry() = default;
    ~CVellBitmapEntry();
    CVellBitmapEntry(const CVellBitmapEntry&) = delete;
    CVellBitmapEntry& operator=(const CVellBitmapEntry&) = delete;

    // Replaces the bitmaps. With bOwns the entry takes the handles over from the CBitmap objects
    // (they are detached) and deletes them when reset or destroyed. Either pointer may be null.
    void SetBitmaps(CBitmap* pBitmap, CBitmap* pSecond, BOOL bOwns);
    // Drops both bitmaps (deleting them when owned) and marks the region out of date.
    void ResetBitmaps();

    // Returns the colour; a colour other than the current one marks the region out of date.
    COLORREF SetKeyingColor(COLORREF clrKeying);
    COLORREF GetKeyingColor() const { return m_clrKeying; }

    BOOL HasBitmap() const { return m_hBitmap != nullptr; }
    // A temporary wrapper of the bitmap (null without one).
    CBitmap* GetBitmap() const;
    HBITMAP GetBitmapHandle() const { return m_hBitmap; }
    BOOL GetBitmapSize(SIZE* pSize) const;
    BOOL IsDirty() const { return m_bDirty; }

    // Whether the point (bitmap coordinates) is on a visible pixel, as of the last BuildRegion.
    // FALSE before the first BuildRegion.
    BOOL HitTestRegion(const POINT* pPoint) const;
    // Copies the region into *pRgn (made empty first when it has no region yet); CombineRgn's result.
    int CopyRegion(CRgn* pRgn) const;

    // Rebuilds the region when it is out of date or bForce is set: one rectangle per horizontal run of
    // pixels that do not have the keying colour. The region starts as the square (0, 0, 50, 50); a
    // bitmap without any visible pixel leaves the region as it was. Returns the kind of the region
    // (SIMPLEREGION, COMPLEXREGION, ...), ERROR when there is none or the bitmap could not be read.
    int BuildRegion(BOOL bForce);

private:
    BOOL m_bDirty = TRUE;
    // Held as a plain handle: the shared store of entries is a static object that outlives the
    // framework's per-thread handle maps, which a CRgn would still touch when it goes.
    HRGN m_hRgn = nullptr;
    COLORREF m_clrKeying = kDefaultKeyingColor;
    BOOL m_bOwnsBitmaps = TRUE;
    HBITMAP m_hBitmap = nullptr;
    HBITMAP m_hSecond = nullptr;
};

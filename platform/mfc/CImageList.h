#pragma once
// An image list of the common controls, owned by the object (destroyed with it unless detached).
// The common controls are loaded from the system folder when the first list is made, never at
// start-up; every call fails quietly when they cannot be loaded.
#include "platform/mfc/CObject.h"

#include <commctrl.h>

class CImageList : public CObject {
    DECLARE_DYNAMIC(CImageList)
public:
    CImageList() = default;
    ~CImageList() override;
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    HIMAGELIST m_hImageList = nullptr;
    operator HIMAGELIST() const { return m_hImageList; }  // NOLINT: as in MFC
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }

    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
    BOOL Attach(HIMAGELIST hImageList);
    HIMAGELIST Detach();
    BOOL DeleteImageList();

    int GetImageCount() const;
    // Adds a copy of the icon; returns its index or -1.
    int Add(HICON hIcon);
    // A new icon made from image nImage (the caller destroys it), or null.
    HICON ExtractIcon(int nImage) const;
    BOOL GetIconSize(int* pcx, int* pcy) const;
    BOOL Draw(HDC hDC, int nImage, POINT pt, UINT nStyle) const;
};

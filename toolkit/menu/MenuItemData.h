#pragma once
// The record behind one owner-drawn item of a themed menu; its address is the item's data.
#include "platform/mfc/CImageList.h"
#include "platform/mfc/CString.h"

class CVellMenuItemData : public CObject {
    DECLARE_DYNAMIC(CVellMenuItemData)
public:
    CVellMenuItemData() = default;
    ~CVellMenuItemData() override;
    CVellMenuItemData(const CVellMenuItemData&) = delete;
    CVellMenuItemData& operator=(const CVellMenuItemData&) = delete;

    bool IsSeparator() const { return (m_nFlags & MF_SEPARATOR) != 0; }
    bool IsPopup() const { return (m_nFlags & MF_POPUP) != 0; }
    // The part before the first tab, and the accelerator after the last one (empty without a tab).
    CString Label() const;
    CString Accelerator() const;

    CString m_strText;       // label and accelerator, separated by a tab; empty for separators
    DWORD m_dwReserved = 0;
    UINT m_nFlags = 0;       // MF_ flags the item is registered with
    UINT_PTR m_nCommandId = 0;  // the command, the submenu handle for MF_POPUP, 0 for separators
    BOOL m_bInUse = FALSE;   // matched to an item by the last Rebuild
    int m_nReservedIndex = -1;
    int m_nIconIndex = -1;   // 0 or more: image 0 of m_pIconImages is the item's picture
    CImageList* m_pIconImages = nullptr;  // owned
    DWORD m_dwReservedFlag = 0;
};

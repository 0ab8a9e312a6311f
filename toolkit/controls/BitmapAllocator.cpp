#include "toolkit/controls/BitmapAllocator.h"

namespace {

CVellBitmapEntry* Registered(const CVellBitmapAllocator& allocator, int nId)
{
    CVellBitmapEntry* pEntry = allocator.FindEntry(nId);
#ifndef NDEBUG
    if (!pEntry)
        ::OutputDebugStringW(L"\"There is no region for this bitmap, call first SetControlBitmap\"\n");
#endif
    return pEntry;
}

// The bitmap of the id from the module that owns the host's window; null when there is no such window
// or bitmap.
HBITMAP LoadFromHostModule(IOleWindow* pHost, int nId)
{
    HWND hWnd = nullptr;
    if (FAILED(pHost->GetWindow(&hWnd)) || !::IsWindow(hWnd))
        return nullptr;
    auto hInstance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(hWnd, GWLP_HINSTANCE));
    return ::LoadBitmapW(hInstance, MAKEINTRESOURCEW(nId));
}

}  // namespace

CVellBitmapAllocator::~CVellBitmapAllocator() = default;

CVellBitmapAllocator& CVellBitmapAllocator::GetInstance()
{
    // Made on first use (also from another static object's constructor) and gone after the
    // application ends; its entries hold plain handles, so nothing it deletes needs the framework.
    static CVellBitmapAllocator s_allocator;
    return s_allocator;
}

BOOL CVellBitmapAllocator::SetControlBitmap(int nId, BOOL bLoad, IOleWindow* pHost)
{
    if (m_entries.count(nId))
        return FALSE;
    CBitmap bitmap;
    BOOL bLoaded = FALSE;
    if (bLoad && nId != 0) {
        if (pHost)
            bLoaded = bitmap.Attach(LoadFromHostModule(pHost, nId));
        else
            bLoaded = bitmap.LoadBitmap(static_cast<UINT>(nId));
    }
    auto pEntry = std::make_unique<CVellBitmapEntry>();
    pEntry->SetBitmaps(bitmap.GetSafeHandle() ? &bitmap : nullptr, nullptr, TRUE);
    m_entries.emplace(nId, std::move(pEntry));
    return bLoaded;
}

CVellBitmapEntry* CVellBitmapAllocator::FindEntry(int nId) const
{
    const auto it = m_entries.find(nId);
    return it == m_entries.end() ? nullptr : it->second.get();
}

CBitmap* CVellBitmapAllocator::GetControlBitmap(int nId) const
{
    const CVellBitmapEntry* pEntry = Registered(*this, nId);
    return pEntry ? pEntry->GetBitmap() : nullptr;
}

BOOL CVellBitmapAllocator::GetControlBitmapSize(int nId, SIZE* pSize) const
{
    const CVellBitmapEntry* pEntry = Registered(*this, nId);
    return pEntry ? pEntry->GetBitmapSize(pSize) : FALSE;
}

COLORREF CVellBitmapAllocator::SetBitmapKeyingColor(int nId, COLORREF clrKeying)
{
    CVellBitmapEntry* pEntry = Registered(*this, nId);
    return pEntry ? pEntry->SetKeyingColor(clrKeying) : CLR_INVALID;
}

BOOL CVellBitmapAllocator::HasControlBitmap(int nId) const
{
    const CVellBitmapEntry* pEntry = Registered(*this, nId);
    return pEntry ? pEntry->HasBitmap() : FALSE;
}

BOOL CVellBitmapAllocator::BitmapHitTest(int nId, const POINT* pPoint) const
{
    const CVellBitmapEntry* pEntry = Registered(*this, nId);
    return pEntry ? pEntry->HitTestRegion(pPoint) : FALSE;
}

int CVellBitmapAllocator::BuildBitmapRegion(int nId, BOOL bForce)
{
    CVellBitmapEntry* pEntry = Registered(*this, nId);
    return pEntry ? pEntry->BuildRegion(bForce) : ERROR;
}

int CVellBitmapAllocator::CopyBitmapRegion(int nId, CRgn* pRgn) const
{
    const CVellBitmapEntry* pEntry = Registered(*this, nId);
    return pEntry ? pEntry->CopyRegion(pRgn) : ERROR;
}

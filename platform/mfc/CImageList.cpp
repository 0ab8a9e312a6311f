#include "platform/mfc/CImageList.h"

#include "platform/mfc/AfxSystemModule.h"

IMPLEMENT_DYNAMIC(CImageList, CObject)

namespace {

template <typename Function>
Function CommonControl(const char* pszProc)
{
    return AfxSystemProc<Function>(L"comctl32.dll", pszProc);
}

}  // namespace

CImageList::~CImageList()
{
    DeleteImageList();
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
{
    if (m_hImageList)
        return FALSE;
    using CreateFn = HIMAGELIST(WINAPI*)(int, int, UINT, int, int);
    const auto pfnCreate = CommonControl<CreateFn>("ImageList_Create");
    return Attach(pfnCreate ? pfnCreate(cx, cy, nFlags, nInitial, nGrow) : nullptr);
}

BOOL CImageList::Attach(HIMAGELIST hImageList)
{
    if (!hImageList || m_hImageList)
        return FALSE;
    m_hImageList = hImageList;
    return TRUE;
}

HIMAGELIST CImageList::Detach()
{
    HIMAGELIST h = m_hImageList;
    m_hImageList = nullptr;
    return h;
}

BOOL CImageList::DeleteImageList()
{
    HIMAGELIST h = Detach();
    if (!h)
        return FALSE;
    using DestroyFn = BOOL(WINAPI*)(HIMAGELIST);
    const auto pfnDestroy = CommonControl<DestroyFn>("ImageList_Destroy");
    return pfnDestroy ? pfnDestroy(h) : FALSE;
}

int CImageList::GetImageCount() const
{
    using CountFn = int(WINAPI*)(HIMAGELIST);
    const auto pfnCount = m_hImageList ? CommonControl<CountFn>("ImageList_GetImageCount") : nullptr;
    return pfnCount ? pfnCount(m_hImageList) : 0;
}

int CImageList::Add(HICON hIcon)
{
    using ReplaceFn = int(WINAPI*)(HIMAGELIST, int, HICON);
    const auto pfnReplace = m_hImageList && hIcon ? CommonControl<ReplaceFn>("ImageList_ReplaceIcon") : nullptr;
    return pfnReplace ? pfnReplace(m_hImageList, -1, hIcon) : -1;
}

HICON CImageList::ExtractIcon(int nImage) const
{
    using GetIconFn = HICON(WINAPI*)(HIMAGELIST, int, UINT);
    const auto pfnGetIcon = m_hImageList ? CommonControl<GetIconFn>("ImageList_GetIcon") : nullptr;
    return pfnGetIcon && nImage >= 0 && nImage < GetImageCount() ? pfnGetIcon(m_hImageList, nImage, ILD_NORMAL)
                                                                 : nullptr;
}

BOOL CImageList::GetIconSize(int* pcx, int* pcy) const
{
    using SizeFn = BOOL(WINAPI*)(HIMAGELIST, int*, int*);
    const auto pfnSize = m_hImageList ? CommonControl<SizeFn>("ImageList_GetIconSize") : nullptr;
    return pfnSize ? pfnSize(m_hImageList, pcx, pcy) : FALSE;
}

BOOL CImageList::Draw(HDC hDC, int nImage, POINT pt, UINT nStyle) const
{
    using DrawFn = BOOL(WINAPI*)(HIMAGELIST, int, HDC, int, int, UINT);
    const auto pfnDraw = m_hImageList ? CommonControl<DrawFn>("ImageList_Draw") : nullptr;
    return pfnDraw ? pfnDraw(m_hImageList, nImage, hDC, pt.x, pt.y, nStyle) : FALSE;
}

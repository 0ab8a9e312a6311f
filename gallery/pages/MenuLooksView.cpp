#include "gallery/pages/MenuLooksView.h"

#include "gallery/GalleryIds.h"
#include "toolkit/menu/MenuColors.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CMenuLooksView, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

namespace {

// State of each sample popup item, by position.
constexpr UINT kSampleStates[] = {0, ODS_SELECTED, ODS_CHECKED, ODS_GRAYED | ODS_DISABLED, 0, 0, ODS_SELECTED};
// State of each sample menu-bar item: normal, hot, open.
constexpr UINT kBarStates[] = {0, ODS_HOTLIGHT, ODS_SELECTED};

}  // namespace

CMenuLooksView::CMenuLooksView()
{
    CMenu bar, popup;
    bar.CreateMenu();
    popup.CreatePopupMenu();
    popup.AppendMenu(MF_STRING, ID_FILE_NEW_ITEM, L"&New\tCtrl+N");
    popup.AppendMenu(MF_STRING, ID_FILE_OPEN_ITEM, L"&Open...\tCtrl+O");
    popup.AppendMenu(MF_STRING | MF_CHECKED, ID_VIEW_STATUS_ITEM, L"&Status bar");
    popup.AppendMenu(MF_STRING | MF_GRAYED, ID_EDIT_UNDO_ITEM, L"&Undo\tCtrl+Z");
    popup.AppendMenu(MF_SEPARATOR);
    popup.AppendMenu(MF_STRING, ID_VIEW_REFRESH_ITEM, L"&Refresh\tF5");
    popup.AppendMenu(MF_STRING | MF_CHECKED, ID_VIEW_GRID_ITEM, L"&Grid");
    bar.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(popup.Detach()), L"&File");
    bar.AppendMenu(MF_STRING, ID_EDIT_CUT_ITEM, L"&Edit");
    bar.AppendMenu(MF_STRING, ID_VIEW_GRID_ITEM, L"&View");
    m_sample.Convert(bar.Detach());
    m_sample.SetItemIcon(ID_FILE_OPEN_ITEM,
                         static_cast<HICON>(::LoadImageW(nullptr, IDI_INFORMATION, IMAGE_ICON, 16, 16, LR_SHARED)));
}

BOOL CMenuLooksView::Create(CWnd* pParent, const CRect& rc, UINT nID)
{
    return CreateEx(0, nullptr, nullptr, WS_CHILD | WS_VISIBLE, rc, pParent, nID);
}

BOOL CMenuLooksView::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CMenuLooksView::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(&rc, RGB(161, 177, 204));
    const Look looks[] = {{L"Classic", MeasureItemClassic, DrawItemClassic},
                          {L"Flat bar", MeasureItemClassic, DrawItemFlatBar},
                          {L"XP", MeasureItemXP, DrawItemXP}};
    const int cx = (rc.Width() - 16) / 3;
    for (int i = 0; i < 3; ++i)
        PaintLook(&dc, looks[i], 4 + i * (cx + 4), 4, cx);
}

void CMenuLooksView::PaintLook(CDC* pDC, const Look& look, int x, int y, int cx)
{
    CFont font;
    CreateMenuItemFont(font, TRUE);
    {
        CSelectGuard selectFont(pDC->m_hDC, font);
        const int nOldMode = pDC->SetBkMode(TRANSPARENT);
        RECT rcName{x, y, x + cx, y + 16};
        pDC->DrawText(look.pszName, -1, &rcName, DT_SINGLELINE | DT_LEFT);
        pDC->SetBkMode(nOldMode);
    }
    y += 18;

    // The bar: File open (its popup below), Edit hot, View normal.
    CVellMenu* pPopup = CVellMenu::FromHandleThemed(::GetSubMenu(m_sample, 0));
    const RECT rcBar{x, y, x + cx, y + 23};
    pDC->FillSolidRect(&rcBar, vell_menu::kNavy);
    int xItem = x;
    const UINT barStates[] = {kBarStates[2], kBarStates[1], kBarStates[0]};
    for (int i = 0; i < 3; ++i) {
        CVellMenuItemData* pData = m_sample.GetRecord(i);
        MEASUREITEMSTRUCT mis{ODT_MENU, 0, static_cast<UINT>(pData->m_nCommandId), 0, 0, reinterpret_cast<ULONG_PTR>(pData)};
        look.pfnMeasure(&m_sample, &mis, TRUE);
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_MENU;
        dis.itemID = mis.itemID;
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = barStates[i];
        dis.hwndItem = reinterpret_cast<HWND>(m_sample.m_hMenu);
        dis.hDC = pDC->m_hDC;
        dis.rcItem = RECT{xItem, y, xItem + static_cast<int>(mis.itemWidth) + 12, y + 23};
        dis.itemData = mis.itemData;
        m_sample.m_openCount = i == 0 ? 1 : 0;
        look.pfnDraw(&m_sample, &dis, TRUE);
        xItem = dis.rcItem.right;
    }
    m_sample.m_openCount = 0;
    y += 23;

    // The popup, framed as the popup windows are.
    if (!pPopup)
        return;
    const int nCount = pPopup->GetRecordCount();
    int nHeight = 0;
    std::vector<UINT> heights;
    for (int i = 0; i < nCount; ++i) {
        CVellMenuItemData* pData = pPopup->GetRecord(i);
        MEASUREITEMSTRUCT mis{ODT_MENU, 0, static_cast<UINT>(pData->m_nCommandId), 0, 0, reinterpret_cast<ULONG_PTR>(pData)};
        look.pfnMeasure(pPopup, &mis, FALSE);
        heights.push_back(mis.itemHeight);
        nHeight += static_cast<int>(mis.itemHeight);
    }
    const RECT rcFrame{x, y, x + cx - 10, y + nHeight + 4};
    pDC->FillSolidRect(&rcFrame, look.pfnDraw == DrawItemXP ? vell_menu::kLight : vell_menu::kPale);
    pDC->Draw3dRect(&rcFrame, vell_menu::kNavy, vell_menu::kNavy);
    int yItem = y + 2;
    for (int i = 0; i < nCount; ++i) {
        CVellMenuItemData* pData = pPopup->GetRecord(i);
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_MENU;
        dis.itemID = static_cast<UINT>(pData->m_nCommandId);
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = i < static_cast<int>(std::size(kSampleStates)) ? kSampleStates[i] : 0;
        dis.hwndItem = reinterpret_cast<HWND>(pPopup->m_hMenu);
        dis.hDC = pDC->m_hDC;
        dis.rcItem = RECT{x + 2, yItem, rcFrame.right - 2, yItem + static_cast<int>(heights[static_cast<size_t>(i)])};
        dis.itemData = reinterpret_cast<ULONG_PTR>(pData);
        look.pfnDraw(pPopup, &dis, FALSE);
        yItem = dis.rcItem.bottom;
    }
}

// GDI wrappers: ownership, moves, handle maps, device contexts and selection guards; menus.
#include "platform/mfc/AfxHandleMaps.h"
#include "platform/mfc/CDC.h"
#include "platform/mfc/CMenu.h"
#include "platform/mfc/CWnd.h"

#include "tests/support/RectPrinting.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <utility>

TEST(GdiObjectTest, OwnerDeletesItsObject)
{
    HGDIOBJ hPen = nullptr;
    {
        CPen pen(PS_SOLID, 1, RGB(1, 2, 3));
        hPen = pen.m_hObject;
        ASSERT_NE(nullptr, hPen);
        EXPECT_EQ(&pen, CGdiObject::FromHandlePermanent(hPen));
        EXPECT_EQ(&pen, CPen::FromHandle(static_cast<HPEN>(hPen)));
    }
    EXPECT_EQ(0u, static_cast<UINT>(GetObjectType(hPen)));
    EXPECT_EQ(nullptr, CGdiObject::FromHandlePermanent(hPen));
}

TEST(GdiObjectTest, MoveTransfersOwnership)
{
    CBrush first(RGB(10, 20, 30));
    HGDIOBJ hBrush = first.m_hObject;
    CBrush second(std::move(first));
    EXPECT_EQ(nullptr, first.m_hObject);
    EXPECT_EQ(hBrush, second.m_hObject);
    EXPECT_EQ(&second, CGdiObject::FromHandlePermanent(hBrush)) << "the map follows the owner";

    CBrush third(RGB(1, 1, 1));
    HGDIOBJ hOld = third.m_hObject;
    third = std::move(second);
    EXPECT_EQ(0u, static_cast<UINT>(GetObjectType(hOld))) << "assignment deletes what it replaces";
    EXPECT_EQ(hBrush, third.m_hObject);
    LOGBRUSH lb{};
    EXPECT_EQ(static_cast<int>(sizeof(lb)), third.GetObject(sizeof(lb), &lb));
    EXPECT_EQ(RGB(10, 20, 30), lb.lbColor);
}

TEST(GdiObjectTest, AttachDetachAndTemporaries)
{
    HRGN hRgn = CreateRectRgn(0, 0, 10, 10);
    CRgn* pTemp = CRgn::FromHandle(hRgn);
    ASSERT_NE(nullptr, pTemp);
    EXPECT_TRUE(pTemp->IsKindOf(RUNTIME_CLASS(CRgn)));
    EXPECT_TRUE(CGdiObject::FromHandle(hRgn)->IsKindOf(RUNTIME_CLASS(CRgn))) << "the wrapper matches the object type";
    EXPECT_EQ(nullptr, CPen::FromHandle(reinterpret_cast<HPEN>(hRgn))) << "not a pen";
    AfxDeleteTempMaps();
    EXPECT_NE(0u, static_cast<UINT>(GetObjectType(hRgn))) << "a temporary does not own";

    CRgn rgn;
    ASSERT_TRUE(rgn.Attach(hRgn));
    CRgn other;
    EXPECT_FALSE(other.Attach(hRgn)) << "one owner per handle";
    EXPECT_EQ(hRgn, rgn.Detach());
    EXPECT_NE(0u, static_cast<UINT>(GetObjectType(hRgn)));
    DeleteObject(hRgn);
}

TEST(GdiObjectTest, RegionOperations)
{
    CRgn a, b, both;
    a.CreateRectRgn(0, 0, 10, 10);
    b.CreateRectRgn(5, 5, 15, 15);
    both.CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(COMPLEXREGION, both.CombineRgn(&a, &b, RGN_XOR));
    EXPECT_TRUE(both.PtInRegion(1, 1));
    EXPECT_FALSE(both.PtInRegion(6, 6));
    CRect box;
    both.GetRgnBox(&box);
    EXPECT_EQ(CRect(0, 0, 15, 15), box);
}

namespace {

HBITMAP MakeDib(int cx, int cy, DWORD** ppBits)
{
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* pBits = nullptr;
    HBITMAP h = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    *ppBits = static_cast<DWORD*>(pBits);
    return h;
}

}  // namespace

TEST(DeviceContextTest, MemoryDcIsDeletedAndSelectionsAreRestored)
{
    HDC hDC = nullptr;
    DWORD* pBits = nullptr;
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.Attach(MakeDib(8, 8, &pBits)));
    {
        CDC dc;
        ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
        hDC = dc.m_hDC;
        EXPECT_EQ(&dc, CDC::FromHandle(hDC));
        const HGDIOBJ hStockPen = GetCurrentObject(hDC, OBJ_PEN);
        {
            CSelectGuard selectBitmap(dc, bitmap);
            CPen pen(PS_SOLID, 1, RGB(255, 0, 0));
            CSelectGuard selectPen(dc, pen);
            EXPECT_EQ(pen.m_hObject, GetCurrentObject(hDC, OBJ_PEN));
            dc.MoveTo(0, 0);
            dc.LineTo(4, 0);
            CSaveDCGuard saved(dc);
            dc.SetBkMode(TRANSPARENT);
            dc.FillSolidRect(CRect(0, 4, 8, 8), RGB(0, 0, 255));
        }
        EXPECT_EQ(hStockPen, GetCurrentObject(hDC, OBJ_PEN)) << "the guard selected the old pen back";
        EXPECT_EQ(OPAQUE, GetBkMode(hDC));
    }
    EXPECT_EQ(0u, static_cast<UINT>(GetObjectType(hDC))) << "the memory DC was deleted";
    EXPECT_EQ(0x00FF0000u, pBits[0] & 0xFFFFFF);
    EXPECT_EQ(0x00FF0000u, pBits[3] & 0xFFFFFF);
    EXPECT_EQ(0u, pBits[4] & 0xFFFFFF) << "end point excluded";
    EXPECT_EQ(0x000000FFu, pBits[4 * 8] & 0xFFFFFF);
}

TEST(DeviceContextTest, PaintDcValidatesAndWindowDcCoversTheFrame)
{
    // Wine gap: Wine's X11 driver leaves the caption and frame of a managed top-level window
    // (captioned, thick or dialog frame, or activated) to the X window manager; the window DC of
    // such a window then covers only what Wine itself shows. A plain bordered popup shown without
    // activation is drawn whole by Wine, as on Windows.
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, L"dc", WS_POPUP | WS_BORDER, 0, 0, 200, 100, nullptr, nullptr));
    wnd.ShowWindow(SW_SHOWNA);
    wnd.Invalidate();
    {
        CPaintDC dc(&wnd);  // outside WM_PAINT: BeginPaint still validates
        EXPECT_NE(nullptr, dc.m_hDC);
    }
    RECT rcUpdate;
    EXPECT_FALSE(GetUpdateRect(wnd.m_hWnd, &rcUpdate, FALSE));

    CRect rcWindow;
    wnd.GetWindowRect(&rcWindow);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
    {
        CWindowDC dc(&wnd);
        ASSERT_NE(nullptr, dc.m_hDC);
        CRect rcClip;
        dc.GetClipBox(&rcClip);
        EXPECT_EQ(CRect(0, 0, rcWindow.Width(), rcWindow.Height()), rcClip) << "origin at the window's corner";
    }
    {
        CClientDC dc(&wnd);
        CRect rcClient, rcClip;
        wnd.GetClientRect(&rcClient);
        dc.GetClipBox(&rcClip);
        EXPECT_EQ(rcClient, rcClip);
    }
}

TEST(MenuTest, OwnershipAndHandleMap)
{
    HMENU hMenu = CreatePopupMenu();
    {
        CMenu menu;
        ASSERT_TRUE(menu.Attach(hMenu));
        EXPECT_EQ(&menu, CMenu::FromHandlePermanent(hMenu));
        EXPECT_EQ(&menu, CMenu::FromHandle(hMenu));
        CMenu other;
        EXPECT_FALSE(other.Attach(hMenu));
        EXPECT_EQ(hMenu, menu.Detach());
        EXPECT_EQ(nullptr, CMenu::FromHandlePermanent(hMenu));
        EXPECT_TRUE(IsMenu(hMenu)) << "detached, not destroyed";
        menu.Attach(hMenu);
    }
    EXPECT_FALSE(IsMenu(hMenu)) << "the owner destroyed it";

    CMenu first;
    first.CreatePopupMenu();
    HMENU hFirst = first;
    CMenu second(std::move(first));
    EXPECT_EQ(hFirst, second.m_hMenu);
    EXPECT_EQ(&second, CMenu::FromHandlePermanent(hFirst));
    EXPECT_TRUE(second.DestroyMenu());
    EXPECT_FALSE(IsMenu(hFirst));
}

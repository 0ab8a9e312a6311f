// Who deletes a GDI object or a DC: owners do, borrowers (stock objects, system colour brushes, paint
// and window DCs) and temporary wrappers never do; Create… on a wrapper that holds an object replaces
// it; and a thousand create/select/destroy cycles of every wrapper leave the object count flat.
#include "platform/mfc/AfxState.h"
#include "platform/mfc/CDC.h"
#include "platform/mfc/CWnd.h"
#include "platform/mfc/HandleMap.h"

#include "tests/support/GdiLeakCheck.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <utility>

namespace {

// Counts this program's calls of DeleteObject and DeleteDC per handle while it lives, by pointing
// the program's import slots for them at counters that call on to the real functions.
class CGdiDeleteSpy {
public:
    CGdiDeleteSpy()
    {
        s_pSpy = this;
        m_pObjectSlot = ImportSlot("DeleteObject");
        m_pDcSlot = ImportSlot("DeleteDC");
        if (m_pObjectSlot && m_pDcSlot) {
            s_pfnDeleteObject = reinterpret_cast<DeleteObjectFn>(Swap(m_pObjectSlot, reinterpret_cast<void*>(&CountDeleteObject)));
            s_pfnDeleteDC = reinterpret_cast<DeleteDcFn>(Swap(m_pDcSlot, reinterpret_cast<void*>(&CountDeleteDC)));
        }
    }
    ~CGdiDeleteSpy()
    {
        if (m_pObjectSlot && m_pDcSlot) {
            Swap(m_pObjectSlot, reinterpret_cast<void*>(s_pfnDeleteObject));
            Swap(m_pDcSlot, reinterpret_cast<void*>(s_pfnDeleteDC));
        }
        s_pSpy = nullptr;
    }
    CGdiDeleteSpy(const CGdiDeleteSpy&) = delete;
    CGdiDeleteSpy& operator=(const CGdiDeleteSpy&) = delete;

    bool Installed() const { return m_pObjectSlot && m_pDcSlot; }
    int Deletes(HGDIOBJ h) const
    {
        const auto it = m_calls.find(h);
        return it == m_calls.end() ? 0 : it->second;
    }

private:
    using DeleteObjectFn = BOOL(WINAPI*)(HGDIOBJ);
    using DeleteDcFn = BOOL(WINAPI*)(HDC);

    static BOOL WINAPI CountDeleteObject(HGDIOBJ h)
    {
        ++s_pSpy->m_calls[h];
        return s_pfnDeleteObject(h);
    }
    static BOOL WINAPI CountDeleteDC(HDC h)
    {
        ++s_pSpy->m_calls[h];
        return s_pfnDeleteDC(h);
    }

    // The import slot through which this program calls gdi32's function pszName.
    static void** ImportSlot(const char* pszName)
    {
        auto* pBase = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
        const auto* pNt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
            pBase + reinterpret_cast<const IMAGE_DOS_HEADER*>(pBase)->e_lfanew);
        const IMAGE_DATA_DIRECTORY& dir = pNt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        for (auto* pImport = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(pBase + dir.VirtualAddress);
             pImport->Name; ++pImport) {
            if (_stricmp(reinterpret_cast<const char*>(pBase + pImport->Name), "gdi32.dll") != 0)
                continue;
            auto* pNames = reinterpret_cast<const IMAGE_THUNK_DATA*>(pBase + pImport->OriginalFirstThunk);
            auto* pSlots = reinterpret_cast<IMAGE_THUNK_DATA*>(pBase + pImport->FirstThunk);
            for (; pNames->u1.AddressOfData; ++pNames, ++pSlots) {
                if (IMAGE_SNAP_BY_ORDINAL(pNames->u1.Ordinal))
                    continue;
                const auto* pByName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(pBase + pNames->u1.AddressOfData);
                if (std::strcmp(reinterpret_cast<const char*>(pByName->Name), pszName) == 0)
                    return reinterpret_cast<void**>(&pSlots->u1.Function);
            }
        }
        return nullptr;
    }

    static void* Swap(void** pSlot, void* pNew)
    {
        DWORD dwOld = 0;
        VirtualProtect(pSlot, sizeof(void*), PAGE_READWRITE, &dwOld);
        void* pOld = *pSlot;
        *pSlot = pNew;
        VirtualProtect(pSlot, sizeof(void*), dwOld, &dwOld);
        return pOld;
    }

    static inline CGdiDeleteSpy* s_pSpy = nullptr;
    static inline DeleteObjectFn s_pfnDeleteObject = nullptr;
    static inline DeleteDcFn s_pfnDeleteDC = nullptr;
    void** m_pObjectSlot = nullptr;
    void** m_pDcSlot = nullptr;
    std::map<HANDLE, int> m_calls;
};

bool Alive(HGDIOBJ h)
{
    return GetObjectType(h) != 0;
}

COLORREF PenColor(const CPen& pen)
{
    LOGPEN lp{};
    return pen.GetObject(sizeof(lp), &lp) == sizeof(lp) ? lp.lopnColor : CLR_INVALID;
}

}  // namespace

TEST(GdiOwnershipTest, StockObjectsAndSystemBrushesAreBorrowedNeverDeleted)
{
    CGdiDeleteSpy spy;
    ASSERT_TRUE(spy.Installed());
    const HGDIOBJ hStockPen = GetStockObject(BLACK_PEN);
    const HGDIOBJ hStockFont = GetStockObject(DEFAULT_GUI_FONT);
    const HGDIOBJ hSysBrush = GetSysColorBrush(COLOR_BTNFACE);
    {
        CPen first, second;
        EXPECT_TRUE(first.CreateStockObject(BLACK_PEN));
        EXPECT_TRUE(second.CreateStockObject(BLACK_PEN)) << "any number of wrappers may hold a stock object";
        EXPECT_EQ(hStockPen, first.m_hObject);
        EXPECT_EQ(hStockPen, second.m_hObject);
        CFont attached;
        EXPECT_TRUE(attached.Attach(hStockFont));
        CFont again;
        EXPECT_TRUE(again.Attach(hStockFont)) << "attaching a stock object borrows it as well";
        CBrush face, face2;
        EXPECT_TRUE(face.CreateSysColorBrush(COLOR_BTNFACE));
        EXPECT_TRUE(face2.CreateSysColorBrush(COLOR_BTNFACE));

        EXPECT_TRUE(first.DeleteObject()) << "a borrower lets go";
        EXPECT_EQ(nullptr, first.m_hObject);
        CPen moved(std::move(second));
        EXPECT_EQ(hStockPen, moved.m_hObject);
        EXPECT_EQ(hStockPen, CPen::FromHandle(static_cast<HPEN>(hStockPen))->m_hObject);
        // Replaced by an owned pen: the stock pen is let go, the new one is deleted with the wrapper.
        EXPECT_TRUE(moved.CreatePen(PS_SOLID, 1, RGB(1, 2, 3)));
        EXPECT_NE(hStockPen, moved.m_hObject);
    }
    EXPECT_EQ(0, spy.Deletes(hStockPen));
    EXPECT_EQ(0, spy.Deletes(hStockFont));
    EXPECT_EQ(0, spy.Deletes(hSysBrush));
    EXPECT_EQ(nullptr, CGdiObject::FromHandlePermanent(hStockPen));
    EXPECT_TRUE(Alive(hStockPen));
    AfxDeleteTempMaps();
}

TEST(GdiOwnershipTest, TemporaryWrappersNeverDeleteAndDetachKeepsThemBound)
{
    CGdiDeleteSpy spy;
    ASSERT_TRUE(spy.Installed());
    HBITMAP hBitmap = CreateBitmap(6, 4, 1, 32, nullptr);
    ASSERT_NE(nullptr, hBitmap);
    CBitmap* pTemp = CBitmap::FromHandle(hBitmap);
    ASSERT_NE(nullptr, pTemp);
    // A new owner takes the handle from the temporary, as the bitmap store does.
    CBitmap owner;
    ASSERT_TRUE(owner.Attach(pTemp->Detach()));
    EXPECT_EQ(hBitmap, pTemp->m_hObject) << "the temporary still wraps its handle";
    CBitmap* pAgain = CBitmap::FromHandle(hBitmap);
    ASSERT_NE(nullptr, pAgain);
    EXPECT_EQ(hBitmap, pAgain->m_hObject) << "the map hands out a wrapper of the right handle";
    BITMAP bm{};
    EXPECT_EQ(static_cast<int>(sizeof(bm)), pAgain->GetBitmap(&bm));
    EXPECT_EQ(6, bm.bmWidth);

    // A temporary deletes nothing and takes nothing.
    HRGN hRgn = CreateRectRgn(0, 0, 4, 4);
    CRgn* pRgn = CRgn::FromHandle(hRgn);
    EXPECT_FALSE(pRgn->DeleteObject());
    EXPECT_EQ(hRgn, pRgn->m_hObject);
    EXPECT_FALSE(pRgn->CreateRectRgn(0, 0, 9, 9));
    HRGN hOther = CreateRectRgn(0, 0, 1, 1);
    EXPECT_FALSE(pRgn->Attach(hOther));
    DeleteObject(hOther);
    EXPECT_EQ(hRgn, CRgn::FromHandle(hRgn)->m_hObject);
    AfxDeleteTempMaps();
    EXPECT_EQ(0, spy.Deletes(hRgn));
    EXPECT_TRUE(Alive(hRgn));
    EXPECT_TRUE(Alive(hBitmap));
    DeleteObject(hRgn);

    // The same for device contexts.
    HDC hDC = CreateCompatibleDC(nullptr);
    CDC* pDC = CDC::FromHandle(hDC);
    EXPECT_FALSE(pDC->DeleteDC()) << "a temporary DC is not deleted";
    EXPECT_EQ(hDC, pDC->Detach());
    EXPECT_EQ(hDC, CDC::FromHandle(hDC)->m_hDC);
    EXPECT_FALSE(pDC->CreateCompatibleDC(nullptr));
    AfxDeleteTempMaps();
    EXPECT_EQ(0, spy.Deletes(hDC));
    EXPECT_TRUE(Alive(hDC));
    DeleteDC(hDC);
}

TEST(GdiOwnershipTest, CreateOnAWrapperThatHoldsAnObjectReplacesIt)
{
    CGdiDeleteSpy spy;
    ASSERT_TRUE(spy.Installed());
    CPen pen(PS_SOLID, 1, RGB(255, 0, 0));
    const HGDIOBJ hRed = pen.m_hObject;
    EXPECT_TRUE(pen.CreatePen(PS_SOLID, 1, RGB(0, 0, 255)));
    EXPECT_EQ(RGB(0, 0, 255), PenColor(pen)) << "the wrapper holds the new pen";
    EXPECT_EQ(1, spy.Deletes(hRed)) << "and deleted the old one";
    EXPECT_EQ(&pen, CGdiObject::FromHandlePermanent(pen.m_hObject));
    EXPECT_EQ(nullptr, CGdiObject::FromHandlePermanent(hRed));

    // A failed Create… keeps what the wrapper held.
    CRgn rgn;
    ASSERT_TRUE(rgn.CreateRectRgn(0, 0, 5, 5));
    const HGDIOBJ hFirst = rgn.m_hObject;
    EXPECT_FALSE(rgn.CreateRectRgnIndirect(nullptr));
    EXPECT_EQ(hFirst, rgn.m_hObject);
    EXPECT_TRUE(rgn.CreateEllipticRgn(0, 0, 8, 8));
    EXPECT_EQ(1, spy.Deletes(hFirst));

    CBrush brush(RGB(1, 1, 1));
    const HGDIOBJ hBrush = brush.m_hObject;
    EXPECT_TRUE(brush.CreateSolidBrush(RGB(2, 2, 2)));
    EXPECT_EQ(1, spy.Deletes(hBrush));

    LOGFONTW lf{};
    lf.lfHeight = -12;
    lstrcpynW(lf.lfFaceName, L"Arial", LF_FACESIZE);
    CFont font;
    ASSERT_TRUE(font.CreateFontIndirect(&lf));
    const HGDIOBJ hFont = font.m_hObject;
    lf.lfHeight = -20;
    EXPECT_TRUE(font.CreateFontIndirect(&lf));
    EXPECT_EQ(1, spy.Deletes(hFont));

    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(2, 2, 1, 32, nullptr));
    const HGDIOBJ hSmall = bitmap.m_hObject;
    EXPECT_TRUE(bitmap.CreateBitmap(3, 3, 1, 32, nullptr));
    EXPECT_EQ(1, spy.Deletes(hSmall));
    BITMAP bm{};
    bitmap.GetBitmap(&bm);
    EXPECT_EQ(3, bm.bmWidth);

    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    const HDC hOldDC = dc.m_hDC;
    EXPECT_TRUE(dc.CreateCompatibleDC(nullptr));
    EXPECT_NE(hOldDC, dc.m_hDC);
    EXPECT_EQ(1, spy.Deletes(hOldDC));
    EXPECT_EQ(&dc, CDC::FromHandle(dc.m_hDC));
}

TEST(GdiOwnershipTest, BorrowedDcsAreEndedOnlyByTheirObjects)
{
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, L"dc", WS_POPUP, 0, 0, 60, 40, nullptr, nullptr));
    CGdiDeleteSpy spy;
    ASSERT_TRUE(spy.Installed());
    HDC hClient = nullptr;
    {
        CClientDC dc(&wnd);
        hClient = dc.m_hDC;
        ASSERT_NE(nullptr, hClient);
        EXPECT_FALSE(dc.DeleteDC()) << "a window's DC is released, never deleted";
        EXPECT_FALSE(dc.CreateCompatibleDC(nullptr));
        EXPECT_EQ(hClient, dc.m_hDC);
        EXPECT_EQ(&dc, CDC::FromHandle(hClient));
    }
    EXPECT_EQ(0, spy.Deletes(hClient));
    {
        wnd.Invalidate();
        CPaintDC dc(&wnd);
        EXPECT_FALSE(dc.DeleteDC());
        EXPECT_EQ(0, spy.Deletes(dc.m_hDC));
    }
    AfxDeleteTempMaps();
}

TEST(GdiOwnershipTest, SelectGuardRestoresWhatItSelectedAndNothingElse)
{
    CDC first, second;
    ASSERT_TRUE(first.CreateCompatibleDC(nullptr));
    ASSERT_TRUE(second.CreateCompatibleDC(nullptr));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(4, 4, 1, 32, nullptr));
    const HGDIOBJ hDefault = GetCurrentObject(second, OBJ_BITMAP);
    {
        CSelectGuard inFirst(first, bitmap);
        EXPECT_TRUE(inFirst.ok());
        CSelectGuard inSecond(second, bitmap);
        EXPECT_FALSE(inSecond.ok()) << "a bitmap is selected into one DC at a time";
        EXPECT_EQ(hDefault, GetCurrentObject(second, OBJ_BITMAP));
    }
    EXPECT_NE(bitmap.m_hObject, GetCurrentObject(first, OBJ_BITMAP)) << "deselected at the end of the scope";

    // A region is copied into the clip region, not selected: the guard leaves it alone.
    CRgn rgn;
    ASSERT_TRUE(rgn.CreateRectRgn(0, 0, 2, 2));
    {
        CSelectGuard clip(first, rgn);
        EXPECT_FALSE(clip.ok());
    }
    HRGN hClip = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(0, GetClipRgn(first, hClip)) << "no clip region was set";
    DeleteObject(hClip);

    CSelectGuard none(nullptr, bitmap);
    EXPECT_FALSE(none.ok());
}

namespace {

// Wrappers of made-up handles whose kind a test changes at will, as a reused handle value would.
struct CFakeWrapper : CObject {
    int nKind = 0;
};
struct CFakePen : CFakeWrapper {};

std::map<HANDLE, int> g_fakeKinds;
int g_nFakesDestroyed = 0;

CFakeWrapper* MakeFake(HANDLE h)
{
    CFakeWrapper* p = g_fakeKinds[h] == 1 ? new CFakePen : new CFakeWrapper;
    p->nKind = g_fakeKinds[h];
    return p;
}

void DestroyFake(CFakeWrapper* p)
{
    ++g_nFakesDestroyed;
    delete p;
}

bool FakeFits(const CFakeWrapper* p, HANDLE h)
{
    return p->nKind == g_fakeKinds[h];
}

}  // namespace

TEST(HandleMapTest, OneLookupServesEveryWrapperTypeAndReusedHandlesGetFreshWrappers)
{
    g_fakeKinds.clear();
    g_nFakesDestroyed = 0;
    CHandleMap<CFakeWrapper, HANDLE> map(MakeFake, DestroyFake, FakeFits);
    const auto h = reinterpret_cast<HANDLE>(0x40);
    g_fakeKinds[h] = 1;
    CFakePen* pPen = map.FromHandle<CFakePen>(h, false);
    ASSERT_NE(nullptr, pPen);
    EXPECT_EQ(pPen, map.FromHandle(h, false)) << "one temporary per handle, whatever type is asked for";

    g_fakeKinds[h] = 2;  // the handle value now names another kind of object
    EXPECT_EQ(nullptr, map.FromHandle<CFakePen>(h, false));
    CFakeWrapper* pFresh = map.FromHandle(h, false);
    ASSERT_NE(nullptr, pFresh);
    EXPECT_EQ(2, pFresh->nKind);
    EXPECT_EQ(0, g_nFakesDestroyed) << "the earlier wrapper stays valid until the temporaries go";
    EXPECT_EQ(1, pPen->nKind);

    // An owner of another type: asked for a pen, the map makes a temporary pen beside it.
    const auto hOwned = reinterpret_cast<HANDLE>(0x80);
    g_fakeKinds[hOwned] = 1;
    CFakeWrapper owner;
    ASSERT_TRUE(map.SetPermanent(hOwned, &owner));
    EXPECT_EQ(&owner, map.FromHandle(hOwned, false));
    CFakePen* pBeside = map.FromHandle<CFakePen>(hOwned, false);
    ASSERT_NE(nullptr, pBeside);
    EXPECT_NE(static_cast<CFakeWrapper*>(pBeside), &owner);
    EXPECT_EQ(3u, map.TemporaryCount());

    map.DeleteTemporaries(false);
    EXPECT_EQ(3, g_nFakesDestroyed);
    EXPECT_EQ(0u, map.TemporaryCount());
    EXPECT_EQ(&owner, map.LookupPermanent(hOwned));
    map.RemovePermanent(hOwned, &owner);
}

namespace {

// One cycle of every wrapper: made, made again in place, selected (by guard and by CDC), drawn with,
// looked up through temporaries, and destroyed.
void CycleEveryWrapper(CWnd& wnd)
{
    CClientDC screen(&wnd);
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    dc.CreateCompatibleDC(&screen);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(screen, 16, 16);
    bitmap.CreateBitmap(16, 16, 1, 32, nullptr);
    CPen pen(PS_SOLID, 1, RGB(10, 20, 30));
    pen.CreatePen(PS_DASH, 1, RGB(30, 20, 10));
    CPen stockPen;
    stockPen.CreateStockObject(WHITE_PEN);
    CBrush brush(RGB(1, 2, 3));
    brush.CreateSolidBrush(RGB(3, 2, 1));
    CBrush sysBrush;
    sysBrush.CreateSysColorBrush(COLOR_WINDOW);
    LOGFONTW lf{};
    lf.lfHeight = -11;
    lstrcpynW(lf.lfFaceName, L"Arial", LF_FACESIZE);
    CFont font;
    font.CreateFontIndirect(&lf);
    font.CreateFontIndirect(&lf);
    CRgn rgn;
    rgn.CreateRectRgn(0, 0, 8, 8);
    rgn.CreateEllipticRgn(0, 0, 12, 12);
    {
        CSelectGuard selectBitmap(dc, bitmap);
        CSelectGuard selectPen(dc, pen);
        CSelectGuard selectBrush(dc, brush);
        CSelectGuard selectFont(dc, font);
        Rectangle(dc, 0, 0, 10, 10);
        dc.TextOut(0, 0, L"x", 1);
        CPen* pOldPen = dc.SelectObject(&stockPen);
        dc.LineTo(5, 5);
        dc.SelectObject(pOldPen);
        dc.FillRgn(&rgn, &sysBrush);
        if (CGdiObject* pOld = dc.SelectStockObject(BLACK_BRUSH))
            dc.SelectObject(CBrush::FromHandle(static_cast<HBRUSH>(pOld->m_hObject)));
    }
    // The DC's default bitmap belongs to nobody: its wrapper is a temporary, which Detach leaves bound.
    const auto hDefault = static_cast<HBITMAP>(GetCurrentObject(dc, OBJ_BITMAP));
    if (CBitmap* pDefault = CBitmap::FromHandle(hDefault))
        pDefault->Detach();
    HDC hLoose = CreateCompatibleDC(nullptr);  // a DC that no object owns: its wrapper is a temporary
    if (CDC* pLoose = CDC::FromHandle(hLoose)) {
        CFont* pOldFont = pLoose->SelectObject(&font);
        pLoose->SelectObject(pOldFont);
        pLoose->DeleteDC();  // refused: not the temporary's to delete
    }
    DeleteDC(hLoose);
    CFont* pFont = screen.SelectObject(&font);
    screen.SelectObject(pFont);
    CBitmap moved(std::move(bitmap));
    AfxDeleteTempMaps();
}

}  // namespace

TEST(GdiOwnershipTest, ObjectCountStaysFlatOverAThousandCyclesOfEveryWrapper)
{
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, L"gdi", WS_POPUP, 0, 0, 60, 40, nullptr, nullptr));
    auto cycle = [&wnd] { CycleEveryWrapper(wnd); };
    for (int i = 0; i < 10; ++i)
        cycle();  // fonts and caches the system makes on first use
    EXPECT_GDI_OBJECTS_FLAT(1000, cycle);
}

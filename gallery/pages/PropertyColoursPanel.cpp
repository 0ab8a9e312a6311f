#include "gallery/pages/PropertyColoursPanel.h"

#include "platform/mfc/CPropExchange.h"
#include "toolkit/controls/ControlText.h"
#include "toolkit/controls/ToolkitFont.h"

namespace {

constexpr COLORREF kPanelBack = RGB(235, 238, 243);
constexpr COLORREF kLabel = RGB(21, 59, 99);
constexpr int kGap = 12;
constexpr int kSwatchHeight = 44;
constexpr int kLabelHeight = 28;
const CVellColorList kPalette = {RGB(230, 140, 40), RGB(40, 160, 150), RGB(140, 80, 190)};
const CVellColorList kTable = {RGB(21, 59, 99), RGB(146, 160, 185), RGB(155, 158, 165)};

// Saves the control's properties to a file and loads them into another control: the picture shows
// what a property file carries.
void CopyThroughPropertyFile(CVellControl& from, CVellControl& to)
{
    wchar_t szDir[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, szDir);
    const CString strPath = CString(szDir) + L"VellGallery-properties.lpb";
    CPropertyBag saved;
    CPropExchange save(saved, FALSE);
    from.ExchangeProperties(&save);
    if (saved.SaveToFile(strPath)) {
        CPropertyBag loaded;
        if (loaded.LoadFromFile(strPath) == CPropertyBag::LoadResult::ok) {
            CPropExchange load(loaded, TRUE);
            to.ExchangeProperties(&load);
        }
        ::DeleteFileW(strPath);
    }
}

}  // namespace

BEGIN_MESSAGE_MAP(CVellSwatchControl, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

BOOL CVellSwatchControl::Create(UINT nID, const RECT* pRect, CWnd* pParent)
{
    return pRect && CWnd::Create(nullptr, L"", WS_CHILD | WS_VISIBLE, *pRect, pParent, nID);
}

void CVellSwatchControl::Paint(HDC hDC)
{
    CSaveDCGuard saved(hDC);
    CRect rc;
    GetClientRect(&rc);
    CDC* pDC = CDC::FromHandle(hDC);
    pDC->FillSolidRect(&rc, GetColor(kEffectiveBack));
    // The first three colours of the palette (or table) in use, as a strip on the right; each cell
    // framed in the foreground colour, so a cell in the background colour still shows.
    for (int i = 0; i < 3; ++i) {
        const int x = rc.right - 3 * 14 - 6 + i * 14;
        pDC->FillSolidRect(x - 1, rc.top + 5, 14, rc.Height() - 10, GetColor(kEffectiveFore));
        pDC->FillSolidRect(x, rc.top + 6, 12, rc.Height() - 12, GetColor(i));
    }
    CRect rcText(rc.left + 8, rc.top, rc.right - 3 * 14 - 12, rc.bottom);
    LOGFONTW lf{};
    GetFont(&lf);
    CFont font;
    font.CreateFontIndirect(&lf);
    CSelectGuard select(hDC, font.GetSafeHandle());
    ::SetBkMode(hDC, TRANSPARENT);
    ::SetTextColor(hDC, GetColor(kEffectiveFore));
    DrawControlText(GetTextRef(), pDC, rcText, 0, 1, GetSingleLine(), TRUE, GetEnabled(), GetColor(kEffectiveBack));
}

void CVellSwatchControl::OnPaint()
{
    CPaintDC dc(this);
    Paint(dc);
}

BOOL CVellSwatchControl::OnEraseBkgnd(CDC*)
{
    return TRUE;  // Paint covers every pixel
}

LRESULT CVellSwatchControl::OnPrintClient(WPARAM wParam, LPARAM)
{
    if (HDC hDC = reinterpret_cast<HDC>(wParam))
        Paint(hDC);
    return 0;
}

BEGIN_MESSAGE_MAP(CPropertyColoursPanel, CWnd)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

BOOL CPropertyColoursPanel::Create(CWnd* pParent, const CRect& rc)
{
    return CWnd::Create(nullptr, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rc, pParent, 0xFFFF);
}

CVellSwatchControl& CPropertyColoursPanel::Add(const wchar_t* pszLabel, const wchar_t* pszCaption)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    const int nIndex = static_cast<int>(m_swatches.size());
    const int nWidth = (rcClient.Width() - 3 * kGap) / 2;
    const int x = kGap + (nIndex % 2) * (nWidth + kGap);
    const int y = kGap + (nIndex / 2) * (kSwatchHeight + kLabelHeight + kGap / 2);
    auto pSwatch = std::make_unique<CVellSwatchControl>();
    pSwatch->SetColorTable(kTable);
    pSwatch->SetText(pszCaption);
    const CRect rc(x, y, x + nWidth, y + kSwatchHeight);
    pSwatch->Create(static_cast<UINT>(100 + nIndex), &rc, this);
    m_swatches.push_back(std::move(pSwatch));
    m_labels.push_back(pszLabel);
    return *m_swatches.back();
}

int CPropertyColoursPanel::OnCreate(LPCREATESTRUCTW pCreateStruct)
{
    if (CWnd::OnCreate(pCreateStruct) == -1)
        return -1;
    Add(L"Initial properties: ambient colours and font, colour table", L"Ambient");

    CVellSwatchControl& own = Add(L"UseAmbientBack/ForeColor off: BackColor, ForeColor", L"Own colours");
    own.SetUseAmbientBackColor(FALSE);
    own.SetUseAmbientForeColor(FALSE);

    CVellSwatchControl& navy = Add(L"Own colours and font (SetFontSize 16, bold)", L"Navy, white");
    navy.SetUseAmbientBackColor(FALSE);
    navy.SetUseAmbientForeColor(FALSE);
    navy.SetBackColor(RGB(21, 59, 99));
    navy.SetForeColor(RGB(255, 255, 255));
    navy.SetUseAmbientFont(FALSE);
    navy.SetFontSize(16, FW_BOLD);

    CVellSwatchControl& loaded =
        Add(L"The navy one saved to a property file, loaded here (fonts are not persisted)", L"");
    CopyThroughPropertyFile(navy, loaded);

    CVellSwatchControl& palette = Add(L"UsePalette on: the active palette", L"Active palette");
    palette.SetPalette(CVellControl::kActivePalette, kPalette);
    palette.SetUsePalette(TRUE);

    CVellSwatchControl& disabled = Add(L"Disabled: palette built from the active one, embossed", L"Disabled");
    disabled.SetPalette(CVellControl::kActivePalette, kPalette);
    disabled.SetUsePalette(TRUE);
    disabled.SetEnabled(FALSE);

    CVellSwatchControl& inactive = Add(L"Inactive with its own palette", L"Inactive palette");
    inactive.SetPalette(CVellControl::kActivePalette, kPalette);
    inactive.SetPalette(CVellControl::kInactivePalette, {RGB(200, 200, 200), RGB(170, 170, 170), RGB(120, 120, 120)});
    inactive.SetBuildInactiveFromActivePalette(FALSE);
    inactive.SetUsePalette(TRUE);
    inactive.SetInactive(TRUE);

    CVellSwatchControl& noPalette = Add(L"UsePalette loaded without a palette: the colour table", L"No palette");
    noPalette.SetUsePalette(TRUE);
    return 0;
}

void CPropertyColoursPanel::OnPaint()
{
    CPaintDC dc(this);
    Paint(dc);
}

LRESULT CPropertyColoursPanel::OnPrintClient(WPARAM wParam, LPARAM)
{
    if (HDC hDC = reinterpret_cast<HDC>(wParam))
        Paint(hDC);
    return 0;
}

void CPropertyColoursPanel::Paint(HDC hDC)
{
    CSaveDCGuard saved(hDC);
    CRect rcClient;
    GetClientRect(&rcClient);
    CDC::FromHandle(hDC)->FillSolidRect(&rcClient, kPanelBack);
    const LOGFONTW lf = MakeLogFont(-11, FW_NORMAL);
    CFont font;
    font.CreateFontIndirect(&lf);
    CSelectGuard select(hDC, font.GetSafeHandle());
    ::SetBkMode(hDC, TRANSPARENT);
    ::SetTextColor(hDC, kLabel);
    for (size_t i = 0; i < m_swatches.size(); ++i) {
        CRect rc;
        ::GetWindowRect(m_swatches[i]->m_hWnd, &rc);
        ScreenToClient(&rc);
        CRect rcLabel(rc.left, rc.bottom + 2, rc.right, rc.bottom + kLabelHeight);
        DrawControlText(m_labels[i], CDC::FromHandle(hDC), rcLabel, 0, 0, FALSE, TRUE, TRUE, 0);
    }
}

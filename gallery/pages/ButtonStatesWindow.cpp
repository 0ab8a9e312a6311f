#include "gallery/pages/ButtonStatesWindow.h"

#include "resources/ButtonSampleIds.h"
#include "resources/ResourceIds.h"
#include "toolkit/controls/ToolkitFont.h"

namespace {

constexpr COLORREF kPageBack = RGB(161, 177, 204);
constexpr int kLabelWidth = 150;
constexpr int kColumnWidth = 104;
constexpr int kHeaderHeight = 34;
constexpr int kRowHeight = 58;

enum Column { Normal, Hot, Pressed, Checked, Indeterminate, Disabled, DisabledChecked, Focused, ColumnCount };
enum Row { CheckBox, Shaped, Toggle, TextButton, RowCount };

const wchar_t* const kColumnNames[ColumnCount] = {L"normal", L"hot", L"pressed", L"checked", L"indeterminate",
                                                  L"disabled", L"disabled and checked", L"focused"};
const wchar_t* const kRowNames[RowCount] = {L"Check box 709-712", L"Shaped, style 0", L"Toggle, style 1",
                                            L"CVellButton, frame"};

bool IsCheckRow(int nRow)
{
    return nRow == CheckBox || nRow == Toggle;
}

// Holds a made button in the look of its column.
template <class T>
void ShowLook(CVellBitmapButton* p, int nColumn)
{
    auto* pShow = static_cast<CShowcaseButton<T>*>(p);
    if (nColumn == Hot)
        pShow->ShowHover(TRUE);
    else if (nColumn == Pressed)
        pShow->ShowPressed();
    else if (nColumn == Focused)
        pShow->ShowFocus();
}

}  // namespace

BEGIN_MESSAGE_MAP(CButtonStatesWindow, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CButtonStatesWindow::~CButtonStatesWindow()
{
    m_buttons.clear();
    if (m_hWnd)
        DestroyWindow();
}

BOOL CButtonStatesWindow::Open(int x, int y)
{
    const int cx = kLabelWidth + ColumnCount * kColumnWidth + 10;
    const int cy = kHeaderHeight + RowCount * kRowHeight + 10;
    RECT rc{0, 0, cx, cy};
    ::AdjustWindowRectEx(&rc, WS_POPUP | WS_CAPTION, FALSE, WS_EX_TOOLWINDOW);
    if (!CreateEx(WS_EX_TOOLWINDOW, nullptr, L"Bitmap buttons: every state", WS_POPUP | WS_CAPTION, x, y,
                  rc.right - rc.left, rc.bottom - rc.top, nullptr, nullptr))
        return FALSE;
    for (int nRow = 0; nRow < RowCount; ++nRow)
        AddRow(nRow);
    ShowWindow(SW_SHOWNOACTIVATE);
    UpdateWindow();
    return TRUE;
}

CVellBitmapButton* CButtonStatesWindow::MakeButton(int nRow)
{
    if (nRow == TextButton) {
        auto p = std::make_unique<CShowcaseButton<CVellButton>>();
        m_buttons.push_back(std::move(p));
        return m_buttons.back().get();
    }
    auto p = std::make_unique<CShowcaseButton<CVellBitmapButton>>();
    p->SetUseDrawFrame(FALSE);
    p->SetBackColor(kPageBack);
    p->SetUseAmbientBackColor(FALSE);
    p->SetForeColor(RGB(0, 0, 0));
    p->SetUseAmbientForeColor(FALSE);
    p->SetUseFocus(1);
    switch (nRow) {
    case CheckBox:
        // As the module list sets its check box up.
        p->SetButtonStyle(CVellBitmapButton::StyleCheckBox);
        p->SetUseAmbientFont(FALSE);
        p->SetFontSize(16, 700);
        p->SetPictureUp(IDB_CHECK_CLEARED);
        p->SetPictureDown(IDB_CHECK_CHECKED);
        p->SetPictureSelected(IDB_CHECK_CHECKED);
        p->SetPictureDisabled(IDB_CHECK_DISABLED);
        p->SetPictureDisabledAndSelected(IDB_CHECK_DISABLED_CHECKED);
        p->SetPictureIntermediate(IDB_SAMPLE_CHECK_INTERMEDIATE);  // the module list has none
        p->SetText(L"Check");
        break;
    case Shaped:
        p->SetPictureUp(IDB_SAMPLE_ROUND_UP);
        p->SetPictureDown(IDB_SAMPLE_ROUND_DOWN);
        p->SetPictureRollover(IDB_SAMPLE_ROUND_ROLLOVER);
        p->SetPictureDisabled(IDB_SAMPLE_ROUND_DISABLED);
        break;
    case Toggle:
        p->SetButtonStyle(CVellBitmapButton::StyleCheck);
        p->SetPictureUp(IDB_SAMPLE_TOGGLE_UP);
        p->SetPictureSelected(IDB_SAMPLE_TOGGLE_SELECTED);
        p->SetPictureDown(IDB_SAMPLE_TOGGLE_DOWN);
        p->SetPictureDisabled(IDB_SAMPLE_TOGGLE_DISABLED);
        p->SetPictureDisabledAndSelected(IDB_SAMPLE_TOGGLE_DISABLED_SELECTED);
        p->SetPictureIntermediate(IDB_SAMPLE_TOGGLE_INTERMEDIATE);
        p->SetText(L"Toggle");
        break;
    default:
        break;
    }
    m_buttons.push_back(std::move(p));
    return m_buttons.back().get();
}

void CButtonStatesWindow::Place(CVellBitmapButton& button, int nRow, int nColumn, SIZE size)
{
    const int x = kLabelWidth + nColumn * kColumnWidth + (kColumnWidth - size.cx) / 2;
    const int y = kHeaderHeight + nRow * kRowHeight + (kRowHeight - size.cy) / 2;
    const RECT rc{x, y, x + size.cx, y + size.cy};
    button.Create(static_cast<UINT>(100 + nRow * ColumnCount + nColumn), &rc, this);
}

void CButtonStatesWindow::AddRow(int nRow)
{
    static const SIZE kSizes[RowCount] = {{92, 22}, {40, 40}, {96, 28}, {86, 28}};
    for (int nColumn = 0; nColumn < ColumnCount; ++nColumn) {
        if (!IsCheckRow(nRow) && (nColumn == Checked || nColumn == Indeterminate || nColumn == DisabledChecked))
            continue;  // a push button has no check state
        CVellBitmapButton* p = MakeButton(nRow);
        if (nColumn == Checked || nColumn == DisabledChecked)
            p->SetCheck(1);
        else if (nColumn == Indeterminate)
            p->SetCheck(2);
        if (nColumn == Disabled || nColumn == DisabledChecked)
            p->SetEnabled(FALSE);
        Place(*p, nRow, nColumn, kSizes[nRow]);
        if (nRow == TextButton)
            p->SetText(L"OK");
        // The text button draws no focus cue: its focused cell looks like the normal one.
        if (nRow == TextButton && nColumn != Focused)
            ShowLook<CVellButton>(p, nColumn);
        else if (nRow != TextButton)
            ShowLook<CVellBitmapButton>(p, nColumn);
        p->Redraw();
    }
}

BOOL CButtonStatesWindow::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CButtonStatesWindow::OnPaint()
{
    PAINTSTRUCT ps;
    HDC hdc = ::BeginPaint(m_hWnd, &ps);
    RECT rcClient;
    ::GetClientRect(m_hWnd, &rcClient);
    CDC::FromHandle(hdc)->FillSolidRect(&rcClient, kPageBack);
    const LOGFONTW lf = MakeLogFont(-12, 700);
    CFont font;
    font.CreateFontIndirect(&lf);
    {
        CSelectGuard selFont(hdc, font.GetSafeHandle());
        const int nOldMode = ::SetBkMode(hdc, TRANSPARENT);
        const COLORREF clrOld = ::SetTextColor(hdc, RGB(21, 59, 99));
        for (int c = 0; c < ColumnCount; ++c) {
            RECT rc{kLabelWidth + c * kColumnWidth, 4, kLabelWidth + (c + 1) * kColumnWidth, kHeaderHeight};
            ::DrawTextW(hdc, kColumnNames[c], -1, &rc, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
        }
        for (int r = 0; r < RowCount; ++r) {
            RECT rc{10, kHeaderHeight + r * kRowHeight, kLabelWidth, kHeaderHeight + (r + 1) * kRowHeight};
            ::DrawTextW(hdc, kRowNames[r], -1, &rc, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        }
        ::SetTextColor(hdc, clrOld);
        ::SetBkMode(hdc, nOldMode);
    }
    ::EndPaint(m_hWnd, &ps);
}

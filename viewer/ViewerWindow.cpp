#include "viewer/ViewerWindow.h"

#include "viewer/StringIds.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

namespace tavisk {

namespace {

constexpr wchar_t kClassName[] = L"TaviskViewerWindow";
constexpr UINT_PTR kCloseTimerId = 1;
constexpr COLORREF kHeadingColor = RGB(21, 59, 99);
constexpr int kDumpColumns = 76;  // offset, 16 bytes in two groups, 16 characters
constexpr int kDumpLines = 16;

enum ControlId : int {
    IDC_HEADING = 100,
    IDC_LABEL_FIRST = 110,
    IDC_VALUE_FIRST = 120,
    IDC_PREVIEW_LABEL = 130,
    IDC_PREVIEW_BOX,
    IDC_PREVIEW_NOTE,
    IDC_FILES_LABEL,
    IDC_FILE_LIST,
};

SIZE TextExtent(HWND hwnd, HFONT font, const std::wstring& text)
{
    SIZE size{};
    HDC hdc = ::GetDC(hwnd);
    {
        SelectGuard select(hdc, font);
        ::GetTextExtentPoint32W(hdc, text.c_str(), static_cast<int>(text.size()), &size);
    }
    ::ReleaseDC(hwnd, hdc);
    return size;
}

TEXTMETRICW MetricsOf(HWND hwnd, HFONT font)
{
    TEXTMETRICW tm{};
    HDC hdc = ::GetDC(hwnd);
    {
        SelectGuard select(hdc, font);
        ::GetTextMetricsW(hdc, &tm);
    }
    ::ReleaseDC(hwnd, hdc);
    return tm;
}

void Place(HWND hwnd, int x, int y, int width, int height)
{
    ::SetWindowPos(hwnd, nullptr, x, y, std::max(width, 0), std::max(height, 0), SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

ViewerWindow::ViewerWindow(const ViewerModel& model) : m_model(model) {}

ViewerWindow::~ViewerWindow()
{
    if (m_hwnd)
        ::DestroyWindow(m_hwnd);
}

bool ViewerWindow::Create(HINSTANCE instance, int showCommand)
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);

    m_bigIcon = CreateAppIcon(::GetSystemMetrics(SM_CXICON));
    m_smallIcon = CreateAppIcon(::GetSystemMetrics(SM_CXSMICON));

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hIcon = m_bigIcon.Get();
    wc.hIconSm = m_smallIcon.Get();
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    ::RegisterClassExW(&wc);

    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_CONTROLPARENT;
    ::CreateWindowExW(exStyle, kClassName, m_model.WindowTitle().c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, this);
    if (!m_hwnd)
        return false;

    // Size from the fonts, centred on the work area of the monitor the window landed on.
    const SIZE client = InitialClientSize();
    RECT frame{0, 0, client.cx, client.cy};
    ::AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromWindow(m_hwnd, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    const int width = std::min<int>(frame.right - frame.left, work.right - work.left);
    const int height = std::min<int>(frame.bottom - frame.top, work.bottom - work.top);
    ::SetWindowPos(m_hwnd, nullptr, work.left + (work.right - work.left - width) / 2,
                   work.top + (work.bottom - work.top - height) / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);

    ::ShowWindow(m_hwnd, showCommand);
    ::UpdateWindow(m_hwnd);
    ::SetFocus(m_closeButton);
    return true;
}

void ViewerWindow::CloseAfter(UINT milliseconds)
{
    if (m_hwnd)
        m_closeTimer = ::SetTimer(m_hwnd, kCloseTimerId, milliseconds, nullptr);
}

bool ViewerWindow::PreTranslateMessage(MSG& msg)
{
    if (!m_hwnd || (msg.hwnd != m_hwnd && !::IsChild(m_hwnd, msg.hwnd)))
        return false;
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
        ::SendMessageW(m_hwnd, WM_CLOSE, 0, 0);
        return true;
    }
    return ::IsDialogMessageW(m_hwnd, &msg) != FALSE;
}

LRESULT CALLBACK ViewerWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    ViewerWindow* self = nullptr;
    if (message == WM_NCCREATE) {
        self = static_cast<ViewerWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->m_hwnd = hwnd;
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<ViewerWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (!self)
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->m_hwnd = nullptr;
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return self->HandleMessage(message, wParam, lParam);
}

LRESULT ViewerWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        OnCreate();
        return 0;
    case WM_SIZE:
        Layout(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize = {Scale(440), Scale(420)};
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;  // WM_PAINT fills everything
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC hdc = ::BeginPaint(m_hwnd, &ps);
        Paint(hdc);
        ::EndPaint(m_hwnd, &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_CTLCOLORSTATIC: {
        HDC hdc = reinterpret_cast<HDC>(wParam);
        const HWND control = reinterpret_cast<HWND>(lParam);
        ::SetBkColor(hdc, ::GetSysColor(COLOR_WINDOW));
        COLORREF color = ::GetSysColor(COLOR_WINDOWTEXT);
        if (control == m_heading)
            color = kHeadingColor;
        else if (control == m_previewNote || std::find(std::begin(m_labels), std::end(m_labels), control) !=
                                                 std::end(m_labels))
            color = ::GetSysColor(COLOR_GRAYTEXT);
        ::SetTextColor(hdc, color);
        return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_WINDOW));
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            ::SendMessageW(m_hwnd, WM_CLOSE, 0, 0);
            return 0;
        }
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            m_lastFocus = ::GetFocus();
        } else {
            ::SetFocus(m_lastFocus && ::IsChild(m_hwnd, m_lastFocus) ? m_lastFocus : m_closeButton);
            return 0;
        }
        break;
    case WM_TIMER:
        if (wParam == kCloseTimerId) {
            ::KillTimer(m_hwnd, kCloseTimerId);
            ::DestroyWindow(m_hwnd);
            return 0;
        }
        break;
    case WM_DESTROY:
        if (m_closeTimer)
            ::KillTimer(m_hwnd, kCloseTimerId);
        ::PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return ::DefWindowProcW(m_hwnd, message, wParam, lParam);
}

void ViewerWindow::OnCreate()
{
    HDC hdc = ::GetDC(m_hwnd);
    m_dpi = ::GetDeviceCaps(hdc, LOGPIXELSY);
    std::wstring sample;
    for (unsigned id = IDS_FIRST_TEXT; id <= IDS_LAST_TEXT; ++id)
        sample += m_model.strings.Get(id);
    sample += m_model.strings.Get(IDS_LANGUAGE_NAME);
    m_fonts = UiFonts::Create(hdc, m_model.strings.Get(IDS_UI_FONT), sample);
    ::ReleaseDC(m_hwnd, hdc);
    CreateChildren();
    MeasureMetrics();
    FillFileList();
}

HWND ViewerWindow::AddChild(const wchar_t* className, const std::wstring& text, DWORD style, DWORD exStyle, int id,
                            HFONT font)
{
    HWND child = ::CreateWindowExW(exStyle, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, m_hwnd,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(m_hwnd, GWLP_HINSTANCE)), nullptr);
    ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return child;
}

void ViewerWindow::CreateChildren()
{
    const ViewerStrings& s = m_model.strings;
    HFONT text = m_fonts.text.Get();
    const DWORD label = SS_LEFT | SS_NOPREFIX;

    m_heading = AddChild(WC_STATICW, m_model.Heading(), label | SS_ENDELLIPSIS, 0, IDC_HEADING, m_fonts.heading.Get());
    const unsigned labelIds[3] = {IDS_LABEL_FILE, IDS_LABEL_SIZE, IDS_LABEL_LANGUAGE};
    const std::wstring values[3] = {m_model.FileText(), m_model.SizeText(), m_model.LanguageText()};
    for (int i = 0; i < 3; ++i) {
        m_labels[i] = AddChild(WC_STATICW, s.Get(labelIds[i]), label, 0, IDC_LABEL_FIRST + i, text);
        const DWORD ellipsis = i == 0 ? SS_PATHELLIPSIS : SS_ENDELLIPSIS;
        m_values[i] = AddChild(WC_STATICW, values[i], label | ellipsis, 0, IDC_VALUE_FIRST + i, text);
    }

    m_previewLabel = AddChild(WC_STATICW, s.Get(IDS_LABEL_PREVIEW), label, 0, IDC_PREVIEW_LABEL, text);
    const std::wstring note = m_model.PreviewNote();
    m_previewBox = AddChild(WC_EDITW, FormatHexDump(m_model.preview.head),
                            WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL,
                            WS_EX_CLIENTEDGE, IDC_PREVIEW_BOX, m_fonts.mono.Get());
    m_previewNote = AddChild(WC_STATICW, note, label, 0, IDC_PREVIEW_NOTE, text);
    ::ShowWindow(note.empty() ? m_previewNote : m_previewBox, SW_HIDE);
    ::SendMessageW(m_previewBox, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(Scale(4), Scale(4)));

    m_filesLabel = AddChild(WC_STATICW, s.Get(IDS_LABEL_FILES), label, 0, IDC_FILES_LABEL, text);
    m_fileList = AddChild(WC_LISTVIEWW, L"",
                          WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER,
                          WS_EX_CLIENTEDGE, IDC_FILE_LIST, text);
    ListView_SetExtendedListViewStyle(m_fileList, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_LABELTIP);

    m_closeButton = AddChild(WC_BUTTONW, s.Get(IDS_CLOSE), WS_TABSTOP | BS_DEFPUSHBUTTON, 0, IDOK, text);
}

void ViewerWindow::FillFileList()
{
    const ViewerStrings& s = m_model.strings;
    std::wstring nameHeader = s.Get(IDS_COLUMN_NAME);
    std::wstring sizeHeader = s.Get(IDS_COLUMN_SIZE);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.fmt = LVCFMT_LEFT;
    column.cx = Scale(300);
    column.pszText = nameHeader.data();
    ListView_InsertColumn(m_fileList, 0, &column);
    column.fmt = LVCFMT_RIGHT;
    column.cx = Scale(120);
    column.pszText = sizeHeader.data();
    ListView_InsertColumn(m_fileList, 1, &column);

    std::vector<std::wstring> sizes;
    sizes.reserve(m_model.listing.files.size());
    for (const ListedFile& file : m_model.listing.files)
        sizes.push_back(s.Bytes(file.size));

    int sizeWidth = 0;
    HDC hdc = ::GetDC(m_hwnd);
    {
        SelectGuard select(hdc, m_fonts.text.Get());
        for (const std::wstring* text : {&sizeHeader}) {
            SIZE extent{};
            ::GetTextExtentPoint32W(hdc, text->c_str(), static_cast<int>(text->size()), &extent);
            sizeWidth = std::max<int>(sizeWidth, extent.cx);
        }
        for (const std::wstring& text : sizes) {
            SIZE extent{};
            ::GetTextExtentPoint32W(hdc, text.c_str(), static_cast<int>(text.size()), &extent);
            sizeWidth = std::max<int>(sizeWidth, extent.cx);
        }
    }
    ::ReleaseDC(m_hwnd, hdc);
    m_sizeColumnWidth = sizeWidth + Scale(36);  // the list view pads its cells

    int row = 0;
    for (const ListedFile& file : m_model.listing.files) {
        std::wstring name = file.relativePath;
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = name.data();
        ListView_InsertItem(m_fileList, &item);
        ListView_SetItemText(m_fileList, row, 1, sizes[static_cast<size_t>(row)].data());
        ++row;
    }
    if (m_model.listing.truncated) {
        std::wstring more = s.Get(IDS_LIST_TRUNCATED);
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = more.data();
        ListView_InsertItem(m_fileList, &item);
    }
}

void ViewerWindow::MeasureMetrics()
{
    Metrics& m = m_metrics;
    const TEXTMETRICW text = MetricsOf(m_hwnd, m_fonts.text.Get());
    const TEXTMETRICW heading = MetricsOf(m_hwnd, m_fonts.heading.Get());
    const SIZE digit = TextExtent(m_hwnd, m_fonts.mono.Get(), L"0");
    const TEXTMETRICW mono = MetricsOf(m_hwnd, m_fonts.mono.Get());

    m.margin = Scale(16);
    m.gap = Scale(6);
    m.lineHeight = text.tmHeight;
    m.headingHeight = heading.tmHeight;
    m.monoCharWidth = std::max<int>(digit.cx, 1);
    m.monoLineHeight = mono.tmHeight;

    int labelWidth = 0;
    for (HWND label : m_labels) {
        wchar_t buffer[256];
        const int length = ::GetWindowTextW(label, buffer, static_cast<int>(std::size(buffer)));
        labelWidth = std::max<int>(labelWidth, TextExtent(m_hwnd, m_fonts.text.Get(), std::wstring(buffer, length)).cx);
    }
    m.labelWidth = labelWidth + Scale(12);

    const SIZE close = TextExtent(m_hwnd, m_fonts.text.Get(), m_model.strings.Get(IDS_CLOSE));
    m.buttonWidth = std::max<int>(Scale(88), close.cx + Scale(24));
    m.buttonHeight = std::max<int>(Scale(26), text.tmHeight + Scale(10));
    m.footerHeight = m.buttonHeight + 2 * Scale(11);
}

SIZE ViewerWindow::InitialClientSize() const
{
    const Metrics& m = m_metrics;
    const int dumpWidth = kDumpColumns * m.monoCharWidth + Scale(8) + ::GetSystemMetrics(SM_CXVSCROLL) + Scale(6);
    const int width = std::max(Scale(600), dumpWidth + 2 * m.margin);
    const int height = std::max(Scale(560), m.margin + m.headingHeight + m.gap * 2 + 3 * (m.lineHeight + m.gap) +
                                                (kDumpLines * m.monoLineHeight + Scale(10)) +
                                                2 * (m.lineHeight + m.gap * 2) + Scale(160) + m.footerHeight);
    return {width, height};
}

void ViewerWindow::Layout(int width, int height)
{
    if (!m_closeButton)
        return;
    const Metrics& m = m_metrics;
    const int inner = width - 2 * m.margin;
    int y = m.margin;

    Place(m_heading, m.margin, y, inner, m.headingHeight);
    y += m.headingHeight + m.gap * 2;

    for (int i = 0; i < 3; ++i) {
        Place(m_labels[i], m.margin, y, m.labelWidth, m.lineHeight);
        Place(m_values[i], m.margin + m.labelWidth, y, inner - m.labelWidth, m.lineHeight);
        y += m.lineHeight + m.gap;
    }
    y += m.gap * 2;

    const int footerTop = height - m.footerHeight;
    const int bottom = footerTop - m.margin;
    const bool hasDump = ::IsWindowVisible(m_previewBox) != FALSE;
    const int labelBlock = m.lineHeight + Scale(4);
    const int minList = Scale(90);

    // The dump wants all its lines; it gives some up before the file list gets too small.
    int previewHeight = hasDump ? kDumpLines * m.monoLineHeight + Scale(10) : 2 * m.lineHeight;
    const int spaceForBoth = bottom - y - 2 * labelBlock - m.gap * 3;
    if (hasDump && spaceForBoth - previewHeight < minList)
        previewHeight = std::max(3 * m.monoLineHeight + Scale(10), spaceForBoth - minList);

    Place(m_previewLabel, m.margin, y, inner, m.lineHeight);
    y += labelBlock;
    Place(m_previewBox, m.margin, y, inner, previewHeight);
    Place(m_previewNote, m.margin, y, inner, previewHeight);
    y += previewHeight + m.gap * 3;

    Place(m_filesLabel, m.margin, y, inner, m.lineHeight);
    y += labelBlock;
    Place(m_fileList, m.margin, y, inner, std::max(bottom - y, m.lineHeight * 2));
    FitFileColumns();

    Place(m_closeButton, width - m.margin - m.buttonWidth, footerTop + (m.footerHeight - m.buttonHeight) / 2,
          m.buttonWidth, m.buttonHeight);
    ::InvalidateRect(m_hwnd, nullptr, FALSE);
}

void ViewerWindow::FitFileColumns()
{
    const int sizeWidth = m_sizeColumnWidth;
    RECT client{};
    ::GetClientRect(m_fileList, &client);
    ListView_SetColumnWidth(m_fileList, 1, sizeWidth);
    ListView_SetColumnWidth(m_fileList, 0, std::max<int>(Scale(80), client.right - sizeWidth));
}

void ViewerWindow::Paint(HDC hdc) const
{
    RECT client{};
    ::GetClientRect(m_hwnd, &client);
    RECT content = client;
    content.bottom = std::max<LONG>(client.top, client.bottom - m_metrics.footerHeight);
    ::FillRect(hdc, &content, ::GetSysColorBrush(COLOR_WINDOW));
    RECT footer = client;
    footer.top = content.bottom;
    ::FillRect(hdc, &footer, ::GetSysColorBrush(COLOR_BTNFACE));
    RECT line = footer;
    line.bottom = line.top + 1;
    ::FillRect(hdc, &line, ::GetSysColorBrush(COLOR_3DLIGHT));
}

}  // namespace tavisk

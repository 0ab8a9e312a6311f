// The list box: construction, its meta-object (the slots its own signals are connected to), styles
// and colour groups, keys, painting with the scroll-bar corner, and the scroll position reported in
// percent.
#include "toolkit/qtcontrols/VellListBox.h"

#include "platform/qt/QHeader.h"
#include "platform/qt/QPainter.h"
#include "platform/qt/QScrollBar.h"
#include "platform/qt/QToolTip.h"
#include "toolkit/qtcontrols/QtConversions.h"
#include "toolkit/qtcontrols/QtWidgetAccess.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CVellListBox, CVellQTControl)

namespace {

// Slot table; each entry has the signature of the list view signal it is connected to.
const char* const kSlots[] = {
    "itemRenamed(QListViewItem*,int,const QString&)",
    "dropped(QDropEvent*)",
    "collapsed(QListViewItem*)",
    "expanded(QListViewItem*)",
    "onViewport()",
    "onItem(QListViewItem*)",
    "contextMenuRequested(QListViewItem*,const QPoint&,int)",
    "mouseButtonClicked(int,QListViewItem*,const QPoint&,int)",
    "mouseButtonPressed(int,QListViewItem*,const QPoint&,int)",
    "rightButtonClicked(QListViewItem*,const QPoint&,int)",
    "returnPressed(QListViewItem*)",
    "doubleClicked(QListViewItem*)",
    "pressed(QListViewItem*,const QPoint&,int)",
    "clicked(QListViewItem*,const QPoint&,int)",
    "currentChanged(QListViewItem*)",
    "selectionChanged()",
    "selectionChanged(QListViewItem*)",
};
constexpr int kSlotCount = static_cast<int>(sizeof(kSlots) / sizeof(kSlots[0]));

// Style bits a list box placeholder may carry that the hosted list must not: caption and sizing
// frame; window, client and static edges, context help and right-to-left layout.
constexpr DWORD kRemovedStyles = WS_CAPTION | WS_THICKFRAME;
constexpr DWORD kRemovedExStyles = WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE | WS_EX_CONTEXTHELP | WS_EX_STATICEDGE | WS_EX_LAYOUTRTL;

constexpr COLORREF kTipBack = RGB(222, 231, 254);
constexpr COLORREF kTipText = RGB(0, 0, 0);
constexpr int kTipFontReduction = 6;

}  // namespace

QMetaObject* CVellListBox::staticMetaObject()
{
    static QMetaObject meta("CVellListBox", QListView::staticMetaObject(), kSlots, kSlotCount, nullptr, 0);
    return &meta;
}
QMetaObject* CVellListBox::metaObject() const { return staticMetaObject(); }
const char* CVellListBox::className() const { return "CVellListBox"; }
void* CVellListBox::qt_cast(const char* name)
{
    return name && std::strcmp(name, "CVellListBox") == 0 ? this : QListView::qt_cast(name);
}
bool CVellListBox::qt_invoke(int id, QUObject* o)
{
    auto item = [o](int i) { return qUArg<QListViewItem*>(o + i); };
    auto point = [o](int i) -> const QPoint& { return qUArg<QPoint>(o + i); };
    auto number = [o](int i) { return qUArg<int>(o + i); };
    switch (id - staticMetaObject()->slotOffset()) {
    case 0: itemRenamed(item(1), number(2), qUArg<QString>(o + 3)); return true;
    case 1: dropped(qUArg<QDropEvent*>(o + 1)); return true;
    case 2: collapsed(item(1)); return true;
    case 3: expanded(item(1)); return true;
    case 4: onViewport(); return true;
    case 5: onItem(item(1)); return true;
    case 6: contextMenuRequested(item(1), point(2), number(3)); return true;
    case 7: mouseButtonClicked(number(1), item(2), point(3), number(4)); return true;
    case 8: mouseButtonPressed(number(1), item(2), point(3), number(4)); return true;
    case 9: rightButtonClicked(item(1), point(2), number(3)); return true;
    case 10: returnPressed(item(1)); return true;
    case 11: doubleClicked(item(1)); return true;
    case 12: pressed(item(1), point(2), number(3)); return true;
    case 13: clicked(item(1), point(2), number(3)); return true;
    case 14: currentChanged(item(1)); return true;
    case 15: selectionChanged(); return true;
    case 16: selectionChanged(item(1)); return true;
    default: return QListView::qt_invoke(id, o);
    }
}
bool CVellListBox::qt_emit(int id, QUObject* o)
{
    return QListView::qt_emit(id, o);
}

CVellListBox::CVellListBox(CWnd* pOwner) : CVellQTControl(pOwner), QListView(nullptr, nullptr, 0)
{
    AttachWidget();
    // A list view shows items in columns only: the list box has one, under a header never shown.
    addColumn(QString(L"Workaround"), -1);
    header()->hide();
    setRootIsDecorated(false);
    setSelectionMode(Single);
    // An open rename editor is accepted, not dropped, when the list changes under it.
    setDefaultRenameAction(Accept);
    setSorting(-1, true);

    // Tool tips of the whole application: the toolkit's tip colours, a smaller default font.
    QColorGroup tipGroup;
    tipGroup.setColor(QColorGroup::Background, ColorRefToQColor(kTipBack));
    tipGroup.setColor(QColorGroup::Foreground, ColorRefToQColor(kTipText));
    QPalette tipPalette;
    tipPalette.setActive(tipGroup);
    tipPalette.setInactive(tipGroup);
    QToolTip::setPalette(tipPalette);
    if (CFont* pFont = GetDefaultFont(); pFont && pFont->GetSafeHandle()) {
        QFont tipFont = LogFontToQFont(static_cast<HFONT>(pFont->GetSafeHandle()));
        const int nPoints = tipFont.pointSize() - kTipFontReduction;
        tipFont.setPointSize(nPoints < 1 ? 1 : nPoints);
        QToolTip::setFont(tipFont);
    }

    m_columnCompares.push_back(nullptr);  // for the one column

    for (int i = 0; i < kSlotCount; ++i) {
        const std::string signal = std::string("2") + kSlots[i];
        const std::string slot = std::string("1") + kSlots[i];
        QObject::connect(this, signal.c_str(), this, slot.c_str());
    }
}

CVellListBox::~CVellListBox()
{
    // The window's last messages still reach the whole list box.
    DestroyHostWindow();
}

BOOL CVellListBox::AttachDlgItem(UINT nID, CWnd* pParent)
{
    return ReplaceDlgItem(nID, pParent, L"ListBox");
}

BOOL CVellListBox::AdjustHostStyles(DWORD* pStyle, DWORD* pExStyle)
{
    if (pStyle)
        *pStyle &= ~kRemovedStyles;
    if (pExStyle)
        *pExStyle &= ~kRemovedExStyles;
    return SetStyles(pStyle, pExStyle);
}

QWidget* CVellListBox::GetWidget()
{
    return this;
}

QFrame* CVellListBox::GetFrame()
{
    return this;
}

void CVellListBox::SetActiveColorGroup(const CVellQColorList& colors)
{
    if (colors.size() >= kClrBrightText + 1)
        CVellQTControl::m_palette.setActive(BuildNormalGroup(colors, true));
}

void CVellListBox::SetInactiveColorGroup(const CVellQColorList& colors)
{
    if (colors.size() >= kClrBrightText + 1)
        CVellQTControl::m_palette.setInactive(BuildNormalGroup(colors, true));
}

void CVellListBox::SetDisabledColorGroup(const CVellQColorList& colors)
{
    if (colors.size() < kColorTableSize)
        return;
    const QColorGroup group = BuildDisabledGroup(colors, kClrDisabledBack);
    CVellQTControl::m_palette.setDisabled(group);
    CVellQTControl::m_palette.setInactive(group);
}

BOOL CVellListBox::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_KEYDOWN && CWnd::m_hWnd && (GetStyle() & WS_CHILD)) {
        if (HWND hParent = ::GetParent(CWnd::m_hWnd); hParent && hParent != ::GetDesktopWindow())
            ::SendMessageW(hParent, WM_KEYDOWN, wParam, lParam);
        if (!::IsWindow(CWnd::m_hWnd))
            return TRUE;  // the dialog answered by destroying the list
    }
    return CVellQTControl::OnWndMsg(message, wParam, lParam, pResult);
}

void CVellListBox::FillOnWidget(int x, int y, int w, int h, COLORREF clr)
{
    if (w <= 0 || h <= 0 || !isVisible())
        return;
    QPainter painter(this);
    painter.fillRect(x, y, w, h, QBrush(ColorRefToQColor(clr)));
}

void CVellListBox::RepaintWidget(UINT message)
{
    QtWidgetAccess::RecordActiveWindow(this);
    updateScrollBars();
    repaintContents(false);
    viewport()->repaint(false);
    header()->repaint(false);
    // The bars are native controls: they paint themselves.
    for (QScrollBar* pBar : {horizontalScrollBar(), verticalScrollBar()}) {
        if (pBar && pBar->isVisible())
            ::RedrawWindow(pBar->winId(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
    QScrollBar* pH = horizontalScrollBar();
    QScrollBar* pV = verticalScrollBar();
    if (pH && pV && pH->isVisible() && pV->isVisible())
        FillOnWidget(pV->x(), pH->y(), pV->width(), pH->height(), GetColor(kEffectiveBack));
    repaint(false);
    // Qt's window procedure validates the window.
    if (CWnd::m_hWnd)
        ::SendMessageW(CWnd::m_hWnd, message, 1, 0);
}

void CVellListBox::setHBarGeometry(QScrollBar& hbar, int x, int y, int w, int h)
{
    QListView::setHBarGeometry(hbar, x, y, w, h);
    FillOnWidget(hbar.x() + hbar.width(), hbar.y(), hbar.height(), hbar.height(), GetColor(kClrBackground));
    repaint(false);
}

void CVellListBox::setVBarGeometry(QScrollBar& vbar, int x, int y, int w, int h)
{
    QListView::setVBarGeometry(vbar, x, y, w, h);
    if (QScrollBar* pH = horizontalScrollBar(); pH && pH->isVisible())
        FillOnWidget(pH->x() + pH->width(), pH->y(), pH->height(), pH->height(), GetColor(kClrBackground));
    repaint(false);
}

void CVellListBox::vslide(int value)
{
    m_bInVSlide = true;
    QListView::vslide(value);
    m_bInVSlide = false;
    NotifyScroll(value);
}

void CVellListBox::setContentsPos(int x, int y)
{
    const int nOldY = contentsY();
    QListView::setContentsPos(x, y);
    // Our scroll view moves the bar without its signal; Qt 3's bar would have called vslide.
    if (!m_bInVSlide && contentsY() != nOldY)
        NotifyScroll(verticalScrollBar() ? verticalScrollBar()->value() : contentsY());
}

void CVellListBox::NotifyScroll(int value)
{
    QScrollBar* pBar = verticalScrollBar();
    if (!pBar)
        return;
    const int nRange = pBar->maxValue() - pBar->minValue();
    // An empty range has nothing to scroll: the list is at its top.
    int nPercent = 0;
    if (nRange > 0)
        nPercent = static_cast<int>((value - pBar->minValue()) * 100.0 / nRange);
    Notify(QLM_VSCROLL, nPercent);
}

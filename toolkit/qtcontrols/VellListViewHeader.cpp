// The list view's header: its colours and font, label alignment and indentation, and the header
// cell above the vertical scroll bar, which the bar leaves free by starting below the header.
#include "toolkit/qtcontrols/VellListView.h"

#include "platform/qt/QHeader.h"
#include "platform/qt/QScrollBar.h"
#include "toolkit/qtcontrols/QtConversions.h"

namespace {

// Rim of the header cell above the scroll bar: the cell's colour starts this far in from the top
// and the bottom.
constexpr int kCornerRim = 2;

}  // namespace

void CVellListView::SetHeaderColors(COLORREF clrButton, COLORREF clrBase)
{
    m_clrHeaderButton = clrButton;
    m_clrHeaderBase = clrBase;
    Redraw();
}

void CVellListView::SetHeaderFont(CFont* pFont)
{
    if (!pFont || !pFont->GetSafeHandle())
        return;  // nothing to copy: the header keeps its font
    m_bHeaderFontSet = TRUE;
    m_headerFont = LogFontToQFont(static_cast<HFONT>(pFont->GetSafeHandle()));
    Redraw();
}

void CVellListView::ApplyPalette()
{
    CVellTreeView::ApplyPalette();
    QColorGroup group;
    group.setColor(QColorGroup::Button, ColorRefToQColor(m_clrHeaderButton));
    group.setColor(QColorGroup::Base, ColorRefToQColor(m_clrHeaderBase));
    auto set = [&](QColorGroup::ColorRole role, int nEntry) { group.setColor(role, ColorRefToQColor(GetColor(nEntry))); };
    const BOOL bEnabled = GetEnabled();
    if (bEnabled && !GetInactive()) {
        set(QColorGroup::Background, kClrBackground);
        set(QColorGroup::Foreground, kClrForeground);
        set(QColorGroup::Text, kClrForeground);
        set(QColorGroup::Highlight, kClrHighlight);
        set(QColorGroup::HighlightedText, kClrHighlightedText);
        set(QColorGroup::Light, kClrMidlight);
        set(QColorGroup::Midlight, kClrMidlight);
        set(QColorGroup::Dark, kClrMidlight);
        set(QColorGroup::Shadow, kClrMidlight);
        m_headerPalette.setActive(group);
        // Qt paints with the inactive group while another control counts as its active window;
        // the header looks the same either way, as the list itself does.
        m_headerPalette.setInactive(group);
    } else {
        set(QColorGroup::Background, kClrDisabledBack);
        set(QColorGroup::Foreground, kClrDisabledFore);
        set(QColorGroup::Text, kClrDisabledFore);
        set(QColorGroup::Highlight, kClrHighlight);
        set(QColorGroup::HighlightedText, kClrHighlightedText);
        set(QColorGroup::Midlight, kClrDisabledBack);
        set(QColorGroup::Shadow, kClrDisabledBack);
        set(QColorGroup::Light, kClrDisabledButtonText);
        set(QColorGroup::Dark, kClrDisabledButtonText);
        if (bEnabled)
            m_headerPalette.setInactive(group);
        else
            m_headerPalette.setDisabled(group);
    }
    header()->setPalette(m_headerPalette);
}

void CVellListView::ApplyFont()
{
    CVellTreeView::ApplyFont();
    if (!m_bHeaderFontSet)
        return;
    header()->unsetFont();
    header()->setFont(m_headerFont);
    // The header's height follows its font: the viewport and the bars make room for it.
    updateScrollBars();
}

void CVellListView::AlignColumnLabel(int nMode, int nColumn)
{
    const QFontMetrics fm(font());
    const int nAvailable = header()->sectionSize(nColumn) - fm.width(QString(L"W"));
    QString label = header()->label(nColumn).stripWhiteSpace();
    const QString space(L" ");
    // Without a measurable space no padding can ever fill the section.
    if (fm.width(space) > 0 && fm.width(label) < nAvailable) {
        switch (nMode) {
        case kLabelLeft:
            do
                label = label + space;
            while (fm.width(label + space) < nAvailable);
            break;
        case kLabelCenter:
            do
                label = space + label + space;
            while (fm.width(label) < nAvailable);
            break;
        case kLabelRight:
            do
                label = space + label;
            while (fm.width(label) < nAvailable);
            break;
        default:
            break;
        }
    }
    header()->setLabel(nColumn, label, -1);
    Redraw();
}

void CVellListView::IndentColumnLabel(int nPixels, int nColumn)
{
    QString spaces;
    PadWithSpaces(nPixels, spaces);
    setColumnText(nColumn, spaces + columnText(nColumn));
    Redraw();
}

void CVellListView::PaintHeaderCorner(int x, int y, int w, int h)
{
    FillOnWidget(x, y, w, h, GetColor(kClrMidlight));
    FillOnWidget(x, y + kCornerRim, w, h - 2 * kCornerRim, m_clrHeaderButton);
}

void CVellListView::setVBarGeometry(QScrollBar& vbar, int x, int y, int w, int h)
{
    // The header's height as the layout gives it (the header itself may not be placed yet).
    const int nHeader = header()->isHidden() ? 0 : topMargin();
    vbar.setGeometry(x, y + nHeader, w, h - nHeader);
    PaintHeaderCorner(x, y, w, nHeader);
    repaint(false);
}

void CVellListView::RepaintWidget(UINT message)
{
    QScrollBar* pBar = verticalScrollBar();
    QHeader* pHeader = header();
    if (pBar && pBar->isVisible() && pHeader->isVisible())
        PaintHeaderCorner(pBar->x(), pHeader->y(), pBar->width(), pHeader->height());
    CVellTreeView::RepaintWidget(message);
}

// The Qt control host's colours and font: the colour table, its mapping onto the roles of the
// palette's colour groups, the redraw guard and the control font as a QFont.
#include "toolkit/qtcontrols/VellQTControl.h"

#include "platform/mfc/CGdiObject.h"
#include "platform/qt/QWidget.h"
#include "toolkit/controls/ColorAdjust.h"
#include "toolkit/qtcontrols/QtConversions.h"

namespace {

constexpr COLORREF kControlBack = RGB(161, 177, 204);
constexpr COLORREF kLight = RGB(199, 207, 220);
constexpr COLORREF kMidlight = RGB(196, 199, 183);
constexpr COLORREF kHighlight = RGB(235, 238, 243);
constexpr COLORREF kDisabledBack = RGB(120, 139, 169);
constexpr COLORREF kDisabledButtonText = RGB(155, 158, 165);
constexpr COLORREF kAmbientBack = RGB(213, 219, 229);
constexpr COLORREF kBlack = RGB(0, 0, 0);

constexpr size_t kNormalColors = 14;

}  // namespace

void CVellQTControl::InitColors()
{
    SetAmbientBackColor(kAmbientBack);
    SetAmbientForeColor(kToolkitNavy);
    BuildDefaultColorTable();
    m_bColorsReady = TRUE;
    // The widget shows the toolkit's colours from the start, not only after the first property change.
    Redraw();
}

void CVellQTControl::BuildDefaultColorTable()
{
    const COLORREF clrBack = GetColor(kEffectiveBack);
    const COLORREF clrFore = GetColor(kEffectiveFore);
    const CVellColorList table = {
        kControlBack, clrFore, clrBack, kBlack, kControlBack, kBlack, kLight, kMidlight,
        AdjustColor(kAdjustDarken, clrBack), clrFore, kToolkitNavy, kHighlight, kBlack, clrFore,
        kDisabledBack, kToolkitNavy, kDisabledButtonText,
    };
    SetColorTable(table);
}

void CVellQTControl::SetAmbientBackColor(COLORREF clr)
{
    CVellControl::SetAmbientBackColor(clr);
    BuildDefaultColorTable();
    Redraw();
}

void CVellQTControl::SetAmbientForeColor(COLORREF clr)
{
    CVellControl::SetAmbientForeColor(clr);
    BuildDefaultColorTable();
    Redraw();
}

void CVellQTControl::SetForeColor(COLORREF clr)
{
    CVellControl::SetForeColor(clr);
    BuildDefaultColorTable();
    Redraw();
}

void CVellQTControl::SetBackColor(COLORREF clr)
{
    CVellControl::SetBackColor(clr);
    BuildDefaultColorTable();
    Redraw();
}

void CVellQTControl::SetDisabledForeColor(COLORREF clr)
{
    CVellColorList table = m_colorTable;
    // A table replaced by a shorter one grows with what GetColor answered for the missing entries.
    if (table.size() <= kClrDisabledFore)
        table.resize(kClrDisabledFore + 1, GetColor(kEffectiveFore));
    table[kClrDisabledFore] = clr;
    SetColorTable(table);
    Redraw();
}

void CVellQTControl::SetDisabledBackColor(COLORREF clr)
{
    CVellColorList table = m_colorTable;
    if (table.size() <= kClrDisabledBack)
        table.resize(kClrDisabledBack + 1, GetColor(kEffectiveFore));
    table[kClrDisabledBack] = clr;
    SetColorTable(table);
    Redraw();
}

void CVellQTControl::Redraw()
{
    if (m_bColorsReady) {
        CRedrawLock lock(*this);
        if (lock.Depth() > 1)
            return;  // a palette change inside ApplyPalette: no palette and no font work again
        ApplyPalette();
    }
    ApplyFont();
}

CVellQColorList CVellQTControl::ActiveColorList()
{
    CVellQColorList colors;
    colors.reserve(kColorTableSize);
    for (int i = 0; i < static_cast<int>(kNormalColors); ++i)
        colors.push_back(ColorRefToQColor(GetColor(i)));
    if (!GetEnabled())
        colors[kClrText] = ColorRefToQColor(kToolkitNavy);
    return colors;
}

CVellQColorList CVellQTControl::DisabledColorList(CVellQColorList colors)
{
    colors.resize(kColorTableSize);
    if (GetUsePalette()) {
        colors[kClrDisabledBack] = ColorRefToQColor(GetColor(kClrBackground));
        colors[kClrDisabledFore] = ColorRefToQColor(GetColor(kClrForeground));
        colors[kClrDisabledButtonText] = ColorRefToQColor(GetColor(kClrButtonText));
    } else {
        colors[kClrDisabledBack] = ColorRefToQColor(GetColor(kClrDisabledBack));
        colors[kClrDisabledFore] = ColorRefToQColor(GetColor(kClrDisabledFore));
        colors[kClrDisabledButtonText] = ColorRefToQColor(GetColor(kClrDisabledButtonText));
    }
    return colors;
}

void CVellQTControl::ApplyPalette()
{
    CVellQColorList colors = ActiveColorList();
    if (GetEnabled() && !GetInactive()) {
        SetActiveColorGroup(colors);
        SetInactiveColorGroup(colors);
    } else {
        SetDisabledColorGroup(DisabledColorList(std::move(colors)));
    }
    if (QWidget* pWidget = GetWidget())
        pWidget->setPalette(m_palette);
}

QColorGroup CVellQTControl::BuildNormalGroup(const CVellQColorList& colors, bool bWithBackground)
{
    QColorGroup group;
    group.setColor(QColorGroup::Base, colors[kClrBase]);
    if (bWithBackground)
        group.setColor(QColorGroup::Background, colors[kClrBackground]);
    group.setColor(QColorGroup::Foreground, colors[kClrForeground]);
    group.setColor(QColorGroup::Text, colors[kClrText]);
    group.setColor(QColorGroup::Highlight, colors[kClrHighlight]);
    group.setColor(QColorGroup::HighlightedText, colors[kClrHighlightedText]);
    group.setColor(QColorGroup::Light, colors[kClrLight]);
    group.setColor(QColorGroup::Midlight, colors[kClrMidlight]);
    group.setColor(QColorGroup::Dark, colors[kClrDark]);
    group.setColor(QColorGroup::Mid, colors[kClrMid]);
    group.setColor(QColorGroup::Shadow, colors[kClrShadow]);
    group.setColor(QColorGroup::Button, colors[kClrButton]);
    group.setColor(QColorGroup::ButtonText, colors[kClrButtonText]);
    group.setColor(QColorGroup::BrightText, colors[kClrBrightText]);
    return group;
}

QColorGroup CVellQTControl::BuildDisabledGroup(const CVellQColorList& colors, int nHighlight)
{
    QColorGroup group;
    group.setColor(QColorGroup::Base, colors[kClrDisabledBack]);
    group.setColor(QColorGroup::Background, colors[kClrDisabledBack]);
    group.setColor(QColorGroup::Foreground, colors[kClrDisabledFore]);
    group.setColor(QColorGroup::Text, colors[kClrDisabledFore]);
    group.setColor(QColorGroup::Highlight, colors[static_cast<size_t>(nHighlight)]);
    group.setColor(QColorGroup::HighlightedText, colors[kClrHighlightedText]);
    group.setColor(QColorGroup::Light, colors[kClrText]);
    group.setColor(QColorGroup::Midlight, colors[kClrDisabledBack]);
    group.setColor(QColorGroup::Dark, colors[kClrText]);
    group.setColor(QColorGroup::Mid, colors[kClrDisabledBack]);
    group.setColor(QColorGroup::Shadow, colors[kClrDisabledBack]);
    group.setColor(QColorGroup::Button, colors[kClrDisabledBack]);
    group.setColor(QColorGroup::ButtonText, colors[kClrDisabledButtonText]);
    return group;
}

void CVellQTControl::SetActiveColorGroup(const CVellQColorList& colors)
{
    if (colors.size() >= kNormalColors)
        m_palette.setActive(BuildNormalGroup(colors, false));
}

void CVellQTControl::SetInactiveColorGroup(const CVellQColorList& colors)
{
    if (colors.size() >= kNormalColors)
        m_palette.setInactive(BuildNormalGroup(colors, false));
}

void CVellQTControl::SetDisabledColorGroup(const CVellQColorList& colors)
{
    if (colors.size() >= kColorTableSize)
        m_palette.setDisabled(BuildDisabledGroup(colors, kClrHighlight));
}

void CVellQTControl::ApplyFont()
{
    QWidget* pWidget = GetWidget();
    LOGFONTW lf{};
    GetFont(&lf);
    CFont font;
    if (!font.CreateFontIndirect(&lf))
        return;  // the widget keeps its font
    const QFont qfont = LogFontToQFont(static_cast<HFONT>(font.GetSafeHandle()));
    if (pWidget) {
        pWidget->unsetFont();
        pWidget->setFont(qfont);
    }
}

QColor CVellQTControl::GetAdjustedQColor(int nMode)
{
    return ColorRefToQColor(GetAdjustedColor(nMode));
}

COLORREF CVellQTControl::GetAdjustedColor(int nMode)
{
    return AdjustColor(nMode, GetColor(kEffectiveBack));
}

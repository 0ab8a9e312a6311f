// A widget's palette and font: its own, or inherited from the parent widget or the application,
// and the colour group of its state.
#include "platform/qt/QApplication.h"
#include "platform/qt/QWidget.h"

const QPalette& QWidget::palette() const
{
    if (m_bOwnPalette)
        return m_palette;
    m_inherited = m_pParentWidget ? m_pParentWidget->palette() : QApplication::palette(this);
    return m_inherited;
}

void QWidget::PaletteOrFontInherited(bool bPalette)
{
    if (const QObjectList* list = children()) {
        for (QObject* o : *list) {
            if (!o->isWidgetType())
                continue;
            auto* c = static_cast<QWidget*>(o);
            if (bPalette && !c->m_bOwnPalette) {
                c->paletteChange(c->palette());
                c->PaletteOrFontInherited(true);
            } else if (!bPalette && !c->m_bOwnFont) {
                c->fontChange(c->font());
                c->PaletteOrFontInherited(false);
            }
        }
    }
}

void QWidget::setPalette(const QPalette& palette)
{
    const QPalette old = this->palette();
    m_palette = palette;
    m_bOwnPalette = true;
    paletteChange(old);
    PaletteOrFontInherited(true);
}

void QWidget::unsetPalette()
{
    if (!m_bOwnPalette)
        return;
    const QPalette old = m_palette;
    m_bOwnPalette = false;
    paletteChange(old);
    PaletteOrFontInherited(true);
}

void QWidget::paletteChange(const QPalette&)
{
    update();
}

const QColorGroup& QWidget::colorGroup() const
{
    const QPalette& p = palette();
    if (!isEnabled())
        return p.disabled();
    return isActiveWindow() ? p.active() : p.inactive();
}

const QFont& QWidget::font() const
{
    if (m_bOwnFont)
        return m_font;
    m_inheritedFont = m_pParentWidget ? m_pParentWidget->font() : QApplication::font(this);
    return m_inheritedFont;
}

void QWidget::setFont(const QFont& font)
{
    const QFont old = this->font();
    m_font = font;
    m_bOwnFont = true;
    fontChange(old);
    PaletteOrFontInherited(false);
}

void QWidget::unsetFont()
{
    if (!m_bOwnFont)
        return;
    const QFont old = m_font;
    m_bOwnFont = false;
    fontChange(old);
    PaletteOrFontInherited(false);
}

void QWidget::fontChange(const QFont&)
{
    update();
}

QColor QWidget::backgroundColor() const
{
    switch (m_backgroundMode) {
    case PaletteBase:
        return colorGroup().base();
    case PaletteButton:
        return colorGroup().button();
    default:
        return colorGroup().background();
    }
}

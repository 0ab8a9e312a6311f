#pragma once
// Colour roles of one widget state (QColorGroup) and the three groups of a palette.
#include "platform/qt/QColor.h"

class QColorGroup {
public:
    enum ColorRole {
        Foreground, Button, Light, Midlight, Dark, Mid, Text, BrightText, ButtonText, Base, Background, Shadow,
        Highlight, HighlightedText, Link, LinkVisited, NColorRoles
    };
    QColorGroup();  // every role black
    const QColor& color(ColorRole role) const;
    void setColor(ColorRole role, const QColor& color);

    const QColor& foreground() const { return color(Foreground); }
    const QColor& button() const { return color(Button); }
    const QColor& light() const { return color(Light); }
    const QColor& midlight() const { return color(Midlight); }
    const QColor& dark() const { return color(Dark); }
    const QColor& mid() const { return color(Mid); }
    const QColor& text() const { return color(Text); }
    const QColor& brightText() const { return color(BrightText); }
    const QColor& buttonText() const { return color(ButtonText); }
    const QColor& base() const { return color(Base); }
    const QColor& background() const { return color(Background); }
    const QColor& shadow() const { return color(Shadow); }
    const QColor& highlight() const { return color(Highlight); }
    const QColor& highlightedText() const { return color(HighlightedText); }

    friend bool operator==(const QColorGroup& a, const QColorGroup& b);
    friend bool operator!=(const QColorGroup& a, const QColorGroup& b) { return !(a == b); }

private:
    QColor m_colors[NColorRoles];
};

class QPalette {
public:
    enum ColorGroup { Disabled, Active, Inactive, NColorGroups, Normal = Active };
    QPalette() = default;  // three groups of black
    QPalette(const QColorGroup& active, const QColorGroup& disabled, const QColorGroup& inactive)
        : m_active(active), m_disabled(disabled), m_inactive(inactive)
    {
    }
    const QColorGroup& active() const { return m_active; }
    const QColorGroup& inactive() const { return m_inactive; }
    const QColorGroup& disabled() const { return m_disabled; }
    void setActive(const QColorGroup& g) { m_active = g; }
    void setInactive(const QColorGroup& g) { m_inactive = g; }
    void setDisabled(const QColorGroup& g) { m_disabled = g; }
    const QColor& color(ColorGroup group, QColorGroup::ColorRole role) const;
    void setColor(ColorGroup group, QColorGroup::ColorRole role, const QColor& color);
    void setColor(QColorGroup::ColorRole role, const QColor& color);  // in all three groups

    friend bool operator==(const QPalette& a, const QPalette& b)
    {
        return a.m_active == b.m_active && a.m_inactive == b.m_inactive && a.m_disabled == b.m_disabled;
    }
    friend bool operator!=(const QPalette& a, const QPalette& b) { return !(a == b); }

private:
    QColorGroup m_active;
    QColorGroup m_disabled;
    QColorGroup m_inactive;
};

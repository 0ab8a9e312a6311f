#include "platform/qt/QPalette.h"

QColorGroup::QColorGroup()
{
    for (QColor& c : m_colors)
        c = QColor(0, 0, 0);
}

const QColor& QColorGroup::color(ColorRole role) const
{
    static const QColor s_invalid;
    return role >= 0 && role < NColorRoles ? m_colors[role] : s_invalid;
}

void QColorGroup::setColor(ColorRole role, const QColor& color)
{
    if (role >= 0 && role < NColorRoles)
        m_colors[role] = color;
}

bool operator==(const QColorGroup& a, const QColorGroup& b)
{
    for (int i = 0; i < QColorGroup::NColorRoles; ++i) {
        if (a.m_colors[i] != b.m_colors[i])
            return false;
    }
    return true;
}

const QColor& QPalette::color(ColorGroup group, QColorGroup::ColorRole role) const
{
    switch (group) {
    case Disabled:
        return m_disabled.color(role);
    case Inactive:
        return m_inactive.color(role);
    default:
        return m_active.color(role);
    }
}

void QPalette::setColor(ColorGroup group, QColorGroup::ColorRole role, const QColor& color)
{
    switch (group) {
    case Disabled:
        m_disabled.setColor(role, color);
        break;
    case Inactive:
        m_inactive.setColor(role, color);
        break;
    default:
        m_active.setColor(role, color);
        break;
    }
}

void QPalette::setColor(QColorGroup::ColorRole role, const QColor& color)
{
    m_active.setColor(role, color);
    m_inactive.setColor(role, color);
    m_disabled.setColor(role, color);
}

#include "platform/qt/QScrollBar.h"

#include <cstring>

QMetaObject* QScrollBar::staticMetaObject()
{
    static const char* const slotTable[] = {"setValue(int)"};
    static const char* const signalTable[] = {"valueChanged(int)", "sliderMoved(int)"};
    static QMetaObject meta("QScrollBar", QWidget::staticMetaObject(), slotTable, 1, signalTable, 2);
    return &meta;
}
QMetaObject* QScrollBar::metaObject() const { return staticMetaObject(); }
const char* QScrollBar::className() const { return "QScrollBar"; }
void* QScrollBar::qt_cast(const char* name)
{
    return name && std::strcmp(name, "QScrollBar") == 0 ? this : QWidget::qt_cast(name);
}
bool QScrollBar::qt_invoke(int id, QUObject* o)
{
    switch (id - staticMetaObject()->slotOffset()) {
    case 0:
        setValue(qUArg<int>(o + 1));
        return true;
    default:
        return QWidget::qt_invoke(id, o);
    }
}
bool QScrollBar::qt_emit(int id, QUObject* o)
{
    switch (id - staticMetaObject()->signalOffset()) {
    case 0:
        valueChanged(qUArg<int>(o + 1));
        return true;
    case 1:
        sliderMoved(qUArg<int>(o + 1));
        return true;
    default:
        return QWidget::qt_emit(id, o);
    }
}
void QScrollBar::valueChanged(int value) { activate_signal(staticMetaObject()->signalOffset() + 0, value); }
void QScrollBar::sliderMoved(int value) { activate_signal(staticMetaObject()->signalOffset() + 1, value); }

QScrollBar::QScrollBar(Orientation orientation, QWidget* parent, const char* name)
    : QWidget(parent, name, 0, L"SCROLLBAR", orientation == Horizontal ? SBS_HORZ : SBS_VERT),
      m_orientation(orientation)
{
    ApplyNative();
}

QSize QScrollBar::sizeHint() const
{
    return m_orientation == Horizontal ? QSize(30, GetSystemMetrics(SM_CYHSCROLL))
                                       : QSize(GetSystemMetrics(SM_CXVSCROLL), 30);
}

void QScrollBar::ApplyNative()
{
    if (!winId())
        return;
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    si.nMin = m_nMin;
    // Qt's maximum is the last value; the native bar's covers the last page as well.
    si.nMax = m_nMax + (m_nPageStep > 0 ? m_nPageStep - 1 : 0);
    si.nPage = static_cast<UINT>(m_nPageStep > 0 ? m_nPageStep : 0);
    si.nPos = m_nValue;
    SetScrollInfo(winId(), SB_CTL, &si, TRUE);
}

void QScrollBar::setRange(int minValue, int maxValue)
{
    m_nMin = minValue;
    m_nMax = maxValue < minValue ? minValue : maxValue;
    const int clamped = m_nValue < m_nMin ? m_nMin : (m_nValue > m_nMax ? m_nMax : m_nValue);
    ApplyNative();
    if (clamped != m_nValue)
        setValue(clamped);
}

void QScrollBar::setSteps(int line, int page)
{
    m_nLineStep = line < 1 ? 1 : line;
    m_nPageStep = page < 1 ? 1 : page;
    ApplyNative();
}

void QScrollBar::setValue(int value)
{
    value = value < m_nMin ? m_nMin : (value > m_nMax ? m_nMax : value);
    if (value == m_nValue)
        return;
    m_nValue = value;
    ApplyNative();
    valueChanged(value);
}

bool QScrollBar::winEvent(MSG* msg, LRESULT* result)
{
    if (msg->hwnd != winId() || (msg->message != WM_HSCROLL && msg->message != WM_VSCROLL))
        return false;
    *result = 0;
    switch (LOWORD(msg->wParam)) {
    case SB_LINEUP:
        setValue(m_nValue - m_nLineStep);
        break;
    case SB_LINEDOWN:
        setValue(m_nValue + m_nLineStep);
        break;
    case SB_PAGEUP:
        setValue(m_nValue - m_nPageStep);
        break;
    case SB_PAGEDOWN:
        setValue(m_nValue + m_nPageStep);
        break;
    case SB_TOP:
        setValue(m_nMin);
        break;
    case SB_BOTTOM:
        setValue(m_nMax);
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO si{};
        si.cbSize = sizeof(si);
        si.fMask = SIF_TRACKPOS;
        const int pos = GetScrollInfo(winId(), SB_CTL, &si) ? si.nTrackPos : static_cast<int>(HIWORD(msg->wParam));
        m_bDragging = LOWORD(msg->wParam) == SB_THUMBTRACK;
        if (m_bDragging)
            sliderMoved(pos);
        if (m_bTracking || !m_bDragging)
            setValue(pos);
        break;
    }
    case SB_ENDSCROLL:
        m_bDragging = false;
        break;
    default:
        break;
    }
    return true;
}

#include "platform/qt/QHeader.h"

#include "platform/qt/QDrawUtil.h"
#include "platform/qt/QPainter.h"

#include <cstring>

namespace {

constexpr int kMargin = 4;      // text inset in a section
constexpr int kHandleSlack = 3; // pixels either side of a section edge that grab it

}  // namespace

QMetaObject* QHeader::staticMetaObject()
{
    static const char* const slotTable[] = {"setOffset(int)"};
    static const char* const signalTable[] = {"clicked(int)", "pressed(int)", "released(int)",
                                              "sizeChange(int,int,int)", "sectionHandleDoubleClicked(int)"};
    static QMetaObject meta("QHeader", QWidget::staticMetaObject(), slotTable, 1, signalTable, 5);
    return &meta;
}
QMetaObject* QHeader::metaObject() const { return staticMetaObject(); }
const char* QHeader::className() const { return "QHeader"; }
void* QHeader::qt_cast(const char* name)
{
    return name && std::strcmp(name, "QHeader") == 0 ? this : QWidget::qt_cast(name);
}
bool QHeader::qt_invoke(int id, QUObject* o)
{
    if (id - staticMetaObject()->slotOffset() == 0) {
        setOffset(qUArg<int>(o + 1));
        return true;
    }
    return QWidget::qt_invoke(id, o);
}
bool QHeader::qt_emit(int id, QUObject* o)
{
    switch (id - staticMetaObject()->signalOffset()) {
    case 0: clicked(qUArg<int>(o + 1)); return true;
    case 1: pressed(qUArg<int>(o + 1)); return true;
    case 2: released(qUArg<int>(o + 1)); return true;
    case 3: sizeChange(qUArg<int>(o + 1), qUArg<int>(o + 2), qUArg<int>(o + 3)); return true;
    case 4: sectionHandleDoubleClicked(qUArg<int>(o + 1)); return true;
    default: return QWidget::qt_emit(id, o);
    }
}
void QHeader::clicked(int section) { activate_signal(staticMetaObject()->signalOffset() + 0, section); }
void QHeader::pressed(int section) { activate_signal(staticMetaObject()->signalOffset() + 1, section); }
void QHeader::released(int section) { activate_signal(staticMetaObject()->signalOffset() + 2, section); }
void QHeader::sizeChange(int section, int oldSize, int newSize)
{
    QUObject o[4];
    o[1].ptr = &section;
    o[2].ptr = &oldSize;
    o[3].ptr = &newSize;
    activate_signal(staticMetaObject()->signalOffset() + 3, o);
}
void QHeader::sectionHandleDoubleClicked(int section)
{
    activate_signal(staticMetaObject()->signalOffset() + 4, section);
}

QHeader::QHeader(QWidget* parent, const char* name) : QWidget(parent, name, WNoAutoErase)
{
    setBackgroundMode(PaletteButton);
}

QHeader::QHeader(int n, QWidget* parent, const char* name) : QHeader(parent, name)
{
    for (int i = 0; i < n; ++i)
        addLabel(QString(L""));
}

int QHeader::addLabel(const QString& label, int size)
{
    if (size < 0)
        size = fontMetrics().width(label) + 2 * kMargin + 4;
    m_sections.push_back(Section{label, size, m_bClickEnabled, m_bResizeEnabled});
    update();
    return count() - 1;
}

void QHeader::removeLabel(int section)
{
    if (section < 0 || section >= count())
        return;
    m_sections.erase(m_sections.begin() + section);
    if (m_nPressed == section) {
        m_nPressed = -1;
        m_bPressedDown = false;
    } else if (m_nPressed > section) {
        --m_nPressed;
    }
    if (m_nResizing >= section)
        m_nResizing = -1;
    if (m_nSortSection == section)
        m_nSortSection = -1;
    else if (m_nSortSection > section)
        --m_nSortSection;
    update();
}

void QHeader::setLabel(int section, const QString& label, int size)
{
    if (section < 0 || section >= count())
        return;
    m_sections[static_cast<size_t>(section)].label = label;
    if (size >= 0)
        resizeSection(section, size);
    update();
}

QString QHeader::label(int section) const
{
    return section >= 0 && section < count() ? m_sections[static_cast<size_t>(section)].label : QString();
}

int QHeader::sectionSize(int section) const
{
    return section >= 0 && section < count() ? m_sections[static_cast<size_t>(section)].size : 0;
}

int QHeader::sectionPos(int section) const
{
    int pos = 0;
    for (int i = 0; i < section && i < count(); ++i)
        pos += m_sections[static_cast<size_t>(i)].size;
    return pos;
}

int QHeader::sectionAt(int pos) const
{
    int x = 0;
    for (int i = 0; i < count(); ++i) {
        const int s = m_sections[static_cast<size_t>(i)].size;
        if (pos >= x && pos < x + s)
            return i;
        x += s;
    }
    return -1;
}

QRect QHeader::sectionRect(int section) const
{
    if (section < 0 || section >= count())
        return QRect();
    return QRect(sectionPos(section) - m_nOffset, 0, sectionSize(section), height());
}

void QHeader::resizeSection(int section, int size)
{
    if (section < 0 || section >= count())
        return;
    m_sections[static_cast<size_t>(section)].size = size < 0 ? 0 : size;
    update();
}

int QHeader::headerWidth() const
{
    return sectionPos(count());
}

void QHeader::setOffset(int pos)
{
    if (pos == m_nOffset)
        return;
    m_nOffset = pos;
    update();
}

void QHeader::setClickEnabled(bool enable, int section)
{
    if (section < 0) {
        m_bClickEnabled = enable;
        for (Section& s : m_sections)
            s.clickable = enable;
    } else if (section < count()) {
        m_sections[static_cast<size_t>(section)].clickable = enable;
    }
}

bool QHeader::isClickEnabled(int section) const
{
    return section < 0 || section >= count() ? m_bClickEnabled : m_sections[static_cast<size_t>(section)].clickable;
}

void QHeader::setResizeEnabled(bool enable, int section)
{
    if (section < 0) {
        m_bResizeEnabled = enable;
        for (Section& s : m_sections)
            s.resizable = enable;
    } else if (section < count()) {
        m_sections[static_cast<size_t>(section)].resizable = enable;
    }
}

bool QHeader::isResizeEnabled(int section) const
{
    return section < 0 || section >= count() ? m_bResizeEnabled : m_sections[static_cast<size_t>(section)].resizable;
}

void QHeader::setSortIndicator(int section, bool ascending)
{
    m_nSortSection = section;
    m_bSortAscending = ascending;
    update();
}

QSize QHeader::sizeHint() const
{
    return QSize(headerWidth(), fontMetrics().height() + 2 * kMargin);
}

int QHeader::HandleAt(int x) const
{
    const int pos = x + m_nOffset;
    int edge = 0;
    for (int i = 0; i < count(); ++i) {
        edge += m_sections[static_cast<size_t>(i)].size;
        if (pos >= edge - kHandleSlack && pos <= edge + kHandleSlack) {
            // The last section whose edge is there (a zero-width one still can be pulled open).
            int j = i;
            while (j + 1 < count() && m_sections[static_cast<size_t>(j + 1)].size == 0)
                ++j;
            return m_sections[static_cast<size_t>(j)].resizable ? j : -1;
        }
    }
    return -1;
}

void QHeader::mousePressEvent(QMouseEvent* e)
{
    if (e->button() != LeftButton)
        return;
    const int handle = HandleAt(e->x());
    if (handle >= 0) {
        m_nResizing = handle;
        m_nResizeStartX = e->x();
        m_nResizeStartSize = sectionSize(handle);
        return;
    }
    const int section = sectionAt(e->x() + m_nOffset);
    if (section < 0 || !isClickEnabled(section))
        return;
    m_nPressed = section;
    m_bPressedDown = true;
    repaint(sectionRect(section), false);
    pressed(section);
}

void QHeader::mouseMoveEvent(QMouseEvent* e)
{
    if (m_nResizing >= 0) {
        const int size = m_nResizeStartSize + e->x() - m_nResizeStartX;
        const int newSize = size < 0 ? 0 : size;
        const int old = sectionSize(m_nResizing);
        if (newSize != old) {
            m_sections[static_cast<size_t>(m_nResizing)].size = newSize;
            repaint(false);
            sizeChange(m_nResizing, old, newSize);
        }
        return;
    }
    if (m_nPressed >= 0) {
        // Held down while the mouse stays on it, as a push button.
        const bool down = sectionAt(e->x() + m_nOffset) == m_nPressed;
        if (down != m_bPressedDown) {
            m_bPressedDown = down;
            repaint(sectionRect(m_nPressed), false);
        }
    }
}

void QHeader::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() != LeftButton)
        return;
    if (m_nResizing >= 0) {
        m_nResizing = -1;
        return;
    }
    if (m_nPressed < 0)
        return;
    const int section = m_nPressed;
    m_nPressed = -1;
    m_bPressedDown = false;
    repaint(sectionRect(section), false);
    released(section);
    if (sectionAt(e->x() + m_nOffset) == section)
        clicked(section);
}

void QHeader::mouseDoubleClickEvent(QMouseEvent* e)
{
    const int handle = HandleAt(e->x());
    if (handle >= 0 && e->button() == LeftButton)
        sectionHandleDoubleClicked(handle);
    else
        mousePressEvent(e);
}

bool QHeader::winEvent(MSG* msg, LRESULT* result)
{
    if (msg->message == WM_SETCURSOR && LOWORD(msg->lParam) == HTCLIENT) {
        POINT pt;
        GetCursorPos(&pt);
        ScreenToClient(winId(), &pt);
        if (m_nResizing >= 0 || HandleAt(pt.x) >= 0) {
            SetCursor(LoadCursorW(nullptr, IDC_SIZEWE));
            *result = TRUE;
            return true;
        }
    }
    return QWidget::winEvent(msg, result);
}

void QHeader::paintSection(QPainter* p, int index, const QRect& fr)
{
    const QColorGroup& g = colorGroup();
    const bool down = index == m_nPressed && m_bPressedDown;
    const QBrush fill(g.button());
    qDrawWinButton(p, fr.x(), fr.y(), fr.width(), fr.height(), g, down, &fill);
    const int shift = down ? 1 : 0;
    int textRight = fr.x() + fr.width() - kMargin;
    if (index == m_nSortSection && fr.width() > 3 * kMargin + 8) {
        // A small triangle: up for ascending, down for descending.
        const int cx = fr.x() + fr.width() - kMargin - 4 + shift;
        const int cy = fr.y() + fr.height() / 2 + shift;
        p->setPen(g.dark());
        for (int i = 0; i < 4; ++i) {
            const int y = m_bSortAscending ? cy - 2 + i : cy + 1 - i;
            p->drawLine(cx - i, y, cx + i, y);
        }
        textRight -= 12;
    }
    p->setPen(g.buttonText());
    p->drawText(fr.x() + kMargin + shift, fr.y() + shift, textRight - fr.x() - kMargin, fr.height(),
                AlignLeft | AlignVCenter | SingleLine, m_sections[static_cast<size_t>(index)].label);
}

void QHeader::paintEvent(QPaintEvent*)
{
    if (width() <= 0 || height() <= 0)
        return;
    if (m_buffer.width() != width() || m_buffer.height() != height())
        m_buffer = QPixmap(width(), height());
    const QColorGroup& g = colorGroup();
    {
        QPainter p(&m_buffer);
        p.setFont(font());
        p.fillRect(0, 0, width(), height(), QBrush(g.button()));
        for (int i = 0; i < count(); ++i) {
            const QRect r = sectionRect(i);
            if (r.x() + r.width() > 0 && r.x() < width() && r.width() > 0)
                paintSection(&p, i, r);
        }
        // The empty part after the last section looks like a section without a label.
        const int end = headerWidth() - m_nOffset;
        if (end < width())
            qDrawWinButton(&p, end, 0, width() - end, height(), g, false);
    }
    QPainter p(this);
    p.drawPixmap(0, 0, m_buffer);
}

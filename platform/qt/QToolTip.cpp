#include "platform/qt/QToolTip.h"

#include "platform/qt/QApplication.h"
#include "platform/qt/QPainter.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

const char kTipClass[] = "QTipLabel";
const char kManagerName[] = "qt_tip_manager";
constexpr int kMargin = 3;
constexpr int kFallAsleepMs = 10000;

// The tip window: a top-most tool popup that never takes the activation.
class QTipLabel : public QWidget {
public:
    QTipLabel() : QWidget(nullptr, "toolTipTip", WType_Popup | WStyle_Tool | WStyle_StaysOnTop | WNoAutoErase) {}
    QMetaObject* metaObject() const override
    {
        static QMetaObject meta(kTipClass, QWidget::staticMetaObject(), nullptr, 0, nullptr, 0);
        return &meta;
    }
    const char* className() const override { return kTipClass; }
    void setText(const QString& text)
    {
        m_text = text;
        update();
    }
    QSize sizeFor() const
    {
        const QFontMetrics fm(QApplication::font(this));
        const QSize s = fm.size(0, m_text);
        return QSize(s.width() + 2 * kMargin + 2, s.height() + 2 * kMargin + 2);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        const QColorGroup g = QApplication::palette(this).active();
        QPainter p(this);
        p.setFont(QApplication::font(this));
        p.setPen(g.foreground());
        p.setBrush(g.background());
        p.drawRect(0, 0, width(), height());
        p.drawText(kMargin + 1, kMargin + 1, width() - 2 * kMargin - 2, height() - 2 * kMargin - 2,
                   AlignLeft | AlignTop, m_text);
    }

private:
    QString m_text;
};

}  // namespace

// Watches the widgets that have tips (as an event filter) and shows the one label. It lives as a
// child of the application object, so it goes with it.
class QTipManager : public QObject {
    Q_OBJECT
public:
    QTipManager() : QObject(qApp, kManagerName) {}
    ~QTipManager() override { delete m_pLabel; }

    static QTipManager* Get(bool bCreate)
    {
        if (!qApp)
            return nullptr;
        if (auto* m = static_cast<QTipManager*>(qApp->child(kManagerName)))
            return m;
        return bCreate ? new QTipManager : nullptr;
    }

    struct Entry {
        QWidget* pWidget;
        QRect rect;  // empty: the whole widget
        QString text;
    };
    std::vector<Entry> m_entries;
    std::vector<QToolTip*> m_dynamic;
    QTipLabel* m_pLabel = nullptr;
    QWidget* m_pWatched = nullptr;
    QPoint m_pos;
    QRect m_tipRect;
    int m_nWakeTimer = 0;
    int m_nSleepTimer = 0;
    int m_nWakeUpDelay = 700;
    bool m_bEnabled = true;

    void Watch(QWidget* w)
    {
        w->installEventFilter(this);
        disconnect(w, SIGNAL(destroyed()), this, SLOT(widgetDestroyed()));
        connect(w, SIGNAL(destroyed()), this, SLOT(widgetDestroyed()));
    }

    void widgetDestroyed() { Forget(const_cast<QObject*>(sender())); }

    void Forget(QObject* w)
    {
        m_entries.erase(std::remove_if(m_entries.begin(), m_entries.end(),
                                       [w](const Entry& e) { return e.pWidget == w; }),
                        m_entries.end());
        m_dynamic.erase(std::remove_if(m_dynamic.begin(), m_dynamic.end(),
                                       [w](const QToolTip* t) { return t->m_pParent == w; }),
                        m_dynamic.end());
        if (m_pWatched == w)
            HideTip();
    }

    void HideTip()
    {
        if (m_nWakeTimer)
            killTimer(m_nWakeTimer);
        if (m_nSleepTimer)
            killTimer(m_nSleepTimer);
        m_nWakeTimer = m_nSleepTimer = 0;
        if (m_pLabel)
            m_pLabel->hide();
        m_pWatched = nullptr;
    }

    void Show(QWidget* w, const QRect& rect, const QString& text)
    {
        if (!m_bEnabled || text.isEmpty() || w != m_pWatched)
            return;
        if (!m_pLabel)
            m_pLabel = new QTipLabel;
        m_pLabel->setText(text);
        const QSize s = m_pLabel->sizeFor();
        POINT cursor;
        GetCursorPos(&cursor);
        int x = cursor.x + 2;
        int y = cursor.y + 20;
        MONITORINFO mi{};
        mi.cbSize = sizeof(mi);
        if (GetMonitorInfoW(MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST), &mi)) {
            x = std::max<int>(mi.rcWork.left, std::min<int>(x, mi.rcWork.right - s.width()));
            if (y + s.height() > mi.rcWork.bottom)
                y = cursor.y - s.height() - 4;
        }
        m_tipRect = rect;
        m_pLabel->setGeometry(x, y, s.width(), s.height());
        m_pLabel->show();
        m_pLabel->repaint();
        if (m_nSleepTimer)
            killTimer(m_nSleepTimer);
        m_nSleepTimer = startTimer(kFallAsleepMs);
    }

    void WakeUp()
    {
        killTimer(m_nWakeTimer);
        m_nWakeTimer = 0;
        QWidget* w = m_pWatched;
        if (!w)
            return;
        for (const Entry& e : m_entries) {
            if (e.pWidget == w && (e.rect.isEmpty() || e.rect.contains(m_pos))) {
                Show(w, e.rect.isEmpty() ? w->rect() : e.rect, e.text);
                return;
            }
        }
        for (QToolTip* t : m_dynamic) {
            if (t->m_pParent == w) {
                t->maybeTip(m_pos);
                return;
            }
        }
    }

protected:
    void timerEvent(QTimerEvent* e) override
    {
        if (e->timerId() == m_nWakeTimer)
            WakeUp();
        else if (e->timerId() == m_nSleepTimer)
            HideTip();
    }

    bool eventFilter(QObject* watched, QEvent* e) override
    {
        auto* w = static_cast<QWidget*>(watched);
        switch (e->type()) {
        case QEvent::Enter:
        case QEvent::MouseMove: {
            const QPoint pos = e->type() == QEvent::MouseMove ? static_cast<QMouseEvent*>(e)->pos()
                                                              : w->mapFromGlobal(QPoint(0, 0));
            const bool bShowing = m_pLabel && m_pLabel->isVisible() && m_pWatched == w;
            if (bShowing && m_tipRect.contains(pos))
                break;
            if (bShowing)
                m_pLabel->hide();
            m_pWatched = w;
            m_pos = pos;
            if (m_nWakeTimer)
                killTimer(m_nWakeTimer);
            m_nWakeTimer = m_bEnabled ? startTimer(m_nWakeUpDelay) : 0;
            break;
        }
        case QEvent::Leave:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::Wheel:
        case QEvent::Hide:
        case QEvent::FocusOut:
            if (m_pWatched == w)
                HideTip();
            break;
        default:
            break;
        }
        return false;
    }
};

QMetaObject* QTipManager::staticMetaObject()
{
    static const char* const slotTable[] = {"widgetDestroyed()"};
    static QMetaObject meta("QTipManager", QObject::staticMetaObject(), slotTable, 1, nullptr, 0);
    return &meta;
}
QMetaObject* QTipManager::metaObject() const { return staticMetaObject(); }
const char* QTipManager::className() const { return "QTipManager"; }
void* QTipManager::qt_cast(const char* name)
{
    return name && std::strcmp(name, "QTipManager") == 0 ? this : QObject::qt_cast(name);
}
bool QTipManager::qt_invoke(int id, QUObject* o)
{
    if (id - staticMetaObject()->slotOffset() == 0) {
        widgetDestroyed();
        return true;
    }
    return QObject::qt_invoke(id, o);
}
bool QTipManager::qt_emit(int id, QUObject* o) { return QObject::qt_emit(id, o); }

namespace {

QTipManager* Manager(bool bCreate = true)
{
    return QTipManager::Get(bCreate);
}

}  // namespace

QToolTip::QToolTip(QWidget* parent) : m_pParent(parent)
{
    if (QTipManager* m = Manager(); m && parent) {
        m->Watch(parent);
        m->m_dynamic.push_back(this);
    }
}

QToolTip::~QToolTip()
{
    if (QTipManager* m = Manager(false)) {
        m->m_dynamic.erase(std::remove(m->m_dynamic.begin(), m->m_dynamic.end(), this), m->m_dynamic.end());
        if (m->m_pWatched == m_pParent)
            m->HideTip();
    }
}

void QToolTip::tip(const QRect& rect, const QString& text)
{
    if (QTipManager* m = Manager(false))
        m->Show(m_pParent, rect, text);
}

void QToolTip::clear()
{
    if (QTipManager* m = Manager(false); m && m->m_pWatched == m_pParent)
        m->HideTip();
}

void QToolTip::add(QWidget* widget, const QString& text)
{
    add(widget, QRect(), text);
}

void QToolTip::add(QWidget* widget, const QRect& rect, const QString& text)
{
    QTipManager* m = Manager();
    if (!m || !widget)
        return;
    remove(widget, rect);
    m->m_entries.push_back(QTipManager::Entry{widget, rect, text});
    m->Watch(widget);
}

void QToolTip::remove(QWidget* widget)
{
    if (QTipManager* m = Manager(false)) {
        m->Forget(widget);
        widget->removeEventFilter(m);
    }
}

void QToolTip::remove(QWidget* widget, const QRect& rect)
{
    if (QTipManager* m = Manager(false)) {
        auto& v = m->m_entries;
        v.erase(std::remove_if(v.begin(), v.end(),
                               [&](const QTipManager::Entry& e) { return e.pWidget == widget && e.rect == rect; }),
                v.end());
    }
}

QFont QToolTip::font()
{
    return QApplication::fontForClass(kTipClass);
}

void QToolTip::setFont(const QFont& font)
{
    QApplication::setFont(font, true, kTipClass);
}

QPalette QToolTip::palette()
{
    return QApplication::paletteForClass(kTipClass);
}

void QToolTip::setPalette(const QPalette& palette)
{
    QApplication::setPalette(palette, true, kTipClass);
}

void QToolTip::hide()
{
    if (QTipManager* m = Manager(false))
        m->HideTip();
}

void QToolTip::setGloballyEnabled(bool enable)
{
    if (QTipManager* m = Manager()) {
        m->m_bEnabled = enable;
        if (!enable)
            m->HideTip();
    }
}

bool QToolTip::isGloballyEnabled()
{
    QTipManager* m = Manager(false);
    return !m || m->m_bEnabled;
}

void QToolTip::setWakeUpDelay(int ms)
{
    if (QTipManager* m = Manager())
        m->m_nWakeUpDelay = ms < 0 ? 0 : ms;
}

QWidget* QToolTip::visibleTip()
{
    QTipManager* m = Manager(false);
    return m && m->m_pLabel && m->m_pLabel->isVisible() ? m->m_pLabel : nullptr;
}

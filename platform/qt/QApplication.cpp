#include "platform/qt/QApplication.h"

#include "platform/qt/QEvent.h"
#include "platform/qt/QWidget.h"

#include <algorithm>
#include <cstring>

QApplication* qApp = nullptr;

namespace {

constexpr UINT WM_QT_POSTED = WM_APP + 0x51;
const wchar_t kWindowClass[] = L"QtApplicationMessages";

BOOL CALLBACK UpdateChild(HWND hWnd, LPARAM)
{
    if (QWidget* w = QWidget::find(hWnd))
        w->update();
    return TRUE;
}

BOOL CALLBACK UpdateTopLevel(HWND hWnd, LPARAM lParam)
{
    UpdateChild(hWnd, lParam);
    EnumChildWindows(hWnd, UpdateChild, lParam);
    return TRUE;
}

void UpdateAllWidgets()
{
    EnumThreadWindows(GetCurrentThreadId(), UpdateTopLevel, 0);
}

}  // namespace

QMetaObject* QApplication::staticMetaObject()
{
    static QMetaObject meta("QApplication", QObject::staticMetaObject(), nullptr, 0, nullptr, 0);
    return &meta;
}
QMetaObject* QApplication::metaObject() const { return staticMetaObject(); }
const char* QApplication::className() const { return "QApplication"; }
void* QApplication::qt_cast(const char* name)
{
    return name && std::strcmp(name, "QApplication") == 0 ? this : QObject::qt_cast(name);
}
bool QApplication::qt_invoke(int id, QUObject* o) { return QObject::qt_invoke(id, o); }
bool QApplication::qt_emit(int id, QUObject* o) { return QObject::qt_emit(id, o); }

QApplication::QApplication(int&, char**)
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = WndProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kWindowClass;
    RegisterClassExW(&wc);  // fails harmlessly when a second application registers it again
    m_hWnd = CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    m_palette = SystemPalette();
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof(ncm);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0))
        m_font = QFont::fromLogFont(ncm.lfMessageFont);
    if (!qApp)
        qApp = this;
}

QApplication::~QApplication()
{
    for (const auto& t : m_timers)
        KillTimer(m_hWnd, static_cast<UINT_PTR>(t.first));
    m_timers.clear();
    while (!m_posted.empty()) {
        delete m_posted.front().pEvent;
        m_posted.pop_front();
    }
    if (m_hWnd)
        DestroyWindow(m_hWnd);
    if (qApp == this)
        qApp = nullptr;
}

LRESULT CALLBACK QApplication::WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (qApp && hWnd == qApp->m_hWnd) {
        if (message == WM_QT_POSTED) {
            qApp->m_bDeliveryRequested = false;
            sendPostedEvents();
            return 0;
        }
        if (message == WM_TIMER) {
            const auto it = qApp->m_timers.find(static_cast<int>(wParam));
            if (it != qApp->m_timers.end()) {
                QTimerEvent e(it->first);
                sendEvent(it->second, &e);
            }
            return 0;
        }
    }
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

void QApplication::RequestDelivery()
{
    if (!m_bDeliveryRequested && m_hWnd) {
        m_bDeliveryRequested = true;
        PostMessageW(m_hWnd, WM_QT_POSTED, 0, 0);
    }
}

void QApplication::postEvent(QObject* receiver, QEvent* event)
{
    if (!event)
        return;
    if (!qApp || !receiver) {
        delete event;  // nothing could ever deliver it
        return;
    }
    qApp->m_posted.push_back(Posted{receiver, event});
    qApp->RequestDelivery();
}

bool QApplication::sendEvent(QObject* receiver, QEvent* event)
{
    return receiver && event && receiver->deliverEvent(event);
}

void QApplication::sendPostedEvents()
{
    sendPostedEvents(nullptr, 0);
}

void QApplication::sendPostedEvents(QObject* receiver, int eventType)
{
    if (!qApp)
        return;
    // Only what is queued now: events posted while delivering wait for the next round.
    size_t n = qApp->m_posted.size();
    for (size_t i = 0; i < n && qApp;) {
        Posted p = qApp->m_posted[i];
        if ((receiver && p.pReceiver != receiver) || (eventType && p.pEvent->type() != eventType)) {
            ++i;
            continue;
        }
        qApp->m_posted.erase(qApp->m_posted.begin() + static_cast<std::ptrdiff_t>(i));
        --n;
        sendEvent(p.pReceiver, p.pEvent);
        delete p.pEvent;
        // A receiver may have removed queued events meanwhile.
        n = std::min(n, qApp ? qApp->m_posted.size() : 0);
    }
    if (qApp && !qApp->m_posted.empty())
        qApp->RequestDelivery();
}

void QApplication::removePostedEvents(QObject* receiver)
{
    if (!qApp)
        return;
    auto& q = qApp->m_posted;
    for (auto it = q.begin(); it != q.end();) {
        if (it->pReceiver == receiver) {
            delete it->pEvent;
            it = q.erase(it);
        } else {
            ++it;
        }
    }
}

bool QApplication::hasPendingEvents()
{
    MSG msg;
    return (qApp && !qApp->m_posted.empty()) || PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
}

void QApplication::processEvents()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

QWidget* QApplication::activeWindow()
{
    return qApp ? qApp->m_pActiveWindow : nullptr;
}

void QApplication::setActiveWindowRecord(QWidget* widget)
{
    if (qApp)
        qApp->m_pActiveWindow = widget;
}

QWidget* QApplication::focusWidget()
{
    return QWidget::find(GetFocus());
}

QPalette QApplication::SystemPalette()
{
    auto sys = [](int index) { return QColor::fromColorRef(GetSysColor(index)); };
    QColorGroup g;
    g.setColor(QColorGroup::Foreground, sys(COLOR_WINDOWTEXT));
    g.setColor(QColorGroup::Button, sys(COLOR_BTNFACE));
    g.setColor(QColorGroup::Light, sys(COLOR_3DHILIGHT));
    g.setColor(QColorGroup::Midlight, sys(COLOR_3DLIGHT));
    g.setColor(QColorGroup::Dark, sys(COLOR_3DSHADOW));
    g.setColor(QColorGroup::Mid, sys(COLOR_3DSHADOW));
    g.setColor(QColorGroup::Text, sys(COLOR_WINDOWTEXT));
    g.setColor(QColorGroup::BrightText, QColor(255, 255, 255));
    g.setColor(QColorGroup::ButtonText, sys(COLOR_BTNTEXT));
    g.setColor(QColorGroup::Base, sys(COLOR_WINDOW));
    g.setColor(QColorGroup::Background, sys(COLOR_BTNFACE));
    g.setColor(QColorGroup::Shadow, sys(COLOR_3DDKSHADOW));
    g.setColor(QColorGroup::Highlight, sys(COLOR_HIGHLIGHT));
    g.setColor(QColorGroup::HighlightedText, sys(COLOR_HIGHLIGHTTEXT));
    QColorGroup d = g;
    d.setColor(QColorGroup::Foreground, sys(COLOR_GRAYTEXT));
    d.setColor(QColorGroup::Text, sys(COLOR_GRAYTEXT));
    d.setColor(QColorGroup::ButtonText, sys(COLOR_GRAYTEXT));
    return QPalette(g, d, g);
}

QPalette QApplication::palette(const QWidget* widget)
{
    if (!qApp)
        return SystemPalette();
    if (widget) {
        for (const auto& [name, pal] : qApp->m_classPalettes) {
            if (widget->inherits(name.c_str()))
                return pal;
        }
    }
    return qApp->m_palette;
}

void QApplication::setPalette(const QPalette& palette, bool informWidgets, const char* className)
{
    if (!qApp)
        return;
    if (className)
        qApp->m_classPalettes[className] = palette;
    else
        qApp->m_palette = palette;
    if (informWidgets)
        UpdateAllWidgets();
}

QFont QApplication::font(const QWidget* widget)
{
    if (!qApp)
        return QFont();
    if (widget) {
        for (const auto& [name, f] : qApp->m_classFonts) {
            if (widget->inherits(name.c_str()))
                return f;
        }
    }
    return qApp->m_font;
}

void QApplication::setFont(const QFont& font, bool informWidgets, const char* className)
{
    if (!qApp)
        return;
    if (className)
        qApp->m_classFonts[className] = font;
    else
        qApp->m_font = font;
    if (informWidgets)
        UpdateAllWidgets();
}

QPalette QApplication::paletteForClass(const char* className)
{
    if (!qApp)
        return SystemPalette();
    const auto it = className ? qApp->m_classPalettes.find(className) : qApp->m_classPalettes.end();
    return it != qApp->m_classPalettes.end() ? it->second : qApp->m_palette;
}

QFont QApplication::fontForClass(const char* className)
{
    if (!qApp)
        return QFont();
    const auto it = className ? qApp->m_classFonts.find(className) : qApp->m_classFonts.end();
    return it != qApp->m_classFonts.end() ? it->second : qApp->m_font;
}

int QApplication::registerTimer(QObject* obj, int interval)
{
    if (!qApp || !qApp->m_hWnd)
        return 0;
    const int id = qApp->m_nNextTimer++;
    if (!SetTimer(qApp->m_hWnd, static_cast<UINT_PTR>(id), static_cast<UINT>(interval < 0 ? 0 : interval), nullptr))
        return 0;
    qApp->m_timers[id] = obj;
    return id;
}

void QApplication::unregisterTimer(int id)
{
    if (!qApp)
        return;
    KillTimer(qApp->m_hWnd, static_cast<UINT_PTR>(id));
    qApp->m_timers.erase(id);
}

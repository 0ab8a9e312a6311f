#pragma once
// The application object. There is no exec(): dialogs run their own message loops, and posted events
// and timers arrive through a message-only window that any Win32 loop dispatches to.
#include "platform/qt/QFont.h"
#include "platform/qt/QObject.h"
#include "platform/qt/QPalette.h"

#include <deque>
#include <map>
#include <string>

class QWidget;

class QApplication : public QObject {
    Q_OBJECT
public:
    QApplication(int& argc, char** argv);
    ~QApplication() override;

    static void postEvent(QObject* receiver, QEvent* event);  // takes the event
    static bool sendEvent(QObject* receiver, QEvent* event);
    static void sendPostedEvents();
    static void sendPostedEvents(QObject* receiver, int eventType);  // eventType 0: all
    static void removePostedEvents(QObject* receiver);
    static bool hasPendingEvents();
    // Dispatches what is queued for the thread (including posted events) without waiting.
    static void processEvents();

    static QWidget* activeWindow();
    // Qt's record of the active window, set directly: no activation events are sent.
    static void setActiveWindowRecord(QWidget* widget);
    static QWidget* focusWidget();

    static QPalette palette(const QWidget* widget = nullptr);
    static void setPalette(const QPalette& palette, bool informWidgets = false, const char* className = nullptr);
    static QFont font(const QWidget* widget = nullptr);
    // What widgets of the class (and its subclasses) get; the application's own when none was set.
    static QPalette paletteForClass(const char* className);
    static QFont fontForClass(const char* className);
    static void setFont(const QFont& font, bool informWidgets = false, const char* className = nullptr);
    static int doubleClickInterval() { return static_cast<int>(GetDoubleClickTime()); }
    static int startDragDistance() { return GetSystemMetrics(SM_CXDRAG); }

    // Used by QObject.
    static int registerTimer(QObject* obj, int interval);
    static void unregisterTimer(int id);
    // The window that receives posted events and timers (for tests and the tool tip).
    HWND internalWindow() const { return m_hWnd; }

private:
    struct Posted {
        QObject* pReceiver;
        QEvent* pEvent;
    };
    static LRESULT CALLBACK WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    void RequestDelivery();
    static QPalette SystemPalette();

    HWND m_hWnd = nullptr;
    std::deque<Posted> m_posted;
    bool m_bDeliveryRequested = false;
    QWidget* m_pActiveWindow = nullptr;
    QPalette m_palette;
    QFont m_font;
    std::map<std::string, QPalette> m_classPalettes;
    std::map<std::string, QFont> m_classFonts;
    std::map<int, QObject*> m_timers;
    int m_nNextTimer = 1;
};

extern QApplication* qApp;

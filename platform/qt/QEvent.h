#pragma once
// Events delivered to objects and widgets.
#include "platform/qt/QString.h"
#include "platform/qt/QtGlobal.h"

class QEvent : public Qt {
public:
    enum Type {
        None = 0, Timer = 1, MouseButtonPress = 2, MouseButtonRelease = 3, MouseButtonDblClick = 4,
        MouseMove = 5, KeyPress = 6, KeyRelease = 7, FocusIn = 8, FocusOut = 9, Enter = 10, Leave = 11,
        Paint = 12, Move = 13, Resize = 14, Show = 17, Hide = 18, Wheel = 31, Drop = 63, User = 1000,
    };
    explicit QEvent(Type type) : m_type(type) {}
    virtual ~QEvent() = default;
    Type type() const { return m_type; }

private:
    Type m_type;
};

class QTimerEvent : public QEvent {
public:
    explicit QTimerEvent(int id) : QEvent(Timer), m_id(id) {}
    int timerId() const { return m_id; }

private:
    int m_id;
};

// Events that a receiver may refuse, so that they go on to the parent widget.
class QAcceptEvent : public QEvent {
public:
    explicit QAcceptEvent(Type type) : QEvent(type) {}
    void accept() { m_bAccepted = true; }
    void ignore() { m_bAccepted = false; }
    bool isAccepted() const { return m_bAccepted; }

private:
    bool m_bAccepted = true;
};

class QMouseEvent : public QAcceptEvent {
public:
    QMouseEvent(Type type, const QPoint& pos, const QPoint& globalPos, int button, int state)
        : QAcceptEvent(type), m_pos(pos), m_globalPos(globalPos), m_button(button), m_state(state)
    {
    }
    const QPoint& pos() const { return m_pos; }
    const QPoint& globalPos() const { return m_globalPos; }
    int x() const { return m_pos.x(); }
    int y() const { return m_pos.y(); }
    ButtonState button() const { return static_cast<ButtonState>(m_button); }
    ButtonState state() const { return static_cast<ButtonState>(m_state); }

private:
    QPoint m_pos;
    QPoint m_globalPos;
    int m_button;
    int m_state;
};

class QWheelEvent : public QAcceptEvent {
public:
    QWheelEvent(const QPoint& pos, int delta, int state) : QAcceptEvent(Wheel), m_pos(pos), m_delta(delta), m_state(state) {}
    const QPoint& pos() const { return m_pos; }
    int delta() const { return m_delta; }
    ButtonState state() const { return static_cast<ButtonState>(m_state); }

private:
    QPoint m_pos;
    int m_delta;
    int m_state;
};

class QKeyEvent : public QAcceptEvent {
public:
    QKeyEvent(Type type, int key, int ascii, int state, const QString& text = QString(), bool autorep = false)
        : QAcceptEvent(type), m_key(key), m_ascii(ascii), m_state(state), m_text(text), m_bAutoRepeat(autorep)
    {
    }
    int key() const { return m_key; }
    int ascii() const { return m_ascii; }
    ButtonState state() const { return static_cast<ButtonState>(m_state); }
    QString text() const { return m_text; }
    bool isAutoRepeat() const { return m_bAutoRepeat; }

private:
    int m_key;
    int m_ascii;
    int m_state;
    QString m_text;
    bool m_bAutoRepeat;
};

class QFocusEvent : public QEvent {
public:
    explicit QFocusEvent(Type type) : QEvent(type) {}
    bool gotFocus() const { return type() == FocusIn; }
    bool lostFocus() const { return type() == FocusOut; }
};

class QPaintEvent : public QEvent {
public:
    QPaintEvent(const QRect& rect, bool erased = true) : QEvent(Paint), m_rect(rect), m_bErased(erased) {}
    const QRect& rect() const { return m_rect; }
    bool erased() const { return m_bErased; }

private:
    QRect m_rect;
    bool m_bErased;
};

class QMoveEvent : public QEvent {
public:
    QMoveEvent(const QPoint& pos, const QPoint& oldPos) : QEvent(Move), m_pos(pos), m_oldPos(oldPos) {}
    const QPoint& pos() const { return m_pos; }
    const QPoint& oldPos() const { return m_oldPos; }

private:
    QPoint m_pos;
    QPoint m_oldPos;
};

class QResizeEvent : public QEvent {
public:
    QResizeEvent(const QSize& size, const QSize& oldSize) : QEvent(Resize), m_size(size), m_oldSize(oldSize) {}
    const QSize& size() const { return m_size; }
    const QSize& oldSize() const { return m_oldSize; }

private:
    QSize m_size;
    QSize m_oldSize;
};

class QShowEvent : public QEvent {
public:
    QShowEvent() : QEvent(Show) {}
};

class QHideEvent : public QEvent {
public:
    QHideEvent() : QEvent(Hide) {}
};

// A drop of files from the shell (WM_DROPFILES) or of a drag within the program.
class QDropEvent : public QAcceptEvent {
public:
    explicit QDropEvent(const QPoint& pos, const QStringList& files = QStringList())
        : QAcceptEvent(Drop), m_pos(pos), m_files(files)
    {
        ignore();
    }
    const QPoint& pos() const { return m_pos; }
    const QStringList& files() const { return m_files; }
    void acceptAction(bool y = true) { if (y) accept(); else ignore(); }

private:
    QPoint m_pos;
    QStringList m_files;
};

// An event posted by the program itself.
class QCustomEvent : public QEvent {
public:
    explicit QCustomEvent(int type, void* data = nullptr) : QEvent(static_cast<Type>(type)), m_pData(data) {}
    void* data() const { return m_pData; }

private:
    void* m_pData;
};

#pragma once
// Objects with names, parents and children, and signals connected to slots by Qt 3 signature strings.
// There is no code generator: each class writes its signal and slot tables by hand (QMetaObject) and
// dispatches them in qt_invoke/qt_emit.
#include "platform/qt/QtGlobal.h"

#include <memory>
#include <vector>

#define SLOT(a) "1" #a
#define SIGNAL(a) "2" #a
#define slots
#define signals public
#define emit

class QObject;
class QEvent;
typedef std::vector<QObject*> QObjectList;

// One argument slot of a signal call; element 0 is reserved for a result, as in Qt 3.
struct QUObject {
    const void* ptr = nullptr;
};
template <class T>
const T& qUArg(const QUObject* o)
{
    return *static_cast<const T*>(o->ptr);
}

class QMetaObject {
public:
    QMetaObject(const char* className, QMetaObject* superClass, const char* const* slotTable, int nSlots,
                const char* const* signalTable, int nSignals);
    const char* className() const { return m_pszClass; }
    QMetaObject* superClass() const { return m_pSuper; }
    const char* superClassName() const { return m_pSuper ? m_pSuper->className() : nullptr; }
    bool inherits(const char* className) const;
    int numSlots(bool super = false) const;
    int numSignals(bool super = false) const;
    int slotOffset() const { return m_pSuper ? m_pSuper->numSlots(true) : 0; }
    int signalOffset() const { return m_pSuper ? m_pSuper->numSignals(true) : 0; }
    // Global index of a normalised signature, or -1.
    int findSlot(const char* signature, bool super = false) const;
    int findSignal(const char* signature, bool super = false) const;
    // The signature at a global index, or null.
    const char* slotSignature(int index) const;
    const char* signalSignature(int index) const;

private:
    const char* m_pszClass;
    QMetaObject* m_pSuper;
    std::vector<std::string> m_slots;
    std::vector<std::string> m_signals;
};

// Qt 3's signature normalisation: blanks only where two names would otherwise run together.
std::string qNormalizeSignature(const char* signature);

#define Q_OBJECT                                          \
public:                                                   \
    static QMetaObject* staticMetaObject();               \
    QMetaObject* metaObject() const override;             \
    const char* className() const override;               \
    void* qt_cast(const char* className) override;        \
    bool qt_invoke(int id, QUObject* o) override;         \
    bool qt_emit(int id, QUObject* o) override;           \
                                                          \
private:

class QObject : public Qt {
public:
    explicit QObject(QObject* parent = nullptr, const char* name = nullptr);
    virtual ~QObject();
    QObject(const QObject&) = delete;
    QObject& operator=(const QObject&) = delete;

    static QMetaObject* staticMetaObject();
    virtual QMetaObject* metaObject() const;
    virtual const char* className() const;
    virtual void* qt_cast(const char* className);
    virtual bool qt_invoke(int id, QUObject* o);
    virtual bool qt_emit(int id, QUObject* o);
    virtual bool qt_property(int id, int f, void* v);

    bool isA(const char* className) const;
    bool inherits(const char* className) const;
    virtual bool isWidgetType() const { return false; }

    const char* name() const { return m_name.c_str(); }
    virtual void setName(const char* name);
    QObject* parent() const { return m_pParent; }
    const QObjectList* children() const { return m_children.empty() ? nullptr : &m_children; }
    QObject* child(const char* name, const char* className = nullptr) const;
    virtual void insertChild(QObject* obj);
    virtual void removeChild(QObject* obj);

    static bool connect(const QObject* sender, const char* signal, const QObject* receiver, const char* member);
    bool connect(const QObject* sender, const char* signal, const char* member) const
    {
        return connect(sender, signal, this, member);
    }
    static bool disconnect(const QObject* sender, const char* signal, const QObject* receiver, const char* member);
    bool disconnect(const char* signal = nullptr, const QObject* receiver = nullptr, const char* member = nullptr)
    {
        return disconnect(this, signal, receiver, member);
    }
    bool disconnect(const QObject* receiver, const char* member = nullptr)
    {
        return disconnect(this, nullptr, receiver, member);
    }
    void blockSignals(bool b) { m_bBlockSignals = b; }
    bool signalsBlocked() const { return m_bBlockSignals; }

    virtual bool event(QEvent* e);
    virtual bool eventFilter(QObject* watched, QEvent* e);
    void installEventFilter(const QObject* filter);
    void removeEventFilter(const QObject* filter);
    // Filters first (the last installed first), then event(); what QApplication::sendEvent calls.
    bool deliverEvent(QEvent* e);
    // The filters alone; TRUE when one of them took the event.
    bool filterEvent(QEvent* e);

    int startTimer(int interval);
    void killTimer(int id);
    void killTimers();

signals:
    void destroyed();

protected:
    // Calls the slots connected to the signal with the global index, in the order of connection.
    void activate_signal(int signal, QUObject* o = nullptr);
    void activate_signal(int signal, int arg);
    // The object whose signal is being delivered to this one, or null.
    const QObject* sender() const { return m_pSender; }
    virtual void timerEvent(class QTimerEvent* e);

private:
    struct Connection;

    std::string m_name;
    QObject* m_pParent = nullptr;
    QObjectList m_children;
    std::vector<std::shared_ptr<Connection>> m_outgoing;
    std::vector<std::shared_ptr<Connection>> m_incoming;
    std::vector<QObject*> m_filters;   // filters installed on this object
    std::vector<QObject*> m_watched;   // objects this one filters
    std::vector<int> m_timers;
    std::shared_ptr<bool> m_life = std::make_shared<bool>(true);
    const QObject* m_pSender = nullptr;
    bool m_bBlockSignals = false;
};

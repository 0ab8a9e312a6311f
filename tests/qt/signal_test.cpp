// Objects and signals: connection by signature strings against hand-written tables, emission order,
// disconnection, receivers and senders destroyed while a signal is delivered, meta-object lookups.
#include "platform/qt/QEvent.h"
#include "platform/qt/QHeader.h"
#include "platform/qt/QObject.h"
#include "platform/qt/QScrollBar.h"
#include "platform/qt/QScrollView.h"

#include "QtTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<std::string> g_calls;

class Sender : public QObject {
    Q_OBJECT
public:
    explicit Sender(const char* name = nullptr) : QObject(nullptr, name) {}
signals:
    void valueChanged(int v) { activate_signal(staticMetaObject()->signalOffset() + 0, v); }
    void textChanged(const QString& s)
    {
        QUObject o[2];
        o[1].ptr = &s;
        activate_signal(staticMetaObject()->signalOffset() + 1, o);
    }
    void fired() { activate_signal(staticMetaObject()->signalOffset() + 2); }
};

QMetaObject* Sender::staticMetaObject()
{
    static const char* const signalTable[] = {"valueChanged(int)", "textChanged(const QString&)", "fired()"};
    static QMetaObject meta("Sender", QObject::staticMetaObject(), nullptr, 0, signalTable, 3);
    return &meta;
}
QMetaObject* Sender::metaObject() const { return staticMetaObject(); }
const char* Sender::className() const { return "Sender"; }
void* Sender::qt_cast(const char* n) { return n && !std::strcmp(n, "Sender") ? this : QObject::qt_cast(n); }
bool Sender::qt_invoke(int id, QUObject* o) { return QObject::qt_invoke(id, o); }
bool Sender::qt_emit(int id, QUObject* o)
{
    switch (id - staticMetaObject()->signalOffset()) {
    case 0: valueChanged(qUArg<int>(o + 1)); return true;
    case 1: textChanged(qUArg<QString>(o + 1)); return true;
    case 2: fired(); return true;
    default: return QObject::qt_emit(id, o);
    }
}

class Receiver : public QObject {
    Q_OBJECT
public:
    explicit Receiver(const char* name) : QObject(nullptr, name) {}
    QObject* m_pVictim = nullptr;  // deleted by kill()
    const QObject* m_pSeenSender = nullptr;
public slots:
    void setValue(int v) { g_calls.push_back(std::string(name()) + ".setValue(" + std::to_string(v) + ")"); }
    void setText(const QString& s) { g_calls.push_back(std::string(name()) + ".setText(" + s.latin1() + ")"); }
    void ping()
    {
        m_pSeenSender = sender();
        g_calls.push_back(std::string(name()) + ".ping()");
    }
    void kill()
    {
        g_calls.push_back(std::string(name()) + ".kill()");
        delete m_pVictim;
        m_pVictim = nullptr;
    }
};

QMetaObject* Receiver::staticMetaObject()
{
    static const char* const slotTable[] = {"setValue(int)", "setText(const QString&)", "ping()", "kill()"};
    static QMetaObject meta("Receiver", QObject::staticMetaObject(), slotTable, 4, nullptr, 0);
    return &meta;
}
QMetaObject* Receiver::metaObject() const { return staticMetaObject(); }
const char* Receiver::className() const { return "Receiver"; }
void* Receiver::qt_cast(const char* n) { return n && !std::strcmp(n, "Receiver") ? this : QObject::qt_cast(n); }
bool Receiver::qt_invoke(int id, QUObject* o)
{
    switch (id - staticMetaObject()->slotOffset()) {
    case 0: setValue(qUArg<int>(o + 1)); return true;
    case 1: setText(qUArg<QString>(o + 1)); return true;
    case 2: ping(); return true;
    case 3: kill(); return true;
    default: return QObject::qt_invoke(id, o);
    }
}
bool Receiver::qt_emit(int id, QUObject* o) { return QObject::qt_emit(id, o); }

class SignalTest : public ::testing::Test {
protected:
    void SetUp() override { g_calls.clear(); }
};

TEST_F(SignalTest, ConnectChecksSignaturesAgainstTheTables)
{
    Sender s;
    Receiver r("r");
    EXPECT_TRUE(QObject::connect(&s, SIGNAL(valueChanged(int)), &r, SLOT(setValue(int))));
    // Blanks as a caller may write them, normalised as Qt 3 does.
    EXPECT_TRUE(QObject::connect(&s, SIGNAL( textChanged( const QString & ) ), &r, SLOT(setText(const QString&))));
    // A slot may take fewer arguments than the signal gives.
    EXPECT_TRUE(QObject::connect(&s, SIGNAL(valueChanged(int)), &r, SLOT(ping())));

    EXPECT_FALSE(QObject::connect(&s, SIGNAL(valueChanged(int)), &r, SLOT(setText(const QString&))));
    EXPECT_FALSE(QObject::connect(&s, SIGNAL(fired()), &r, SLOT(setValue(int))));
    EXPECT_FALSE(QObject::connect(&s, SIGNAL(noSuchSignal()), &r, SLOT(ping())));
    EXPECT_FALSE(QObject::connect(&s, SIGNAL(fired()), &r, SLOT(noSuchSlot())));
    EXPECT_FALSE(QObject::connect(&s, "fired()", &r, SLOT(ping())));       // no SIGNAL() code
    EXPECT_FALSE(QObject::connect(&s, SIGNAL(fired()), &r, "ping()"));    // no SLOT() code
    EXPECT_FALSE(QObject::connect(&s, SIGNAL(fired()), nullptr, SLOT(ping())));
    // A slot is not a signal of the sender, and the receiver's signals are not its slots.
    EXPECT_FALSE(QObject::connect(&r, SIGNAL(ping()), &s, SLOT(fired())));

    s.valueChanged(7);
    s.textChanged(QString(L"abc"));
    EXPECT_EQ((std::vector<std::string>{"r.setValue(7)", "r.ping()", "r.setText(abc)"}), g_calls);
}

TEST_F(SignalTest, EmittingCallsSlotsInTheOrderOfConnection)
{
    Sender s;
    Receiver a("a"), b("b"), c("c");
    ASSERT_TRUE(QObject::connect(&s, SIGNAL(valueChanged(int)), &b, SLOT(setValue(int))));
    ASSERT_TRUE(QObject::connect(&s, SIGNAL(valueChanged(int)), &a, SLOT(setValue(int))));
    ASSERT_TRUE(QObject::connect(&s, SIGNAL(valueChanged(int)), &c, SLOT(setValue(int))));
    ASSERT_TRUE(QObject::connect(&s, SIGNAL(valueChanged(int)), &a, SLOT(ping())));
    s.valueChanged(1);
    EXPECT_EQ((std::vector<std::string>{"b.setValue(1)", "a.setValue(1)", "c.setValue(1)", "a.ping()"}), g_calls);
    EXPECT_EQ(&s, a.m_pSeenSender);

    g_calls.clear();
    s.blockSignals(true);
    s.valueChanged(2);
    EXPECT_TRUE(g_calls.empty());
}

TEST_F(SignalTest, SignalsCanDriveOtherSignals)
{
    Sender first, second;
    Receiver r("r");
    ASSERT_TRUE(QObject::connect(&first, SIGNAL(valueChanged(int)), &second, SIGNAL(valueChanged(int))));
    ASSERT_TRUE(QObject::connect(&second, SIGNAL(valueChanged(int)), &r, SLOT(setValue(int))));
    first.valueChanged(5);
    EXPECT_EQ(std::vector<std::string>{"r.setValue(5)"}, g_calls);
}

TEST_F(SignalTest, DisconnectRemovesExactlyWhatItNames)
{
    Sender s;
    Receiver a("a"), b("b");
    QObject::connect(&s, SIGNAL(valueChanged(int)), &a, SLOT(setValue(int)));
    QObject::connect(&s, SIGNAL(valueChanged(int)), &a, SLOT(ping()));
    QObject::connect(&s, SIGNAL(valueChanged(int)), &b, SLOT(setValue(int)));
    QObject::connect(&s, SIGNAL(fired()), &b, SLOT(ping()));

    EXPECT_TRUE(QObject::disconnect(&s, SIGNAL(valueChanged(int)), &a, SLOT(ping())));
    EXPECT_FALSE(QObject::disconnect(&s, SIGNAL(valueChanged(int)), &a, SLOT(ping())));  // already gone
    s.valueChanged(3);
    EXPECT_EQ((std::vector<std::string>{"a.setValue(3)", "b.setValue(3)"}), g_calls);

    g_calls.clear();
    EXPECT_TRUE(s.disconnect(&b));  // every connection to b
    s.valueChanged(4);
    s.fired();
    EXPECT_EQ(std::vector<std::string>{"a.setValue(4)"}, g_calls);

    g_calls.clear();
    EXPECT_TRUE(s.disconnect());
    s.valueChanged(5);
    EXPECT_TRUE(g_calls.empty());
    EXPECT_FALSE(QObject::disconnect(&s, SIGNAL(noSuch()), nullptr, nullptr));
}

TEST_F(SignalTest, ReceiverDestroyedDuringEmitIsSkipped)
{
    Sender s;
    Receiver killer("killer");
    auto* victim = new Receiver("victim");
    Receiver last("last");
    killer.m_pVictim = victim;
    QObject::connect(&s, SIGNAL(fired()), &killer, SLOT(kill()));
    QObject::connect(&s, SIGNAL(fired()), victim, SLOT(ping()));
    QObject::connect(&s, SIGNAL(fired()), &last, SLOT(ping()));
    s.fired();
    EXPECT_EQ((std::vector<std::string>{"killer.kill()", "last.ping()"}), g_calls);

    // And the connection is gone for good.
    g_calls.clear();
    s.fired();
    EXPECT_EQ((std::vector<std::string>{"killer.kill()", "last.ping()"}), g_calls);
}

TEST_F(SignalTest, SenderDestroyedByItsOwnSlotStopsTheEmission)
{
    auto* s = new Sender;
    Receiver killer("killer"), later("later");
    killer.m_pVictim = s;
    QObject::connect(s, SIGNAL(fired()), &killer, SLOT(kill()));
    QObject::connect(s, SIGNAL(fired()), &later, SLOT(ping()));
    s->fired();
    EXPECT_EQ(std::vector<std::string>{"killer.kill()"}, g_calls);
}

TEST_F(SignalTest, ChildrenGoWithTheirParentAndAnnounceIt)
{
    auto* parent = new QObject(nullptr, "parent");
    auto* child = new QObject(parent, "child");
    auto* grandChild = new QObject(child, "grandChild");
    Receiver watcher("watcher");
    QObject::connect(grandChild, SIGNAL(destroyed()), &watcher, SLOT(ping()));
    EXPECT_EQ(child, parent->child("child"));
    EXPECT_EQ(nullptr, parent->child("grandChild"));
    ASSERT_NE(nullptr, parent->children());
    EXPECT_EQ(1u, parent->children()->size());
    child->setName("renamed");
    EXPECT_STREQ("renamed", child->name());
    delete parent;
    EXPECT_EQ(std::vector<std::string>{"watcher.ping()"}, g_calls);
}

TEST_F(SignalTest, MetaObjectsOfTheLayerChainAndCast)
{
    QScrollView view;
    EXPECT_STREQ("QScrollView", view.className());
    EXPECT_TRUE(view.inherits("QFrame"));
    EXPECT_TRUE(view.inherits("QWidget"));
    EXPECT_TRUE(view.inherits("QObject"));
    EXPECT_FALSE(view.inherits("QHeader"));
    EXPECT_TRUE(view.isA("QScrollView"));
    EXPECT_FALSE(view.isA("QFrame"));
    EXPECT_EQ(static_cast<QFrame*>(&view), view.qt_cast("QFrame"));
    EXPECT_EQ(nullptr, view.qt_cast("QHeader"));
    EXPECT_STREQ("QFrame", view.metaObject()->superClassName());

    // Global indices: a class's own slots come after those of its bases.
    const QMetaObject* m = QScrollView::staticMetaObject();
    const int vslide = m->findSlot("vslide(int)", true);
    EXPECT_EQ(m->slotOffset() + 1, vslide);
    EXPECT_EQ(vslide, m->findSlot("vslide(int)", false));
    EXPECT_EQ(-1, m->findSlot("setValue(int)", true));
    EXPECT_EQ(QObject::staticMetaObject()->findSignal("destroyed()"), m->findSignal("destroyed()", true));
    EXPECT_EQ(-1, m->findSignal("destroyed()", false));
    EXPECT_STREQ("sizeChange(int,int,int)",
                 QHeader::staticMetaObject()->signalSignature(QHeader::staticMetaObject()->findSignal(
                     "sizeChange( int , int, int )", true)));
}

class Filter : public QObject {
public:
    explicit Filter(bool eat) : m_bEat(eat) {}
    int m_nSeen = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::User)
            ++m_nSeen;
        return m_bEat;
    }

private:
    bool m_bEat;
};

class EventCounter : public QObject {
public:
    int m_nEvents = 0;
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::User)
            ++m_nEvents;
        return QObject::event(e);
    }
};

TEST_F(SignalTest, EventFiltersRunFirstAndGoWithTheirObject)
{
    EventCounter target;
    auto* eater = new Filter(true);
    Filter watcher(false);
    target.installEventFilter(&watcher);
    target.installEventFilter(eater);  // the last installed runs first
    QEvent e(QEvent::User);
    QApplication::sendEvent(&target, &e);
    EXPECT_EQ(1, eater->m_nSeen);
    EXPECT_EQ(0, watcher.m_nSeen);
    EXPECT_EQ(0, target.m_nEvents);

    delete eater;  // must leave the target's filter list
    QApplication::sendEvent(&target, &e);
    EXPECT_EQ(1, watcher.m_nSeen);
    EXPECT_EQ(1, target.m_nEvents);
}

}  // namespace

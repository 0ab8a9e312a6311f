#include "platform/qt/QObject.h"

#include "platform/qt/QApplication.h"
#include "platform/qt/QEvent.h"

#include <algorithm>
#include <cctype>
#include <cstring>

struct QObject::Connection {
    QObject* pSender;
    int nSignal;
    QObject* pReceiver;
    int nMember;
    bool bMemberIsSignal;
    bool bAlive;
};

namespace {

bool IsIdentChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

// The argument list of a normalised signature, without its parentheses, split at top-level commas.
std::vector<std::string> ArgumentsOf(const std::string& signature)
{
    std::vector<std::string> args;
    const size_t open = signature.find('(');
    const size_t close = signature.rfind(')');
    if (open == std::string::npos || close == std::string::npos || close <= open + 1)
        return args;
    std::string current;
    int depth = 0;
    for (size_t i = open + 1; i < close; ++i) {
        const char c = signature[i];
        if (c == '<')
            ++depth;
        else if (c == '>')
            --depth;
        if (c == ',' && depth == 0) {
            args.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    args.push_back(current);
    return args;
}

std::string NameOf(const std::string& signature)
{
    return signature.substr(0, signature.find('('));
}

}  // namespace

std::string qNormalizeSignature(const char* signature)
{
    std::string out;
    if (!signature)
        return out;
    const size_t n = std::strlen(signature);
    for (size_t i = 0; i < n; ++i) {
        const char c = signature[i];
        if (std::isspace(static_cast<unsigned char>(c))) {
            size_t j = i;
            while (j < n && std::isspace(static_cast<unsigned char>(signature[j])))
                ++j;
            if (!out.empty() && j < n && IsIdentChar(out.back()) && IsIdentChar(signature[j]))
                out += ' ';
            i = j - 1;
        } else {
            out += c;
        }
    }
    return out;
}

QMetaObject::QMetaObject(const char* className, QMetaObject* superClass, const char* const* slotTable, int nSlots,
                         const char* const* signalTable, int nSignals)
    : m_pszClass(className), m_pSuper(superClass)
{
    for (int i = 0; i < nSlots; ++i)
        m_slots.push_back(qNormalizeSignature(slotTable[i]));
    for (int i = 0; i < nSignals; ++i)
        m_signals.push_back(qNormalizeSignature(signalTable[i]));
}

bool QMetaObject::inherits(const char* className) const
{
    for (const QMetaObject* m = this; m; m = m->m_pSuper) {
        if (className && std::strcmp(m->m_pszClass, className) == 0)
            return true;
    }
    return false;
}

int QMetaObject::numSlots(bool super) const
{
    return static_cast<int>(m_slots.size()) + (super ? slotOffset() : 0);
}

int QMetaObject::numSignals(bool super) const
{
    return static_cast<int>(m_signals.size()) + (super ? signalOffset() : 0);
}

int QMetaObject::findSlot(const char* signature, bool super) const
{
    const std::string s = qNormalizeSignature(signature);
    // The most derived class first: a class may declare a slot again.
    for (const QMetaObject* m = this; m; m = super ? m->m_pSuper : nullptr) {
        for (size_t i = 0; i < m->m_slots.size(); ++i) {
            if (m->m_slots[i] == s)
                return m->slotOffset() + static_cast<int>(i);
        }
    }
    return -1;
}

int QMetaObject::findSignal(const char* signature, bool super) const
{
    const std::string s = qNormalizeSignature(signature);
    for (const QMetaObject* m = this; m; m = super ? m->m_pSuper : nullptr) {
        for (size_t i = 0; i < m->m_signals.size(); ++i) {
            if (m->m_signals[i] == s)
                return m->signalOffset() + static_cast<int>(i);
        }
    }
    return -1;
}

const char* QMetaObject::slotSignature(int index) const
{
    for (const QMetaObject* m = this; m; m = m->m_pSuper) {
        const int local = index - m->slotOffset();
        if (local >= 0 && local < static_cast<int>(m->m_slots.size()))
            return m->m_slots[static_cast<size_t>(local)].c_str();
    }
    return nullptr;
}

const char* QMetaObject::signalSignature(int index) const
{
    for (const QMetaObject* m = this; m; m = m->m_pSuper) {
        const int local = index - m->signalOffset();
        if (local >= 0 && local < static_cast<int>(m->m_signals.size()))
            return m->m_signals[static_cast<size_t>(local)].c_str();
    }
    return nullptr;
}

// ---- QObject --------------------------------------------------------------------------------------

QMetaObject* QObject::staticMetaObject()
{
    static const char* const signalTable[] = {"destroyed()"};
    static QMetaObject meta("QObject", nullptr, nullptr, 0, signalTable, 1);
    return &meta;
}

QMetaObject* QObject::metaObject() const { return staticMetaObject(); }
const char* QObject::className() const { return "QObject"; }

void* QObject::qt_cast(const char* className)
{
    return className && std::strcmp(className, "QObject") == 0 ? this : nullptr;
}

bool QObject::qt_invoke(int, QUObject*) { return false; }

bool QObject::qt_emit(int id, QUObject*)
{
    if (id - staticMetaObject()->signalOffset() == 0) {
        destroyed();
        return true;
    }
    return false;
}

bool QObject::qt_property(int, int, void*) { return false; }

QObject::QObject(QObject* parent, const char* name) : m_name(name ? name : "")
{
    if (parent)
        parent->insertChild(this);
}

QObject::~QObject()
{
    destroyed();
    *m_life = false;
    killTimers();
    QApplication::removePostedEvents(this);
    // Children go first, while this object is still whole.
    while (!m_children.empty()) {
        QObject* pChild = m_children.back();
        m_children.pop_back();
        pChild->m_pParent = nullptr;
        delete pChild;
    }
    if (m_pParent)
        m_pParent->removeChild(this);
    for (const auto& c : m_outgoing) {
        c->bAlive = false;
        auto& in = c->pReceiver->m_incoming;
        in.erase(std::remove(in.begin(), in.end(), c), in.end());
    }
    for (const auto& c : m_incoming) {
        c->bAlive = false;
        auto& out = c->pSender->m_outgoing;
        out.erase(std::remove(out.begin(), out.end(), c), out.end());
    }
    for (QObject* w : m_watched)
        w->m_filters.erase(std::remove(w->m_filters.begin(), w->m_filters.end(), this), w->m_filters.end());
    for (QObject* f : m_filters)
        f->m_watched.erase(std::remove(f->m_watched.begin(), f->m_watched.end(), this), f->m_watched.end());
}

bool QObject::isA(const char* className) const
{
    return className && std::strcmp(this->className(), className) == 0;
}

bool QObject::inherits(const char* className) const
{
    return metaObject()->inherits(className);
}

void QObject::setName(const char* name) { m_name = name ? name : ""; }

QObject* QObject::child(const char* name, const char* className) const
{
    for (QObject* c : m_children) {
        if ((!name || std::strcmp(c->name(), name) == 0) && (!className || c->inherits(className)))
            return c;
    }
    return nullptr;
}

void QObject::insertChild(QObject* obj)
{
    if (obj->m_pParent)
        obj->m_pParent->removeChild(obj);
    obj->m_pParent = this;
    m_children.push_back(obj);
}

void QObject::removeChild(QObject* obj)
{
    const auto it = std::find(m_children.begin(), m_children.end(), obj);
    if (it != m_children.end()) {
        m_children.erase(it);
        obj->m_pParent = nullptr;
    }
}

bool QObject::connect(const QObject* sender, const char* signal, const QObject* receiver, const char* member)
{
    if (!sender || !receiver || !signal || !member || signal[0] != '2' || (member[0] != '1' && member[0] != '2'))
        return false;
    const std::string sig = qNormalizeSignature(signal + 1);
    const std::string mem = qNormalizeSignature(member + 1);
    const int nSignal = sender->metaObject()->findSignal(sig.c_str(), true);
    const bool bMemberIsSignal = member[0] == '2';
    const int nMember = bMemberIsSignal ? receiver->metaObject()->findSignal(mem.c_str(), true)
                                        : receiver->metaObject()->findSlot(mem.c_str(), true);
    if (nSignal < 0 || nMember < 0) {
        OutputDebugStringA(("QObject::connect: no such signal or slot " + sig + " -> " + mem + "\n").c_str());
        return false;
    }
    // A slot may take fewer arguments than the signal gives, never other ones.
    const std::vector<std::string> sigArgs = ArgumentsOf(sig);
    const std::vector<std::string> memArgs = ArgumentsOf(mem);
    if (memArgs.size() > sigArgs.size() || !std::equal(memArgs.begin(), memArgs.end(), sigArgs.begin())) {
        OutputDebugStringA(("QObject::connect: incompatible " + sig + " -> " + mem + "\n").c_str());
        return false;
    }
    auto* pSender = const_cast<QObject*>(sender);
    auto* pReceiver = const_cast<QObject*>(receiver);
    auto c = std::make_shared<Connection>(Connection{pSender, nSignal, pReceiver, nMember, bMemberIsSignal, true});
    pSender->m_outgoing.push_back(c);
    pReceiver->m_incoming.push_back(c);
    return true;
}

bool QObject::disconnect(const QObject* sender, const char* signal, const QObject* receiver, const char* member)
{
    if (!sender)
        return false;
    int nSignal = -1;
    if (signal) {
        if (signal[0] != '2')
            return false;
        nSignal = sender->metaObject()->findSignal(qNormalizeSignature(signal + 1).c_str(), true);
        if (nSignal < 0)
            return false;
    }
    std::string memberName;
    std::vector<std::string> memberArgs;
    if (member) {
        const std::string mem = qNormalizeSignature(member + 1);
        memberName = NameOf(mem);
        memberArgs = ArgumentsOf(mem);
    }
    auto* pSender = const_cast<QObject*>(sender);
    bool bAny = false;
    for (size_t i = 0; i < pSender->m_outgoing.size();) {
        const std::shared_ptr<Connection> c = pSender->m_outgoing[i];
        bool bMatch = (nSignal < 0 || c->nSignal == nSignal) && (!receiver || c->pReceiver == receiver);
        if (bMatch && member) {
            const QMetaObject* m = c->pReceiver->metaObject();
            const char* s = c->bMemberIsSignal ? m->signalSignature(c->nMember) : m->slotSignature(c->nMember);
            bMatch = s && (member[0] == '2') == c->bMemberIsSignal && NameOf(s) == memberName &&
                     ArgumentsOf(s) == memberArgs;
        }
        if (!bMatch) {
            ++i;
            continue;
        }
        c->bAlive = false;
        auto& in = c->pReceiver->m_incoming;
        in.erase(std::remove(in.begin(), in.end(), c), in.end());
        pSender->m_outgoing.erase(pSender->m_outgoing.begin() + static_cast<std::ptrdiff_t>(i));
        bAny = true;
    }
    return bAny;
}

void QObject::activate_signal(int signal, QUObject* o)
{
    if (m_bBlockSignals)
        return;
    QUObject none[1];
    if (!o)
        o = none;
    std::vector<std::shared_ptr<Connection>> targets;
    for (const auto& c : m_outgoing) {
        if (c->nSignal == signal)
            targets.push_back(c);
    }
    const std::weak_ptr<bool> life = m_life;
    for (const auto& c : targets) {
        // A slot may disconnect, or destroy a later receiver, or this object itself.
        if (life.expired() || !*life.lock())
            return;
        if (!c->bAlive)
            continue;
        QObject* r = c->pReceiver;
        const QObject* pOld = r->m_pSender;
        const std::weak_ptr<bool> receiverLife = r->m_life;
        r->m_pSender = this;
        if (c->bMemberIsSignal)
            r->qt_emit(c->nMember, o);
        else
            r->qt_invoke(c->nMember, o);
        if (auto alive = receiverLife.lock(); alive && *alive)
            r->m_pSender = pOld;
    }
}

void QObject::activate_signal(int signal, int arg)
{
    QUObject o[2];
    o[1].ptr = &arg;
    activate_signal(signal, o);
}

void QObject::destroyed()
{
    activate_signal(staticMetaObject()->signalOffset() + 0);
}

bool QObject::event(QEvent* e)
{
    if (e->type() == QEvent::Timer) {
        timerEvent(static_cast<QTimerEvent*>(e));
        return true;
    }
    return false;
}

bool QObject::eventFilter(QObject*, QEvent*) { return false; }

void QObject::installEventFilter(const QObject* filter)
{
    if (!filter)
        return;
    removeEventFilter(filter);
    auto* f = const_cast<QObject*>(filter);
    m_filters.insert(m_filters.begin(), f);
    f->m_watched.push_back(this);
}

void QObject::removeEventFilter(const QObject* filter)
{
    const auto it = std::find(m_filters.begin(), m_filters.end(), filter);
    if (it == m_filters.end())
        return;
    auto& w = (*it)->m_watched;
    w.erase(std::remove(w.begin(), w.end(), this), w.end());
    m_filters.erase(it);
}

bool QObject::filterEvent(QEvent* e)
{
    const std::vector<QObject*> filters = m_filters;
    const std::weak_ptr<bool> life = m_life;
    for (QObject* f : filters) {
        // A filter may remove another one, or destroy this object.
        if (life.expired())
            return true;
        if (std::find(m_filters.begin(), m_filters.end(), f) != m_filters.end() && f->eventFilter(this, e))
            return true;
    }
    return life.expired();
}

bool QObject::deliverEvent(QEvent* e)
{
    return filterEvent(e) || event(e);
}

int QObject::startTimer(int interval)
{
    const int id = QApplication::registerTimer(this, interval);
    if (id)
        m_timers.push_back(id);
    return id;
}

void QObject::killTimer(int id)
{
    const auto it = std::find(m_timers.begin(), m_timers.end(), id);
    if (it == m_timers.end())
        return;
    m_timers.erase(it);
    QApplication::unregisterTimer(id);
}

void QObject::killTimers()
{
    for (int id : m_timers)
        QApplication::unregisterTimer(id);
    m_timers.clear();
}

void QObject::timerEvent(QTimerEvent*) {}

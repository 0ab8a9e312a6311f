#pragma once
// Per-thread maps from a Win32 handle to the C++ object that wraps it.
//
// A permanent entry belongs to an object that owns the handle (Attach, Create…, window creation,
// subclassing); it stays until that object lets go. A temporary entry is a wrapper that FromHandle
// made for a handle that no object owns: it never releases the handle, and the map deletes it
//   - when the outermost framework window procedure of the thread returns, if it was made inside one
//     (see AfxDeleteTempMaps), or
//   - by an explicit AfxDeleteTempMaps(), or at the end of the thread, if it was made outside.
// So a temporary pointer obtained while handling a message is valid until that message is done;
// keep the handle, not the pointer, beyond that.
#include <windows.h>

#include <unordered_map>
#include <vector>

template <class T, class H>
class CHandleMap {
public:
    using CreateTemp = T* (*)(H h);            // new wrapper bound to h, not owning it
    using DeleteTemp = void (*)(T* p);          // unbinds the handle and deletes the wrapper
    using StillFits = bool (*)(const T* p, H h);  // whether a temporary still suits what h is now

    CHandleMap(CreateTemp create, DeleteTemp destroy, StillFits fits = nullptr)
        : m_create(create), m_destroy(destroy), m_fits(fits)
    {
    }
    ~CHandleMap() { DeleteTemporaries(false); }
    CHandleMap(const CHandleMap&) = delete;
    CHandleMap& operator=(const CHandleMap&) = delete;

    T* LookupPermanent(H h) const
    {
        const auto it = m_permanent.find(h);
        return it == m_permanent.end() ? nullptr : it->second;
    }
    T* LookupTemporary(H h) const
    {
        const auto it = m_temporary.find(h);
        return it == m_temporary.end() ? nullptr : it->second.p;
    }

    // The one lookup behind every FromHandle: the permanent object when it is a U, else the temporary
    // wrapper, made now when there is none. A temporary that no longer suits the handle (its value was
    // reused for another kind of object) is replaced; the old one lives on until the temporaries are
    // deleted, so a pointer handed out earlier stays valid as long as promised. Null for a null handle,
    // and when the handle's wrapper is not a U.
    template <class U = T>
    U* FromHandle(H h, bool bInDispatch)
    {
        if (!h)
            return nullptr;
        if (U* p = dynamic_cast<U*>(LookupPermanent(h)))
            return p;
        auto it = m_temporary.find(h);
        if (it != m_temporary.end() && m_fits && !m_fits(it->second.p, h)) {
            m_retired.push_back(it->second);
            m_temporary.erase(it);
            it = m_temporary.end();
        }
        if (it == m_temporary.end()) {
            T* pNew = m_create(h);
            if (!pNew)
                return nullptr;
            it = m_temporary.emplace(h, Temp{pNew, bInDispatch}).first;
        }
        return dynamic_cast<U*>(it->second.p);
    }

    bool SetPermanent(H h, T* p)
    {
        return m_permanent.emplace(h, p).second;
    }
    void RemovePermanent(H h, const T* p)
    {
        const auto it = m_permanent.find(h);
        if (it != m_permanent.end() && it->second == p)
            m_permanent.erase(it);
    }

    // Deletes the temporary wrappers: all of them, or only those made inside a window procedure.
    void DeleteTemporaries(bool bDispatchOnly)
    {
        for (auto it = m_temporary.begin(); it != m_temporary.end();) {
            if (bDispatchOnly && !it->second.bInDispatch) {
                ++it;
                continue;
            }
            T* p = it->second.p;
            it = m_temporary.erase(it);
            m_destroy(p);
        }
        for (auto it = m_retired.begin(); it != m_retired.end();) {
            if (bDispatchOnly && !it->bInDispatch) {
                ++it;
                continue;
            }
            T* p = it->p;
            it = m_retired.erase(it);
            m_destroy(p);
        }
    }

    size_t PermanentCount() const { return m_permanent.size(); }
    size_t TemporaryCount() const { return m_temporary.size() + m_retired.size(); }

private:
    struct Temp {
        T* p;
        bool bInDispatch;
    };
    CreateTemp m_create;
    DeleteTemp m_destroy;
    StillFits m_fits;
    std::unordered_map<H, T*> m_permanent;
    std::unordered_map<H, Temp> m_temporary;
    std::vector<Temp> m_retired;  // replaced temporaries, deleted with the others
};

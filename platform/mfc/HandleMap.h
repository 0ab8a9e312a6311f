#pragma once
// Per-thread maps from a Win32 handle to the C++ object that wraps it.
//
// A permanent entry belongs to an object that attached the handle itself (Attach, window creation,
// subclassing); it stays until that object detaches. A temporary entry is a wrapper that FromHandle
// made for a handle nobody owns: it never releases the handle, and the map deletes it
//   - when the outermost framework window procedure of the thread returns, if it was made inside one
//     (see AfxDeleteTempMaps), or
//   - by an explicit AfxDeleteTempMaps(), or at the end of the thread, if it was made outside.
// So a temporary pointer obtained while handling a message is valid until that message is done;
// keep the handle, not the pointer, beyond that.
#include <windows.h>

#include <unordered_map>

template <class T, class H>
class CHandleMap {
public:
    using CreateTemp = T* (*)(H h);    // new wrapper bound to h, not owning it
    using DeleteTemp = void (*)(T* p);  // unbinds the handle and deletes the wrapper

    CHandleMap(CreateTemp create, DeleteTemp destroy) : m_create(create), m_destroy(destroy) {}
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

    // The permanent object, else a temporary wrapper (made now if needed); null for a null handle.
    T* FromHandle(H h, bool bInDispatch)
    {
        if (!h)
            return nullptr;
        if (T* p = LookupPermanent(h))
            return p;
        if (T* p = LookupTemporary(h))
            return p;
        T* p = m_create(h);
        if (p)
            m_temporary.emplace(h, Temp{p, bInDispatch});
        return p;
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
    // Drops the wrapper made for h now, e.g. because the handle itself is gone.
    void RemoveTemporary(H h)
    {
        const auto it = m_temporary.find(h);
        if (it == m_temporary.end())
            return;
        T* p = it->second.p;
        m_temporary.erase(it);
        m_destroy(p);
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
    }

    size_t PermanentCount() const { return m_permanent.size(); }
    size_t TemporaryCount() const { return m_temporary.size(); }

private:
    struct Temp {
        T* p;
        bool bInDispatch;
    };
    CreateTemp m_create;
    DeleteTemp m_destroy;
    std::unordered_map<H, T*> m_permanent;
    std::unordered_map<H, Temp> m_temporary;
};

#pragma once
// Maps from Win32 handles to the framework objects wrapping them. Permanent entries belong to
// objects that attached a handle; temporary ones are made on demand for unattached handles and
// deleted at idle time. All windows and drawing objects live on the user-interface thread.
#include <unordered_map>

template <class H, class T>
class CHandleMap
{
public:
    // pfnConstruct makes a temporary wrapper of a handle; pfnRelease takes the handle back out
    // of a temporary before it is deleted, so that deleting it leaves the handle alone.
    CHandleMap(T* (*pfnConstruct)(H), void (*pfnRelease)(T*)) : m_pfnConstruct(pfnConstruct), m_pfnRelease(pfnRelease) {}
    ~CHandleMap() { DeleteTemp(); }

    T* LookupPermanent(H h) const
    {
        auto found = m_permanent.find(h);
        return found != m_permanent.end() ? found->second : nullptr;
    }
    T* LookupTemporary(H h) const
    {
        auto found = m_temporary.find(h);
        return found != m_temporary.end() ? found->second : nullptr;
    }
    // The permanent object, else a temporary one (made when missing); null for a null handle.
    T* FromHandle(H h)
    {
        if (h == nullptr)
            return nullptr;
        if (T* pObject = LookupPermanent(h))
            return pObject;
        if (T* pObject = LookupTemporary(h))
            return pObject;
        T* pObject = m_pfnConstruct(h);
        m_temporary[h] = pObject;
        return pObject;
    }
    void SetPermanent(H h, T* pObject) { m_permanent[h] = pObject; }
    void RemovePermanent(H h) { m_permanent.erase(h); }
    void DeleteTemp()
    {
        // Moved out first: deleting a temporary may look up the map again.
        std::unordered_map<H, T*> temporary;
        temporary.swap(m_temporary);
        for (auto& entry : temporary)
        {
            m_pfnRelease(entry.second);
            delete entry.second;
        }
    }

private:
    T* (*m_pfnConstruct)(H);
    void (*m_pfnRelease)(T*);
    std::unordered_map<H, T*> m_permanent;
    std::unordered_map<H, T*> m_temporary;
};

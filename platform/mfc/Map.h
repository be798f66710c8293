#pragma once
// A hash map from KEY to VALUE (passed as ARG_KEY and ARG_VALUE) with chained buckets; new
// entries go to the front of their bucket, and iteration walks the buckets in order.
#include "platform/mfc/Object.h"
#include "platform/mfc/Position.h"
#include "platform/mfc/String.h"

#include <windows.h>

#include <vector>

// The bucket hash of a key: integers and pointers drop their low four bits; strings mix
// every character.
template <class ARG_KEY>
UINT HashKey(ARG_KEY key)
{
    // A C cast, because keys are integers and pointers alike.
    return static_cast<UINT>((DWORD_PTR)(key) >> 4);
}
template <>
UINT HashKey<LPCSTR>(LPCSTR key);
template <>
UINT HashKey<const CString&>(const CString& key);

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject
{
public:
    static constexpr UINT kDefaultHashTableSize = 17;

    // The block size is accepted for compatibility; entries are allocated one by one.
    explicit CMap(INT_PTR nBlockSize = 10);
    ~CMap() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }
    UINT GetHashTableSize() const { return m_nHashTableSize; }
    // Sets the number of buckets; only effective while the map is empty.
    void InitHashTable(UINT nHashSize, BOOL bAllocNow = TRUE);

    BOOL Lookup(ARG_KEY key, VALUE& rValue) const;
    // The value of the key, added value-initialised when absent.
    VALUE& operator[](ARG_KEY key);
    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }
    BOOL RemoveKey(ARG_KEY key);
    void RemoveAll();

    POSITION GetStartPosition() const;
    // Gives the entry at rNextPosition and moves on (null after the last one).
    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const;

private:
    struct CAssoc
    {
        CAssoc* pNext;
        UINT nHashValue;
        KEY key;
        VALUE value;
    };
    CAssoc* GetAssocAt(ARG_KEY key, UINT& nHashBucket, UINT& nHashValue) const;
    CAssoc* FirstFromBucket(UINT nBucket) const;

    std::vector<CAssoc*> m_buckets;
    UINT m_nHashTableSize = kDefaultHashTableSize;
    INT_PTR m_nCount = 0;
};

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CMap(INT_PTR)
{
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::InitHashTable(UINT nHashSize, BOOL bAllocNow)
{
    if (m_nCount != 0 || nHashSize == 0)
        return;
    m_nHashTableSize = nHashSize;
    m_buckets.clear();
    if (bAllocNow)
        m_buckets.assign(nHashSize, nullptr);
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc*
CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::GetAssocAt(ARG_KEY key, UINT& nHashBucket, UINT& nHashValue) const
{
    nHashValue = HashKey<ARG_KEY>(key);
    nHashBucket = nHashValue % m_nHashTableSize;
    if (m_buckets.empty())
        return nullptr;
    for (CAssoc* pAssoc = m_buckets[nHashBucket]; pAssoc != nullptr; pAssoc = pAssoc->pNext)
    {
        if (pAssoc->nHashValue == nHashValue && pAssoc->key == key)
            return pAssoc;
    }
    return nullptr;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
BOOL CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Lookup(ARG_KEY key, VALUE& rValue) const
{
    UINT nHashBucket = 0;
    UINT nHashValue = 0;
    CAssoc* pAssoc = GetAssocAt(key, nHashBucket, nHashValue);
    if (pAssoc == nullptr)
        return FALSE;
    rValue = pAssoc->value;
    return TRUE;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
VALUE& CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::operator[](ARG_KEY key)
{
    UINT nHashBucket = 0;
    UINT nHashValue = 0;
    CAssoc* pAssoc = GetAssocAt(key, nHashBucket, nHashValue);
    if (pAssoc != nullptr)
        return pAssoc->value;
    if (m_buckets.empty())
        m_buckets.assign(m_nHashTableSize, nullptr);
    pAssoc = new CAssoc{m_buckets[nHashBucket], nHashValue, KEY(key), VALUE()};
    m_buckets[nHashBucket] = pAssoc;
    ++m_nCount;
    return pAssoc->value;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
BOOL CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveKey(ARG_KEY key)
{
    if (m_buckets.empty())
        return FALSE;
    UINT nHashValue = HashKey<ARG_KEY>(key);
    for (CAssoc** ppAssoc = &m_buckets[nHashValue % m_nHashTableSize]; *ppAssoc != nullptr;
         ppAssoc = &(*ppAssoc)->pNext)
    {
        CAssoc* pAssoc = *ppAssoc;
        if (pAssoc->nHashValue == nHashValue && pAssoc->key == key)
        {
            *ppAssoc = pAssoc->pNext;
            delete pAssoc;
            --m_nCount;
            return TRUE;
        }
    }
    return FALSE;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveAll()
{
    for (CAssoc* pFirst : m_buckets)
    {
        for (CAssoc* pAssoc = pFirst; pAssoc != nullptr;)
        {
            CAssoc* pNext = pAssoc->pNext;
            delete pAssoc;
            pAssoc = pNext;
        }
    }
    m_buckets.clear();
    m_nCount = 0;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc*
CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::FirstFromBucket(UINT nBucket) const
{
    for (; nBucket < m_buckets.size(); ++nBucket)
    {
        if (m_buckets[nBucket] != nullptr)
            return m_buckets[nBucket];
    }
    return nullptr;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
POSITION CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::GetStartPosition() const
{
    return reinterpret_cast<POSITION>(FirstFromBucket(0));
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const
{
    CAssoc* pAssoc = reinterpret_cast<CAssoc*>(rNextPosition);
    rKey = pAssoc->key;
    rValue = pAssoc->value;
    CAssoc* pNext = pAssoc->pNext != nullptr ? pAssoc->pNext
                                             : FirstFromBucket(pAssoc->nHashValue % m_nHashTableSize + 1);
    rNextPosition = reinterpret_cast<POSITION>(pNext);
}

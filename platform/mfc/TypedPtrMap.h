#pragma once
// A pointer map (BASE_CLASS is CMapPtrToPtr, CMapStringToPtr or CMapWordToPtr) whose keys and
// values are typed as KEY and VALUE.
#include "platform/mfc/MapPtrToPtr.h"
#include "platform/mfc/MapStringToPtr.h"
#include "platform/mfc/MapWordToPtr.h"

#include <type_traits>

template <class BASE_CLASS, class KEY, class VALUE>
class CTypedPtrMap : public BASE_CLASS
{
public:
    explicit CTypedPtrMap(INT_PTR nBlockSize = 10) : BASE_CLASS(nBlockSize) {}

    BOOL Lookup(KEY key, VALUE& rValue) const
    {
        void* pValue = nullptr;
        if (!BASE_CLASS::Lookup(key, pValue))
            return FALSE;
        rValue = static_cast<VALUE>(pValue);
        return TRUE;
    }
    VALUE& operator[](KEY key) { return reinterpret_cast<VALUE&>(BASE_CLASS::operator[](key)); }
    void SetAt(KEY key, VALUE newValue) { BASE_CLASS::SetAt(key, newValue); }
    BOOL RemoveKey(KEY key) { return BASE_CLASS::RemoveKey(key); }
    void GetNextAssoc(POSITION& rPosition, KEY& rKey, VALUE& rValue) const
    {
        typename BaseKey<KEY>::type baseKey{};
        void* pValue = nullptr;
        BASE_CLASS::GetNextAssoc(rPosition, baseKey, pValue);
        rKey = KeyFromBase(baseKey);
        rValue = static_cast<VALUE>(pValue);
    }

private:
    // The key type the base map stores for a typed key.
    template <class K, class = void>
    struct BaseKey
    {
        using type = void*;
    };
    template <class K>
    struct BaseKey<K, std::enable_if_t<!std::is_pointer_v<K>>>
    {
        using type = K;
    };
    static KEY KeyFromBase(void* pKey) { return static_cast<KEY>(pKey); }
    template <class K>
    static KEY KeyFromBase(const K& key) { return key; }
};

#include "platform/mfc/Map.h"

template <>
UINT HashKey<LPCSTR>(LPCSTR key)
{
    UINT nHash = 0;
    for (; key != nullptr && *key != '\0'; ++key)
        nHash = (nHash << 5) + nHash + static_cast<BYTE>(*key);
    return nHash;
}

template <>
UINT HashKey<const CString&>(const CString& key)
{
    return HashKey<LPCSTR>(key);
}

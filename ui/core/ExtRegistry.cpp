#include "ui/core/ExtRegistry.h"

#include <vector>

namespace
{
constexpr REGSAM DELETE_ACCESS = KEY_READ | KEY_CREATE_SUB_KEY | KEY_SET_VALUE;
constexpr DWORD KEY_NAME_MAX = 256;

bool IsStringType(DWORD dwType)
{
    return dwType == REG_SZ || dwType == REG_EXPAND_SZ || dwType == REG_LINK || dwType == REG_MULTI_SZ;
}

// Reads one value of an accepted type into the buffer; the key is opened below the root when a
// subkey is given.
template <typename TypeTest>
bool QueryValue(HKEY hRoot, LPCSTR lpszSubKey, LPCSTR lpszValueName, LPBYTE lpBuffer, DWORD dwBufferSize,
                DWORD* pdwSizeRead, TypeTest isAccepted)
{
    HKEY hKey = hRoot;
    if (lpszSubKey != nullptr && ::RegOpenKeyExA(hRoot, lpszSubKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    // One call: a value larger than the buffer answers ERROR_MORE_DATA and is refused.
    DWORD dwType = 0;
    DWORD dwSize = dwBufferSize;
    const bool bOk = ::RegQueryValueExA(hKey, lpszValueName, nullptr, &dwType, lpBuffer, &dwSize) == ERROR_SUCCESS &&
                     isAccepted(dwType) && dwSize <= dwBufferSize;
    if (bOk && pdwSizeRead != nullptr)
        *pdwSizeRead = dwSize;
    if (hKey != hRoot)
        ::RegCloseKey(hKey);
    return bOk;
}
} // namespace

bool RegistryQueryString(HKEY hRoot, LPCSTR lpszSubKey, LPCSTR lpszValueName, LPSTR lpBuffer, DWORD dwBufferSize)
{
    return QueryValue(hRoot, lpszSubKey, lpszValueName, reinterpret_cast<LPBYTE>(lpBuffer), dwBufferSize, nullptr,
                      IsStringType);
}

bool RegistryQueryBinary(HKEY hRoot, LPCSTR lpszSubKey, LPCSTR lpszValueName, LPBYTE lpBuffer, DWORD dwBufferSize,
                         DWORD* pdwSizeRead)
{
    return QueryValue(hRoot, lpszSubKey, lpszValueName, lpBuffer, dwBufferSize, pdwSizeRead,
                      [](DWORD dwType) { return dwType == REG_BINARY; });
}

bool RegistryQueryBinary(HKEY hRoot, LPCSTR lpszSubKey, LPCSTR lpszValueName, LPBYTE lpBuffer, DWORD dwBufferSize)
{
    return RegistryQueryBinary(hRoot, lpszSubKey, lpszValueName, lpBuffer, dwBufferSize, nullptr);
}

bool RegistryDeleteKeyTree(HKEY hKey)
{
    DWORD dwSubKeys = 0;
    if (::RegQueryInfoKeyA(hKey, nullptr, nullptr, nullptr, &dwSubKeys, nullptr, nullptr, nullptr, nullptr, nullptr,
                           nullptr, nullptr) != ERROR_SUCCESS)
        return false;
    bool bAll = true;
    // From the last index down, so that deleting does not shift the indexes still to visit.
    for (DWORD i = dwSubKeys; i-- > 0;)
    {
        char szName[KEY_NAME_MAX] = {};
        DWORD dwName = KEY_NAME_MAX;
        if (::RegEnumKeyExA(hKey, i, szName, &dwName, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        {
            bAll = false;
            continue;
        }
        HKEY hSubKey = nullptr;
        if (::RegOpenKeyExA(hKey, szName, 0, DELETE_ACCESS, &hSubKey) != ERROR_SUCCESS)
        {
            bAll = false;
            continue;
        }
        bAll = RegistryDeleteKeyTree(hSubKey) && bAll;
        ::RegCloseKey(hSubKey);
        bAll = ::RegDeleteKeyA(hKey, szName) == ERROR_SUCCESS && bAll;
    }
    return bAll;
}

bool RegistryDeleteKeyOrValue(HKEY hRoot, LPCSTR lpszSubKey, LPCSTR lpszValueName)
{
    HKEY hKey = hRoot;
    if (lpszSubKey != nullptr && ::RegOpenKeyExA(hRoot, lpszSubKey, 0, DELETE_ACCESS, &hKey) != ERROR_SUCCESS)
        return false;
    bool bOk = false;
    if (lpszValueName != nullptr)
        bOk = ::RegDeleteValueA(hKey, lpszValueName) == ERROR_SUCCESS;
    else
        bOk = RegistryDeleteKeyTree(hKey);
    if (hKey != hRoot)
        ::RegCloseKey(hKey);
    if (lpszValueName == nullptr && lpszSubKey != nullptr)
        bOk = ::RegDeleteKeyA(hRoot, lpszSubKey) == ERROR_SUCCESS && bOk;
    return bOk;
}

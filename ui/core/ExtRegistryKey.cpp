#include "ui/core/ExtRegistryKey.h"

#include "ui/core/ExtRegistry.h"

#include <cstring>

bool CExtRegistryKey::Create(HKEY hRoot, LPCSTR lpszSubKey, REGSAM access)
{
    Close();
    return ::RegCreateKeyExA(hRoot, lpszSubKey, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &m_hKey,
                             nullptr) == ERROR_SUCCESS;
}

bool CExtRegistryKey::Open(HKEY hRoot, LPCSTR lpszSubKey, REGSAM access)
{
    Close();
    if (::RegOpenKeyExA(hRoot, lpszSubKey, 0, access, &m_hKey) == ERROR_SUCCESS)
        return true;
    m_hKey = nullptr;
    return false;
}

bool CExtRegistryKey::QueryString(LPCSTR lpszValueName, LPSTR lpBuffer, DWORD dwBufferSize) const
{
    return m_hKey != nullptr && RegistryQueryString(m_hKey, nullptr, lpszValueName, lpBuffer, dwBufferSize);
}

bool CExtRegistryKey::SetString(LPCSTR lpszValueName, LPCSTR lpszText)
{
    if (m_hKey == nullptr || lpszText == nullptr)
        return false;
    return ::RegSetValueExA(m_hKey, lpszValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpszText),
                            static_cast<DWORD>(std::strlen(lpszText) + 1)) == ERROR_SUCCESS;
}

bool CExtRegistryKey::SetDword(LPCSTR lpszValueName, DWORD dwValue)
{
    const auto* pBytes = reinterpret_cast<const BYTE*>(&dwValue);
    return m_hKey != nullptr &&
           ::RegSetValueExA(m_hKey, lpszValueName, 0, REG_DWORD, pBytes, sizeof dwValue) == ERROR_SUCCESS;
}

bool CExtRegistryKey::SetBinary(LPCSTR lpszValueName, const BYTE* pBytes, DWORD dwSize)
{
    return m_hKey != nullptr &&
           ::RegSetValueExA(m_hKey, lpszValueName, 0, REG_BINARY, pBytes, dwSize) == ERROR_SUCCESS;
}

void CExtRegistryKey::Close()
{
    if (m_hKey != nullptr)
        ::RegCloseKey(m_hKey);
    m_hKey = nullptr;
}

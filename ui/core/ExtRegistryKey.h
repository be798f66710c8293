#pragma once
// One open registry key, closed with the object.
#include "platform/mfc/Afx.h"

class CExtRegistryKey
{
public:
    CExtRegistryKey() = default;
    CExtRegistryKey(const CExtRegistryKey&) = delete;
    CExtRegistryKey& operator=(const CExtRegistryKey&) = delete;
    ~CExtRegistryKey() { Close(); }

    bool Create(HKEY hRoot, LPCSTR lpszSubKey, REGSAM access = KEY_ALL_ACCESS);
    bool Open(HKEY hRoot, LPCSTR lpszSubKey, REGSAM access = KEY_READ);
    bool QueryString(LPCSTR lpszValueName, LPSTR lpBuffer, DWORD dwBufferSize) const;
    // Writes REG_SZ with the text and its terminating NUL.
    bool SetString(LPCSTR lpszValueName, LPCSTR lpszText);
    bool SetDword(LPCSTR lpszValueName, DWORD dwValue);
    bool SetBinary(LPCSTR lpszValueName, const BYTE* pBytes, DWORD dwSize);
    void Close();
    HKEY GetHandle() const { return m_hKey; }

private:
    HKEY m_hKey = nullptr;
};

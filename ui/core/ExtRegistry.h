#pragma once
// The small registry functions the UI-state archives use. Each answers false on any registry
// failure and closes what it opened; a key it is given is never closed.
#include "platform/mfc/Afx.h"

bool RegistryQueryString(HKEY hRoot, LPCSTR lpszSubKey, LPCSTR lpszValueName, LPSTR lpBuffer, DWORD dwBufferSize);
bool RegistryQueryBinary(HKEY hRoot, LPCSTR lpszSubKey, LPCSTR lpszValueName, LPBYTE lpBuffer, DWORD dwBufferSize);
// As RegistryQueryBinary, with the size read reported.
bool RegistryQueryBinary(HKEY hRoot, LPCSTR lpszSubKey, LPCSTR lpszValueName, LPBYTE lpBuffer, DWORD dwBufferSize,
                         DWORD* pdwSizeRead);
bool RegistryDeleteKeyTree(HKEY hKey);
bool RegistryDeleteKeyOrValue(HKEY hRoot, LPCSTR lpszSubKey, LPCSTR lpszValueName);

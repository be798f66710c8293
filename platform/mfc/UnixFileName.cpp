#include "platform/mfc/UnixFileName.h"

#include <windows.h>

#include <string>

CString AfxGetUnixFileName(LPCSTR lpszWindowsPath)
{
    if (lpszWindowsPath == nullptr || *lpszWindowsPath == '\0')
        return CString();
    int nWide = ::MultiByteToWideChar(CP_ACP, 0, lpszWindowsPath, -1, nullptr, 0);
    if (nWide <= 0)
        return CString();
    std::u16string strWide(static_cast<size_t>(nWide), u'\0');
    ::MultiByteToWideChar(CP_ACP, 0, lpszWindowsPath, -1, reinterpret_cast<LPWSTR>(strWide.data()), nWide);
    char* pszUnix = wine_get_unix_file_name(reinterpret_cast<const WCHAR*>(strWide.c_str()));
    if (pszUnix == nullptr)
        return CString();
    CString strUnix(pszUnix);
    ::HeapFree(::GetProcessHeap(), 0, pszUnix);
    return strUnix;
}

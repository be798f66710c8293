// The sockets header has to come before the Windows header.
#include <winsock2.h>

#include "platform/mfc/SocketInit.h"

#include <cstdlib>

namespace
{
constexpr WORD kSocketsVersion = MAKEWORD(1, 1);
bool g_bSocketsStarted = false;
WSADATA g_wsaData = {};

void CleanUpSockets()
{
    ::WSACleanup();
}
}

BOOL AfxSocketInit(WSADATA* lpwsaData)
{
    if (!g_bSocketsStarted)
    {
        if (::WSAStartup(kSocketsVersion, &g_wsaData) != 0)
            return FALSE;
        if (g_wsaData.wVersion != kSocketsVersion)
        {
            ::WSACleanup();
            return FALSE;
        }
        g_bSocketsStarted = true;
        std::atexit(&CleanUpSockets);
    }
    if (lpwsaData != nullptr)
        *lpwsaData = g_wsaData;
    return TRUE;
}

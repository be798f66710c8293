#pragma once
// Windows Sockets start-up for the application (once per process, cleaned up at exit).
#include <windows.h>

struct WSAData;

// FALSE when no usable sockets library is present; lpwsaData (a WSADATA) receives its description.
BOOL AfxSocketInit(WSAData* lpwsaData = nullptr);

#pragma once
// Module-wide handles of the framework: where the program and its resources live.
#include <windows.h>

HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
void AfxSetInstanceHandle(HINSTANCE hInstance);
void AfxSetResourceHandle(HINSTANCE hInstResource);

// The application's name, used as the title of message boxes (the program file's name until set).
LPCSTR AfxGetAppName();
void AfxSetAppName(LPCSTR lpszAppName);

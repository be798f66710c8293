#include "platform/mfc/Globals.h"

#include <string>

namespace
{
// Until set by the application, both default to the program's own module.
HINSTANCE g_hInstance = nullptr;
HINSTANCE g_hResource = nullptr;
}

HINSTANCE AfxGetInstanceHandle()
{
    return g_hInstance != nullptr ? g_hInstance : GetModuleHandleA(nullptr);
}

HINSTANCE AfxGetResourceHandle()
{
    return g_hResource != nullptr ? g_hResource : AfxGetInstanceHandle();
}

void AfxSetInstanceHandle(HINSTANCE hInstance)
{
    g_hInstance = hInstance;
}

void AfxSetResourceHandle(HINSTANCE hInstResource)
{
    g_hResource = hInstResource;
}

namespace
{
std::string g_strAppName;
}

LPCSTR AfxGetAppName()
{
    if (g_strAppName.empty())
    {
        char path[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        std::string name = path;
        name = name.substr(name.find_last_of("\\/") + 1);
        g_strAppName = name.substr(0, name.find('.'));
    }
    return g_strAppName.c_str();
}

void AfxSetAppName(LPCSTR lpszAppName)
{
    g_strAppName = lpszAppName != nullptr ? lpszAppName : "";
}

#include "platform/mfc/OleInit.h"

#include <ole2.h>

namespace
{
// Each successful AfxOleInit is matched by one uninitialisation.
int g_nOleInitCount = 0;
}

BOOL AfxOleInit()
{
    HRESULT hr = ::OleInitialize(nullptr);
    if (FAILED(hr))
        return FALSE;
    ++g_nOleInitCount;
    return TRUE;
}

void AfxOleTerm(BOOL bJustRevoke)
{
    if (g_nOleInitCount == 0)
        return;
    // Data left on the clipboard stays there for other programs.
    if (::OleIsCurrentClipboard(nullptr) == S_OK)
        ::OleFlushClipboard();
    if (bJustRevoke)
        return;
    for (; g_nOleInitCount > 0; --g_nOleInitCount)
        ::OleUninitialize();
}

void AfxEnableControlContainer()
{
}

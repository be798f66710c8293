#include "platform/mfc/WaitCursor.h"

namespace
{
int g_nWaitCursorCount = 0;
HCURSOR g_hcurWaitCursorRestore = nullptr;
}

void AfxWaitCursorCount(int nDelta)
{
    HCURSOR hcurWait = LoadCursorA(nullptr, IDC_WAIT);
    int nNewCount = g_nWaitCursorCount + nDelta;
    if (nNewCount < 0)
        nNewCount = 0;
    if (nNewCount > 0)
    {
        HCURSOR hcurPrevious = SetCursor(hcurWait);
        if (g_nWaitCursorCount == 0 && hcurPrevious != hcurWait)
            g_hcurWaitCursorRestore = hcurPrevious;
    }
    else if (g_nWaitCursorCount > 0)
    {
        SetCursor(g_hcurWaitCursorRestore);
    }
    g_nWaitCursorCount = nNewCount;
}

BOOL AfxIsWaitCursorShowing()
{
    return g_nWaitCursorCount > 0;
}

CWaitCursor::CWaitCursor()
{
    AfxWaitCursorCount(+1);
}

CWaitCursor::~CWaitCursor()
{
    AfxWaitCursorCount(-1);
}

void CWaitCursor::Restore()
{
    AfxWaitCursorCount(0);
}

#pragma once
// Helpers shared by the sources of CWnd; not for other classes.
#include "platform/mfc/Wnd.h"

namespace WndInternal
{
// The window object of a handle, or null for a null handle.
inline CWnd* FromHandleOrNull(HWND hWnd)
{
    return hWnd != nullptr ? CWnd::FromHandle(hWnd) : nullptr;
}

// Destroys the thread's tool tip when pWnd owns it or was the last window it showed for: the
// control must not outlive or point at a window being destroyed.
void ReleaseThreadToolTip(CWnd* pWnd);
}

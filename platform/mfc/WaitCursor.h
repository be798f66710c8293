#pragma once
// Shows the hourglass for the lifetime of the object.
#include <windows.h>

class CWaitCursor
{
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

    // Shows the hourglass again after something (a message box) changed the cursor.
    void Restore();
};

// Changes the nesting count of wait cursors by nDelta (+1 begin, -1 end, 0 restore) and shows
// the hourglass while the count is positive, the previous cursor when it drops to zero.
void AfxWaitCursorCount(int nDelta);
// Whether a wait cursor is showing (windows keep it on WM_SETCURSOR).
BOOL AfxIsWaitCursorShowing();

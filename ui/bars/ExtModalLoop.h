#pragma once
// The message pump of the bars' modal loops (drag, drag threshold, floating-frame resize). Each
// loop looks at a message before deciding whether to take it, pump it or end. The application's
// end (WM_QUIT) ends the loop: it is taken out, the loop cleans up, and it is posted again once
// so that it reaches the main message loop.
#include "platform/mfc/Afx.h"

class CExtModalLoop
{
public:
    explicit CExtModalLoop(HWND hWnd) : m_hWnd(hWnd) {}
    CExtModalLoop(const CExtModalLoop&) = delete;
    CExtModalLoop& operator=(const CExtModalLoop&) = delete;

    // Waits for a message and looks at it without removing it; false when the loop's window is
    // gone.
    bool WaitPeek(MSG& msg);
    // Takes out the WM_QUIT just looked at and keeps its exit code.
    void TakeQuit();
    // Takes out every queued WM_MOUSEMOVE; the last one's point in screen coordinates.
    CPoint TakeLastMouseMove(const MSG& first);
    // Takes out the message just looked at without handling it.
    static void Discard(const MSG& msg);
    // Dispatches the next message; false when that was the application's end.
    bool Pump();
    bool HasQuit() const { return m_bQuit; }
    // Posts the taken WM_QUIT again, once.
    void RepostQuit();

private:
    HWND m_hWnd;
    bool m_bQuit = false;
    int m_nExitCode = 0;
};

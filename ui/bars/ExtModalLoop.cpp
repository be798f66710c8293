#include "ui/bars/ExtModalLoop.h"

bool CExtModalLoop::WaitPeek(MSG& msg)
{
    for (;;) {
        if (!::IsWindow(m_hWnd))
            return false;
        if (::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE))
            return ::IsWindow(m_hWnd);
        ::WaitMessage();
    }
}

void CExtModalLoop::TakeQuit()
{
    MSG msg;
    if (::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        m_nExitCode = static_cast<int>(msg.wParam);
    m_bQuit = true;
}

CPoint CExtModalLoop::TakeLastMouseMove(const MSG& first)
{
    MSG last = first;
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE))
        last = msg;
    CPoint pt(static_cast<short>(LOWORD(last.lParam)), static_cast<short>(HIWORD(last.lParam)));
    if (last.hwnd != nullptr && ::IsWindow(last.hwnd))
        ::ClientToScreen(last.hwnd, &pt);
    else
        pt = last.pt;
    return pt;
}

void CExtModalLoop::Discard(const MSG& msg)
{
    MSG taken;
    ::PeekMessageA(&taken, msg.hwnd, msg.message, msg.message, PM_REMOVE);
}

bool CExtModalLoop::Pump()
{
    if (AfxPumpMessage())
        return true;
    m_bQuit = true;
    return false;
}

void CExtModalLoop::RepostQuit()
{
    if (!m_bQuit)
        return;
    m_bQuit = false;
    ::PostQuitMessage(m_nExitCode);
}

#pragma once
// The user-interface thread: its message loop with pre-translation and idle processing.
#include "platform/mfc/CmdTarget.h"

#include <windows.h>

class CWnd;

class CWinThread : public CCmdTarget
{
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread();
    ~CWinThread() override;

    CWnd* m_pMainWnd = nullptr;
    CWnd* m_pActiveWnd = nullptr;
    BOOL m_bAutoDelete = FALSE;
    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;

    virtual BOOL InitInstance();
    virtual int ExitInstance();
    // The message loop: idle processing while the queue is empty, then each message through
    // PumpMessage; ends with ExitInstance's result when WM_QUIT arrives.
    virtual int Run();
    // Gets one message and dispatches it unless PreTranslateMessage takes it; FALSE on WM_QUIT.
    virtual BOOL PumpMessage();
    // Offers the message to the windows from its target up to the main window, then to the main window.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // lCount 0 updates the command state of the main window and its descendants; later counts
    // free temporary handle objects. TRUE asks for more idle time.
    virtual BOOL OnIdle(LONG lCount);
    // Whether a message ends idle time (not the repeated mouse moves or the caret's timer).
    virtual BOOL IsIdleMessage(MSG* pMsg);
    virtual CWnd* GetMainWnd();
};

// The thread object of the calling thread (the application when none was made), or null.
CWinThread* AfxGetThread();
// One message through the thread's PumpMessage (or the framework's default when there is no thread object).
BOOL AfxPumpMessage();
BOOL AfxIsIdleMessage(MSG* pMsg);
// The message being pumped.
MSG* AfxGetCurrentMessage();
// The framework's default pre-translation: the window tree up to the main window.
BOOL AfxPreTranslateMessage(MSG* pMsg);

#include "platform/mfc/WinThread.h"

#include "platform/mfc/DC.h"
#include "platform/mfc/GdiObject.h"
#include "platform/mfc/ImageList.h"
#include "platform/mfc/Menu.h"
#include "platform/mfc/Wnd.h"

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

namespace
{
// All windows live on the user-interface thread, which owns this state.
CWinThread* g_pCurrentThread = nullptr;
MSG g_msgCur = {};
POINT g_ptCursorLast = {-1, -1};
UINT g_nMsgLast = 0;
constexpr UINT kCaretBlinkTimerMessage = 0x0118;

BOOL InternalPumpMessage()
{
    if (!::GetMessageA(&g_msgCur, nullptr, 0, 0))
        return FALSE;
    if (g_msgCur.message != WM_KICKIDLE && !AfxPreTranslateMessage(&g_msgCur))
    {
        ::TranslateMessage(&g_msgCur);
        ::DispatchMessageA(&g_msgCur);
    }
    return TRUE;
}

BOOL InternalIsIdleMessage(MSG* pMsg)
{
    // A mouse move to where the mouse already was, or the caret's timer, does not end idle time.
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE)
    {
        if (g_ptCursorLast.x == pMsg->pt.x && g_ptCursorLast.y == pMsg->pt.y && pMsg->message == g_nMsgLast)
            return FALSE;
        g_ptCursorLast = pMsg->pt;
        g_nMsgLast = pMsg->message;
        return TRUE;
    }
    return pMsg->message != WM_PAINT && pMsg->message != kCaretBlinkTimerMessage;
}

BOOL InternalPreTranslateMessage(MSG* pMsg, CWnd* pMainWnd)
{
    HWND hWndMain = pMainWnd != nullptr ? pMainWnd->m_hWnd : nullptr;
    if (CWnd::WalkPreTranslateTree(hWndMain, pMsg))
        return TRUE;
    // A message for a window outside the main window (a floating palette) still reaches the main
    // window's translation (accelerators).
    if (pMainWnd != nullptr && hWndMain != nullptr && pMsg->hwnd != hWndMain && !::IsChild(hWndMain, pMsg->hwnd))
        return pMainWnd->PreTranslateMessage(pMsg);
    return FALSE;
}
}

CWinThread::CWinThread()
{
    m_nThreadID = ::GetCurrentThreadId();
    if (g_pCurrentThread == nullptr)
        g_pCurrentThread = this;
}

CWinThread::~CWinThread()
{
    if (g_pCurrentThread == this)
        g_pCurrentThread = nullptr;
}

CWinThread* AfxGetThread()
{
    return g_pCurrentThread;
}

MSG* AfxGetCurrentMessage()
{
    return &g_msgCur;
}

BOOL AfxPumpMessage()
{
    CWinThread* pThread = AfxGetThread();
    return pThread != nullptr ? pThread->PumpMessage() : InternalPumpMessage();
}

BOOL AfxIsIdleMessage(MSG* pMsg)
{
    CWinThread* pThread = AfxGetThread();
    return pThread != nullptr ? pThread->IsIdleMessage(pMsg) : InternalIsIdleMessage(pMsg);
}

BOOL AfxPreTranslateMessage(MSG* pMsg)
{
    CWinThread* pThread = AfxGetThread();
    if (pThread != nullptr)
        return pThread->PreTranslateMessage(pMsg);
    return InternalPreTranslateMessage(pMsg, nullptr);
}

BOOL CWinThread::InitInstance()
{
    return FALSE;
}

int CWinThread::ExitInstance()
{
    return static_cast<int>(g_msgCur.wParam);
}

int CWinThread::Run()
{
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    for (;;)
    {
        while (bIdle && !::PeekMessageA(&g_msgCur, nullptr, 0, 0, PM_NOREMOVE))
        {
            if (!OnIdle(lIdleCount++))
                bIdle = FALSE;
        }
        do
        {
            if (!PumpMessage())
                return ExitInstance();
            if (IsIdleMessage(&g_msgCur))
            {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessageA(&g_msgCur, nullptr, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWinThread::PumpMessage()
{
    return InternalPumpMessage();
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    return InternalPreTranslateMessage(pMsg, GetMainWnd());
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg)
{
    return InternalIsIdleMessage(pMsg);
}

CWnd* CWinThread::GetMainWnd()
{
    return m_pMainWnd;
}

namespace
{
void UpdateFrameCmdUI(CWnd* pWnd)
{
    AfxCallWndProc(pWnd, pWnd->m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
    pWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
}

BOOL CALLBACK UpdateTopLevelFrameCmdUI(HWND hWnd, LPARAM lParam)
{
    if (hWnd == reinterpret_cast<HWND>(lParam) || !::IsWindowVisible(hWnd))
        return TRUE;
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd != nullptr && pWnd->IsFrameWnd())
        UpdateFrameCmdUI(pWnd);
    return TRUE;
}
}

BOOL CWinThread::OnIdle(LONG lCount)
{
    if (lCount <= 0)
    {
        // The main window and every descendant with an object update their command state.
        CWnd* pMainWnd = m_pMainWnd;
        if (pMainWnd != nullptr && pMainWnd->m_hWnd != nullptr && pMainWnd->IsWindowVisible())
            UpdateFrameCmdUI(pMainWnd);
        // Other visible top-level frames of the thread (floating bars' frames) update as well.
        ::EnumThreadWindows(::GetCurrentThreadId(), UpdateTopLevelFrameCmdUI,
                            reinterpret_cast<LPARAM>(pMainWnd != nullptr ? pMainWnd->m_hWnd : nullptr));
        return TRUE;
    }
    // Later idle time frees the temporary wrappers of handles.
    CWnd::DeleteTempMap();
    CDC::DeleteTempMap();
    CGdiObject::DeleteTempMap();
    CMenu::DeleteTempMap();
    CImageList::DeleteTempMap();
    return FALSE;
}

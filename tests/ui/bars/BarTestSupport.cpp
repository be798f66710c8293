#include "tests/ui/bars/BarTestSupport.h"

#include "platform/mfc/DockBar.h"

namespace
{
constexpr UINT kSides[] = {CExtControlBar::DOCKBAR_TOP, CExtControlBar::DOCKBAR_BOTTOM, CExtControlBar::DOCKBAR_LEFT,
                           CExtControlBar::DOCKBAR_RIGHT};
constexpr DWORD kStepDelayMs = 30;
constexpr int kHostWidth = 900;
constexpr int kHostHeight = 700;
constexpr DWORD kBarStyle = WS_CHILD | WS_VISIBLE | CBRS_GRIPPER | CBRS_BORDER_ANY | CBRS_TOOLTIPS;

DWORD AlignmentOf(UINT nSideId)
{
    switch (nSideId) {
    case CExtControlBar::DOCKBAR_TOP: return CBRS_ALIGN_TOP;
    case CExtControlBar::DOCKBAR_BOTTOM: return CBRS_ALIGN_BOTTOM;
    case CExtControlBar::DOCKBAR_LEFT: return CBRS_ALIGN_LEFT;
    default: return CBRS_ALIGN_RIGHT;
    }
}

void SendMouse(DWORD dwFlags, POINT pt)
{
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = MulDiv(pt.x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = MulDiv(pt.y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = dwFlags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    ::SendInput(1, &in, sizeof(in));
}

void SendKey(WORD vk)
{
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = vk;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, in, sizeof(INPUT));
}
// Test frames live inside one top-level window kept for the whole run: hiding or destroying a
// top-level window waits on the display server, a child window does not.
HWND HostWindow()
{
    static HWND s_hWndHost = nullptr;
    if (s_hWndHost == nullptr || !::IsWindow(s_hWndHost)) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = "BarTestHost";
        ::RegisterClassA(&wc);
        s_hWndHost = ::CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                                       kHostWidth, kHostHeight, nullptr, nullptr, wc.hInstance, nullptr);
        ::SetForegroundWindow(s_hWndHost);
    }
    return s_hWndHost;
}
} // namespace

void PumpBarMessages(DWORD dwMilliseconds)
{
    const DWORD dwStart = ::GetTickCount();
    do {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                return;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        if (dwMilliseconds != 0)
            ::Sleep(5);
    } while (::GetTickCount() - dwStart < dwMilliseconds);
}

CBarTestFrame::CBarTestFrame(CFrameWnd* pFrame, const CRect& rcFrame)
{
    m_pFrame = pFrame != nullptr ? pFrame : new CFrameWnd;
    m_pFrame->Create(nullptr, "bars", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rcFrame, CWnd::FromHandle(HostWindow()));
    CRect rcClient;
    m_pFrame->GetClientRect(&rcClient);
    for (UINT nSide : kSides) {
        auto* pDockBar = new CDockBar;
        pDockBar->Create(m_pFrame, WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | AlignmentOf(nSide), nSide);
        pDockBar->m_dwStyle = AlignmentOf(nSide);
        CRect rc(rcClient);
        switch (nSide) {
        case CExtControlBar::DOCKBAR_TOP: rc.bottom = rc.top + kDockThickness; break;
        case CExtControlBar::DOCKBAR_BOTTOM: rc.top = rc.bottom - kDockThickness; break;
        case CExtControlBar::DOCKBAR_LEFT:
            rc.DeflateRect(0, kDockThickness);
            rc.right = rc.left + kDockThickness;
            break;
        default:
            rc.DeflateRect(0, kDockThickness);
            rc.left = rc.right - kDockThickness;
            break;
        }
        pDockBar->MoveWindow(&rc);
        m_dockBars.push_back(pDockBar);
    }
    PumpBarMessages();
}

CBarTestFrame::~CBarTestFrame()
{
    for (CTestBar* pBar : m_bars) {
        pBar->m_pDockBar = nullptr;
        if (pBar->GetSafeHwnd() != nullptr)
            pBar->DestroyWindow();
        delete pBar;
    }
    for (CDockBar* pDockBar : m_dockBars) {
        pDockBar->DestroyWindow();
        delete pDockBar;
    }
    // The frame deletes itself with its window.
    m_pFrame->DestroyWindow();
    PumpBarMessages();
}

CDockBar* CBarTestFrame::DockBar(UINT nSideId) const
{
    for (CDockBar* pDockBar : m_dockBars)
        if (static_cast<UINT>(pDockBar->GetDlgCtrlID()) == nSideId)
            return pDockBar;
    return nullptr;
}

CTestBar* CBarTestFrame::CreateBar(UINT nSideId, LPCSTR lpszCaption, UINT nId, bool bFixedSize)
{
    auto* pBar = new CTestBar(bFixedSize);
    m_bars.push_back(pBar);
    CDockBar* pDockBar = DockBar(nSideId);
    pBar->CreateBarWindow(lpszCaption, pDockBar, nId, kBarStyle | AlignmentOf(nSideId));
    pBar->m_pDockSite = m_pFrame;
    pBar->m_pDockBar = pDockBar;
    m_pFrame->m_listControlBars.AddTail(pBar);
    return pBar;
}

void CBarTestFrame::SetRows(UINT nSideId, const std::vector<std::vector<CExtControlBar*>>& rows)
{
    CDockBar* pDockBar = DockBar(nSideId);
    pDockBar->m_arrBars.RemoveAll();
    pDockBar->m_arrBars.Add(nullptr);
    for (const auto& row : rows) {
        for (CExtControlBar* pBar : row)
            pDockBar->m_arrBars.Add(pBar);
        pDockBar->m_arrBars.Add(nullptr);
    }
}

void CBarTestFrame::LayoutSide(UINT nSideId)
{
    CDockBar* pDockBar = DockBar(nSideId);
    const bool bHorz = nSideId == CExtControlBar::DOCKBAR_TOP || nSideId == CExtControlBar::DOCKBAR_BOTTOM;
    const DWORD dwMode = bHorz ? (LM_HORZ | LM_HORZDOCK) : LM_VERTDOCK;
    int nRowStart = 0;
    for (INT_PTR i = 1; i < pDockBar->m_arrBars.GetSize(); ++i) {
        auto* pBar = static_cast<CExtControlBar*>(pDockBar->m_arrBars[i]);
        if (pBar == nullptr)
            continue;
        pBar->CalcDynamicLayout(-1, dwMode);
    }
    // Rows one after the other across the dock bar, each as thick as its first bar.
    for (INT_PTR i = 1; i < pDockBar->m_arrBars.GetSize(); ++i) {
        auto* pBar = static_cast<CExtControlBar*>(pDockBar->m_arrBars[i]);
        if (pBar == nullptr)
            continue;
        int nThickness = bHorz ? pBar->m_sizeDockedHorz.cy : pBar->m_sizeDockedVert.cx;
        INT_PTR j = i;
        for (; j < pDockBar->m_arrBars.GetSize() && pDockBar->m_arrBars[j] != nullptr; ++j) {
            auto* pRowBar = static_cast<CExtControlBar*>(pDockBar->m_arrBars[j]);
            CRect rc;
            pRowBar->GetWindowRect(&rc);
            pDockBar->ScreenToClient(&rc);
            if (bHorz)
                pRowBar->SetWindowPos(nullptr, rc.left, nRowStart, rc.Width(), nThickness,
                                      SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
            else
                pRowBar->SetWindowPos(nullptr, nRowStart, rc.top, nThickness, rc.Height(),
                                      SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        }
        nRowStart += nThickness;
        i = j;
    }
    PumpBarMessages();
}

CInputScript::CInputScript(std::vector<Step> steps, DWORD dwWatchdogMs)
    : m_steps(std::move(steps)), m_dwWatchdogMs(dwWatchdogMs)
{
    m_hThread = ::CreateThread(nullptr, 0, &CInputScript::Run, this, 0, nullptr);
}

DWORD WINAPI CInputScript::Run(LPVOID pParam)
{
    CInputScript* pThis = static_cast<CInputScript*>(pParam);
    {
        for (const Step& step : pThis->m_steps) {
            ::Sleep(kStepDelayMs);
            switch (step.kind) {
            case Step::MOVE: SendMouse(0, step.pt); break;
            case Step::LEFT_DOWN: SendMouse(MOUSEEVENTF_LEFTDOWN, step.pt); break;
            case Step::LEFT_UP: SendMouse(MOUSEEVENTF_LEFTUP, step.pt); break;
            case Step::RIGHT_DOWN: SendMouse(MOUSEEVENTF_RIGHTDOWN | MOUSEEVENTF_RIGHTUP, step.pt); break;
            case Step::KEY: SendKey(step.vk); break;
            }
        }
        const DWORD dwStart = ::GetTickCount();
        while (!pThis->m_bDone && ::GetTickCount() - dwStart < pThis->m_dwWatchdogMs)
            ::Sleep(10);
        if (!pThis->m_bDone) {
            pThis->m_bWatchdogFired = true;
            SendKey(VK_ESCAPE);
        }
    }
    return 0;
}

void CInputScript::Join()
{
    m_bDone = true;
    if (m_hThread != nullptr) {
        ::WaitForSingleObject(m_hThread, INFINITE);
        ::CloseHandle(m_hThread);
        m_hThread = nullptr;
    }
}

CInputScript::~CInputScript()
{
    Join();
}

#include "DragInputScript.h"

#include <algorithm>
#include <string>

namespace {

constexpr int ABSOLUTE_RANGE = 65535;
constexpr DWORD WATCHDOG_POLL_MS = 20;
// How long a step waits for the window it aims at to show (a busy machine shows it late).
constexpr DWORD TARGET_TIMEOUT_MS = 3000;
constexpr DWORD TARGET_POLL_MS = 20;

// The point asked for, asked again while nothing it aims at shows yet.
POINT WaitForTarget(const std::function<POINT()>& where)
{
    const DWORD dwStart = ::GetTickCount();
    POINT pt = where();
    while (pt.x == -1 && pt.y == -1 && ::GetTickCount() - dwStart < TARGET_TIMEOUT_MS) {
        ::Sleep(TARGET_POLL_MS);
        pt = where();
    }
    return pt;
}

void SendStep(const InputStep& step)
{
    switch (step.kind) {
    case InputStep::MOVE: SendMouseMove(step.where ? WaitForTarget(step.where) : step.pt); break;
    case InputStep::LEFT_DOWN: SendLeftButton(true); break;
    case InputStep::LEFT_UP: SendLeftButton(false); break;
    case InputStep::KEY_DOWN: SendKey(step.vk, true); break;
    case InputStep::KEY_UP: SendKey(step.vk, false); break;
    case InputStep::WAIT: ::Sleep(step.ms); break;
    case InputStep::CALL: step.action(); break;
    case InputStep::WAIT_FOR: {
        const DWORD dwStart = ::GetTickCount();
        while (!step.until() && ::GetTickCount() - dwStart < step.ms)
            ::Sleep(TARGET_POLL_MS);
        break;
    }
    }
}

} // namespace

void SendMouseMove(POINT pt)
{
    INPUT in{};
    in.type = INPUT_MOUSE;
    const int cx = std::max(2, ::GetSystemMetrics(SM_CXSCREEN));
    const int cy = std::max(2, ::GetSystemMetrics(SM_CYSCREEN));
    in.mi.dx = ::MulDiv(pt.x, ABSOLUTE_RANGE, cx - 1);
    in.mi.dy = ::MulDiv(pt.y, ABSOLUTE_RANGE, cy - 1);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &in, sizeof(in));
}

void SendLeftButton(bool bDown)
{
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = bDown ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    ::SendInput(1, &in, sizeof(in));
}

void SendKey(WORD vk, bool bDown)
{
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = bDown ? 0 : KEYEVENTF_KEYUP;
    ::SendInput(1, &in, sizeof(in));
}

void PumpMessagesFor(DWORD dwMs)
{
    const DWORD dwStart = ::GetTickCount();
    MSG msg;
    do {
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                return;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        ::Sleep(1);
    } while (::GetTickCount() - dwStart < dwMs);
}

std::vector<InputStep> PressAndMove(POINT from, POINT to, int step)
{
    std::vector<InputStep> steps{InputStep::Move(from.x, from.y), InputStep::Down()};
    const int dx = to.x - from.x;
    const int dy = to.y - from.y;
    const int n = std::max(1, (std::max(std::abs(dx), std::abs(dy)) + step - 1) / step);
    for (int i = 1; i <= n; ++i)
        steps.push_back(InputStep::Move(from.x + dx * i / n, from.y + dy * i / n));
    return steps;
}

CInputScript::CInputScript(std::vector<InputStep> steps) : m_steps(std::move(steps))
{
}

CInputScript::~CInputScript()
{
    if (m_hThread != nullptr) {
        ::WaitForSingleObject(m_hThread, INFINITE);
        ::CloseHandle(m_hThread);
    }
}

DWORD WINAPI CInputScript::ThreadProc(LPVOID pParam)
{
    auto* pScript = static_cast<CInputScript*>(pParam);
    for (const InputStep& step : pScript->m_steps) {
        SendStep(step);
        ::Sleep(GAP_MS);
    }
    pScript->m_bDone = true;
    return 0;
}

void CInputScript::Start()
{
    m_hThread = ::CreateThread(nullptr, 0, &CInputScript::ThreadProc, this, 0, nullptr);
    if (m_hThread == nullptr)
        m_bDone = true;
}

void CInputScript::Finish()
{
    while (!m_bDone)
        PumpMessagesFor(GAP_MS);
    PumpMessagesFor(GAP_MS * 2);
}

DWORD WINAPI CLoopWatchdog::ThreadProc(LPVOID pParam)
{
    auto* pDog = static_cast<CLoopWatchdog*>(pParam);
    const DWORD dwStart = ::GetTickCount();
    while (!pDog->m_bStop) {
        if (::GetTickCount() - dwStart >= pDog->m_dwTimeoutMs) {
            pDog->m_bFired = true;
            SendKey(VK_ESCAPE, true);
            SendKey(VK_ESCAPE, false);
            SendLeftButton(false);
            return 0;
        }
        ::Sleep(WATCHDOG_POLL_MS);
    }
    return 0;
}

CLoopWatchdog::CLoopWatchdog(DWORD dwTimeoutMs) : m_dwTimeoutMs(dwTimeoutMs)
{
    m_hThread = ::CreateThread(nullptr, 0, &CLoopWatchdog::ThreadProc, this, 0, nullptr);
}

CLoopWatchdog::~CLoopWatchdog()
{
    m_bStop = true;
    if (m_hThread != nullptr) {
        ::WaitForSingleObject(m_hThread, INFINITE);
        ::CloseHandle(m_hThread);
    }
}

namespace {
struct MarkerSearch
{
    const std::function<bool(const RECT&, const RECT&)>* pComesFirst;
    RECT best;
    bool bFound;
};

BOOL CALLBACK VisitMarker(HWND hWnd, LPARAM lParam)
{
    auto* pSearch = reinterpret_cast<MarkerSearch*>(lParam);
    char szClass[64] = {};
    ::GetClassNameA(hWnd, szClass, sizeof(szClass));
    if (std::string(szClass) != "DadeZAD-DynDockMarker" || !::IsWindowVisible(hWnd))
        return TRUE;
    RECT rc{};
    ::GetWindowRect(hWnd, &rc);
    if (rc.right - rc.left <= 0 || rc.bottom - rc.top <= 0)
        return TRUE;
    if (!pSearch->bFound || (*pSearch->pComesFirst)(rc, pSearch->best)) {
        pSearch->best = rc;
        pSearch->bFound = true;
    }
    return TRUE;
}
} // namespace

POINT FindShownMarker(const std::function<bool(const RECT&, const RECT&)>& comesFirst)
{
    MarkerSearch search{&comesFirst, {}, false};
    ::EnumWindows(VisitMarker, reinterpret_cast<LPARAM>(&search));
    if (!search.bFound)
        return POINT{-1, -1};
    return POINT{(search.best.left + search.best.right) / 2, (search.best.top + search.best.bottom) / 2};
}

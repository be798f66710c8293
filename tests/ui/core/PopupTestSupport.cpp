#include "tests/ui/core/PopupTestSupport.h"

#include "ui/core/ExtPopupMenuWnd.h"

#include <cstdlib>
#include <functional>

namespace {
// Key-downs closer together than the popups' repeat interval are dropped.
constexpr DWORD KEY_SETTLE_MS = 60;
constexpr DWORD MOUSE_SETTLE_MS = 60;
// The longest wait for the keys sent to leave the queue.
constexpr DWORD KEY_QUEUE_TIMEOUT_MS = 2000;
// How far inside the owner's corner the cursor is parked.
constexpr int PARKED_CURSOR_INSET = 20;

void SendMouse(DWORD dwFlags)
{
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = dwFlags;
    ::SendInput(1, &in, sizeof(INPUT));
    PumpMessagesFor(MOUSE_SETTLE_MS);
}
}  // namespace

CInstantPopups::CInstantPopups() : m_nSavedAnimation(CExtPopupBaseWnd::g_nDefaultPopupAnimation)
{
    CExtPopupBaseWnd::g_nDefaultPopupAnimation = CExtPopupBaseWnd::ANIMATION_NONE;
}

CInstantPopups::~CInstantPopups()
{
    CExtPopupBaseWnd::g_nDefaultPopupAnimation = m_nSavedAnimation;
}

void EndPopupTracking()
{
    CExtPopupMenuWnd::EndActiveTracking();
    PumpMessagesFor(30);
}

HWND CreateOwnerWindow(const char* pszClass, WNDPROC pfnWndProc, const RECT& rc, HBRUSH hbrBackground)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = pfnWndProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = pszClass;
    wc.hbrBackground = hbrBackground;
    ::RegisterClassA(&wc);
    return ::CreateWindowExA(WS_EX_TOPMOST, pszClass, "", WS_POPUP | WS_VISIBLE, rc.left, rc.top,
                             rc.right - rc.left, rc.bottom - rc.top, nullptr, nullptr, wc.hInstance, nullptr);
}

void ActivateOwner(HWND hWnd, const RECT& rc)
{
    ::SetForegroundWindow(hWnd);
    ::SetFocus(hWnd);
    ::SetCursorPos(rc.right - PARKED_CURSOR_INSET, rc.bottom - PARKED_CURSOR_INSET);
    PumpMessagesFor(60);
}

namespace {
// The popups time their key interval from when a key is taken from the queue: on a busy machine
// that can be late, so the settling time counts from then.
void SettleKeys()
{
    const DWORD dwStart = ::GetTickCount();
    while (HIWORD(::GetQueueStatus(QS_KEY)) != 0 && ::GetTickCount() - dwStart < KEY_QUEUE_TIMEOUT_MS)
        PumpMessagesFor(5);
    PumpMessagesFor(KEY_SETTLE_MS);
}
}  // namespace

void PressKey(WORD vk)
{
    SendKey(vk);
    SettleKeys();
}

void PressKeyWith(WORD vkModifier, WORD vk)
{
    SendKeys({{vkModifier, false}, {vk, false}, {vk, true}, {vkModifier, true}});
    SettleKeys();
}

void MoveCursorTo(POINT ptScreen)
{
    // Two steps: a move to the very point the cursor rests on reports nothing.
    ::SetCursorPos(ptScreen.x - 1, ptScreen.y);
    PumpMessagesFor(10);
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = 1;
    in.mi.dwFlags = MOUSEEVENTF_MOVE;
    ::SendInput(1, &in, sizeof(INPUT));
    PumpMessagesFor(MOUSE_SETTLE_MS);
}

void ClickAt(POINT ptScreen)
{
    MoveCursorTo(ptScreen);
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    SendMouse(MOUSEEVENTF_LEFTUP);
}

CBackdropWindow::CBackdropWindow(const RECT& rc, COLORREF clr)
    : m_hBrush(::CreateSolidBrush(clr))
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = "PopupTestBackdrop";
    ::RegisterClassA(&wc);  // fails harmlessly once registered
    m_hWnd = ::CreateWindowExA(WS_EX_TOOLWINDOW, wc.lpszClassName, "", WS_POPUP, rc.left, rc.top,
                               rc.right - rc.left, rc.bottom - rc.top, nullptr, nullptr, wc.hInstance, nullptr);
    ::SetClassLongPtrA(m_hWnd, GCLP_HBRBACKGROUND, LONG_PTR(m_hBrush));
    // Not activated: destroying an active window waits for the display to move the focus.
    ::ShowWindow(m_hWnd, SW_SHOWNA);
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
    ::UpdateWindow(m_hWnd);
    PumpMessagesFor(50);
}

CBackdropWindow::~CBackdropWindow()
{
    ::DestroyWindow(m_hWnd);
    ::DeleteObject(m_hBrush);
}

CRecordingSoundPlayer::CRecordingSoundPlayer()
    : m_pPrevious(CExtSoundPlayer::ReplaceInstance(this))
{
}

CRecordingSoundPlayer::~CRecordingSoundPlayer()
{
    CExtSoundPlayer::ReplaceInstance(m_pPrevious);
}

bool CRecordingSoundPlayer::PlayUiSound(int nSoundId)
{
    m_sounds.push_back(nSoundId);
    return true;
}

COLORREF ScreenPixel(int x, int y)
{
    HDC hScreen = ::GetDC(nullptr);
    const COLORREF clr = ::GetPixel(hScreen, x, y);
    ::ReleaseDC(nullptr, hScreen);
    return clr;
}

void PumpMessagesFor(DWORD dwMilliseconds)
{
    const DWORD dwStart = ::GetTickCount();
    do {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        ::Sleep(5);
    } while (::GetTickCount() - dwStart < dwMilliseconds);
}

bool PumpMessagesUntil(const std::function<bool()>& condition, DWORD dwTimeoutMs)
{
    const DWORD dwStart = ::GetTickCount();
    for (;;) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        if (condition())
            return true;
        if (::GetTickCount() - dwStart >= dwTimeoutMs)
            return false;
        ::Sleep(5);
    }
}

bool ColorNear(COLORREF clr, COLORREF clrExpected, int nTolerance)
{
    return std::abs(int(GetRValue(clr)) - int(GetRValue(clrExpected))) <= nTolerance &&
           std::abs(int(GetGValue(clr)) - int(GetGValue(clrExpected))) <= nTolerance &&
           std::abs(int(GetBValue(clr)) - int(GetBValue(clrExpected))) <= nTolerance;
}


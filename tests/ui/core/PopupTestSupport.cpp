#include "tests/ui/core/PopupTestSupport.h"

#include <cstdlib>
#include <string>

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

bool ColorNear(COLORREF clr, COLORREF clrExpected, int nTolerance)
{
    return std::abs(int(GetRValue(clr)) - int(GetRValue(clrExpected))) <= nTolerance &&
           std::abs(int(GetGValue(clr)) - int(GetGValue(clrExpected))) <= nTolerance &&
           std::abs(int(GetBValue(clr)) - int(GetBValue(clrExpected))) <= nTolerance;
}


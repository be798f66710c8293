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

void SaveScreenRect(const RECT& rc, const char* pszName)
{
    // The build folder, as a path Wine understands (drive Z is the Unix root).
    std::string folder = __FILE__;
    for (int i = 0; i < 4; ++i)
        folder = folder.substr(0, folder.find_last_of('/'));
    folder = "Z:" + folder + "/build/screens";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    const int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
    if (cx <= 0 || cy <= 0)
        return;
    HDC hScreen = ::GetDC(nullptr);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), cx, cy, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* pBits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(hScreen, &bi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
    ::BitBlt(hMem, 0, 0, cx, cy, hScreen, rc.left, rc.top, SRCCOPY);
    ::GdiFlush();
    const DWORD dwStride = ((cx * 3 + 3) / 4) * 4;
    BITMAPFILEHEADER bf = {0x4D42, static_cast<DWORD>(sizeof bf + sizeof(BITMAPINFOHEADER) + dwStride * cy), 0, 0,
                           static_cast<DWORD>(sizeof bf + sizeof(BITMAPINFOHEADER))};
    const std::string path = folder + "/" + pszName;
    HANDLE hFile =
        ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile != INVALID_HANDLE_VALUE) {
        DWORD dwWritten = 0;
        ::WriteFile(hFile, &bf, sizeof bf, &dwWritten, nullptr);
        ::WriteFile(hFile, &bi.bmiHeader, sizeof bi.bmiHeader, &dwWritten, nullptr);
        ::WriteFile(hFile, pBits, dwStride * static_cast<DWORD>(cy), &dwWritten, nullptr);
        ::CloseHandle(hFile);
    }
    ::SelectObject(hMem, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hMem);
    ::ReleaseDC(nullptr, hScreen);
}

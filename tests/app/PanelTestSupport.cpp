#include "PanelTestSupport.h"

#include "EditorSessionSupport.h"

#include "model/FlashEditorDoc.h"
#include "model/UndoManager.h"
#include "model/UndoStep.h"

namespace {

constexpr int kHostLeft = 40;
constexpr int kHostTop = 40;

} // namespace

CWnd* PanelHost(int width, int height)
{
    // Left to the process's end, as the session's main frame is.
    static CWnd* pHost = nullptr;
    if (pHost == nullptr)
    {
        pHost = new CWnd;
        pHost->CreateEx(WS_EX_TOPMOST,
                        AfxRegisterWndClass(0, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)), "panels",
                        WS_POPUP | WS_VISIBLE, kHostLeft, kHostTop, width, height, nullptr, nullptr);
    }
    pHost->SetWindowPos(nullptr, kHostLeft, kHostTop, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    return pHost;
}

void ClickControl(CWnd& parent, int id)
{
    HWND hControl = ::GetDlgItem(parent.GetSafeHwnd(), id);
    RECT rc;
    ::GetClientRect(hControl, &rc);
    POINT centre = {rc.right / 2, rc.bottom / 2};
    POINT screen = centre;
    ::ClientToScreen(hControl, &screen);
    ::SetCursorPos(screen.x, screen.y);
    PumpMessages();
    const LPARAM at = MAKELPARAM(centre.x, centre.y);
    ::PostMessageA(hControl, WM_MOUSEMOVE, 0, at);
    ::PostMessageA(hControl, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageA(hControl, WM_LBUTTONUP, 0, at);
    PumpMessages();
}

void TypeText(HWND hEdit, const std::string& text)
{
    ::SetFocus(hEdit);
    ::SendMessageA(hEdit, EM_SETSEL, 0, -1);
    ::SendMessageA(hEdit, WM_CLEAR, 0, 0);
    for (char c : text)
        ::PostMessageA(hEdit, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(c)), 1);
    PumpMessages();
}

void PressKey(HWND hWnd, WORD vk)
{
    ::SetFocus(hWnd);
    ::PostMessageA(hWnd, WM_KEYDOWN, vk, 1);
    ::PostMessageA(hWnd, WM_KEYUP, vk, 0xC0000001);
    PumpMessages();
}

CWindowPixels CaptureWindow(HWND hWnd)
{
    ::RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    PumpMessages();
    RECT rc;
    ::GetWindowRect(hWnd, &rc);
    CWindowPixels result;
    result.width = rc.right - rc.left;
    result.height = rc.bottom - rc.top;
    result.pixels.resize(static_cast<size_t>(result.width * result.height));
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = result.width;
    info.bmiHeader.biHeight = -result.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* pBits = nullptr;
    HDC hScreen = ::GetDC(nullptr);
    HDC hMemory = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = ::CreateDIBSection(hScreen, &info, DIB_RGB_COLORS, &pBits, nullptr, 0);
    HGDIOBJ hOld = ::SelectObject(hMemory, hBitmap);
    ::BitBlt(hMemory, 0, 0, result.width, result.height, hScreen, rc.left, rc.top, SRCCOPY);
    ::GdiFlush();
    const auto* source = static_cast<const DWORD*>(pBits);
    for (size_t i = 0; i < result.pixels.size(); ++i)
        result.pixels[i] = source[i] & 0x00FFFFFF;
    ::SelectObject(hMemory, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hMemory);
    ::ReleaseDC(nullptr, hScreen);
    return result;
}

std::string LastStepName(CFlashEditorDoc* document)
{
    const CUndoStep* step = document->GetUndoManager().GetLastStep();
    return step != nullptr ? step->GetName() : std::string();
}

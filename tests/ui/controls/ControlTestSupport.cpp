#include "ControlTestSupport.h"

#include "tests/support/ScreenImage.h"

#include <algorithm>

namespace {
constexpr char HOST_CLASS[] = "ControlTestHost";
constexpr char CHILD_CLASS[] = "ControlTestChild";

void RegisterClasses()
{
    static bool bDone = false;
    if (bDone)
        return;
    bDone = true;
    WNDCLASSA wc{};
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszClassName = CHILD_CLASS;
    wc.style = CS_DBLCLKS;
    ::RegisterClassA(&wc);
    wc.lpszClassName = HOST_CLASS;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    ::RegisterClassA(&wc);
}

// Colours row by row from the top, turned into the channel order of a 32-bit DIB.
bool SaveColorsPng(const std::vector<COLORREF>& colors, int cx, int cy, const std::string& name)
{
    if (cx <= 0 || cy <= 0 || colors.size() < static_cast<size_t>(cx) * cy)
        return false;
    std::vector<DWORD> pixels(colors.size());
    for (size_t i = 0; i < colors.size(); ++i)
        pixels[i] = (GetRValue(colors[i]) << 16) | (GetGValue(colors[i]) << 8) | GetBValue(colors[i]);
    return SavePixelsPng(pixels.data(), cx, cy, name);
}
} // namespace

CTestHostWindow::CTestHostWindow(int cx, int cy, UINT nRecordedMessage) : m_nRecordedMessage(nRecordedMessage)
{
    RegisterClasses();
    m_hWnd = ::CreateWindowExA(0, HOST_CLASS, "test", WS_POPUP | WS_VISIBLE, 10, 10, cx, cy, nullptr, nullptr,
                               ::GetModuleHandleA(nullptr), nullptr);
    ::SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CTestHostWindow::WindowProc));
    ::SetForegroundWindow(m_hWnd);
    PumpMessages();
}

CTestHostWindow& CTestHostWindow::Shared(int cx, int cy, UINT nRecordedMessage)
{
    static CTestHostWindow host(cx, cy, nRecordedMessage);
    ::SetWindowPos(host.m_hWnd, nullptr, 10, 10, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
    host.m_nRecordedMessage = nRecordedMessage;
    host.m_records.clear();
    host.m_pfnOnRecord = nullptr;
    host.m_pUser = nullptr;
    host.m_bReadColors = false;
    PumpMessages();
    return host;
}

CTestHostWindow::~CTestHostWindow()
{
    if (::IsWindow(m_hWnd))
        ::DestroyWindow(m_hWnd);
    PumpMessages();
}

HWND CTestHostWindow::CreateChild(const RECT& rc, DWORD dwStyle, UINT nId) const
{
    return ::CreateWindowExA(0, CHILD_CLASS, "", dwStyle, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                             m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nId)),
                             ::GetModuleHandleA(nullptr), nullptr);
}

LRESULT CALLBACK CTestHostWindow::WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* pThis = reinterpret_cast<CTestHostWindow*>(::GetWindowLongPtrA(hWnd, GWLP_USERDATA));
    if (pThis != nullptr && message == pThis->m_nRecordedMessage) {
        Record r{wParam, lParam, {}};
        if (pThis->m_bReadColors && lParam != 0) {
            const auto* p = reinterpret_cast<const COLORREF*>(lParam);
            r.colors.assign(p, p + 3);
        }
        pThis->m_records.push_back(r);
        if (pThis->m_pfnOnRecord != nullptr)
            pThis->m_pfnOnRecord(*pThis, wParam, lParam);
        return 0;
    }
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

void PumpMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

void PostMouse(HWND hWnd, UINT message, UINT nFlags, int x, int y)
{
    ::PostMessageA(hWnd, message, nFlags, MAKELPARAM(x, y));
    PumpMessages();
}

CWindowPixels::CWindowPixels(HWND hWnd)
{
    ::RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT rc{};
    ::GetClientRect(hWnd, &rc);
    m_cx = rc.right;
    m_cy = rc.bottom;
    if (m_cx <= 0 || m_cy <= 0)
        return;
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = m_cx;
    bmi.bmiHeader.biHeight = -m_cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* pBits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    HDC hMem = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
    HDC hWndDC = ::GetDC(hWnd);
    ::BitBlt(hMem, 0, 0, m_cx, m_cy, hWndDC, 0, 0, SRCCOPY);
    ::ReleaseDC(hWnd, hWndDC);
    ::GdiFlush();
    const auto* pIn = static_cast<const DWORD*>(pBits);
    m_pixels.resize(static_cast<size_t>(m_cx) * m_cy);
    for (size_t i = 0; i < m_pixels.size(); ++i)
        m_pixels[i] = RGB((pIn[i] >> 16) & 0xFF, (pIn[i] >> 8) & 0xFF, pIn[i] & 0xFF);
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
    ::DeleteObject(hBitmap);
}

COLORREF CWindowPixels::At(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_cx || y >= m_cy)
        return CLR_INVALID;
    return m_pixels[static_cast<size_t>(y) * m_cx + x];
}

bool CWindowPixels::SavePng(const std::string& name) const
{
    return SaveColorsPng(m_pixels, m_cx, m_cy, name);
}

bool SaveSheetPng(const std::vector<const CWindowPixels*>& parts, const std::string& name)
{
    constexpr int GAP = 4;
    int cx = 0, cy = 0;
    for (const CWindowPixels* p : parts) {
        cx += p->Width() + GAP;
        cy = std::max(cy, p->Height());
    }
    std::vector<COLORREF> sheet(static_cast<size_t>(std::max(cx, 1)) * std::max(cy, 1), RGB(255, 255, 255));
    int x0 = 0;
    for (const CWindowPixels* p : parts) {
        for (int y = 0; y < p->Height(); ++y)
            for (int x = 0; x < p->Width(); ++x)
                sheet[static_cast<size_t>(y) * cx + x0 + x] = p->At(x, y);
        x0 += p->Width() + GAP;
    }
    return SaveColorsPng(sheet, cx, cy, name);
}

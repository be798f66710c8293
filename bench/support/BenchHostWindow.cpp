#include "bench/support/BenchHostWindow.h"

HWND MakeBenchHost(const char* pszClass, int cx, int cy)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = pszClass;
    ::RegisterClassA(&wc);
    return ::CreateWindowExA(0, pszClass, "bench", WS_POPUP | WS_VISIBLE, 0, 0, cx, cy, nullptr, nullptr,
                             wc.hInstance, nullptr);
}

void PumpBenchMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageA(&msg);
}

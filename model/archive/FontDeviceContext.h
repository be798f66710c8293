#pragma once
// The device context that fonts are converted on when they are archived: the reference
// window's (the application's main window) or, while none is set, a memory one.
#include <windows.h>

class CFontDeviceContext {
public:
    // The window whose device context converts fonts from now on; null for a memory one.
    static void SetReferenceWindow(HWND window);

    CFontDeviceContext();
    ~CFontDeviceContext();
    CFontDeviceContext(const CFontDeviceContext&) = delete;
    CFontDeviceContext& operator=(const CFontDeviceContext&) = delete;

    // Null when no device context could be had.
    HDC Get() const { return m_dc; }

private:
    static HWND s_referenceWindow;

    HWND m_window;
    HDC m_dc;
};

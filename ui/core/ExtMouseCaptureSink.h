#pragma once
// Gives the mouse capture to a window; framework windows that capture do it through this, so
// that a class can route its capture elsewhere.
#include "platform/mfc/Afx.h"

class CExtMouseCaptureSink
{
public:
    virtual ~CExtMouseCaptureSink() = default;

    // Captures the mouse for the window (null: none); the previous capture window, or null.
    virtual HWND SetCapture(HWND hWnd)
    {
        return hWnd != nullptr ? ::SetCapture(hWnd) : nullptr;
    }
};

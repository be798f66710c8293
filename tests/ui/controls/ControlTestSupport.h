#pragma once
// Windows, message pumping, pixel capture and screenshots shared by the control tests.
#include "platform/mfc/Afx.h"
#include "tests/support/SyntheticInput.h"

#include <string>
#include <vector>

// A visible top-level window that records every message of one registered kind it receives.
// Showing and hiding a top-level window costs seconds under Xvfb (no window manager answers), so
// tests share one: Shared() resizes it, clears its records and sets the recorded message.
class CTestHostWindow
{
public:
    static CTestHostWindow& Shared(int cx, int cy, UINT nRecordedMessage);
    CTestHostWindow(int cx, int cy, UINT nRecordedMessage);
    ~CTestHostWindow();
    CTestHostWindow(const CTestHostWindow&) = delete;
    CTestHostWindow& operator=(const CTestHostWindow&) = delete;

    HWND Handle() const { return m_hWnd; }
    // A child of the plain test class at the rectangle, ready to be subclassed.
    HWND CreateChild(const RECT& rc, DWORD dwStyle = WS_CHILD | WS_VISIBLE, UINT nId = 1000) const;

    struct Record
    {
        WPARAM wParam;
        LPARAM lParam;
        std::vector<COLORREF> colors;  // the three colours a colour notification points at
    };
    std::vector<Record> m_records;
    // Called for each recorded message while it is delivered; may be null.
    void (*m_pfnOnRecord)(CTestHostWindow& host, WPARAM wParam, LPARAM lParam) = nullptr;
    void* m_pUser = nullptr;
    // The LPARAM of a recorded message points at three colours.
    bool m_bReadColors = false;
    UINT m_nRecordedMessage;

private:
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND m_hWnd = nullptr;
};

// Delivers every queued message of the thread.
void PumpMessages();
// Posts a mouse message with client coordinates and delivers it.
void PostMouse(HWND hWnd, UINT message, UINT nFlags, int x, int y);

// The window's client area as it shows on screen, row by row.
class CWindowPixels
{
public:
    explicit CWindowPixels(HWND hWnd);
    COLORREF At(int x, int y) const;
    int Width() const { return m_cx; }
    int Height() const { return m_cy; }
    // Saves the pixels as a PNG under build/screens; false when it could not.
    bool SavePng(const std::string& name) const;

private:
    std::vector<COLORREF> m_pixels;
    int m_cx = 0;
    int m_cy = 0;
};

// Several captures side by side in one PNG under build/screens.
bool SaveSheetPng(const std::vector<const CWindowPixels*>& parts, const std::string& name);

#pragma once
// Fixtures of the popup tests: a plain window to open popups over, screen pixels, a sound
// player that records instead of playing.
#include "platform/mfc/Afx.h"
#include "ui/core/ExtSoundPlayer.h"

#include <vector>

// A borderless window of one colour at a fixed place on the screen.
class CBackdropWindow
{
public:
    CBackdropWindow(const RECT& rc, COLORREF clr);
    ~CBackdropWindow();
    CBackdropWindow(const CBackdropWindow&) = delete;
    CBackdropWindow& operator=(const CBackdropWindow&) = delete;
    HWND GetHwnd() const { return m_hWnd; }

private:
    HWND m_hWnd = nullptr;
    HBRUSH m_hBrush = nullptr;
};

// Installs itself as the process's sound player for its lifetime and records every request.
class CRecordingSoundPlayer : public CExtSoundPlayer
{
public:
    CRecordingSoundPlayer();
    ~CRecordingSoundPlayer() override;
    bool PlayUiSound(int nSoundId) override;
    std::vector<int> m_sounds;

private:
    CExtSoundPlayer* m_pPrevious;
};

COLORREF ScreenPixel(int x, int y);
// Dispatches the thread's messages for the given time.
void PumpMessagesFor(DWORD dwMilliseconds);
// Each channel of clr lies within nTolerance of the expected one.
bool ColorNear(COLORREF clr, COLORREF clrExpected, int nTolerance);

#pragma once
// Fixtures of the popup tests: owner windows to open popups over, real input, screen pixels, a
// sound player that records instead of playing.
#include "platform/mfc/Afx.h"
#include "tests/support/SyntheticInput.h"
#include "ui/core/ExtSoundPlayer.h"

#include <functional>
#include <vector>

// Popups open and close at once while it lives: no animation to wait for.
class CInstantPopups
{
public:
    CInstantPopups();
    ~CInstantPopups();
    CInstantPopups(const CInstantPopups&) = delete;
    CInstantPopups& operator=(const CInstantPopups&) = delete;

private:
    int m_nSavedAnimation;
};

// Ends whatever menu is tracked and lets its windows go.
void EndPopupTracking();

// A shown top-most popup window at rc that owns the menus under test.
HWND CreateOwnerWindow(const char* pszClass, WNDPROC pfnWndProc, const RECT& rc, HBRUSH hbrBackground);
// The owner in front with the focus, and the cursor parked in its far corner: a cursor resting
// where a popup opens would hover its items.
void ActivateOwner(HWND hWnd, const RECT& rc);

// Real input, seen by the popups' thread hooks. SendKey and SendKeys return at once, for timers
// that play input while a menu tracks; these dispatch messages while it arrives.
void PressKey(WORD vk);
void PressKeyWith(WORD vkModifier, WORD vk);
void MoveCursorTo(POINT ptScreen);
void ClickAt(POINT ptScreen);

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
// Dispatches the thread's messages until the condition holds; false after the time-out. Input
// sent through the window system arrives late on a loaded machine: wait for its effect.
constexpr DWORD INPUT_ARRIVES_MS = 15000;
bool PumpMessagesUntil(const std::function<bool()>& condition, DWORD dwTimeoutMs = INPUT_ARRIVES_MS);
// Each channel of clr lies within nTolerance of the expected one.
bool ColorNear(COLORREF clr, COLORREF clrExpected, int nTolerance);

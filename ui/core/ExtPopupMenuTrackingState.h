#pragma once
// The one tree of popup menus tracked in the process: its root, the popup that receives input,
// the popup still animating, where the chosen command goes, and the two thread hooks through
// which the thread's mouse and keyboard input reaches the popups while they are tracked.
#include "platform/mfc/Afx.h"

class CExtPopupMenuWnd;

class CExtPopupMenuTrackingState
{
public:
    static constexpr BYTE FLAG_ENDING = 0x01;
    // Key-downs closer together than this are auto-repeat noise the popups drop.
    static constexpr DWORD MIN_KEY_INTERVAL_MS = 20;

    CExtPopupMenuTrackingState() = default;
    // Process exit ends whatever is still tracked.
    ~CExtPopupMenuTrackingState();
    CExtPopupMenuTrackingState(const CExtPopupMenuTrackingState&) = delete;
    CExtPopupMenuTrackingState& operator=(const CExtPopupMenuTrackingState&) = delete;

    // Ends another tracked tree first; installs the hooks that are not installed yet.
    void SetTrackedPopup(CExtPopupMenuWnd* pPopup);
    // Deletes the whole tracked tree and removes both hooks.
    void EndTracking();

    bool IsEnding() const { return (m_nFlags & FLAG_ENDING) != 0; }
    bool IsHookInstalled() const { return m_hMouseHook != nullptr || m_hKeyboardHook != nullptr; }

    static LRESULT CALLBACK MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK KeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam);

    BYTE m_nFlags = 0;
    CExtPopupMenuWnd* m_pTrackedPopup = nullptr;
    CExtPopupMenuWnd* m_pCurrentPopup = nullptr;
    CExtPopupMenuWnd* m_pAnimatingPopup = nullptr;
    HHOOK m_hMouseHook = nullptr;
    HHOOK m_hKeyboardHook = nullptr;
    UINT* m_pResultCmdId = nullptr;

    // Tick count of the last key-down passed to a popup.
    static DWORD g_dwLastKeyTime;

private:
    LRESULT HandleMouse(int nCode, WPARAM wParam, LPARAM lParam);
    LRESULT HandleKeyboard(int nCode, WPARAM wParam, LPARAM lParam);
    // True when the screen point lies in a popup of the chain from the current popup up to the
    // root, or on the visible tip balloon of one of them.
    bool IsPointInPopupChain(POINT ptScreen) const;
};

extern CExtPopupMenuTrackingState g_PopupMenuTrackingState;

// Whether a control may show its hover look: some visible or popup ancestor of the window is the
// active window or one of its visible or popup ancestors.
bool IsHoverAllowedForActiveWindow(HWND hWnd, HWND hWndActive, bool bNeedEnabled, bool bNeedVisible,
                                   bool bFailWhileMenuTracked);
// The key message comes with Alt, or a modifier key is down.
bool IsModifierKeyDown(LPARAM lParam);

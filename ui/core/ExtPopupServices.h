#pragma once
// What the popups ask of the layers around them: the resource manager's language layout and the
// frame's status bar are answered here; the bars' questions (help mode, the status prompt) go to
// the services the bars' layer installs.
#include "platform/mfc/Afx.h"

class CExtBarButton;

// The user-interface language reads right to left.
bool PopupIsRightToLeftLanguage();
// Sets the frame's context-help cursor; false when no frame offers one.
bool PopupSetContextHelpCursor();
// The bars track a menu from a tool-bar button (their menu-tracking flag).
bool PopupIsBarMenuTracking();
// The frame that owns the window shows its idle prompt in the status bar.
void PopupShowIdlePrompt(HWND hWndOwner);
// The window's frame, or a frame above it, is in context-help mode.
bool PopupIsFrameInHelpMode(HWND hWnd);
// The window is a tool bar; false without the bars' layer.
bool PopupIsToolBarWindow(HWND hWnd);
// A release at the point (screen) falls on the tool-bar button whose drop-down is open.
bool PopupIsOnMenuTrackingButton(const POINT& ptScreen);
// The window a tool-bar button's covering notice goes to; null when none.
HWND PopupButtonNoticeTarget(const CExtBarButton* pButton);

// TRUE while a tool bar or the menu bar tracks a popup menu opened from one of its buttons.
extern bool g_bToolBarsTrackMenu;
// Ends the button-menu tracking of every bar; the bars' layer installs it.
void PopupCancelBarsMenuTracking();
void PopupSetBarsMenuTrackingCanceller(void (*pfnCancel)());

// What the popups ask of the bars' layer, which installs its answers when it is linked in;
// without it the popups fall back on the frame's own message-string handling.
class CExtPopupBarServices
{
public:
    virtual ~CExtPopupBarServices() = default;
    virtual bool IsFrameInHelpMode(HWND hWnd) = 0;
    // Shows the prompt for the id in the status bar of the window's frame.
    virtual void SetFrameStatusMessage(HWND hWnd, UINT nId) = 0;
    // The window is a tool bar (or a bar built on one).
    virtual bool IsToolBarWindow(HWND hWnd) = 0;
    // The point (screen) lies on the button of the tool bar under it whose drop-down is open.
    virtual bool IsOnMenuTrackingButton(const POINT& ptScreen) = 0;
    // Where a tool-bar button's covering notice goes: its bar's docking frame, or the bar's
    // parent; null while that frame is in context-help mode.
    virtual HWND GetButtonNoticeTarget(const CExtBarButton* pButton) = 0;
};
void PopupSetBarServices(CExtPopupBarServices* pServices);

#pragma once
// What the popups ask of the layers around them: the resource manager's language layout and the
// frame's status bar are answered here; the bars' questions (help mode, the status prompt) go to
// the services the bars' layer installs.
#include "platform/mfc/Afx.h"

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
};
void PopupSetBarServices(CExtPopupBarServices* pServices);

#pragma once
// What the popups ask of the layers around them: the resource manager's language layout and the
// frame's status bar are answered here; the bars' questions (help mode, their menu tracking)
// keep their defaults until the bars exist.
#include "platform/mfc/Afx.h"

// The user-interface language reads right to left.
bool PopupIsRightToLeftLanguage();
// Sets the frame's context-help cursor; false when no frame offers one.
bool PopupSetContextHelpCursor();
// The bars track a menu from a tool-bar button (their menu-tracking flag).
bool PopupIsBarMenuTracking();
// The frame that owns the window shows its idle prompt in the status bar.
void PopupShowIdlePrompt(HWND hWndOwner);

#pragma once
// What the popups ask of the layers that are wired in later (the resource manager, the frame's
// help mode): each question is one function here, answered by its default until then.
#include "platform/mfc/Afx.h"

// The user-interface language reads right to left.
bool PopupIsRightToLeftLanguage();
// Sets the frame's context-help cursor; false when no frame offers one.
bool PopupSetContextHelpCursor();
// The bars track a menu from a tool-bar button (their menu-tracking flag).
bool PopupIsBarMenuTracking();
// The frame that owns the window shows its idle prompt in the status bar.
void PopupShowIdlePrompt(HWND hWndOwner);

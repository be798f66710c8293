#pragma once
// Keys that an edit control with the focus takes for itself (the stage's text editor, a panel's
// edit or the edit of a combo box): the frame's accelerators for the same keys must not run
// while such a control has the focus.
#include <windows.h>

// Whether the message is the press of an editing key (Delete, Backspace, Insert, Ctrl+A/C/V/X/Y/Z,
// Alt+Backspace) sent to an edit control.
bool IsEditingKeyForEditControl(const MSG& msg);

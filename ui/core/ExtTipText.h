#pragma once
// The tip of a framework control: one tool over the window's client area, created on first use.
#include "platform/mfc/ToolTipCtrl.h"

// Sets the text of the window's own tip (nothing for an empty text); a text with a CR is shown
// on several lines at most nMaxWidth wide. Then activates or deactivates the tip.
void SetWindowTipText(CToolTipCtrl& tip, CWnd* pWnd, LPCSTR lpszText, bool bActivate, int nMaxWidth);

// A control hosted in a tool bar shows the bar's tip for the point (the control's client
// coordinates) as its own tip, unless that tip is already showing; true when the host's parent
// is a tool bar (the control then answers no tool of its own). The host is the control itself,
// or the window that contains it in the bar (the combo box of an edit part).
bool TakeToolBarTip(CToolTipCtrl& tip, CWnd* pWnd, CPoint point, int nMaxWidth, HWND hWndHost = nullptr);

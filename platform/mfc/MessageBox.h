#pragma once
// Message boxes: through the application's DoMessageBox when there is an application object,
// else shown directly.
#include <windows.h>

int AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
// The text is the string-table entry nIDPrompt of the resource module.
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = UINT(-1));
// Shows the box titled with the application's name; without an icon style one is chosen from
// the buttons (exclamation for OK, question for yes/no).
int AfxShowMessageBox(HWND hWndOwner, LPCSTR lpszText, UINT nType);

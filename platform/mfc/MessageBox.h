#pragma once
// Message boxes owned by the active window and titled with the application's name.
#include <windows.h>

int AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
// The text is the string-table entry nIDPrompt of the resource module.
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = UINT(-1));

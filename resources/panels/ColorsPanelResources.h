#pragma once
// The Colors panel's template, its buttons and their tooltip strings, shared by the code and
// ColorsPanel.rc.
#define IDD_COLORS_PANEL 152

#define IDC_COLORS_PEN 1000
#define IDC_COLORS_FILL 1001
#define IDC_COLORS_BLACK_AND_WHITE 1002
#define IDC_COLORS_SWAP 1003

// The two small buttons' pictures, drawn by make-colors-buttons.py.
#define IDI_COLORS_BLACK_AND_WHITE 170
#define IDI_COLORS_SWAP 171

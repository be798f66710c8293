#pragma once
// The Font panel's template, controls and tool tips (the tips' strings share the buttons' ids).
#define IDD_FONT_TOOL 157
#define IDC_FONT_FACE 1014
#define IDC_FONT_SIZE 1016
#define IDC_FONT_BOLD 1017
#define IDC_FONT_ITALIC 1018
#define IDC_ALIGN_LEFT 1019
#define IDC_ALIGN_CENTER 1020
#define IDC_ALIGN_RIGHT 1021
#define IDC_ALIGN_JUSTIFY 1022

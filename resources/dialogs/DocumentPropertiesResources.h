#pragma once
// Identifiers of the document properties dialog.

#define IDD_DOCUMENT_PROPERTIES 192
#define IDC_DOCPROP_BACKGROUND 1037
#define IDC_DOCPROP_UNITS 1038
#define IDC_DOCPROP_WIDTH 1039
#define IDC_DOCPROP_HEIGHT 1040
#define IDC_DOCPROP_FRAME_RATE 1041

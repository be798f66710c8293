#pragma once
// The Shape panel's template and its controls, shared by the code and ShapePanel.rc.
#define IDD_SHAPE_PANEL 153
// The gradient picker's cursor over a marker: the application's cursor 156, which the stage's
// cursors hold (its handle cursor, resources/stage/StageCursors.rc).
#define IDC_GRADIENT_MARKER_CURSOR 156

#define IDC_SHAPE_PEN_WIDTH 1007
#define IDC_SHAPE_DASH_STYLE 1008
#define IDC_SHAPE_FILL_TYPE 1009
#define IDC_SHAPE_PEN_COLOR 1012
#define IDC_SHAPE_GRADIENT 1013
#define IDC_SHAPE_FILL_COLOR 1017
#define IDC_SHAPE_BITMAPS 1032
#define IDC_SHAPE_PEN_LABEL 1033
#define IDC_SHAPE_BRUSH_LABEL 1034

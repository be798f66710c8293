#pragma once
// The Brush and Eraser panels' templates and their owner-drawn lists.
#define IDD_BRUSH_TOOL 167
#define IDD_ERASER_TOOL 168
#define IDC_BRUSH_SIZE 1033
#define IDC_BRUSH_SHAPE 1034
#define IDC_ERASER_SHAPE 1036

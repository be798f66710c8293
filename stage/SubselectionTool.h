#pragma once
#include "stage/DrawingTool.h"

// Edits the vertices and control points of the selected shapes.
class CSubselectionTool : public CDrawingTool {
public:
    CSubselectionTool() = default;
};

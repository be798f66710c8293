#pragma once
#include "stage/DrawingTool.h"

// Gives the clicked shape the default pen.
class CDrawInkBottleTool : public CDrawingTool {
public:
    CDrawInkBottleTool() = default;
};

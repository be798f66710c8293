#pragma once
#include "stage/DrawingTool.h"

// The pencil: draws smoothed freehand strokes.
class CDrawFreeHandTool : public CDrawingTool {
public:
    CDrawFreeHandTool() = default;
};

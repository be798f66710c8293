#pragma once
#include "stage/DrawingTool.h"

// Takes the clicked shape's pen and fill as the default style.
class CDrawEyeDropperTool : public CDrawingTool {
public:
    CDrawEyeDropperTool() = default;
};

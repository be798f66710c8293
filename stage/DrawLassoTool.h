#pragma once
#include "stage/DrawFreeHandTool.h"

// Cuts the shapes a freehand outline encloses and selects the inside pieces.
class CDrawLassoTool : public CDrawFreeHandTool {
public:
    CDrawLassoTool() = default;
};

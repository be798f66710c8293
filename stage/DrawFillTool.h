#pragma once
#include "stage/DrawingTool.h"

// The paint bucket: gives the clicked shape the default fill.
class CDrawFillTool : public CDrawingTool {
public:
    CDrawFillTool() = default;
};

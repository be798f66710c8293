#pragma once
#include "stage/DrawingTool.h"

// Picks, marquee-selects and moves shapes.
class CSelectTool : public CDrawingTool {
public:
    CSelectTool() = default;
};

#pragma once
#include "stage/DrawingTool.h"

// Draws straight lines.
class CDrawLineTool : public CDrawingTool {
public:
    CDrawLineTool() = default;
};

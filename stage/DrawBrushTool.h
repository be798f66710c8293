#pragma once
#include "stage/DrawFreeHandTool.h"

// Paints filled strokes with the brush shape the Brush panel chose.
class CDrawBrushTool : public CDrawFreeHandTool {
public:
    CDrawBrushTool() = default;
};

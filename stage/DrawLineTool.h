#pragma once
#include "stage/DrawingTool.h"

// Draws straight lines.
class CDrawLineTool : public CDrawingTool {
public:
    CDrawLineTool() = default;
    void OnLButtonDown(UINT flags, int x, int y) override;
    void OnLButtonUp(UINT flags, int x, int y) override;
    void OnMouseMove(UINT flags, int x, int y) override;
};

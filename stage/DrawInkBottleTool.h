#pragma once
#include "stage/DrawingTool.h"

// Gives the clicked shape the default pen.
class CDrawInkBottleTool : public CDrawingTool {
public:
    CDrawInkBottleTool() = default;
    void OnLButtonDown(UINT flags, int x, int y) override;
    void OnMouseMove(UINT flags, int x, int y) override;

    static constexpr int kCursorId = 195;
};

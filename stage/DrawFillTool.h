#pragma once
#include "stage/DrawingTool.h"

// The paint bucket: gives the clicked shape the default fill.
class CDrawFillTool : public CDrawingTool {
public:
    CDrawFillTool() = default;
    void OnLButtonDown(UINT flags, int x, int y) override;
    void OnMouseMove(UINT flags, int x, int y) override;

    static constexpr int kCursorId = 194;
};

#pragma once
#include "stage/DrawingTool.h"

// Takes the clicked shape's pen and fill as the default style, then hands over to the paint
// bucket (when there is a default fill) or the ink bottle.
class CDrawEyeDropperTool : public CDrawingTool {
public:
    CDrawEyeDropperTool() = default;
    void OnLButtonDown(UINT flags, int x, int y) override;
    void OnLButtonUp(UINT flags, int x, int y) override;
    void OnMouseMove(UINT flags, int x, int y) override;

    static constexpr int kCursorId = 196;
};

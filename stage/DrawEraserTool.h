#pragma once
#include "stage/DrawFreeHandTool.h"

// Erases with the eraser shape the Eraser panel chose, swept along the stroke.
class CDrawEraserTool : public CDrawFreeHandTool {
public:
    CDrawEraserTool() = default;
    void OnLButtonDown(UINT flags, int x, int y) override;
    void OnLButtonUp(UINT flags, int x, int y) override;
    void OnMouseMove(UINT flags, int x, int y) override;

private:
    // The panel's eraser shape, read once per stroke.
    std::vector<Gdiplus::Point> m_eraser;
};

#pragma once
#include "stage/DrawingTool.h"

// Draws axis-aligned ellipses of Bezier curves, outlined only or filled with the default fill.
class CDrawEllipseTool : public CDrawingTool {
public:
    CDrawEllipseTool() = default;
    bool IsFilled() const { return m_bFilled; }
    void SetFilled(bool filled) { m_bFilled = filled; }

    void OnLButtonDown(UINT flags, int x, int y) override;
    void OnLButtonUp(UINT flags, int x, int y) override;
    void OnMouseMove(UINT flags, int x, int y) override;

    // Below these a drag makes no ellipse: the distance between the corners and each side, in
    // twips.
    static constexpr double kMinimumDiagonal = 10.0;
    static constexpr int kMinimumSide = 5;

protected:
    bool m_bFilled = false;
};

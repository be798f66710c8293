#pragma once
#include "stage/DrawingTool.h"

// Draws axis-aligned rectangles, outlined only or filled with the default fill.
class CDrawRectangleTool : public CDrawingTool {
public:
    CDrawRectangleTool() = default;
    bool IsFilled() const { return m_bFilled; }
    void SetFilled(bool filled) { m_bFilled = filled; }

    void OnLButtonDown(UINT flags, int x, int y) override;
    void OnLButtonUp(UINT flags, int x, int y) override;
    void OnMouseMove(UINT flags, int x, int y) override;

protected:
    bool m_bFilled = false;
};

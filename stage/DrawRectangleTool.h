#pragma once
#include "stage/DrawingTool.h"

// Draws rectangles, outlined only or filled with the default fill.
class CDrawRectangleTool : public CDrawingTool {
public:
    CDrawRectangleTool() = default;
    bool IsFilled() const { return m_bFilled; }
    void SetFilled(bool filled) { m_bFilled = filled; }

protected:
    bool m_bFilled = false;
};

#pragma once
#include "stage/DrawingTool.h"

// Draws ellipses, outlined only or filled with the default fill.
class CDrawEllipseTool : public CDrawingTool {
public:
    CDrawEllipseTool() = default;
    bool IsFilled() const { return m_bFilled; }
    void SetFilled(bool filled) { m_bFilled = filled; }

protected:
    bool m_bFilled = false;
};

#pragma once
#include "stage/DrawingTool.h"

// Picks, marquee-selects and moves shapes.
class CSelectTool : public CDrawingTool {
public:
    CSelectTool() = default;
    void OnLButtonDown(UINT flags, int x, int y) override;
    void OnLButtonUp(UINT flags, int x, int y) override;
    void OnMouseMove(UINT flags, int x, int y) override;

protected:
    // A dotted rectangle from the press point to the pointer.
    void ShowMarquee(int x, int y);
    // The drag from the press point to (x, y) in whole twips.
    POINT DragOffsetInTwips(int x, int y) const;
};

#pragma once
#include "stage/DrawFreeHandTool.h"

#include <memory>

// Paints filled strokes with the brush shape the Brush panel chose.
class CDrawBrushTool : public CDrawFreeHandTool {
public:
    CDrawBrushTool() = default;
    void OnLButtonDown(UINT flags, int x, int y) override;
    void OnLButtonUp(UINT flags, int x, int y) override;
    void OnMouseMove(UINT flags, int x, int y) override;
    void CancelDrag() override;

private:
    // The panel's brush shape, read once per stroke.
    std::vector<Gdiplus::Point> m_brush;
    // The fill of the stamps and of the shape, taken at the press.
    std::unique_ptr<Gdiplus::Brush> m_pFill;
};

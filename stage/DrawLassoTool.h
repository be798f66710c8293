#pragma once
#include "stage/DrawFreeHandTool.h"

// Cuts the shapes a freehand outline encloses and selects the inside pieces.
class CDrawLassoTool : public CDrawFreeHandTool {
public:
    CDrawLassoTool() = default;
    void OnLButtonDown(UINT flags, int x, int y) override;
    void OnLButtonUp(UINT flags, int x, int y) override;
    void OnMouseMove(UINT flags, int x, int y) override;
    void CancelDrag() override;

    const std::vector<POINT>& GetLassoPoints() const { return m_lassoPoints; }

private:
    std::vector<POINT> m_lassoPoints;
};

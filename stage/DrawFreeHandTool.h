#pragma once
#include "stage/DrawingTool.h"

#include <vector>

class CFlashShape;

// The pencil: draws smoothed freehand strokes. The brush, eraser and lasso follow the pointer
// the same way and share the stroke's start and its swept outline.
class CDrawFreeHandTool : public CDrawingTool {
public:
    CDrawFreeHandTool() = default;
    void OnLButtonDown(UINT flags, int x, int y) override;
    void OnLButtonUp(UINT flags, int x, int y) override;
    void OnMouseMove(UINT flags, int x, int y) override;
    void CancelDrag() override;

    const std::vector<POINT>& GetStrokePoints() const { return m_strokePoints; }

    // Cursor resource of the pencil and lasso, and of the brush and eraser without a panel cursor.
    static constexpr int kFreeHandCursorId = 137;
    // The pencil's fit: how far the fitted curves may stray from the stroke, in pixels.
    static constexpr double kPencilDeviationBound = 3.0;

protected:
    // The points of a path around the origin (a brush shape); empty without one.
    static std::vector<Gdiplus::Point> PathPoints(const Gdiplus::GraphicsPath* path);
    // Fills the brush stamped along the steps of the fitter's stroke from the given point on.
    void DrawSweptStamps(Gdiplus::Graphics& graphics, const std::vector<Gdiplus::Point>& brush,
                         const Gdiplus::Brush& fill, size_t from) const;
    // The brush swept along the fitter's stroke becomes the shape's outline, in stage twips, and
    // the pen its pen.
    void OutlineToShape(CFlashShape& shape, const std::vector<Gdiplus::Point>& brush, const Gdiplus::Pen* pen) const;
    // The brush and eraser: the fitter takes the point and the stamps so far are shown.
    void SweepFeedback(UINT flags, int x, int y, HCURSOR cursor, const std::vector<Gdiplus::Point>& brush,
                       const Gdiplus::Brush& fill);
    void FreeStrokePoints();

    std::vector<POINT> m_strokePoints;
    // Steps of the stroke already stamped into the backdrop.
    size_t m_nStampedSteps = 0;
};

#include "stage/DrawEllipseTool.h"

#include "model/FlashBezierCurve.h"
#include "model/FlashEditorFrame.h"
#include "model/FlashHollowShape.h"
#include "model/FlashSolidShape.h"
#include "model/geometry/EllipticalArc.h"
#include "stage/FlashEditorView.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

void CDrawEllipseTool::OnLButtonDown(UINT flags, int x, int y)
{
    CDrawingTool::OnLButtonDown(flags, x, y);
    CaptureBackdrop(kRenderAllStates);
}

void CDrawEllipseTool::OnMouseMove(UINT flags, int x, int y)
{
    CDrawingTool::OnMouseMove(flags, x, y);
    TrackRubberBand(flags, [&](Gdiplus::Graphics& graphics, const Gdiplus::Pen& band) {
        graphics.DrawEllipse(&band, m_nPressX, m_nPressY, x - m_nPressX, y - m_nPressY);
    });
}

void CDrawEllipseTool::OnLButtonUp(UINT flags, int x, int y)
{
    CDrawingTool::OnLButtonUp(flags, x, y);
    ReleaseBackdrop();
    POINT a = ClientToStage(m_nPressX, m_nPressY);
    POINT b = ClientToStage(x, y);
    double diagonal = std::hypot(double(b.x) - a.x, double(b.y) - a.y);
    bool large = diagonal >= kMinimumDiagonal && std::abs(b.x - a.x) >= kMinimumSide &&
                 std::abs(b.y - a.y) >= kMinimumSide;
    if (large && CanChangeCurrentLayer()) {
        int left = std::min(a.x, b.x);
        int right = std::max(a.x, b.x);
        int top = std::min(a.y, b.y);
        int bottom = std::max(a.y, b.y);
        Gdiplus::Pen* pen = AddDefaultPenToRepository();
        CFlashShape* shape = nullptr;
        if (m_bFilled) {
            const Gdiplus::Brush* fill = GetView()->GetDefaultFill();
            shape = new CFlashSolidShape(fill);
            shape->SetBrush(fill);
            shape->SetPen(pen);
        } else {
            shape = new CFlashHollowShape(pen);
        }
        CFlashEllipticalArc arc((left + right) / 2, (top + bottom) / 2, (right - left) / 2, (bottom - top) / 2, 0.0);
        std::vector<CFlashQuadraticSegment> segments = arc.ApproximateByQuadratics();
        // The last segment ends where the first starts, so the outline closes exactly.
        segments.back().x1 = segments.front().x0;
        segments.back().y1 = segments.front().y0;
        for (const CFlashQuadraticSegment& s : segments)
            shape->InsertCurve(new CFlashBezierCurve(s.x0, s.y0, int(s.qx), int(s.qy), s.x1, s.y1), false, 0);
        if (AddShapeAndSelect(shape))
            RecordStep("Draw Ellipse");
    }
    RedrawView();
}

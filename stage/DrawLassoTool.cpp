#include "stage/DrawLassoTool.h"

#include "model/FlashContinuousPathShape.h"
#include "model/FlashCurveRebuilder.h"
#include "model/FlashStraightLine.h"
#include "stage/FlashEditorView.h"

#include <vector>

namespace {

constexpr Gdiplus::ARGB kLassoColor = 0xFFFFFFFF;

} // namespace

void CDrawLassoTool::OnLButtonDown(UINT flags, int x, int y)
{
    CDrawFreeHandTool::OnLButtonDown(flags, x, y);
    m_lassoPoints.push_back({x, y});
}

void CDrawLassoTool::OnMouseMove(UINT flags, int x, int y)
{
    CDrawingTool::OnMouseMove(flags, x, y);
    SetStageCursor(kFreeHandCursorId);
    if (!(flags & MK_LBUTTON))
        return;
    m_lassoPoints.push_back({x, y});
    if (Gdiplus::Graphics* graphics = BeginFeedback()) {
        Gdiplus::Pen band{Gdiplus::Color(kRubberBandColor), 1.0f};
        band.SetDashStyle(Gdiplus::DashStyleDash);
        // One open polyline: the loop closes only at the release.
        std::vector<Gdiplus::Point> points;
        points.reserve(m_lassoPoints.size());
        for (const POINT& p : m_lassoPoints)
            points.emplace_back(p.x, p.y);
        graphics->DrawLines(&band, points.data(), INT(points.size()));
        EndFeedback(&graphics);
    }
}

void CDrawLassoTool::OnLButtonUp(UINT flags, int x, int y)
{
    CDrawingTool::OnLButtonUp(flags, x, y);
    // A current layer that takes no change leaves the loop without effect and without a step.
    const bool cut = m_pView != nullptr && CanChangeCurrentLayer();
    // A loop that encloses nothing still leaves no selection behind.
    if (cut)
        m_pView->RemoveFromSelection(nullptr, true);
    if (cut && !m_lassoPoints.empty()) {
        Gdiplus::Pen white{Gdiplus::Color(kLassoColor), 1.0f};
        CFlashContinuousPathShape lasso(&white);
        for (size_t i = 0; i < m_lassoPoints.size(); ++i) {
            const POINT& next = m_lassoPoints[(i + 1) % m_lassoPoints.size()];
            POINT from = ClientToStage(m_lassoPoints[i].x, m_lassoPoints[i].y);
            POINT to = ClientToStage(next.x, next.y);
            lasso.InsertCurve(new CFlashStraightLine(from.x, from.y, to.x, to.y), false, 0);
        }
        g_CurveRebuilder.SmoothShape(&lasso);
        m_pView->LassoCut(&lasso);
    }
    ReleaseBackdrop();
    RedrawView();
    if (cut)
        RecordStep("Lasso");
    std::vector<POINT>().swap(m_lassoPoints);
    FreeStrokePoints();
}

void CDrawLassoTool::CancelDrag()
{
    std::vector<POINT>().swap(m_lassoPoints);
    CDrawFreeHandTool::CancelDrag();
}

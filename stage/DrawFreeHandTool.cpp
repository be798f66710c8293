#include "stage/DrawFreeHandTool.h"

#include "model/FlashBezierCurve.h"
#include "model/FlashContinuousPathShape.h"
#include "model/FlashEditorFrame.h"
#include "model/geometry/FlashCurveFitter.h"
#include "stage/FlashEditorView.h"

#include <algorithm>

namespace {

constexpr Gdiplus::ARGB kPencilTrailColor = 0xFFFF0000;
// The stamps are drawn as closed cardinal curves through their hull.
constexpr float kStampTension = 0.5f;

double Cross(const Gdiplus::Point& o, const Gdiplus::Point& a, const Gdiplus::Point& b)
{
    return double(a.X - o.X) * double(b.Y - o.Y) - double(a.Y - o.Y) * double(b.X - o.X);
}

// The convex hull of points sorted by x then y, counter-clockwise, without repeated corners.
std::vector<Gdiplus::Point> SortedHull(const std::vector<Gdiplus::Point>& points)
{
    std::vector<Gdiplus::Point> hull(points.size() * 2);
    size_t k = 0;
    for (const Gdiplus::Point& p : points) {
        while (k >= 2 && Cross(hull[k - 2], hull[k - 1], p) <= 0)
            --k;
        hull[k++] = p;
    }
    for (size_t i = points.size() - 1, lower = k + 1; i-- > 0;) {
        while (k >= lower && Cross(hull[k - 2], hull[k - 1], points[i]) <= 0)
            --k;
        hull[k++] = points[i];
    }
    hull.resize(k > 1 ? k - 1 : k);
    return hull;
}

} // namespace

void CDrawFreeHandTool::OnLButtonDown(UINT flags, int x, int y)
{
    CDrawingTool::OnLButtonDown(flags, x, y);
    CaptureBackdrop(kRenderAllStates);
    m_strokePoints.push_back({x, y});
    m_nStampedSteps = 0;
    g_CurveFitter.Reset();
    g_CurveFitter.AddPoint(x, y);
}

void CDrawFreeHandTool::OnMouseMove(UINT flags, int x, int y)
{
    CDrawingTool::OnMouseMove(flags, x, y);
    SetStageCursor(kFreeHandCursorId);
    if (!(flags & MK_LBUTTON))
        return;
    g_CurveFitter.AddPoint(x, y);
    m_strokePoints.push_back({x, y});
    if (Gdiplus::Graphics* graphics = BeginFeedback()) {
        Gdiplus::Pen trail{Gdiplus::Color(kPencilTrailColor), 1.0f};
        trail.SetDashStyle(Gdiplus::DashStyleDot);
        std::vector<Gdiplus::Point> points;
        points.reserve(m_strokePoints.size());
        for (const POINT& p : m_strokePoints)
            points.emplace_back(p.x, p.y);
        graphics->DrawLines(&trail, points.data(), INT(points.size()));
        EndFeedback(&graphics);
    }
    m_nPressX = x;
    m_nPressY = y;
}

void CDrawFreeHandTool::OnLButtonUp(UINT flags, int x, int y)
{
    CDrawingTool::OnLButtonUp(flags, x, y);
    // The bound stays for every later user of the fitter, the curve rebuilder included.
    g_CurveFitter.SetDeviationBound(kPencilDeviationBound);
    g_CurveFitter.Fit();
    FreeStrokePoints();
    ReleaseBackdrop();
    if (CanChangeCurrentLayer()) {
        Gdiplus::Pen* pen = AddDefaultPenToRepository();
        auto* shape = new CFlashContinuousPathShape(pen);
        const std::vector<Gdiplus::Point>& controls = g_CurveFitter.GetControlPoints();
        for (size_t i = 0; i + 3 < controls.size(); i += 3) {
            POINT start = ClientToStage(controls[i].X, controls[i].Y);
            POINT c1 = ClientToStage(controls[i + 1].X, controls[i + 1].Y);
            POINT c2 = ClientToStage(controls[i + 2].X, controls[i + 2].Y);
            POINT end = ClientToStage(controls[i + 3].X, controls[i + 3].Y);
            auto* curve = new CFlashBezierCurve(start.x, start.y, 0, 0, end.x, end.y);
            curve->SetPoint(2, c1);
            curve->SetPoint(3, c2);
            shape->InsertCurve(curve, false, 0);
        }
        shape->SetPen(pen);
        if (AddShapeAndSelect(shape))
            RecordStep("Draw Free Hand Shape");
    }
    RedrawView();
}

void CDrawFreeHandTool::CancelDrag()
{
    g_CurveFitter.Reset();
    FreeStrokePoints();
    CDrawingTool::CancelDrag();
}

void CDrawFreeHandTool::FreeStrokePoints()
{
    std::vector<POINT>().swap(m_strokePoints);
}

std::vector<Gdiplus::Point> CDrawFreeHandTool::PathPoints(const Gdiplus::GraphicsPath* path)
{
    std::vector<Gdiplus::Point> points;
    int count = path != nullptr ? path->GetPointCount() : 0;
    if (count <= 0)
        return points;
    points.resize(size_t(count));
    if (path->GetPathPoints(points.data(), count) != Gdiplus::Ok)
        points.clear();
    return points;
}

void CDrawFreeHandTool::DrawSweptStamps(Gdiplus::Graphics& graphics, const std::vector<Gdiplus::Point>& brush,
                                        const Gdiplus::Brush& fill, size_t from) const
{
    if (brush.empty())
        return;
    const std::vector<Gdiplus::Point>& stroke = g_CurveFitter.GetInputPoints();
    std::vector<Gdiplus::Point> stamp(brush.size() * 2);
    for (size_t i = from; i + 1 < stroke.size(); ++i) {
        for (size_t j = 0; j < brush.size(); ++j) {
            stamp[j] = Gdiplus::Point(brush[j].X + stroke[i].X, brush[j].Y + stroke[i].Y);
            stamp[brush.size() + j] = Gdiplus::Point(brush[j].X + stroke[i + 1].X, brush[j].Y + stroke[i + 1].Y);
        }
        std::sort(stamp.begin(), stamp.end(), [](const Gdiplus::Point& a, const Gdiplus::Point& b) {
            return a.X != b.X ? a.X < b.X : a.Y < b.Y;
        });
        std::vector<Gdiplus::Point> hull = SortedHull(stamp);
        if (hull.size() >= 3)
            graphics.FillClosedCurve(&fill, hull.data(), INT(hull.size()), Gdiplus::FillModeAlternate, kStampTension);
    }
}

void CDrawFreeHandTool::SweepFeedback(UINT flags, int x, int y, HCURSOR cursor,
                                      const std::vector<Gdiplus::Point>& brush, const Gdiplus::Brush& fill)
{
    CDrawingTool::OnMouseMove(flags, x, y);
    if (cursor != nullptr)
        ::SetCursor(cursor);
    else
        SetStageCursor(kFreeHandCursorId);
    if (!(flags & MK_LBUTTON))
        return;
    g_CurveFitter.AddPoint(x, y);
    // The trail is stamped into the backdrop as it grows, so that every move shows all of it
    // over the stage while drawing only the newest step.
    if (!m_bBackdropCaptured)
        CaptureBackdrop(kRenderAllStates);
    if (m_hBackdropDC != nullptr) {
        Gdiplus::Graphics trail(m_hBackdropDC);
        trail.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
        DrawSweptStamps(trail, brush, fill, m_nStampedSteps);
        m_nStampedSteps = size_t(std::max(g_CurveFitter.GetInputPointCount() - 1, 0));
    }
    if (Gdiplus::Graphics* graphics = BeginFeedback())
        EndFeedback(&graphics);
    m_nPressX = x;
    m_nPressY = y;
}

void CDrawFreeHandTool::OutlineToShape(CFlashShape& shape, const std::vector<Gdiplus::Point>& brush,
                                       const Gdiplus::Pen* pen) const
{
    shape.SetPen(pen);
    CFlashPolygonSet outline;
    g_CurveFitter.SweepOutline(brush, outline);
    shape.FitCurvesToPolygonSet(outline, m_nStageOffsetX, m_nStageOffsetY, m_fTwipsPerPixel);
}

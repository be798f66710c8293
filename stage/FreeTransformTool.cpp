#include "stage/FreeTransformTool.h"

#include "model/FlashEditorDoc.h"
#include "model/FlashEditorFrame.h"
#include "model/FlashShape.h"
#include "stage/FlashEditorView.h"

#include <cmath>

namespace {

constexpr double kDegreesPerRadian = 57.29577951471995;
constexpr Gdiplus::ARGB kFrameColor = 0xFF000000;
constexpr Gdiplus::ARGB kHandleFillColor = 0xFFFFFFFF;
constexpr Gdiplus::REAL kFrameDash[] = {5.0f, 5.0f};
// The arcs of the rotation zones: a half turn each, starting a quarter turn apart.
constexpr float kArcStartAngle = 855.0f;
constexpr float kArcStepAngle = 270.0f;
constexpr float kArcSweep = 180.0f;
// Opposite corner of each corner; for each edge the corner at the start of the opposite side.
constexpr int kOppositeCorner[4] = {2, 3, 0, 1};
constexpr int kEdgeAnchor[4] = {2, 3, 0, 1};
// A frame never collapses below one twip, so no placement becomes singular.
constexpr int kMinimumExtent = 1;

Gdiplus::PointF Map(const Gdiplus::Matrix& matrix, float x, float y)
{
    Gdiplus::PointF point(x, y);
    matrix.TransformPoints(&point, 1);
    return point;
}

// A handle resized about its centre so it shows at its nominal size in pixels.
Gdiplus::RectF ShownHandle(const Gdiplus::Rect& handle, double sx, double sy)
{
    float width = float(handle.Width / sx);
    float height = float(handle.Height / sy);
    float cx = handle.X + handle.Width / 2.0f;
    float cy = handle.Y + handle.Height / 2.0f;
    return Gdiplus::RectF(cx - width / 2, cy - height / 2, width, height);
}

int KeepExtent(int extent)
{
    if (extent == 0)
        return kMinimumExtent;
    return extent;
}

} // namespace

CFreeTransformTool::CFreeTransformTool() : m_pMatrix(new Gdiplus::Matrix)
{
    const LPCSTR corners[4] = {IDC_SIZENWSE, IDC_SIZENESW, IDC_SIZENWSE, IDC_SIZENESW};
    const LPCSTR edges[4] = {IDC_SIZENS, IDC_SIZEWE, IDC_SIZENS, IDC_SIZEWE};
    for (int i = 0; i < 4; ++i) {
        m_cursors[i] = ::LoadCursorA(nullptr, corners[i]);
        m_cursors[4 + i] = ::LoadCursorA(nullptr, edges[i]);
    }
    HINSTANCE module = ::GetModuleHandleA(nullptr);
    m_cursors[8] = ::LoadCursorA(module, MAKEINTRESOURCEA(kCentreCursorId));
    m_cursors[9] = ::LoadCursorA(module, MAKEINTRESOURCEA(kRotateCursorId));
}

CFreeTransformTool::~CFreeTransformTool() = default;

void CFreeTransformTool::Activate(CFlashEditorView* view)
{
    CDrawingTool::Activate(view);
    ClearDrag();
    m_fCentreX = m_fCentreY = 0.5f;
    m_pMatrix->Reset();
    LayoutHandles();
    RedrawView();
}

void CFreeTransformTool::Deactivate()
{
    RedrawView();
}

void CFreeTransformTool::LayoutHandles()
{
    SyncWithView();
    Gdiplus::Rect bounds(0, 0, 0, 0);
    if (m_pView != nullptr)
        m_pView->GetSelectionBounds(bounds);
    m_currentBounds = bounds;
    PlaceHandles(bounds);
    m_layoutBounds = m_pressBounds = bounds;
    if (m_pView != nullptr)
        m_pView->SaveSelectionMatrices();
}

void CFreeTransformTool::PlaceHandles(const Gdiplus::Rect& bounds)
{
    PlaceHandles(bounds, m_corners, m_edges, m_zones);
}

void CFreeTransformTool::PlaceHandles(const Gdiplus::Rect& b, Gdiplus::Rect corners[4], Gdiplus::Rect edges[4],
                                      Gdiplus::Rect zones[4])
{
    const int h = kHandleSize / 2;
    const int z = kZoneSize / 2;
    const POINT points[4] = {{b.X, b.Y}, {b.X + b.Width, b.Y}, {b.X + b.Width, b.Y + b.Height}, {b.X, b.Y + b.Height}};
    for (int i = 0; i < 4; ++i) {
        corners[i] = Gdiplus::Rect(points[i].x - h, points[i].y - h, kHandleSize, kHandleSize);
        zones[i] = Gdiplus::Rect(points[i].x - z, points[i].y - z, kZoneSize, kZoneSize);
    }
    edges[0] = Gdiplus::Rect(b.X + b.Width / 2 - h, b.Y - h, kHandleSize, kHandleSize);
    edges[1] = Gdiplus::Rect(b.X + b.Width - h, b.Y + b.Height / 2 - h, kHandleSize, kHandleSize);
    edges[2] = Gdiplus::Rect(b.X + b.Width / 2 - h, b.Y + b.Height - h, kHandleSize, kHandleSize);
    edges[3] = Gdiplus::Rect(b.X - h, b.Y + b.Height / 2 - h, kHandleSize, kHandleSize);
}

Gdiplus::Rect CFreeTransformTool::CentreMark() const
{
    return CentreMarkOf(m_currentBounds);
}

Gdiplus::Rect CFreeTransformTool::CentreMarkOf(const Gdiplus::Rect& b) const
{
    return Gdiplus::Rect(int(b.X + b.Width * m_fCentreX - kHandleSize / 2),
                         int(b.Y + b.Height * m_fCentreY - kHandleSize / 2), kHandleSize, kHandleSize);
}

Gdiplus::PointF CFreeTransformTool::GetCentre() const
{
    Gdiplus::Rect mark = CentreMark();
    return Map(*m_pMatrix, mark.X + mark.Width / 2.0f, mark.Y + mark.Height / 2.0f);
}

bool CFreeTransformTool::HitsHandle(const Gdiplus::Rect& handle, int size, const Gdiplus::PointF& stage) const
{
    Gdiplus::PointF corner = Map(*m_pMatrix, float(handle.X), float(handle.Y));
    float side = size * m_fTwipsPerPixel;
    float left = corner.X + size / 2.0f - side / 2;
    float top = corner.Y + size / 2.0f - side / 2;
    return left <= stage.X && stage.X < left + side && top <= stage.Y && stage.Y < top + side;
}

CFreeTransformTool::CHit CFreeTransformTool::FindHandle(int x, int y) const
{
    POINT p = ClientToStage(x, y);
    Gdiplus::PointF stage(float(p.x), float(p.y));
    for (int i = 0; i < 4; ++i)
        if (HitsHandle(m_corners[i], kHandleSize, stage))
            return {HandleKind::Corner, i};
    for (int i = 0; i < 4; ++i)
        if (HitsHandle(m_zones[i], kZoneSize, stage))
            return {HandleKind::Zone, i};
    for (int i = 0; i < 4; ++i)
        if (HitsHandle(m_edges[i], kHandleSize, stage))
            return {HandleKind::Edge, i};
    if (HitsHandle(CentreMark(), kHandleSize, stage))
        return {HandleKind::Centre, 0};
    return {HandleKind::None, -1};
}

void CFreeTransformTool::OnLButtonDown(UINT flags, int x, int y)
{
    m_nPressX = x;
    m_nPressY = y;
    SyncWithView();
    ClearDrag();
    CHit hit = m_pView != nullptr && !m_pView->GetSelection().empty() ? FindHandle(x, y) : CHit{HandleKind::None, -1};
    switch (hit.kind) {
    case HandleKind::Corner: m_nCorner = hit.index; break;
    case HandleKind::Zone: m_nZone = hit.index; break;
    case HandleKind::Edge: m_nEdge = hit.index; break;
    case HandleKind::Centre: m_bCentreDragged = true; break;
    case HandleKind::None: {
        RefreshHoveredShape(x, y);
        CFlashShape* hovered = m_pView != nullptr ? m_pView->GetHoveredShape() : nullptr;
        if (hovered == nullptr || hovered->GetState() != kResourceStateSelected)
            m_pMatrix->Reset();
        CSelectTool::OnLButtonDown(flags, x, y);
        return;
    }
    }
    CaptureBackdrop(kRenderAllStates);
    m_pressBounds = m_currentBounds;
    m_pPressMatrix.reset(m_pMatrix->Clone());
    m_pressCentre = {m_fCentreX, m_fCentreY};
    ShowSelectionMovedBy(0, 0);
}

void CFreeTransformTool::CancelDrag()
{
    const bool handleDragged = m_nCorner >= 0 || m_nEdge >= 0 || m_nZone >= 0 || m_bCentreDragged;
    if (handleDragged && m_pPressMatrix != nullptr) {
        m_pMatrix = std::move(m_pPressMatrix);
        m_fCentreX = m_pressCentre.X;
        m_fCentreY = m_pressCentre.Y;
    }
    ClearDrag();
    m_currentBounds = m_layoutBounds;
    CSelectTool::CancelDrag();
}

void CFreeTransformTool::OnMouseMove(UINT flags, int x, int y)
{
    const bool dragging = m_nCorner >= 0 || m_nEdge >= 0 || m_nZone >= 0 || m_bCentreDragged;
    if (!(flags & MK_LBUTTON)) {
        CSelectTool::OnMouseMove(flags, x, y);
        if (m_pView == nullptr || m_pView->GetSelection().empty())
            return;
        CHit hit = FindHandle(x, y);
        switch (hit.kind) {
        case HandleKind::Corner: ::SetCursor(m_cursors[hit.index]); break;
        case HandleKind::Zone: ::SetCursor(m_cursors[9]); break;
        case HandleKind::Edge: ::SetCursor(m_cursors[4 + hit.index]); break;
        case HandleKind::Centre: ::SetCursor(m_cursors[8]); break;
        case HandleKind::None: break;
        }
        return;
    }
    if (!dragging) {
        CSelectTool::OnMouseMove(flags, x, y);
        return;
    }
    SyncWithView();
    // Into the frame's own axes.
    Gdiplus::Matrix inverse;
    if (m_pMatrix->IsInvertible()) {
        std::unique_ptr<Gdiplus::Matrix> copy(m_pMatrix->Clone());
        copy->Invert();
        Gdiplus::REAL e[6] = {};
        copy->GetElements(e);
        inverse.SetElements(e[0], e[1], e[2], e[3], e[4], e[5]);
    }
    POINT pointer = ClientToStage(x, y);
    POINT press = ClientToStage(m_nPressX, m_nPressY);
    Gdiplus::PointF p = Map(inverse, float(pointer.x), float(pointer.y));
    Gdiplus::PointF q = Map(inverse, float(press.x), float(press.y));
    Gdiplus::Rect& b = m_currentBounds;
    auto moveLeft = [&] { b.Width += int(q.X - p.X); b.X = int(p.X); };
    auto moveRight = [&] { b.Width += int(p.X - q.X); };
    auto moveTop = [&] { b.Height += int(q.Y - p.Y); b.Y = int(p.Y); };
    auto moveBottom = [&] { b.Height += int(p.Y - q.Y); };
    if (m_nCorner >= 0) {
        (m_nCorner == 0 || m_nCorner == 3) ? moveLeft() : moveRight();
        (m_nCorner == 0 || m_nCorner == 1) ? moveTop() : moveBottom();
    } else if (m_nEdge >= 0) {
        switch (m_nEdge) {
        case 0: moveTop(); break;
        case 1: moveRight(); break;
        case 2: moveBottom(); break;
        default: moveLeft(); break;
        }
    } else if (m_bCentreDragged) {
        // An axis of no extent has nowhere to move the mark along it.
        if (b.Width != 0)
            m_fCentreX += (p.X - q.X) / b.Width;
        if (b.Height != 0)
            m_fCentreY += (p.Y - q.Y) / b.Height;
    } else {
        double angle = StepAngle(x, y);
        m_dAngle += angle;
        m_pMatrix->RotateAt(float(angle), GetCentre(), Gdiplus::MatrixOrderAppend);
    }
    m_nPressX = x;
    m_nPressY = y;
    if (Gdiplus::Graphics* graphics = BeginFeedback()) {
        DrawOverlay(*graphics);
        EndFeedback(&graphics);
    }
}

double CFreeTransformTool::StepAngle(int x, int y) const
{
    Gdiplus::PointF c = GetCentre();
    POINT p = ClientToStage(x, y);
    POINT q = ClientToStage(m_nPressX, m_nPressY);
    return (std::atan2(p.y - c.Y, p.x - c.X) - std::atan2(q.y - c.Y, q.x - c.X)) * kDegreesPerRadian;
}

void CFreeTransformTool::OnLButtonUp(UINT flags, int x, int y)
{
    if (m_pView == nullptr)
        return;
    if (m_nCorner >= 0 || m_nEdge >= 0) {
        CDrawingTool::OnLButtonUp(flags, x, y);
        FinishScale();
    } else if (m_nZone >= 0) {
        CDrawingTool::OnLButtonUp(flags, x, y);
        double angle = StepAngle(x, y);
        Gdiplus::PointF c = GetCentre();
        m_pMatrix->RotateAt(float(angle), c, Gdiplus::MatrixOrderAppend);
        m_dAngle += angle;
        if (m_pView->RotateSelection(m_dAngle, c.X, c.Y))
            RecordStep("Transform Shape");
        else
            m_pMatrix->RotateAt(float(-m_dAngle), c, Gdiplus::MatrixOrderAppend);
        m_currentBounds = m_layoutBounds;
        ReleaseBackdrop();
    } else if (m_bCentreDragged) {
        CDrawingTool::OnLButtonUp(flags, x, y);
        RecordStep("Transform Shape");
        m_currentBounds = m_layoutBounds;
        ReleaseBackdrop();
    } else if (!m_pView->GetSelection().empty()) {
        CDrawingTool::OnLButtonUp(flags, x, y);
        POINT offset = DragOffsetInTwips(x, y);
        if ((offset.x != 0 || offset.y != 0) && m_pView->MoveSelection(offset.x, offset.y)) {
            m_pMatrix->Translate(float(offset.x), float(offset.y), Gdiplus::MatrixOrderAppend);
            RecordStep("Translate Shapes");
        }
        ReleaseBackdrop();
    } else {
        CSelectTool::OnLButtonUp(flags, x, y);
        m_fCentreX = m_fCentreY = 0.5f;
        LayoutHandles();
    }
    ClearDrag();
    RedrawView();
}

void CFreeTransformTool::FinishScale()
{
    // An axis of no extent keeps its scale: there is nothing to stretch along it.
    double sx = m_pressBounds.Width != 0 ? double(KeepExtent(m_currentBounds.Width)) / m_pressBounds.Width : 1.0;
    double sy = m_pressBounds.Height != 0 ? double(KeepExtent(m_currentBounds.Height)) / m_pressBounds.Height : 1.0;
    const Gdiplus::Rect& l = m_layoutBounds;
    const Gdiplus::PointF corners[4] = {{float(l.X), float(l.Y)},
                                        {float(l.X + l.Width), float(l.Y)},
                                        {float(l.X + l.Width), float(l.Y + l.Height)},
                                        {float(l.X), float(l.Y + l.Height)}};
    int anchor = m_nCorner >= 0 ? kOppositeCorner[m_nCorner] : kEdgeAnchor[m_nEdge];
    // Scaled, then moved back so that the anchor stays: one edit, taken whole or not at all.
    std::unique_ptr<Gdiplus::Matrix> scaled(m_pMatrix->Clone());
    scaled->Scale(float(sx), float(sy), Gdiplus::MatrixOrderPrepend);
    Gdiplus::PointF before = Map(*m_pMatrix, corners[anchor].X, corners[anchor].Y);
    Gdiplus::PointF after = Map(*scaled, corners[anchor].X, corners[anchor].Y);
    scaled->Translate(float(int(before.X - after.X)), float(int(before.Y - after.Y)), Gdiplus::MatrixOrderAppend);
    if (m_pView->ApplyMatrixToSelection(*scaled)) {
        m_pMatrix = std::move(scaled);
        RecordStep("Transform Shape");
    }
    m_currentBounds = m_layoutBounds;
    ReleaseBackdrop();
}

void CFreeTransformTool::ClearDrag()
{
    m_dAngle = 0.0;
    m_nCorner = m_nEdge = m_nZone = -1;
    m_bCentreDragged = false;
}

void CFreeTransformTool::DrawOverlay(Gdiplus::Graphics& graphics)
{
    if (m_pView == nullptr || m_pView->GetSelection().empty())
        return;
    DrawFrame(graphics, m_layoutBounds, false);
    if (m_nCorner >= 0 || m_nEdge >= 0 || m_nZone >= 0 || m_bCentreDragged)
        DrawFrame(graphics, m_currentBounds, true);
    graphics.ResetTransform();
}

void CFreeTransformTool::DrawFrame(Gdiplus::Graphics& graphics, const Gdiplus::Rect& bounds, bool dashed)
{
    graphics.ResetTransform();
    graphics.MultiplyTransform(m_pMatrix.get(), Gdiplus::MatrixOrderAppend);
    graphics.ScaleTransform(1.0f / m_fTwipsPerPixel, 1.0f / m_fTwipsPerPixel, Gdiplus::MatrixOrderAppend);
    graphics.TranslateTransform(float(m_nStageOffsetX), float(m_nStageOffsetY), Gdiplus::MatrixOrderAppend);
    Gdiplus::Matrix world;
    graphics.GetTransform(&world);
    Gdiplus::REAL e[6] = {};
    world.GetElements(e);
    double sx = std::hypot(e[0], e[1]);
    double sy = std::hypot(e[2], e[3]);
    if (bounds.Width <= 0 || bounds.Height <= 0 || sx == 0.0 || sy == 0.0)
        return;
    // Pens are one pixel wide whatever the transform.
    Gdiplus::Pen pen{Gdiplus::Color(kFrameColor), float(1.0 / sx)};
    if (dashed) {
        pen.SetDashStyle(Gdiplus::DashStyleDash);
        pen.SetDashPattern(kFrameDash, 2);
    }
    Gdiplus::SolidBrush white{Gdiplus::Color(kHandleFillColor)};
    Gdiplus::SolidBrush black{Gdiplus::Color(kFrameColor)};
    Gdiplus::Pen whitePen{Gdiplus::Color(kHandleFillColor), float(1.0 / sx)};
    graphics.DrawRectangle(&pen, bounds);

    Gdiplus::RectF mark = ShownHandle(CentreMarkOf(bounds), sx, sy);
    graphics.FillEllipse(&white, mark);
    graphics.DrawEllipse(&pen, mark);

    Gdiplus::Rect corners[4], edges[4], zones[4];
    PlaceHandles(bounds, corners, edges, zones);
    for (int i = 0; i < 4; ++i) {
        Gdiplus::RectF zone = ShownHandle(zones[i], sx, sy);
        graphics.FillRectangle(&white, zone);
        graphics.FillRectangle(&black, ShownHandle(corners[i], sx, sy));
        Gdiplus::RectF arc(zone.X - float(2 / sx), zone.Y - float(2 / sy), zone.Width + float(4 / sx),
                           zone.Height + float(4 / sy));
        graphics.DrawArc(&pen, arc, kArcStartAngle - kArcStepAngle * i, kArcSweep);
    }
    for (int i = 0; i < 4; ++i) {
        Gdiplus::RectF edge = ShownHandle(edges[i], sx, sy);
        graphics.FillRectangle(&black, edge);
        for (float by : {2.0f, 4.0f})
            graphics.DrawRectangle(&whitePen, Gdiplus::RectF(edge.X - by / 2 / float(sx), edge.Y - by / 2 / float(sy),
                                                             edge.Width + by / float(sx), edge.Height + by / float(sy)));
    }
}

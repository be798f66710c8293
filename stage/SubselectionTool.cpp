#include "stage/SubselectionTool.h"

#include "model/FlashCurve.h"
#include "model/FlashEditorDoc.h"
#include "model/FlashEditorFrame.h"
#include "model/FlashEditorFrameShapeTransform.h"
#include "model/FlashEditorLayer.h"
#include "model/FlashShape.h"
#include "stage/FlashEditorView.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>

namespace {

constexpr Gdiplus::ARGB kHandleColor = 0xFFADFF2F;
constexpr Gdiplus::ARGB kUnpickedFillColor = 0xFFFFFFFF;
constexpr Gdiplus::ARGB kTweenCrossColor = 0xFF000000;

POINT MapPoint(const Gdiplus::Matrix& matrix, const POINT& point)
{
    Gdiplus::PointF p(float(point.x), float(point.y));
    matrix.TransformPoints(&p, 1);
    return {LONG(p.X), LONG(p.Y)};
}

// The index of the curve in the shape, -1 when it is not there.
int CurveIndex(const CFlashShape& shape, const CFlashCurve* curve)
{
    for (int i = 0; i < shape.GetCurveCount(); ++i)
        if (shape.GetCurve(i) == curve)
            return i;
    return -1;
}

} // namespace

CSubselectionTool::CSubselectionTool() = default;
CSubselectionTool::~CSubselectionTool() = default;

void CSubselectionTool::Activate(CFlashEditorView* view)
{
    CDrawingTool::Activate(view);
    m_nActive = -1;
    m_nPart = kJoint;
    g_bShowEndpointHandles = false;
    RebuildHandles();
    RedrawView();
}

void CSubselectionTool::Deactivate()
{
    g_bShowEndpointHandles = true;
    RedrawView();
}

void CSubselectionTool::RebuildHandles()
{
    m_handles.clear();
    if (m_pView != nullptr) {
        std::unique_ptr<std::vector<CFlashVertexHandle>> handles(m_pView->CollectSelectionVertexHandles());
        m_handles.swap(*handles);
    }
    // Picked joints are indices into the list: those it no longer has are dropped.
    const int count = int(m_handles.size());
    m_picked.erase(std::remove_if(m_picked.begin(), m_picked.end(), [count](int i) { return i < 0 || i >= count; }),
                   m_picked.end());
    if (m_nActive >= count)
        m_nActive = -1;
}

bool CSubselectionTool::HasPart(const CFlashVertexHandle& handle, int part)
{
    if (part == kControlBefore)
        return handle.bHasControlPoints && handle.pIncomingCurve != nullptr && handle.nIncomingControlIndex >= 0;
    if (part == kControlAfter)
        return handle.bHasControlPoints && handle.pOutgoingCurve != nullptr && handle.nOutgoingControlIndex >= 0;
    return true;
}

POINT CSubselectionTool::PartPoint(const CFlashVertexHandle& handle, int part)
{
    if (part == kControlBefore)
        return handle.ptIncomingControl;
    if (part == kControlAfter)
        return handle.ptOutgoingControl;
    return handle.ptVertex;
}

bool CSubselectionTool::HitsHandle(const POINT& stage, int index, int part) const
{
    CFlashEditorDoc* document = m_pView != nullptr ? m_pView->GetDocument() : nullptr;
    if (document == nullptr || document->IsCurrentFrameTweened() || index < 0 || index >= int(m_handles.size()))
        return false;
    const CFlashVertexHandle& handle = m_handles[size_t(index)];
    if (!HasPart(handle, part))
        return false;
    POINT p = PartPoint(handle, part);
    const float half = kHandleSize / 2 * m_fTwipsPerPixel;
    const int left = int(p.x - half);
    const int top = int(p.y - half);
    const int right = int(p.x - half + kHandleSize * m_fTwipsPerPixel);
    const int bottom = int(p.y - half + kHandleSize * m_fTwipsPerPixel);
    return left <= stage.x && stage.x < right && top <= stage.y && stage.y < bottom;
}

bool CSubselectionTool::IsPicked(int index) const
{
    return index == m_nActive || std::find(m_picked.begin(), m_picked.end(), index) != m_picked.end();
}

void CSubselectionTool::OnLButtonDown(UINT flags, int x, int y)
{
    CDrawingTool::OnLButtonDown(flags, x, y);
    if (m_pView == nullptr)
        return;
    const bool ctrl = (flags & MK_CONTROL) != 0;
    POINT pointer = ClientToStage(x, y);
    m_nDragX = m_nDragY = 0;

    const int withoutShift[3] = {kJoint, kControlBefore, kControlAfter};
    const int withShift[3] = {kControlBefore, kControlAfter, kJoint};
    const int* order = (flags & MK_SHIFT) ? withShift : withoutShift;
    bool onActive = false;
    for (int i = 0; i < 3 && !onActive; ++i)
        if (HitsHandle(pointer, m_nActive, order[i])) {
            m_nPart = order[i];
            onActive = true;
        }
    if (!onActive) {
        m_nPart = kJoint;
        m_nActive = -1;
        for (int i = 0; i < int(m_handles.size()); ++i)
            if (HitsHandle(pointer, i, kJoint)) {
                m_nActive = i;
                break;
            }
    }

    auto listed = std::find(m_picked.begin(), m_picked.end(), m_nActive);
    if (m_nActive < 0) {
        m_picked.clear();
    } else if (listed != m_picked.end()) {
        if (ctrl)
            m_picked.erase(listed);
    } else {
        if (!ctrl)
            m_picked.clear();
        m_picked.push_back(m_nActive);
    }

    CFlashShape* shape = m_nActive >= 0 ? m_handles[size_t(m_nActive)].pShape : m_pView->GetHoveredShape();
    if (shape == nullptr) {
        if (!ctrl) {
            m_pView->RemoveFromSelection(nullptr, true);
            RedrawView();
        }
        CaptureBackdrop(kRenderAllStates);
        return;
    }
    const bool selected = shape->GetState() == kResourceStateSelected;
    if (!ctrl && !selected)
        m_pView->RemoveFromSelection(nullptr, true);
    if (!selected) {
        CFlashEditorDoc* document = m_pView->GetDocument();
        CFlashEditorLayer* layer = document != nullptr ? document->GetCurrentLayer() : nullptr;
        if (CFlashEditorFrame* span = layer != nullptr ? layer->GetCurrentSpan() : nullptr)
            span->MoveShapeToFront(shape);
        m_pView->AddToSelection(shape, false);
    }
    CaptureBackdrop(kResourceStateNormal);
    ShowSelectionMovedBy(0, 0);
    if (!selected)
        m_pView->OnSelectionModified();
}

void CSubselectionTool::OnMouseMove(UINT flags, int x, int y)
{
    CDrawingTool::OnMouseMove(flags, x, y);
    if (m_pView == nullptr)
        return;
    if (flags & MK_LBUTTON) {
        if (m_pView->GetSelection().empty()) {
            Gdiplus::Graphics* graphics = BeginFeedback();
            if (graphics == nullptr)
                return;
            Gdiplus::Pen band{Gdiplus::Color(kRubberBandColor), 1.0f};
            band.SetDashStyle(Gdiplus::DashStyleDot);
            graphics->DrawRectangle(&band, std::min(m_nPressX, x), std::min(m_nPressY, y), std::abs(x - m_nPressX),
                                    std::abs(y - m_nPressY));
            EndFeedback(&graphics);
        } else if (m_nActive < 0) {
            ShowSelectionMovedBy(x - m_nPressX, y - m_nPressY);
        } else {
            m_nDragX = int(float(x - m_nPressX) * m_fTwipsPerPixel);
            m_nDragY = int(float(y - m_nPressY) * m_fTwipsPerPixel);
            if (Gdiplus::Graphics* graphics = BeginFeedback()) {
                DrawOverlay(*graphics);
                EndFeedback(&graphics);
            }
        }
        return;
    }
    if (m_pView->GetSelection().empty())
        return;
    POINT pointer = ClientToStage(x, y);
    bool over = HitsHandle(pointer, m_nActive, kControlBefore) || HitsHandle(pointer, m_nActive, kControlAfter);
    for (int i = 0; i < int(m_handles.size()) && !over; ++i)
        over = HitsHandle(pointer, i, kJoint);
    if (over)
        SetStageCursor(kHandleCursorId);
}

void CSubselectionTool::OnLButtonUp(UINT flags, int x, int y)
{
    CDrawingTool::OnLButtonUp(flags, x, y);
    if (m_pView == nullptr)
        return;
    bool marquee = false;
    if (!m_pView->GetSelection().empty() && m_nActive < 0) {
        int dx = int(float(x - m_nPressX) * m_fTwipsPerPixel);
        int dy = int(float(y - m_nPressY) * m_fTwipsPerPixel);
        // A move is a step of its own, so that Undo then Redo keeps it.
        if ((dx != 0 || dy != 0) && m_pView->MoveSelection(dx, dy))
            RecordStep("Translate Shapes");
    } else if (!m_pView->GetSelection().empty()) {
        if (m_nDragX != 0 || m_nDragY != 0) {
            MovePickedPoints();
            RecordStep("Move Points");
        }
    } else {
        if (!(flags & MK_CONTROL))
            m_pView->RemoveFromSelection(nullptr, true);
        if (x != m_nPressX && y != m_nPressY) {
            POINT from = ClientToStage(m_nPressX, m_nPressY);
            POINT to = ClientToStage(x, y);
            m_pView->SelectInRectangle(from.x, from.y, to.x, to.y);
        }
        marquee = true;
    }
    ReleaseBackdrop();
    m_nDragX = m_nDragY = 0;
    RebuildHandles();
    if (marquee)
        PickJointsInMarquee(x, y);
    RedrawView();
}

void CSubselectionTool::MovePickedPoints()
{
    CFlashEditorDoc* document = m_pView->GetDocument();
    if (document == nullptr)
        return;
    // Shapes shared with other spans are copied for this one before their points change.
    std::map<CFlashShape*, CFlashShape*> detached;
    for (int index : m_picked) {
        CFlashVertexHandle& handle = m_handles[size_t(index)];
        CFlashShape* original = handle.pShape;
        if (detached.count(original) == 0) {
            CFlashShape* copy = document->DetachSharedShape(original, false);
            detached[original] = copy;
            if (copy != original)
                for (CFlashVertexHandle& other : m_handles) {
                    if (other.pShape != original)
                        continue;
                    int before = CurveIndex(*original, other.pIncomingCurve);
                    int after = CurveIndex(*original, other.pOutgoingCurve);
                    other.pShape = copy;
                    other.pIncomingCurve = before >= 0 ? copy->GetCurve(before) : nullptr;
                    other.pOutgoingCurve = after >= 0 ? copy->GetCurve(after) : nullptr;
                }
        }
        CFlashEditorFrameShapeTransform* placement = m_pView->GetShapeTransform(handle.pShape);
        if (placement == nullptr || !placement->GetMatrix()->IsInvertible())
            continue;  // a shape that cannot be mapped back keeps its points
        const Gdiplus::Matrix& matrix = *placement->GetMatrix();
        std::unique_ptr<Gdiplus::Matrix> inverse(matrix.Clone());
        inverse->Invert();
        auto move = [&](CFlashCurve* curve, int pointIndex) {
            if (curve == nullptr || pointIndex < 0)
                return;
            POINT point;
            curve->GetPoint(pointIndex, point);
            POINT placed = MapPoint(matrix, point);
            placed.x += m_nDragX;
            placed.y += m_nDragY;
            curve->SetPoint(pointIndex, MapPoint(*inverse, placed));
        };
        if (m_nPart == kJoint) {
            move(handle.pIncomingCurve, handle.nIncomingVertexIndex);
            move(handle.pOutgoingCurve, handle.nOutgoingVertexIndex);
            move(handle.pIncomingCurve, handle.nIncomingControlIndex);
            move(handle.pOutgoingCurve, handle.nOutgoingControlIndex);
        } else if (m_nPart == kControlBefore) {
            move(handle.pIncomingCurve, handle.nIncomingControlIndex);
        } else {
            move(handle.pOutgoingCurve, handle.nOutgoingControlIndex);
        }
    }
}

void CSubselectionTool::PickJointsInMarquee(int x, int y)
{
    m_picked.clear();
    const float t = m_fTwipsPerPixel;
    Gdiplus::Rect area(int((std::min(x, m_nPressX) - m_nStageOffsetX) * t),
                       int((std::min(y, m_nPressY) - m_nStageOffsetY) * t), int(std::abs(x - m_nPressX) * t),
                       int(std::abs(y - m_nPressY) * t));
    for (int i = 0; i < int(m_handles.size()); ++i) {
        const POINT& p = m_handles[size_t(i)].ptVertex;
        if (area.X <= p.x && p.x < area.X + area.Width && area.Y <= p.y && p.y < area.Y + area.Height)
            m_picked.push_back(i);
    }
}

void CSubselectionTool::DrawOverlay(Gdiplus::Graphics& graphics)
{
    if (m_pView == nullptr || m_handles.empty())
        return;
    CFlashEditorDoc* document = m_pView->GetDocument();
    const bool tweened = document != nullptr && document->IsCurrentFrameTweened();
    const float t = m_fTwipsPerPixel;
    graphics.ResetTransform();
    graphics.ScaleTransform(1.0f / t, 1.0f / t, Gdiplus::MatrixOrderAppend);
    graphics.TranslateTransform(float(m_nStageOffsetX), float(m_nStageOffsetY), Gdiplus::MatrixOrderAppend);
    // Boxes of kHandleSize pixels, drawn in twips.
    const float side = kHandleSize * t;
    Gdiplus::Pen outline{Gdiplus::Color(kHandleColor), t};
    Gdiplus::Pen cross{Gdiplus::Color(kTweenCrossColor), t};
    Gdiplus::SolidBrush picked{Gdiplus::Color(kHandleColor)};
    Gdiplus::SolidBrush unpicked{Gdiplus::Color(kUnpickedFillColor)};
    auto box = [side](const POINT& p) { return Gdiplus::RectF(p.x - side / 2, p.y - side / 2, side, side); };
    for (int i = 0; i < int(m_handles.size()); ++i) {
        const CFlashVertexHandle& handle = m_handles[size_t(i)];
        const bool isPicked = IsPicked(i);
        POINT joint = handle.ptVertex;
        if (isPicked && m_nPart == kJoint) {
            joint.x += m_nDragX;
            joint.y += m_nDragY;
        }
        Gdiplus::RectF r = box(joint);
        Gdiplus::SolidBrush& fill = isPicked ? picked : unpicked;
        if (i == m_nActive) {
            graphics.FillEllipse(&fill, r);
            graphics.DrawEllipse(&outline, r);
        } else {
            graphics.FillRectangle(&fill, r);
            graphics.DrawRectangle(&outline, r);
        }
        if (tweened) {
            graphics.DrawLine(&cross, r.X, r.Y, r.X + r.Width, r.Y + r.Height);
            graphics.DrawLine(&cross, r.X + r.Width, r.Y, r.X, r.Y + r.Height);
        }
        if (i != m_nActive || !handle.bHasControlPoints)
            continue;
        for (int part : {kControlBefore, kControlAfter}) {
            if (!HasPart(handle, part))
                continue;
            POINT control = PartPoint(handle, part);
            if (m_nPart == kJoint || m_nPart == part) {
                control.x += m_nDragX;
                control.y += m_nDragY;
            }
            graphics.FillEllipse(&picked, box(control));
            graphics.DrawLine(&outline, float(joint.x), float(joint.y), float(control.x), float(control.y));
        }
    }
    graphics.ResetTransform();
}

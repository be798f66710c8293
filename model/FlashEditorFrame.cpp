#include "model/FlashEditorFrame.h"

#include "model/FlashEditorFrameShapeTransform.h"
#include "model/FlashEditorLayer.h"
#include "model/FlashShape.h"
#include "model/GeometryHelpers.h"
#include "model/GradientMarker.h"

#include <algorithm>
#include <set>

bool g_bShowEndpointHandles = true;

namespace {
constexpr double kTwipsToPixels = 0.05;
constexpr Gdiplus::ARGB kBlack = 0xff000000;
constexpr Gdiplus::ARGB kWhite = 0xffffffff;
constexpr Gdiplus::ARGB kEndpointHandleColor = 0xffadff2f;
constexpr int kMarkDiameter = 6;
// Gradient overrides are defined on the unit square; drawing stretches it over the shape.
const Gdiplus::Rect kUnitRect(0, 0, 1, 1);

bool PassesFilter(const CFlashShape& shape, int filter)
{
    const int state = shape.GetState();
    return state != kResourceStateHidden && (filter == kRenderAllStates || state == filter);
}

// Fraction of the way from a span's first frame towards the next keyframe.
double TweenFraction(int frame, int first, int last)
{
    return first == last ? 0.0 : double(frame - first) / double(last - first + 1);
}

Gdiplus::ARGB ReadBrushColor(const Gdiplus::Brush& brush)
{
    Gdiplus::Color color;
    if (static_cast<const Gdiplus::SolidBrush&>(brush).GetColor(&color) != Gdiplus::Ok)
        return kBlack;
    return color.GetValue();
}

Gdiplus::ARGB ReadPenColor(const Gdiplus::Pen& pen)
{
    Gdiplus::Color color;
    if (pen.GetPenType() != Gdiplus::PenTypeSolidColor || pen.GetColor(&color) != Gdiplus::Ok)
        return kBlack;
    return color.GetValue();
}

// Stops of both gradients interpolated pairwise; false when their counts differ.
bool LerpMarkers(const std::vector<CGradientMarker>& from, const std::vector<CGradientMarker>& to, double t,
                 std::vector<CGradientMarker>& out)
{
    if (from.size() != to.size())
        return false;
    for (size_t i = 0; i < from.size(); ++i) {
        Gdiplus::ARGB color = 0;
        LerpColor(color, ColorRefToArgb(from[i].m_clrColor), ColorRefToArgb(to[i].m_clrColor), t);
        out.emplace_back(from[i].m_dPosition + t * (to[i].m_dPosition - from[i].m_dPosition), ArgbToColorRef(color));
    }
    return true;
}

std::unique_ptr<Gdiplus::Brush> InterpolateFill(const Gdiplus::Brush* from, const Gdiplus::Brush* to, double t)
{
    if (!from || !to || from->GetType() != to->GetType())
        return nullptr;
    std::vector<CGradientMarker> fromStops, toStops, stops;
    switch (from->GetType()) {
    case Gdiplus::BrushTypeSolidColor: {
        Gdiplus::ARGB color = 0;
        LerpColor(color, ReadBrushColor(*from), ReadBrushColor(*to), t);
        return std::make_unique<Gdiplus::SolidBrush>(Gdiplus::Color(color));
    }
    case Gdiplus::BrushTypeLinearGradient:
        ReadLinearGradientMarkers(static_cast<const Gdiplus::LinearGradientBrush&>(*from), fromStops);
        ReadLinearGradientMarkers(static_cast<const Gdiplus::LinearGradientBrush&>(*to), toStops);
        if (!LerpMarkers(fromStops, toStops, t, stops))
            return nullptr;
        return CreateLinearGradientBrush(kUnitRect, stops);
    case Gdiplus::BrushTypePathGradient:
        ReadPathGradientMarkers(static_cast<const Gdiplus::PathGradientBrush&>(*from), fromStops);
        ReadPathGradientMarkers(static_cast<const Gdiplus::PathGradientBrush&>(*to), toStops);
        if (!LerpMarkers(fromStops, toStops, t, stops))
            return nullptr;
        return CreateRadialGradientBrush(kUnitRect, stops);
    default:
        return nullptr;
    }
}

std::unique_ptr<Gdiplus::Pen> InterpolatePen(const Gdiplus::Pen* from, const Gdiplus::Pen* to, double t)
{
    if (!from || !to)
        return nullptr;
    Gdiplus::ARGB color = 0;
    LerpColor(color, ReadPenColor(*from), ReadPenColor(*to), t);
    const double width = from->GetWidth() + t * (to->GetWidth() - from->GetWidth());
    auto pen = std::make_unique<Gdiplus::Pen>(Gdiplus::Color(color), Gdiplus::REAL(width));
    pen->SetDashStyle(from->GetDashStyle());
    return pen;
}

// Device matrix of the stage: zoom * 0.05 pixels per twip from the stage origin.
void MakeDeviceMatrix(Gdiplus::Matrix& matrix, int stageX, int stageY, double zoom)
{
    const auto scale = Gdiplus::REAL(zoom * kTwipsToPixels);
    matrix.SetElements(scale, 0.0f, 0.0f, scale, Gdiplus::REAL(stageX), Gdiplus::REAL(stageY));
}

void MapToDevice(POINT* points, int count, const CFlashEditorFrameShapeTransform& placement,
                 const Gdiplus::Matrix& device)
{
    TransformPoints(placement.GetMatrix(), points, count);
    TransformPoints(&device, points, count);
}
}

CFlashEditorFrame::CFlashEditorFrame(int first, int last, CFlashEditorLayer* layer)
    : m_nFirstFrame(first), m_nLastFrame(last), m_pLayer(layer)
{
}

CFlashEditorFrame::CFlashEditorFrame(int first, int last, CFlashEditorLayer* layer, const CFlashEditorFrame& source)
    : m_stackingOrder(source.m_stackingOrder), m_nFirstFrame(first), m_nLastFrame(last), m_pLayer(layer)
{
    for (const auto& [shape, placement] : source.m_placements) {
        if (!placement)
            continue;
        CFlashShape* copy = shape->Duplicate();
        // A name not built yet is built now, once for both, since they stand for one object.
        copy->SetName(shape->GetName());
        // The stage's selection holds the source's shapes, never these.
        if (copy->GetState() == kResourceStateSelected)
            copy->SetState(kResourceStateNormal);
        m_placements[copy] = new CFlashEditorFrameShapeTransform(*placement);
        m_shapesById[copy->GetObjectId()] = copy;
    }
}

CFlashEditorFrame::~CFlashEditorFrame()
{
    Clear();
}

void CFlashEditorFrame::AddShape(CFlashShape* shape, CFlashEditorFrameShapeTransform* placement)
{
    if (!placement)
        placement = new CFlashEditorFrameShapeTransform();
    if (!shape) {
        delete placement;
        return;
    }
    CFlashEditorFrameShapeTransform*& entry = m_placements[shape];
    delete entry;
    entry = placement;
    const int id = shape->GetObjectId();
    m_shapesById[id] = shape;
    // One entry per identifier, so that a shape is drawn once.
    const auto listed = FindStackingEntry(id);
    if (listed != m_stackingOrder.end()) {
        m_stackingOrder.splice(m_stackingOrder.begin(), m_stackingOrder, listed);
    } else {
        m_stackingOrder.push_front(id);
        m_stackingIndex[id] = m_stackingOrder.begin();
    }
}

std::list<int>::iterator CFlashEditorFrame::FindStackingEntry(int objectId)
{
    if (!m_bStackingIndexBuilt) {
        m_stackingIndex.clear();
        for (auto entry = m_stackingOrder.begin(); entry != m_stackingOrder.end();) {
            // A repeated identifier would draw its shape twice; the topmost entry stays.
            if (m_stackingIndex.emplace(*entry, entry).second)
                ++entry;
            else
                entry = m_stackingOrder.erase(entry);
        }
        m_bStackingIndexBuilt = true;
    }
    const auto indexed = m_stackingIndex.find(objectId);
    return indexed == m_stackingIndex.end() ? m_stackingOrder.end() : indexed->second;
}

std::unique_ptr<CFlashShape> CFlashEditorFrame::RemoveShape(CFlashShape* shape,
                                                            std::unique_ptr<CFlashEditorFrameShapeTransform>* placement)
{
    const auto entry = m_placements.find(shape);
    if (entry == m_placements.end())
        return nullptr;
    std::unique_ptr<CFlashEditorFrameShapeTransform> removed(entry->second);
    m_placements.erase(entry);
    const auto byId = m_shapesById.find(shape->GetObjectId());
    if (byId != m_shapesById.end() && byId->second == shape)
        m_shapesById.erase(byId);
    if (!removed)
        return nullptr; // an entry without placement never owned its shape
    if (shape->GetOwningSpan() == this)
        shape->SetOwningSpan(nullptr);
    if (placement)
        *placement = std::move(removed);
    return std::unique_ptr<CFlashShape>(shape);
}

CFlashEditorFrameShapeTransform* CFlashEditorFrame::GetShapeTransform(const CFlashShape* shape) const
{
    const auto entry = m_placements.find(const_cast<CFlashShape*>(shape));
    return entry == m_placements.end() ? nullptr : entry->second;
}

CFlashEditorFrameShapeTransform* CFlashEditorFrame::GetActiveTransform(const CFlashShape* shape) const
{
    CFlashEditorFrameShapeTransform* placement = shape ? GetShapeTransform(shape) : nullptr;
    return placement && placement->IsActive() ? placement : nullptr;
}

CFlashShape* CFlashEditorFrame::GetShapeById(int objectId) const
{
    const auto entry = m_shapesById.find(objectId);
    if (entry == m_shapesById.end() || !GetShapeTransform(entry->second))
        return nullptr;
    return entry->second;
}

void CFlashEditorFrame::CollectShapes(std::vector<CFlashShape*>& shapes) const
{
    for (int id : m_stackingOrder)
        if (CFlashShape* shape = GetShapeById(id))
            shapes.push_back(shape);
}

void CFlashEditorFrame::CollectOwnedShapes(std::vector<CFlashShape*>& shapes) const
{
    std::set<const CFlashShape*> reached;
    for (auto id = m_stackingOrder.rbegin(); id != m_stackingOrder.rend(); ++id) {
        CFlashShape* shape = GetShapeById(*id);
        if (shape && reached.insert(shape).second)
            shapes.push_back(shape);
    }
    std::vector<CFlashShape*> unstacked;
    for (const auto& [shape, placement] : m_placements)
        if (placement && !reached.count(shape))
            unstacked.push_back(shape);
    std::sort(unstacked.begin(), unstacked.end(),
              [](const CFlashShape* a, const CFlashShape* b) { return a->GetObjectId() < b->GetObjectId(); });
    shapes.insert(shapes.end(), unstacked.begin(), unstacked.end());
}

void CFlashEditorFrame::MoveShapeToFront(const CFlashShape* shape)
{
    const auto entry = FindStackingEntry(shape->GetObjectId());
    if (entry != m_stackingOrder.end())
        m_stackingOrder.splice(m_stackingOrder.begin(), m_stackingOrder, entry);
}

void CFlashEditorFrame::MoveShapeToBack(const CFlashShape* shape)
{
    const auto entry = FindStackingEntry(shape->GetObjectId());
    if (entry != m_stackingOrder.end())
        m_stackingOrder.splice(m_stackingOrder.end(), m_stackingOrder, entry);
}

bool CFlashEditorFrame::TranslateShape(const CFlashShape* shape, float dx, float dy)
{
    CFlashEditorFrameShapeTransform* placement = GetShapeTransform(shape);
    if (!placement)
        return false;
    Gdiplus::Matrix move;
    move.Translate(dx, dy);
    CPlacementEdits edit;
    edit.Add(*placement, move);
    return edit.Apply();
}

bool CFlashEditorFrame::IsEmpty() const
{
    return std::none_of(m_placements.begin(), m_placements.end(), [](const auto& entry) { return entry.second; });
}

void CFlashEditorFrame::Clear()
{
    for (const auto& [shape, placement] : m_placements) {
        // An entry without a placement does not own its shape.
        if (!placement)
            continue;
        delete placement;
        if (m_pLayer && m_pLayer->HoldsElsewhere(shape, this)) {
            if (shape->GetOwningSpan() == this)
                shape->SetOwningSpan(nullptr);
            continue;
        }
        delete shape;
    }
    m_placements.clear();
    m_shapesById.clear();
    m_stackingOrder.clear();
    m_stackingIndex.clear();
    m_bStackingIndexBuilt = true;
}

void CFlashEditorFrame::RefreshShapes()
{
    for (const auto& [shape, placement] : m_placements)
        if (placement)
            shape->Refresh();
}

void CFlashEditorFrame::Render(HDC dc, int stageX, int stageY, double zoom, int filter, int frame)
{
    Gdiplus::Graphics graphics(dc);
    Render(graphics, stageX, stageY, zoom, filter, frame);
}

void CFlashEditorFrame::Render(Gdiplus::Graphics& graphics, int stageX, int stageY, double zoom, int filter,
                               int frame)
{
    if (frame < m_nFirstFrame || frame > m_nLastFrame)
        return;
    const CFlashEditorFrame* next = m_pLayer ? m_pLayer->FindSpan(m_nLastFrame + 1) : nullptr;
    const bool tween = m_bMotionTween && next && next->IsMotionTween() && frame != m_nFirstFrame;
    Gdiplus::Matrix device;
    MakeDeviceMatrix(device, stageX, stageY, zoom);
    for (auto id = m_stackingOrder.rbegin(); id != m_stackingOrder.rend(); ++id) {
        CFlashShape* shape = GetShapeById(*id);
        const CFlashEditorFrameShapeTransform* placement = GetActiveTransform(shape);
        if (!placement || !PassesFilter(*shape, filter))
            continue;
        const bool selected = shape->GetState() == kResourceStateSelected;
        if (!tween) {
            shape->ClearTweenOverrides();
            shape->Draw(graphics, stageX, stageY, zoom, placement);
            if (selected && g_bShowEndpointHandles)
                DrawEndpointHandles(graphics, *shape, *placement, device);
            continue;
        }
        const CFlashShape* counterpart = next->GetShapeById(*id);
        const CFlashEditorFrameShapeTransform* target = next->GetActiveTransform(counterpart);
        CFlashEditorFrameShapeTransform drawn(*placement);
        double t = 0.0;
        if (target) {
            t = TweenFraction(frame, m_nFirstFrame, m_nLastFrame);
            placement->Interpolate(target, &drawn, t);
        }
        if (counterpart && counterpart != shape && t != 0.0)
            InterpolateShapeStyle(shape, counterpart, t);
        else
            shape->ClearTweenOverrides();
        shape->Draw(graphics, stageX, stageY, zoom, &drawn);
        if (selected)
            DrawSelectionFrame(graphics, *shape, drawn, device);
    }
}

void CFlashEditorFrame::DrawSelectionFrame(Gdiplus::Graphics& graphics, const CFlashShape& shape,
                                           const CFlashEditorFrameShapeTransform& placement,
                                           const Gdiplus::Matrix& device)
{
    const Gdiplus::Rect bounds = shape.GetBounds();
    POINT corners[2] = {{bounds.X, bounds.Y}, {bounds.X + bounds.Width, bounds.Y + bounds.Height}};
    MapToDevice(corners, 2, placement, device);
    const POINT& g = corners[0];
    const POINT& i = corners[1];
    graphics.ResetTransform();
    Gdiplus::Pen black(Gdiplus::Color(kBlack), 1.0f);
    Gdiplus::Pen white(Gdiplus::Color(kWhite), 1.0f);
    graphics.DrawRectangle(&black, INT(g.x - 1), INT(g.y - 1), INT(i.x - g.x + 2), INT(i.y - g.y + 2));
    graphics.DrawRectangle(&black, INT(g.x), INT(g.y), INT(i.x - g.x), INT(i.y - g.y));
    graphics.DrawRectangle(&white, INT(g.x + 1), INT(g.y + 1), INT(i.x - g.x - 2), INT(i.y - g.y - 2));
    const INT cx = (g.x + i.x) / 2, cy = (g.y + i.y) / 2;
    const INT half = kMarkDiameter / 2;
    Gdiplus::SolidBrush fill{Gdiplus::Color(kWhite)};
    graphics.FillEllipse(&fill, cx - half, cy - half, kMarkDiameter, kMarkDiameter);
    graphics.DrawEllipse(&black, cx - half, cy - half, kMarkDiameter, kMarkDiameter);
    graphics.DrawLine(&black, cx - 2, cy - 2, cx + 2, cy + 2);
    graphics.DrawLine(&black, cx + 2, cy - 2, cx - 2, cy + 2);
}

void CFlashEditorFrame::DrawEndpointHandles(Gdiplus::Graphics& graphics, const CFlashShape& shape,
                                            const CFlashEditorFrameShapeTransform& placement,
                                            const Gdiplus::Matrix& device)
{
    std::vector<POINT> points = shape.GetCurveEndpoints();
    if (points.empty())
        return;
    MapToDevice(points.data(), int(points.size()), placement, device);
    graphics.ResetTransform();
    Gdiplus::SolidBrush fill{Gdiplus::Color(kEndpointHandleColor)};
    Gdiplus::Pen outline(Gdiplus::Color(kBlack), 1.0f);
    const INT half = kMarkDiameter / 2;
    for (const POINT& p : points) {
        graphics.FillEllipse(&fill, INT(p.x) - half, INT(p.y) - half, kMarkDiameter, kMarkDiameter);
        graphics.DrawEllipse(&outline, INT(p.x) - half, INT(p.y) - half, kMarkDiameter, kMarkDiameter);
    }
}

CFlashShape* CFlashEditorFrame::HitTest(HDC dc, double zoom, const POINT& point) const
{
    for (int id : m_stackingOrder) {
        CFlashShape* shape = GetShapeById(id);
        if (!shape || shape->GetState() == kResourceStateHidden)
            continue;
        const std::unique_ptr<CFlashEditorFrameShapeTransform> placement =
            m_pLayer ? m_pLayer->GetInterpolatedTransform(shape)
                     : std::make_unique<CFlashEditorFrameShapeTransform>(*GetShapeTransform(shape));
        if (placement && placement->IsActive() && shape->HitTest(dc, zoom, point, placement.get()))
            return shape;
    }
    return nullptr;
}

void CFlashEditorFrame::InterpolateShapeStyle(CFlashShape* from, const CFlashShape* to, double t)
{
    from->SetTweenOverrides(InterpolateFill(from->GetBrush(), to->GetBrush(), t),
                            InterpolatePen(from->GetPen(), to->GetPen(), t));
}

void CFlashEditorFrame::InterpolateFrom(const CFlashEditorFrame& from, const CFlashEditorFrame& to)
{
    const int distance = to.m_nFirstFrame - from.m_nFirstFrame;
    const bool noDistance = to.m_nFirstFrame == from.m_nLastFrame || distance == 0;
    const double t = noDistance ? 0.0 : double(m_nFirstFrame - from.m_nFirstFrame) / distance;
    for (const auto& [shape, placement] : m_placements) {
        if (!placement)
            continue;
        CFlashShape* source = from.GetShapeById(shape->GetObjectId());
        const CFlashShape* target = to.GetShapeById(shape->GetObjectId());
        const CFlashEditorFrameShapeTransform* sourcePlacement = from.GetActiveTransform(source);
        const CFlashEditorFrameShapeTransform* targetPlacement = to.GetActiveTransform(target);
        if (!sourcePlacement || !targetPlacement)
            continue;
        sourcePlacement->Interpolate(targetPlacement, placement, t);
        InterpolateShapeStyle(source, target, t);
        if (source->GetTweenFill())
            shape->SetBrush(source->GetTweenFill());
        if (source->GetTweenPen())
            shape->SetPen(source->GetTweenPen());
        source->ClearTweenOverrides();
    }
}

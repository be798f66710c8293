// Boolean operations on the selected shapes, and the eraser's and lasso's cuts.
#include "stage/FlashEditorView.h"

#include "model/BuildShapesFromPolygonSet.h"
#include "model/FlashEditorDoc.h"
#include "model/FlashEditorFrame.h"
#include "model/FlashEditorFrameShapeTransform.h"
#include "model/FlashEditorLayer.h"
#include "model/FlashShape.h"
#include "model/GeometryHelpers.h"
#include "model/geometry/ContourProcessing.h"
#include "model/geometry/FlashPolygonSet.h"
#include "model/geometry/PolygonClipper.h"

#include <algorithm>

namespace {

// Eraser edges longer than this many twips per unit of zoom are split, so that its cuts follow
// the stroke's outline closely.
constexpr double kEraserEdgeTwipsPerZoom = 80.0;

using ShapeList = std::vector<CFlashShape*>;

struct COperand {
    CFlashShape* shape;
    const CFlashEditorFrameShapeTransform* placement;
    std::unique_ptr<CFlashPolygonSet> set;
};

void DeleteShapes(ShapeList& shapes)
{
    for (CFlashShape* shape : shapes)
        delete shape;
    shapes.clear();
}

// Whether a shape can take part: it has an outline with an extent.
bool HasOutline(const CFlashShape& shape)
{
    Gdiplus::Rect bounds = shape.GetBounds();
    return shape.GetCurveCount() > 0 && (bounds.Width > 0 || bounds.Height > 0);
}

const CFlashEditorFrameShapeTransform* PlacementOf(const CFlashEditorDoc& document, const CFlashShape* shape)
{
    for (CFlashEditorLayer* layer : document.GetLayerRange())
        if (CFlashEditorFrame* span = layer->GetCurrentSpan())
            if (const CFlashEditorFrameShapeTransform* placement = span->GetShapeTransform(shape))
                return placement;
    return nullptr;
}

std::unique_ptr<CFlashPolygonSet> Clip(ClipOperation operation, const CFlashPolygonSet& subject, const CFlashPolygonSet& clip)
{
    auto result = std::make_unique<CFlashPolygonSet>();
    ClipPolygonSets(operation, subject, clip, *result);
    return result;
}

int CountVertices(const CFlashPolygonSet& set)
{
    int count = 0;
    for (int index = 0; index < set.GetContourCount(); ++index)
        count += set.GetContour(index).GetVertexCount();
    return count;
}

// Whether clipping an open outline changed it: a cut adds crossing vertices (without a source)
// or drops some.
bool OutlineWasCut(const CFlashPolygonSet& before, const CFlashPolygonSet& after)
{
    if (before.GetContourCount() != after.GetContourCount() || CountVertices(before) != CountVertices(after))
        return true;
    for (int index = 0; index < after.GetContourCount(); ++index)
        for (const CFlashPolygonVertex& vertex : after.GetContour(index).vertices)
            if (vertex.nSourceIndex == CFlashPolygonVertex::kNoSource)
                return true;
    return false;
}

// Bounds of a shape under its placement overlap the rectangle (strictly).
bool BoundsOverlap(const CFlashShape& shape, const CFlashEditorFrameShapeTransform& placement,
                   const Gdiplus::Rect& area)
{
    Gdiplus::Rect bounds = shape.GetBounds();
    TransformRectBounds(bounds, placement.GetMatrix());
    return bounds.X < area.X + area.Width && area.X < bounds.X + bounds.Width && bounds.Y < area.Y + area.Height &&
           area.Y < bounds.Y + bounds.Height;
}

// Calls visit(layer, shape, placement) for every shape a cut can reach: shown, on a visible and
// unlocked layer's current span, with an outline whose placed bounds overlap the area.
template <class Visit>
void ForEachShapeUnder(const CFlashEditorDoc& document, const Gdiplus::Rect& area, Visit visit)
{
    for (CFlashEditorLayer* layer : document.GetLayerRange()) {
        // What the user cannot see or may not change stays as it is.
        CFlashEditorFrame* span = layer->GetCurrentSpan();
        if (!layer->IsVisible() || layer->IsLocked() || span == nullptr)
            continue;
        ShapeList shapes;
        span->CollectShapes(shapes);
        for (CFlashShape* shape : shapes) {
            const CFlashEditorFrameShapeTransform* placement = span->GetShapeTransform(shape);
            if (placement != nullptr && shape->GetState() != kResourceStateHidden && HasOutline(*shape) &&
                BoundsOverlap(*shape, *placement, area))
                visit(layer, shape, placement);
        }
    }
}

} // namespace

// Adds a finished piece to the layer's span at the current frame; the repository gets copies
// of its pen and brush. A piece that cannot be placed is deleted.
static bool AddPiece(CFlashEditorDoc& document, CFlashEditorLayer* layer, CFlashShape* piece,
                     std::unique_ptr<CFlashEditorFrameShapeTransform> placement)
{
    Gdiplus::Rect bounds = piece->GetBounds();
    if (layer == nullptr || (bounds.Width == 0 && bounds.Height == 0)) {
        delete piece;
        return false;
    }
    if (piece->GetBrush() != nullptr)
        document.GetRepository().AddBrush(piece->GetBrush()->Clone());
    if (piece->GetPen() != nullptr)
        document.GetRepository().AddPen(piece->GetPen()->Clone());
    if (placement == nullptr)
        placement = std::make_unique<CFlashEditorFrameShapeTransform>();
    if (!layer->AddShape(piece, document.GetCurrentFrame(), std::move(placement))) {
        delete piece;
        return false;
    }
    return true;
}

// The selected shapes as operands; none when a shape is open (the command then does nothing).
// Shapes without an outline are left out.
static std::vector<COperand> CollectOperands(const CFlashEditorDoc& document, const ShapeList& selection)
{
    std::vector<COperand> operands;
    for (CFlashShape* shape : selection)
        if (!shape->IsClosed())
            return {};
    for (CFlashShape* shape : selection)
        if (HasOutline(*shape)) {
            const CFlashEditorFrameShapeTransform* placement = PlacementOf(document, shape);
            operands.push_back({shape, placement, shape->ToPolygonSet(placement, false)});
        }
    return operands;
}

// Gives the results the first operand's style and adds them to the current layer; records the
// step when asked or when anything was added.
static void AddResults(CFlashEditorDoc& document, ShapeList& results, const CFlashShape& styleSource,
                       const char* stepName, bool alwaysRecord)
{
    int added = 0;
    for (CFlashShape* shape : results) {
        shape->SetBrush(styleSource.GetBrush());
        shape->SetPen(styleSource.GetPen());
        if (AddPiece(document, document.GetCurrentLayer(), shape, nullptr))
            ++added;
    }
    results.clear();
    if (added > 0 || alwaysRecord)
        document.GetUndoManager().AddUndoStep(stepName, nullptr, true);
}

void CFlashEditorView::InsertShapeUnion()
{
    CFlashEditorDoc* document = GetDocument();
    if (document == nullptr)
        return;
    std::vector<COperand> operands = CollectOperands(*document, m_selection);
    if (operands.size() < 2)
        return;
    std::unique_ptr<CFlashPolygonSet> running = std::move(operands[0].set);
    const CFlashShape* baseShape = operands[0].shape;
    const CFlashEditorFrameShapeTransform* basePlacement = operands[0].placement;
    std::vector<COperand*> pending;
    for (size_t index = 1; index < operands.size(); ++index)
        pending.push_back(&operands[index]);
    ShapeList results;
    // A shape may overlap only one united after it: scan again until a pass unites nothing.
    bool united = true;
    while (united && !pending.empty()) {
        united = false;
        for (auto entry = pending.begin(); entry != pending.end(); ++entry) {
            COperand& operand = **entry;
            if (Clip(kClipIntersection, *running, *operand.set)->IsEmpty())
                continue;
            std::unique_ptr<CFlashPolygonSet> merged = Clip(kClipUnion, *running, *operand.set);
            ShapeList built;
            BuildShapesFromPolygonSet(*merged, built, operand.shape, operand.placement, operand.set.get(),
                                      running.get(), baseShape, basePlacement, false);
            if (built.empty())
                continue;
            DeleteShapes(results);
            results = std::move(built);
            baseShape = results.front();
            basePlacement = nullptr;
            running = baseShape->ToPolygonSet(nullptr, false);
            pending.erase(entry);
            united = true;
            break;
        }
    }
    AddResults(*document, results, *operands[0].shape, "Insert Shape Union", false);
    Invalidate(TRUE);
}

void CFlashEditorView::InsertShapeIntersection()
{
    CFlashEditorDoc* document = GetDocument();
    if (document == nullptr)
        return;
    std::vector<COperand> operands = CollectOperands(*document, m_selection);
    if (operands.size() < 2)
        return;
    ShapeList pieces;
    BuildShapesFromPolygonSet(*Clip(kClipIntersection, *operands[1].set, *operands[0].set), pieces,
                              operands[1].shape, operands[1].placement, operands[1].set.get(),
                              operands[0].set.get(), operands[0].shape, operands[0].placement, false);
    for (size_t index = 2; index < operands.size() && !pieces.empty(); ++index) {
        const COperand& operand = operands[index];
        ShapeList next;
        for (CFlashShape* piece : pieces) {
            std::unique_ptr<CFlashPolygonSet> pieceSet = piece->ToPolygonSet(nullptr, false);
            BuildShapesFromPolygonSet(*Clip(kClipIntersection, *pieceSet, *operand.set), next, operand.shape,
                                      operand.placement, operand.set.get(), pieceSet.get(), piece, nullptr, false);
        }
        DeleteShapes(pieces);
        pieces = std::move(next);
    }
    AddResults(*document, pieces, *operands[0].shape, "Insert Shape Intersection", false);
    Invalidate(TRUE);
}

void CFlashEditorView::InsertShapeDifference()
{
    CFlashEditorDoc* document = GetDocument();
    if (document == nullptr || m_selection.size() != 2)
        return;
    std::vector<COperand> operands = CollectOperands(*document, m_selection);
    if (operands.size() != 2)
        return;
    const COperand& first = operands[0];
    const COperand& second = operands[1];
    ShapeList results;
    std::unique_ptr<CFlashPolygonSet> a = first.shape->ToPolygonSet(first.placement, false);
    std::unique_ptr<CFlashPolygonSet> b = second.shape->ToPolygonSet(second.placement, true);
    std::unique_ptr<CFlashPolygonSet> firstOutside = Clip(kClipDifference, *a, *b);
    if (!firstOutside->IsEmpty())
        BuildShapesFromPolygonSet(*firstOutside, results, first.shape, first.placement, a.get(), b.get(),
                                  second.shape, second.placement, true);
    std::unique_ptr<CFlashPolygonSet> a2 = first.shape->ToPolygonSet(first.placement, true);
    std::unique_ptr<CFlashPolygonSet> b2 = second.shape->ToPolygonSet(second.placement, false);
    std::unique_ptr<CFlashPolygonSet> secondOutside = Clip(kClipDifference, *b2, *a2);
    if (!secondOutside->IsEmpty())
        BuildShapesFromPolygonSet(*secondOutside, results, second.shape, second.placement, b2.get(), a2.get(),
                                  first.shape, first.placement, true);
    AddResults(*document, results, *first.shape, "Insert Shape Difference", true);
    Invalidate(TRUE);
}

void CFlashEditorView::EraseWithShape(CFlashShape* eraser)
{
    CFlashEditorDoc* document = GetDocument();
    if (document == nullptr || eraser == nullptr || !HasOutline(*eraser))
        return;
    Gdiplus::Rect area = eraser->GetBounds();
    std::unique_ptr<CFlashPolygonSet> cutter = eraser->ToPolygonSet(nullptr, false);
    RemoveDuplicateVertices(*cutter);
    SubdivideLongEdges(*cutter, m_fZoom * kEraserEdgeTwipsPerZoom);
    RemoveDuplicateVertices(*cutter);
    for (int contour = 0; contour < cutter->GetContourCount(); ++contour)
        for (CFlashPolygonVertex& vertex : cutter->GetContour(contour).vertices)
            vertex.nSourceIndex = CFlashPolygonVertex::kNoSource;

    struct CCut {
        CFlashEditorLayer* layer;
        CFlashShape* shape;
        ShapeList pieces;
    };
    std::vector<CCut> cuts;
    ForEachShapeUnder(*document, area, [&](CFlashEditorLayer* layer, CFlashShape* shape,
                                           const CFlashEditorFrameShapeTransform* placement) {
        std::unique_ptr<CFlashPolygonSet> outline = shape->ToPolygonSet(placement, false);
        CCut cut{layer, shape, {}};
        if (shape->IsClosed()) {
            if (Clip(kClipIntersection, *outline, *cutter)->IsEmpty())
                return;
            std::unique_ptr<CFlashPolygonSet> rest = Clip(kClipDifference, *outline, *cutter);
            if (!rest->IsEmpty())
                BuildShapesFromPolygonSet(*rest, cut.pieces, shape, placement, outline.get(), nullptr, nullptr,
                                          nullptr, false);
        } else {
            CFlashPolygonSet rest;
            ClipOpenContours(kClipIntersection, *outline, *cutter, rest);
            // An untouched stroke keeps its curves and its identifier.
            if (rest.IsEmpty() || !OutlineWasCut(*outline, rest))
                return;
            if (rest.GetHoleFlag(0) == 0)
                BuildShapesFromPolygonSet(rest, cut.pieces, shape, placement, outline.get(), nullptr, nullptr,
                                          nullptr, false);
        }
        cuts.push_back(std::move(cut));
    });
    for (CCut& cut : cuts) {
        // The pieces go where the shape was, on its own layer.
        ForgetShape(cut.shape);
        std::unique_ptr<CFlashShape> removed = cut.layer->RemoveShapeFromCurrentSpan(cut.shape);
        for (CFlashShape* piece : cut.pieces)
            AddPiece(*document, cut.layer, piece, nullptr);
    }
    Invalidate(TRUE);
}

void CFlashEditorView::LassoCut(CFlashShape* lasso)
{
    CFlashEditorDoc* document = GetDocument();
    if (document == nullptr || lasso == nullptr || !HasOutline(*lasso))
        return;
    Gdiplus::Rect area = lasso->GetBounds();
    std::unique_ptr<CFlashPolygonSet> cutter = lasso->ToPolygonSet(nullptr, false);
    UpdateStageOffset();
    RemoveFromSelection(nullptr, true);

    struct CCut {
        CFlashEditorLayer* layer;
        CFlashShape* shape;
        ShapeList inside;
        ShapeList outside;
    };
    std::vector<CCut> cuts;
    ForEachShapeUnder(*document, area, [&](CFlashEditorLayer* layer, CFlashShape* shape,
                                           const CFlashEditorFrameShapeTransform* placement) {
        if (!shape->IsClosed())
            return;
        std::unique_ptr<CFlashPolygonSet> outline = shape->ToPolygonSet(placement, false);
        std::unique_ptr<CFlashPolygonSet> inside = Clip(kClipIntersection, *outline, *cutter);
        if (inside->IsEmpty())
            return;
        CCut cut{layer, shape, {}, {}};
        BuildShapesFromPolygonSet(*inside, cut.inside, shape, placement, outline.get(), cutter.get(), nullptr,
                                  nullptr, false);
        std::unique_ptr<CFlashPolygonSet> outside = Clip(kClipDifference, *outline, *cutter);
        if (!outside->IsEmpty())
            BuildShapesFromPolygonSet(*outside, cut.outside, shape, placement, outline.get(), cutter.get(),
                                      nullptr, nullptr, false);
        cuts.push_back(std::move(cut));
    });
    for (CCut& cut : cuts) {
        ForgetShape(cut.shape);
        std::unique_ptr<CFlashShape> removed = cut.layer->RemoveShapeFromCurrentSpan(cut.shape);
        for (CFlashShape* piece : cut.outside)
            AddPiece(*document, cut.layer, piece, nullptr);
        for (CFlashShape* piece : cut.inside)
            if (AddPiece(*document, cut.layer, piece, nullptr)) {
                m_selection.push_back(piece);
                piece->SetState(kResourceStateSelected);
            }
    }
    Invalidate(TRUE);
}

#include "model/BuildShapesFromPolygonSet.h"

#include "model/FlashCurve.h"
#include "model/FlashEditorFrameShapeTransform.h"
#include "model/FlashShape.h"
#include "model/FlashSolidShape.h"
#include "model/GeometryHelpers.h"
#include "model/geometry/ContourProcessing.h"
#include "model/geometry/FlashPolygonSet.h"
#include "model/geometry/PolygonClipper.h"
#include "model/geometry/PolygonGeometry.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <map>
#include <memory>
#include <utility>

namespace {

using CoordinateTags = std::map<std::pair<double, double>, std::vector<int>>;

// Lines crossed by the clipper are matched at a tenth of a twip.
constexpr double kCrossingScale = 10.0;
// Set B's tags start this far past the largest curve number of shape A.
constexpr int kIndexOffsetGap = 9;

// The source tags of the set's vertices by coordinates, in vertex order.
CoordinateTags TagsByCoordinates(const CFlashPolygonSet& set)
{
    CoordinateTags tags;
    for (int i = 0; i < set.GetContourCount(); ++i)
        for (const CFlashPolygonVertex& vertex : set.GetContour(i).vertices)
            if (vertex.nSourceIndex >= 0)
                tags[{vertex.x, vertex.y}].push_back(vertex.nSourceIndex);
    return tags;
}

int ScaledCoordinate(double value)
{
    return int(std::clamp(std::trunc(value * kCrossingScale), double(INT_MIN), double(INT_MAX)));
}

// Gives the result's vertices the tags of the operands' vertices at the same coordinates (a
// closed operand's curve starts win over other tags) and returns the first tag of shape B.
int TagFromOperands(CFlashPolygonSet& result, const CFlashShape* shapeA, const CFlashPolygonSet* setA,
                    const CFlashPolygonSet* setB, const CFlashShape* shapeB)
{
    if (!setA)
        return 0;
    const bool closedA = shapeA && shapeA->IsClosed();
    const CoordinateTags tagsA = TagsByCoordinates(*setA);
    // B's tags must lie past every tag that can name a curve of A, matched or not.
    int largest = shapeA ? 3 * shapeA->GetCurveCount() - 1 : 0;
    for (const auto& entry : tagsA)
        largest = std::max(largest, *std::max_element(entry.second.begin(), entry.second.end()));
    const int indexOffset = largest / 3 * 3 + kIndexOffsetGap;
    auto interior = [](int tag) { return tag / 3 * 3 + 1; };
    auto tag = [&result](const CoordinateTags& tags, bool closed, auto retag) {
        for (int i = 0; i < result.GetContourCount(); ++i)
            for (CFlashPolygonVertex& vertex : result.GetContour(i).vertices) {
                const auto found = tags.find({vertex.x, vertex.y});
                if (found == tags.end())
                    continue;
                for (int source : found->second)
                    if (vertex.nSourceIndex == CFlashPolygonVertex::kNoSource || (closed && source % 3 == 0))
                        vertex.nSourceIndex = retag(source);
            }
    };
    tag(tagsA, closedA, [&](int source) { return shapeB && source % 3 == 2 ? interior(source) : source; });
    if (setB) {
        const bool closedB = shapeB && shapeB->IsClosed();
        tag(TagsByCoordinates(*setB), closedB,
            [&](int source) { return indexOffset + (source % 3 == 2 ? interior(source) : source); });
    }
    return indexOffset;
}

// Untagged vertices lying on a line of shape A take that line's interior tag.
void TagCrossedLines(CFlashPolygonSet& result, const CFlashShape& shapeA,
                     const CFlashEditorFrameShapeTransform* placementA)
{
    struct Line {
        int curve;
        Gdiplus::Point start, end;
    };
    std::vector<Line> lines;
    for (int c = 0; c < shapeA.GetCurveCount(); ++c) {
        const CFlashCurve* curve = shapeA.GetCurve(c);
        if (curve->GetLastPointIndex() != 1)
            continue;
        POINT ends[2] = {curve->GetStartPoint(), curve->GetEndPoint()};
        TransformPoints(placementA ? placementA->GetMatrix() : nullptr, ends, 2);
        lines.push_back({c, Gdiplus::Point(ScaledCoordinate(ends[0].x), ScaledCoordinate(ends[0].y)),
                         Gdiplus::Point(ScaledCoordinate(ends[1].x), ScaledCoordinate(ends[1].y))});
    }
    for (int i = 0; i < result.GetContourCount(); ++i)
        for (CFlashPolygonVertex& vertex : result.GetContour(i).vertices) {
            if (vertex.nSourceIndex != CFlashPolygonVertex::kNoSource)
                continue;
            const Gdiplus::Point scaled(ScaledCoordinate(vertex.x), ScaledCoordinate(vertex.y));
            for (const Line& line : lines)
                if (IsPointNearSegment(scaled, line.start, line.end)) {
                    vertex.nSourceIndex = 3 * line.curve + 1;
                    break;
                }
        }
}

// One set per outer contour, in order, each with the holes whose innermost enclosing outer
// contour it is; holes inside no outer contour are dropped.
std::vector<CFlashPolygonSet> GroupContours(const CFlashPolygonSet& result)
{
    std::vector<CFlashPolygonSet> groups;
    std::vector<int> outers;
    for (int i = 0; i < result.GetContourCount(); ++i)
        if (result.GetHoleFlag(i) == 0) {
            groups.emplace_back();
            groups.back().AddContour(result.GetContour(i), 0);
            outers.push_back(i);
        }
    for (int i = 0; i < result.GetContourCount(); ++i) {
        if (result.GetHoleFlag(i) == 0)
            continue;
        int innermost = -1;
        for (size_t g = 0; g < outers.size(); ++g) {
            const CFlashPolygonContour& outer = result.GetContour(outers[g]);
            if (IsContourInside(outer, result.GetContour(i))
                && (innermost < 0 || IsContourInside(result.GetContour(outers[innermost]), outer)))
                innermost = int(g);
        }
        if (innermost >= 0)
            groups[innermost].AddContour(result.GetContour(i), 1);
    }
    return groups;
}

bool HasGeometry(const CFlashShape& shape)
{
    for (int i = 0; i < shape.GetCurveCount(); ++i)
        if (shape.GetCurve(i)->GetLastPointIndex() != 0)
            return true;
    return false;
}

} // namespace

void BuildShapesFromPolygonSet(const CFlashPolygonSet& result, std::vector<CFlashShape*>& out,
                               const CFlashShape* shapeA, const CFlashEditorFrameShapeTransform* placementA,
                               const CFlashPolygonSet* setA, const CFlashPolygonSet* setB, const CFlashShape* shapeB,
                               const CFlashEditorFrameShapeTransform* placementB, bool reversedB)
{
    CFlashPolygonSet tagged(result);
    const int indexOffset = TagFromOperands(tagged, shapeA, setA, setB, shapeB);
    if (shapeA)
        TagCrossedLines(tagged, *shapeA, placementA);

    std::vector<std::unique_ptr<CFlashShape>> built;
    for (CFlashPolygonSet& group : GroupContours(tagged)) {
        std::unique_ptr<CFlashShape> shape(shapeA ? shapeA->Clone() : new CFlashSolidShape);
        shape->SetState(1);
        RemoveDuplicateVertices(group);
        if (shape->IsClosed())
            shape->AddBezierSegmentsFromPolygonSet(group, shapeA, placementA, 0, 0, 1.0, shapeB, placementB,
                                                   indexOffset, reversedB);
        else
            shape->AddStraightLinesFromPolygonSet(group, shapeA, placementA, 0, 0, 1.0);
        if (HasGeometry(*shape))
            built.push_back(std::move(shape));
    }
    out.reserve(out.size() + built.size());
    for (auto& shape : built)
        out.push_back(shape.release());
}

#pragma once
#include <vector>

class CFlashEditorFrameShapeTransform;
class CFlashPolygonSet;
class CFlashShape;

// Turns a clipper result into new shapes appended to out (owned by the caller): one shape per
// outer contour, with the holes that lie inside it, as a clone of shape A (its class, pen and
// fill; without shape A a solid shape without fill). The result's vertices first get back the
// source tags of the operands' vertices at the same coordinates (set A and set B, made by
// CFlashShape::ToPolygonSet from shapes A and B, set B's tags moved past shape A's), and points
// on shape A's lines the tags of those lines, so that the curve rebuilder can restore the source
// curves. Any source argument may be null. Shapes that keep no curves are not made. Nothing
// given is changed; on failure (std::bad_alloc) the exception propagates and out is left as it was.
void BuildShapesFromPolygonSet(const CFlashPolygonSet& result, std::vector<CFlashShape*>& out,
                               const CFlashShape* shapeA, const CFlashEditorFrameShapeTransform* placementA,
                               const CFlashPolygonSet* setA, const CFlashPolygonSet* setB, const CFlashShape* shapeB,
                               const CFlashEditorFrameShapeTransform* placementB, bool reversedB);

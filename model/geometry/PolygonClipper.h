#pragma once
// Boolean operations on polygon sets by the scan-beam method.
#include "model/geometry/FlashPolygonSet.h"

enum ClipOperation {
    kClipDifference = 0,   // subject minus clip
    kClipIntersection = 1,
    kClipExclusiveOr = 2,
    kClipUnion = 3,
};

// Replaces the result's content with subject (operation) clip; hole flags mark the result's holes.
// Every result vertex has no source index. The result may be one of the operands. Subject and
// clip are otherwise left as they were, and so is the result when the operation fails
// (std::bad_alloc).
void ClipPolygonSets(ClipOperation operation, const CFlashPolygonSet& subject, const CFlashPolygonSet& clip,
                     CFlashPolygonSet& result);

// True when contour B lies inside contour A (B minus A is empty).
bool IsContourInside(const CFlashPolygonContour& a, const CFlashPolygonContour& b);

#pragma once
// Checks a clipper result's hole flags against the nesting of its contours: a contour is a hole
// exactly when an odd number of the other contours encloses it, and holes turn the other way
// round than outer contours.
#include "model/geometry/FlashPolygonSet.h"

#include <vector>

struct NestingMismatch {
    int contour;
    int holeFlag;
    int enclosing; // contours that enclose it
    int vertexCount;
    double area;
};

struct NestingReport {
    std::vector<NestingMismatch> mismatches;
    // Contours turning the other way round than the outer contours do when outer, or than the
    // holes do when a hole (the first contour with an area sets the sense).
    std::vector<int> misoriented;
    // Contours none of whose edge midpoints lies clear of every other contour's boundary: their
    // nesting cannot be told from one point.
    int unprobed = 0;
};

// Probes each contour at the midpoint of one of its edges that keeps farther than the tolerance
// from every other contour, and counts the contours containing that point.
NestingReport CheckHoleFlagsAgainstNesting(const CFlashPolygonSet& set, double tolerance);

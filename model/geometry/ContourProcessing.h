#pragma once
// Operations on polygon sets that the clipper does not offer: cutting open outlines with a closed
// region, and preparing contours for curve fitting. Copied vertices keep their source index;
// created ones have none.
#include "model/geometry/FlashPolygonSet.h"
#include "model/geometry/PolygonClipper.h"

// Keeps the parts of the subject's open outlines (polylines, not closed) that lie outside the
// clip region; the operation is not used. Each outline piece is a result contour with hole flag
// 0; pieces of different subject contours are never joined. When nothing remains the result is
// the erased marker: one contour without vertices, flagged as a hole.
void ClipOpenContours(ClipOperation operation, const CFlashPolygonSet& subject, const CFlashPolygonSet& clip,
                      CFlashPolygonSet& result);

// Clips one segment (the first two vertices of the set's first contour) by the clip region into
// its pieces outside the region, for difference and intersection; union, exclusive-or and a set
// without a segment leave the result empty.
// No crossing and the start outside: empty result. No crossing and the start inside: the inside
// marker (one contour without vertices, flagged as a hole).
void ClipSegment(ClipOperation operation, const CFlashPolygonSet& segment, const CFlashPolygonSet& clip,
                 CFlashPolygonSet& result);

// Drops every vertex equal to the one kept before it, per contour.
void RemoveDuplicateVertices(CFlashPolygonSet& set);

// Splits every edge longer than maxLength, the closing edge included; each contour then ends with
// a copy of its first vertex. A maximum length that is not positive changes nothing.
void SubdivideLongEdges(CFlashPolygonSet& set, double maxLength);

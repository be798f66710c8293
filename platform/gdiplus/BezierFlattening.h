#pragma once
#include "platform/gdiplus/GdiPlus.h"

#include <vector>

namespace Gdiplus {

// The flattening behind GraphicsPath::Flatten, for callers that flatten single curves often and
// need no path object: appends the end points of the chords that follow the cubic p0-c1-c2-p3
// within the flatness (p0 itself is not appended; the last point is exactly p3).
void FlattenBezierSegment(const PointF& p0, const PointF& c1, const PointF& c2, const PointF& p3, REAL flatness,
                          std::vector<PointF>& points);

} // namespace Gdiplus

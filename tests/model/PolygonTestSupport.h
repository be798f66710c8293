#pragma once
// Builders and checks shared by the tests of polygon sets, shape rebuilding and the curve rebuilder.
#include "model/FlashSolidShape.h"
#include "model/geometry/FlashPolygonSet.h"

#include <string>
#include <vector>

class CFlashCurve;

// An ellipse of eight Bezier curves, as the ellipse tool makes it.
CFlashSolidShape* MakeSolidEllipse(double cx, double cy, double a, double b);
// The axis-aligned square from (low, low) to (high, high).
CFlashPolygonContour Square(double low, double high);

bool SamePoint(const POINT& a, const POINT& b);
// Whether the shape has a straight line from a to b.
bool HasLine(const CFlashShape& shape, const POINT& a, const POINT& b);
// Bounds of the shape's curves of one contour.
Gdiplus::Rect ContourBounds(const CFlashShape& shape, int contourId);
// The largest distance (roughly, along the normal) of the flattened curve from the ellipse.
double DistanceFromEllipse(const CFlashCurve& curve, double cx, double cy, double a, double b);
// Every contour's curves (close-figure operations aside) follow each other end to start, and a
// closed shape's contours end where they start.
void ExpectClosedContours(const CFlashShape& shape);
// The distance of the point from the curve's flattened polyline.
double DistanceFromCurve(const CFlashCurve& curve, const POINT& point);
// One letter per curve: L line, B Bezier, C close-figure operation.
std::string KindsOf(const CFlashShape& shape);
// One letter per rebuilder marker: s straight segment, f fitted curve or close-figure, p source piece.
std::string MarkersOf(const std::vector<int>& markers);

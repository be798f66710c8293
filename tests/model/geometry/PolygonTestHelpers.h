#pragma once
// Builders and measures of polygon sets shared by the geometry tests.
#include "model/geometry/FlashPolygonSet.h"

#include <initializer_list>
#include <utility>

using PointList = std::initializer_list<std::pair<double, double>>;

CFlashPolygonContour MakeContour(PointList points, int sourceIndex = CFlashPolygonVertex::kNoSource);
CFlashPolygonContour MakeRectangle(double left, double top, double right, double bottom);
CFlashPolygonSet MakeSet(std::initializer_list<CFlashPolygonContour> contours);

// Signed area (shoelace) of one contour, and the area a set covers: outer contours add their
// area, holes take theirs away, whatever their orientation.
double SignedArea(const CFlashPolygonContour& contour);
double CoveredArea(const CFlashPolygonSet& set);

// Even-odd containment over all contours of the set; OnBoundary within the distance given.
bool ContainsPoint(const CFlashPolygonSet& set, double x, double y);
bool IsOnBoundary(const CFlashPolygonSet& set, double x, double y, double distance);

#pragma once
// Builders and measures of polygon sets shared by the geometry tests.
#include "model/geometry/FlashPolygonSet.h"
#include "model/geometry/PolygonClipper.h"

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

// The area of (a operation b), both read by the even-odd rule, measured without the clipper: the
// plane is cut into horizontal slabs at every vertex and every edge crossing, inside which the
// covered width changes linearly, so its value at mid-height times the slab's height is exact.
// Quadratic in the edge count: for operands of up to a few hundred edges.
double AreaBySlabs(ClipOperation operation, const CFlashPolygonSet& a, const CFlashPolygonSet& b);

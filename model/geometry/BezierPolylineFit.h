#pragma once
// Least-squares fit of one cubic Bezier curve to a polyline.
#include <array>

struct CFlashDoublePoint {
    double x;
    double y;
};

// Start, first control point, second control point, end.
using CFlashCubicBezier = std::array<CFlashDoublePoint, 4>;

// Fits one cubic to the points (any number, two or more) after resampling gaps longer than
// 5 x tolerance. On success the cubic is stored in curve and degree is 3; when no single cubic
// comes within the tolerance (largest squared distance), degree is 0 and false is returned:
// there is no splitting, the caller decides what to do.
bool FitBezierCurvesToPolyline(const CFlashDoublePoint* points, int count, double tolerance,
                               CFlashCubicBezier& curve, int& degree);

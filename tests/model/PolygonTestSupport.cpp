#include "PolygonTestSupport.h"

#include "model/FlashBezierCurve.h"
#include "model/FlashCurveRebuilder.h"
#include "model/geometry/EllipticalArc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

CFlashSolidShape* MakeSolidEllipse(double cx, double cy, double a, double b)
{
    auto* shape = new CFlashSolidShape(nullptr);
    for (const CFlashQuadraticSegment& s : CFlashEllipticalArc(cx, cy, a, b, 0.0).ApproximateByQuadratics())
        shape->InsertCurve(new CFlashBezierCurve(s.x0, s.y0, int(s.qx), int(s.qy), s.x1, s.y1), false, 0);
    return shape;
}

CFlashPolygonContour Square(double low, double high)
{
    CFlashPolygonContour contour;
    contour.vertices = {{low, low}, {high, low}, {high, high}, {low, high}};
    return contour;
}

bool SamePoint(const POINT& a, const POINT& b)
{
    return a.x == b.x && a.y == b.y;
}

bool HasLine(const CFlashShape& shape, const POINT& a, const POINT& b)
{
    for (int i = 0; i < shape.GetCurveCount(); ++i) {
        const CFlashCurve* curve = shape.GetCurve(i);
        if (curve->GetKind() == kCurveKindStraightLine && SamePoint(curve->GetStartPoint(), a)
            && SamePoint(curve->GetEndPoint(), b))
            return true;
    }
    return false;
}

Gdiplus::Rect ContourBounds(const CFlashShape& shape, int contourId)
{
    constexpr LONG kHigh = std::numeric_limits<LONG>::max(), kLow = std::numeric_limits<LONG>::min();
    LONG left = kHigh, top = kHigh, right = kLow, bottom = kLow;
    for (int i = 0; i < shape.GetCurveCount(); ++i) {
        if (shape.GetContourId(i) != contourId || shape.GetCurve(i)->GetKind() == kCurveKindCloseFigure)
            continue;
        for (const POINT& p : shape.GetCurve(i)->GetPolyline()) {
            left = std::min(left, p.x);
            top = std::min(top, p.y);
            right = std::max(right, p.x);
            bottom = std::max(bottom, p.y);
        }
    }
    return Gdiplus::Rect(left, top, right - left, bottom - top);
}

double DistanceFromEllipse(const CFlashCurve& curve, double cx, double cy, double a, double b)
{
    double worst = 0.0;
    for (const POINT& p : curve.GetPolyline()) {
        const double r = std::hypot((p.x - cx) / a, (p.y - cy) / b);
        worst = std::max(worst, std::fabs(r - 1.0) * std::min(a, b));
    }
    return worst;
}

void ExpectClosedContours(const CFlashShape& shape)
{
    for (int contour = 0; contour < shape.GetContourCount(); ++contour) {
        int first = 0, last = -1;
        shape.GetContourCurveRange(contour, first, last);
        for (int i = first; i < last; ++i)
            EXPECT_TRUE(SamePoint(shape.GetCurve(i)->GetEndPoint(), shape.GetCurve(i + 1)->GetStartPoint()))
                << "contour " << contour << ", curve " << i;
        if (shape.IsClosed() && last >= first) {
            EXPECT_TRUE(SamePoint(shape.GetCurve(last)->GetEndPoint(), shape.GetCurve(first)->GetStartPoint()))
                << "contour " << contour << " is not closed";
        }
    }
}

double DistanceFromCurve(const CFlashCurve& curve, const POINT& point)
{
    const std::vector<POINT> polyline = curve.GetPolyline();
    double best = std::hypot(double(point.x) - polyline.front().x, double(point.y) - polyline.front().y);
    for (size_t i = 1; i < polyline.size(); ++i) {
        const double ax = polyline[i - 1].x, ay = polyline[i - 1].y;
        const double dx = polyline[i].x - ax, dy = polyline[i].y - ay;
        const double lengthSquared = dx * dx + dy * dy;
        const double t = lengthSquared > 0 ? std::clamp(((point.x - ax) * dx + (point.y - ay) * dy) / lengthSquared, 0.0, 1.0) : 0.0;
        best = std::min(best, std::hypot(point.x - (ax + t * dx), point.y - (ay + t * dy)));
    }
    return best;
}

std::string KindsOf(const CFlashShape& shape)
{
    std::string kinds;
    for (int i = 0; i < shape.GetCurveCount(); ++i)
        kinds += "?LBC"[shape.GetCurve(i)->GetKind() & 3];
    return kinds;
}

std::string MarkersOf(const std::vector<int>& markers)
{
    std::string letters;
    for (int marker : markers)
        letters += marker == kRebuiltStraightSegment ? 's' : marker == kRebuiltFittedCurve ? 'f' : 'p';
    return letters;
}

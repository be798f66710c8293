#pragma once
// Approximation of a whole ellipse by quadratic Bezier segments, and the cubic control points of
// a quadratic segment.
#include "platform/gdiplus/GdiPlus.h"

#include <vector>

// A quadratic segment with integer end points and a double control point.
struct CFlashQuadraticSegment {
    int x0, y0;
    int x1, y1;
    double qx, qy;
};

class CFlashEllipticalArc {
public:
    static constexpr int kSegmentCount = 8;

    // Centre, semi-axes and rotation (radians) of the ellipse; the arc is the full turn.
    CFlashEllipticalArc(double cx, double cy, double a, double b, double theta);

    void PointAt(double eta, double& x, double& y) const;
    void DerivativeAt(double eta, double& dx, double& dy) const;

    // Eight segments of a quarter of pi each, from angle 0 round the full turn. Each control
    // point is where the tangents at the segment's ends meet; the ends are truncated to integers.
    std::vector<CFlashQuadraticSegment> ApproximateByQuadratics() const;

private:
    double m_cx, m_cy;
    double m_a, m_b;
    double m_cosTheta, m_sinTheta;
    double m_startAngle, m_endAngle;
};

// Appends the cubic control points of the quadratic segment start-q-end:
// start + 2 (q - start) / 3, then end + 2 (q - end) / 3, in integer arithmetic.
void QuadraticToCubicControls(const Gdiplus::Point& start, const Gdiplus::Point& q, const Gdiplus::Point& end,
                              std::vector<Gdiplus::Point>& points);

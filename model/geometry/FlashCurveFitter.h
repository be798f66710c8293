#pragma once
#include "model/geometry/FlashPolygonSet.h"
#include "platform/gdiplus/GdiPlus.h"

#include <vector>

// Collects the points of a stroke and fits a run of cubic Bezier segments through them, each as
// long as its deviation from the points allows. Also sweeps a brush outline along the stroke.
class CFlashCurveFitter {
public:
    struct Segment {
        int x0, y0;        // start
        int x1, y1;        // end
        double c1x, c1y;   // first control point
        double c2x, c2y;   // second control point
    };

    static constexpr double kDefaultControlLength = 70.0; // percent of half the chord
    static constexpr double kDefaultDeviationBound = 5.0;

    void Reset();
    void AddPoint(int x, int y);
    // Fits segments through the input points (any number; nothing below three) and rounds them
    // into the control points: the start, then two control points and the end per segment.
    void Fit();

    // The filled outline of the brush (points around the origin) swept along the input points:
    // the union of the convex hulls of the brush at each pair of consecutive points, with every
    // contour's vertex order reversed. Fewer than two input points give an empty set.
    void SweepOutline(const std::vector<Gdiplus::Point>& brush, CFlashPolygonSet& outline) const;

    double GetDeviationBound() const { return m_deviationBound; }
    void SetDeviationBound(double bound) { m_deviationBound = bound; }
    double GetControlLength() const { return m_controlLength; }

    int GetInputPointCount() const { return int(m_inputPoints.size()); }
    const std::vector<Gdiplus::Point>& GetInputPoints() const { return m_inputPoints; }
    int GetSegmentCount() const { return int(m_segments.size()); }
    const std::vector<Segment>& GetSegments() const { return m_segments; }
    int GetControlPointCount() const { return int(m_controlPoints.size()); }
    const std::vector<Gdiplus::Point>& GetControlPoints() const { return m_controlPoints; }
    Gdiplus::Point GetLastPoint() const { return m_lastPoint; }

private:
    struct Vector2 {
        double x;
        double y;
    };

    Vector2 PointAt(int k) const;
    Vector2 TangentAt(int k) const;
    Segment MakeSegment(int a, int b) const;
    bool DeviationReaches(const Segment& segment, int a, int b) const;

    std::vector<Gdiplus::Point> m_inputPoints;
    std::vector<Segment> m_segments;
    std::vector<Gdiplus::Point> m_controlPoints;
    double m_controlLength = kDefaultControlLength;
    double m_deviationBound = kDefaultDeviationBound;
    Gdiplus::Point m_lastPoint;
};

// The application-wide fitter shared by the freehand tools and the curve rebuilder.
extern CFlashCurveFitter g_CurveFitter;

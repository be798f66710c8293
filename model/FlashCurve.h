#pragma once
#include "model/ArchiveRecord.h"
#include "platform/gdiplus/GdiPlus.h"

#include <vector>

namespace boost { namespace serialization { class access; } }
class CFlashEditorFrameShapeTransform;

// Curve kinds; every curve of a class reports its class's kind.
constexpr int kCurveKindStraightLine = 1;
constexpr int kCurveKindBezier = 2;
constexpr int kCurveKindCloseFigure = 3;

// Codes of GetControlPoints: how to read the returned list.
constexpr int kControlPointsNone = 0;     // nothing
constexpr int kControlPointsCubic = 1;    // start, end, c1, c2
constexpr int kControlPointsStraight = 2; // start, end

// A point hits a curve within this distance (twips; 5 pixels at 100 %).
constexpr double kCurveHitTolerance = 100.0;
// Curves and paths are flattened with this flatness everywhere.
constexpr Gdiplus::REAL kFlatness = 0.25f;

// One segment of a shape's outline, in integer twips of the shape's own space.
class CFlashCurve {
public:
    CFlashCurve& operator=(const CFlashCurve&) = delete;
    virtual ~CFlashCurve() = default;

    virtual int GetKind() const = 0;
    // Bounds as computed by Recalc; a line keeps the sign of its width and height.
    virtual const Gdiplus::Rect& GetBounds() const { return m_rcBounds; }
    const POINT& GetStartPoint() const { return m_ptStart; }
    const POINT& GetEndPoint() const { return m_ptEnd; }

    virtual void AddToPath(Gdiplus::GraphicsPath& path) const = 0;
    // Draws with the pen under the graphics' current transform; nothing without a pen.
    virtual void Draw(Gdiplus::Graphics& graphics, const Gdiplus::Pen* pen) const = 0;
    virtual bool HitTest(const POINT& point) const = 0;
    // Squares around the end points, 2 * trunc(2 * zoom) pixels wide under the stage transform.
    virtual void DrawHandles(Gdiplus::Graphics& graphics, double zoom) const;
    virtual void Offset(int dx, int dy) = 0;
    // Maps the points through the placement's matrix (null: unchanged); callers run Recalc after.
    virtual void Transform(const CFlashEditorFrameShapeTransform* placement);
    virtual void Recalc() = 0;
    virtual std::vector<Gdiplus::PointF> GetPointList() const;
    virtual std::vector<POINT> GetPolyline() const;
    // Returns a kControlPoints... code telling how to read the list.
    virtual int GetControlPoints(std::vector<POINT>& points) const;
    // Indices: 0 start, 1 end (a Bezier curve also 2 c1, 3 c2).
    virtual void SetPoint(int index, const POINT& point);
    // Leaves the output untouched for an index the curve does not have.
    virtual void GetPoint(int index, POINT& point) const;
    // A complete copy, from end to start when reversed.
    virtual CFlashCurve* Clone(bool reversed) const = 0;
    // Index of the last addressable point; 0 marks the close-figure operation.
    virtual int GetLastPointIndex() const = 0;

    // The straight-segment hit test every curve uses: true when the point lies within the
    // tolerance of the segment a-b (of the point a when a and b coincide).
    static bool HitTestSegment(const POINT& a, const POINT& b, const POINT& point);

protected:
    CFlashCurve() = default;
    CFlashCurve(const POINT& start, const POINT& end) : m_ptStart(start), m_ptEnd(end) {}
    // Clones start from a member-wise copy, so that no member can be left out.
    CFlashCurve(const CFlashCurve&) = default;

    // Mutable: a curve that defers its Recalc fills it on first use.
    mutable Gdiplus::Rect m_rcBounds;
    POINT m_ptStart = {0, 0};
    POINT m_ptEnd = {0, 0};

private:
    friend class boost::serialization::access;
    DECLARE_ARCHIVE_RECORD()
};

DECLARE_ARCHIVE_CLASS_TRAITS(CFlashCurve)

#pragma once
#include "model/FlashCurve.h"

// A cubic Bezier curve built from one quadratic control point q.
class CFlashBezierCurve : public CFlashCurve {
public:
    // All points zero, no cache (archive loading).
    CFlashBezierCurve() = default;
    // c1 = start + 2 (q - start) / 3, c2 = end + 2 (q - end) / 3, truncated towards zero.
    CFlashBezierCurve(int x0, int y0, int qx, int qy, int x1, int y1);

    int GetKind() const override { return kCurveKindBezier; }
    const Gdiplus::Rect& GetBounds() const override;
    const POINT& GetQuadraticControlPoint() const { return m_ptQuad; }
    const POINT& GetControlPoint1() const { return m_ptC1; }
    const POINT& GetControlPoint2() const { return m_ptC2; }

    void AddToPath(Gdiplus::GraphicsPath& path) const override;
    void Draw(Gdiplus::Graphics& graphics, const Gdiplus::Pen* pen) const override;
    // The segment test on each piece of the flattened curve.
    bool HitTest(const POINT& point) const override;
    void Offset(int dx, int dy) override;
    void Transform(const CFlashEditorFrameShapeTransform* placement) override;
    // Flattens the curve into the point cache and takes the bounds from it.
    void Recalc() override;
    std::vector<Gdiplus::PointF> GetPointList() const override;
    std::vector<POINT> GetPolyline() const override;
    int GetControlPoints(std::vector<POINT>& points) const override;
    // Moving c1 or c2 does not change q; every call ends with Recalc.
    void SetPoint(int index, const POINT& point) override;
    void GetPoint(int index, POINT& point) const override;
    CFlashCurve* Clone(bool reversed) const override;
    int GetLastPointIndex() const override { return 3; }

private:
    friend class boost::serialization::access;
    DECLARE_ARCHIVE_RECORD()

    CFlashBezierCurve(const CFlashBezierCurve&) = default;

    // The curve as points from start to end, within the flatness, in place of the vector's
    // contents.
    void Flatten(std::vector<Gdiplus::PointF>& points) const;
    // Recalc of a curve just read: the flattening waits for the first use of the points or the
    // bounds, so that reading a document (every undo and redo) flattens only the curves that are
    // then hit-tested or measured.
    void DeferRecalc() { m_bRecalcDeferred = true; }
    // Runs a deferred Recalc.
    void CatchUp() const
    {
        if (m_bRecalcDeferred)
            UpdateCache();
    }
    // The work of Recalc: the point cache and the bounds taken from it.
    void UpdateCache() const;

    POINT m_ptQuad = {0, 0};
    POINT m_ptC1 = {0, 0};
    POINT m_ptC2 = {0, 0};
    // The flattened curve, from start to end.
    mutable std::vector<Gdiplus::PointF> m_flatPoints;
    mutable bool m_bRecalcDeferred = false;
};

DECLARE_ARCHIVE_CLASS_TRAITS(CFlashBezierCurve)

#pragma once
#include "model/geometry/FlashPolygonSet.h"
#include "platform/gdiplus/GdiPlus.h"

#include <vector>

class CFlashCurve;
class CFlashCurveFitter;
class CFlashEditorFrameShapeTransform;
class CFlashShape;

// What the rebuilder made each curve of its target from.
constexpr int kRebuiltStraightSegment = -1; // a straight segment, refitted when it has neighbours
constexpr int kRebuiltFittedCurve = 0;      // a fitted curve or a close-figure operation
constexpr int kRebuiltSourcePiece = 1;      // a piece of one of the source shapes' curves

// True when the point equals the cubic's start or end, lies within 10 of one of its points at
// t = 0, 0.01 ... 1.01, or within 60 of one at steps of 0.001 around the closest of those.
bool IsPointNearBezier(double x, double y, const POINT& start, const POINT& control1, const POINT& control2,
                       const POINT& end);

// The piece of the cubic between parameters a and b: its ends are the cubic's points there, its
// control points make it pass, at its own parameters (c - a) / (b - a) and (d - a) / (b - a),
// through the cubic's points at c and d (all points truncated to integers). False, with the
// piece untouched, when the parameters allow no such piece.
bool SplitBezierSegment(const POINT (&cubic)[4], double a, double b, double c, double d, POINT (&piece)[4]);

// Turns the contours of a clipper result back into curves of a target shape: runs of vertices
// tagged with one source curve become a piece of that curve, the rest straight segments that are
// then refitted as cubic curves with the curve fitter; collinear neighbours are merged and very
// short curves absorbed by their neighbours.
class CFlashCurveRebuilder {
public:
    explicit CFlashCurveRebuilder(CFlashCurveFitter* fitter);

    // Appends the rebuilt curves of every contour of the set to the target (contour ids by
    // contour index; a closed target gets a close-figure operation after each contour that
    // kept curves). Source tags below the index offset (or all, when it is not positive) name
    // curves of shape A, the others curves of shape B, counted from its end when reversedB.
    // Points map as trunc(scale * (p - offset)). The set is not changed; when the rebuild fails
    // (std::bad_alloc) the exception propagates and the target keeps the curves it had.
    void RebuildFromPolygonSet(CFlashShape* target, const CFlashPolygonSet& set, const CFlashShape* shapeA,
                               const CFlashEditorFrameShapeTransform* placementA, const CFlashShape* shapeB,
                               const CFlashEditorFrameShapeTransform* placementB, int offsetX, int offsetY,
                               double scale, int indexOffset, bool reversedB);

    // Removes the zero-length curves of the shape's contour 0 and refits its runs of curves as
    // cubic curves (a lasso outline). On failure the shape is left as it was.
    void SmoothShape(CFlashShape* shape);

    // One marker per curve of the last target, in curve order (kRebuilt... values).
    const std::vector<int>& GetMarkers() const { return m_markers; }

private:
    void RebuildContour(const CFlashPolygonSet& set, int contour);
    void SplitHorizontalEdges();
    void ChooseStartVertex();
    void WalkContour();
    void RemoveZeroLengthCurves();
    void RefitNewRuns();
    void MergeStraightRunsAndCloseGaps();

    void AddStraightSegment(int from, int to);
    void AddSourceCurvePiece(int from, int to, CFlashCurve* clone, const CFlashEditorFrameShapeTransform* placement);
    void FitSourceCurvePiece(const CFlashCurve& source, const POINT& start, const POINT& end, POINT (&cubic)[4],
                             const CFlashEditorFrameShapeTransform* placement) const;
    bool IsVertexOnCurve(const CFlashPolygonVertex& vertex, const CFlashCurve& curve,
                         const CFlashEditorFrameShapeTransform* placement) const;
    int SourceIndexAt(const CFlashPolygonVertex& vertex) const;
    const CFlashCurve* SourceCurveForIndex(int index) const;
    const CFlashEditorFrameShapeTransform* PlacementForIndex(int index) const;
    bool IsReversedIndex(int index) const;
    void FindContourCurveRange(int& first, int& last) const;

    POINT Map(const CFlashPolygonVertex& vertex) const;
    int Next(int vertex) const;
    bool IsTargetClosed() const;
    bool IsShapeAClosed() const;
    void AppendCurve(CFlashCurve* curve, int marker);
    void RemoveCurveAt(int index);

    CFlashCurveFitter* m_pFitter;
    CFlashShape* m_pTarget = nullptr;
    // The contour being rebuilt, with the vertices added on its horizontal edges.
    std::vector<CFlashPolygonVertex> m_vertices;
    const CFlashShape* m_pShapeA = nullptr;
    const CFlashEditorFrameShapeTransform* m_pPlacementA = nullptr;
    const CFlashShape* m_pShapeB = nullptr;
    const CFlashEditorFrameShapeTransform* m_pPlacementB = nullptr;
    int m_nOffsetX = 0;
    int m_nOffsetY = 0;
    double m_dScale = 1.0;
    int m_nIndexOffset = 0;
    bool m_bReversedB = false;
    int m_nContourIndex = 0;
    bool m_bHole = false;
    int m_nStartVertex = 0;
    int m_nEndVertex = -1;
    bool m_bBackward = false;
    // Curves before this index were in the target before the rebuild and are never touched.
    int m_nFirstCurve = 0;
    std::vector<int> m_markers;
};

// The one rebuilder of the application, working with the application-wide curve fitter.
extern CFlashCurveRebuilder g_CurveRebuilder;

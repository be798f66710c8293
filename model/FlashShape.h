#pragma once
#include "model/ClonedPtr.h"
#include "model/FlashResource.h"
#include "model/geometry/BezierPolylineFit.h"
#include "platform/gdiplus/GdiPlus.h"

#include <memory>
#include <vector>

class CDrawingTool;
class CFlashCurve;
class CFlashEditorFrameShapeTransform;
class CFlashPolygonSet;
class CFlashShape;

// One editable vertex of a shape with its incoming and outgoing curves and control points, in
// placed coordinates. The indices are those of CFlashCurve::SetPoint, -1 when absent.
struct CFlashVertexHandle {
    CFlashShape* pShape = nullptr;
    CFlashCurve* pIncomingCurve = nullptr;
    CFlashCurve* pOutgoingCurve = nullptr;
    POINT ptVertex = {0, 0};
    POINT ptIncomingControl = {0, 0};
    POINT ptOutgoingControl = {0, 0};
    int nIncomingVertexIndex = -1;
    int nOutgoingVertexIndex = -1;
    int nIncomingControlIndex = -1;
    int nOutgoingControlIndex = -1;
    bool bHasControlPoints = false;
};

// A drawable shape: curves grouped into contours, an owned pen for the outline and an owned
// brush for the fill. Coordinates are the shape's own twips; the placement of its frame span
// and the stage zoom are applied when it is drawn or hit-tested.
class CFlashShape : public CFlashResource {
public:
    CFlashShape& operator=(const CFlashShape&) = delete;
    ~CFlashShape() override;

    // Draws at the stage origin (device pixels) and zoom under the placement.
    virtual void Draw(Gdiplus::Graphics& graphics, int stageX, int stageY, double zoom,
                      const CFlashEditorFrameShapeTransform* placement) = 0;
    // The point is in device pixels relative to the stage origin; dc may be null.
    virtual bool HitTest(HDC dc, double zoom, const POINT& point, const CFlashEditorFrameShapeTransform* placement) = 0;
    virtual void Refresh() {}
    // A complete copy: the same identifier, name, state, tag, pen, fill, class data and curves;
    // in no span yet and without tween overrides.
    virtual CFlashShape* Duplicate() const = 0;
    // A new object made from the shape: a new identifier, no name yet, state 1, tag 0, the same
    // pen, fill and class data, and no curves (CopyCurvesFrom adds them).
    CFlashShape* Clone() const;
    // The tool the stage switches to when the shape is double-clicked.
    virtual CDrawingTool* GetEditTool() const;
    virtual void SetEditTool(CDrawingTool* tool);
    // The tool every non-text shape names, set without a shape at hand.
    static void SetKindEditTool(CDrawingTool* tool);
    static CDrawingTool* GetKindEditTool();
    virtual void Offset(int dx, int dy);
    // Sets the pen's colour and, only for a solid fill, the fill's colour.
    virtual void SetColors(Gdiplus::ARGB penColor, Gdiplus::ARGB fillColor);
    virtual bool IsClosed() const = 0;
    // True for every solid shape, whatever way it came into being.
    virtual bool IsFilled() const { return false; }
    virtual void SetFont(const Gdiplus::Font*) {}
    virtual Gdiplus::Font* GetFont() const { return nullptr; }
    // A GDI+ string alignment (0 near, 1 centre, 2 far).
    virtual void SetTextAlignment(int) {}
    virtual int GetTextAlignment() const { return 0; }
    // In the shape's own twips, before the placement; (0, 0, 0, 0) without curves.
    virtual Gdiplus::Rect GetBounds() const;
    virtual std::vector<POINT> GetCurveEndpoints() const;

    Gdiplus::Pen* GetPen() const { return m_pPen.get(); }
    Gdiplus::Brush* GetBrush() const { return m_pFill.get(); }
    // Store clones of the given pen and brush; null leaves none.
    void SetPen(const Gdiplus::Pen* pen);
    void SetBrush(const Gdiplus::Brush* brush);

    // Overrides used instead of the fill and the pen while a motion tween draws the shape.
    Gdiplus::Brush* GetTweenFill() const { return m_pTweenFill.get(); }
    Gdiplus::Pen* GetTweenPen() const { return m_pTweenPen.get(); }
    void SetTweenOverrides(std::unique_ptr<Gdiplus::Brush> fill, std::unique_ptr<Gdiplus::Pen> pen);
    void ClearTweenOverrides();

    int GetCurveCount() const { return int(m_curves.size()); }
    CFlashCurve* GetCurve(int index) const { return m_curves[index]; }
    int GetContourId(int index) const { return m_contourIds[index]; }
    bool IsHoleCurve(int index) const { return m_holeFlags[index]; }
    // Takes ownership; index -1 appends. Runs the curve's Recalc. On failure (std::bad_alloc)
    // the curve is deleted and the shape left as it was.
    void InsertCurve(CFlashCurve* curve, bool hole, int contourId, int index = -1);
    void RemoveCurve(int index);
    // Keeps the first count curves and removes the others.
    void TruncateCurves(int count);
    // Appends clones of the other shape's curves with their contour ids and hole flags.
    void CopyCurvesFrom(const CFlashShape& shape);
    // Smallest and largest index of the contour's curves that are not close-figure operations;
    // first = curve count and last = -1 when there are none.
    void GetContourCurveRange(int contourId, int& first, int& last) const;
    // Largest contour id + 1 (1 without curves).
    int GetContourCount() const;
    // Whether the flattened outline, mapped through the matrix, crosses or enters the rectangle.
    bool IntersectsRect(const Gdiplus::Rect& rect, const Gdiplus::Matrix* matrix) const;
    void CollectVertexHandles(std::vector<CFlashVertexHandle>& handles,
                              const CFlashEditorFrameShapeTransform* placement);
    // Exchanges the curves, with their contour ids and hole flags, with the other shape's.
    void SwapCurves(CFlashShape& other) noexcept;

    // The outline flattened under the placement (null: none), one contour per contour id in id
    // order, each vertex tagged 3 x curve index + point kind (0 first, 1 interior, 2 last point).
    // Reversed numbering counts the curves from the end (3 x (count - index)) and exchanges the
    // kinds of first and last point.
    virtual std::unique_ptr<CFlashPolygonSet> ToPolygonSet(const CFlashEditorFrameShapeTransform* placement,
                                                           bool reversed) const;

    // The operations below append curves made from polygon points p as
    // (trunc(scale * (p.x - offsetX)), trunc(scale * (p.y - offsetY))). When they fail
    // (std::bad_alloc) the exception propagates and the shape keeps the curves it had.

    // Fitted cubic curves through every contour of the set (tolerance 2, contour ids by contour
    // index), each contour followed by a close-figure operation.
    void FitCurvesToPolygonSet(const CFlashPolygonSet& set, int offsetX, int offsetY, double scale);
    // One curve from a fitted cubic, its points truncated before the mapping; index -1 appends.
    void AddFittedBezier(const CFlashCubicBezier& fit, int offsetX, int offsetY, double scale, bool hole,
                         int contourId, int index);
    // The contours as curves of an open shape: with a source shape A, its lines rebuilt where the
    // vertices still carry their tags (the curve rebuilder), else straight lines merging points
    // closer than 4 to the run's start.
    void AddStraightLinesFromPolygonSet(const CFlashPolygonSet& set, const CFlashShape* shapeA,
                                        const CFlashEditorFrameShapeTransform* placementA, int offsetX, int offsetY,
                                        double scale);
    // The contours as curves of a closed shape: with a source shape A, the source curves of A and
    // B restored (the curve rebuilder; tags from indexOffset on are B's, counted from its end when
    // reversedB), else straight Bezier segments merging points up to 4 from the run's start.
    void AddBezierSegmentsFromPolygonSet(const CFlashPolygonSet& set, const CFlashShape* shapeA,
                                         const CFlashEditorFrameShapeTransform* placementA, int offsetX, int offsetY,
                                         double scale, const CFlashShape* shapeB,
                                         const CFlashEditorFrameShapeTransform* placementB, int indexOffset,
                                         bool reversedB);

    // World transform from shape twips to device pixels: placement, then zoom * 0.05, then the
    // stage origin (only the origin without a placement); high-quality modes.
    static void PrepareGraphics(Gdiplus::Graphics& graphics, int stageX, int stageY, double zoom,
                                const CFlashEditorFrameShapeTransform* placement);

protected:
    // No curves, pen or fill; resource tag 1.
    CFlashShape();
    // The base of Duplicate. Every member of this class that is not a tween override is copied
    // here (curves deeply, as they are: no Recalc), so the classes below can leave their own copy
    // constructors to the compiler.
    CFlashShape(const CFlashShape& source);

    void InitNamePrefix() override;
    int NextSerialNumber() override;

    // All curves into one path.
    void BuildPath(Gdiplus::GraphicsPath& path) const;
    // Strokes every curve with the pen (nothing without one) as if each were drawn on its own,
    // with its own caps, but in one drawing call.
    void DrawCurveStrokes(Gdiplus::Graphics& graphics, const Gdiplus::Pen* pen) const;
    // The tween override when set, else the shape's own.
    const Gdiplus::Pen* GetDrawingPen() const { return m_pTweenPen ? m_pTweenPen.get() : m_pPen.get(); }
    Gdiplus::Brush* GetDrawingFill() const { return m_pTweenFill ? m_pTweenFill.get() : m_pFill.get(); }
    // Device matrix of hit tests: the placement's matrix followed by a scale of zoom * 0.05.
    static void MakeHitMatrix(Gdiplus::Matrix& matrix, double zoom, const CFlashEditorFrameShapeTransform* placement);
    // Whether the device point lies inside the rectangle mapped by the hit matrix.
    static bool HitTestMappedRect(const Gdiplus::Rect& rect, Gdiplus::Graphics* graphics, double zoom,
                                  const POINT& point, const CFlashEditorFrameShapeTransform* placement);

    std::vector<CFlashCurve*> m_curves;
    CClonedPtr<Gdiplus::Pen> m_pPen;
    CClonedPtr<Gdiplus::Brush> m_pFill;
    std::vector<bool> m_holeFlags;
    std::vector<int> m_contourIds;
    std::unique_ptr<Gdiplus::Brush> m_pTweenFill;
    std::unique_ptr<Gdiplus::Pen> m_pTweenPen;

private:
    friend class boost::serialization::access;
    DECLARE_ARCHIVE_RECORD()
};

DECLARE_ARCHIVE_CLASS_TRAITS(CFlashShape)

// A GDI+ graphics made on a device context for hit tests; none when the context is null.
std::unique_ptr<Gdiplus::Graphics> MakeHitGraphics(HDC dc);

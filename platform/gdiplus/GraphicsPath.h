#pragma once
namespace Gdiplus {

class FontFamily;
class Graphics;
class Matrix;
class Pen;
class StringFormat;

// A sequence of figures made of lines and Bezier curves.
class GraphicsPath : public GdiplusBase {
public:
    explicit GraphicsPath(FillMode fillMode = FillModeAlternate);
    GraphicsPath(const PointF* points, const BYTE* types, INT count, FillMode fillMode = FillModeAlternate);
    GraphicsPath(const Point* points, const BYTE* types, INT count, FillMode fillMode = FillModeAlternate);
    ~GraphicsPath();

    GraphicsPath* Clone() const;

    // Empties the path; the fill mode becomes alternate.
    Status Reset();
    FillMode GetFillMode() const;
    Status SetFillMode(FillMode fillMode);
    Status StartFigure();
    Status CloseFigure();
    Status CloseAllFigures();

    Status AddLine(const PointF& pt1, const PointF& pt2);
    Status AddLine(REAL x1, REAL y1, REAL x2, REAL y2);
    Status AddLine(const Point& pt1, const Point& pt2);
    Status AddLine(INT x1, INT y1, INT x2, INT y2);
    Status AddLines(const PointF* points, INT count);
    Status AddLines(const Point* points, INT count);
    Status AddBezier(const PointF& pt1, const PointF& pt2, const PointF& pt3, const PointF& pt4);
    Status AddBezier(REAL x1, REAL y1, REAL x2, REAL y2, REAL x3, REAL y3, REAL x4, REAL y4);
    Status AddBezier(const Point& pt1, const Point& pt2, const Point& pt3, const Point& pt4);
    Status AddBezier(INT x1, INT y1, INT x2, INT y2, INT x3, INT y3, INT x4, INT y4);
    Status AddBeziers(const PointF* points, INT count);
    Status AddBeziers(const Point* points, INT count);
    Status AddRectangle(const RectF& rect);
    Status AddRectangle(const Rect& rect);
    Status AddEllipse(const RectF& rect);
    Status AddEllipse(REAL x, REAL y, REAL width, REAL height);
    Status AddEllipse(const Rect& rect);
    Status AddEllipse(INT x, INT y, INT width, INT height);
    Status AddPolygon(const PointF* points, INT count);
    Status AddPolygon(const Point* points, INT count);
    Status AddPath(const GraphicsPath* addingPath, BOOL connect);
    // Glyph outlines of the text; length -1 means up to the terminating zero.
    Status AddString(const WCHAR* string, INT length, const FontFamily* family, INT style, REAL emSize,
                     const PointF& origin, const StringFormat* format);
    Status AddString(const WCHAR* string, INT length, const FontFamily* family, INT style, REAL emSize,
                     const RectF& layoutRect, const StringFormat* format);
    Status AddString(const WCHAR* string, INT length, const FontFamily* family, INT style, REAL emSize,
                     const Point& origin, const StringFormat* format);
    Status AddString(const WCHAR* string, INT length, const FontFamily* family, INT style, REAL emSize,
                     const Rect& layoutRect, const StringFormat* format);

    // Curves become line segments within the flatness, after the optional transformation.
    Status Flatten(const Matrix* matrix = nullptr, REAL flatness = FlatnessDefault);
    // The path becomes the outline that the pen would paint.
    Status Widen(const Pen* pen, const Matrix* matrix = nullptr, REAL flatness = FlatnessDefault);
    Status Transform(const Matrix* matrix);

    Status GetBounds(RectF* bounds, const Matrix* matrix = nullptr, const Pen* pen = nullptr) const;
    Status GetBounds(Rect* bounds, const Matrix* matrix = nullptr, const Pen* pen = nullptr) const;
    INT GetPointCount() const;
    Status GetPathPoints(PointF* points, INT count) const;
    // Integer retrieval rounds each coordinate.
    Status GetPathPoints(Point* points, INT count) const;
    Status GetPathTypes(BYTE* types, INT count) const;
    Status GetLastPoint(PointF* lastPoint) const;

    // Inside the filled path, under the fill mode; graphics (optional) supplies the transformation.
    BOOL IsVisible(REAL x, REAL y, const Graphics* graphics = nullptr) const;
    BOOL IsVisible(const PointF& point, const Graphics* graphics = nullptr) const;
    BOOL IsVisible(INT x, INT y, const Graphics* graphics = nullptr) const;
    BOOL IsVisible(const Point& point, const Graphics* graphics = nullptr) const;
    // Inside the outline that the pen would paint.
    BOOL IsOutlineVisible(REAL x, REAL y, const Pen* pen, const Graphics* graphics = nullptr) const;
    BOOL IsOutlineVisible(const PointF& point, const Pen* pen, const Graphics* graphics = nullptr) const;
    BOOL IsOutlineVisible(INT x, INT y, const Pen* pen, const Graphics* graphics = nullptr) const;
    BOOL IsOutlineVisible(const Point& point, const Pen* pen, const Graphics* graphics = nullptr) const;

private:
    friend class Graphics;
    friend class PathGradientBrush;
    friend class Region;

    GraphicsPath(GpPath* native, Status status);

    GpPath* nativePath;
};

} // namespace Gdiplus

#pragma once
namespace Gdiplus {

class Brush;
class Font;
class GraphicsPath;
class Image;
class Matrix;
class Pen;
class Region;
class StringFormat;

// A drawing surface: a device context or an image.
class Graphics : public GdiplusBase {
public:
    explicit Graphics(HDC hdc);
    explicit Graphics(Image* image);
    ~Graphics();

    static Graphics* FromHDC(HDC hdc);
    static Graphics* FromImage(Image* image);

    // Sync waits until pending drawing has reached the surface.
    void Flush(FlushIntention intention = FlushIntentionFlush);

    Status Clear(const Color& color);
    Status DrawLine(const Pen* pen, REAL x1, REAL y1, REAL x2, REAL y2);
    Status DrawLine(const Pen* pen, const PointF& pt1, const PointF& pt2);
    Status DrawLine(const Pen* pen, INT x1, INT y1, INT x2, INT y2);
    Status DrawLine(const Pen* pen, const Point& pt1, const Point& pt2);
    Status DrawLines(const Pen* pen, const PointF* points, INT count);
    Status DrawLines(const Pen* pen, const Point* points, INT count);
    Status DrawBezier(const Pen* pen, const PointF& pt1, const PointF& pt2, const PointF& pt3, const PointF& pt4);
    Status DrawBezier(const Pen* pen, REAL x1, REAL y1, REAL x2, REAL y2, REAL x3, REAL y3, REAL x4, REAL y4);
    Status DrawBezier(const Pen* pen, const Point& pt1, const Point& pt2, const Point& pt3, const Point& pt4);
    Status DrawBezier(const Pen* pen, INT x1, INT y1, INT x2, INT y2, INT x3, INT y3, INT x4, INT y4);
    Status DrawRectangle(const Pen* pen, const RectF& rect);
    Status DrawRectangle(const Pen* pen, REAL x, REAL y, REAL width, REAL height);
    Status DrawRectangle(const Pen* pen, const Rect& rect);
    Status DrawRectangle(const Pen* pen, INT x, INT y, INT width, INT height);
    Status DrawEllipse(const Pen* pen, const RectF& rect);
    Status DrawEllipse(const Pen* pen, REAL x, REAL y, REAL width, REAL height);
    Status DrawEllipse(const Pen* pen, const Rect& rect);
    Status DrawEllipse(const Pen* pen, INT x, INT y, INT width, INT height);
    Status DrawPolygon(const Pen* pen, const PointF* points, INT count);
    Status DrawPolygon(const Pen* pen, const Point* points, INT count);
    Status DrawPath(const Pen* pen, const GraphicsPath* path);
    // Part of the ellipse in the rectangle; angles in degrees, clockwise from the x axis.
    Status DrawArc(const Pen* pen, const RectF& rect, REAL startAngle, REAL sweepAngle);
    Status DrawArc(const Pen* pen, REAL x, REAL y, REAL width, REAL height, REAL startAngle, REAL sweepAngle);
    Status DrawArc(const Pen* pen, const Rect& rect, REAL startAngle, REAL sweepAngle);
    Status DrawArc(const Pen* pen, INT x, INT y, INT width, INT height, REAL startAngle, REAL sweepAngle);

    Status FillRectangle(const Brush* brush, const RectF& rect);
    Status FillRectangle(const Brush* brush, REAL x, REAL y, REAL width, REAL height);
    Status FillRectangle(const Brush* brush, const Rect& rect);
    Status FillRectangle(const Brush* brush, INT x, INT y, INT width, INT height);
    Status FillEllipse(const Brush* brush, const RectF& rect);
    Status FillEllipse(const Brush* brush, REAL x, REAL y, REAL width, REAL height);
    Status FillEllipse(const Brush* brush, const Rect& rect);
    Status FillEllipse(const Brush* brush, INT x, INT y, INT width, INT height);
    Status FillPolygon(const Brush* brush, const PointF* points, INT count);
    Status FillPolygon(const Brush* brush, const Point* points, INT count);
    Status FillPath(const Brush* brush, const GraphicsPath* path);
    // A closed cardinal spline through the points.
    Status FillClosedCurve(const Brush* brush, const PointF* points, INT count);
    Status FillClosedCurve(const Brush* brush, const PointF* points, INT count, FillMode fillMode,
                           REAL tension = 0.5f);
    Status FillClosedCurve(const Brush* brush, const Point* points, INT count);
    Status FillClosedCurve(const Brush* brush, const Point* points, INT count, FillMode fillMode,
                           REAL tension = 0.5f);
    Status FillRegion(const Brush* brush, const Region* region);

    Status DrawImage(Image* image, INT x, INT y);
    Status DrawImage(Image* image, REAL x, REAL y);
    Status DrawImage(Image* image, const Rect& rect);
    Status DrawImage(Image* image, INT x, INT y, INT width, INT height);
    Status DrawImage(Image* image, const RectF& rect);
    Status DrawImage(Image* image, REAL x, REAL y, REAL width, REAL height);

    // length -1 means up to the terminating zero.
    Status DrawString(const WCHAR* string, INT length, const Font* font, const PointF& origin, const Brush* brush);
    Status DrawString(const WCHAR* string, INT length, const Font* font, const PointF& origin,
                      const StringFormat* format, const Brush* brush);
    Status DrawString(const WCHAR* string, INT length, const Font* font, const RectF& layoutRect,
                      const StringFormat* format, const Brush* brush);
    Status MeasureString(const WCHAR* string, INT length, const Font* font, const PointF& origin,
                         RectF* boundingBox) const;
    Status MeasureString(const WCHAR* string, INT length, const Font* font, const PointF& origin,
                         const StringFormat* format, RectF* boundingBox) const;
    Status MeasureString(const WCHAR* string, INT length, const Font* font, const RectF& layoutRect,
                         const StringFormat* format, RectF* boundingBox, INT* codepointsFitted = nullptr,
                         INT* linesFilled = nullptr) const;

    Status GetTransform(Matrix* matrix) const;
    Status SetTransform(const Matrix* matrix);
    Status ResetTransform();
    Status MultiplyTransform(const Matrix* matrix, MatrixOrder order = MatrixOrderPrepend);
    Status TranslateTransform(REAL dx, REAL dy, MatrixOrder order = MatrixOrderPrepend);
    Status ScaleTransform(REAL sx, REAL sy, MatrixOrder order = MatrixOrderPrepend);
    Status RotateTransform(REAL angle, MatrixOrder order = MatrixOrderPrepend);

    SmoothingMode GetSmoothingMode() const;
    Status SetSmoothingMode(SmoothingMode mode);
    InterpolationMode GetInterpolationMode() const;
    Status SetInterpolationMode(InterpolationMode mode);
    Unit GetPageUnit() const;
    Status SetPageUnit(Unit unit);

    Status SetClip(const Rect& rect, CombineMode mode = CombineModeReplace);
    Status SetClip(const RectF& rect, CombineMode mode = CombineModeReplace);
    Status SetClip(const GraphicsPath* path, CombineMode mode = CombineModeReplace);
    Status SetClip(const Region* region, CombineMode mode = CombineModeReplace);
    Status ResetClip();
    // The part of the surface that drawing can reach, in world coordinates.
    Status GetVisibleClipBounds(RectF* rect) const;

private:
    friend class Font;
    friend class GraphicsPath;
    friend class Region;

    Graphics(GpGraphics* native, Status status);

    // Native handles of the arguments; null stays null (the flat API rejects it).
    static GpPen* NativeOf(const Pen* pen);
    static GpBrush* NativeOf(const Brush* brush);
    static GpPath* NativeOf(const GraphicsPath* path);
    static GpImage* NativeOf(const Image* image);
    static const GpFont* NativeOf(const Font* font);
    static const GpStringFormat* NativeOf(const StringFormat* format);
    static GpRegion* NativeOf(const Region* region);
    static GpMatrix* NativeOf(const Matrix* matrix);

    GpGraphics* nativeGraphics;
};

} // namespace Gdiplus

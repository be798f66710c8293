#include "platform/gdiplus/GdiPlus.h"

namespace Gdiplus {

Graphics::Graphics(HDC hdc) : nativeGraphics(nullptr)
{
    SetStatus(DllExports::GdipCreateFromHDC(hdc, &nativeGraphics));
}

Graphics::Graphics(Image* image) : nativeGraphics(nullptr)
{
    SetStatus(DllExports::GdipGetImageGraphicsContext(NativeOf(image), &nativeGraphics));
}

Graphics::Graphics(GpGraphics* native, Status status) : GdiplusBase(status), nativeGraphics(native) {}

Graphics::~Graphics()
{
    DllExports::GdipDeleteGraphics(nativeGraphics);
}

Graphics* Graphics::FromHDC(HDC hdc)
{
    return new Graphics(hdc);
}

Graphics* Graphics::FromImage(Image* image)
{
    return new Graphics(image);
}

GpPen* Graphics::NativeOf(const Pen* pen) { return pen ? pen->nativePen : nullptr; }
GpBrush* Graphics::NativeOf(const Brush* brush) { return brush ? brush->nativeBrush : nullptr; }
GpPath* Graphics::NativeOf(const GraphicsPath* path) { return path ? path->nativePath : nullptr; }
GpImage* Graphics::NativeOf(const Image* image) { return image ? image->nativeImage : nullptr; }
const GpFont* Graphics::NativeOf(const Font* font) { return font ? font->nativeFont : nullptr; }
const GpStringFormat* Graphics::NativeOf(const StringFormat* format) { return format ? format->nativeFormat : nullptr; }
GpRegion* Graphics::NativeOf(const Region* region) { return region ? region->nativeRegion : nullptr; }
GpMatrix* Graphics::NativeOf(const Matrix* matrix) { return matrix ? matrix->nativeMatrix : nullptr; }

void Graphics::Flush(FlushIntention intention)
{
    SetStatus(DllExports::GdipFlush(nativeGraphics, intention));
}

Status Graphics::Clear(const Color& color)
{
    return SetStatus(DllExports::GdipGraphicsClear(nativeGraphics, color.GetValue()));
}

Status Graphics::DrawLine(const Pen* pen, REAL x1, REAL y1, REAL x2, REAL y2)
{
    return SetStatus(DllExports::GdipDrawLine(nativeGraphics, NativeOf(pen), x1, y1, x2, y2));
}

Status Graphics::DrawLine(const Pen* pen, const PointF& pt1, const PointF& pt2)
{
    return DrawLine(pen, pt1.X, pt1.Y, pt2.X, pt2.Y);
}

Status Graphics::DrawLine(const Pen* pen, INT x1, INT y1, INT x2, INT y2)
{
    return SetStatus(DllExports::GdipDrawLineI(nativeGraphics, NativeOf(pen), x1, y1, x2, y2));
}

Status Graphics::DrawLine(const Pen* pen, const Point& pt1, const Point& pt2)
{
    return DrawLine(pen, pt1.X, pt1.Y, pt2.X, pt2.Y);
}

Status Graphics::DrawLines(const Pen* pen, const PointF* points, INT count)
{
    return SetStatus(DllExports::GdipDrawLines(nativeGraphics, NativeOf(pen), points, count));
}

Status Graphics::DrawLines(const Pen* pen, const Point* points, INT count)
{
    return SetStatus(DllExports::GdipDrawLinesI(nativeGraphics, NativeOf(pen), points, count));
}

Status Graphics::DrawBezier(const Pen* pen, const PointF& pt1, const PointF& pt2, const PointF& pt3,
                            const PointF& pt4)
{
    return DrawBezier(pen, pt1.X, pt1.Y, pt2.X, pt2.Y, pt3.X, pt3.Y, pt4.X, pt4.Y);
}

Status Graphics::DrawBezier(const Pen* pen, REAL x1, REAL y1, REAL x2, REAL y2, REAL x3, REAL y3, REAL x4, REAL y4)
{
    return SetStatus(DllExports::GdipDrawBezier(nativeGraphics, NativeOf(pen), x1, y1, x2, y2, x3, y3, x4, y4));
}

Status Graphics::DrawBezier(const Pen* pen, const Point& pt1, const Point& pt2, const Point& pt3, const Point& pt4)
{
    return DrawBezier(pen, pt1.X, pt1.Y, pt2.X, pt2.Y, pt3.X, pt3.Y, pt4.X, pt4.Y);
}

Status Graphics::DrawBezier(const Pen* pen, INT x1, INT y1, INT x2, INT y2, INT x3, INT y3, INT x4, INT y4)
{
    return SetStatus(DllExports::GdipDrawBezierI(nativeGraphics, NativeOf(pen), x1, y1, x2, y2, x3, y3, x4, y4));
}

Status Graphics::DrawRectangle(const Pen* pen, const RectF& rect)
{
    return DrawRectangle(pen, rect.X, rect.Y, rect.Width, rect.Height);
}

Status Graphics::DrawRectangle(const Pen* pen, REAL x, REAL y, REAL width, REAL height)
{
    return SetStatus(DllExports::GdipDrawRectangle(nativeGraphics, NativeOf(pen), x, y, width, height));
}

Status Graphics::DrawRectangle(const Pen* pen, const Rect& rect)
{
    return DrawRectangle(pen, rect.X, rect.Y, rect.Width, rect.Height);
}

Status Graphics::DrawRectangle(const Pen* pen, INT x, INT y, INT width, INT height)
{
    return SetStatus(DllExports::GdipDrawRectangleI(nativeGraphics, NativeOf(pen), x, y, width, height));
}

Status Graphics::DrawEllipse(const Pen* pen, const RectF& rect)
{
    return DrawEllipse(pen, rect.X, rect.Y, rect.Width, rect.Height);
}

Status Graphics::DrawEllipse(const Pen* pen, REAL x, REAL y, REAL width, REAL height)
{
    return SetStatus(DllExports::GdipDrawEllipse(nativeGraphics, NativeOf(pen), x, y, width, height));
}

Status Graphics::DrawEllipse(const Pen* pen, const Rect& rect)
{
    return DrawEllipse(pen, rect.X, rect.Y, rect.Width, rect.Height);
}

Status Graphics::DrawEllipse(const Pen* pen, INT x, INT y, INT width, INT height)
{
    return SetStatus(DllExports::GdipDrawEllipseI(nativeGraphics, NativeOf(pen), x, y, width, height));
}

Status Graphics::DrawPolygon(const Pen* pen, const PointF* points, INT count)
{
    return SetStatus(DllExports::GdipDrawPolygon(nativeGraphics, NativeOf(pen), points, count));
}

Status Graphics::DrawPolygon(const Pen* pen, const Point* points, INT count)
{
    return SetStatus(DllExports::GdipDrawPolygonI(nativeGraphics, NativeOf(pen), points, count));
}

Status Graphics::DrawPath(const Pen* pen, const GraphicsPath* path)
{
    return SetStatus(DllExports::GdipDrawPath(nativeGraphics, NativeOf(pen), NativeOf(path)));
}

Status Graphics::DrawArc(const Pen* pen, const RectF& rect, REAL startAngle, REAL sweepAngle)
{
    return DrawArc(pen, rect.X, rect.Y, rect.Width, rect.Height, startAngle, sweepAngle);
}

Status Graphics::DrawArc(const Pen* pen, REAL x, REAL y, REAL width, REAL height, REAL startAngle, REAL sweepAngle)
{
    return SetStatus(
        DllExports::GdipDrawArc(nativeGraphics, NativeOf(pen), x, y, width, height, startAngle, sweepAngle));
}

Status Graphics::DrawArc(const Pen* pen, const Rect& rect, REAL startAngle, REAL sweepAngle)
{
    return DrawArc(pen, rect.X, rect.Y, rect.Width, rect.Height, startAngle, sweepAngle);
}

Status Graphics::DrawArc(const Pen* pen, INT x, INT y, INT width, INT height, REAL startAngle, REAL sweepAngle)
{
    return SetStatus(
        DllExports::GdipDrawArcI(nativeGraphics, NativeOf(pen), x, y, width, height, startAngle, sweepAngle));
}

Status Graphics::FillRectangle(const Brush* brush, const RectF& rect)
{
    return FillRectangle(brush, rect.X, rect.Y, rect.Width, rect.Height);
}

Status Graphics::FillRectangle(const Brush* brush, REAL x, REAL y, REAL width, REAL height)
{
    return SetStatus(DllExports::GdipFillRectangle(nativeGraphics, NativeOf(brush), x, y, width, height));
}

Status Graphics::FillRectangle(const Brush* brush, const Rect& rect)
{
    return FillRectangle(brush, rect.X, rect.Y, rect.Width, rect.Height);
}

Status Graphics::FillRectangle(const Brush* brush, INT x, INT y, INT width, INT height)
{
    return SetStatus(DllExports::GdipFillRectangleI(nativeGraphics, NativeOf(brush), x, y, width, height));
}

Status Graphics::FillEllipse(const Brush* brush, const RectF& rect)
{
    return FillEllipse(brush, rect.X, rect.Y, rect.Width, rect.Height);
}

Status Graphics::FillEllipse(const Brush* brush, REAL x, REAL y, REAL width, REAL height)
{
    return SetStatus(DllExports::GdipFillEllipse(nativeGraphics, NativeOf(brush), x, y, width, height));
}

Status Graphics::FillEllipse(const Brush* brush, const Rect& rect)
{
    return FillEllipse(brush, rect.X, rect.Y, rect.Width, rect.Height);
}

Status Graphics::FillEllipse(const Brush* brush, INT x, INT y, INT width, INT height)
{
    return SetStatus(DllExports::GdipFillEllipseI(nativeGraphics, NativeOf(brush), x, y, width, height));
}

Status Graphics::FillPolygon(const Brush* brush, const PointF* points, INT count)
{
    return SetStatus(DllExports::GdipFillPolygon2(nativeGraphics, NativeOf(brush), points, count));
}

Status Graphics::FillPolygon(const Brush* brush, const Point* points, INT count)
{
    return SetStatus(DllExports::GdipFillPolygon2I(nativeGraphics, NativeOf(brush), points, count));
}

Status Graphics::FillPath(const Brush* brush, const GraphicsPath* path)
{
    return SetStatus(DllExports::GdipFillPath(nativeGraphics, NativeOf(brush), NativeOf(path)));
}

Status Graphics::FillClosedCurve(const Brush* brush, const PointF* points, INT count)
{
    return SetStatus(DllExports::GdipFillClosedCurve(nativeGraphics, NativeOf(brush), points, count));
}

Status Graphics::FillClosedCurve(const Brush* brush, const PointF* points, INT count, FillMode fillMode, REAL tension)
{
    return SetStatus(
        DllExports::GdipFillClosedCurve2(nativeGraphics, NativeOf(brush), points, count, tension, fillMode));
}

Status Graphics::FillClosedCurve(const Brush* brush, const Point* points, INT count)
{
    return SetStatus(DllExports::GdipFillClosedCurveI(nativeGraphics, NativeOf(brush), points, count));
}

Status Graphics::FillClosedCurve(const Brush* brush, const Point* points, INT count, FillMode fillMode, REAL tension)
{
    return SetStatus(
        DllExports::GdipFillClosedCurve2I(nativeGraphics, NativeOf(brush), points, count, tension, fillMode));
}

Status Graphics::FillRegion(const Brush* brush, const Region* region)
{
    return SetStatus(DllExports::GdipFillRegion(nativeGraphics, NativeOf(brush), NativeOf(region)));
}

Status Graphics::DrawImage(Image* image, INT x, INT y)
{
    return SetStatus(DllExports::GdipDrawImageI(nativeGraphics, NativeOf(image), x, y));
}

Status Graphics::DrawImage(Image* image, REAL x, REAL y)
{
    return SetStatus(DllExports::GdipDrawImage(nativeGraphics, NativeOf(image), x, y));
}

Status Graphics::DrawImage(Image* image, const Rect& rect)
{
    return DrawImage(image, rect.X, rect.Y, rect.Width, rect.Height);
}

Status Graphics::DrawImage(Image* image, INT x, INT y, INT width, INT height)
{
    return SetStatus(DllExports::GdipDrawImageRectI(nativeGraphics, NativeOf(image), x, y, width, height));
}

Status Graphics::DrawImage(Image* image, const RectF& rect)
{
    return DrawImage(image, rect.X, rect.Y, rect.Width, rect.Height);
}

Status Graphics::DrawImage(Image* image, REAL x, REAL y, REAL width, REAL height)
{
    return SetStatus(DllExports::GdipDrawImageRect(nativeGraphics, NativeOf(image), x, y, width, height));
}

Status Graphics::DrawString(const WCHAR* string, INT length, const Font* font, const PointF& origin,
                            const Brush* brush)
{
    return DrawString(string, length, font, origin, nullptr, brush);
}

Status Graphics::DrawString(const WCHAR* string, INT length, const Font* font, const PointF& origin,
                            const StringFormat* format, const Brush* brush)
{
    // A point origin is an unbounded layout rectangle.
    return DrawString(string, length, font, RectF(origin.X, origin.Y, 0.0f, 0.0f), format, brush);
}

Status Graphics::DrawString(const WCHAR* string, INT length, const Font* font, const RectF& layoutRect,
                            const StringFormat* format, const Brush* brush)
{
    return SetStatus(DllExports::GdipDrawString(nativeGraphics, string, length, NativeOf(font), ToNative(&layoutRect),
                                                NativeOf(format), NativeOf(brush)));
}

Status Graphics::MeasureString(const WCHAR* string, INT length, const Font* font, const PointF& origin,
                               RectF* boundingBox) const
{
    return MeasureString(string, length, font, origin, nullptr, boundingBox);
}

Status Graphics::MeasureString(const WCHAR* string, INT length, const Font* font, const PointF& origin,
                               const StringFormat* format, RectF* boundingBox) const
{
    return MeasureString(string, length, font, RectF(origin.X, origin.Y, 0.0f, 0.0f), format, boundingBox);
}

Status Graphics::MeasureString(const WCHAR* string, INT length, const Font* font, const RectF& layoutRect,
                               const StringFormat* format, RectF* boundingBox, INT* codepointsFitted,
                               INT* linesFilled) const
{
    return SetStatus(DllExports::GdipMeasureString(nativeGraphics, string, length, NativeOf(font),
                                                   ToNative(&layoutRect), NativeOf(format), ToNative(boundingBox),
                                                   codepointsFitted, linesFilled));
}

Status Graphics::GetTransform(Matrix* matrix) const
{
    return SetStatus(DllExports::GdipGetWorldTransform(nativeGraphics, NativeOf(matrix)));
}

Status Graphics::SetTransform(const Matrix* matrix)
{
    return SetStatus(DllExports::GdipSetWorldTransform(nativeGraphics, NativeOf(matrix)));
}

Status Graphics::ResetTransform()
{
    return SetStatus(DllExports::GdipResetWorldTransform(nativeGraphics));
}

Status Graphics::MultiplyTransform(const Matrix* matrix, MatrixOrder order)
{
    return SetStatus(DllExports::GdipMultiplyWorldTransform(nativeGraphics, NativeOf(matrix), order));
}

Status Graphics::TranslateTransform(REAL dx, REAL dy, MatrixOrder order)
{
    return SetStatus(DllExports::GdipTranslateWorldTransform(nativeGraphics, dx, dy, order));
}

Status Graphics::ScaleTransform(REAL sx, REAL sy, MatrixOrder order)
{
    return SetStatus(DllExports::GdipScaleWorldTransform(nativeGraphics, sx, sy, order));
}

Status Graphics::RotateTransform(REAL angle, MatrixOrder order)
{
    return SetStatus(DllExports::GdipRotateWorldTransform(nativeGraphics, angle, order));
}

SmoothingMode Graphics::GetSmoothingMode() const
{
    SmoothingMode mode = SmoothingModeInvalid;
    SetStatus(DllExports::GdipGetSmoothingMode(nativeGraphics, &mode));
    return mode;
}

Status Graphics::SetSmoothingMode(SmoothingMode mode)
{
    return SetStatus(DllExports::GdipSetSmoothingMode(nativeGraphics, mode));
}

InterpolationMode Graphics::GetInterpolationMode() const
{
    InterpolationMode mode = InterpolationModeInvalid;
    SetStatus(DllExports::GdipGetInterpolationMode(nativeGraphics, &mode));
    return mode;
}

Status Graphics::SetInterpolationMode(InterpolationMode mode)
{
    return SetStatus(DllExports::GdipSetInterpolationMode(nativeGraphics, mode));
}

Unit Graphics::GetPageUnit() const
{
    Unit unit = UnitWorld;
    SetStatus(DllExports::GdipGetPageUnit(nativeGraphics, &unit));
    return unit;
}

Status Graphics::SetPageUnit(Unit unit)
{
    return SetStatus(DllExports::GdipSetPageUnit(nativeGraphics, unit));
}

Status Graphics::SetClip(const Rect& rect, CombineMode mode)
{
    return SetStatus(DllExports::GdipSetClipRectI(nativeGraphics, rect.X, rect.Y, rect.Width, rect.Height, mode));
}

Status Graphics::SetClip(const RectF& rect, CombineMode mode)
{
    return SetStatus(DllExports::GdipSetClipRect(nativeGraphics, rect.X, rect.Y, rect.Width, rect.Height, mode));
}

Status Graphics::SetClip(const GraphicsPath* path, CombineMode mode)
{
    return SetStatus(DllExports::GdipSetClipPath(nativeGraphics, NativeOf(path), mode));
}

Status Graphics::SetClip(const Region* region, CombineMode mode)
{
    return SetStatus(DllExports::GdipSetClipRegion(nativeGraphics, NativeOf(region), mode));
}

Status Graphics::ResetClip()
{
    return SetStatus(DllExports::GdipResetClip(nativeGraphics));
}

Status Graphics::GetVisibleClipBounds(RectF* rect) const
{
    if (!rect)
        return SetStatus(InvalidParameter);
    return SetStatus(DllExports::GdipGetVisibleClipBounds(nativeGraphics, ToNative(rect)));
}

} // namespace Gdiplus

#pragma once
namespace Gdiplus {

class GraphicsPath;
class Matrix;

// A gradient from a centre colour to the colours of a boundary path.
class PathGradientBrush : public Brush {
public:
    PathGradientBrush(const PointF* points, INT count, WrapMode wrapMode = WrapModeClamp);
    PathGradientBrush(const Point* points, INT count, WrapMode wrapMode = WrapModeClamp);
    explicit PathGradientBrush(const GraphicsPath* path);

    PathGradientBrush* Clone() const override;

    Status GetCenterColor(Color* color) const;
    Status SetCenterColor(const Color& color);
    Status GetCenterPoint(PointF* point) const;
    Status GetCenterPoint(Point* point) const;
    Status SetCenterPoint(const PointF& point);
    Status SetCenterPoint(const Point& point);
    INT GetPointCount() const;
    INT GetSurroundColorCount() const;
    // On entry *count is the room in colors, at least GetSurroundColorCount() (one per boundary
    // point); on return the number of colours that were set.
    Status GetSurroundColors(Color* colors, INT* count) const;
    // On return *count is the number of colours taken.
    Status SetSurroundColors(const Color* colors, INT* count);
    Status GetRectangle(RectF* rect) const;
    Status GetRectangle(Rect* rect) const;

    INT GetBlendCount() const;
    Status GetBlend(REAL* factors, REAL* positions, INT count) const;
    Status SetBlend(const REAL* factors, const REAL* positions, INT count);
    // Preset colours; the count is 0 when the brush has none.
    INT GetInterpolationColorCount() const;
    Status GetInterpolationColors(Color* colors, REAL* positions, INT count) const;
    Status SetInterpolationColors(const Color* colors, const REAL* positions, INT count);

    WrapMode GetWrapMode() const;
    Status SetWrapMode(WrapMode mode);

    Status GetTransform(Matrix* matrix) const;
    Status SetTransform(const Matrix* matrix);
    Status ResetTransform();
    Status MultiplyTransform(const Matrix* matrix, MatrixOrder order = MatrixOrderPrepend);
    Status TranslateTransform(REAL dx, REAL dy, MatrixOrder order = MatrixOrderPrepend);
    Status ScaleTransform(REAL sx, REAL sy, MatrixOrder order = MatrixOrderPrepend);
    Status RotateTransform(REAL angle, MatrixOrder order = MatrixOrderPrepend);

protected:
    PathGradientBrush(GpBrush* native, Status status);
    Brush* Wrap(GpBrush* native, Status status) const override;

private:
    friend class Brush;
    GpPathGradient* Native() const { return static_cast<GpPathGradient*>(nativeBrush); }
};

} // namespace Gdiplus

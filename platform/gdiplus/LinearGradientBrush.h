#pragma once
namespace Gdiplus {

class Matrix;

// A gradient along a line, between two colours, optionally with a blend or preset colours.
class LinearGradientBrush : public Brush {
public:
    LinearGradientBrush(const RectF& rect, const Color& color1, const Color& color2, LinearGradientMode mode);
    LinearGradientBrush(const Rect& rect, const Color& color1, const Color& color2, LinearGradientMode mode);

    LinearGradientBrush* Clone() const override;

    Status GetLinearColors(Color* colors) const;
    Status SetLinearColors(const Color& color1, const Color& color2);
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
    LinearGradientBrush(GpBrush* native, Status status);
    Brush* Wrap(GpBrush* native, Status status) const override;

private:
    friend class Brush;
    GpLineGradient* Native() const { return static_cast<GpLineGradient*>(nativeBrush); }
};

} // namespace Gdiplus

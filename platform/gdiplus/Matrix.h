#pragma once
namespace Gdiplus {

// A 3x2 affine transformation (m11, m12, m21, m22, dx, dy); points are row vectors.
class Matrix : public GdiplusBase {
public:
    Matrix();
    Matrix(REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy);
    // Maps the rectangle onto the parallelogram of three points (upper left, upper right, lower left).
    Matrix(const RectF& rect, const PointF* destination);
    Matrix(const Rect& rect, const Point* destination);
    ~Matrix();

    Matrix* Clone() const;

    Status GetElements(REAL* elements) const;
    Status SetElements(REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy);
    REAL OffsetX() const;
    REAL OffsetY() const;
    Status Reset();

    Status Invert();
    Status Multiply(const Matrix* matrix, MatrixOrder order = MatrixOrderPrepend);
    Status Translate(REAL offsetX, REAL offsetY, MatrixOrder order = MatrixOrderPrepend);
    Status Scale(REAL scaleX, REAL scaleY, MatrixOrder order = MatrixOrderPrepend);
    Status Rotate(REAL angle, MatrixOrder order = MatrixOrderPrepend);
    Status RotateAt(REAL angle, const PointF& center, MatrixOrder order = MatrixOrderPrepend);
    Status Shear(REAL shearX, REAL shearY, MatrixOrder order = MatrixOrderPrepend);

    Status TransformPoints(PointF* points, INT count = 1) const;
    // Integer points are rounded to the nearest integer after mapping.
    Status TransformPoints(Point* points, INT count = 1) const;
    Status TransformVectors(PointF* points, INT count = 1) const;
    Status TransformVectors(Point* points, INT count = 1) const;

    BOOL IsInvertible() const;
    BOOL IsIdentity() const;
    BOOL Equals(const Matrix* matrix) const;

private:
    friend class Graphics;
    friend class GraphicsPath;
    friend class Pen;
    friend class LinearGradientBrush;
    friend class PathGradientBrush;
    friend class TextureBrush;
    friend class Region;

    Matrix(GpMatrix* native, Status status);

    GpMatrix* nativeMatrix;
};

} // namespace Gdiplus

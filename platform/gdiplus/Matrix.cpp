#include "platform/gdiplus/GdiPlus.h"

namespace Gdiplus {

namespace {
constexpr int ElementCount = 6;
}

Matrix::Matrix() : nativeMatrix(nullptr)
{
    SetStatus(DllExports::GdipCreateMatrix(&nativeMatrix));
}

Matrix::Matrix(REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy) : nativeMatrix(nullptr)
{
    SetStatus(DllExports::GdipCreateMatrix2(m11, m12, m21, m22, dx, dy, &nativeMatrix));
}

Matrix::Matrix(const RectF& rect, const PointF* destination) : nativeMatrix(nullptr)
{
    SetStatus(DllExports::GdipCreateMatrix3(ToNative(&rect), destination, &nativeMatrix));
}

Matrix::Matrix(const Rect& rect, const Point* destination) : nativeMatrix(nullptr)
{
    SetStatus(DllExports::GdipCreateMatrix3I(ToNative(&rect), destination, &nativeMatrix));
}

Matrix::Matrix(GpMatrix* native, Status status) : GdiplusBase(status), nativeMatrix(native) {}

Matrix::~Matrix()
{
    DllExports::GdipDeleteMatrix(nativeMatrix);
}

Matrix* Matrix::Clone() const
{
    GpMatrix* clone = nullptr;
    const Status status = SetStatus(DllExports::GdipCloneMatrix(nativeMatrix, &clone));
    return new Matrix(clone, status);
}

Status Matrix::GetElements(REAL* elements) const
{
    return SetStatus(DllExports::GdipGetMatrixElements(nativeMatrix, elements));
}

Status Matrix::SetElements(REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy)
{
    return SetStatus(DllExports::GdipSetMatrixElements(nativeMatrix, m11, m12, m21, m22, dx, dy));
}

REAL Matrix::OffsetX() const
{
    REAL elements[ElementCount] = {};
    GetElements(elements);
    return elements[4];
}

REAL Matrix::OffsetY() const
{
    REAL elements[ElementCount] = {};
    GetElements(elements);
    return elements[5];
}

Status Matrix::Reset()
{
    return SetElements(1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f);
}

Status Matrix::Invert()
{
    return SetStatus(DllExports::GdipInvertMatrix(nativeMatrix));
}

Status Matrix::Multiply(const Matrix* matrix, MatrixOrder order)
{
    if (!matrix)
        return SetStatus(InvalidParameter);
    return SetStatus(DllExports::GdipMultiplyMatrix(nativeMatrix, matrix->nativeMatrix, order));
}

Status Matrix::Translate(REAL offsetX, REAL offsetY, MatrixOrder order)
{
    return SetStatus(DllExports::GdipTranslateMatrix(nativeMatrix, offsetX, offsetY, order));
}

Status Matrix::Scale(REAL scaleX, REAL scaleY, MatrixOrder order)
{
    return SetStatus(DllExports::GdipScaleMatrix(nativeMatrix, scaleX, scaleY, order));
}

Status Matrix::Rotate(REAL angle, MatrixOrder order)
{
    return SetStatus(DllExports::GdipRotateMatrix(nativeMatrix, angle, order));
}

Status Matrix::RotateAt(REAL angle, const PointF& center, MatrixOrder order)
{
    // Rotation about a point: move the point to the origin, rotate, move back, composed on the
    // requested side.
    if (order == MatrixOrderPrepend) {
        Translate(center.X, center.Y, order);
        Rotate(angle, order);
        return Translate(-center.X, -center.Y, order);
    }
    Translate(-center.X, -center.Y, order);
    Rotate(angle, order);
    return Translate(center.X, center.Y, order);
}

Status Matrix::Shear(REAL shearX, REAL shearY, MatrixOrder order)
{
    return SetStatus(DllExports::GdipShearMatrix(nativeMatrix, shearX, shearY, order));
}

Status Matrix::TransformPoints(PointF* points, INT count) const
{
    return SetStatus(DllExports::GdipTransformMatrixPoints(nativeMatrix, points, count));
}

Status Matrix::TransformPoints(Point* points, INT count) const
{
    return SetStatus(DllExports::GdipTransformMatrixPointsI(nativeMatrix, points, count));
}

Status Matrix::TransformVectors(PointF* points, INT count) const
{
    return SetStatus(DllExports::GdipVectorTransformMatrixPoints(nativeMatrix, points, count));
}

Status Matrix::TransformVectors(Point* points, INT count) const
{
    return SetStatus(DllExports::GdipVectorTransformMatrixPointsI(nativeMatrix, points, count));
}

BOOL Matrix::IsInvertible() const
{
    BOOL result = FALSE;
    SetStatus(DllExports::GdipIsMatrixInvertible(nativeMatrix, &result));
    return result;
}

BOOL Matrix::IsIdentity() const
{
    BOOL result = FALSE;
    SetStatus(DllExports::GdipIsMatrixIdentity(nativeMatrix, &result));
    return result;
}

BOOL Matrix::Equals(const Matrix* matrix) const
{
    if (!matrix) {
        SetStatus(InvalidParameter);
        return FALSE;
    }
    BOOL result = FALSE;
    SetStatus(DllExports::GdipIsMatrixEqual(nativeMatrix, matrix->nativeMatrix, &result));
    return result;
}

} // namespace Gdiplus

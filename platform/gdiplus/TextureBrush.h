#pragma once
namespace Gdiplus {

class Image;
class Matrix;

// Fills with an image, repeated according to its wrap mode.
class TextureBrush : public Brush {
public:
    explicit TextureBrush(Image* image, WrapMode wrapMode = WrapModeTile);

    TextureBrush* Clone() const override;

    // A new image (owned by the caller) holding the brush's picture; a Bitmap for a bitmap.
    Image* GetImage() const;
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
    TextureBrush(GpBrush* native, Status status);
    Brush* Wrap(GpBrush* native, Status status) const override;

private:
    friend class Brush;
    GpTexture* Native() const { return static_cast<GpTexture*>(nativeBrush); }
};

} // namespace Gdiplus

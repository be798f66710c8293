#pragma once
// Flat-API entry points that Wine's gdiplus exports but its gdiplusflat.h does not declare.
// Included by our sources only.
namespace Gdiplus {
namespace DllExports {
extern "C" {
GpStatus WINGDIPAPI GdipGetTextureImage(GpTexture*, GpImage**);
GpStatus WINGDIPAPI GdipGetPathGradientTransform(GpPathGradient*, GpMatrix*);
GpStatus WINGDIPAPI GdipSetPathGradientTransform(GpPathGradient*, GpMatrix*);
GpStatus WINGDIPAPI GdipResetPathGradientTransform(GpPathGradient*);
GpStatus WINGDIPAPI GdipMultiplyPathGradientTransform(GpPathGradient*, GDIPCONST GpMatrix*, GpMatrixOrder);
GpStatus WINGDIPAPI GdipTranslatePathGradientTransform(GpPathGradient*, REAL, REAL, GpMatrixOrder);
GpStatus WINGDIPAPI GdipScalePathGradientTransform(GpPathGradient*, REAL, REAL, GpMatrixOrder);
GpStatus WINGDIPAPI GdipRotatePathGradientTransform(GpPathGradient*, REAL, GpMatrixOrder);
}
} // namespace DllExports
} // namespace Gdiplus

#include "platform/gdiplus/GdiPlus.h"

namespace Gdiplus {

Region::Region() : nativeRegion(nullptr)
{
    SetStatus(DllExports::GdipCreateRegion(&nativeRegion));
}

Region::Region(const RectF& rect) : nativeRegion(nullptr)
{
    SetStatus(DllExports::GdipCreateRegionRect(ToNative(&rect), &nativeRegion));
}

Region::Region(const Rect& rect) : nativeRegion(nullptr)
{
    SetStatus(DllExports::GdipCreateRegionRectI(ToNative(&rect), &nativeRegion));
}

Region::Region(const GraphicsPath* path) : nativeRegion(nullptr)
{
    SetStatus(DllExports::GdipCreateRegionPath(path ? path->nativePath : nullptr, &nativeRegion));
}

Region::Region(HRGN hrgn) : nativeRegion(nullptr)
{
    SetStatus(DllExports::GdipCreateRegionHrgn(hrgn, &nativeRegion));
}

Region::Region(GpRegion* native, Status status) : GdiplusBase(status), nativeRegion(native) {}

Region::~Region()
{
    DllExports::GdipDeleteRegion(nativeRegion);
}

Region* Region::Clone() const
{
    GpRegion* clone = nullptr;
    const Status status = SetStatus(DllExports::GdipCloneRegion(nativeRegion, &clone));
    return new Region(clone, status);
}

GpGraphics* Region::NativeOf(const Graphics* graphics)
{
    return graphics ? graphics->nativeGraphics : nullptr;
}

Status Region::MakeInfinite()
{
    return SetStatus(DllExports::GdipSetInfinite(nativeRegion));
}

Status Region::MakeEmpty()
{
    return SetStatus(DllExports::GdipSetEmpty(nativeRegion));
}

Status Region::Combine(const RectF& rect, CombineMode mode)
{
    return SetStatus(DllExports::GdipCombineRegionRect(nativeRegion, ToNative(&rect), mode));
}

Status Region::Combine(const Rect& rect, CombineMode mode)
{
    return SetStatus(DllExports::GdipCombineRegionRectI(nativeRegion, ToNative(&rect), mode));
}

Status Region::Combine(const GraphicsPath* path, CombineMode mode)
{
    return SetStatus(DllExports::GdipCombineRegionPath(nativeRegion, path ? path->nativePath : nullptr, mode));
}

Status Region::Combine(const Region* region, CombineMode mode)
{
    return SetStatus(
        DllExports::GdipCombineRegionRegion(nativeRegion, region ? region->nativeRegion : nullptr, mode));
}

Status Region::Intersect(const RectF& rect) { return Combine(rect, CombineModeIntersect); }
Status Region::Intersect(const Rect& rect) { return Combine(rect, CombineModeIntersect); }
Status Region::Intersect(const GraphicsPath* path) { return Combine(path, CombineModeIntersect); }
Status Region::Intersect(const Region* region) { return Combine(region, CombineModeIntersect); }
Status Region::Union(const RectF& rect) { return Combine(rect, CombineModeUnion); }
Status Region::Union(const Rect& rect) { return Combine(rect, CombineModeUnion); }
Status Region::Union(const GraphicsPath* path) { return Combine(path, CombineModeUnion); }
Status Region::Union(const Region* region) { return Combine(region, CombineModeUnion); }
Status Region::Xor(const RectF& rect) { return Combine(rect, CombineModeXor); }
Status Region::Xor(const Rect& rect) { return Combine(rect, CombineModeXor); }
Status Region::Xor(const GraphicsPath* path) { return Combine(path, CombineModeXor); }
Status Region::Xor(const Region* region) { return Combine(region, CombineModeXor); }
Status Region::Exclude(const RectF& rect) { return Combine(rect, CombineModeExclude); }
Status Region::Exclude(const Rect& rect) { return Combine(rect, CombineModeExclude); }
Status Region::Exclude(const GraphicsPath* path) { return Combine(path, CombineModeExclude); }
Status Region::Exclude(const Region* region) { return Combine(region, CombineModeExclude); }
Status Region::Complement(const RectF& rect) { return Combine(rect, CombineModeComplement); }
Status Region::Complement(const Rect& rect) { return Combine(rect, CombineModeComplement); }
Status Region::Complement(const GraphicsPath* path) { return Combine(path, CombineModeComplement); }
Status Region::Complement(const Region* region) { return Combine(region, CombineModeComplement); }

Status Region::Translate(REAL dx, REAL dy)
{
    return SetStatus(DllExports::GdipTranslateRegion(nativeRegion, dx, dy));
}

Status Region::Translate(INT dx, INT dy)
{
    return SetStatus(DllExports::GdipTranslateRegionI(nativeRegion, dx, dy));
}

Status Region::Transform(const Matrix* matrix)
{
    return SetStatus(DllExports::GdipTransformRegion(nativeRegion, matrix ? matrix->nativeMatrix : nullptr));
}

Status Region::GetBounds(RectF* rect, const Graphics* graphics) const
{
    return SetStatus(DllExports::GdipGetRegionBounds(nativeRegion, NativeOf(graphics), ToNative(rect)));
}

Status Region::GetBounds(Rect* rect, const Graphics* graphics) const
{
    return SetStatus(DllExports::GdipGetRegionBoundsI(nativeRegion, NativeOf(graphics), ToNative(rect)));
}

HRGN Region::GetHRGN(const Graphics* graphics) const
{
    HRGN hrgn = nullptr;
    SetStatus(DllExports::GdipGetRegionHRgn(nativeRegion, NativeOf(graphics), &hrgn));
    return hrgn;
}

BOOL Region::IsEmpty(const Graphics* graphics) const
{
    BOOL result = FALSE;
    SetStatus(DllExports::GdipIsEmptyRegion(nativeRegion, NativeOf(graphics), &result));
    return result;
}

BOOL Region::IsInfinite(const Graphics* graphics) const
{
    BOOL result = FALSE;
    SetStatus(DllExports::GdipIsInfiniteRegion(nativeRegion, NativeOf(graphics), &result));
    return result;
}

BOOL Region::Equals(const Region* region, const Graphics* graphics) const
{
    BOOL result = FALSE;
    SetStatus(DllExports::GdipIsEqualRegion(nativeRegion, region ? region->nativeRegion : nullptr,
                                            NativeOf(graphics), &result));
    return result;
}

BOOL Region::IsVisible(REAL x, REAL y, const Graphics* graphics) const
{
    BOOL result = FALSE;
    SetStatus(DllExports::GdipIsVisibleRegionPoint(nativeRegion, x, y, NativeOf(graphics), &result));
    return result;
}

BOOL Region::IsVisible(const PointF& point, const Graphics* graphics) const
{
    return IsVisible(point.X, point.Y, graphics);
}

BOOL Region::IsVisible(INT x, INT y, const Graphics* graphics) const
{
    BOOL result = FALSE;
    SetStatus(DllExports::GdipIsVisibleRegionPointI(nativeRegion, x, y, NativeOf(graphics), &result));
    return result;
}

BOOL Region::IsVisible(const Point& point, const Graphics* graphics) const
{
    return IsVisible(point.X, point.Y, graphics);
}

BOOL Region::IsVisible(const RectF& rect, const Graphics* graphics) const
{
    BOOL result = FALSE;
    SetStatus(DllExports::GdipIsVisibleRegionRect(nativeRegion, rect.X, rect.Y, rect.Width, rect.Height,
                                                  NativeOf(graphics), &result));
    return result;
}

BOOL Region::IsVisible(const Rect& rect, const Graphics* graphics) const
{
    BOOL result = FALSE;
    SetStatus(DllExports::GdipIsVisibleRegionRectI(nativeRegion, rect.X, rect.Y, rect.Width, rect.Height,
                                                   NativeOf(graphics), &result));
    return result;
}

} // namespace Gdiplus

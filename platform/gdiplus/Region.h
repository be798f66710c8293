#pragma once
namespace Gdiplus {

class Graphics;
class GraphicsPath;
class Matrix;

// An area built from rectangles and paths with set operations.
class Region : public GdiplusBase {
public:
    // An infinite region.
    Region();
    explicit Region(const RectF& rect);
    explicit Region(const Rect& rect);
    explicit Region(const GraphicsPath* path);
    explicit Region(HRGN hrgn);
    ~Region();

    Region* Clone() const;

    Status MakeInfinite();
    Status MakeEmpty();
    Status Intersect(const RectF& rect);
    Status Intersect(const Rect& rect);
    Status Intersect(const GraphicsPath* path);
    Status Intersect(const Region* region);
    Status Union(const RectF& rect);
    Status Union(const Rect& rect);
    Status Union(const GraphicsPath* path);
    Status Union(const Region* region);
    Status Xor(const RectF& rect);
    Status Xor(const Rect& rect);
    Status Xor(const GraphicsPath* path);
    Status Xor(const Region* region);
    Status Exclude(const RectF& rect);
    Status Exclude(const Rect& rect);
    Status Exclude(const GraphicsPath* path);
    Status Exclude(const Region* region);
    Status Complement(const RectF& rect);
    Status Complement(const Rect& rect);
    Status Complement(const GraphicsPath* path);
    Status Complement(const Region* region);
    Status Translate(REAL dx, REAL dy);
    Status Translate(INT dx, INT dy);
    Status Transform(const Matrix* matrix);

    Status GetBounds(RectF* rect, const Graphics* graphics) const;
    Status GetBounds(Rect* rect, const Graphics* graphics) const;
    // A new GDI region owned by the caller; null on failure.
    HRGN GetHRGN(const Graphics* graphics) const;
    BOOL IsEmpty(const Graphics* graphics) const;
    BOOL IsInfinite(const Graphics* graphics) const;
    BOOL Equals(const Region* region, const Graphics* graphics) const;
    BOOL IsVisible(REAL x, REAL y, const Graphics* graphics = nullptr) const;
    BOOL IsVisible(const PointF& point, const Graphics* graphics = nullptr) const;
    BOOL IsVisible(INT x, INT y, const Graphics* graphics = nullptr) const;
    BOOL IsVisible(const Point& point, const Graphics* graphics = nullptr) const;
    BOOL IsVisible(const RectF& rect, const Graphics* graphics = nullptr) const;
    BOOL IsVisible(const Rect& rect, const Graphics* graphics = nullptr) const;

private:
    friend class Graphics;

    Region(GpRegion* native, Status status);
    Status Combine(const RectF& rect, CombineMode mode);
    Status Combine(const Rect& rect, CombineMode mode);
    Status Combine(const GraphicsPath* path, CombineMode mode);
    Status Combine(const Region* region, CombineMode mode);
    static GpGraphics* NativeOf(const Graphics* graphics);

    GpRegion* nativeRegion;
};

} // namespace Gdiplus

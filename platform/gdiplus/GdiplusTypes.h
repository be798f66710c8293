#pragma once
#include <algorithm>

namespace Gdiplus {

// Width and height in floating point.
class SizeF {
public:
    SizeF() : Width(0.0f), Height(0.0f) {}
    SizeF(REAL width, REAL height) : Width(width), Height(height) {}

    SizeF operator+(const SizeF& other) const { return SizeF(Width + other.Width, Height + other.Height); }
    SizeF operator-(const SizeF& other) const { return SizeF(Width - other.Width, Height - other.Height); }
    BOOL Equals(const SizeF& other) const { return Width == other.Width && Height == other.Height; }
    BOOL Empty() const { return Width == 0.0f && Height == 0.0f; }

    REAL Width;
    REAL Height;
};

// Width and height in integers.
class Size {
public:
    Size() : Width(0), Height(0) {}
    Size(INT width, INT height) : Width(width), Height(height) {}

    Size operator+(const Size& other) const { return Size(Width + other.Width, Height + other.Height); }
    Size operator-(const Size& other) const { return Size(Width - other.Width, Height - other.Height); }
    BOOL Equals(const Size& other) const { return Width == other.Width && Height == other.Height; }
    BOOL Empty() const { return Width == 0 && Height == 0; }

    INT Width;
    INT Height;
};

// A rectangle as origin and extent. Rect (INT) and RectF (REAL) share their members; the
// layout (X, Y, Width, Height) is the flat API's.
template <typename T, typename PointT, typename SizeT, typename Derived>
class RectBase {
public:
    RectBase() : X(0), Y(0), Width(0), Height(0) {}
    RectBase(T x, T y, T width, T height) : X(x), Y(y), Width(width), Height(height) {}
    RectBase(const PointT& location, const SizeT& size)
        : X(location.X), Y(location.Y), Width(size.Width), Height(size.Height) {}

    Derived* Clone() const { return new Derived(X, Y, Width, Height); }
    void GetLocation(PointT* point) const { point->X = X; point->Y = Y; }
    void GetSize(SizeT* size) const { size->Width = Width; size->Height = Height; }
    void GetBounds(Derived* rect) const { *rect = Derived(X, Y, Width, Height); }
    T GetLeft() const { return X; }
    T GetTop() const { return Y; }
    T GetRight() const { return X + Width; }
    T GetBottom() const { return Y + Height; }
    BOOL IsEmptyArea() const { return Width <= 0 || Height <= 0; }
    BOOL Equals(const Derived& rect) const
    {
        return X == rect.X && Y == rect.Y && Width == rect.Width && Height == rect.Height;
    }
    // Left and top edges are inside, right and bottom edges outside.
    BOOL Contains(T x, T y) const { return x >= X && x < X + Width && y >= Y && y < Y + Height; }
    BOOL Contains(const PointT& point) const { return Contains(point.X, point.Y); }
    BOOL Contains(const Derived& rect) const
    {
        return X <= rect.X && rect.GetRight() <= GetRight() && Y <= rect.Y && rect.GetBottom() <= GetBottom();
    }
    void Inflate(T dx, T dy)
    {
        X -= dx;
        Y -= dy;
        Width += 2 * dx;
        Height += 2 * dy;
    }
    void Inflate(const PointT& point) { Inflate(point.X, point.Y); }
    BOOL Intersect(const Derived& rect) { return Intersect(*static_cast<Derived*>(this), *static_cast<Derived*>(this), rect); }
    BOOL IntersectsWith(const Derived& rect) const
    {
        return GetLeft() < rect.GetRight() && GetTop() < rect.GetBottom() && GetRight() > rect.GetLeft()
            && GetBottom() > rect.GetTop();
    }
    void Offset(T dx, T dy)
    {
        X += dx;
        Y += dy;
    }
    void Offset(const PointT& point) { Offset(point.X, point.Y); }

    // The result is empty (and FALSE returned) when a and b do not overlap.
    static BOOL Intersect(Derived& result, const Derived& a, const Derived& b)
    {
        const T right = std::min(a.GetRight(), b.GetRight());
        const T bottom = std::min(a.GetBottom(), b.GetBottom());
        const T left = std::max(a.GetLeft(), b.GetLeft());
        const T top = std::max(a.GetTop(), b.GetTop());
        result = Derived(left, top, right - left, bottom - top);
        return !result.IsEmptyArea();
    }
    // The result covers both; FALSE when it has no area.
    static BOOL Union(Derived& result, const Derived& a, const Derived& b)
    {
        const T right = std::max(a.GetRight(), b.GetRight());
        const T bottom = std::max(a.GetBottom(), b.GetBottom());
        const T left = std::min(a.GetLeft(), b.GetLeft());
        const T top = std::min(a.GetTop(), b.GetTop());
        result = Derived(left, top, right - left, bottom - top);
        return !result.IsEmptyArea();
    }

    T X;
    T Y;
    T Width;
    T Height;
};

class RectF : public RectBase<REAL, PointF, SizeF, RectF> {
public:
    using RectBase::RectBase;
};

class Rect : public RectBase<INT, Point, Size, Rect> {
public:
    using RectBase::RectBase;
};

static_assert(sizeof(Rect) == sizeof(WineIncompleteRect), "Rect keeps the flat API's layout");
static_assert(sizeof(RectF) == sizeof(WineIncompleteRectF), "RectF keeps the flat API's layout");

} // namespace Gdiplus

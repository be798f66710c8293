#pragma once
namespace Gdiplus {

// Shared by the wrapper classes: the last failed status of a call, and no copying (wrappers own
// a native object; copies are made with Clone).
class GdiplusBase {
public:
    GdiplusBase(const GdiplusBase&) = delete;
    GdiplusBase& operator=(const GdiplusBase&) = delete;

    // Returns the status of the last failed call since the previous query, and clears it.
    Status GetLastStatus() const
    {
        const Status status = lastResult;
        lastResult = Ok;
        return status;
    }

protected:
    explicit GdiplusBase(Status status = Ok) : lastResult(status) {}
    ~GdiplusBase() = default;

    // Records a failure; success leaves an earlier failure in place.
    Status SetStatus(Status status) const
    {
        if (status != Ok)
            lastResult = status;
        return status;
    }

    // Runs a flat-API colour query and stores its answer in *color when it succeeds.
    template <typename Query>
    Status QueryColor(Color* color, Query query) const
    {
        if (!color)
            return SetStatus(InvalidParameter);
        ARGB argb = 0;
        const Status status = SetStatus(query(&argb));
        if (status == Ok)
            color->SetValue(argb);
        return status;
    }

    mutable Status lastResult;
};

// Our Rect and RectF keep the layout of the types the flat API declares.
inline const GpRect* ToNative(const Rect* rect) { return reinterpret_cast<const GpRect*>(rect); }
inline GpRect* ToNative(Rect* rect) { return reinterpret_cast<GpRect*>(rect); }
inline const GpRectF* ToNative(const RectF* rect) { return reinterpret_cast<const GpRectF*>(rect); }
inline GpRectF* ToNative(RectF* rect) { return reinterpret_cast<GpRectF*>(rect); }
inline const ARGB* ToNative(const Color* colors) { return reinterpret_cast<const ARGB*>(colors); }
inline ARGB* ToNative(Color* colors) { return reinterpret_cast<ARGB*>(colors); }

} // namespace Gdiplus

#pragma once
namespace Gdiplus {

// Base of the brushes; the dynamic class always matches the native brush type.
class Brush : public GdiplusBase {
public:
    virtual ~Brush();

    // A new brush of the same class, owned by the caller.
    virtual Brush* Clone() const;
    // The native brush type; (BrushType)-1 when it cannot be queried.
    BrushType GetType() const;

protected:
    Brush(GpBrush* native, Status status);

    // A wrapper of this brush's class around a native brush.
    virtual Brush* Wrap(GpBrush* native, Status status) const;
    // A wrapper of the class matching the native brush's type (a plain Brush when unknown).
    static Brush* WrapByType(GpBrush* native, Status status);

    GpBrush* nativeBrush;

private:
    friend class Graphics;
    friend class Pen;
};

class SolidBrush : public Brush {
public:
    explicit SolidBrush(const Color& color);

    SolidBrush* Clone() const override;
    Status GetColor(Color* color) const;
    Status SetColor(const Color& color);

protected:
    SolidBrush(GpBrush* native, Status status);
    Brush* Wrap(GpBrush* native, Status status) const override;

private:
    friend class Brush;
};

class HatchBrush : public Brush {
public:
    HatchBrush(HatchStyle style, const Color& foreColor, const Color& backColor = Color());

    HatchBrush* Clone() const override;
    HatchStyle GetHatchStyle() const;
    Status GetForegroundColor(Color* color) const;
    Status GetBackgroundColor(Color* color) const;

protected:
    HatchBrush(GpBrush* native, Status status);
    Brush* Wrap(GpBrush* native, Status status) const override;

private:
    friend class Brush;
    GpHatch* Native() const { return static_cast<GpHatch*>(nativeBrush); }
};

} // namespace Gdiplus

#pragma once
namespace Gdiplus {

class Brush;

// Strokes lines and outlines; its fill is a colour or a brush.
class Pen : public GdiplusBase {
public:
    explicit Pen(const Color& color, REAL width = 1.0f);
    explicit Pen(const Brush* brush, REAL width = 1.0f);
    ~Pen();

    Pen* Clone() const;

    Status GetColor(Color* color) const;
    Status SetColor(const Color& color);
    REAL GetWidth() const;
    Status SetWidth(REAL width);
    // A new brush of the matching class (owned by the caller) holding the pen's fill.
    Brush* GetBrush() const;
    Status SetBrush(const Brush* brush);
    PenType GetPenType() const;

    LineJoin GetLineJoin() const;
    Status SetLineJoin(LineJoin lineJoin);
    LineCap GetStartCap() const;
    LineCap GetEndCap() const;
    Status SetStartCap(LineCap cap);
    Status SetEndCap(LineCap cap);
    Status SetLineCap(LineCap startCap, LineCap endCap, DashCap dashCap);

    DashStyle GetDashStyle() const;
    Status SetDashStyle(DashStyle style);
    INT GetDashPatternCount() const;
    Status GetDashPattern(REAL* pattern, INT count) const;
    // Dash and gap lengths in multiples of the pen width; the style becomes custom.
    Status SetDashPattern(const REAL* pattern, INT count);

private:
    friend class Graphics;
    friend class GraphicsPath;

    Pen(GpPen* native, Status status);

    GpPen* nativePen;
};

} // namespace Gdiplus

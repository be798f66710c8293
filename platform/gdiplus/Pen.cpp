#include "platform/gdiplus/GdiPlus.h"

namespace Gdiplus {

Pen::Pen(const Color& color, REAL width) : nativePen(nullptr)
{
    SetStatus(DllExports::GdipCreatePen1(color.GetValue(), width, UnitWorld, &nativePen));
}

Pen::Pen(const Brush* brush, REAL width) : nativePen(nullptr)
{
    if (!brush) {
        SetStatus(InvalidParameter);
        return;
    }
    SetStatus(DllExports::GdipCreatePen2(brush->nativeBrush, width, UnitWorld, &nativePen));
}

Pen::Pen(GpPen* native, Status status) : GdiplusBase(status), nativePen(native) {}

Pen::~Pen()
{
    DllExports::GdipDeletePen(nativePen);
}

Pen* Pen::Clone() const
{
    GpPen* clone = nullptr;
    const Status status = SetStatus(DllExports::GdipClonePen(nativePen, &clone));
    return new Pen(clone, status);
}

Status Pen::GetColor(Color* color) const
{
    return QueryColor(color, [this](ARGB* argb) { return DllExports::GdipGetPenColor(nativePen, argb); });
}

Status Pen::SetColor(const Color& color)
{
    return SetStatus(DllExports::GdipSetPenColor(nativePen, color.GetValue()));
}

REAL Pen::GetWidth() const
{
    REAL width = 1.0f;
    SetStatus(DllExports::GdipGetPenWidth(nativePen, &width));
    return width;
}

Status Pen::SetWidth(REAL width)
{
    return SetStatus(DllExports::GdipSetPenWidth(nativePen, width));
}

Brush* Pen::GetBrush() const
{
    GpBrush* brush = nullptr;
    const Status status = SetStatus(DllExports::GdipGetPenBrushFill(nativePen, &brush));
    return Brush::WrapByType(brush, status);
}

Status Pen::SetBrush(const Brush* brush)
{
    if (!brush)
        return SetStatus(InvalidParameter);
    return SetStatus(DllExports::GdipSetPenBrushFill(nativePen, brush->nativeBrush));
}

PenType Pen::GetPenType() const
{
    PenType type = PenTypeUnknown;
    SetStatus(DllExports::GdipGetPenFillType(nativePen, &type));
    return type;
}

LineJoin Pen::GetLineJoin() const
{
    LineJoin lineJoin = LineJoinMiter;
    SetStatus(DllExports::GdipGetPenLineJoin(nativePen, &lineJoin));
    return lineJoin;
}

Status Pen::SetLineJoin(LineJoin lineJoin)
{
    return SetStatus(DllExports::GdipSetPenLineJoin(nativePen, lineJoin));
}

LineCap Pen::GetStartCap() const
{
    LineCap cap = LineCapFlat;
    SetStatus(DllExports::GdipGetPenStartCap(nativePen, &cap));
    return cap;
}

LineCap Pen::GetEndCap() const
{
    LineCap cap = LineCapFlat;
    SetStatus(DllExports::GdipGetPenEndCap(nativePen, &cap));
    return cap;
}

Status Pen::SetStartCap(LineCap cap)
{
    return SetStatus(DllExports::GdipSetPenStartCap(nativePen, cap));
}

Status Pen::SetEndCap(LineCap cap)
{
    return SetStatus(DllExports::GdipSetPenEndCap(nativePen, cap));
}

Status Pen::SetLineCap(LineCap startCap, LineCap endCap, DashCap dashCap)
{
    return SetStatus(DllExports::GdipSetPenLineCap197819(nativePen, startCap, endCap, dashCap));
}

DashStyle Pen::GetDashStyle() const
{
    DashStyle style = DashStyleSolid;
    SetStatus(DllExports::GdipGetPenDashStyle(nativePen, &style));
    return style;
}

Status Pen::SetDashStyle(DashStyle style)
{
    return SetStatus(DllExports::GdipSetPenDashStyle(nativePen, style));
}

INT Pen::GetDashPatternCount() const
{
    INT count = 0;
    SetStatus(DllExports::GdipGetPenDashCount(nativePen, &count));
    return count;
}

Status Pen::GetDashPattern(REAL* pattern, INT count) const
{
    return SetStatus(DllExports::GdipGetPenDashArray(nativePen, pattern, count));
}

Status Pen::SetDashPattern(const REAL* pattern, INT count)
{
    return SetStatus(DllExports::GdipSetPenDashArray(nativePen, pattern, count));
}

} // namespace Gdiplus

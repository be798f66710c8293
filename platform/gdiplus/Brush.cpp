#include "platform/gdiplus/GdiPlus.h"

namespace Gdiplus {

Brush::Brush(GpBrush* native, Status status) : GdiplusBase(status), nativeBrush(native) {}

Brush::~Brush()
{
    DllExports::GdipDeleteBrush(nativeBrush);
}

Brush* Brush::Clone() const
{
    GpBrush* clone = nullptr;
    const Status status = SetStatus(DllExports::GdipCloneBrush(nativeBrush, &clone));
    return Wrap(clone, status);
}

BrushType Brush::GetType() const
{
    BrushType type = static_cast<BrushType>(-1);
    SetStatus(DllExports::GdipGetBrushType(nativeBrush, &type));
    return type;
}

Brush* Brush::Wrap(GpBrush* native, Status status) const
{
    return new Brush(native, status);
}

Brush* Brush::WrapByType(GpBrush* native, Status status)
{
    BrushType type = static_cast<BrushType>(-1);
    if (native)
        DllExports::GdipGetBrushType(native, &type);
    switch (type) {
    case BrushTypeSolidColor:
        return new SolidBrush(native, status);
    case BrushTypeHatchFill:
        return new HatchBrush(native, status);
    case BrushTypeTextureFill:
        return new TextureBrush(native, status);
    case BrushTypePathGradient:
        return new PathGradientBrush(native, status);
    case BrushTypeLinearGradient:
        return new LinearGradientBrush(native, status);
    }
    return new Brush(native, status);
}

SolidBrush::SolidBrush(const Color& color) : Brush(nullptr, Ok)
{
    GpSolidFill* native = nullptr;
    SetStatus(DllExports::GdipCreateSolidFill(color.GetValue(), &native));
    nativeBrush = native;
}

SolidBrush::SolidBrush(GpBrush* native, Status status) : Brush(native, status) {}

SolidBrush* SolidBrush::Clone() const
{
    return static_cast<SolidBrush*>(Brush::Clone());
}

Brush* SolidBrush::Wrap(GpBrush* native, Status status) const
{
    return new SolidBrush(native, status);
}

Status SolidBrush::GetColor(Color* color) const
{
    return QueryColor(color, [this](ARGB* argb) {
        return DllExports::GdipGetSolidFillColor(static_cast<GpSolidFill*>(nativeBrush), argb);
    });
}

Status SolidBrush::SetColor(const Color& color)
{
    return SetStatus(DllExports::GdipSetSolidFillColor(static_cast<GpSolidFill*>(nativeBrush), color.GetValue()));
}

HatchBrush::HatchBrush(HatchStyle style, const Color& foreColor, const Color& backColor) : Brush(nullptr, Ok)
{
    GpHatch* native = nullptr;
    SetStatus(DllExports::GdipCreateHatchBrush(style, foreColor.GetValue(), backColor.GetValue(), &native));
    nativeBrush = native;
}

HatchBrush::HatchBrush(GpBrush* native, Status status) : Brush(native, status) {}

HatchBrush* HatchBrush::Clone() const
{
    return static_cast<HatchBrush*>(Brush::Clone());
}

Brush* HatchBrush::Wrap(GpBrush* native, Status status) const
{
    return new HatchBrush(native, status);
}

HatchStyle HatchBrush::GetHatchStyle() const
{
    HatchStyle style = HatchStyleHorizontal;
    SetStatus(DllExports::GdipGetHatchStyle(Native(), &style));
    return style;
}

Status HatchBrush::GetForegroundColor(Color* color) const
{
    return QueryColor(color, [this](ARGB* argb) { return DllExports::GdipGetHatchForegroundColor(Native(), argb); });
}

Status HatchBrush::GetBackgroundColor(Color* color) const
{
    return QueryColor(color, [this](ARGB* argb) { return DllExports::GdipGetHatchBackgroundColor(Native(), argb); });
}

} // namespace Gdiplus

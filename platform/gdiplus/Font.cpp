#include "platform/gdiplus/GdiPlus.h"

namespace Gdiplus {

namespace {
// A creation that fails may still have written its out-parameter: for a face it cannot draw,
// GdipCreateFontFromLogfont answers NotTrueTypeFont and leaves the font it has already freed
// there. Only a font that was created is kept.
GpFont* Created(Status status, GpFont* font)
{
    return status == Ok ? font : nullptr;
}
}

Font::Font(HDC hdc, const LOGFONTA* logfont) : nativeFont(nullptr)
{
    GpFont* created = nullptr;
    const Status status = SetStatus(DllExports::GdipCreateFontFromLogfontA(hdc, logfont, &created));
    nativeFont = Created(status, created);
}

Font::Font(const FontFamily* family, REAL emSize, INT style, Unit unit) : nativeFont(nullptr)
{
    GpFont* created = nullptr;
    const GpFontFamily* native = family ? family->nativeFamily : nullptr;
    const Status status = SetStatus(DllExports::GdipCreateFont(native, emSize, style, unit, &created));
    nativeFont = Created(status, created);
}

Font::Font(const WCHAR* familyName, REAL emSize, INT style, Unit unit) : nativeFont(nullptr)
{
    const FontFamily family(familyName);
    GpFont* created = nullptr;
    const Status status = SetStatus(DllExports::GdipCreateFont(family.nativeFamily, emSize, style, unit, &created));
    nativeFont = Created(status, created);
}

Font::Font(GpFont* native, Status status) : GdiplusBase(status), nativeFont(native) {}

Font::~Font()
{
    DllExports::GdipDeleteFont(nativeFont);
}

Font* Font::Clone() const
{
    GpFont* clone = nullptr;
    const Status status = SetStatus(DllExports::GdipCloneFont(nativeFont, &clone));
    return new Font(Created(status, clone), status);
}

BOOL Font::IsAvailable() const
{
    return nativeFont != nullptr;
}

Status Font::GetLogFontA(const Graphics* graphics, LOGFONTA* logfont) const
{
    return SetStatus(
        DllExports::GdipGetLogFontA(nativeFont, graphics ? graphics->nativeGraphics : nullptr, logfont));
}

REAL Font::GetHeight(const Graphics* graphics) const
{
    REAL height = 0.0f;
    SetStatus(DllExports::GdipGetFontHeight(nativeFont, graphics ? graphics->nativeGraphics : nullptr, &height));
    return height;
}

REAL Font::GetHeight(REAL dpi) const
{
    REAL height = 0.0f;
    SetStatus(DllExports::GdipGetFontHeightGivenDPI(nativeFont, dpi, &height));
    return height;
}

REAL Font::GetSize() const
{
    REAL size = 0.0f;
    SetStatus(DllExports::GdipGetFontSize(nativeFont, &size));
    return size;
}

INT Font::GetStyle() const
{
    INT style = FontStyleRegular;
    SetStatus(DllExports::GdipGetFontStyle(nativeFont, &style));
    return style;
}

Unit Font::GetUnit() const
{
    Unit unit = UnitPoint;
    SetStatus(DllExports::GdipGetFontUnit(nativeFont, &unit));
    return unit;
}

Status Font::GetFamily(FontFamily* family) const
{
    if (!family)
        return SetStatus(InvalidParameter);
    GpFontFamily* native = nullptr;
    const Status status = SetStatus(DllExports::GdipGetFamily(nativeFont, &native));
    if (status == Ok) {
        DllExports::GdipDeleteFontFamily(family->nativeFamily);
        family->nativeFamily = native;
    }
    return status;
}

} // namespace Gdiplus

#include "platform/gdiplus/GdiPlus.h"

namespace Gdiplus {

FontFamily::FontFamily() : nativeFamily(nullptr) {}

FontFamily::FontFamily(const WCHAR* name) : nativeFamily(nullptr)
{
    SetStatus(DllExports::GdipCreateFontFamilyFromName(name, nullptr, &nativeFamily));
}

FontFamily::FontFamily(GpFontFamily* native, Status status) : GdiplusBase(status), nativeFamily(native) {}

FontFamily::~FontFamily()
{
    DllExports::GdipDeleteFontFamily(nativeFamily);
}

FontFamily* FontFamily::Clone() const
{
    GpFontFamily* clone = nullptr;
    const Status status = SetStatus(DllExports::GdipCloneFontFamily(nativeFamily, &clone));
    return new FontFamily(clone, status);
}

BOOL FontFamily::IsAvailable() const
{
    return nativeFamily != nullptr;
}

BOOL FontFamily::IsStyleAvailable(INT style) const
{
    BOOL result = FALSE;
    SetStatus(DllExports::GdipIsStyleAvailable(nativeFamily, style, &result));
    return result;
}

Status FontFamily::GetFamilyName(WCHAR* name, LANGID language) const
{
    return SetStatus(DllExports::GdipGetFamilyName(nativeFamily, name, language));
}

UINT16 FontFamily::GetEmHeight(INT style) const
{
    UINT16 value = 0;
    SetStatus(DllExports::GdipGetEmHeight(nativeFamily, style, &value));
    return value;
}

UINT16 FontFamily::GetCellAscent(INT style) const
{
    UINT16 value = 0;
    SetStatus(DllExports::GdipGetCellAscent(nativeFamily, style, &value));
    return value;
}

UINT16 FontFamily::GetCellDescent(INT style) const
{
    UINT16 value = 0;
    SetStatus(DllExports::GdipGetCellDescent(nativeFamily, style, &value));
    return value;
}

UINT16 FontFamily::GetLineSpacing(INT style) const
{
    UINT16 value = 0;
    SetStatus(DllExports::GdipGetLineSpacing(nativeFamily, style, &value));
    return value;
}

} // namespace Gdiplus

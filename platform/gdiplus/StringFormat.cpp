#include "platform/gdiplus/GdiPlus.h"

namespace Gdiplus {

StringFormat::StringFormat(INT formatFlags, LANGID language) : nativeFormat(nullptr)
{
    SetStatus(DllExports::GdipCreateStringFormat(formatFlags, language, &nativeFormat));
}

StringFormat::StringFormat(GpStringFormat* native, Status status) : GdiplusBase(status), nativeFormat(native) {}

StringFormat::~StringFormat()
{
    DllExports::GdipDeleteStringFormat(nativeFormat);
}

StringFormat* StringFormat::Clone() const
{
    GpStringFormat* clone = nullptr;
    const Status status = SetStatus(DllExports::GdipCloneStringFormat(nativeFormat, &clone));
    return new StringFormat(clone, status);
}

StringAlignment StringFormat::GetAlignment() const
{
    StringAlignment align = StringAlignmentNear;
    SetStatus(DllExports::GdipGetStringFormatAlign(nativeFormat, &align));
    return align;
}

Status StringFormat::SetAlignment(StringAlignment align)
{
    return SetStatus(DllExports::GdipSetStringFormatAlign(nativeFormat, align));
}

StringAlignment StringFormat::GetLineAlignment() const
{
    StringAlignment align = StringAlignmentNear;
    SetStatus(DllExports::GdipGetStringFormatLineAlign(nativeFormat, &align));
    return align;
}

Status StringFormat::SetLineAlignment(StringAlignment align)
{
    return SetStatus(DllExports::GdipSetStringFormatLineAlign(nativeFormat, align));
}

INT StringFormat::GetFormatFlags() const
{
    INT flags = 0;
    SetStatus(DllExports::GdipGetStringFormatFlags(nativeFormat, &flags));
    return flags;
}

Status StringFormat::SetFormatFlags(INT flags)
{
    return SetStatus(DllExports::GdipSetStringFormatFlags(nativeFormat, flags));
}

} // namespace Gdiplus

#pragma once
namespace Gdiplus {

// Layout of text: alignment and flags.
class StringFormat : public GdiplusBase {
public:
    explicit StringFormat(INT formatFlags = 0, LANGID language = LANG_NEUTRAL);
    ~StringFormat();

    StringFormat* Clone() const;

    StringAlignment GetAlignment() const;
    Status SetAlignment(StringAlignment align);
    StringAlignment GetLineAlignment() const;
    Status SetLineAlignment(StringAlignment align);
    INT GetFormatFlags() const;
    Status SetFormatFlags(INT flags);

private:
    friend class Graphics;
    friend class GraphicsPath;

    StringFormat(GpStringFormat* native, Status status);

    GpStringFormat* nativeFormat;
};

} // namespace Gdiplus

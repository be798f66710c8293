#pragma once
namespace Gdiplus {

class FontFamily;
class Graphics;

// A typeface at a size and style.
class Font : public GdiplusBase {
public:
    Font(HDC hdc, const LOGFONTA* logfont);
    Font(const FontFamily* family, REAL emSize, INT style = FontStyleRegular, Unit unit = UnitPoint);
    Font(const WCHAR* familyName, REAL emSize, INT style = FontStyleRegular, Unit unit = UnitPoint);
    ~Font();

    Font* Clone() const;

    BOOL IsAvailable() const;
    // The logical font for the graphics' device.
    Status GetLogFontA(const Graphics* graphics, LOGFONTA* logfont) const;
    // The line spacing in the graphics' units.
    REAL GetHeight(const Graphics* graphics) const;
    // The line spacing in pixels at the resolution.
    REAL GetHeight(REAL dpi) const;
    REAL GetSize() const;
    INT GetStyle() const;
    Unit GetUnit() const;
    Status GetFamily(FontFamily* family) const;

private:
    friend class Graphics;

    Font(GpFont* native, Status status);

    GpFont* nativeFont;
};

} // namespace Gdiplus

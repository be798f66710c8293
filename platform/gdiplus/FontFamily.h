#pragma once
namespace Gdiplus {

// A typeface family of the installed fonts.
class FontFamily : public GdiplusBase {
public:
    // An empty family, filled by Font::GetFamily.
    FontFamily();
    explicit FontFamily(const WCHAR* name);
    ~FontFamily();

    FontFamily* Clone() const;

    // True when the family was found.
    BOOL IsAvailable() const;
    BOOL IsStyleAvailable(INT style) const;
    // name must hold LF_FACESIZE characters.
    Status GetFamilyName(WCHAR* name, LANGID language = 0) const;
    // Design metrics, in font design units.
    UINT16 GetEmHeight(INT style) const;
    UINT16 GetCellAscent(INT style) const;
    UINT16 GetCellDescent(INT style) const;
    UINT16 GetLineSpacing(INT style) const;

private:
    friend class Font;
    friend class GraphicsPath;

    FontFamily(GpFontFamily* native, Status status);

    GpFontFamily* nativeFamily;
};

} // namespace Gdiplus

#pragma once
namespace Gdiplus {

// An ARGB colour value; copyable, as the platform's.
class Color {
public:
    // Named colours whose values the system uses.
    enum : ARGB {
        Black = 0xFF000000,
        White = 0xFFFFFFFF,
        Red = 0xFFFF0000,
        Gray = 0xFF808080,
        SkyBlue = 0xFF87CEEB,
        RosyBrown = 0xFFBC8F8F,
        CornflowerBlue = 0xFF6495ED,
        GreenYellow = 0xFFADFF2F,
    };

    Color() : Argb(Black) {}
    Color(BYTE r, BYTE g, BYTE b) : Argb(MakeARGB(255, r, g, b)) {}
    Color(BYTE a, BYTE r, BYTE g, BYTE b) : Argb(MakeARGB(a, r, g, b)) {}
    Color(ARGB argb) : Argb(argb) {}

    BYTE GetA() const { return BYTE(Argb >> 24); }
    BYTE GetR() const { return BYTE(Argb >> 16); }
    BYTE GetG() const { return BYTE(Argb >> 8); }
    BYTE GetB() const { return BYTE(Argb); }
    BYTE GetAlpha() const { return GetA(); }
    BYTE GetRed() const { return GetR(); }
    BYTE GetGreen() const { return GetG(); }
    BYTE GetBlue() const { return GetB(); }
    ARGB GetValue() const { return Argb; }
    void SetValue(ARGB argb) { Argb = argb; }

    // A COLORREF (0x00BBGGRR) becomes an opaque colour.
    void SetFromCOLORREF(COLORREF rgb)
    {
        Argb = MakeARGB(255, GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
    }
    // Alpha is dropped.
    COLORREF ToCOLORREF() const { return RGB(GetR(), GetG(), GetB()); }

    static ARGB MakeARGB(BYTE a, BYTE r, BYTE g, BYTE b)
    {
        return (ARGB(a) << 24) | (ARGB(r) << 16) | (ARGB(g) << 8) | ARGB(b);
    }

protected:
    ARGB Argb;
};

static_assert(sizeof(Color) == sizeof(ARGB), "arrays of Color are arrays of ARGB for the flat API");

} // namespace Gdiplus

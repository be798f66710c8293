#pragma once
namespace Gdiplus {

// An ARGB colour value; copyable, as the platform's.
class Color {
public:
    Color() : Argb(0xFF000000) {}
    Color(BYTE r, BYTE g, BYTE b) : Argb(MakeARGB(255, r, g, b)) {}
    Color(BYTE a, BYTE r, BYTE g, BYTE b) : Argb(MakeARGB(a, r, g, b)) {}
    Color(ARGB argb) : Argb(argb) {}

    BYTE GetA() const { return BYTE(Argb >> 24); }
    BYTE GetR() const { return BYTE(Argb >> 16); }
    BYTE GetG() const { return BYTE(Argb >> 8); }
    BYTE GetB() const { return BYTE(Argb); }
    ARGB GetValue() const { return Argb; }
    void SetValue(ARGB argb) { Argb = argb; }

    static ARGB MakeARGB(BYTE a, BYTE r, BYTE g, BYTE b)
    {
        return (ARGB(a) << 24) | (ARGB(r) << 16) | (ARGB(g) << 8) | ARGB(b);
    }

protected:
    ARGB Argb;
};

} // namespace Gdiplus

#pragma once
// GDI+ draws TrueType outlines only: it refuses a face in any other format (OpenType CFF, Type 1,
// bitmap fonts). Every GDI+ font made from a face name goes through here, so that such a face is
// drawn with a replacement while the name itself stays where it is stored (a text's logical
// font, the Font panel's typed text).
#include "platform/gdiplus/GdiPlus.h"

#include <windows.h>

#include <memory>

class CDrawableFont {
public:
    // Drawn in place of a face that GDI+ refuses: the Font panel's first face.
    static constexpr const char* kReplacementFace = "Arial";

    // Whether GDI+ draws the fonts of a font type that the platform's font enumeration reports.
    static bool IsDrawableType(DWORD fontType);
    // The logical font to make a GDI+ font from on the device context: the one given, or the
    // same with the replacement face when GDI+ cannot draw the face the platform picks for it.
    static LOGFONTA Resolve(HDC dc, const LOGFONTA& logfont);
    // A GDI+ font of Resolve's answer.
    static std::unique_ptr<Gdiplus::Font> Make(HDC dc, const LOGFONTA& logfont);
};

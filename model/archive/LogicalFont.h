#pragma once
// The logical font a text is set in, as it was chosen and as the document stores it: face name,
// height, weight and italic flag. The platform may draw it with another family (a substitute for
// a face it lacks) and at a height a pixel off; the logical font keeps what was asked for, so
// that every save of a document says the same thing and another system finds the chosen face.
#include "platform/gdiplus/GdiPlus.h"

#include <windows.h>

#include <memory>
#include <string>

struct CLogicalFont {
    // The face name as stored: what follows its terminating zero is kept too, so that a font
    // is written back byte for byte as it was read.
    char faceName[LF_FACESIZE] = {};
    // In logical units; negative: the character height, positive: the cell height.
    int height = 0;
    int weight = 0;
    BYTE italic = 0;

    CLogicalFont() = default;
    // The face is cut to leave room for its terminating zero.
    CLogicalFont(const std::string& face, int height, int weight, bool italic);

    // The logical font the platform reports for the font on the font device context
    // (CFontDeviceContext), with the face it actually uses; false when that cannot be queried.
    static bool Query(const Gdiplus::Font& font, CLogicalFont& result);

    // Up to the terminating zero (at most LF_FACESIZE - 1 characters).
    std::string GetFaceName() const;
    // Every field that is not stored is zero.
    LOGFONTA ToLogFont() const;
    // A new font on the font device context. A face the system lacks still yields a font (the
    // platform substitutes one), and so does a face GDI+ cannot draw (CDrawableFont replaces
    // it); a font the platform refused even so reports it through its status.
    std::unique_ptr<Gdiplus::Font> MakeFont() const;
};

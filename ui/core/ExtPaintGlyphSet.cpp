#include "ui/core/ExtPaintGlyphSet.h"

#include <utility>

namespace {
struct StoredGlyph
{
    int nIndex;
    int nWidth;
    int nHeight;
    int nColors;
    const char* pszPicture;
};

// Pictures row by row from the top; '.' is transparent.
const StoredGlyph STORED_GLYPHS[] = {
    {CExtPaintGlyphSet::Empty, 9, 9, 2, ""},
    {CExtPaintGlyphSet::Close, 9, 9, 2,
     "........."
     ".11...11."
     "..11.11.."
     "...111..."
     "...111..."
     "..11.11.."
     ".11...11."
     "........."
     "........."},
    {CExtPaintGlyphSet::TriangleUp, 9, 9, 2,
     "........."
     "........."
     "....1...."
     "...111..."
     "..11111.."
     ".1111111."
     "........."
     "........."
     "........."},
    {CExtPaintGlyphSet::Minimize, 9, 9, 2,
     "........."
     "........."
     "........."
     "........."
     "........."
     "........."
     ".111111.."
     ".111111.."
     "........."},
    {CExtPaintGlyphSet::Restore, 9, 9, 2,
     "...111111"
     "...111111"
     "...1....1"
     ".111111.1"
     ".111111.1"
     ".1....111"
     ".1....1.."
     ".1....1.."
     ".111111.."},
    {CExtPaintGlyphSet::Maximize, 9, 9, 2,
     "111111111"
     "111111111"
     "1.......1"
     "1.......1"
     "1.......1"
     "1.......1"
     "1.......1"
     "1.......1"
     "111111111"},
    {CExtPaintGlyphSet::ContextHelp, 9, 9, 2,
     "...111..."
     "..11.11.."
     "......11."
     ".....11.."
     "....11..."
     "....11..."
     "........."
     "....11..."
     "....11..."},
    {CExtPaintGlyphSet::PinUpright, 9, 9, 2,
     "..11111.."
     "..1..11.."
     "..1..11.."
     "..1..11.."
     ".1111111."
     "....1...."
     "....1...."
     "....1...."
     "........."},
    {CExtPaintGlyphSet::ArrowUp, 9, 9, 2,
     "....1...."
     "...111..."
     "..11111.."
     ".1111111."
     "...111..."
     "...111..."
     "...111..."
     "...111..."
     "........."},
    {CExtPaintGlyphSet::ThinClose, 9, 9, 2,
     "........."
     ".1.....1."
     "..1...1.."
     "...1.1..."
     "....1...."
     "...1.1..."
     "..1...1.."
     ".1.....1."
     "........."},
    {CExtPaintGlyphSet::HollowUp, 9, 9, 2,
     "........."
     "....1...."
     "...1.1..."
     "..1...1.."
     ".1.....1."
     "111111111"
     "........."
     "111111111"
     "........."},
    {CExtPaintGlyphSet::SmallClose, 9, 9, 2,
     "........."
     "........."
     "..11.11.."
     "...111..."
     "...111..."
     "..11.11.."
     "........."
     "........."
     "........."},
    {CExtPaintGlyphSet::Plus, 9, 9, 2,
     "........."
     "....1...."
     "....1...."
     "....1...."
     ".1111111."
     "....1...."
     "....1...."
     "....1...."
     "........."},
    {CExtPaintGlyphSet::Minus, 9, 9, 2,
     "........."
     "........."
     "........."
     "........."
     ".1111111."
     "........."
     "........."
     "........."
     "........."},
    {CExtPaintGlyphSet::BoxPlus, 9, 9, 2,
     "111111111"
     "1.......1"
     "1...1...1"
     "1...1...1"
     "1.11111.1"
     "1...1...1"
     "1...1...1"
     "1.......1"
     "111111111"},
    {CExtPaintGlyphSet::BoxMinus, 9, 9, 2,
     "111111111"
     "1.......1"
     "1.......1"
     "1.......1"
     "1.11111.1"
     "1.......1"
     "1.......1"
     "1.......1"
     "111111111"},
    {CExtPaintGlyphSet::RoundPlus, 9, 9, 2,
     "..11111.."
     ".1.....1."
     "1...1...1"
     "1...1...1"
     "1.11111.1"
     "1...1...1"
     "1...1...1"
     ".1.....1."
     "..11111.."},
    {CExtPaintGlyphSet::RoundMinus, 9, 9, 2,
     "..11111.."
     ".1.....1."
     "1.......1"
     "1.......1"
     "1.11111.1"
     "1.......1"
     "1.......1"
     ".1.....1."
     "..11111.."},
    {CExtPaintGlyphSet::LargeArrowUp, 11, 11, 2,
     ".....1....."
     "....111...."
     "...11111..."
     "..1111111.."
     ".111111111."
     "11111111111"
     "...11111..."
     "...11111..."
     "...11111..."
     "...11111..."
     "...11111..."},
    {CExtPaintGlyphSet::Pointer, 11, 11, 2,
     "1.........."
     "11........."
     "1.1........"
     "1..1......."
     "1...1......"
     "1....1....."
     "1.....1...."
     "1..11111..."
     "1.1.1......"
     "11...1....."
     "1....1....."},
    {CExtPaintGlyphSet::SmallUp, 5, 3, 2,
     "..1.."
     ".111."
     "11111"},
    {CExtPaintGlyphSet::Dots, 9, 3, 2,
     "11.11.11."
     "11.11.11."
     "........."},
    {CExtPaintGlyphSet::BaseTriangleA, 10, 10, 5,
     "....11...."
     "...1221..."
     "...1221..."
     "..122331.."
     "..123331.."
     ".12333341."
     ".12333341."
     "1233334441"
     "1111111111"
     "4444444444"},
    {CExtPaintGlyphSet::BaseTriangleB, 10, 10, 5,
     "4444444444"
     "1111111111"
     "1233334441"
     ".12333341."
     ".12333341."
     "..123331.."
     "..122331.."
     "...1221..."
     "...1221..."
     "....11...."},
    {CExtPaintGlyphSet::ListButton, 7, 7, 2,
     "1111111"
     "......."
     "1111111"
     ".11111."
     "..111.."
     "...1..."
     "......."},
    {CExtPaintGlyphSet::ChevronDrop, 7, 12, 2,
     "1..1..."
     "11.11.."
     ".11.11."
     "..11.11"
     ".11.11."
     "11.11.."
     "1..1..."
     "......."
     "1111111"
     ".11111."
     "..111.."
     "...1..."},
    {CExtPaintGlyphSet::ShadedPlus, 9, 9, 4,
     "222222222"
     "233333332"
     "233313332"
     "233313332"
     "231111132"
     "233313332"
     "233313332"
     "233333332"
     "222222222"},
    {CExtPaintGlyphSet::ShadedMinus, 9, 9, 4,
     "222222222"
     "233333332"
     "233333332"
     "233333332"
     "231111132"
     "233333332"
     "233333332"
     "233333332"
     "222222222"},
    {CExtPaintGlyphSet::ToFirst, 7, 7, 2,
     "1111111"
     "......."
     "...1..."
     "..111.."
     ".11111."
     "1111111"
     "......."},
    {CExtPaintGlyphSet::ToStart, 7, 7, 2,
     "1....1."
     "1...11."
     "1..111."
     "1.1111."
     "1..111."
     "1...11."
     "1....1."},
    {CExtPaintGlyphSet::ToLast, 7, 7, 2,
     "......."
     "1111111"
     ".11111."
     "..111.."
     "...1..."
     "......."
     "1111111"},
    {CExtPaintGlyphSet::ToEnd, 7, 7, 2,
     ".1....1"
     ".11...1"
     ".111..1"
     ".1111.1"
     ".111..1"
     ".11...1"
     ".1....1"},
    {CExtPaintGlyphSet::ChevronTriangleH, 5, 3, 2,
     "11111"
     ".111."
     "..1.."},
    {CExtPaintGlyphSet::ChevronDoubleH, 8, 5, 2,
     "11..11.."
     ".11..11."
     "..11..11"
     ".11..11."
     "11..11.."},
    {CExtPaintGlyphSet::ChevronBarArrowH, 5, 6, 2,
     "11111"
     "....."
     "....."
     "11111"
     ".111."
     "..1.."},
    {CExtPaintGlyphSet::ChevronNarrowDoubleH, 6, 5, 2,
     "......"
     "1...1."
     "11..11"
     "1...1."
     "......"},
    {CExtPaintGlyphSet::MenuArrowRight, 4, 7, 2,
     "1..."
     "11.."
     "111."
     "1111"
     "111."
     "11.."
     "1..."},
    {CExtPaintGlyphSet::MenuSplitArrowRight, 3, 5, 2,
     "1.."
     "11."
     "111"
     "11."
     "1.."},
};

// The four orientations of an arrow, turned from the one pointing up.
struct ArrowFamily
{
    int nUp, nDown, nLeft, nRight;
};
const ArrowFamily ARROW_FAMILIES[] = {
    {CExtPaintGlyphSet::TriangleUp, CExtPaintGlyphSet::TriangleDown, CExtPaintGlyphSet::TriangleLeft,
     CExtPaintGlyphSet::TriangleRight},
    {CExtPaintGlyphSet::ArrowUp, CExtPaintGlyphSet::ArrowDown, CExtPaintGlyphSet::ArrowLeft,
     CExtPaintGlyphSet::ArrowRight},
    {CExtPaintGlyphSet::HollowUp, CExtPaintGlyphSet::HollowDown, CExtPaintGlyphSet::HollowLeft,
     CExtPaintGlyphSet::HollowRight},
    {CExtPaintGlyphSet::LargeArrowUp, CExtPaintGlyphSet::LargeArrowDown, CExtPaintGlyphSet::LargeArrowLeft,
     CExtPaintGlyphSet::LargeArrowRight},
    {CExtPaintGlyphSet::SmallUp, CExtPaintGlyphSet::SmallDown, CExtPaintGlyphSet::SmallLeft,
     CExtPaintGlyphSet::SmallRight},
};

// Single copies turned a quarter clockwise.
const std::pair<int, int> QUARTER_TURNS[] = {
    {CExtPaintGlyphSet::PinUpright, CExtPaintGlyphSet::PinSideways},
    {CExtPaintGlyphSet::BaseTriangleA, CExtPaintGlyphSet::BaseTriangleA90},
    {CExtPaintGlyphSet::BaseTriangleB, CExtPaintGlyphSet::BaseTriangleB90},
    {CExtPaintGlyphSet::ChevronTriangleH, CExtPaintGlyphSet::ChevronTriangleV},
    {CExtPaintGlyphSet::ChevronDoubleH, CExtPaintGlyphSet::ChevronDoubleV},
    {CExtPaintGlyphSet::ChevronBarArrowH, CExtPaintGlyphSet::ChevronBarArrowV},
    {CExtPaintGlyphSet::ChevronNarrowDoubleH, CExtPaintGlyphSet::ChevronNarrowDoubleV},
};

// Mirrored copies for right-to-left menus.
const std::pair<int, int> HALF_TURNS[] = {
    {CExtPaintGlyphSet::MenuArrowRight, CExtPaintGlyphSet::MenuArrowLeft},
    {CExtPaintGlyphSet::MenuSplitArrowRight, CExtPaintGlyphSet::MenuSplitArrowLeft},
};
} // namespace

CExtPaintGlyphSet::CExtPaintGlyphSet()
{
    for (const StoredGlyph& g : STORED_GLYPHS)
        m_glyphs[g.nIndex] = CExtPaintGlyph(g.nWidth, g.nHeight, g.nColors, g.pszPicture);
    auto turnedCopy = [this](int nTo, int nFrom, int nAngle) {
        m_glyphs[nTo].CopyFrom(m_glyphs[nFrom]);
        m_glyphs[nTo].Rotate(nAngle);
    };
    for (const ArrowFamily& f : ARROW_FAMILIES) {
        turnedCopy(f.nDown, f.nUp, 180);
        turnedCopy(f.nLeft, f.nUp, 270);
        turnedCopy(f.nRight, f.nLeft, 180);
    }
    for (const auto& [nFrom, nTo] : QUARTER_TURNS)
        turnedCopy(nTo, nFrom, 90);
    for (const auto& [nFrom, nTo] : HALF_TURNS)
        turnedCopy(nTo, nFrom, 180);
    // The pointer in all four directions, each a quarter turn of the one before.
    turnedCopy(Pointer90, Pointer, 90);
    turnedCopy(Pointer180, Pointer90, 90);
    turnedCopy(Pointer270, Pointer180, 90);
}

const CExtPaintGlyph& CExtPaintGlyphSet::operator[](int nIndex) const
{
    return m_glyphs[(nIndex >= 0 && nIndex < GlyphCount) ? nIndex : Empty];
}

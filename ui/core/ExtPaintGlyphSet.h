#pragma once
// The glyphs the paint managers draw with: stored pictures and turned copies of them.
#include "ui/core/ExtPaintGlyph.h"

class CExtPaintGlyphSet
{
public:
    enum e_glyph_t : int
    {
        Empty = 0,
        Close = 1,
        TriangleUp = 2, TriangleDown = 3, TriangleLeft = 4, TriangleRight = 5,
        Minimize = 6, Restore = 7, Maximize = 8, ContextHelp = 9,
        PinUpright = 10, PinSideways = 11,
        ArrowUp = 12, ArrowDown = 13, ArrowLeft = 14, ArrowRight = 15,
        ThinClose = 16,
        HollowUp = 17, HollowDown = 18, HollowLeft = 19, HollowRight = 20,
        SmallClose = 21, Plus = 22, Minus = 23, BoxPlus = 24, BoxMinus = 25, RoundPlus = 26, RoundMinus = 27,
        LargeArrowUp = 28, LargeArrowDown = 29, LargeArrowLeft = 30, LargeArrowRight = 31,
        Pointer = 32, Pointer90 = 33, Pointer180 = 34, Pointer270 = 35,
        SmallUp = 36, SmallDown = 37, SmallLeft = 38, SmallRight = 39,
        Dots = 40, BaseTriangleA = 41, BaseTriangleB = 42, BaseTriangleA90 = 43, BaseTriangleB90 = 44,
        ListButton = 45, ChevronDrop = 46, ShadedPlus = 47, ShadedMinus = 48,
        ToFirst = 49, ToStart = 50, ToLast = 51, ToEnd = 52,
        // The chevron button's own pair, for horizontal and vertical bars.
        ChevronTriangleH = 53, ChevronDoubleH = 54, ChevronTriangleV = 55, ChevronDoubleV = 56,
        // The Office 2003 chevron pair: a bar over a down arrow and a narrower double chevron.
        ChevronBarArrowH = 57, ChevronNarrowDoubleH = 58, ChevronBarArrowV = 59, ChevronNarrowDoubleV = 60,
        // A popup item's submenu arrow and its narrower split variant, in both reading directions.
        MenuArrowRight = 61, MenuSplitArrowRight = 62, MenuArrowLeft = 63, MenuSplitArrowLeft = 64,
        GlyphCount = 65,
    };

    CExtPaintGlyphSet();
    CExtPaintGlyphSet(const CExtPaintGlyphSet&) = delete;
    CExtPaintGlyphSet& operator=(const CExtPaintGlyphSet&) = delete;

    const CExtPaintGlyph& operator[](int nIndex) const;

private:
    CExtPaintGlyph m_glyphs[GlyphCount];
};

extern const CExtPaintGlyphSet g_PaintGlyphSet;

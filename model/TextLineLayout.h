#pragma once
// Where the lines of a text shape go in its box. Lines end at CR, LF or CR LF; each is laid out
// across the box's width, one line spacing below the one before, in what is left of the box's
// height (at least one line's worth, so that a line below a short box is not dropped); a single
// line takes the whole box.
#include "platform/gdiplus/GdiPlus.h"

#include <string>
#include <vector>

class CTextLineLayout {
public:
    struct CLine {
        std::string text;
        Gdiplus::RectF layout;
    };

    // The box and the line spacing in the same units.
    CTextLineLayout(const Gdiplus::Rect& box, Gdiplus::REAL lineSpacing);

    // The text's lines that hold characters, in order. With an area, only those whose glyphs can
    // reach it: a text of thousands of lines is laid out only where it shows.
    std::vector<CLine> Lines(const std::string& text, const Gdiplus::RectF* area = nullptr) const;

private:
    Gdiplus::RectF m_box;
    Gdiplus::REAL m_lineSpacing;
};

#include "model/TextLineLayout.h"

#include <algorithm>

namespace {
// The text's lines without their breaks (one empty line for an empty text).
std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines(1);
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            // CR LF is one break.
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            lines.emplace_back();
        } else {
            lines.back() += c;
        }
    }
    return lines;
}

// Whether glyphs laid out in the rectangle can reach the area, judged by height alone (a box
// without width does not wrap its lines). A line that starts in the rectangle may end one line
// below it, and glyphs overhang their line (accents, descenders); a rectangle without height
// holds every line below its top.
bool CanReach(const Gdiplus::RectF& layout, Gdiplus::REAL lineSpacing, const Gdiplus::RectF& area)
{
    const Gdiplus::REAL margin = 2 * lineSpacing;
    const bool endsBelowTheArea = layout.Height <= 0 || layout.Y + layout.Height + margin > area.Y;
    return endsBelowTheArea && layout.Y - margin < area.Y + area.Height;
}
}

CTextLineLayout::CTextLineLayout(const Gdiplus::Rect& box, Gdiplus::REAL lineSpacing)
    : m_box(Gdiplus::REAL(box.X), Gdiplus::REAL(box.Y), Gdiplus::REAL(box.Width), Gdiplus::REAL(box.Height)),
      m_lineSpacing(lineSpacing)
{
}

std::vector<CTextLineLayout::CLine> CTextLineLayout::Lines(const std::string& text, const Gdiplus::RectF* area) const
{
    std::vector<std::string> lines = SplitLines(text);
    std::vector<CLine> laidOut;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].empty())
            continue;
        const Gdiplus::REAL top = m_lineSpacing * Gdiplus::REAL(i);
        const Gdiplus::REAL height = lines.size() == 1 ? m_box.Height : std::max(m_box.Height - top, m_lineSpacing);
        const Gdiplus::RectF layout(m_box.X, m_box.Y + top, m_box.Width, height);
        if (area == nullptr || CanReach(layout, m_lineSpacing, *area))
            laidOut.push_back({std::move(lines[i]), layout});
    }
    return laidOut;
}

// Where a text shape's lines go, and that a long text is laid out only where it shows.
#include "model/TextLineLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
struct CExpectedLine {
    const char* text;
    Gdiplus::RectF layout;
};

void ExpectLines(const std::vector<CTextLineLayout::CLine>& lines, const std::vector<CExpectedLine>& expected)
{
    ASSERT_EQ(lines.size(), expected.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(lines[i].text, expected[i].text);
        EXPECT_TRUE(lines[i].layout.Equals(expected[i].layout))
            << lines[i].layout.X << "," << lines[i].layout.Y << " " << lines[i].layout.Width << "x"
            << lines[i].layout.Height;
    }
}
}

// Each line starts one spacing below the one before, in what is left of the box, at least one
// line high; a line without characters keeps its row and is not laid out.
TEST(TextLineLayout, LinesStackOneSpacingApartInWhatIsLeftOfTheBox)
{
    const Gdiplus::Rect box(100, 200, 300, 50);
    const struct {
        const char* name;
        std::string text;
        std::vector<CExpectedLine> lines;
    } cases[] = {
        {"one line takes the whole box", "Hello", {{"Hello", {100, 200, 300, 50}}}},
        {"CR LF, CR and LF each end a line",
         "A\r\nB\rC\nD",
         {{"A", {100, 200, 300, 50}}, {"B", {100, 220, 300, 30}}, {"C", {100, 240, 300, 20}}, {"D", {100, 260, 300, 20}}}},
        {"an empty line keeps its row", "A\n\nB", {{"A", {100, 200, 300, 50}}, {"B", {100, 240, 300, 20}}}},
        {"a break alone lays out nothing", "\r\n", {}},
        {"nor does no text", "", {}},
    };
    const CTextLineLayout layout(box, 20.0f);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectLines(layout.Lines(c.text), c.lines);
    }
}

// Drawing lays out the lines that can show on the surface, however many the text holds: the
// lines whose rows meet the area and those within two spacings of it, whose glyphs may reach in.
TEST(TextLineLayout, AVeryLongTextIsLaidOutOnlyWhereItShows)
{
    constexpr int kLines = 100000;
    constexpr Gdiplus::REAL kSpacing = 100.0f;
    std::string text;
    for (int i = 0; i < kLines; ++i)
        text += "line\r\n";
    const CTextLineLayout layout(Gdiplus::Rect(0, 0, 2000, 1000), kSpacing);
    EXPECT_EQ(layout.Lines(text).size(), size_t(kLines));

    const struct {
        const char* name;
        Gdiplus::RectF area;
        int firstRow;
        int lastRow;
    } cases[] = {
        {"a band in the middle", {-500, 50000, 3000, 400}, 498, 505},
        {"the box", {0, 0, 2000, 1000}, 0, 11},
        {"above the text", {0, -5000, 2000, 1000}, 0, -1},
        {"below the text", {0, 1e8f, 2000, 1000}, 0, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<CTextLineLayout::CLine> shown = layout.Lines(text, &c.area);
        ASSERT_EQ(int(shown.size()), c.lastRow - c.firstRow + 1);
        if (!shown.empty()) {
            EXPECT_EQ(shown.front().layout.Y, c.firstRow * kSpacing);
            EXPECT_EQ(shown.back().layout.Y, c.lastRow * kSpacing);
        }
    }
}

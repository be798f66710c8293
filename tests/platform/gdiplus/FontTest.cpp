#include "platform/gdiplus/GdiPlus.h"
#include "tests/support/InstalledFonts.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

using namespace Gdiplus;

namespace {

// A screen-compatible memory device context, released at the end.
class ScreenDc {
public:
    ScreenDc() : dc(CreateCompatibleDC(nullptr)) {}
    ~ScreenDc() { DeleteDC(dc); }
    HDC dc;
};

LOGFONTA LogFont(const char* face, LONG height, LONG weight, BYTE italic)
{
    LOGFONTA logfont = {};
    std::strncpy(logfont.lfFaceName, face, LF_FACESIZE - 1);
    logfont.lfHeight = height;
    logfont.lfWeight = weight;
    logfont.lfItalic = italic;
    return logfont;
}

} // namespace

TEST(FontFamily, EveryFamilyTheSystemNamesIsFound)
{
    const char16_t* names[] = {u"Arial", u"Times New Roman", u"Tahoma", u"Courier New", u"MS Sans Serif"};
    for (const char16_t* name : names) {
        const std::string narrow(name, name + std::char_traits<char16_t>::length(name));
        const FontFamily family(name);
        EXPECT_TRUE(family.IsAvailable()) << narrow;
        EXPECT_EQ(Ok, family.GetLastStatus()) << narrow;
        EXPECT_TRUE(family.IsStyleAvailable(FontStyleRegular)) << narrow;
        EXPECT_GT(family.GetEmHeight(FontStyleRegular), 0) << narrow;
        EXPECT_GT(family.GetCellAscent(FontStyleRegular), 0) << narrow;
        EXPECT_GT(family.GetCellDescent(FontStyleRegular), 0) << narrow;
        EXPECT_GE(family.GetLineSpacing(FontStyleRegular), family.GetEmHeight(FontStyleRegular)) << narrow;
    }
}

TEST(FontFamily, AnUnknownFamilyIsNotAvailable)
{
    const FontFamily family(u"No Such Family Anywhere");
    EXPECT_FALSE(family.IsAvailable());
    EXPECT_EQ(FontFamilyNotFound, family.GetLastStatus());
}

TEST(Font, FromALogicalFontReportsItsHeightSizeAndStyle)
{
    ScreenDc screen;
    const struct {
        LONG height;
        LONG weight;
        BYTE italic;
        INT style;
    } cases[] = {
        {-12, FW_NORMAL, FALSE, FontStyleRegular},
        {-24, FW_BOLD, FALSE, FontStyleBold},
        {-16, FW_NORMAL, TRUE, FontStyleItalic},
        {-32, FW_BOLD, TRUE, FontStyleBoldItalic},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.height);
        const LOGFONTA logfont = LogFont("Arial", c.height, c.weight, c.italic);
        const Font font(screen.dc, &logfont);
        ASSERT_EQ(Ok, font.GetLastStatus());
        FontFamily family;
        ASSERT_EQ(Ok, font.GetFamily(&family));
        ASSERT_TRUE(family.IsAvailable());
        WCHAR name[LF_FACESIZE] = {};
        ASSERT_EQ(Ok, family.GetFamilyName(name));
        const std::u16string wideName(name);
        const std::string faceName(wideName.begin(), wideName.end());
        EXPECT_EQ(FontFamily(u"Arial").IsAvailable(), FontFamily(wideName.c_str()).IsAvailable());
        EXPECT_TRUE(font.IsAvailable());
        EXPECT_EQ(c.style, font.GetStyle());
        EXPECT_EQ(UnitWorld, font.GetUnit()) << "the em size is the character height in device pixels";
        // The platform derives the em size from the realised font's metrics: within a pixel.
        EXPECT_NEAR(REAL(-c.height), font.GetSize(), 1.0f);

        Graphics graphics(screen.dc);
        const REAL height = font.GetHeight(&graphics);
        EXPECT_GT(height, REAL(-c.height)) << "the line spacing exceeds the em size";
        EXPECT_LT(height, REAL(-c.height) * 1.4f);

        LOGFONTA back = {};
        ASSERT_EQ(Ok, font.GetLogFontA(&graphics, &back));
        // The face is the one the prefix substitutes for "Arial".
        EXPECT_STREQ(faceName.c_str(), back.lfFaceName);
        EXPECT_NEAR(c.height, back.lfHeight, 1);
        EXPECT_EQ(c.weight, back.lfWeight);
        EXPECT_EQ(c.italic, back.lfItalic);

    }
}

TEST(Font, FromAFamilyNameInPoints)
{
    const Font font(u"Arial", 9.0f);
    ASSERT_EQ(Ok, font.GetLastStatus());
    EXPECT_FLOAT_EQ(9.0f, font.GetSize());
    EXPECT_EQ(UnitPoint, font.GetUnit());
    // 9 points at 96 dots per inch are 12 pixels of em size; the line spacing is a little more.
    EXPECT_GT(font.GetHeight(96.0f), 12.0f);
    EXPECT_LT(font.GetHeight(96.0f), 16.0f);

    const FontFamily family(u"Times New Roman");
    const Font fromFamily(&family, 20.0f, FontStyleItalic, UnitPixel);
    EXPECT_EQ(FontStyleItalic, fromFamily.GetStyle());
    EXPECT_FLOAT_EQ(20.0f, fromFamily.GetSize());
}

// GDI+ answers NotTrueTypeFont for a face in another format; the font is then empty, and every
// later call on it or its clone reports a bad parameter instead of reaching a freed font.
TEST(Font, AFaceGdiplusCannotDrawLeavesNoFontBehind)
{
    const std::string face = InstalledUndrawableFace();
    ASSERT_FALSE(face.empty()) << kNoUndrawableFace;
    ScreenDc screen;
    const LOGFONTA logfont = LogFont(face.c_str(), -24, FW_NORMAL, FALSE);
    for (int attempt = 0; attempt < 20; ++attempt) {
        SCOPED_TRACE(attempt);
        const Font font(screen.dc, &logfont);
        EXPECT_EQ(NotTrueTypeFont, font.GetLastStatus());
        EXPECT_FALSE(font.IsAvailable());
        Graphics graphics(screen.dc);
        LOGFONTA back = {};
        EXPECT_EQ(InvalidParameter, font.GetLogFontA(&graphics, &back));
        FontFamily family;
        EXPECT_EQ(InvalidParameter, font.GetFamily(&family));
        EXPECT_EQ(0.0f, font.GetHeight(&graphics));
        const std::unique_ptr<Font> clone(font.Clone());
        EXPECT_FALSE(clone->IsAvailable());
    }
}

TEST(Font, CloneIsIndependent)
{
    std::unique_ptr<Font> clone;
    {
        const Font font(u"Arial", 12.0f, FontStyleBold);
        clone.reset(font.Clone());
    }
    ASSERT_EQ(Ok, clone->GetLastStatus());
    EXPECT_FLOAT_EQ(12.0f, clone->GetSize());
    EXPECT_EQ(FontStyleBold, clone->GetStyle());
    std::unique_ptr<FontFamily> family(FontFamily(u"Tahoma").Clone());
    EXPECT_TRUE(family->IsAvailable());
}

TEST(StringFormat, AlignmentAndFlags)
{
    StringFormat format(0, LANG_NEUTRAL);
    EXPECT_EQ(StringAlignmentNear, format.GetAlignment());
    const StringAlignment alignments[] = {StringAlignmentNear, StringAlignmentCenter, StringAlignmentFar};
    for (const StringAlignment alignment : alignments) {
        format.SetAlignment(alignment);
        EXPECT_EQ(alignment, format.GetAlignment());
    }
    format.SetLineAlignment(StringAlignmentFar);
    EXPECT_EQ(StringAlignmentFar, format.GetLineAlignment());
    format.SetFormatFlags(StringFormatFlagsNoWrap);
    EXPECT_EQ(StringFormatFlagsNoWrap, format.GetFormatFlags());
    std::unique_ptr<StringFormat> clone(format.Clone());
    clone->SetAlignment(StringAlignmentNear);
    EXPECT_EQ(StringAlignmentFar, format.GetAlignment());
    EXPECT_EQ(StringAlignmentFar, clone->GetLineAlignment());
}

#include "ModelTestSupport.h"

#include "model/FlashBitmap.h"
#include "model/FlashEditorFrameShapeTransform.h"
#include "model/FlashSymbol.h"
#include "model/FlashTextShape.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {
class CDeviceBitmap {
public:
    CDeviceBitmap(int width, int height)
    {
        HDC screen = GetDC(nullptr);
        m_bitmap = CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
    }
    ~CDeviceBitmap() { DeleteObject(m_bitmap); }
    CDeviceBitmap(const CDeviceBitmap&) = delete;
    CDeviceBitmap& operator=(const CDeviceBitmap&) = delete;
    HBITMAP Get() const { return m_bitmap; }

private:
    HBITMAP m_bitmap;
};

std::unique_ptr<CFlashTextShape> MakeText(const char* text)
{
    Gdiplus::FontFamily family(u"Arial");
    Gdiplus::Font font(&family, 24.0f, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
    Gdiplus::SolidBrush brush{Gdiplus::Color(kOpaqueBlue)};
    auto shape = std::make_unique<CFlashTextShape>(&font, nullptr, &brush);
    shape->SetText(text);
    shape->SetRect(Gdiplus::Rect(2000, 2000, 4000, 1000)); // (100, 100)-(300, 150) pixels
    return shape;
}
}

TEST(BitmapShape, PastedDeviceBitmapSitsAt100PixelsWithBoundsInTwips)
{
    CDeviceBitmap device(64, 32);
    const std::unique_ptr<CFlashBitmap> shape(CFlashBitmap::CreateFromHBITMAP(device.Get()));
    ASSERT_NE(nullptr, shape);
    EXPECT_TRUE(shape->GetBounds().Equals(Gdiplus::Rect(2000, 2000, 1280, 640)));
    const auto corners = shape->GetCurveEndpoints();
    const POINT expected[] = {{2000, 2000}, {3280, 2000}, {3280, 2640}, {2000, 2640}};
    ASSERT_EQ(4u, corners.size());
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(expected[i].x, corners[i].x);
        EXPECT_EQ(expected[i].y, corners[i].y);
    }
    shape->Offset(500, 500);
    EXPECT_TRUE(shape->GetBounds().Equals(Gdiplus::Rect(2000, 2000, 1280, 640)));

    EXPECT_EQ(nullptr, CFlashBitmap::CreateFromHBITMAP(nullptr)) << "an unreadable device bitmap makes no shape";

    const std::unique_ptr<CFlashShape> copy(shape->Clone());
    auto* picture = static_cast<CFlashBitmap*>(copy.get());
    ASSERT_NE(nullptr, picture->GetImage());
    EXPECT_NE(shape->GetImage(), picture->GetImage());
    EXPECT_TRUE(copy->GetBounds().Equals(shape->GetBounds()));
}

TEST(BitmapShape, DrawnAndHitOverItsPictureRectangle)
{
    auto image = std::make_unique<Gdiplus::Bitmap>(10, 10, PixelFormat32bppARGB);
    {
        Gdiplus::Graphics graphics(image.get());
        graphics.Clear(Gdiplus::Color(kOpaqueGreen));
    }
    CFlashBitmap shape;
    shape.SetImage(std::move(image));
    shape.SetPosition(20, 30);
    const CFlashEditorFrameShapeTransform identity;
    CTestCanvas canvas;
    shape.Draw(canvas.Graphics(), 0, 0, 1.0, &identity);
    EXPECT_TRUE(ColorNear(canvas.Pixel(25, 35), kOpaqueGreen, 8));
    EXPECT_EQ(kOpaqueWhite, canvas.Pixel(35, 35));

    CTestDC dc;
    EXPECT_TRUE(shape.HitTest(dc.Get(), 1.0, {25, 35}, &identity));
    EXPECT_FALSE(shape.HitTest(dc.Get(), 1.0, {35, 35}, &identity));
    CFlashBitmap empty;
    EXPECT_FALSE(empty.HitTest(dc.Get(), 1.0, {0, 0}, &identity));
}

TEST(TextShape, FilledGlyphsWithABoxOnlyWhenSelected)
{
    const auto shape = MakeText("WWWW");
    const CFlashEditorFrameShapeTransform identity;
    auto bluish = [](Gdiplus::ARGB argb) {
        const Gdiplus::Color color(argb);
        return color.GetB() > 150 && color.GetR() < 100;
    };
    auto countGlyphPixels = [&](CTestCanvas& canvas) {
        int count = 0;
        for (int x = 100; x < 200; ++x)
            for (int y = 100; y < 130; ++y)
                count += bluish(canvas.Pixel(x, y));
        return count;
    };
    CTestCanvas normal;
    shape->Draw(normal.Graphics(), 0, 0, 1.0, &identity);
    EXPECT_GT(countGlyphPixels(normal), 20);
    EXPECT_EQ(kOpaqueWhite, normal.Pixel(250, 148)) << "no box in the normal state";

    shape->SetState(kResourceStateSelected);
    CTestCanvas selected;
    shape->Draw(selected.Graphics(), 0, 0, 1.0, &identity);
    bool boxDrawn = false;
    for (int y = 148; y <= 151; ++y)
        boxDrawn = boxDrawn || selected.Pixel(250, y) != kOpaqueWhite;
    EXPECT_TRUE(boxDrawn);

    CTestDC dc;
    EXPECT_TRUE(shape->HitTest(dc.Get(), 1.0, {110, 112}, &identity));
    EXPECT_FALSE(shape->HitTest(dc.Get(), 1.0, {290, 145}, &identity));
    EXPECT_TRUE(shape->HitTest(nullptr, 1.0, {110, 112}, &identity)) << "measured on a memory context";
}

TEST(TextShape, CloneOwnsAnIndependentFontAndKeepsTextAndBox)
{
    const auto shape = MakeText("Hello");
    shape->SetTextAlignment(1);
    const std::unique_ptr<CFlashShape> copy(shape->Clone());
    auto* text = static_cast<CFlashTextShape*>(copy.get());
    EXPECT_EQ("Hello", text->GetText());
    EXPECT_TRUE(text->GetRect().Equals(shape->GetRect()));
    EXPECT_EQ(1, text->GetTextAlignment());
    ASSERT_NE(nullptr, text->GetFont());
    EXPECT_NE(shape->GetFont(), text->GetFont());

    Gdiplus::FontFamily family(u"Arial");
    Gdiplus::Font bigger(&family, 48.0f, Gdiplus::FontStyleBold, Gdiplus::UnitPixel);
    copy->SetFont(&bigger);
    EXPECT_EQ(24.0f, shape->GetFont()->GetSize());
    EXPECT_EQ(48.0f, copy->GetFont()->GetSize());
    shape->Offset(100, 100);
    EXPECT_TRUE(shape->GetBounds().Equals(Gdiplus::Rect(2000, 2000, 4000, 1000)));
}

TEST(Symbol, NeverDrawsNorHitsAndClonesShareMembers)
{
    Gdiplus::SolidBrush brush{Gdiplus::Color(kOpaqueRed)};
    CFlashSymbol symbol;
    symbol.SetBrush(&brush);
    EXPECT_EQ("Test", symbol.GetSymbolName());
    const std::unique_ptr<CFlashSolidShape> member(MakeSolidRect(0, 0, 100, 100, kOpaqueRed));
    symbol.GetMembers().push_back(member.get());

    CTestCanvas canvas;
    const CFlashEditorFrameShapeTransform identity;
    symbol.Draw(canvas.Graphics(), 0, 0, 1.0, &identity);
    EXPECT_EQ(kOpaqueWhite, canvas.Pixel(2, 2));
    CTestDC dc;
    EXPECT_FALSE(symbol.HitTest(dc.Get(), 1.0, {2, 2}, &identity));

    const std::unique_ptr<CFlashShape> copy(symbol.Clone());
    const auto& clone = static_cast<const CFlashSymbol&>(*copy);
    EXPECT_EQ("Test", clone.GetSymbolName());
    ASSERT_EQ(1u, clone.GetMembers().size());
    EXPECT_EQ(member.get(), clone.GetMembers()[0]);
    EXPECT_NE(symbol.GetObjectId(), clone.GetObjectId());
}

// The path of a multi-line text is the union of its lines' paths, each laid out on its own and
// moved down by the family's line spacing: no line is lost and no break shows as a glyph.
TEST(TextShape, LinesAreLaidOutOneBelowTheOtherInEveryAlignment)
{
    const Gdiplus::Rect wide(2000, 2000, 4000, 1000);
    const Gdiplus::Rect tall(2000, 2000, 1500, 3000);
    struct Case {
        const char* text;
        int alignment;
        Gdiplus::Rect box;
        std::vector<std::pair<const char*, int>> lines; // a line's text and its row
    };
    const Case cases[] = {
        {"AB\r\nCD", 0, wide, {{"AB", 0}, {"CD", 1}}},
        {"AB\rCD", 1, wide, {{"AB", 0}, {"CD", 1}}},
        {"AB\nWIDE", 2, wide, {{"AB", 0}, {"WIDE", 1}}},
        {"A\n\nB", 1, wide, {{"A", 0}, {"B", 2}}},
        {"Hello\nWorld\nAgain", 2, tall, {{"Hello", 0}, {"World", 1}, {"Again", 2}}},
    };
    CTestDC dc;
    Gdiplus::Graphics graphics(dc.Get());
    auto boundsOf = [&](const CFlashTextShape& shape) {
        Gdiplus::GraphicsPath path;
        shape.AddToPath(path, graphics, 1.0);
        Gdiplus::RectF bounds;
        path.GetBounds(&bounds);
        return bounds;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const auto shape = MakeText(c.text);
        shape->SetTextAlignment(c.alignment);
        shape->SetRect(c.box);
        Gdiplus::FontFamily family;
        shape->GetFont()->GetFamily(&family);
        const int style = shape->GetFont()->GetStyle();
        const double advance = shape->GetFont()->GetHeight(&graphics) * 20.0 * family.GetLineSpacing(style) /
                               family.GetEmHeight(style);
        double left = 1e9, top = 1e9, right = -1e9, bottom = -1e9;
        for (const auto& [text, row] : c.lines) {
            const auto line = MakeText(text);
            line->SetTextAlignment(c.alignment);
            line->SetRect(c.box);
            const Gdiplus::RectF b = boundsOf(*line);
            left = std::min(left, double(b.X));
            right = std::max(right, double(b.X + b.Width));
            top = std::min(top, b.Y + row * advance);
            bottom = std::max(bottom, b.Y + b.Height + row * advance);
        }
        const Gdiplus::RectF whole = boundsOf(*shape);
        EXPECT_NEAR(left, whole.X, 1.0);
        EXPECT_NEAR(right, whole.X + whole.Width, 1.0);
        EXPECT_NEAR(top, whole.Y, 1.0);
        EXPECT_NEAR(bottom, whole.Y + whole.Height, 1.0);
    }
}


// Drawing lays out only the lines that can show on the surface: whatever the placement, the
// picture is the one of the whole text's outlines filled.
TEST(TextShape, DrawnLinesAreTheOutlinesWhereverThePlacementPutsThem)
{
    std::string lines;
    for (int i = 1; i <= 80; ++i)
        lines += "Line " + std::to_string(i) + "\r\n";
    const auto shape = MakeText(lines.c_str());
    CFlashTextShape unfilled(shape->GetFont(), nullptr, nullptr);
    unfilled.SetText(shape->GetText());
    unfilled.SetRect(shape->GetRect());
    const struct {
        const char* name;
        double zoom;
        std::function<void(Gdiplus::Matrix&)> place;
    } cases[] = {
        {"as it is", 1.0, [](Gdiplus::Matrix&) {}},
        {"moved up by a thousand pixels", 1.0, [](Gdiplus::Matrix& m) { m.Translate(0.0f, -20000.0f); }},
        {"zoomed", 2.5, [](Gdiplus::Matrix& m) { m.Translate(0.0f, -12000.0f); }},
        {"turned", 1.0, [](Gdiplus::Matrix& m) { m.RotateAt(-70.0f, Gdiplus::PointF(2000.0f, 2000.0f)); }},
        {"upside down", 1.0, [](Gdiplus::Matrix& m) {
             m.Translate(0.0f, 12000.0f);
             m.Scale(1.0f, -1.0f);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CFlashEditorFrameShapeTransform placement;
        c.place(*placement.GetMatrix());
        CTestCanvas drawn;
        shape->Draw(drawn.Graphics(), 0, 0, c.zoom, &placement);
        // The same stage transform, then every line's outlines in one path.
        CTestCanvas expected;
        unfilled.Draw(expected.Graphics(), 0, 0, c.zoom, &placement);
        Gdiplus::GraphicsPath outlines;
        unfilled.AddToPath(outlines, expected.Graphics(), c.zoom);
        const Gdiplus::SolidBrush fill{Gdiplus::Color(kOpaqueBlue)};
        expected.Graphics().FillPath(&fill, &outlines);

        const CPictureDifference difference = ComparePictures(drawn, expected);
        EXPECT_EQ(difference.differing, 0);
        EXPECT_GT(difference.inked, 500);
    }
}

// The glyph bounds a hit test keeps are those of the text as it is now.
TEST(TextShape, HitTestsFollowEveryChangeOfTheText)
{
    const auto shape = MakeText("WWWW");
    const CFlashEditorFrameShapeTransform identity;
    CTestDC dc;
    const POINT onTheFirstGlyph = {110, 112};
    ASSERT_TRUE(shape->HitTest(dc.Get(), 1.0, onTheFirstGlyph, &identity));
    Gdiplus::FontFamily family(u"Arial");
    const Gdiplus::Font tiny(&family, 6.0f, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
    const struct {
        const char* name;
        std::function<void(CFlashTextShape&)> change;
        POINT point;
        bool hit;
    } cases[] = {
        {"no text", [](CFlashTextShape& s) { s.SetText(""); }, onTheFirstGlyph, false},
        {"text again", [](CFlashTextShape& s) { s.SetText("WWWW"); }, onTheFirstGlyph, true},
        {"box moved", [](CFlashTextShape& s) { s.SetRect(Gdiplus::Rect(6000, 4000, 4000, 1000)); }, {310, 212}, true},
        {"not where it was", [](CFlashTextShape&) {}, onTheFirstGlyph, false},
        {"aligned right", [](CFlashTextShape& s) { s.SetTextAlignment(2); }, {310, 212}, false},
        {"at the right", [](CFlashTextShape&) {}, {490, 212}, true},
        {"smaller font", [&tiny](CFlashTextShape& s) { s.SetFont(&tiny); }, {490, 218}, false},
        {"back in Arial 24", [](CFlashTextShape& s) { s.SetLogicalFont(CLogicalFont("Arial", -24, FW_NORMAL, false)); },
         {490, 218}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.change(*shape);
        EXPECT_EQ(shape->HitTest(dc.Get(), 1.0, c.point, &identity), c.hit);
    }
}

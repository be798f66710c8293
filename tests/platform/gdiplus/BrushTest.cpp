#include "platform/gdiplus/GdiPlus.h"
#include "tests/platform/gdiplus/GdiplusTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

using namespace Gdiplus;
using GdiplusTest::NearRgb;
using GdiplusTest::PixelAt;

namespace {

constexpr int Side = 100;

// Fills a fresh bitmap with the brush.
std::unique_ptr<Bitmap> Paint(const Brush& brush)
{
    auto bitmap = std::make_unique<Bitmap>(Side, Side, PixelFormat32bppARGB);
    Graphics graphics(bitmap.get());
    graphics.Clear(Color(Color::White));
    // Texture pixels stay sharp when scaled up.
    graphics.SetInterpolationMode(InterpolationModeNearestNeighbor);
    graphics.FillRectangle(&brush, 0, 0, Side, Side);
    return bitmap;
}

std::unique_ptr<GraphicsPath> EllipsePath(const Rect& rect)
{
    auto path = std::make_unique<GraphicsPath>();
    path->AddEllipse(rect);
    return path;
}

} // namespace

TEST(LinearGradientBrush, RendersFromTheStartToTheEndColour)
{
    const LinearGradientBrush brush(Rect(0, 0, Side, Side), Color(0xFFFF0000), Color(0xFF0000FF),
                                    LinearGradientModeHorizontal);
    const auto bitmap = Paint(brush);
    EXPECT_TRUE(NearRgb(Color(0xFFFF0000), PixelAt(*bitmap, 0, 50), 8));
    EXPECT_TRUE(NearRgb(Color(0xFF0000FF), PixelAt(*bitmap, Side - 1, 50), 8));
    const Color middle = PixelAt(*bitmap, Side / 2, 50);
    EXPECT_TRUE(NearRgb(Color(0xFF800080), middle, 12)) << std::hex << middle.GetValue();
    EXPECT_TRUE(NearRgb(PixelAt(*bitmap, 30, 0), PixelAt(*bitmap, 30, 99), 2)) << "horizontal: columns are even";
}

TEST(LinearGradientBrush, InterpolationColoursReplaceTheEndColours)
{
    LinearGradientBrush brush(Rect(0, 0, Side, Side), Color(0xFFFF0000), Color(0xFF0000FF),
                              LinearGradientModeHorizontal);
    EXPECT_EQ(0, brush.GetInterpolationColorCount());
    const Color colors[] = {Color(0xFFFF0000), Color(0xFF00FF00), Color(0xFF0000FF)};
    const REAL positions[] = {0.0f, 0.5f, 1.0f};
    ASSERT_EQ(Ok, brush.SetInterpolationColors(colors, positions, 3));
    ASSERT_EQ(3, brush.GetInterpolationColorCount());
    Color readColors[3];
    REAL readPositions[3] = {};
    ASSERT_EQ(Ok, brush.GetInterpolationColors(readColors, readPositions, 3));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(colors[i].GetValue(), readColors[i].GetValue());
        EXPECT_FLOAT_EQ(positions[i], readPositions[i]);
    }
    const auto bitmap = Paint(brush);
    EXPECT_TRUE(NearRgb(Color(0xFF00FF00), PixelAt(*bitmap, Side / 2, 10), 12));

    Color ends[2];
    ASSERT_EQ(Ok, brush.GetLinearColors(ends));
    EXPECT_EQ(0xFFFF0000u, ends[0].GetValue());
    EXPECT_EQ(0xFF0000FFu, ends[1].GetValue());
    Rect rect;
    brush.GetRectangle(&rect);
    EXPECT_TRUE(rect.Equals(Rect(0, 0, Side, Side)));
    EXPECT_EQ(WrapModeTile, brush.GetWrapMode());
}

TEST(LinearGradientBrush, TransformMapsAUnitSquareGradientOntoABox)
{
    LinearGradientBrush brush(Rect(0, 0, 1, 1), Color(0xFF000000), Color(0xFFFFFFFF), LinearGradientModeHorizontal);
    brush.ResetTransform();
    brush.TranslateTransform(0.0f, 0.0f);
    brush.ScaleTransform(REAL(Side), REAL(Side));
    Matrix matrix;
    ASSERT_EQ(Ok, brush.GetTransform(&matrix));
    REAL elements[6] = {};
    matrix.GetElements(elements);
    EXPECT_FLOAT_EQ(REAL(Side), elements[0]);
    const auto bitmap = Paint(brush);
    EXPECT_LT(PixelAt(*bitmap, 5, 50).GetR(), 40);
    EXPECT_GT(PixelAt(*bitmap, 95, 50).GetR(), 215);
}

TEST(PathGradientBrush, RendersFromTheCentreToTheSurround)
{
    const auto path = EllipsePath(Rect(0, 0, Side, Side));
    PathGradientBrush brush(path.get());
    ASSERT_EQ(Ok, brush.GetLastStatus());
    brush.SetCenterColor(Color(0xFFFFFFFF));
    const Color surround[] = {Color(0xFF0000FF)};
    INT count = 1;
    ASSERT_EQ(Ok, brush.SetSurroundColors(surround, &count));
    const auto bitmap = Paint(brush);
    EXPECT_TRUE(NearRgb(Color(0xFFFFFFFF), PixelAt(*bitmap, Side / 2, Side / 2), 24));
    const Color nearEdge = PixelAt(*bitmap, 3, Side / 2);
    EXPECT_GT(nearEdge.GetB(), 200);
    EXPECT_LT(nearEdge.GetR(), 80) << std::hex << nearEdge.GetValue();
    EXPECT_TRUE(NearRgb(Color(0xFFFFFFFF), PixelAt(*bitmap, 1, 1), 0)) << "outside the ellipse stays white";

    Color center;
    ASSERT_EQ(Ok, brush.GetCenterColor(&center));
    EXPECT_EQ(0xFFFFFFFFu, center.GetValue());
    // The platform counts one surround colour per boundary point and wants room for all of them.
    const INT pointCount = brush.GetPointCount();
    EXPECT_EQ(pointCount, brush.GetSurroundColorCount());
    std::vector<Color> readSurround(pointCount);
    INT room = pointCount - 1;
    EXPECT_EQ(InvalidParameter, brush.GetSurroundColors(readSurround.data(), &room));
    room = pointCount;
    ASSERT_EQ(Ok, brush.GetSurroundColors(readSurround.data(), &room));
    EXPECT_EQ(1, room) << "the number of colours set";
    EXPECT_EQ(0xFF0000FFu, readSurround[0].GetValue());
    ASSERT_EQ(Ok, brush.SetCenterPoint(PointF(40.0f, 60.0f)));
    PointF centre;
    brush.GetCenterPoint(&centre);
    EXPECT_FLOAT_EQ(40.0f, centre.X);
    EXPECT_FLOAT_EQ(60.0f, centre.Y);
}

TEST(PathGradientBrush, PresetBlendAndTransform)
{
    const auto path = EllipsePath(Rect(0, 0, 1, 1));
    PathGradientBrush brush(path.get());
    EXPECT_EQ(0, brush.GetInterpolationColorCount());
    const Color colors[] = {Color(0xFF0000FF), Color(0xFF00FF00), Color(0xFFFF0000)};
    const REAL positions[] = {0.0f, 0.4f, 1.0f};
    ASSERT_EQ(Ok, brush.SetInterpolationColors(colors, positions, 3));
    ASSERT_EQ(3, brush.GetInterpolationColorCount());
    Color read[3];
    REAL readPositions[3] = {};
    brush.GetInterpolationColors(read, readPositions, 3);
    EXPECT_EQ(0xFF00FF00u, read[1].GetValue());
    EXPECT_FLOAT_EQ(0.4f, readPositions[1]);

    ASSERT_EQ(Ok, brush.ScaleTransform(REAL(Side), REAL(Side)));
    Matrix matrix;
    brush.GetTransform(&matrix);
    REAL elements[6] = {};
    matrix.GetElements(elements);
    EXPECT_FLOAT_EQ(REAL(Side), elements[3]);
    ASSERT_EQ(Ok, brush.ResetTransform());
    brush.GetTransform(&matrix);
    EXPECT_TRUE(matrix.IsIdentity());
}

TEST(Brush, TypesAndClonesMatchTheDynamicClass)
{
    Bitmap image(4, 4, PixelFormat32bppARGB);
    const auto path = EllipsePath(Rect(0, 0, 10, 10));
    const struct {
        const char* name;
        std::function<Brush*()> make;
        BrushType type;
        std::function<bool(const Brush*)> hasClass;
    } cases[] = {
        {"solid", [] { return new SolidBrush(Color(0xFF102030)); }, BrushTypeSolidColor,
         [](const Brush* b) { return dynamic_cast<const SolidBrush*>(b) != nullptr; }},
        {"hatch", [] { return new HatchBrush(HatchStyleCross, Color(0xFFFF0000), Color(0xFF00FF00)); },
         BrushTypeHatchFill, [](const Brush* b) { return dynamic_cast<const HatchBrush*>(b) != nullptr; }},
        {"texture", [&image] { return new TextureBrush(&image, WrapModeTile); }, BrushTypeTextureFill,
         [](const Brush* b) { return dynamic_cast<const TextureBrush*>(b) != nullptr; }},
        {"path gradient", [&path] { return new PathGradientBrush(path.get()); }, BrushTypePathGradient,
         [](const Brush* b) { return dynamic_cast<const PathGradientBrush*>(b) != nullptr; }},
        {"linear gradient",
         [] {
             return new LinearGradientBrush(Rect(0, 0, 1, 1), Color(0xFF000000), Color(0xFFFFFFFF),
                                            LinearGradientModeHorizontal);
         },
         BrushTypeLinearGradient, [](const Brush* b) { return dynamic_cast<const LinearGradientBrush*>(b) != nullptr; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<Brush> brush(c.make());
        ASSERT_EQ(Ok, brush->GetLastStatus());
        EXPECT_EQ(c.type, brush->GetType());
        std::unique_ptr<Brush> clone(brush->Clone());
        ASSERT_EQ(Ok, clone->GetLastStatus());
        EXPECT_EQ(c.type, clone->GetType());
        EXPECT_TRUE(c.hasClass(clone.get()));
        brush.reset();
        EXPECT_EQ(c.type, clone->GetType()) << "the clone outlives its source";

        const Pen pen(clone.get(), 2.0f);
        std::unique_ptr<Brush> penBrush(pen.GetBrush());
        EXPECT_TRUE(c.hasClass(penBrush.get())) << "a pen gives back its fill with its class";
    }
}

TEST(Brush, ClonesAreIndependent)
{
    SolidBrush solid(Color(0xFF112233));
    std::unique_ptr<SolidBrush> clone(solid.Clone());
    clone->SetColor(Color(0xFF445566));
    Color color;
    solid.GetColor(&color);
    EXPECT_EQ(0xFF112233u, color.GetValue());
    clone->GetColor(&color);
    EXPECT_EQ(0xFF445566u, color.GetValue());

    LinearGradientBrush linear(Rect(0, 0, 10, 10), Color(0xFF000000), Color(0xFFFFFFFF), LinearGradientModeHorizontal);
    std::unique_ptr<LinearGradientBrush> linearClone(linear.Clone());
    linearClone->SetLinearColors(Color(0xFFFF0000), Color(0xFF00FF00));
    Color ends[2];
    linear.GetLinearColors(ends);
    EXPECT_EQ(0xFF000000u, ends[0].GetValue());
}

TEST(HatchBrush, ReportsItsStyleAndColours)
{
    const HatchBrush brush(HatchStyleDiagonalCross, Color(0xFF010203), Color(0xFF040506));
    EXPECT_EQ(HatchStyleDiagonalCross, brush.GetHatchStyle());
    Color fore;
    Color back;
    brush.GetForegroundColor(&fore);
    brush.GetBackgroundColor(&back);
    EXPECT_EQ(0xFF010203u, fore.GetValue());
    EXPECT_EQ(0xFF040506u, back.GetValue());
}

TEST(TextureBrush, TilesItsImageAndGivesItBackAsABitmap)
{
    Bitmap tile(2, 2, PixelFormat32bppARGB);
    tile.SetPixel(0, 0, Color(0xFFFF0000));
    tile.SetPixel(1, 0, Color(0xFF00FF00));
    tile.SetPixel(0, 1, Color(0xFF0000FF));
    tile.SetPixel(1, 1, Color(0xFF000000));
    TextureBrush brush(&tile, WrapModeTile);
    EXPECT_EQ(WrapModeTile, brush.GetWrapMode());

    std::unique_ptr<Image> image(brush.GetImage());
    ASSERT_EQ(Ok, image->GetLastStatus());
    auto* bitmap = dynamic_cast<Bitmap*>(image.get());
    ASSERT_NE(nullptr, bitmap);
    EXPECT_EQ(2u, bitmap->GetWidth());
    EXPECT_EQ(0xFF00FF00u, PixelAt(*bitmap, 1, 0).GetValue());

    brush.ScaleTransform(10.0f, 10.0f, MatrixOrderAppend);
    Matrix matrix;
    brush.GetTransform(&matrix);
    REAL elements[6] = {};
    matrix.GetElements(elements);
    EXPECT_FLOAT_EQ(10.0f, elements[0]);
    const auto painted = Paint(brush);
    // Probes near each texel's top left: Wine samples texel centres half a texel early.
    EXPECT_TRUE(NearRgb(Color(0xFFFF0000), PixelAt(*painted, 2, 2), 8));
    EXPECT_TRUE(NearRgb(Color(0xFF00FF00), PixelAt(*painted, 12, 2), 8));
    EXPECT_TRUE(NearRgb(Color(0xFF0000FF), PixelAt(*painted, 2, 12), 8));
    EXPECT_TRUE(NearRgb(Color(0xFFFF0000), PixelAt(*painted, 22, 22), 8)) << "tiled";
}

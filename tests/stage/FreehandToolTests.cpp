// The pencil, brush, eraser and lasso tools, played as mouse gestures on a stage window.
#include "ToolGestureSupport.h"

#include "model/FlashEditorDoc.h"
#include "model/FlashShape.h"
#include "model/geometry/FlashCurveFitter.h"
#include "stage/DrawBrushTool.h"
#include "stage/DrawEraserTool.h"
#include "stage/DrawLassoTool.h"
#include "stage/FlashEditorView.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr Gdiplus::ARGB kBlack = 0xFF000000;
constexpr Gdiplus::ARGB kBrushRed = 0xFFFF0000;
// The view's default fill until the Colors panel changes it.
constexpr Gdiplus::ARGB kCornflower = 0xFF6495ED;
constexpr COLORREF kCornflowerPixel = RGB(0x64, 0x95, 0xED);

// A wave from (x0, y) to (x1, y), a point every few pixels.
std::vector<POINT> Wave(int x0, int x1, int y, int amplitude, int step = 4)
{
    std::vector<POINT> points;
    for (int x = x0; x <= x1; x += step)
        points.push_back({x, y + int(std::lround(amplitude * std::sin((x - x0) / 20.0)))});
    return points;
}

class FreehandToolTest : public ::testing::Test, public CToolGestureFixture {
protected:
    void SetUp() override
    {
        ASSERT_NE(m_pView, nullptr);
        m_host.m_pEraserPath = std::make_unique<Gdiplus::GraphicsPath>();
        m_host.m_pEraserPath->AddRectangle(Gdiplus::Rect(-6, -6, 12, 12));
    }
    void TearDown() override
    {
        m_host.m_bNoBrush = false;
        if (m_pView != nullptr)
            m_pView->SetZoom(1.0f);
    }
    // Bounds of the shape in stage pixels at zoom 1.
    static Gdiplus::Rect PixelBounds(const CFlashShape* shape)
    {
        Gdiplus::Rect b = shape->GetBounds();
        return {b.X / 20, b.Y / 20, b.Width / 20, b.Height / 20};
    }
};

struct CStrokeCase {
    const char* name;
    UINT command;
    std::vector<POINT> points;
    ShapeKind kind;
    bool hasCurves;
    Gdiplus::Rect bounds;  // stage pixels, within kSlack
    Gdiplus::ARGB pen;
    Gdiplus::ARGB fill;
    const char* step;
};
constexpr int kSlack = 3;

TEST_F(FreehandToolTest, StrokesMakeOneSelectedShapeWithItsStep)
{
    const CStrokeCase cases[] = {
        {"pencil wave", kCmdPencil, Wave(20, 220, 100, 30), ShapeKind::Path, true, {20, 70, 200, 60}, kBlack, 0,
         "Draw Free Hand Shape"},
        {"pencil click", kCmdPencil, {{50, 50}}, ShapeKind::Path, false, {0, 0, 0, 0}, kBlack, 0,
         "Draw Free Hand Shape"},
        // The test host's brush is a circle of radius 5 around the pointer.
        {"brush line", kCmdBrush, Wave(40, 240, 200, 0), ShapeKind::Solid, true, {35, 195, 210, 10}, kBrushRed,
         kCornflower, "Draw Brush Shape"},
        {"brush wave", kCmdBrush, Wave(40, 240, 300, 20), ShapeKind::Solid, true, {35, 275, 210, 50}, kBrushRed,
         kCornflower, "Draw Brush Shape"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Command(c.command);
        std::vector<CFlashShape*> before = Shapes();
        const int steps = StepCount();
        Drag(c.points);
        CFlashShape* shape = NewShape(before, Shapes());
        ASSERT_NE(shape, nullptr);
        EXPECT_EQ(KindOf(shape), c.kind);
        EXPECT_EQ(shape->GetCurveCount() > 0, c.hasCurves);
        if (c.hasCurves) {
            Gdiplus::Rect b = PixelBounds(shape);
            EXPECT_NEAR(b.X, c.bounds.X, kSlack);
            EXPECT_NEAR(b.Y, c.bounds.Y, kSlack);
            EXPECT_NEAR(b.Width, c.bounds.Width, 2 * kSlack);
            EXPECT_NEAR(b.Height, c.bounds.Height, 2 * kSlack);
        }
        EXPECT_EQ(PenColor(shape), c.pen);
        EXPECT_EQ(FillColor(shape), c.fill);
        EXPECT_EQ(m_pView->GetSelection(), std::vector<CFlashShape*>{shape});
        EXPECT_EQ(LastStepName(), c.step);
        EXPECT_EQ(StepCount(), steps + 1);
    }
    EXPECT_EQ(g_CurveFitter.GetDeviationBound(), 3.0) << "the pencil's bound stays";
}

TEST_F(FreehandToolTest, BrushWithoutABrushShapeMakesAShapeWithoutCurves)
{
    m_host.m_bNoBrush = true;
    Command(kCmdBrush);
    std::vector<CFlashShape*> before = Shapes();
    Drag(Wave(40, 240, 200, 10));
    CFlashShape* shape = NewShape(before, Shapes());
    ASSERT_NE(shape, nullptr);
    EXPECT_EQ(shape->GetCurveCount(), 0);
    EXPECT_EQ(LastStepName(), "Draw Brush Shape");
}

TEST_F(FreehandToolTest, EveryFreehandToolEmptiesItsPointsAtTheEndOfAStroke)
{
    AddRect(100, 100, 100, 100, RGB(0, 128, 0));
    const UINT commands[] = {kCmdPencil, kCmdBrush, kCmdEraser, kCmdLasso};
    for (UINT command : commands) {
        Command(command);
        Drag(Wave(20, 300, 150, 20));
        auto* tool = dynamic_cast<CDrawFreeHandTool*>(m_pView->GetCurrentTool());
        ASSERT_NE(tool, nullptr) << command;
        EXPECT_TRUE(tool->GetStrokePoints().empty()) << command;
    }
    EXPECT_TRUE(m_pView->GetLassoTool()->GetLassoPoints().empty());
}

TEST_F(FreehandToolTest, EraserCutsWhatItCrossesAndRecordsEvenOverEmptyStage)
{
    AddRect(100, 100, 100, 60, RGB(0, 128, 0));
    Command(kCmdEraser);
    const struct {
        const char* name;
        std::vector<POINT> stroke;
        bool noEraser;
        size_t shapes;
    } cases[] = {
        {"over empty stage", Wave(300, 400, 300, 0), false, 1},
        {"without an eraser shape", Wave(150, 150, 60, 0, 1), true, 1},
        {"down through the rectangle", {{150, 60}, {150, 100}, {150, 130}, {150, 200}}, false, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<Gdiplus::GraphicsPath> kept;
        if (c.noEraser)
            kept = std::move(m_host.m_pEraserPath);
        const int steps = StepCount();
        Drag(c.stroke);
        if (c.noEraser)
            m_host.m_pEraserPath = std::move(kept);
        EXPECT_EQ(Shapes().size(), c.shapes);
        EXPECT_EQ(LastStepName(), "Eraser");
        EXPECT_EQ(StepCount(), steps + 1);
        EXPECT_TRUE(m_pView->GetSelection().empty());
    }
    Pump();
    CWindowCapture capture(m_pView->GetSafeHwnd());
    POINT cut = Client(150, 130);
    POINT kept = Client(120, 130);
    EXPECT_EQ(capture.Pixel(cut.x, cut.y), RGB(255, 255, 255));
    EXPECT_EQ(capture.Pixel(kept.x, kept.y), RGB(0, 128, 0));
}

TEST_F(FreehandToolTest, LassoCutsTheEnclosedHalfAndSelectsIt)
{
    AddRect(100, 100, 100, 100, RGB(0, 128, 0));
    Command(kCmdLasso);
    // A hand-drawn loop: a point every few pixels round the left half.
    std::vector<POINT> loop;
    const POINT corners[] = {{80, 80}, {150, 80}, {150, 220}, {80, 220}, {80, 84}};
    for (size_t i = 0; i + 1 < std::size(corners); ++i)
        for (int k = 0; k < 20; ++k)
            loop.push_back({corners[i].x + (corners[i + 1].x - corners[i].x) * k / 20,
                            corners[i].y + (corners[i + 1].y - corners[i].y) * k / 20});
    Drag(loop);
    EXPECT_EQ(Shapes().size(), 2u);
    ASSERT_EQ(m_pView->GetSelection().size(), 1u);
    Gdiplus::Rect half = PixelBounds(m_pView->GetSelection().front());
    EXPECT_NEAR(half.X, 100, kSlack);
    EXPECT_NEAR(half.Width, 50, kSlack);
    EXPECT_EQ(LastStepName(), "Lasso");

    const int steps = StepCount();
    Click({400, 300});
    EXPECT_TRUE(m_pView->GetSelection().empty());
    EXPECT_EQ(StepCount(), steps + 1);
    EXPECT_EQ(LastStepName(), "Lasso");
}

TEST_F(FreehandToolTest, BrushTrailShowsWholeOnEveryMove)
{
    Command(kCmdBrush);
    std::vector<POINT> stroke = Wave(40, 300, 200, 30);
    Post(WM_MOUSEMOVE, 0, Client(stroke[0].x, stroke[0].y));
    Post(WM_LBUTTONDOWN, MK_LBUTTON, Client(stroke[0].x, stroke[0].y));
    for (size_t i = 1; i < stroke.size(); ++i)
        Post(WM_MOUSEMOVE, MK_LBUTTON, Client(stroke[i].x, stroke[i].y));
    {
        CWindowCapture capture(m_pView->GetSafeHwnd());
        capture.Save("brush-stroke.png");
        for (size_t i : {size_t(0), stroke.size() / 2, stroke.size() - 1}) {
            POINT at = Client(stroke[i].x, stroke[i].y);
            EXPECT_EQ(capture.Pixel(at.x, at.y), kCornflowerPixel) << i;
        }
    }
    Post(WM_LBUTTONUP, 0, Client(stroke.back().x, stroke.back().y));
    Pump();
    CWindowCapture capture(m_pView->GetSafeHwnd());
    POINT middle = Client(stroke[stroke.size() / 2].x, stroke[stroke.size() / 2].y);
    EXPECT_EQ(capture.Pixel(middle.x, middle.y), kCornflowerPixel);
}

TEST_F(FreehandToolTest, BrushFillsWithTheDefaultFillWhateverItsStrokePen)
{
    constexpr Gdiplus::ARGB kGreen = 0xFF00A000;
    constexpr Gdiplus::ARGB kBlue = 0xFF0000FF;
    m_pView->SetPenAndFillColors(RGB(0, 0, 0), RGB(0, 0xA0, 0));
    Gdiplus::Pen stroke{Gdiplus::Color(kBlue), 4.0f};
    m_pView->SetBrushPen(&stroke);
    Command(kCmdBrush);
    std::vector<CFlashShape*> before = Shapes();
    Drag(Wave(40, 240, 200, 10));
    CFlashShape* shape = NewShape(before, Shapes());
    ASSERT_NE(shape, nullptr);
    EXPECT_EQ(FillColor(shape), kGreen);
    EXPECT_EQ(PenColor(shape), kBlue);
}

} // namespace

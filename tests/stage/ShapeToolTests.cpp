// The line, rectangle and ellipse tools, played as mouse gestures on a stage window.
#include "ToolGestureSupport.h"

#include "model/FlashEditorDoc.h"
#include "model/FlashEditorLayer.h"
#include "model/FlashShape.h"
#include "stage/FlashEditorView.h"
#include "stage/FlashInplaceEdit.h"

#include <gtest/gtest.h>

namespace {

constexpr Gdiplus::ARGB kBlack = 0xFF000000;
constexpr Gdiplus::ARGB kCornflower = 0xFF6495ED;

class ShapeToolTest : public ::testing::Test, public CToolGestureFixture {
protected:
    void SetUp() override { ASSERT_NE(m_pView, nullptr); }
    void TearDown() override
    {
        if (m_pView != nullptr)
            m_pView->SetZoom(1.0f);
    }
};

struct CShapeGesture {
    const char* name;
    UINT command;
    float zoom;
    std::vector<POINT> points;  // press, moves, release; stage pixels at the zoom
    // Expected: no shape at all when kind is None.
    ShapeKind kind;
    Gdiplus::Rect bounds;       // twips
    Gdiplus::ARGB fill;
    const char* step;
};

TEST_F(ShapeToolTest, GesturesMakeOneSelectedShapeWithItsStep)
{
    const CShapeGesture cases[] = {
        {"line", kCmdLine, 1.0f, {{10, 20}, {50, 40}, {110, 70}}, ShapeKind::Path, {200, 400, 2000, 1000}, 0,
         "Draw Straight Line"},
        {"line at zoom 2", kCmdLine, 2.0f, {{10, 10}, {110, 10}}, ShapeKind::Path, {100, 100, 1000, 0}, 0,
         "Draw Straight Line"},
        {"line click", kCmdLine, 1.0f, {{30, 30}}, ShapeKind::None, {}, 0, ""},
        {"rectangle", kCmdRectangle, 1.0f, {{10, 20}, {40, 40}, {60, 80}}, ShapeKind::Hollow,
         {200, 400, 1000, 1200}, 0, "Draw Rectangle"},
        {"rectangle mirrored", kCmdRectangle, 1.0f, {{60, 80}, {40, 40}, {10, 20}}, ShapeKind::Hollow,
         {200, 400, 1000, 1200}, 0, "Draw Rectangle"},
        {"rectangle click", kCmdRectangle, 1.0f, {{30, 30}}, ShapeKind::None, {}, 0, ""},
        {"filled rectangle click", kCmdFilledRectangle, 1.0f, {{30, 30}}, ShapeKind::None, {}, 0, ""},
        {"filled rectangle", kCmdFilledRectangle, 1.0f, {{10, 20}, {60, 80}}, ShapeKind::Solid,
         {200, 400, 1000, 1200}, kCornflower, "Draw Rectangle"},
        {"ellipse", kCmdEllipse, 1.0f, {{10, 20}, {60, 80}}, ShapeKind::Hollow, {200, 400, 1000, 1200}, 0,
         "Draw Ellipse"},
        {"oval mirrored", kCmdOval, 1.0f, {{60, 80}, {30, 30}, {10, 20}}, ShapeKind::Solid,
         {200, 400, 1000, 1200}, kCornflower, "Draw Ellipse"},
        {"ellipse click", kCmdEllipse, 1.0f, {{30, 30}}, ShapeKind::None, {}, 0, ""},
        {"ellipse one pixel high at zoom 5", kCmdEllipse, 5.0f, {{10, 10}, {60, 11}}, ShapeKind::None, {}, 0, ""},
        {"ellipse two pixels high at zoom 5", kCmdEllipse, 5.0f, {{10, 10}, {60, 12}}, ShapeKind::Hollow,
         {40, 40, 200, 8}, 0, "Draw Ellipse"},
        {"ellipse one pixel each way at zoom 1", kCmdEllipse, 1.0f, {{10, 10}, {11, 11}}, ShapeKind::Hollow,
         {200, 200, 20, 20}, 0, "Draw Ellipse"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_pView->SetZoom(c.zoom);
        Command(c.command);
        std::vector<CFlashShape*> before = Shapes();
        const int steps = StepCount();
        Drag(c.points);
        std::vector<CFlashShape*> after = Shapes();
        if (c.kind == ShapeKind::None) {
            EXPECT_EQ(after.size(), before.size());
            EXPECT_EQ(StepCount(), steps);
            continue;
        }
        ASSERT_EQ(after.size(), before.size() + 1);
        CFlashShape* shape = NewShape(before, after);
        ASSERT_NE(shape, nullptr);
        EXPECT_EQ(KindOf(shape), c.kind);
        Gdiplus::Rect bounds = shape->GetBounds();
        EXPECT_NEAR(bounds.X, c.bounds.X, 1);
        EXPECT_NEAR(bounds.Y, c.bounds.Y, 1);
        EXPECT_NEAR(bounds.Width, c.bounds.Width, 1);
        EXPECT_NEAR(bounds.Height, c.bounds.Height, 1);
        EXPECT_EQ(PenColor(shape), kBlack);
        EXPECT_EQ(FillColor(shape), c.fill);
        EXPECT_EQ(m_pView->GetSelection(), std::vector<CFlashShape*>{shape});
        EXPECT_EQ(LastStepName(), c.step);
        EXPECT_EQ(StepCount(), steps + 1);
    }
}

TEST_F(ShapeToolTest, DrawnShapesShowOnTheStageAndSurviveUndoAndRedo)
{
    Command(kCmdFilledRectangle);
    Drag({{20, 20}, {120, 100}});
    Command(kCmdLine);
    Drag({{200, 50}, {300, 50}});
    Pump();
    {
        CWindowCapture capture(m_pView->GetSafeHwnd());
        POINT inside = Client(70, 60);
        POINT onLine = Client(250, 50);
        EXPECT_EQ(capture.Pixel(inside.x, inside.y), RGB(0x64, 0x95, 0xED)) << "the default fill";
        EXPECT_EQ(capture.Pixel(onLine.x, onLine.y), RGB(0, 0, 0)) << "the default pen";
    }
    ASSERT_EQ(Shapes().size(), 2u);
    ASSERT_TRUE(m_pDoc->GetUndoManager().Undo());
    EXPECT_EQ(Shapes().size(), 1u);
    ASSERT_TRUE(m_pDoc->GetUndoManager().Redo());
    EXPECT_EQ(Shapes().size(), 2u);
}

TEST_F(ShapeToolTest, NothingIsAddedWhereTheCurrentLayerTakesNoShape)
{
    const struct {
        const char* name;
        bool lock;
        int frame;
    } cases[] = {
        {"locked layer", true, 1},
        {"frame beyond the spans", false, 40},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_pDoc->GetCurrentLayer()->SetLocked(c.lock);
        m_pDoc->SetCurrentFrame(c.frame);
        for (UINT command : {kCmdLine, kCmdRectangle, kCmdOval, kCmdPencil, kCmdBrush, kCmdEraser, kCmdLasso}) {
            Command(command);
            const int steps = StepCount();
            Drag({{10, 10}, {80, 60}});
            EXPECT_EQ(StepCount(), steps) << command;
            EXPECT_TRUE(m_pView->GetSelection().empty()) << command;
        }
        Command(kCmdText);
        const int steps = StepCount();
        Click({200, 200});
        m_pView->GetInplaceEdit()->SendMessage(WM_CHAR, 'A', 1);
        Command(kCmdSelect);
        EXPECT_EQ(StepCount(), steps) << "text";
        m_pDoc->GetCurrentLayer()->SetLocked(false);
        m_pDoc->SetCurrentFrame(1);
        EXPECT_TRUE(Shapes().empty());
    }
}

TEST_F(ShapeToolTest, FeedbackShowsTheRubberBandOverTheBackdropOnly)
{
    AddRect(200, 200, 40, 40, RGB(255, 0, 0));
    Command(kCmdRectangle);
    POINT press = Client(20, 20);
    Post(WM_LBUTTONDOWN, MK_LBUTTON, press);
    Post(WM_MOUSEMOVE, MK_LBUTTON, Client(150, 150));
    Post(WM_MOUSEMOVE, MK_LBUTTON, Client(60, 60));
    {
        CWindowCapture capture(m_pView->GetSafeHwnd());
        POINT stale = Client(150, 100);
        POINT red = Client(220, 220);
        EXPECT_EQ(capture.Pixel(stale.x, stale.y), RGB(255, 255, 255)) << "an earlier band is gone";
        EXPECT_EQ(capture.Pixel(red.x, red.y), RGB(255, 0, 0)) << "the backdrop shows the stage";
    }
    Post(WM_LBUTTONUP, 0, Client(60, 60));
}

} // namespace

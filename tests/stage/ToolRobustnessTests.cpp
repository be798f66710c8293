// The tools under awkward input: long strokes, presses off the stage, releases outside the
// window or after the capture was lost, and extreme zooms.
#include "ToolGestureSupport.h"

#include "model/FlashEditorDoc.h"
#include "model/FlashShape.h"
#include "model/FlashSolidShape.h"
#include "model/FlashEditorFrameShapeTransform.h"
#include "stage/FlashEditorView.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

class ToolRobustnessTest : public ::testing::Test, public CToolGestureFixture {
protected:
    void SetUp() override
    {
        ASSERT_NE(m_pView, nullptr);
        m_host.m_pEraserPath = std::make_unique<Gdiplus::GraphicsPath>();
        m_host.m_pEraserPath->AddRectangle(Gdiplus::Rect(-6, -6, 12, 12));
    }
    void TearDown() override
    {
        if (m_pView != nullptr)
            m_pView->SetZoom(1.0f);
    }
    // Real mouse input at a client point of the view.
    void Mouse(POINT client, DWORD flags)
    {
        POINT at = ToScreen(client.x, client.y);
        INPUT input = {};
        input.type = INPUT_MOUSE;
        input.mi.dx = LONG(at.x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1));
        input.mi.dy = LONG(at.y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1));
        input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
        ::SendInput(1, &input, sizeof input);
        Pump();
    }
};

TEST_F(ToolRobustnessTest, LongStrokesFinishWithTheirStep)
{
    AddRect(100, 100, 200, 200, RGB(0, 128, 0));
    // A tight scribble across the rectangle, a point a step.
    auto scribble = [](int points) {
        std::vector<POINT> stroke;
        for (int i = 0; i < points; ++i)
            stroke.push_back({150 + int(100 * std::sin(i / 30.0)), 120 + i * 160 / points});
        return stroke;
    };
    const struct {
        UINT command;
        int points;
        const char* step;
    } cases[] = {
        {kCmdPencil, 2000, "Draw Free Hand Shape"},
        {kCmdBrush, 2000, "Draw Brush Shape"},
        {kCmdEraser, 1000, "Eraser"},
        {kCmdLasso, 1000, "Lasso"},
    };
    for (const auto& c : cases) {
        Command(c.command);
        const int steps = StepCount();
        Drag(scribble(c.points));
        EXPECT_EQ(StepCount(), steps + 1) << c.step;
        EXPECT_EQ(LastStepName(), c.step);
    }
}

TEST_F(ToolRobustnessTest, PressesOffTheStageAndExtremeZooms)
{
    const struct {
        const char* name;
        float zoom;
        std::vector<POINT> drag;  // stage pixels at the zoom
        Gdiplus::Rect bounds;     // twips
    } cases[] = {
        {"above and left of the stage", 1.0f, {{-20, -15}, {30, 25}}, {-400, -300, 1000, 800}},
        {"zoom 0.1", 0.1f, {{5, 5}, {25, 15}}, {1000, 1000, 4000, 2000}},
        {"zoom 20", 20.0f, {{100, 100}, {300, 200}}, {100, 100, 200, 100}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_pView->SetZoom(c.zoom);
        Command(kCmdRectangle);
        std::vector<CFlashShape*> before = Shapes();
        Drag(c.drag);
        CFlashShape* shape = NewShape(before, Shapes());
        ASSERT_NE(shape, nullptr);
        Gdiplus::Rect b = shape->GetBounds();
        EXPECT_NEAR(b.X, c.bounds.X, 2);
        EXPECT_NEAR(b.Y, c.bounds.Y, 2);
        EXPECT_NEAR(b.Width, c.bounds.Width, 2);
        EXPECT_NEAR(b.Height, c.bounds.Height, 2);
        EXPECT_EQ(LastStepName(), "Draw Rectangle");
    }
}

TEST_F(ToolRobustnessTest, AReleaseOutsideTheWindowEndsTheDragThere)
{
    m_pFrame->SetForegroundWindow();
    Pump();
    Command(kCmdLine);
    std::vector<CFlashShape*> before = Shapes();
    POINT press = Client(100, 100);
    Mouse(press, 0);
    Mouse(press, MOUSEEVENTF_LEFTDOWN);
    Mouse({press.x - 60, press.y - 60}, 0);
    Mouse({-40, -40}, 0);
    Mouse({-40, -40}, MOUSEEVENTF_LEFTUP);
    CFlashShape* line = NewShape(before, Shapes());
    ASSERT_NE(line, nullptr);
    Gdiplus::Rect b = line->GetBounds();
    EXPECT_LT(b.X, 0) << "the line reaches past the stage's left edge";
    EXPECT_EQ(LastStepName(), "Draw Straight Line");
}

TEST_F(ToolRobustnessTest, AReleaseAfterTheCaptureWasLostIsHandledOnce)
{
    for (UINT command : {kCmdRectangle, kCmdPencil, kCmdSelect}) {
        SCOPED_TRACE(command);
        Command(command);
        const int steps = StepCount();
        const size_t shapes = Shapes().size();
        Post(WM_LBUTTONDOWN, MK_LBUTTON, Client(300, 300));
        Post(WM_MOUSEMOVE, MK_LBUTTON, Client(340, 330));
        Post(WM_MOUSEMOVE, MK_LBUTTON, Client(360, 350));
        ::ReleaseCapture();
        Pump();
        const int afterLoss = StepCount();
        EXPECT_LE(afterLoss, steps + 1);
        Post(WM_LBUTTONUP, 0, Client(360, 350));
        EXPECT_EQ(StepCount(), afterLoss) << "the late release does nothing more";
        EXPECT_LE(Shapes().size(), shapes + 1);
    }
}

TEST_F(ToolRobustnessTest, EscapeEndsADragWithNothingChangedAndNoStep)
{
    CFlashShape* rect = AddRect(100, 100, 100, 60, RGB(0, 128, 0));
    auto placement = [&] {
        std::vector<Gdiplus::REAL> e(6);
        m_pView->GetShapeTransform(rect)->GetMatrix()->GetElements(e.data());
        return e;
    };
    const struct {
        const char* name;
        UINT command;
        bool selectFirst;
        std::vector<POINT> drag;  // press, then moves; Escape comes after the last
    } cases[] = {
        {"rectangle", kCmdRectangle, false, {{300, 300}, {340, 330}, {360, 350}}},
        {"line", kCmdLine, false, {{300, 300}, {360, 350}}},
        {"ellipse", kCmdEllipse, false, {{300, 300}, {360, 350}}},
        {"pencil", kCmdPencil, false, {{300, 300}, {320, 310}, {340, 330}, {360, 350}}},
        {"brush", kCmdBrush, false, {{300, 300}, {320, 310}, {340, 330}, {360, 350}}},
        {"move", kCmdSelect, false, {{150, 130}, {170, 150}, {200, 180}}},
        {"scale", kCmdFreeTransform, true, {{100, 100}, {90, 95}, {80, 90}}},
        {"rotate", kCmdFreeTransform, true, {{204, 96}, {215, 110}, {220, 130}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Command(c.command);
        if (c.selectFirst) {
            Click({150, 130});
            ASSERT_EQ(m_pView->GetSelection().size(), 1u);
        }
        const int steps = StepCount();
        const size_t shapes = Shapes().size();
        const std::vector<Gdiplus::REAL> placed = placement();
        Post(WM_MOUSEMOVE, 0, Client(c.drag[0].x, c.drag[0].y));
        Post(WM_LBUTTONDOWN, MK_LBUTTON, Client(c.drag[0].x, c.drag[0].y));
        for (size_t i = 1; i < c.drag.size(); ++i)
            Post(WM_MOUSEMOVE, MK_LBUTTON, Client(c.drag[i].x, c.drag[i].y));
        m_pView->SendMessage(WM_KEYDOWN, VK_ESCAPE, 1);
        EXPECT_NE(::GetCapture(), m_pView->GetSafeHwnd());
        EXPECT_FALSE(m_pView->GetCurrentTool()->HasBackdrop());
        Post(WM_MOUSEMOVE, MK_LBUTTON, Client(380, 370));
        Post(WM_LBUTTONUP, 0, Client(380, 370));
        EXPECT_EQ(StepCount(), steps);
        EXPECT_EQ(Shapes().size(), shapes);
        EXPECT_EQ(placement(), placed);
    }
    // A drag after a cancelled one is whole again.
    Command(kCmdRectangle);
    const int steps = StepCount();
    Drag({{300, 300}, {360, 350}});
    EXPECT_EQ(StepCount(), steps + 1);
}

} // namespace

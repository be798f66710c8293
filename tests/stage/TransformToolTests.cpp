// The select and free-transform tools, played as mouse gestures on a stage window.
#include "ToolGestureSupport.h"

#include "model/FlashContinuousPathShape.h"
#include "model/FlashEditorDoc.h"
#include "model/FlashEditorFrameShapeTransform.h"
#include "model/FlashShape.h"
#include "model/FlashSolidShape.h"
#include "model/FlashStraightLine.h"
#include "stage/FlashEditorView.h"
#include "stage/FreeTransformTool.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

class TransformToolTest : public ::testing::Test, public CToolGestureFixture {
protected:
    void SetUp() override { ASSERT_NE(m_pView, nullptr); }
    void TearDown() override
    {
        if (m_pView != nullptr)
            m_pView->SetZoom(1.0f);
    }
    Gdiplus::Rect SelectionBounds() const
    {
        Gdiplus::Rect bounds(0, 0, 0, 0);
        m_pView->GetSelectionBounds(bounds);
        return bounds;
    }
    // Every placement of the current layer is finite and can be inverted.
    void ExpectSoundPlacements()
    {
        for (CFlashShape* shape : Shapes()) {
            Gdiplus::REAL e[6] = {};
            m_pView->GetShapeTransform(shape)->GetMatrix()->GetElements(e);
            for (Gdiplus::REAL value : e)
                EXPECT_TRUE(std::isfinite(value));
            EXPECT_TRUE(m_pView->GetShapeTransform(shape)->GetMatrix()->IsInvertible());
        }
    }
    CFlashShape* AddLine(int x0, int y0, int x1, int y1)
    {
        Gdiplus::Pen pen{Gdiplus::Color(0xFF000000), 20.0f};
        auto* line = new CFlashContinuousPathShape(&pen);
        line->InsertCurve(new CFlashStraightLine(x0 * 20, y0 * 20, x1 * 20, y1 * 20), false, 0);
        if (!m_pDoc->AddShape(line)) {
            delete line;
            return nullptr;
        }
        return line;
    }
};

TEST_F(TransformToolTest, SelectToolPicksAndMarquees)
{
    CFlashShape* lower = AddRect(100, 100, 80, 80, RGB(255, 0, 0));
    CFlashShape* upper = AddRect(140, 140, 80, 80, RGB(0, 0, 255));
    CFlashShape* apart = AddRect(400, 100, 40, 40, RGB(0, 128, 0));
    Command(kCmdSelect);
    using Selection = std::vector<CFlashShape*>;
    const struct {
        const char* name;
        std::vector<POINT> drag;
        UINT modifiers;
        Selection expected;
    } cases[] = {
        {"click a shape", {{110, 110}}, 0, {lower}},
        {"ctrl-click adds", {{420, 120}}, MK_CONTROL, {lower, apart}},
        {"ctrl-click on empty stage keeps", {{300, 350}}, MK_CONTROL, {lower, apart}},
        {"click on empty stage clears", {{300, 350}}, 0, {}},
        {"marquee round the pair", {{90, 90}, {200, 200}, {230, 230}}, 0, {lower, upper}},
        {"flat marquee selects nothing", {{380, 120}, {420, 200}, {460, 120}}, 0, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Drag(c.drag, c.modifiers);
        Selection selection = m_pView->GetSelection();
        std::sort(selection.begin(), selection.end());
        Selection expected = c.expected;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(selection, expected);
    }
    // Picking the lower shape where the two overlap brought it to the top.
    Click({110, 110});
    Post(WM_MOUSEMOVE, 0, Client(160, 160));
    EXPECT_EQ(m_pView->GetHoveredShape(), lower);
}

TEST_F(TransformToolTest, MovesRecordTranslateShapesThatUndoAndRedoKeep)
{
    for (UINT command : {kCmdSelect, kCmdFreeTransform}) {
        SCOPED_TRACE(command);
        m_pDoc->RemoveShapes(Shapes()).clear();
        m_pView->RemoveFromSelection(nullptr, false);
        AddRect(100, 100, 80, 80, RGB(255, 0, 0));
        Command(command);
        Click({120, 120});
        const int steps = StepCount();
        Click({120, 120});
        EXPECT_EQ(StepCount(), steps) << "a click moves nothing";
        Drag({{120, 120}, {150, 140}, {170, 160}});
        EXPECT_EQ(LastStepName(), "Translate Shapes");
        ASSERT_TRUE(m_pDoc->GetUndoManager().Undo());
        ASSERT_TRUE(m_pDoc->GetUndoManager().Redo());
        Post(WM_MOUSEMOVE, 0, Client(215, 215));
        EXPECT_NE(m_pView->GetHoveredShape(), nullptr) << "the shape stayed where it was dropped";
        Post(WM_MOUSEMOVE, 0, Client(110, 110));
        EXPECT_EQ(m_pView->GetHoveredShape(), nullptr);
    }
}

TEST_F(TransformToolTest, DraggedSelectionShowsAtThePointerOverTheRestOfTheStage)
{
    AddRect(100, 100, 60, 60, RGB(255, 0, 0));
    AddRect(300, 100, 60, 60, RGB(0, 0, 255));
    Command(kCmdSelect);
    Post(WM_MOUSEMOVE, 0, Client(130, 130));
    Post(WM_LBUTTONDOWN, MK_LBUTTON, Client(130, 130));
    Post(WM_MOUSEMOVE, MK_LBUTTON, Client(180, 200));
    Post(WM_MOUSEMOVE, MK_LBUTTON, Client(230, 230));
    {
        CWindowCapture capture(m_pView->GetSafeHwnd());
        const struct {
            POINT stage;
            COLORREF color;
        } pixels[] = {
            {{110, 110}, RGB(255, 255, 255)},  // where the dragged shape was
            {{230, 230}, RGB(255, 0, 0)},      // where it is now
            {{330, 130}, RGB(0, 0, 255)},      // the shape left alone
        };
        for (const auto& p : pixels) {
            POINT at = Client(p.stage.x, p.stage.y);
            EXPECT_EQ(capture.Pixel(at.x, at.y), p.color) << p.stage.x << "," << p.stage.y;
        }
    }
    Post(WM_LBUTTONUP, 0, Client(230, 230));
}

TEST_F(TransformToolTest, CornerDragScalesAndKeepsTheOppositeCorner)
{
    AddRect(100, 100, 100, 60, RGB(255, 0, 0));
    Command(kCmdFreeTransform);
    Click({150, 130});
    ASSERT_EQ(m_pView->GetSelection().size(), 1u);
    Gdiplus::Rect before = SelectionBounds();
    Drag({{100, 100}, {105, 100}, {110, 100}});
    Gdiplus::Rect after = SelectionBounds();
    EXPECT_EQ(LastStepName(), "Transform Shape");
    EXPECT_NEAR(after.Width, before.Width - 200, 2);
    EXPECT_NEAR(after.Height, before.Height, 2);
    EXPECT_NEAR(after.X + after.Width, before.X + before.Width, 2);
    EXPECT_NEAR(after.Y + after.Height, before.Y + before.Height, 2);
    Pump();
    CWindowCapture(m_pView->GetSafeHwnd()).Save("free-transform-frame.png");
}

TEST_F(TransformToolTest, QuarterTurnRotatesAboutTheCentreMark)
{
    AddRect(200, 150, 100, 40, RGB(255, 0, 0));
    Command(kCmdFreeTransform);
    Click({250, 170});
    Gdiplus::Rect before = SelectionBounds();
    // From the outer ring of the top-right corner's zone, a quarter turn round the centre.
    const double cx = 250, cy = 170;
    const double radius = std::hypot(304 - cx, 146 - cy);
    const double start = std::atan2(146 - cy, 304 - cx);
    std::vector<POINT> arc;
    for (int i = 0; i <= 12; ++i) {
        double a = start + (M_PI / 2) * i / 12;
        arc.push_back({int(std::lround(cx + radius * std::cos(a))), int(std::lround(cy + radius * std::sin(a)))});
    }
    Drag(arc);
    EXPECT_EQ(LastStepName(), "Transform Shape");
    Gdiplus::Rect after = SelectionBounds();
    EXPECT_NEAR(after.Width, before.Height, 40);
    EXPECT_NEAR(after.Height, before.Width, 40);
    EXPECT_NEAR(after.X + after.Width / 2, before.X + before.Width / 2, 40);
    EXPECT_NEAR(after.Y + after.Height / 2, before.Y + before.Height / 2, 40);
    ExpectSoundPlacements();
}

TEST_F(TransformToolTest, FlatSelectionsAndCollapsedFramesKeepSoundPlacements)
{
    const struct {
        const char* name;
        POINT from;
        POINT to;
        std::vector<POINT> drag;
    } cases[] = {
        // A horizontal line has no height: its bottom edge drag must not divide by it.
        {"bottom edge of a horizontal line", {100, 200}, {300, 200}, {{200, 200}, {200, 260}}},
        {"corner of a vertical line", {400, 100}, {400, 300}, {{400, 100}, {440, 60}}},
        {"centre mark of a horizontal line", {100, 350}, {300, 350}, {{200, 350}, {230, 380}}},
    };
    Command(kCmdFreeTransform);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AddLine(c.from.x, c.from.y, c.to.x, c.to.y);
        Click({(c.from.x + c.to.x) / 2, (c.from.y + c.to.y) / 2});
        ASSERT_EQ(m_pView->GetSelection().size(), 1u);
        Drag(c.drag);
        EXPECT_EQ(LastStepName(), "Transform Shape");
        ExpectSoundPlacements();
        Gdiplus::PointF fractions = m_pView->GetFreeTransformTool()->GetCentreFractions();
        EXPECT_TRUE(std::isfinite(fractions.X) && std::isfinite(fractions.Y));
    }
    // A frame dragged onto its opposite side keeps a twip.
    AddRect(100, 420, 100, 40, RGB(255, 0, 0));
    Click({150, 440});
    Drag({{100, 420}, {150, 420}, {200, 420}});
    EXPECT_EQ(LastStepName(), "Transform Shape");
    ExpectSoundPlacements();
}

TEST_F(TransformToolTest, HandlesKeepTheirSizeOnScreenAtEveryZoom)
{
    for (float zoom : {0.5f, 2.0f, 4.0f}) {
        SCOPED_TRACE(zoom);
        m_pDoc->RemoveShapes(Shapes()).clear();
        m_pView->RemoveFromSelection(nullptr, false);
        m_pView->SetZoom(zoom);
        AddRect(20, 20, 40, 40, RGB(255, 0, 0));
        Command(kCmdFreeTransform);
        POINT centre = {int(40 * zoom), int(40 * zoom)};
        Click(centre);
        ASSERT_EQ(m_pView->GetSelection().size(), 1u);
        // The top-left corner handle, 2 pixels off its corner, takes the press.
        POINT corner = {int(20 * zoom) + 2, int(20 * zoom) + 2};
        Post(WM_MOUSEMOVE, 0, Client(corner.x, corner.y));
        EXPECT_EQ(::GetCursor(), ::LoadCursorA(nullptr, IDC_SIZENWSE));
        Post(WM_MOUSEMOVE, 0, Client(corner.x + 6, corner.y + 6));
        EXPECT_NE(::GetCursor(), ::LoadCursorA(nullptr, IDC_SIZENWSE));
    }
}

} // namespace

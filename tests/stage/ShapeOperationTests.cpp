// Union, intersection and difference of the selection; the eraser's and the lasso's cuts.
#include "StageTestSupport.h"

#include "model/FlashContinuousPathShape.h"
#include "model/FlashEditorDoc.h"
#include "model/FlashEditorFrame.h"
#include "model/FlashEditorLayer.h"
#include "model/FlashSolidShape.h"
#include "model/FlashStraightLine.h"
#include "model/FlashTextShape.h"
#include "stage/FlashEditorView.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr int kTwips = 20;

class ShapeOperationTest : public ::testing::Test, public CStageFixture {
protected:
    void SetUp() override { ASSERT_NE(m_pView, nullptr); }

    std::vector<CFlashShape*> Shapes(int layer = 0) const
    {
        std::vector<CFlashShape*> shapes;
        (layer == 0 ? m_pDoc->GetCurrentLayer() : m_pDoc->GetLayer(layer))->GetCurrentFrameShapes(shapes);
        return shapes;
    }
    void Select(std::initializer_list<CFlashShape*> shapes)
    {
        m_pView->RemoveFromSelection(nullptr, false);
        for (CFlashShape* shape : shapes)
            m_pView->AddToSelection(shape, false);
    }
    // A rectangle in stage pixels as a shape in twips without placement (an eraser or a lasso).
    static std::unique_ptr<CFlashSolidShape> Outline(int x, int y, int width, int height)
    {
        Gdiplus::SolidBrush brush(Gdiplus::Color(255, 0, 0, 0));
        auto shape = std::make_unique<CFlashSolidShape>(&brush);
        int l = x * kTwips, t = y * kTwips, r = (x + width) * kTwips, b = (y + height) * kTwips;
        shape->InsertCurve(new CFlashStraightLine(l, t, r, t), false, 0);
        shape->InsertCurve(new CFlashStraightLine(r, t, r, b), false, 0);
        shape->InsertCurve(new CFlashStraightLine(r, b, l, b), false, 0);
        shape->InsertCurve(new CFlashStraightLine(l, b, l, t), false, 0);
        return shape;
    }
};

TEST_F(ShapeOperationTest, BooleanCommandsAddTheirResults)
{
    const struct {
        const char* what;
        UINT command;
        std::vector<RECT> rects;  // x, y, width, height in stage pixels, selected in this order
        size_t added;
        const char* step;         // null: no step
        RECT bounds;              // of the first result, in stage pixels
    } cases[] = {
        {"union of two", 32882, {{10, 10, 40, 40}, {30, 30, 40, 40}}, 1, "Insert Shape Union", {10, 10, 60, 60}},
        // C overlaps A, B overlaps only C: scanning again unites all three.
        {"union of a chain", 32882, {{10, 10, 40, 40}, {100, 10, 40, 40}, {40, 10, 70, 20}}, 1,
         "Insert Shape Union", {10, 10, 130, 40}},
        {"intersection", 32881, {{10, 10, 40, 40}, {30, 30, 40, 40}}, 1, "Insert Shape Intersection",
         {30, 30, 20, 20}},
        {"disjoint intersection", 32881, {{10, 10, 20, 20}, {100, 100, 20, 20}}, 0, nullptr, {}},
        {"difference", 32883, {{10, 10, 40, 40}, {30, 30, 40, 40}}, 2, "Insert Shape Difference", {10, 10, 40, 40}},
    };
    for (const auto& c : cases) {
        CStageFixture fixture;
        std::vector<CFlashShape*> selection;
        for (const RECT& r : c.rects)
            selection.push_back(fixture.AddRect(r.left, r.top, r.right, r.bottom, selection.empty() ? kRed : kBlue));
        for (CFlashShape* shape : selection)
            fixture.m_pView->AddToSelection(shape, false);
        int steps = fixture.StepCount();
        fixture.m_pView->SendMessage(WM_COMMAND, c.command);
        std::vector<CFlashShape*> shapes;
        fixture.m_pDoc->GetCurrentLayer()->GetCurrentFrameShapes(shapes);
        ASSERT_EQ(shapes.size(), c.rects.size() + c.added) << c.what << ": the operands stay";
        EXPECT_EQ(fixture.StepCount(), steps + (c.step ? 1 : 0)) << c.what;
        if (c.step != nullptr) {
            EXPECT_EQ(fixture.LastStepName(), c.step) << c.what;
        }
        if (c.added == 0)
            continue;
        // Newest shapes are topmost: the last added result comes first.
        CFlashShape* result = shapes[c.added - 1];
        Gdiplus::Rect bounds = result->GetBounds();
        EXPECT_NEAR(bounds.X, c.bounds.left * kTwips, kTwips) << c.what;
        EXPECT_NEAR(bounds.Y, c.bounds.top * kTwips, kTwips) << c.what;
        EXPECT_NEAR(bounds.Width, c.bounds.right * kTwips, kTwips) << c.what;
        EXPECT_NEAR(bounds.Height, c.bounds.bottom * kTwips, kTwips) << c.what;
        Gdiplus::Color fill;
        static_cast<Gdiplus::SolidBrush*>(result->GetBrush())->GetColor(&fill);
        EXPECT_EQ(fill.GetValue(), Gdiplus::ARGB(0xFFFF0000)) << c.what << ": the first shape's fill";
    }
}

TEST_F(ShapeOperationTest, OpenOrEmptyShapesAreLeftAlone)
{
    CFlashSolidShape* a = AddRect(10, 10, 40, 40, kRed);
    CFlashSolidShape* b = AddRect(30, 30, 40, 40, kBlue);
    Gdiplus::Font font(u"Arial", 12.0f);
    auto* text = new CFlashTextShape(&font, m_pView->GetDefaultPen(), m_pView->GetDefaultFill());
    text->SetText("T");
    ASSERT_TRUE(m_pDoc->AddShape(text));
    Gdiplus::SolidBrush brush(Gdiplus::Color(255, 0, 0, 0));
    auto* empty = new CFlashSolidShape(&brush);
    ASSERT_TRUE(m_pDoc->AddShape(empty));

    const int steps = StepCount();
    Select({a, text});
    m_pView->InsertShapeUnion();
    EXPECT_EQ(Shapes().size(), 4u) << "an open shape stops the command";
    EXPECT_EQ(StepCount(), steps);

    Select({a, empty, b});
    m_pView->InsertShapeUnion();
    EXPECT_EQ(Shapes().size(), 5u) << "the shape without curves is passed over";
    EXPECT_EQ(LastStepName(), "Insert Shape Union");
}

TEST_F(ShapeOperationTest, EraserCutsEachShapeOnItsOwnLayer)
{
    const struct {
        const char* what;
        bool locked;
        bool visible;
        size_t bottomShapes;  // on the first layer afterwards
        bool originalStays;
    } cases[] = {
        {"visible and unlocked", false, true, 2, false},
        {"locked", true, true, 1, true},
        {"invisible", false, false, 1, true},
    };
    for (const auto& c : cases) {
        CStageFixture fixture;
        CFlashSolidShape* shape = fixture.AddRect(10, 10, 100, 40, kRed);
        fixture.m_pView->AddToSelection(shape, false);
        fixture.m_pDoc->AddLayer();
        fixture.m_pDoc->SetCurrentLayer(2);
        CFlashEditorLayer* bottom = fixture.m_pDoc->GetLayer(1);
        bottom->SetLocked(c.locked);
        bottom->SetVisible(c.visible);
        std::unique_ptr<CFlashSolidShape> eraser = Outline(50, 0, 20, 60);
        fixture.m_pView->EraseWithShape(eraser.get());
        std::vector<CFlashShape*> shapes;
        bottom->GetCurrentFrameShapes(shapes);
        EXPECT_EQ(shapes.size(), c.bottomShapes) << c.what;
        std::vector<CFlashShape*> current;
        fixture.m_pDoc->GetCurrentLayer()->GetCurrentFrameShapes(current);
        EXPECT_TRUE(current.empty()) << c.what << ": no piece lands on the current layer";
        bool stays = std::find(shapes.begin(), shapes.end(), shape) != shapes.end();
        EXPECT_EQ(stays, c.originalStays) << c.what;
        // A removed shape has left the selection before it was freed.
        EXPECT_EQ(fixture.m_pView->GetSelection().size(), c.originalStays ? 1u : 0u) << c.what;
    }
}

TEST_F(ShapeOperationTest, EraserKeepsAnOpenStrokeItMisses)
{
    auto* stroke = new CFlashContinuousPathShape(m_pView->GetDefaultPen());
    stroke->InsertCurve(new CFlashStraightLine(0, 0, 2000, 0), false, 0);
    stroke->InsertCurve(new CFlashStraightLine(2000, 0, 2000, 2000), false, 0);
    ASSERT_TRUE(m_pDoc->AddShape(stroke));
    const int id = stroke->GetObjectId();
    // Inside the stroke's bounds but touching neither line.
    std::unique_ptr<CFlashSolidShape> eraser = Outline(10, 50, 20, 20);
    m_pView->EraseWithShape(eraser.get());
    std::vector<CFlashShape*> shapes = Shapes();
    ASSERT_EQ(shapes.size(), 1u);
    EXPECT_EQ(shapes[0], stroke);
    EXPECT_EQ(shapes[0]->GetObjectId(), id);
    EXPECT_EQ(shapes[0]->GetCurveCount(), 2);

    // Across the horizontal line it cuts.
    std::unique_ptr<CFlashSolidShape> across = Outline(40, -10, 10, 20);
    m_pView->EraseWithShape(across.get());
    shapes = Shapes();
    EXPECT_EQ(std::find(shapes.begin(), shapes.end(), stroke), shapes.end());
    EXPECT_GE(shapes.size(), 1u);
}

TEST_F(ShapeOperationTest, LassoSelectsTheInsidePiece)
{
    CFlashSolidShape* shape = AddRect(10, 10, 100, 40, kRed);
    m_pView->SetHoveredShape(shape);
    std::unique_ptr<CFlashSolidShape> lasso = Outline(0, 0, 60, 60);
    m_pView->LassoCut(lasso.get());
    std::vector<CFlashShape*> shapes = Shapes();
    ASSERT_EQ(shapes.size(), 2u);
    EXPECT_EQ(std::find(shapes.begin(), shapes.end(), shape), shapes.end());
    EXPECT_EQ(m_pView->GetHoveredShape(), nullptr);
    ASSERT_EQ(m_pView->GetSelection().size(), 1u);
    CFlashShape* inside = m_pView->GetSelection().front();
    EXPECT_EQ(inside->GetState(), kResourceStateSelected);
    EXPECT_NEAR(inside->GetBounds().X, 10 * kTwips, kTwips);
    EXPECT_NEAR(inside->GetBounds().Width, 50 * kTwips, kTwips);
}

} // namespace

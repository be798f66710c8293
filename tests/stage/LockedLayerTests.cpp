// A locked layer's shapes: no tool picks them and no edit of the selection changes them.
#include "ToolGestureSupport.h"

#include "model/FlashEditorDoc.h"
#include "model/FlashEditorFrameShapeTransform.h"
#include "model/FlashEditorLayer.h"
#include "model/FlashSolidShape.h"
#include "stage/FlashEditorView.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

class LockedLayerTest : public ::testing::Test, public CToolGestureFixture {
protected:
    void SetUp() override
    {
        ASSERT_NE(m_pView, nullptr);
        m_pRect = AddRect(100, 100, 100, 60, RGB(0, 128, 0));
        ASSERT_NE(m_pRect, nullptr);
    }
    void Lock() { m_pDoc->GetCurrentLayer()->SetLocked(true); }
    // What an edit could change of the rectangle: its styles, its place and its outline.
    std::vector<float> Look() const
    {
        std::vector<float> look{float(PenColor(m_pRect)), float(FillColor(m_pRect))};
        Gdiplus::REAL e[6] = {};
        m_pView->GetShapeTransform(m_pRect)->GetMatrix()->GetElements(e);
        look.insert(look.end(), e, e + 6);
        const Gdiplus::Rect b = m_pRect->GetBounds();
        look.insert(look.end(), {float(b.X), float(b.Y), float(b.Width), float(b.Height)});
        return look;
    }
    CFlashSolidShape* m_pRect = nullptr;
};

TEST_F(LockedLayerTest, NoToolPicksOrChangesTheShapes)
{
    Lock();
    const struct {
        const char* name;
        UINT command;
        std::vector<POINT> drag;
    } cases[] = {
        {"select click", kCmdSelect, {{150, 130}}},
        {"select drag", kCmdSelect, {{150, 130}, {180, 150}, {220, 190}}},
        {"marquee", kCmdSelect, {{50, 50}, {150, 150}, {300, 300}}},
        {"free transform drag", kCmdFreeTransform, {{150, 130}, {220, 190}}},
        {"subselection drag", kCmdSubselection, {{100, 100}, {130, 120}}},
        {"paint bucket", kCmdPaintBucket, {{150, 130}}},
        {"ink bottle", kCmdInkBottle, {{150, 130}}},
    };
    const std::vector<float> look = Look();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Command(c.command);
        const int steps = StepCount();
        Drag(c.drag);
        EXPECT_TRUE(m_pView->GetSelection().empty());
        EXPECT_EQ(m_pView->GetHoveredShape(), nullptr);
        EXPECT_EQ(StepCount(), steps);
        EXPECT_EQ(Look(), look);
    }
}

TEST_F(LockedLayerTest, ShapesSelectedBeforeTheLockTakeNoEdit)
{
    const struct {
        const char* name;
        std::function<void(CFlashEditorView&)> edit;
    } cases[] = {
        {"move", [](CFlashEditorView& view) { view.MoveSelection(400, 200); }},
        {"colours", [](CFlashEditorView& view) { view.SetPenAndFillColors(RGB(255, 0, 0), RGB(0, 0, 255)); }},
        {"clear", [](CFlashEditorView& view) { view.DeleteSelection(); }},
        {"bring to front", [](CFlashEditorView& view) { view.OnBringToFront(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_pDoc->GetCurrentLayer()->SetLocked(false);
        Command(kCmdSelect);
        Click({150, 130});
        ASSERT_EQ(m_pView->GetSelection().size(), 1u);
        Lock();
        const std::vector<float> look = Look();
        c.edit(*m_pView);
        ASSERT_EQ(Shapes().size(), 1u);
        EXPECT_EQ(Look(), look);
        EXPECT_TRUE(m_pView->GetSelection().empty());
    }
}

} // namespace

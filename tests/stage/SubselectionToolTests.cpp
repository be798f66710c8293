// The subselection tool: joints and control points picked and dragged on a stage window.
#include "ToolGestureSupport.h"

#include "model/FlashCurve.h"
#include "model/FlashEditorDoc.h"
#include "model/FlashEditorFrameShapeTransform.h"
#include "model/FlashShape.h"
#include "model/FlashSolidShape.h"
#include "stage/FlashEditorView.h"
#include "stage/SubselectionTool.h"

#include <gtest/gtest.h>

namespace {

class SubselectionToolTest : public ::testing::Test, public CToolGestureFixture {
protected:
    void SetUp() override { ASSERT_NE(m_pView, nullptr); }
    CSubselectionTool& Tool() { return *m_pView->GetSubselectionTool(); }
    // A stage point in twips as stage pixels at zoom 1.
    static POINT Pixels(const POINT& twips) { return {twips.x / 20, twips.y / 20}; }
    // The handle whose joint lies at the stage pixel, or -1.
    int HandleAt(int x, int y)
    {
        const auto& handles = Tool().GetHandles();
        for (int i = 0; i < int(handles.size()); ++i)
            if (std::abs(handles[size_t(i)].ptVertex.x - x * 20) <= 20 &&
                std::abs(handles[size_t(i)].ptVertex.y - y * 20) <= 20)
                return i;
        return -1;
    }
    // Every point of every curve of the shape.
    static std::vector<POINT> AllPoints(const CFlashShape* shape)
    {
        std::vector<POINT> points;
        for (int i = 0; i < shape->GetCurveCount(); ++i)
            for (int k = 0; k <= shape->GetCurve(i)->GetLastPointIndex(); ++k) {
                POINT p;
                shape->GetCurve(i)->GetPoint(k, p);
                points.push_back(p);
            }
        return points;
    }
    // An oval of the oval tool, selected with the subselection tool.
    CFlashShape* DrawOval()
    {
        Command(kCmdOval);
        std::vector<CFlashShape*> before = Shapes();
        Drag({{100, 100}, {300, 200}});
        CFlashShape* oval = NewShape(before, Shapes());
        Command(kCmdSubselection);
        return oval;
    }
};

TEST_F(SubselectionToolTest, JointDragsMoveTheJointWithItsControlsAndControlDragsOnlyTheControl)
{
    CFlashShape* oval = DrawOval();
    ASSERT_NE(oval, nullptr);
    ASSERT_EQ(m_pView->GetSelection().size(), 1u);
    int joint = HandleAt(300, 150);
    ASSERT_GE(joint, 0);
    CFlashVertexHandle handle = Tool().GetHandles()[size_t(joint)];
    ASSERT_TRUE(handle.bHasControlPoints);

    Click({300, 150});
    EXPECT_EQ(Tool().GetActiveJoint(), joint);
    std::vector<POINT> before = AllPoints(m_pView->GetSelection().front());
    Drag({{300, 150}, {310, 155}, {320, 160}});
    EXPECT_EQ(LastStepName(), "Move Points");
    CFlashShape* edited = m_pView->GetSelection().front();
    std::vector<POINT> after = AllPoints(edited);
    ASSERT_EQ(after.size(), before.size());
    int moved = 0;
    for (size_t i = 0; i < after.size(); ++i)
        if (after[i].x != before[i].x || after[i].y != before[i].y) {
            ++moved;
            EXPECT_EQ(after[i].x - before[i].x, 400);
            EXPECT_EQ(after[i].y - before[i].y, 200);
        }
    EXPECT_EQ(moved, 4) << "the joint in both curves and the control on each side";

    // The outgoing control of the active joint alone.
    int active = HandleAt(320, 160);
    ASSERT_GE(active, 0);
    Click({320, 160});
    ASSERT_EQ(Tool().GetActiveJoint(), active);
    POINT control = Pixels(Tool().GetHandles()[size_t(active)].ptOutgoingControl);
    before = AllPoints(m_pView->GetSelection().front());
    Drag({control, {control.x + 5, control.y}, {control.x + 10, control.y}});
    after = AllPoints(m_pView->GetSelection().front());
    moved = 0;
    for (size_t i = 0; i < after.size(); ++i)
        if (after[i].x != before[i].x || after[i].y != before[i].y) {
            ++moved;
            EXPECT_EQ(after[i].x - before[i].x, 200);
        }
    EXPECT_EQ(moved, 1);
    Pump();
    CWindowCapture(m_pView->GetSafeHwnd()).Save("subselection-handles.png");
}

TEST_F(SubselectionToolTest, PickingByClickCtrlClickAndMarquee)
{
    AddRect(100, 100, 100, 100, RGB(255, 0, 0));
    Command(kCmdSubselection);
    Click({150, 150});
    ASSERT_EQ(m_pView->GetSelection().size(), 1u);
    const int a = HandleAt(100, 100);
    const int b = HandleAt(200, 100);
    ASSERT_GE(a, 0);
    ASSERT_GE(b, 0);
    const struct {
        const char* name;
        POINT at;
        UINT modifiers;
        std::vector<int> picked;
    } cases[] = {
        {"click a joint", {100, 100}, 0, {a}},
        {"ctrl-click another adds it", {200, 100}, MK_CONTROL, {a, b}},
        {"ctrl-click a picked one drops it", {100, 100}, MK_CONTROL, {b}},
        {"click elsewhere on the shape", {150, 150}, 0, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Click(c.at, c.modifiers);
        EXPECT_EQ(Tool().GetPickedJoints(), c.picked);
    }
    // A marquee selects what it touches and picks the joints inside it.
    Click({400, 350});
    EXPECT_TRUE(m_pView->GetSelection().empty());
    Drag({{80, 80}, {150, 220}, {160, 230}});
    EXPECT_EQ(m_pView->GetSelection().size(), 1u);
    std::vector<int> picked = Tool().GetPickedJoints();
    std::sort(picked.begin(), picked.end());
    std::vector<int> left = {HandleAt(100, 100), HandleAt(100, 200)};
    std::sort(left.begin(), left.end());
    EXPECT_EQ(picked, left);
}

TEST_F(SubselectionToolTest, PickedJointsNamingNoHandleAreDroppedWhenTheSelectionChanges)
{
    CFlashShape* oval = DrawOval();
    ASSERT_NE(oval, nullptr);
    Click({300, 150});
    int last = int(Tool().GetHandles().size()) - 1;
    POINT farJoint = Pixels(Tool().GetHandles()[size_t(last)].ptVertex);
    Click(farJoint, MK_CONTROL);
    ASSERT_FALSE(Tool().GetPickedJoints().empty());

    CFlashSolidShape* rect = AddRect(400, 250, 60, 60, RGB(0, 0, 255));
    m_pView->RemoveFromSelection(nullptr, false);
    m_pView->AddToSelection(rect, false);
    m_pView->OnSelectionModified();
    for (int index : Tool().GetPickedJoints())
        EXPECT_LT(index, int(Tool().GetHandles().size()));
    // A joint drag now edits only the rectangle.
    Click({400, 250});
    Drag({{400, 250}, {390, 240}});
    EXPECT_EQ(LastStepName(), "Move Points");
}

TEST_F(SubselectionToolTest, MovesWithoutAJointAndUninvertiblePlacements)
{
    CFlashSolidShape* rect = AddRect(100, 100, 100, 100, RGB(255, 0, 0));
    Command(kCmdSubselection);
    Click({150, 150});
    Drag({{150, 150}, {170, 170}});
    EXPECT_EQ(LastStepName(), "Translate Shapes");

    // Squashed flat: its joints all lie on the stage's left edge and cannot be mapped back.
    m_pView->GetShapeTransform(rect)->GetMatrix()->SetElements(0, 0, 0, 1, 0, 0);
    m_pView->RemoveFromSelection(nullptr, false);
    m_pView->AddToSelection(rect, false);
    m_pView->OnSelectionModified();
    ASSERT_FALSE(Tool().GetHandles().empty());
    POINT joint = Pixels(Tool().GetHandles().front().ptVertex);
    std::vector<POINT> before = AllPoints(rect);
    Click(joint);
    Drag({joint, {joint.x + 20, joint.y + 20}});
    std::vector<POINT> after = AllPoints(m_pView->GetSelection().front());
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < after.size(); ++i) {
        EXPECT_EQ(after[i].x, before[i].x);
        EXPECT_EQ(after[i].y, before[i].y);
    }
}

} // namespace
